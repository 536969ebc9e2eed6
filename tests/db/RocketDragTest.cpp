// The rockets' drag beside the catalogue: kept with its rocket when rockets
// are deleted and renumbered, dropped with its flight, added to older
// logbooks; every expectation read back with the test's own SQL.
#include "db/FailingDiskVfs.h"
#include "db/RecordStore.h"
#include "db/RocketDragStore.h"
#include "rockets/RocketCatalogue.h"
#include "support/RecordingReporter.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace {

const char *const kThreeRockets[] = {
    "INSERT INTO Rockets (ID, Name) VALUES (1, 'Apollo'), (2, 'Mercury'), (3, 'Zephyr')",
    "INSERT INTO Launches (rowid, Model, Motor) VALUES (10, '1', 'C6'), (11, '2', 'C6'), (12, '3', 'D12'), "
    "(13, '3', 'D12')",
};

// Apollo set Cd 0.5 and a 1.5 m guide; Mercury Cd 0.7; Zephyr a 2 m guide and
// two flights fitted.
void storeThreeRocketsDrag(CRecordStore &store)
{
    CRocketDragStore drag(store);
    ASSERT_TRUE(drag.storeCd(1, 0.5) && drag.storeGuide(1, 1.5)) << drag.lastError().toStdString();
    ASSERT_TRUE(drag.storeCd(2, 0.7));
    ASSERT_TRUE(drag.storeGuide(3, 2.0));
    ASSERT_TRUE(drag.storeFittedCd(1, 10, 0.55));
    ASSERT_TRUE(drag.storeFittedCd(3, 12, 0.61));
    ASSERT_TRUE(drag.storeFittedCd(3, 13, 0.66));
}

TEST(RocketDrag, DeletingARocketBetweenTwoOthersKeepsEachRocketsValues)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({kThreeRockets[0], kThreeRockets[1]}));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    storeThreeRocketsDrag(store);

    ASSERT_TRUE(deleteRocketRows(store, QStringLiteral("SELECT * FROM Rockets WHERE Name = 'Mercury'")));
    store.Close();

    // Zephyr is number 2 now, and its values with it; Mercury's are gone.
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT ID, Name FROM Rockets ORDER BY ID")),
              QStringList({"1|Apollo", "2|Zephyr"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT RocketID, ifnull(Cd, '-'), ifnull(GuideLength, '-') FROM "
                                          "RocketDrag ORDER BY RocketID")),
              QStringList({"1|0.5|1.5", "2|-|2.0"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT FlightID, RocketID, Cd FROM RocketFittedCds ORDER BY FlightID")),
              QStringList({"10|1|0.55", "12|2|0.61", "13|2|0.66"}));
}

// Renamed so that the name order turns round, the rockets swap numbers: each
// row must land on its own rocket's new number although the other still holds
// it when it moves.
TEST(RocketDrag, RocketsSwappingNumbersSwapTheirValues)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({kThreeRockets[0], kThreeRockets[1], "UPDATE Rockets SET Name = 'Aardvark' WHERE ID = 3",
                              "UPDATE Rockets SET Name = 'Zulu' WHERE ID = 1",
                              // A row of a number no rocket has, typed in by hand.
                              "INSERT INTO RocketDrag (RocketID, Cd) VALUES (7, 0.9)"}));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    storeThreeRocketsDrag(store);
    ASSERT_TRUE(store.Reindex()) << store.lastError().toStdString();
    store.Close();

    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT ID, Name FROM Rockets ORDER BY ID")),
              QStringList({"1|Aardvark", "2|Mercury", "3|Zulu"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT RocketID, ifnull(Cd, '-'), ifnull(GuideLength, '-') FROM "
                                          "RocketDrag ORDER BY RocketID")),
              QStringList({"1|-|2.0", "2|0.7|-", "3|0.5|1.5"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT FlightID, RocketID FROM RocketFittedCds ORDER BY FlightID")),
              QStringList({"10|3", "12|1", "13|1"}));
}

// Rows leave with their rocket or flight, whichever program deletes it; a
// rocket that shares its number with another keeps the values for it.
TEST(RocketDrag, RowsLeaveWithTheirRocketOrFlight)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(
        logbook.exec({kThreeRockets[0], kThreeRockets[1], "INSERT INTO Rockets (ID, Name) VALUES (3, 'Twin')"}));
    {
        CRecordStore store;
        ASSERT_TRUE(store.Open(logbook.directory()));
        storeThreeRocketsDrag(store);
    }
    ASSERT_TRUE(logbook.exec({"DELETE FROM Rockets WHERE Name = 'Apollo'", "DELETE FROM Rockets WHERE Name = 'Twin'",
                              "DELETE FROM Launches WHERE rowid = 12"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT RocketID FROM RocketDrag ORDER BY RocketID")),
              QStringList({"2", "3"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT FlightID FROM RocketFittedCds ORDER BY FlightID")),
              QStringList({"13"}));
}

TEST(RocketDrag, ValuesAreStoredReplacedClearedAndRefusedInWords)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    CRocketDragStore drag(store);

    ASSERT_TRUE(drag.storeCd(4, 0.45));
    ASSERT_TRUE(drag.storeGuide(4, 1.2));
    ASSERT_TRUE(drag.storeCd(4, std::nullopt)); // cleared: the guide stays
    ASSERT_TRUE(drag.storeFittedCd(4, 20, 0.5));
    ASSERT_TRUE(drag.storeFittedCd(4, 20, 0.8)); // the same flight fitted again
    ASSERT_TRUE(drag.storeFittedCd(4, 21, 0.6));
    CRocketDrag read;
    ASSERT_TRUE(drag.load(4, read));
    EXPECT_FALSE(read.cd.has_value());
    EXPECT_EQ(read.guideM, 1.2);
    ASSERT_EQ(read.fitted.size(), 2u);
    EXPECT_EQ(read.fitted[0].flightId, 20);
    EXPECT_EQ(read.fitted[0].cd, 0.8);

    EXPECT_FALSE(drag.storeCd(4, -0.1));
    EXPECT_EQ(drag.lastError(), QStringLiteral("the Cd must be a number of 0 or more, not -0.1"));
    EXPECT_FALSE(drag.storeGuide(4, std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(drag.storeFittedCd(4, 22, std::numeric_limits<double>::infinity()));
    store.Close();
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT RocketID, ifnull(Cd, '-'), GuideLength FROM RocketDrag")),
              QStringList({"4|-|1.2"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT FlightID, Cd FROM RocketFittedCds ORDER BY FlightID")),
              QStringList({"20|0.8", "21|0.6"}));
}

// A logbook of an earlier version gains the tables and triggers on opening.
TEST(RocketDrag, OlderLogbookGainsTheTablesOnOpening)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(
        logbook.exec({"DROP TRIGGER RocketDragLeavesWithItsRocket", "DROP TRIGGER FittedCdsLeaveWithTheirFlight",
                      "DROP TABLE RocketDrag", "DROP TABLE RocketFittedCds"}));
    const QString ours = QStringLiteral(
        "SELECT name FROM sqlite_master WHERE name IN ('RocketDrag', 'RocketFittedCds', 'RocketFittedCdsByRocket', "
        "'RocketDragLeavesWithItsRocket', 'FittedCdsLeaveWithTheirFlight') ORDER BY name");
    // The drops ran on a store that was then closed; this opening brings them back.
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    CRocketDragStore drag(store);
    EXPECT_TRUE(drag.storeCd(1, 0.5)) << drag.lastError().toStdString();
    store.Close();
    EXPECT_EQ(logbook.rows(ours),
              QStringList({"FittedCdsLeaveWithTheirFlight", "RocketDrag", "RocketDragLeavesWithItsRocket",
                           "RocketFittedCds", "RocketFittedCdsByRocket"}));
}

// An older logbook that cannot be written opens as it is, its rockets read
// as having set nothing rather than failing to read at all.
TEST(RocketDrag, ReadOnlyOlderLogbookReadsAsHavingSetNothing)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(
        logbook.exec({"DROP TRIGGER RocketDragLeavesWithItsRocket", "DROP TRIGGER FittedCdsLeaveWithTheirFlight",
                      "DROP TABLE RocketDrag", "DROP TABLE RocketFittedCds"}));
    CFailingDiskVfs disk;
    ASSERT_TRUE(disk.isInstalled());
    disk.setRefusal(CFailingDiskVfs::Refusal::ReadOnlyFile);
    CRecordingReporter reporter;
    CRecordStore store(&reporter);
    ASSERT_TRUE(store.Open(logbook.directory()));
    EXPECT_TRUE(reporter.problems.isEmpty()) << reporter.problems.join(QLatin1Char('\n')).toStdString();
    CRocketDragStore drag(store);
    CRocketDrag read;
    ASSERT_TRUE(drag.load(1, read)) << drag.lastError().toStdString();
    EXPECT_FALSE(read.cd || read.guideM);
    EXPECT_TRUE(read.fitted.empty());
    disk.setRefusal(CFailingDiskVfs::Refusal::None);
    store.Close();
    // Nothing of the stand-in reached the file.
    sqlite3 *db = nullptr;
    sqlite3_stmt *count = nullptr;
    ASSERT_EQ(sqlite3_open_v2(logbook.databaseFile().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    ASSERT_EQ(
        sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master WHERE name = 'RocketDrag'", -1, &count, nullptr),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(count, 0), 0);
    sqlite3_finalize(count);
    sqlite3_close(db);
}

} // namespace
