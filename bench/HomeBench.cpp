// Start-up of the desktop home on a logbook of 100,000 flights: the main
// window constructed and shown, and its first rows painted, each beside a bare
// Qt window's start in the same run.
#include "BenchRatios.h"
#include "app/HomeView.h"
#include "app/PromptStoreReporter.h"
#include "app/TarvelDlg.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "flights/FlightListModel.h"
#include "flights/FlightListPane.h"
#include "platform/SettingsStore.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QApplication>
#include <QEvent>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <chrono>

namespace {
constexpr int kFlights = 100000;

using CClock = std::chrono::steady_clock;

class CHomeBenchLogbook
{
public:
    CHomeBenchLogbook()
    {
        CRecordStore store;
        m_valid = m_dir.isValid() && CreateDatabase(directory()) && store.Open(directory())
            && store.RunSql(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                                           "i < 2000) INSERT INTO Rockets (ID, Name) SELECT i, 'Model ' || i FROM n"))
            && store.RunSql(
                QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                               "INSERT INTO Launches (Model, Motor, MotorMfg, MotorDelay, Site, Date, DrogueTime, "
                               "Notes, Success) SELECT 1 + i % 2000, char(65 + i % 7) || (6 + i % 3), 'Estes', i % 8, "
                               "'Field ' || (i % 37), printf('%02d/%02d/%04d', 1 + i % 12, 1 + i % 28, 2000 + i % 27), "
                               "(8 + i % 10) || ':' || printf('%02d', i % 60), 'Flight number ' || i, -(i % 2) FROM n")
                    .arg(kFlights));
        m_settings.setDefaultStorageDirectory(directory());
    }

    static CHomeBenchLogbook &instance()
    {
        static CHomeBenchLogbook logbook;
        return logbook;
    }

    bool isValid() const { return m_valid; }
    QString directory() const { return m_dir.path() + QLatin1Char('/'); }
    CSettingsStore &settings() { return m_settings; }

private:
    QTemporaryDir m_dir;
    CSettingsStore m_settings {m_dir.filePath(QStringLiteral("settings.ini"))};
    bool m_valid = false;
};

// Notes when a widget paints (with `ready` true, if given).
class CPainted : public QObject
{
public:
    CPainted(QWidget *widget, std::function<bool()> ready = {})
        : m_ready(std::move(ready))
    {
        widget->installEventFilter(this);
    }

    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && (!m_ready || m_ready()))
            painted = true;
        return false;
    }

private:
    std::function<bool()> m_ready;
};

// Runs the event loop as the program's own does, asleep while there is
// nothing to do (so a reading thread has the processor to itself), until
// done() or a minute has gone; false on the minute.
template<typename Done> bool processUntil(Done done)
{
    const CClock::time_point limit = CClock::now() + std::chrono::minutes(1);
    QTimer wake;
    wake.start(5);
    while (!done()) {
        if (CClock::now() > limit)
            return false;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// The floor: a bare window constructed, shown and painted.
void bareWindow(benchmark::State &state)
{
    for (auto _ : state) {
        const CClock::time_point start = CClock::now();
        QWidget window;
        window.resize(1024, 700);
        CPainted painted(&window);
        window.show();
        const bool shown = processUntil([&] { return painted.painted; });
        state.SetIterationTime(std::chrono::duration<double>(CClock::now() - start).count());
        if (!shown)
            state.SkipWithError("the window was not painted");
    }
}

// From constructing the main window until it is painted (firstRows false) or
// until its flight list has painted its first rows; the whole log must still
// come, untimed.
void startHome(benchmark::State &state, bool firstRows)
{
    CHomeBenchLogbook &logbook = CHomeBenchLogbook::instance();
    if (!logbook.isValid()) {
        state.SkipWithError("cannot build the logbook");
        return;
    }
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CPromptStoreReporter reporter(prompter, nullptr, {});
    for (auto _ : state) {
        const CClock::time_point start = CClock::now();
        CTarvelDlg window(logbook.settings(), {prompter, files}, reporter);
        CPainted shown(&window);
        window.show();
        if (!window.home()) {
            state.SkipWithError("the screen is not a desktop: no home");
            return;
        }
        CFlightListPane *pane = window.home()->flightList();
        CPainted rows(pane->list()->viewport(), [pane] { return pane->model()->rowCount() > 0; });
        const bool done = processUntil([&] { return firstRows ? rows.painted : shown.painted; });
        state.SetIterationTime(std::chrono::duration<double>(CClock::now() - start).count());
        if (!done || !processUntil([&] { return pane->model()->flights().size() == std::size_t(kFlights); })) {
            state.SkipWithError("the home did not list every flight");
            return;
        }
    }
}

void homeShown(benchmark::State &state)
{
    startHome(state, false);
}

void homeFirstRows(benchmark::State &state)
{
    startHome(state, true);
}

[[maybe_unused]] const bool registered = [] {
    benchmark::RegisterBenchmark("home/bare_window", bareWindow)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("home/window_shown", homeShown)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("home/first_rows", homeFirstRows)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    registerRatio({"home/window_shown", "home/bare_window", 20.0, 0.3});
    registerRatio({"home/first_rows", "home/bare_window", 20.0, 0.3});
    return true;
}();

} // namespace
