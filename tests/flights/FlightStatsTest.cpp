#include "flights/FlightStats.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "logbook/FlightLog.h"
#include "support/TestLogbook.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

// The year-month-day of a stored MM/DD/YYYY date, in SQL, for the independent counts.
const char kIsoDate[] = "(substr(Date, 7, 4) || '-' || substr(Date, 1, 2) || '-' || substr(Date, 4, 2))";
// The motor as the log names it: maker, type and delay.
const char kMotorText[] = "(MotorMfg || ' ' || Motor || '-' || MotorDelay)";

// A logbook of rockets flown on a few motors at a few sites over three years,
// some flights failed; the same seed gives the same logbook.
void generateLogbook(CRecordStore &store, int rockets, int flights)
{
    QRandomGenerator random(16);
    const QStringList sites = {"Alder Field", "Birch Meadow", "Cedar Flats", "Dune Range"};
    const QStringList motors = {"A8", "B6", "C6", "D12"};
    CStoreTransaction transaction(store);
    for (int id = 1; id <= rockets; ++id)
        ASSERT_TRUE(store.RunSql(QStringLiteral("INSERT INTO Rockets (ID, Name) VALUES (%1, 'Rocket %2')")
                                     .arg(id)
                                     .arg(QChar(QLatin1Char('A' + (rockets - id) % 26)) + QString::number(id))));
    for (int i = 0; i < flights; ++i) {
        const QDate date = QDate(2024, 1, 1).addDays(random.bounded(3 * 365));
        ASSERT_TRUE(store.RunSql(
            QStringLiteral("INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, Date, DrogueTime, Notes, "
                           "Success) VALUES ('%1', '%2', 'Estes', '%3', '%4', '%5', '%6:%7', '', %8)")
                .arg(random.bounded(1, rockets + 1))
                .arg(motors.at(random.bounded(int(motors.size()))))
                .arg(random.bounded(3, 8))
                .arg(sites.at(random.bounded(int(sites.size()))))
                .arg(date.toString(QStringLiteral("MM/dd/yyyy")))
                .arg(random.bounded(8, 18))
                .arg(random.bounded(60), 2, 10, QLatin1Char('0'))
                .arg(random.bounded(5) == 0 ? 0 : -1)));
    }
    ASSERT_TRUE(transaction.commit());
}

// "key|count" lines of a GROUP BY, for comparing with the computed lists.
QStringList counted(const std::vector<CFlightCount> &counts)
{
    QStringList lines;
    for (const CFlightCount &count : counts)
        lines.append(QStringLiteral("%1|%2").arg(count.key).arg(count.flights));
    return lines;
}

TEST(FlightStats, AgreeWithPlainSqlOnAGeneratedLogbook)
{
    CTestLogbook logbook;
    CRecordStore store;
    ASSERT_TRUE(logbook.isValid() && store.Open(logbook.directory()));
    generateLogbook(store, 12, 600);
    CFlightLog log(store);
    const CFlightStats stats = computeFlightStats(log.load());
    ASSERT_TRUE(log.lastError().isEmpty()) << qPrintable(log.lastError());

    QStringList rockets;
    QStringList motorsFlown;
    for (const CRocketRecord &rocket : stats.rockets) {
        rockets.append(QStringLiteral("%1|%2|%3|%4|%5")
                           .arg(rocket.rocket)
                           .arg(rocket.flights)
                           .arg(rocket.successes)
                           .arg(rocket.lastFlown.toString(Qt::ISODate), rocket.mostUsedSite));
        for (auto it = rocket.motors.begin(); it != rocket.motors.end(); ++it)
            motorsFlown.append(QStringLiteral("%1|%2|%3").arg(rocket.rocket, it.key()).arg(it.value()));
    }
    // The most used site: the largest count, ties to the first name.
    EXPECT_EQ(rockets,
              logbook.rows(
                  QStringLiteral("SELECT Name, count(*), sum(Success <> 0), max(%1), "
                                 "(SELECT Site FROM Launches AS s WHERE s.Model = l.Model GROUP BY Site "
                                 "ORDER BY count(*) DESC, Site LIMIT 1) "
                                 "FROM Launches AS l JOIN Rockets ON Rockets.ID = l.Model GROUP BY Model ORDER BY Name")
                      .arg(QLatin1String(kIsoDate))));
    EXPECT_EQ(motorsFlown,
              logbook.rows(QStringLiteral("SELECT Name, %1, count(*) FROM Launches JOIN Rockets ON "
                                          "Rockets.ID = Model GROUP BY Name, %1 ORDER BY Name, %1")
                               .arg(QLatin1String(kMotorText))));

    QStringList motors;
    for (const CMotorRecord &motor : stats.motors)
        motors.append(QStringLiteral("%1|%2|%3").arg(motor.motor).arg(motor.flights).arg(motor.successes));
    EXPECT_EQ(motors,
              logbook.rows(QStringLiteral("SELECT %1 AS m, count(*), sum(Success <> 0) FROM Launches "
                                          "GROUP BY m ORDER BY count(*) DESC, m")
                               .arg(QLatin1String(kMotorText))));
    EXPECT_EQ(
        counted(stats.sites),
        logbook.rows(QStringLiteral("SELECT Site, count(*) FROM Launches GROUP BY Site ORDER BY count(*) DESC, Site")));
    EXPECT_EQ(counted(stats.years),
              logbook.rows(QStringLiteral("SELECT substr(Date, 7, 4) AS y, count(*) FROM "
                                          "Launches GROUP BY y ORDER BY y")));
    EXPECT_EQ(counted(stats.months),
              logbook.rows(QStringLiteral("SELECT substr(%1, 1, 7) AS m, count(*) FROM Launches GROUP BY m ORDER BY m")
                               .arg(QLatin1String(kIsoDate))));
}

TEST(FlightStats, FlightsWithoutRocketOrDateStillCount)
{
    CFlightEntry orphan;
    orphan.rocketId = QStringLiteral("7");
    orphan.dateText = QStringLiteral("never");
    orphan.success = true;
    CFlightEntry dated = orphan;
    dated.date = QDate(2026, 5, 1);
    const CFlightStats stats = computeFlightStats({orphan, dated});
    ASSERT_EQ(stats.rockets.size(), 1u);
    EXPECT_EQ(stats.rockets[0].rocket, QStringLiteral("Rocket 7"));
    EXPECT_EQ(stats.rockets[0].flights, 2);
    EXPECT_EQ(stats.rockets[0].lastFlown, QDate(2026, 5, 1));
    EXPECT_EQ(counted(stats.years), QStringList({"2026|1"}));
}

} // namespace
