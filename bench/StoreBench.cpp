// The record store against bare SQLite on the same data, in the same run:
// walking and positioning in a 100,000-row result, and renumbering 10,000
// rockets with 50,000 recommended motors and 100,000 flights.
#include "BenchRatios.h"
#include "db/RecordStore.h"
#include "db/Schema.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>

namespace {

constexpr int kWalkRows = 100000;
constexpr int kRockets = 10000;
constexpr int kRecMotors = 50000;
constexpr int kLaunches = 100000;

void exec(sqlite3 *db, const char *sql)
{
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        std::abort();
}

// Runs a prepared insert count times with the row number bound as ?1.
void fill(sqlite3 *db, const char *sql, int count)
{
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &insert, nullptr);
    for (int i = 0; i < count; ++i) {
        sqlite3_bind_int(insert, 1, i);
        if (sqlite3_step(insert) != SQLITE_DONE)
            std::abort();
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
}

// A logbook made once per run and copied for every benchmark that changes it.
class CBenchLogbook
{
public:
    CBenchLogbook()
    {
        const QString storage = directory();
        if (!CreateDatabase(storage))
            std::abort();
        sqlite3 *db = nullptr;
        sqlite3_open(databasePath(storage).toUtf8().constData(), &db);
        exec(db, "BEGIN");
        fill(db,
             "INSERT INTO Launches (Model, Recovery, Motor, MotorMfg, MotorDelay, Site, WindSpeed, WindDirection, "
             "Temperature, Celcius, Date, DrogueTime, MainTime, DoneTime, Notes, Success, AltFileName) VALUES ("
             "?1 % 10000 + 1, 'Parachute', 'C6', 'Estes', 5, 'Miller Field', 8, 'NW', 68, 0, '04/12/2026', "
             "'14:07:20', '14:07:31', '14:08:02', 'Straight boost, chute opened at apogee.', -1, 'flight.flt')",
             kLaunches);
        // Name order is the reverse of number order, so every reference changes.
        fill(db, "INSERT INTO Rockets (ID, Name, MFG) VALUES (?1 + 1, printf('R%06d', 10000 - ?1), 'Estes')", kRockets);
        fill(db, "INSERT INTO RecMotors (RocketID, Type, Delay, MFG) VALUES (?1 % 10000 + 1, 'C6', 5, 'Estes')",
             kRecMotors);
        exec(db, "COMMIT");
        sqlite3_close(db);
    }

    QString directory() const { return m_dir.path() + QStringLiteral("/pristine/"); }

    // A fresh copy of the logbook in its own storage directory.
    QString copy() const
    {
        const QString storage = m_dir.path() + QStringLiteral("/copy/");
        QDir().mkpath(storage);
        QFile::remove(databasePath(storage));
        if (!QFile::copy(databasePath(directory()), databasePath(storage)))
            std::abort();
        return storage;
    }

private:
    QTemporaryDir m_dir;
};

CBenchLogbook &logbook()
{
    static CBenchLogbook instance;
    return instance;
}

void BM_StoreWalk(benchmark::State &state)
{
    CRecordStore store;
    if (!store.Open(logbook().directory()))
        qFatal("the bench logbook cannot be used");
    qsizetype characters = 0;
    for (auto _ : state) {
        if (!store.RunSql(QStringLiteral("SELECT * FROM Launches")))
            qFatal("the bench logbook cannot be used");
        for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
            for (int c = 0; c < 17; ++c)
                characters += store.GetFieldText(c).size();
        }
    }
    benchmark::DoNotOptimize(characters);
}

void BM_StoreMoveTo(benchmark::State &state)
{
    CRecordStore store;
    if (!store.Open(logbook().directory()))
        qFatal("the bench logbook cannot be used");
    QList<int> positions(kWalkRows);
    for (int &p : positions)
        p = int(QRandomGenerator::global()->bounded(kWalkRows));
    qsizetype characters = 0;
    for (auto _ : state) {
        if (!store.RunSql(QStringLiteral("SELECT * FROM Launches")))
            qFatal("the bench logbook cannot be used");
        for (int p : positions) {
            store.MoveTo(p);
            for (int c = 0; c < 17; ++c)
                characters += store.GetFieldText(c).size();
        }
    }
    benchmark::DoNotOptimize(characters);
}

// The floor: the same statement stepped through SQLite, every value read as UTF-16.
void BM_SqliteStepFloor(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    sqlite3_open(databasePath(logbook().directory()).toUtf8().constData(), &db);
    size_t bytes = 0;
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM Launches", -1, &statement, nullptr);
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int c = 0; c < 17; ++c) {
                benchmark::DoNotOptimize(sqlite3_column_text16(statement, c));
                bytes += size_t(sqlite3_column_bytes16(statement, c));
            }
        }
        sqlite3_finalize(statement);
    }
    benchmark::DoNotOptimize(bytes);
    sqlite3_close(db);
}

void BM_StoreReindex(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<CRecordStore>();
        if (!store->Open(logbook().copy()))
            state.SkipWithError("the bench logbook cannot be opened");
        state.ResumeTiming();
        if (!store->Reindex())
            state.SkipWithError("Reindex failed");
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}

// The floor: the same renumbering as three set-based statements.
void BM_SetBasedRenumberFloor(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        const QString storage = logbook().copy();
        sqlite3 *db = nullptr;
        sqlite3_open(databasePath(storage).toUtf8().constData(), &db);
        state.ResumeTiming();
        exec(db, "BEGIN IMMEDIATE");
        exec(db, "CREATE TEMP TABLE renumber (old INTEGER PRIMARY KEY, new INTEGER)");
        exec(db, "INSERT OR REPLACE INTO renumber SELECT ID, row_number() OVER (ORDER BY Name) FROM Rockets");
        exec(db, "UPDATE Rockets SET ID = renumber.new FROM renumber WHERE renumber.old = Rockets.ID");
        exec(db, "UPDATE RecMotors SET RocketID = renumber.new FROM renumber WHERE renumber.old = RecMotors.RocketID");
        exec(db, "UPDATE Launches SET Model = renumber.new FROM renumber WHERE renumber.old = Launches.Model");
        exec(db, "COMMIT");
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
