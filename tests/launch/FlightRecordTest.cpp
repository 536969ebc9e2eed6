#include "launch/FlightRecord.h"

#include "db/RecordStore.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int hour, int minute)
{
    return QDateTime(QDate(2001, 3, 13), QTime(hour, minute, 41), Qt::LocalTime);
}

// Read back from the logbook: apostrophes stored exactly, the flags as -1 and
// 0, a negative number as a number, times of day as H:MM in local time, a
// moment no button set as ''.
TEST(FlightRecord, StoredRowHoldsEveryValueAsWritten)
{
    CTestLogbook logbook;
    CRecordStore store;
    ASSERT_TRUE(logbook.isValid() && store.Open(logbook.directory()));
    CFlightRecord flight;
    flight.model = QStringLiteral("3");
    flight.motor = QStringLiteral("C6");
    flight.motorMfg = QStringLiteral("Ma'x");
    flight.motorDelay = QStringLiteral("5");
    flight.site = QStringLiteral("O'Hara's Field");
    flight.windSpeed = 5;
    flight.windDirection = QStringLiteral("NorthWest");
    flight.temperature = -5;
    flight.celsius = true;
    flight.launchTime = at(14, 6);
    flight.drogueTime = at(9, 5);
    flight.doneTime = at(0, 0);
    flight.notes = QStringLiteral("Fin's epoxy failed");
    flight.success = true;
    flight.altFileName = QStringLiteral("/home/flyer/it's.flt");
    ASSERT_TRUE(store.RunSql(buildLaunchInsert(flight)));
    ASSERT_TRUE(store.RunSql(buildLaunchInsert(CFlightRecord())));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT * FROM Launches")),
              QStringList({"3||C6|Ma'x|5|O'Hara's Field|5|NorthWest|-5|-1|03/13/2001|9:05||0:00|Fin's epoxy failed|"
                           "-1|/home/flyer/it's.flt",
                           "||||||0||0|0||||||0|"}));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT typeof(Temperature), typeof(Celcius) FROM Launches")),
              QStringList({"integer|integer", "integer|integer"}));
    const QDateTime utc = QDateTime(QDate(2001, 3, 13), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(FormatLaunchTime(utc, LaunchTimeFormat::Time),
              FormatLaunchTime(utc.toLocalTime(), LaunchTimeFormat::Time));
}

} // namespace
