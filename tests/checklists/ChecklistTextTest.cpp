#include "checklists/ChecklistText.h"

#include <gtest/gtest.h>

TEST(ChecklistText, ParseTakesExactlyNItems)
{
    EXPECT_EQ(ParseChecklist(QStringLiteral("A,B,C,"), 8), QStringList({"A", "B", "C", "", "", "", "", ""}));
    // No final comma: the rest is the last item.
    EXPECT_EQ(ParseChecklist(QStringLiteral("A,B"), 3), QStringList({"A", "B", ""}));
    // Empty items between commas stay in place.
    EXPECT_EQ(ParseChecklist(QStringLiteral("A,,C,"), 4), QStringList({"A", "", "C", ""}));
    // Nine or more items: the ninth and later are dropped.
    EXPECT_EQ(ParseChecklist(QStringLiteral("1,2,3,4,5,6,7,8,9,10,"), 8),
              QStringList({"1", "2", "3", "4", "5", "6", "7", "8"}));
    EXPECT_EQ(ParseChecklist(QStringLiteral("a,b,c,d,e,f,"), 5), QStringList({"a", "b", "c", "d", "e"}));
}

TEST(ChecklistText, DisabledRowsCloseUpWhenBuiltAgain)
{
    const CChecklistRows rows = checklistRows(QStringLiteral("A,,C,"));
    EXPECT_TRUE(rows[0].enabled);
    EXPECT_FALSE(rows[1].enabled);
    EXPECT_TRUE(rows[2].enabled);
    EXPECT_EQ(rows[2].label, QStringLiteral("C"));
    EXPECT_FALSE(rows[7].enabled);
    const QString rebuilt = BuildChecklist(rows);
    EXPECT_EQ(rebuilt, QStringLiteral("A,C,"));
    const CChecklistRows reloaded = checklistRows(rebuilt);
    EXPECT_EQ(reloaded[0].label, QStringLiteral("A"));
    EXPECT_EQ(reloaded[1].label, QStringLiteral("C"));
    EXPECT_FALSE(reloaded[2].enabled);
}

TEST(ChecklistText, EnabledEmptyLabelIsALoneCommaAndComesBackDisabled)
{
    CChecklistRows rows;
    rows[0] = {true, QStringLiteral("Arm")};
    rows[1] = {true, QString()};
    rows[2] = {false, QStringLiteral("ignored")};
    rows[3] = {true, QStringLiteral("Clear")};
    EXPECT_EQ(BuildChecklist(rows), QStringLiteral("Arm,,Clear,"));
    const CChecklistRows back = checklistRows(BuildChecklist(rows));
    EXPECT_FALSE(back[1].enabled);
    EXPECT_TRUE(back[2].enabled);
    EXPECT_EQ(back[2].label, QStringLiteral("Clear"));
}

TEST(ChecklistText, StripCommasRemovesEveryComma)
{
    EXPECT_EQ(StripCommas(QStringLiteral("Motor, igniter")), QStringLiteral("Motor igniter"));
    EXPECT_EQ(StripCommas(QStringLiteral(",a,,b,")), QStringLiteral("ab"));
    EXPECT_EQ(StripCommas(QStringLiteral("plain")), QStringLiteral("plain"));
}
