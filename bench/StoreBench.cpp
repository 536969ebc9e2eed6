// The record store against bare SQLite on the bench logbook, in the same run:
// walking and positioning in the 100,000 flights, and renumbering the 2,000
// rockets with their recommended motors and flights.
#include "BenchLogbook.h"
#include "BenchRatios.h"
#include "db/RecordStore.h"

#include <QRandomGenerator>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace {

constexpr int kColumns = 17;

bool openStore(benchmark::State &state, CRecordStore &store, const QString &storage)
{
    if (CBenchLogbook::instance().isValid() && !storage.isEmpty() && store.Open(storage))
        return true;
    state.SkipWithError("the bench logbook cannot be opened");
    return false;
}

void BM_StoreWalk(benchmark::State &state)
{
    CRecordStore store;
    if (!openStore(state, store, CBenchLogbook::instance().directory()))
        return;
    qsizetype characters = 0;
    for (auto _ : state) {
        if (!store.RunSql(QStringLiteral("SELECT * FROM Launches")))
            state.SkipWithError("the walk's query failed");
        for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
            for (int c = 0; c < kColumns; ++c)
                characters += store.GetFieldText(c).size();
        }
    }
    benchmark::DoNotOptimize(characters);
}

void BM_StoreMoveTo(benchmark::State &state)
{
    CRecordStore store;
    if (!openStore(state, store, CBenchLogbook::instance().directory()))
        return;
    QList<int> positions(CBenchLogbook::kFlights);
    for (int &p : positions)
        p = int(QRandomGenerator::global()->bounded(CBenchLogbook::kFlights));
    qsizetype characters = 0;
    for (auto _ : state) {
        if (!store.RunSql(QStringLiteral("SELECT * FROM Launches")))
            state.SkipWithError("the walk's query failed");
        for (int p : positions) {
            store.MoveTo(p);
            for (int c = 0; c < kColumns; ++c)
                characters += store.GetFieldText(c).size();
        }
    }
    benchmark::DoNotOptimize(characters);
}

// The floor: the same statement stepped through SQLite, every value read as text.
void BM_SqliteStepFloor(benchmark::State &state)
{
    sqlite3 *db = CBenchLogbook::instance().openBare();
    if (!db) {
        state.SkipWithError("the bench logbook cannot be opened");
        return;
    }
    for (auto _ : state) {
        if (stepAsText(db, "SELECT * FROM Launches") < 0)
            state.SkipWithError("the walk's query failed");
    }
    sqlite3_close(db);
}

void BM_StoreReindex(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<CRecordStore>();
        if (!openStore(state, *store, CBenchLogbook::instance().copy()))
            return;
        state.ResumeTiming();
        if (!store->Reindex())
            state.SkipWithError("Reindex failed");
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}

// The floor: the same renumbering as set-based statements in one transaction.
void BM_SetBasedRenumberFloor(benchmark::State &state)
{
    const char *const renumbering[] = {
        "BEGIN IMMEDIATE",
        "CREATE TEMP TABLE renumber (old INTEGER PRIMARY KEY, new INTEGER)",
        "INSERT OR REPLACE INTO renumber SELECT ID, row_number() OVER (ORDER BY Name) FROM Rockets",
        "UPDATE Rockets SET ID = renumber.new FROM renumber WHERE renumber.old = Rockets.ID",
        "UPDATE RecMotors SET RocketID = renumber.new FROM renumber WHERE renumber.old = RecMotors.RocketID",
        "UPDATE Launches SET Model = renumber.new FROM renumber WHERE renumber.old = Launches.Model",
        "COMMIT",
    };
    for (auto _ : state) {
        state.PauseTiming();
        const QString storage = CBenchLogbook::instance().copy();
        sqlite3 *db = nullptr;
        if (storage.isEmpty()
            || sqlite3_open((storage + QStringLiteral("TarvelDB.CDB")).toUtf8().constData(), &db) != SQLITE_OK) {
            sqlite3_close(db);
            state.SkipWithError("the bench logbook cannot be copied");
            return;
        }
        // With the store's journal and durability, so that both pay for the same syncs.
        sqlite3_exec(db, "PRAGMA synchronous = FULL; PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
        state.ResumeTiming();
        for (const char *sql : renumbering) {
            if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
                state.SkipWithError("the renumbering failed");
        }
        state.PauseTiming();
        sqlite3_close(db);
        state.ResumeTiming();
    }
}

} // namespace

BENCHMARK(BM_SqliteStepFloor)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StoreWalk)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_StoreMoveTo)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_SetBasedRenumberFloor)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StoreReindex)->Unit(benchmark::kMillisecond)->Iterations(5);

static const bool kStoreRatios = registerRatio({"BM_StoreWalk", "BM_SqliteStepFloor", 3.0})
    && registerRatio({"BM_StoreMoveTo", "BM_SqliteStepFloor", 3.0})
    && registerRatio({"BM_StoreReindex", "BM_SetBasedRenumberFloor", 5.0, 2.0});
