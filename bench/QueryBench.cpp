// Saved queries on the bench logbook's 100,000 flights: the export beside a
// bare step loop writing the same CSV bytes, the viewer filling its list
// beside a bare walk of the rows, and one sort of the filled list.
#include "BenchLogbook.h"
#include "BenchRatios.h"
#include "db/RecordStore.h"
#include "queries/QueryDlg.h"
#include "queries/QueryExport.h"
#include "queries/SavedQueries.h"
#include "queries/SortListCtrl.h"
#include "queries/SortOrder.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {
constexpr int kFlights = CBenchLogbook::kFlights;

// A store on the bench logbook and the position of its saved query "Flights".
struct CQueryBench
{
    CRecordStore store;
    int index = -1;

    bool open(benchmark::State &state)
    {
        if (CBenchLogbook::instance().isValid() && store.Open(CBenchLogbook::instance().directory()))
            index = savedQueryIndex(store, QStringLiteral("Flights"));
        if (index < 0)
            state.SkipWithError("cannot open the bench logbook");
        return index >= 0;
    }
};

void exportCsv(benchmark::State &state)
{
    CQueryBench bench;
    if (!bench.open(state))
        return;
    const QString path = CBenchLogbook::instance().scratch(QStringLiteral("export.csv"));
    for (auto _ : state) {
        QString message;
        if (exportSavedQuery(bench.store, bench.index, path, &message) != ExportStatus::Written)
            state.SkipWithError(message.toUtf8().constData());
    }
}

// Appends a field as the export writes it: between quotes, quotes doubled,
// an empty value as one space.
void appendCsvField(std::string &out, const char *text, int bytes)
{
    if (bytes == 0) {
        out += ' ';
        return;
    }
    const char *end = text + bytes;
    for (const char *quote; (quote = static_cast<const char *>(std::memchr(text, '"', size_t(end - text))));) {
        out.append(text, size_t(quote - text + 1));
        out += '"';
        text = quote + 1;
    }
    out.append(text, size_t(end - text));
}

// The floor: the same bytes written by a bare step loop straight from
// SQLite's UTF-8, in 64 KB blocks, to a file synced and renamed into place
// as the export's is.
void bareCsv(benchmark::State &state)
{
    sqlite3 *db = CBenchLogbook::instance().openBare();
    if (!db) {
        state.SkipWithError("cannot open the bench logbook");
        return;
    }
    const QByteArray path = CBenchLogbook::instance().scratch(QStringLiteral("bare.csv")).toUtf8();
    const QByteArray partial = path + ".new";
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Launches", -1, &statement, nullptr);
        FILE *out = std::fopen(partial.constData(), "wb");
        const int columns = sqlite3_column_count(statement);
        std::string block;
        const auto line = [&](auto field) {
            block += '"';
            for (int c = 0; c < columns; ++c) {
                if (c > 0)
                    block += "\",\"";
                field(c);
            }
            block += "\"\r\n";
            if (block.size() >= (1 << 16)) {
                std::fwrite(block.data(), 1, block.size(), out);
                block.clear();
            }
        };
        line([&](int c) {
            const char *name = sqlite3_column_name(statement, c);
            appendCsvField(block, name, int(std::strlen(name)));
        });
        while (sqlite3_step(statement) == SQLITE_ROW) {
            line([&](int c) {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, c));
                appendCsvField(block, text, text ? sqlite3_column_bytes(statement, c) : 0);
            });
        }
        std::fwrite(block.data(), 1, block.size(), out);
        std::fflush(out);
        ::fdatasync(fileno(out));
        std::fclose(out);
        std::rename(partial.constData(), path.constData());
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
}

void viewerFill(benchmark::State &state)
{
    CQueryBench bench;
    if (!bench.open(state))
        return;
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CQueryDlg viewer(bench.store, {prompter, files});
    viewer.show();
    QApplication::processEvents();
    for (auto _ : state) {
        viewer.selectQuery(bench.index);
        QApplication::processEvents(); // lay out and paint the filled list
    }
    if (viewer.resultList()->itemCount() != kFlights)
        state.SkipWithError("the viewer did not show every flight");
}

// The floor: the same statement stepped, every value read as text.
void stepWalk(benchmark::State &state)
{
    sqlite3 *db = CBenchLogbook::instance().openBare();
    if (!db) {
        state.SkipWithError("cannot open the bench logbook");
        return;
    }
    for (auto _ : state) {
        if (stepAsText(db, "SELECT * FROM Launches") < 0)
            state.SkipWithError("the query failed");
    }
    sqlite3_close(db);
}

// Sorting the filled list by the site (many ties, so the first column breaks them).
void listSort(benchmark::State &state)
{
    CQueryBench bench;
    if (!bench.open(state))
        return;
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CQueryDlg viewer(bench.store, {prompter, files});
    viewer.selectQuery(bench.index);
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
    benchmark::RegisterBenchmark("queries/bare_csv", bareCsv)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("queries/viewer_fill", viewerFill)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RegisterBenchmark("queries/sqlite_step_walk", stepWalk)->Unit(benchmark::kMillisecond)->Iterations(5);
    benchmark::RegisterBenchmark("queries/list_sort", listSort)->Unit(benchmark::kMillisecond)->Iterations(4);
    benchmark::RegisterBenchmark("queries/plain_sort", plainSort)->Unit(benchmark::kMillisecond)->Iterations(4);
    registerRatio({"queries/export_csv", "queries/bare_csv", 2.0});
    registerRatio({"queries/viewer_fill", "queries/sqlite_step_walk", 3.0, 2.0});
    registerRatio({"queries/list_sort", "queries/plain_sort", 10.0, 0.3});
    return true;
}();
} // namespace
