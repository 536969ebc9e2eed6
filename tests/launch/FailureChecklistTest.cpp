#include "launch/FailureChecklist.h"

#include <gtest/gtest.h>

// The ticked causes head the notes in box order; with no checklist stored the
// first box offers the chute.
TEST(FailureChecklist, TickedCausesHeadTheNotesInBoxOrder)
{
    EXPECT_EQ(failureCauses(QString()), QStringList({"Chute Failure", "", "", "", ""}));
    const QStringList causes = failureCauses(QStringLiteral("Motor failure,Fin loss,Shred,"));
    EXPECT_EQ(buildFailureNotes(causes, {}, QStringLiteral("Windy")), QStringLiteral("Windy"));
    EXPECT_EQ(buildFailureNotes(causes, {true, false, true, false, false}, QStringLiteral("Windy")),
              QStringLiteral("Motor failure\nShred\nWindy"));
}
