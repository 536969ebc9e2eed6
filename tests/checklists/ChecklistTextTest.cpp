#include "checklists/ChecklistText.h"

#include <gtest/gtest.h>

TEST(ChecklistText, ParseTakesExactlyNItems)
{
    const struct
    {
        const char *text;
        int n;
        QStringList items;
    } cases[] = {
        {"A,B,C,", 5, {"A", "B", "C", "", ""}},
        {"A,B", 3, {"A", "B", ""}}, // no final comma: the rest is the last item
        {"A,,C,", 4, {"A", "", "C", ""}}, // empty items stay in place
        {"1,2,3,4,5,6,7,8,9,10,", 8, {"1", "2", "3", "4", "5", "6", "7", "8"}}, // the ninth and later are dropped
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseChecklist(QString::fromLatin1(c.text), c.n), c.items);
    }
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
