#include "rockets/RocketSummary.h"

#include "db/RecordStore.h"
#include "rockets/RecMotorRules.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

namespace {

QStringList rocketRow(std::initializer_list<std::pair<int, const char *>> fields)
{
    QStringList row(17, QString());
    for (const auto &[position, text] : fields)
        row[position] = QString::fromUtf8(text);
    return row;
}

} // namespace

TEST(RocketSummary, EveryLineInItsPlaceAndNullFlagsCountAsSet)
{
    const QStringList full = rocketRow({{1, "Name"},
                                        {2, "Estes"},
                                        {3, "Sport"},
                                        {6, "Chute"},
                                        {7, "Rod"},
                                        {8, "0"},
                                        {9, "1"},
                                        {10, "Flying"},
                                        {11, "Line one\nLine two"},
                                        {12, "35 g"},
                                        {13, "30 cm"},
                                        {14, "2.5 cm"},
                                        {15, "20 cm"},
                                        {16, "18 mm"}});
    EXPECT_EQ(rocketSummaryText(full, 2),
              QStringLiteral("MFG: Estes\nType: Sport\nRecovery: Chute\nClustered Motors\nStatus: Flying\n"
                             "Weight: 35 g\nDiameter: 2.5 cm\nLength: 30 cm\nCP location: 20 cm\nLauncher: Rod\n"
                             "MMT: 18 mm\nNotes:\nLine one\nLine two\nLaunched  2 time(s)\n"));
    // Only a name: both flags are null, which is not "0".
    EXPECT_EQ(rocketSummaryText(rocketRow({{1, "Bare"}}), 0),
              QStringLiteral("Staged Model\nClustered Motors\nLaunched  0 time(s)\n"));
    EXPECT_EQ(rocketSummaryText(rocketRow({{8, "0"}, {9, "0"}}), 1), QStringLiteral("Launched  1 time(s)\n"));
    // Values with apostrophes and % signs are shown as they are.
    EXPECT_EQ(rocketSummaryText(rocketRow({{2, "O'Brien %1"}, {8, "0"}, {9, "0"}}), 0),
              QStringLiteral("MFG: O'Brien %1\nLaunched  0 time(s)\n"));
}

TEST(RocketSummary, GroupEntriesByStageWithQuantities)
{
    const QList<CRecMotorRow> staged = {{"D12", "3", "Estes", "1", "3"},
                                        {"C6", "7", "Estes", "2", "1"},
                                        {"A8", "0", "Estes", "1", ""},
                                        {"B4", "2", "Estes", "4", "2"}};
    EXPECT_EQ(recMotorGroupEntry(staged, true), QStringLiteral("S1 D12-3x3 & A8-0 S2 C6-7 "));
    // Quantities only show on clustered rockets.
    EXPECT_EQ(recMotorGroupEntry(staged, false), QStringLiteral("S1 D12-3 & A8-0 S2 C6-7 "));
    EXPECT_EQ(recMotorGroupEntry(staged, true, true), QStringLiteral("S1 Estes D12-3x3 & Estes A8-0 S2 Estes C6-7 "));
    EXPECT_EQ(recMotorGroupEntry({{"C6", "5", "Estes", "3", "2"}}, true), QStringLiteral("S3 C6-5x2 "));
    EXPECT_TRUE(recMotorGroupEntry({{"C6", "5", "Estes", "0", "2"}}, true).isEmpty());
    EXPECT_EQ(recMotorSimpleEntry({"C6", "5", "EST", "", ""}), QStringLiteral("EST C6-5"));
}

TEST(RocketSummary, EntriesReadFromTheStoreForEachKindOfRocket)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({
        "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt) VALUES (1,'C6','5','EST','300')",
        "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt) VALUES (1,'A8','3','O''Brien','100')",
        "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt) VALUES (2,'Z9','1','X','1')",
        "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt,Stage,Qty,GroupID) VALUES "
        "(3,'D12','3','EST','500','1','3','7')",
        "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt,Stage,Qty,GroupID) VALUES "
        "(3,'C6','7','EST','500','2','1','7')",
        "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt,Stage,Qty,GroupID) VALUES "
        "(3,'B6','4','EST','200','1','2','5')",
    }));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));

    const CRecMotorEntries simple = readRecMotorEntries(store, QStringLiteral("1"), false, false);
    EXPECT_EQ(simple.entries, QStringList({"O'Brien A8-3", "EST C6-5"}));
    EXPECT_TRUE(simple.groups.isEmpty());

    // Groups in order of first appearance in Type order: B6 (group 5) comes before C6 and D12 (group 7).
    const CRecMotorEntries grouped = readRecMotorEntries(store, QStringLiteral("3"), true, true);
    EXPECT_EQ(grouped.groups, QStringList({"5", "7"}));
    EXPECT_EQ(grouped.entries, QStringList({"S1 B6-4x2 ", "S1 D12-3x3 S2 C6-7 "}));

    const CRecMotorEntries lines = readRecMotorListLines(store, QStringLiteral("3"), true, false);
    EXPECT_EQ(lines.entries, QStringList({"S1 EST B6-4 ", "S1 EST D12-3 S2 EST C6-7 "}));
    EXPECT_EQ(readRecMotorListLines(store, QStringLiteral("1"), false, false).entries,
              QStringList({"O'Brien\tA8-3", "EST\tC6-5"}));
    EXPECT_TRUE(readRecMotorEntries(store, QStringLiteral("9"), true, true).entries.isEmpty());
}

TEST(RocketSummary, PendingLinesShowStageAndQuantityByTheRocketsFlags)
{
    const CPendingMotor motor {"D12", "3", "EST", "2", "1"};
    EXPECT_EQ(pendingMotorLine(motor, true, true), QStringLiteral("S2 EST\tD12-3x1"));
    EXPECT_EQ(pendingMotorLine(motor, false, true), QStringLiteral("EST\tD12-3x1"));
    EXPECT_EQ(pendingMotorLine(motor, true, false), QStringLiteral("S2 EST\tD12-3"));
}
