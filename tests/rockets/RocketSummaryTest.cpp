#include "rockets/RocketSummary.h"

#include "db/RecordStore.h"
#include "rockets/RecMotorRules.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

TEST(RocketSummary, EveryLineInItsPlaceAndNullFlagsCountAsSet)
{
    // Each field its own text, so a swap shows; apostrophes and % signs are shown as they are.
    const QStringList full = {"",  "Name",   "O'Brien %1",         "Sport", "",      "",       "Chute", "Rod",  "0",
                              "1", "Flying", "Line one\nLine two", "35 g",  "30 cm", "2.5 cm", "20 cm", "18 mm"};
    EXPECT_EQ(rocketSummaryText(full, 2),
              QStringLiteral("MFG: O'Brien %1\nType: Sport\nRecovery: Chute\nClustered Motors\nStatus: Flying\n"
                             "Weight: 35 g\nDiameter: 2.5 cm\nLength: 30 cm\nCP location: 20 cm\nLauncher: Rod\n"
                             "MMT: 18 mm\nNotes:\nLine one\nLine two\nLaunched  2 time(s)\n"));
    // Only a name: both flags are null, which is not "0".
    QStringList bare(17, QString());
    bare[1] = QStringLiteral("Bare");
    EXPECT_EQ(rocketSummaryText(bare, 0), QStringLiteral("Staged Model\nClustered Motors\nLaunched  0 time(s)\n"));
}

TEST(RocketSummary, GroupEntriesByStageWithQuantities)
{
    // Stages outside 1-3 are not shown; a quantity of one is not written, and
    // none on a rocket that is not clustered (see the list lines below).
    const QList<CRecMotorRow> staged = {{"D12", "3", "Estes", "1", "3"},
                                        {"C6", "7", "Estes", "3", "1"},
                                        {"A8", "0", "Estes", "1", ""},
                                        {"B4", "2", "Estes", "4", "2"},
                                        {"B6", "5", "Estes", "0", "2"}};
    EXPECT_EQ(recMotorGroupEntry(staged, true), QStringLiteral("S1 D12-3x3 & A8-0 S3 C6-7 "));
}

// Each group is one entry, in order of its first row in Type order: the list's
// line i must stand for group i, or a choice acts on another group.
TEST(RocketSummary, EntriesReadFromTheStoreForEachKindOfRocket)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({
        "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt,Stage,Qty,GroupID) VALUES "
        "(3,'D12','3','EST','500','1','3','7'), (3,'C6','7','EST','500','2','1','7'), "
        "(3,'B6','4','EST','200','1','2','5'), (2,'A8','3','EST','1','1','1','6')",
    }));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    const CRecMotorEntries grouped = readRecMotorEntries(store, QStringLiteral("3"), true, true);
    EXPECT_EQ(grouped.groups, QStringList({"5", "7"}));
    EXPECT_EQ(grouped.entries, QStringList({"S1 B6-4x2 ", "S1 D12-3x3 S2 C6-7 "}));
    const CRecMotorEntries lines = readRecMotorListLines(store, QStringLiteral("3"), true, false);
    EXPECT_EQ(lines.groups, grouped.groups);
    EXPECT_EQ(lines.entries, QStringList({"S1 EST B6-4 ", "S1 EST D12-3 S2 EST C6-7 "}));
    EXPECT_TRUE(readRecMotorEntries(store, QStringLiteral("9"), true, true).entries.isEmpty());
}
