// Stepping to the next rocket in a large logbook: the rocket page's whole show
// (list, summary with launch count, recommended-motor entries) against the same
// statements run directly through SQLite.
#include "BenchRatios.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "db/StoreTransaction.h"
#include "rockets/RocketBrowser.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kRockets = 2000;
constexpr int kRecMotors = 10000;
constexpr int kLaunches = 20000;

// One logbook for both benchmarks, made on first use.
struct CBenchLogbook
{
    QTemporaryDir dir;
    QString storage;
    bool valid = false;

    CBenchLogbook()
    {
        storage = dir.path() + QLatin1Char('/');
        if (!dir.isValid() || !CreateDatabase(storage))
            return;
        CRecordStore store;
        if (!store.Open(storage))
            return;
        CStoreTransaction transaction(store);
        bool ok = true;
        for (int i = 1; i <= kRockets && ok; ++i) {
            // Every third rocket is clustered and staged, the rest simple.
            const bool grouped = i % 3 == 0;
            ok = store.RunSql(QStringLiteral("INSERT INTO Rockets (ID,Name,MFG,Type,Recovery,Stages,Clustered,"
                                             "Status,Notes,Weight,CheckList) VALUES (%1,'Rocket %2','Estes',"
                                             "'Sport','Parachute','%3','%3','Flying','Flies well.','40 g',"
                                             "'Arm,Clear,')")
                                  .arg(i)
                                  .arg(i, 5, 10, QLatin1Char('0'))
                                  .arg(grouped ? 1 : 0));
        }
        for (int i = 0; i < kRecMotors && ok; ++i) {
            const int rocket = i % kRockets + 1;
            ok = store.RunSql(QStringLiteral("INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt,Stage,Qty,GroupID) "
                                             "VALUES (%1,'C%2','5','Estes','300','%3','2','%4')")
                                  .arg(rocket)
                                  .arg(i % 7)
                                  .arg(i / kRockets % 2 + 1)
                                  .arg(i / (2 * kRockets) + 1));
        }
        for (int i = 0; i < kLaunches && ok; ++i)
            ok = store.RunSql(QStringLiteral("INSERT INTO Launches (Model,Motor,Notes) VALUES ('%1','C6','ok')")
                                  .arg(i % kRockets + 1));
        valid = ok && transaction.commit();
    }
};

CBenchLogbook &logbook()
{
    static CBenchLogbook instance;
    return instance;
}

void BM_RocketStepNext(benchmark::State &state)
{
    CBenchLogbook &book = logbook();
    CRecordStore store;
    if (!book.valid || !store.Open(book.storage)) {
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

// Runs one statement and reads every column of every row as text.
std::vector<std::string> readAll(sqlite3 *db, const std::string &sql)
{
    std::vector<std::string> cells;
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        return cells;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const unsigned char *text = sqlite3_column_text(statement, c);
            cells.emplace_back(text ? reinterpret_cast<const char *>(text) : "");
        }
    }
    sqlite3_finalize(statement);
    return cells;
}

// The floor: the statements the show runs, straight through SQLite.
void BM_RocketStepNextFloor(benchmark::State &state)
{
    CBenchLogbook &book = logbook();
    sqlite3 *db = nullptr;
    if (!book.valid
        || sqlite3_open_v2(databasePath(book.storage).toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr)
            != SQLITE_OK) {
        state.SkipWithError("no logbook");
        sqlite3_close(db);
        return;
    }
    const int rockets = kRockets;
    const int columns = 17;
    int position = 0;
    for (auto _ : state) {
        position = (position + 1) % rockets;
        const std::vector<std::string> list = readAll(db, "Select * FROM Rockets ORDER BY Name");
        const std::string id = list.at(size_t(position) * columns);
        const bool grouped = list.at(size_t(position) * columns + 9) != "0";
        const size_t launches = readAll(db, "Select * FROM Launches WHERE Model='" + id + "'").size();
        const std::vector<std::string> motors =
            readAll(db, "SELECT * FROM RecMotors WHERE RocketID='" + id + "' ORDER BY Type");
        size_t cells = launches + motors.size();
        if (grouped) {
            std::vector<std::string> groups;
            for (size_t row = 0; row * 9 < motors.size(); ++row) {
                const std::string &group = motors.at(row * 9 + 8);
                if (std::find(groups.begin(), groups.end(), group) == groups.end())
                    groups.push_back(group);
            }
            for (const std::string &group : groups)
                cells += readAll(db,
                                 "SELECT * FROM RecMotors WHERE RocketID='" + id + "' AND GroupID='" + group
                                     + "' ORDER BY Type")
                             .size();
        }
        benchmark::DoNotOptimize(cells);
    }
    sqlite3_close(db);
}

} // namespace

BENCHMARK(BM_RocketStepNext)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RocketStepNextFloor)->Unit(benchmark::kMillisecond);

static const bool kRocketStepRatio = registerRatio({"BM_RocketStepNext", "BM_RocketStepNextFloor", 3.0, 0.030});
