#include "flights/FlightStats.h"

#include "charts/BarChart.h"
#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "flights/FlightStatsDlg.h"
#include "logbook/FlightLog.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/HelpBrowser.h"

#include <QApplication>
#include <QLabel>
#include <QRandomGenerator>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <map>

namespace {

// The year-month-day of a stored MM/DD/YYYY date, in SQL, for the independent counts.
const char kIsoDate[] = "(substr(Date, 7, 4) || '-' || substr(Date, 1, 2) || '-' || substr(Date, 4, 2))";
// The rocket as the log names it: its name, "Rocket <number>" when it is gone, "No rocket" for none.
const char kRocketLabel[] = "coalesce(Name, CASE WHEN trim(Model) IN ('', '0') THEN 'No rocket' "
                            "ELSE 'Rocket ' || trim(Model) END)";

// What the generator flew, whichever form it stored it in.
struct CFlown
{
    QString rocket;
    QString motor; // "Estes C6-5", or "No motor"
    QString site; // as most flights spell it, or "No site"
    bool success;
};

// A logbook of rockets flown on a few motors at a few sites over three years,
// some flights failed. Motors are stored in both forms, sites in more than
// one case, some flights name no site or motor, some no rocket or one that is
// gone. The same seed gives the same logbook.
std::vector<CFlown> generateLogbook(CRecordStore &store, int rockets, int flights)
{
    QRandomGenerator random(16);
    const QStringList sites = {"Alder Field", "Birch Meadow", "Cedar Flats", "Dune Range"};
    const QStringList motors = {"A8", "B6", "C6", "D12"};
    std::vector<CFlown> flown;
    CStoreTransaction transaction(store);
    for (int id = 1; id <= rockets; ++id) {
        const bool inserted =
            store.RunSql(QStringLiteral("INSERT INTO Rockets (ID, Name) VALUES (%1, 'Rocket %2')")
                             .arg(id)
                             .arg(QChar(QLatin1Char('A' + (rockets - id) % 26)) + QString::number(id)));
        EXPECT_TRUE(inserted);
    }
    for (int i = 0; i < flights; ++i) {
        const QDate date = QDate(2024, 1, 1).addDays(random.bounded(3 * 365));
        // One flight in twenty of a rocket since deleted, one of none.
        const int roll = random.bounded(20);
        const QString model = roll == 0 ? QStringLiteral("99")
            : roll == 1                 ? QString()
                                        : QString::number(random.bounded(1, rockets + 1));
        const QString &type = motors.at(random.bounded(int(motors.size())));
        const QString delay = QString::number(random.bounded(3, 8));
        QString motor;
        QString maker = QStringLiteral("Estes");
        QString delayColumn = delay;
        QString motorName = QStringLiteral("Estes %1-%2").arg(type, delay);
        switch (random.bounded(7)) {
        case 0:
        case 1:
        case 2: // as the launch wizard stores a recommended motor
            motor = QStringLiteral("Estes %1-%2").arg(type, delay);
            break;
        case 6: // none
            maker.clear();
            delayColumn.clear();
            motorName = QStringLiteral("No motor");
            break;
        default: // typed, each part in its column
            motor = type;
            break;
        }
        const int spelling = random.bounded(10);
        const QString &site = sites.at(random.bounded(int(sites.size())));
        const QString stored = spelling == 0 ? QString() : spelling == 1 ? site.toLower() : site;
        const bool success = random.bounded(5) != 0;
        const bool inserted = store.RunSql(
            QStringLiteral("INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, Date, DrogueTime, Notes, "
                           "Success) VALUES ('%1', '%2', '%3', '%4', '%5', '%6', '%7:%8', '', %9)")
                .arg(model, motor, maker, delayColumn, stored, date.toString(QStringLiteral("MM/dd/yyyy")))
                .arg(random.bounded(8, 18))
                .arg(random.bounded(60), 2, 10, QLatin1Char('0'))
                .arg(success ? -1 : 0));
        EXPECT_TRUE(inserted);
        flown.push_back({model, motorName, spelling == 0 ? QStringLiteral("No site") : site, success});
    }
    EXPECT_TRUE(transaction.commit());
    return flown;
}

// "key|count" lines, for comparing with the computed lists.
QStringList counted(const std::vector<CFlightCount> &counts)
{
    QStringList lines;
    for (const CFlightCount &count : counts)
        lines.append(QStringLiteral("%1|%2").arg(count.key).arg(count.flights));
    return lines;
}

// The lines of a count map, most first, ties in name order.
QStringList mostFirst(const std::map<QString, std::pair<int, int>> &counts, bool withSuccesses)
{
    std::vector<std::pair<QString, std::pair<int, int>>> list(counts.begin(), counts.end());
    std::stable_sort(list.begin(), list.end(), [](const auto &a, const auto &b) {
        return a.second.first != b.second.first ? a.second.first > b.second.first
                                                : a.first.localeAwareCompare(b.first) < 0;
    });
    QStringList lines;
    for (const auto &[key, count] : list)
        lines.append(withSuccesses ? QStringLiteral("%1|%2|%3").arg(key).arg(count.first).arg(count.second)
                                   : QStringLiteral("%1|%2").arg(key).arg(count.first));
    return lines;
}

// Counted against what was flown and against plain SQL: a motor stored in
// either form is one motor, a site spelt in another case is one site, a
// flight without a site or motor is counted under a name, not a blank.
TEST(FlightStats, AgreeWithWhatWasFlownOnAGeneratedLogbook)
{
    CTestLogbook logbook;
    CRecordStore store;
    ASSERT_TRUE(logbook.isValid() && store.Open(logbook.directory()));
    const std::vector<CFlown> flown = generateLogbook(store, 12, 600);
    CFlightLog log(store);
    const CFlightStats stats = computeFlightStats(log.load());
    ASSERT_TRUE(log.lastError().isEmpty()) << qPrintable(log.lastError());

    std::map<QString, std::pair<int, int>> motors;
    std::map<QString, std::pair<int, int>> sites;
    std::map<QString, std::map<QString, int>> rocketMotors;
    for (const CFlown &flight : flown) {
        ++motors[flight.motor].first;
        motors[flight.motor].second += flight.success ? 1 : 0;
        ++sites[flight.site].first;
        ++rocketMotors[flight.rocket.isEmpty() ? QStringLiteral("0") : flight.rocket][flight.motor];
    }
    QStringList motorLines;
    for (const CMotorRecord &motor : stats.motors)
        motorLines.append(QStringLiteral("%1|%2|%3").arg(motor.motor).arg(motor.flights).arg(motor.successes));
    EXPECT_EQ(motorLines, mostFirst(motors, true));
    EXPECT_EQ(stats.motors.size(), 4u * 5 + 1); // four types, five delays, and none
    EXPECT_EQ(counted(stats.sites), mostFirst(sites, false));

    // The rockets by plain SQL; the most used site of each folded to one case
    // and named as the generator names it.
    QStringList rockets;
    for (const CRocketRecord &rocket : stats.rockets) {
        rockets.append(QStringLiteral("%1|%2|%3|%4|%5")
                           .arg(rocket.rocket)
                           .arg(rocket.flights)
                           .arg(rocket.successes)
                           .arg(rocket.lastFlown.toString(Qt::ISODate), rocket.mostUsedSite.toLower()));
        const auto &expected = rocketMotors[rocket.rocketId.isEmpty() ? QStringLiteral("0") : rocket.rocketId];
        const QMap<QString, int> motorsFlown(expected);
        EXPECT_EQ(rocket.motors, motorsFlown) << qPrintable(rocket.rocket);
    }
    EXPECT_EQ(rockets,
              logbook.rows(QStringLiteral(
                               "SELECT %2 AS label, count(*), sum(Success <> 0), max(%1), "
                               "(SELECT CASE WHEN trim(Site) = '' THEN 'no site' ELSE lower(trim(Site)) END AS s "
                               "FROM Launches AS o WHERE trim(o.Model) = trim(l.Model) OR (trim(o.Model) IN ('', '0') "
                               "AND trim(l.Model) IN ('', '0')) GROUP BY s ORDER BY count(*) DESC, s LIMIT 1) "
                               "FROM Launches AS l LEFT JOIN Rockets ON Rockets.ID = l.Model GROUP BY label "
                               "ORDER BY label")
                               .arg(QLatin1String(kIsoDate), QLatin1String(kRocketLabel))));
    EXPECT_EQ(counted(stats.years),
              logbook.rows(QStringLiteral("SELECT substr(Date, 7, 4) AS y, count(*) FROM "
                                          "Launches GROUP BY y ORDER BY y")));
    EXPECT_EQ(counted(stats.months),
              logbook.rows(QStringLiteral("SELECT substr(%1, 1, 7) AS m, count(*) FROM Launches GROUP BY m ORDER BY m")
                               .arg(QLatin1String(kIsoDate))));
    EXPECT_EQ(QStringLiteral("%1|%2|%3|%4")
                  .arg(stats.flights)
                  .arg(stats.successes)
                  .arg(stats.firstFlown.toString(Qt::ISODate), stats.lastFlown.toString(Qt::ISODate)),
              logbook
                  .rows(QStringLiteral("SELECT count(*), sum(Success <> 0), min(%1), max(%1) FROM Launches")
                            .arg(QLatin1String(kIsoDate)))
                  .value(0));
}

// The screen shows what was counted: each tab's chart has the bars of the
// first lines of its table (most flown first, latest first for years and
// months), whole-number ticks reaching the largest, and the summary the totals.
TEST(FlightStats, ChartsAndSummaryShowTheirTables)
{
    CTestLogbook logbook;
    CRecordStore store;
    ASSERT_TRUE(logbook.isValid() && store.Open(logbook.directory()));
    generateLogbook(store, 30, 400);
    CFlightLog log(store);
    CFlightStatsDlg screen(computeFlightStats(log.load()));
    screen.resize(800, 900);
    screen.show();

    const QStringList totals =
        logbook
            .rows(QStringLiteral("SELECT count(*), sum(Success <> 0), min(%1), max(%1) FROM Launches")
                      .arg(QLatin1String(kIsoDate)))
            .value(0)
            .split(QLatin1Char('|'));
    ASSERT_EQ(totals.size(), 4);
    EXPECT_EQ(screen.summary()->text(),
              QStringLiteral("%1 flights, %2 successes (%3%)\nFirst flight %4, last flight %5")
                  .arg(totals[0], totals[1])
                  .arg(qRound(100.0 * totals[1].toInt() / totals[0].toInt()))
                  .arg(totals[2], totals[3]));

    for (const char *tab : {"Rockets", "Motors", "Sites", "Years", "Months"}) {
        SCOPED_TRACE(tab);
        const QString title = QLatin1String(tab);
        screen.tabs()->setCurrentIndex(screen.tabs()->indexOf(screen.table(title)->parentWidget()));
        CBarChart *chart = screen.chart(title);
        chart->grab();
        const QAbstractItemModel *table = screen.table(title)->model();
        QList<QPair<QString, int>> rows;
        for (int row = 0; row < table->rowCount(); ++row)
            rows.append({table->index(row, 0).data().toString(), table->index(row, 1).data().toInt()});
        if (title == QLatin1String("Years") || title == QLatin1String("Months"))
            std::reverse(rows.begin(), rows.end());
        else
            std::stable_sort(rows.begin(), rows.end(),
                             [](const auto &a, const auto &b) { return a.second > b.second; });

        auto *axis = qobject_cast<QBarCategoryAxis *>(chart->chart()->axes(Qt::Vertical).value(0));
        auto *series = qobject_cast<QHorizontalBarSeries *>(chart->chart()->series().value(0));
        auto *counts = qobject_cast<QValueAxis *>(chart->chart()->axes(Qt::Horizontal).value(0));
        ASSERT_TRUE(axis && series && counts);
        QList<QPair<QString, int>> bars;
        for (qsizetype i = axis->count() - 1; i >= 0; --i)
            bars.append({axis->at(i), int(series->barSets().at(0)->at(i))});
        ASSERT_GE(bars.size(), std::min<qsizetype>(3, rows.size()));
        EXPECT_EQ(bars, rows.mid(0, bars.size()));
        EXPECT_EQ(chart->chart()->title().endsWith(QStringLiteral(" of %1").arg(rows.size())),
                  bars.size() < rows.size())
            << qPrintable(chart->chart()->title());
        EXPECT_FALSE(axis->labelsTruncated());

        const int largest = std::max_element(bars.begin(), bars.end(), [](const auto &a, const auto &b) {
                                return a.second < b.second;
                            })->second;
        EXPECT_EQ(counts->min(), 0);
        EXPECT_GE(counts->max(), largest);
        const double step = (counts->max() - counts->min()) / (counts->tickCount() - 1);
        EXPECT_EQ(step, std::round(step));
        EXPECT_LT(counts->max() - step, largest); // no empty step beyond the largest
        EXPECT_LE(counts->tickCount(), 6);
    }

    QString help;
    QApplication::setActiveWindow(&screen);
    EXPECT_TRUE(driver::onModal<CHelpBrowser>([&] { driver::keyClick(&screen, Qt::Key_F1); },
                                              [&](CHelpBrowser &browser) { help = browser.windowTitle(); }));
    EXPECT_EQ(help, QStringLiteral("Help: Statistics"));
}

TEST(FlightStats, FlightsWithoutRocketOrDateStillCount)
{
    CFlightEntry orphan;
    orphan.rocketId = QStringLiteral("7");
    orphan.dateText = QStringLiteral("never");
    orphan.success = true;
    CFlightEntry dated = orphan;
    dated.date = QDate(2026, 5, 1);
    dated.site = QStringLiteral("Pine Flats");
    CFlightEntry lower = dated;
    lower.site = QStringLiteral("pine flats ");
    const CFlightStats stats = computeFlightStats({orphan, dated, lower});
    ASSERT_EQ(stats.rockets.size(), 1u);
    EXPECT_EQ(stats.rockets[0].rocket, QStringLiteral("Rocket 7"));
    EXPECT_EQ(stats.rockets[0].flights, 3);
    EXPECT_EQ(stats.rockets[0].lastFlown, QDate(2026, 5, 1));
    EXPECT_EQ(stats.rockets[0].motors, (QMap<QString, int> {{"No motor", 3}}));
    EXPECT_EQ(counted(stats.years), QStringList({"2026|2"}));
    // A tie between two spellings goes to the first in text order.
    EXPECT_EQ(counted(stats.sites), QStringList({"Pine Flats|2", "No site|1"}));
}

} // namespace
