// Saved queries on a logbook of 100,000 flights: the export beside the sqlite3
// shell writing the same query as CSV, the viewer filling its list beside a
// bare walk of the rows, and one sort of the filled list.
#include "BenchRatios.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "queries/QueryDlg.h"
#include "queries/QueryExport.h"
#include "queries/SavedQueries.h"
#include "queries/SortListCtrl.h"
#include "queries/SortOrder.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace {
constexpr int kFlights = 100000;

// One logbook for every benchmark of this file, filled at first use.
class CFlightLogbook
{
public:
    CFlightLogbook()
    {
        m_valid = m_dir.isValid() && CreateDatabase(directory()) && m_store.Open(directory());
        m_valid = m_valid
            && m_store.RunSql(
                QStringLiteral(
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                    "INSERT INTO Launches (Model, Recovery, Motor, MotorMfg, MotorDelay, Site, WindSpeed, "
                    "WindDirection, Temperature, Celcius, Date, DrogueTime, MainTime, DoneTime, Notes, Success, "
                    "AltFileName) SELECT i % 50, 'Parachute', 'C6', 'Estes', i % 8, 'Field ' || (i % 37), i % 30, "
                    "'NW', "
                    "60 + i % 30, 0, '06/21/2026', '', '14:07:20', '14:07:41', 'Flight number ' || i || ', straight "
                    "boost', i % 2, '' FROM n")
                    .arg(kFlights));
        m_valid =
            m_valid && addSavedQuery(m_store, {QStringLiteral("Flights"), QStringLiteral("SELECT * FROM Launches")});
        m_index = savedQueryIndex(m_store, QStringLiteral("Flights"));
        m_valid = m_valid && m_index >= 0;
    }

    static CFlightLogbook &instance()
    {
        static CFlightLogbook logbook;
        return logbook;
    }

    bool isValid() const { return m_valid; }
    QString directory() const { return m_dir.path() + QLatin1Char('/'); }
    QString file(const QString &name) const { return m_dir.filePath(name); }
    CRecordStore &store() { return m_store; }
    int queryIndex() const { return m_index; }

private:
    QTemporaryDir m_dir;
    CRecordStore m_store;
    int m_index = -1;
    bool m_valid = false;
};

void exportCsv(benchmark::State &state)
{
    CFlightLogbook &logbook = CFlightLogbook::instance();
    if (!logbook.isValid()) {
        state.SkipWithError("cannot build the logbook");
        return;
    }
    const QString path = logbook.file(QStringLiteral("export.csv"));
    for (auto _ : state) {
        QString message;
        if (exportSavedQuery(logbook.store(), logbook.queryIndex(), path, &message) != ExportStatus::Written)
            state.SkipWithError(message.toUtf8().constData());
    }
}

void sqliteShellCsv(benchmark::State &state)
{
    CFlightLogbook &logbook = CFlightLogbook::instance();
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (!logbook.isValid() || shell.isEmpty()) {
        state.SkipWithError("the sqlite3 shell is not installed");
        return;
    }
    for (auto _ : state) {
        QProcess process;
        process.setStandardOutputFile(logbook.file(QStringLiteral("shell.csv")));
        process.start(
            shell,
            {QStringLiteral("-csv"), databasePath(logbook.directory()), QStringLiteral("SELECT * FROM Launches")});
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            state.SkipWithError("the sqlite3 shell failed");
    }
}

void viewerFill(benchmark::State &state)
{
    CFlightLogbook &logbook = CFlightLogbook::instance();
    if (!logbook.isValid()) {
        state.SkipWithError("cannot build the logbook");
        return;
    }
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CQueryDlg viewer(logbook.store(), {prompter, files});
    viewer.show();
    QApplication::processEvents();
    for (auto _ : state) {
        viewer.selectQuery(logbook.queryIndex());
        QApplication::processEvents(); // lay out and paint the filled list
    }
    if (viewer.resultList()->itemCount() != kFlights)
        state.SkipWithError("the viewer did not show every flight");
}

void stepWalk(benchmark::State &state)
{
    CFlightLogbook &logbook = CFlightLogbook::instance();
    sqlite3 *db = nullptr;
    if (!logbook.isValid()
        || sqlite3_open_v2(databasePath(logbook.directory()).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr)
            != SQLITE_OK) {
        sqlite3_close(db);
        state.SkipWithError("cannot open the logbook");
        return;
    }
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Launches", -1, &statement, nullptr);
        const int columns = sqlite3_column_count(statement);
        size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
                bytes += size_t(sqlite3_column_bytes(statement, c));
            }
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(db);
}

// Sorting the filled list by the site (many ties, so the first column breaks them).
void listSort(benchmark::State &state)
{
    CFlightLogbook &logbook = CFlightLogbook::instance();
    if (!logbook.isValid()) {
        state.SkipWithError("cannot build the logbook");
        return;
    }
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CQueryDlg viewer(logbook.store(), {prompter, files});
    viewer.selectQuery(logbook.queryIndex());
    for (auto _ : state)
        viewer.resultList()->sortOnColumn(5); // each request flips the direction
}

// The floor: the site texts alone, sorted by the same text comparison.
void plainSort(benchmark::State &state)
{
    QStringList sites;
    sites.reserve(kFlights);
    for (int i = 1; i <= kFlights; ++i)
        sites.append(QStringLiteral("Field %1").arg(i % 37));
    for (auto _ : state) {
        state.PauseTiming();
        QStringList copy = sites;
        copy.detach();
        state.ResumeTiming();
        std::stable_sort(copy.begin(), copy.end(),
                         [](const QString &a, const QString &b) { return compareSortTexts(a, b) < 0; });
        benchmark::DoNotOptimize(copy);
    }
}

const bool registered = [] {
    benchmark::RegisterBenchmark("queries/export_csv", exportCsv)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("queries/sqlite3_shell_csv", sqliteShellCsv)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5);
    benchmark::RegisterBenchmark("queries/viewer_fill", viewerFill)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("queries/sqlite_step_walk", stepWalk)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("queries/list_sort", listSort)->Unit(benchmark::kMillisecond)->Iterations(4);
    benchmark::RegisterBenchmark("queries/plain_sort", plainSort)->Unit(benchmark::kMillisecond)->Iterations(4);
    registerRatio({"queries/export_csv", "queries/sqlite3_shell_csv", 2.0});
    registerRatio({"queries/viewer_fill", "queries/sqlite_step_walk", 5.0, 2.0});
    registerRatio({"queries/list_sort", "queries/plain_sort", 10.0, 0.3});
    return true;
}();
} // namespace
