// The flight log on a logbook of 2,000 rockets and 100,000 flights, half their
// motors stored as the launch wizard stores them ("Estes A6-0"): the Flights
// screen's first rows beside a bare step over the same query, its whole list,
// one typed search character, and the statistics beside the set-based SQL that
// counts the same.
#include "BenchRatios.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "flights/FlightListModel.h"
#include "flights/FlightStats.h"
#include "flights/FlightsDlg.h"
#include "logbook/FlightLog.h"
#include "platform/SettingsStore.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>

namespace {
constexpr int kRockets = 2000;
constexpr int kFlights = 100000;

// The flight log's own read: every column, each flight's rocket named once.
const char kFlightQuery[] =
    "SELECT Launches.rowid, Rocket.Name, Model, Recovery, Motor, MotorMfg, MotorDelay, Site, WindSpeed, "
    "WindDirection, Temperature, Celcius, Date, DrogueTime, MainTime, DoneTime, Notes, Success, AltFileName "
    "FROM Launches LEFT JOIN (SELECT ID, min(Name) AS Name FROM Rockets GROUP BY ID) AS Rocket "
    "ON Rocket.ID = Launches.Model";

// The same numbers the statistics give, counted by SQLite.
const char *const kStatsQueries[] = {
    "SELECT Model, count(*), sum(Success <> 0), max(substr(Date, 7, 4) || substr(Date, 1, 2) || substr(Date, 4, 2)) "
    "FROM Launches GROUP BY Model",
    "SELECT Model, MotorMfg, Motor, MotorDelay, count(*) FROM Launches GROUP BY Model, MotorMfg, Motor, MotorDelay",
    "SELECT Model, Site, count(*) FROM Launches GROUP BY Model, Site",
    "SELECT MotorMfg, Motor, MotorDelay, count(*), sum(Success <> 0) FROM Launches GROUP BY MotorMfg, Motor, "
    "MotorDelay",
    "SELECT Site, count(*) FROM Launches GROUP BY Site",
    "SELECT substr(Date, 7, 4), substr(Date, 1, 2), count(*) FROM Launches GROUP BY 1, 2",
    "SELECT ID, Name FROM Rockets",
};

class CFlightBenchLogbook
{
public:
    CFlightBenchLogbook()
    {
        m_valid = m_dir.isValid() && CreateDatabase(directory()) && m_store.Open(directory())
            && m_store.RunSql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                                             "i < %1) INSERT INTO Rockets (ID, Name) SELECT i, 'Model ' || i FROM n")
                                  .arg(kRockets))
            && m_store.RunSql(
                QStringLiteral(
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                    "INSERT INTO Launches (Model, Recovery, Motor, MotorMfg, MotorDelay, Site, WindSpeed, "
                    "WindDirection, Temperature, Celcius, Date, DrogueTime, MainTime, DoneTime, Notes, Success, "
                    "AltFileName) SELECT 1 + i % %2, 'Parachute', CASE WHEN i % 2 = 0 THEN 'Estes ' || char(65 + i % "
                    "7) || "
                    "(6 + i % 3) || '-' || (i % 8) ELSE char(65 + i % 7) || (6 + i % 3) END, 'Estes', i % 8, "
                    "'Field ' || (i % 37), i % 30, 'NW', 60 + i % 30, 0, "
                    "printf('%02d/%02d/%04d', 1 + i % 12, 1 + i % 28, 2000 + i % 27), '', "
                    "(8 + i % 10) || ':' || printf('%02d', i % 60), '', 'Flight number ' || i || ', straight boost', "
                    "-(i % 2), '' FROM n")
                    .arg(kFlights)
                    .arg(kRockets));
    }

    static CFlightBenchLogbook &instance()
    {
        static CFlightBenchLogbook logbook;
        return logbook;
    }

    bool isValid() const { return m_valid; }
    QString directory() const { return m_dir.path() + QLatin1Char('/'); }
    CRecordStore &store() { return m_store; }

private:
    QTemporaryDir m_dir;
    CRecordStore m_store;
    bool m_valid = false;
};

// Steps each query to its end, reading every column as text, as the log must.
bool stepQueries(sqlite3 *db, std::initializer_list<const char *> queries)
{
    for (const char *sql : queries) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
            return false;
        const int columns = sqlite3_column_count(statement);
        size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text16(statement, c));
                bytes += size_t(sqlite3_column_bytes16(statement, c));
            }
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(bytes);
    }
    return true;
}

template<typename Run> void withDatabase(benchmark::State &state, Run run)
{
    CFlightBenchLogbook &logbook = CFlightBenchLogbook::instance();
    sqlite3 *db = nullptr;
    if (!logbook.isValid()
        || sqlite3_open_v2(databasePath(logbook.directory()).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr)
            != SQLITE_OK) {
        sqlite3_close(db);
        state.SkipWithError("cannot open the logbook");
        return;
    }
    for (auto _ : state) {
        if (!run(db))
            state.SkipWithError("a query failed");
    }
    sqlite3_close(db);
}

// Notes when the list first paints with flights in it.
class CFirstRowsPainted : public QObject
{
public:
    explicit CFirstRowsPainted(CFlightsDlg &flights)
        : m_flights(flights)
    {
        flights.list()->viewport()->installEventFilter(this);
    }

    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && m_flights.model()->rowCount() > 0)
            painted = true;
        return false;
    }

private:
    CFlightsDlg &m_flights;
};

using CClock = std::chrono::steady_clock;

// Runs the event loop until done() or a minute has gone; false on the minute.
template<typename Done> bool processUntil(Done done)
{
    const CClock::time_point limit = CClock::now() + std::chrono::minutes(1);
    while (!done()) {
        if (CClock::now() > limit)
            return false;
        QApplication::processEvents();
    }
    return true;
}

// From constructing the screen until its list has painted its first rows
// (firstRowsOnly), or until it lists every flight and has painted them.
void openScreen(benchmark::State &state, bool firstRowsOnly)
{
    CFlightBenchLogbook &logbook = CFlightBenchLogbook::instance();
    if (!logbook.isValid()) {
        state.SkipWithError("cannot build the logbook");
        return;
    }
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    const CSettingsStore settings(logbook.directory() + QStringLiteral("settings.ini"));
    for (auto _ : state) {
        const CClock::time_point start = CClock::now();
        CFlightsDlg flights(logbook.store(), settings, {prompter, files});
        CFirstRowsPainted painted(flights);
        flights.show();
        bool shown = processUntil([&] { return painted.painted; });
        if (shown && !firstRowsOnly) {
            shown = processUntil([&] { return flights.model()->flights().size() == std::size_t(kFlights); });
            painted.painted = false;
            shown = shown && processUntil([&] { return painted.painted; });
        }
        state.SetIterationTime(std::chrono::duration<double>(CClock::now() - start).count());
        // Untimed: the whole list must still arrive.
        if (!shown || !processUntil([&] { return flights.model()->flights().size() == std::size_t(kFlights); })) {
            state.SkipWithError("the screen did not list every flight");
            return;
        }
    }
}

void screenFirstRows(benchmark::State &state)
{
    openScreen(state, true);
}

void screenFullList(benchmark::State &state)
{
    openScreen(state, false);
}

void flightStepWalk(benchmark::State &state)
{
    withDatabase(state, [](sqlite3 *db) { return stepQueries(db, {kFlightQuery}); });
}

void searchOneCharacter(benchmark::State &state)
{
    CFlightBenchLogbook &logbook = CFlightBenchLogbook::instance();
    if (!logbook.isValid()) {
        state.SkipWithError("cannot build the logbook");
        return;
    }
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    const CSettingsStore settings(logbook.directory() + QStringLiteral("settings.ini"));
    CFlightsDlg flights(logbook.store(), settings, {prompter, files});
    flights.show();
    if (!processUntil([&] { return flights.model()->flights().size() == std::size_t(kFlights); })) {
        state.SkipWithError("the screen did not list every flight");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        flights.searchField()->clear();
        QApplication::processEvents();
        state.ResumeTiming();
        // The first character refilters all the flights: the longest wait the flyer sees.
        flights.searchField()->insert(QStringLiteral("7"));
        QApplication::processEvents();
    }
    if (flights.model()->rowCount() == 0 || flights.model()->rowCount() == kFlights)
        state.SkipWithError("the search did not narrow the list");
}

// The floor of a search: the same texts looked through once by plain contains.
void plainContains(benchmark::State &state)
{
    CFlightBenchLogbook &logbook = CFlightBenchLogbook::instance();
    CFlightLog log(logbook.store());
    const std::vector<CFlightEntry> flights = log.load();
    for (auto _ : state) {
        int found = 0;
        for (const CFlightEntry &flight : flights) {
            for (const QString *text :
                 {&flight.rocketName, &flight.motor, &flight.motorMfg, &flight.site, &flight.notes})
                found += text->contains(QLatin1Char('7')) ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
}

void statisticsAllRockets(benchmark::State &state)
{
    CFlightBenchLogbook &logbook = CFlightBenchLogbook::instance();
    if (!logbook.isValid()) {
        state.SkipWithError("cannot build the logbook");
        return;
    }
    CFlightLog log(logbook.store());
    std::size_t rockets = 0;
    for (auto _ : state)
        rockets = computeFlightStats(log.load()).rockets.size();
    if (rockets != std::size_t(kRockets))
        state.SkipWithError("the statistics did not count every rocket");
}

void statisticsSql(benchmark::State &state)
{
    withDatabase(state, [](sqlite3 *db) {
        for (const char *sql : kStatsQueries) {
            if (!stepQueries(db, {sql}))
                return false;
        }
        return true;
    });
}

const bool registered = [] {
    benchmark::RegisterBenchmark("flights/screen_first_rows", screenFirstRows)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("flights/screen_full_list", screenFullList)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("flights/sqlite_step_walk", flightStepWalk)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("flights/search_one_character", searchOneCharacter)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("flights/plain_contains", plainContains)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("flights/statistics", statisticsAllRockets)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
    benchmark::RegisterBenchmark("flights/statistics_sql", statisticsSql)->Unit(benchmark::kMillisecond)->Iterations(3);
    registerRatio({"flights/screen_first_rows", "flights/sqlite_step_walk", 3.0, 0.3});
    registerRatio({"flights/search_one_character", "flights/plain_contains", 10.0, 0.1});
    registerRatio({"flights/statistics", "flights/statistics_sql", 3.0});
    return true;
}();

} // namespace
