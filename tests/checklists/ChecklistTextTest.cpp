#include "checklists/ChecklistText.h"

#include <gtest/gtest.h>

TEST(ChecklistText, ParseTakesExactlyNItems)
{
    EXPECT_EQ(ParseChecklist(QStringLiteral("A,B,C,"), 5), QStringList({"A", "B", "C", "", ""}));
    // No final comma: the rest is the last item.
    EXPECT_EQ(ParseChecklist(QStringLiteral("A,B"), 3), QStringList({"A", "B", ""}));
    // Empty items stay in place; the ninth and later are dropped.
    EXPECT_EQ(ParseChecklist(QStringLiteral("A,,C,4,5,6,7,8,9,10,"), 8),
              QStringList({"A", "", "C", "4", "5", "6", "7", "8"}));
}

// Disabled rows add nothing, an enabled empty one a lone comma: reloaded, the
// steps have closed up and the empty one is disabled.
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
    EXPECT_FALSE(back[3].enabled);
}
