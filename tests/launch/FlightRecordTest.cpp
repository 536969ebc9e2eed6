#include "launch/FlightRecord.h"

#include "db/RecordStore.h"
#include "logbook/FlightLog.h"
#include "support/TestLogbook.h"

#include <gtest/gtest.h>

namespace {

QDateTime at(int hour, int minute)
{
    return QDateTime(QDate(2001, 3, 13), QTime(hour, minute, 41), Qt::LocalTime);
}

// Every column with its storage class: 'text' quoted, numbers bare.
const char kQuotedRow[] =
    "SELECT quote(Model), quote(Recovery), quote(Motor), quote(MotorMfg), quote(MotorDelay), quote(Site), "
    "quote(WindSpeed), quote(WindDirection), quote(Temperature), quote(Celcius), quote(Date), quote(DrogueTime), "
    "quote(MainTime), quote(DoneTime), quote(Notes), quote(Success), quote(AltFileName) FROM Launches ORDER BY rowid";

// A flight stored through the log holds every value with the storage class
// the launch screen's own INSERT text has always given it (written out below
// for one flight, values in quotes and bare as that text has them); a flight
// that text could not hold (apostrophes, a frost, a flight ended before its
// moments were stamped) is stored as written.
TEST(FlightRecord, StoredRowIsTheLaunchScreensInsertRow)
{
    CTestLogbook logbook;
    CRecordStore store;
    ASSERT_TRUE(logbook.isValid() && store.Open(logbook.directory()));
    CFlightLog log(store);

    CFlightRecord example;
    example.model = QStringLiteral("3");
    example.motor = QStringLiteral("C6");
    example.motorMfg = QStringLiteral("EST");
    example.motorDelay = QStringLiteral("5");
    example.site = QStringLiteral("North Field");
    example.windSpeed = 5;
    example.windDirection = QStringLiteral("NorthWest");
    example.temperature = 72;
    example.launchTime = at(14, 6);
    example.drogueTime = at(14, 7);
    example.mainTime = at(14, 7);
    example.doneTime = at(14, 8);
    example.notes = QStringLiteral("Nice flight");
    example.success = true;
    ASSERT_EQ(log.insert(example.row()), 1) << qPrintable(log.lastError());
    ASSERT_TRUE(logbook.exec({
        "INSERT INTO Launches (Model,Recovery,Motor,MotorMfg,MotorDelay,Site,WindSpeed,WindDirection,Temperature,"
        "Celcius,Date,DrogueTime,MainTime,DoneTime,Notes,Success,AltFileName) VALUES ('3','','C6','EST','5',"
        "'North Field',5,'NorthWest',72,0,'03/13/2001','14:07','14:07','14:08','Nice flight',-1,'')",
    }));
    const QStringList rows = logbook.rows(QLatin1String(kQuotedRow));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0), rows.at(1));

    CFlightRecord unusual;
    unusual.model = QStringLiteral("3");
    unusual.motorMfg = QStringLiteral("Ma'x");
    unusual.site = QStringLiteral("O'Hara's Field");
    unusual.temperature = -5;
    unusual.celsius = true;
    unusual.launchTime = at(9, 5);
    unusual.drogueTime = at(9, 5);
    unusual.doneTime = at(0, 0);
    unusual.notes = QStringLiteral("Fin's epoxy failed");
    unusual.altFileName = QStringLiteral("/home/flyer/it's.flt");
    ASSERT_EQ(log.insert(unusual.row()), 3) << qPrintable(log.lastError());
    ASSERT_EQ(log.insert(CFlightRecord().row()), 4) << qPrintable(log.lastError());
    EXPECT_EQ(logbook.rows(QLatin1String(kQuotedRow)).mid(2),
              QStringList({"'3'|''|''|'Ma''x'|''|'O''Hara''s Field'|0|''|-5|-1|'03/13/2001'|'9:05'|''|'0:00'|"
                           "'Fin''s epoxy failed'|0|'/home/flyer/it''s.flt'",
                           "''|''|''|''|''|''|0|''|0|0|''|''|''|''|''|0|''"}));
    EXPECT_EQ(log.count(), 4);

    const QDateTime utc = QDateTime(QDate(2001, 3, 13), QTime(12, 0), Qt::UTC);
    EXPECT_EQ(FormatLaunchTime(utc, LaunchTimeFormat::Time),
              FormatLaunchTime(utc.toLocalTime(), LaunchTimeFormat::Time));
}

} // namespace
