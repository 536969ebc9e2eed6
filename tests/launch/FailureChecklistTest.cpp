#include "launch/FailureChecklist.h"

#include <gtest/gtest.h>

TEST(FailureChecklist, CausesFromTheStoredText)
{
    EXPECT_EQ(failureCauses(QString()), QStringList({"Chute Failure", "", "", "", ""}));
    EXPECT_EQ(failureCauses(QStringLiteral("Motor failure,Fin loss,")),
              QStringList({"Motor failure", "Fin loss", "", "", ""}));
    EXPECT_EQ(failureCauses(QStringLiteral("a,b,c,d,e,f,g,")), QStringList({"a", "b", "c", "d", "e"}));
}

TEST(FailureChecklist, TickedCausesHeadTheNotesInBoxOrder)
{
    const QStringList causes = failureCauses(QStringLiteral("Motor failure,Fin loss,Shred,"));
    EXPECT_EQ(buildFailureNotes(causes, {false, false, false, false, false}, QStringLiteral("Windy")),
              QStringLiteral("Windy"));
    EXPECT_EQ(buildFailureNotes(causes, {true, false, true, false, false}, QStringLiteral("Windy")),
              QStringLiteral("Motor failure\nShred\nWindy"));
    EXPECT_EQ(buildFailureNotes(failureCauses(QString()), {true, false, false, false, false}, QString()),
              QStringLiteral("Chute Failure\n"));
}
