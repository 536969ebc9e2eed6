// Stepping to the next rocket in a large logbook: the rocket page's whole show
// (list, summary with launch count, recommended-motor entries) against the same
// statements run directly through SQLite.
#include "BenchLogbook.h"
#include "BenchRatios.h"
#include "db/RecordStore.h"
#include "rockets/RocketBrowser.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kRockets = CBenchLogbook::kRockets;

void BM_RocketStepNext(benchmark::State &state)
{
    CRecordStore store;
    if (!CBenchLogbook::instance().isValid() || !store.Open(CBenchLogbook::instance().directory())) {
        state.SkipWithError("no logbook");
        return;
    }
    CRocketBrowser browser(store, CRocketBrowser::Mode::Browse);
    const int count = int(browser.fillNameList().size());
    browser.chooseName(0);
    for (auto _ : state) {
        const CRocketView &view = browser.step(1, count);
        benchmark::DoNotOptimize(view.summary.size() + view.motorEntries.size());
    }
}

// Steps a prepared statement, its values bound beforehand, reading every
// column of every row as text; resets it for the next run.
std::vector<std::string> readAll(sqlite3_stmt *statement)
{
    std::vector<std::string> cells;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const unsigned char *text = sqlite3_column_text(statement, c);
            cells.emplace_back(text ? reinterpret_cast<const char *>(text) : "");
        }
    }
    sqlite3_reset(statement);
    return cells;
}

// The floor: the statements the show runs, each prepared once and run with
// its values bound, straight through SQLite.
void BM_RocketStepNextFloor(benchmark::State &state)
{
    sqlite3 *db = CBenchLogbook::instance().openBare();
    const char *const sql[] = {
        "Select * FROM Rockets ORDER BY Name",
        "Select * FROM Launches WHERE Model = ?1",
        "SELECT * FROM RecMotors WHERE RocketID = ?1 ORDER BY Type",
        "SELECT * FROM RecMotors WHERE RocketID = ?1 AND GroupID = ?2 ORDER BY Type",
    };
    sqlite3_stmt *statements[4] = {};
    bool prepared = db != nullptr;
    for (int i = 0; prepared && i < 4; ++i)
        prepared = sqlite3_prepare_v2(db, sql[i], -1, &statements[i], nullptr) == SQLITE_OK;
    if (!prepared)
        state.SkipWithError("no logbook");
    const auto bind = [](sqlite3_stmt *statement, int index, const std::string &text) {
        sqlite3_bind_text(statement, index, text.c_str(), int(text.size()), SQLITE_TRANSIENT);
    };
    const int columns = 17;
    int position = 0;
    for (auto _ : state) {
        if (!prepared)
            break;
        position = (position + 1) % kRockets;
        const std::vector<std::string> list = readAll(statements[0]);
        const std::string id = list.at(size_t(position) * columns);
        const bool grouped = list.at(size_t(position) * columns + 9) != "0";
        bind(statements[1], 1, id);
        const size_t launches = readAll(statements[1]).size();
        bind(statements[2], 1, id);
        const std::vector<std::string> motors = readAll(statements[2]);
        size_t cells = launches + motors.size();
        if (grouped) {
            std::vector<std::string> groups;
            for (size_t row = 0; row * 9 < motors.size(); ++row) {
                const std::string &group = motors.at(row * 9 + 8);
                if (std::find(groups.begin(), groups.end(), group) == groups.end())
                    groups.push_back(group);
            }
            for (const std::string &group : groups) {
                bind(statements[3], 1, id);
                bind(statements[3], 2, group);
                cells += readAll(statements[3]).size();
            }
        }
        benchmark::DoNotOptimize(cells);
    }
    for (sqlite3_stmt *statement : statements)
        sqlite3_finalize(statement);
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_RocketStepNext)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RocketStepNextFloor)->Unit(benchmark::kMillisecond);

static const bool kRocketStepRatio = registerRatio({"BM_RocketStepNext", "BM_RocketStepNextFloor", 3.0, 0.030});
