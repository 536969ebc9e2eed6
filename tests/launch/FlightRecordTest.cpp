#include "launch/FlightRecord.h"

#include "db/RecordStore.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int hour, int minute)
{
    return QDateTime(QDate(2001, 3, 13), QTime(hour, minute, 41), Qt::LocalTime);
}

CFlightRecord niceFlight()
{
    CFlightRecord flight;
    flight.model = QStringLiteral("3");
    flight.motor = QStringLiteral("C6");
    flight.motorMfg = QStringLiteral("EST");
    flight.motorDelay = QStringLiteral("5");
    flight.site = QStringLiteral("North Field");
    flight.windSpeed = 5;
    flight.windDirection = QStringLiteral("NorthWest");
    flight.temperature = 72;
    flight.launchTime = at(14, 6);
    flight.drogueTime = at(14, 7);
    flight.mainTime = at(14, 7);
    flight.doneTime = at(14, 8);
    flight.notes = QStringLiteral("Nice flight");
    flight.success = true;
    return flight;
}

TEST(FlightRecord, FormatsDatesAndTimesOfDay)
{
    EXPECT_EQ(FormatLaunchTime(at(9, 5), LaunchTimeFormat::Date), QStringLiteral("03/13/2001"));
    EXPECT_EQ(FormatLaunchTime(at(9, 5), LaunchTimeFormat::Time), QStringLiteral("9:05"));
    EXPECT_EQ(FormatLaunchTime(at(14, 30), LaunchTimeFormat::Time), QStringLiteral("14:30"));
    EXPECT_EQ(FormatLaunchTime(at(0, 0), LaunchTimeFormat::Time), QStringLiteral("0:00"));
    const QDateTime utc = QDateTime(QDate(2001, 3, 13), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(FormatLaunchTime(utc, LaunchTimeFormat::Time),
              FormatLaunchTime(utc.toLocalTime(), LaunchTimeFormat::Time));
}

// Read back from the logbook: apostrophes stored exactly, the flags as -1 and
// 0, a negative number as a number, a moment no button set as ''.
TEST(FlightRecord, StoredRowHoldsEveryValueAsWritten)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    CFlightRecord flight = niceFlight();
    flight.notes = QStringLiteral("Fin's epoxy failed");
    flight.site = QStringLiteral("O'Hara's Field");
    flight.motorMfg = QStringLiteral("Ma'x");
    flight.altFileName = QStringLiteral("/home/flyer/it's.flt");
    flight.temperature = -5;
    flight.celsius = true;
    flight.mainTime.reset();
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    ASSERT_TRUE(store.RunSql(buildLaunchInsert(flight)));
    flight = CFlightRecord();
    ASSERT_TRUE(store.RunSql(buildLaunchInsert(flight)));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT * FROM Launches")),
              QStringList({"3||C6|Ma'x|5|O'Hara's Field|5|NorthWest|-5|-1|03/13/2001|14:07||14:08|Fin's epoxy failed|"
                           "-1|/home/flyer/it's.flt",
                           "||||||0||0|0||||||0|"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT typeof(Temperature), typeof(Celcius) FROM Launches")),
              QStringList({"integer|integer", "integer|integer"}));
}

} // namespace
