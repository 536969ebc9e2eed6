// The flight log on the bench logbook's 2,000 rockets and 100,000 flights, half
// their motors stored as the launch wizard stores them ("Estes A6-0"): the Flights
// screen's first rows beside a bare step over the same query, its whole list,
// one typed search character, and the statistics beside the set-based SQL that
// counts the same.
#include "BenchLogbook.h"
#include "BenchRatios.h"
#include "db/RecordStore.h"
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

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>

namespace {
constexpr int kRockets = CBenchLogbook::kRockets;
constexpr int kFlights = CBenchLogbook::kFlights;

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

// A store on the bench logbook; false after skipping the benchmark when it cannot be opened.
bool openStore(benchmark::State &state, CRecordStore &store)
{
    if (CBenchLogbook::instance().isValid() && store.Open(CBenchLogbook::instance().directory()))
        return true;
    state.SkipWithError("cannot open the bench logbook");
    return false;
}

// Steps each query to its end, reading every column as text.
bool stepQueries(sqlite3 *db, std::initializer_list<const char *> queries)
{
    for (const char *sql : queries) {
        if (stepAsText(db, sql) < 0)
            return false;
    }
    return true;
}

template<typename Run> void withDatabase(benchmark::State &state, Run run)
{
    sqlite3 *db = CBenchLogbook::instance().openBare();
    if (!db) {
        state.SkipWithError("cannot open the bench logbook");
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
    CRecordStore store;
    if (!openStore(state, store))
        return;
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    const CSettingsStore settings(CBenchLogbook::instance().scratch(QStringLiteral("settings.ini")));
    for (auto _ : state) {
        const CClock::time_point start = CClock::now();
        CFlightsDlg flights(store, settings, {prompter, files});
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
    CRecordStore store;
    if (!openStore(state, store))
        return;
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    const CSettingsStore settings(CBenchLogbook::instance().scratch(QStringLiteral("settings.ini")));
    CFlightsDlg flights(store, settings, {prompter, files});
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

// The floor of a search: the same fields of every flight looked through for
// the character in either case, as the search does, stopping at the first
// that holds it.
void plainContains(benchmark::State &state)
{
    CRecordStore store;
    if (!openStore(state, store))
        return;
    CFlightLog log(store);
    const std::vector<CFlightEntry> flights = log.load();
    for (auto _ : state) {
        int found = 0;
        for (const CFlightEntry &flight : flights) {
            for (const QString *text : {&flight.rocketName, &flight.motor, &flight.motorMfg, &flight.motorDelay,
                                        &flight.site, &flight.notes}) {
                if (text->contains(QLatin1Char('7'), Qt::CaseInsensitive)) {
                    ++found;
                    break;
                }
            }
        }
        benchmark::DoNotOptimize(found);
    }
}

void statisticsAllRockets(benchmark::State &state)
{
    CRecordStore store;
    if (!openStore(state, store))
        return;
    CFlightLog log(store);
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
