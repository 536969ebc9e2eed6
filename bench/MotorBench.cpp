// Motor import and motor list load, each beside the bare SQLite work it does.
#include "BenchRatios.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "motors/DefaultMotorsDlg.h"
#include "motors/EngHeader.h"
#include "motors/EngHeaderScanner.h"
#include "motors/MotorImport.h"
#include "motors/MotorLineModel.h"
#include "motors/MotorTable.h"
#include "motors/ThrustCurve.h"
#include "ui/ProgressReport.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StatusWindow.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

namespace {
constexpr int kImportMotors = 10000;
constexpr int kListMotors = 100000;

class CSilentProgress : public CProgressReport
{
public:
    void showProgress(const QString &) override { }
    void finishProgress() override { }
    void hideProgress() override { }
};

// A thrust-curve file of 10,000 motors built from the real files where they
// are at hand, else from one made-up motor.
QByteArray tenThousandMotors()
{
    QList<QByteArray> files;
    const QDir folder(QStringLiteral(TARVEL_SHARED_TESTDATA "/eng/rocketpy"));
    for (const QString &name : folder.entryList({QStringLiteral("*.eng")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly)) {
            QByteArray text = file.readAll();
            CEngHeaderScanner scanner;
            scanner.feed(text.constData(), text.size());
            if (scanner.headers().size() == 1)
                files.append("; from " + name.toUtf8() + "\n" + text + (text.endsWith('\n') ? "" : "\n"));
        }
    }
    if (files.isEmpty())
        files.append("; made up\nC6 18 70 0-3-5-7 0.0108 0.0231 Estes\n0.031 0.946\n0.092 4.826\n0.139 9.936\n");
    QByteArray text;
    for (int i = 0; i < kImportMotors; ++i)
        text += files.at(i % files.size());
    return text;
}

// The motor's INSERT as SQL text, values quoted: what the floor runs.
QByteArray motorInsertText(const CMotorValues &motor)
{
    return (QStringLiteral("INSERT INTO Motors (Type,Delay,MFG,Size) VALUES (") + sqlQuote(motor.type)
            + QLatin1Char(',') + sqlQuote(motor.delay) + QLatin1Char(',') + sqlQuote(motor.mfg) + QLatin1Char(',')
            + sqlQuote(motor.size) + QLatin1Char(')'))
        .toUtf8();
}

sqlite3 *openBare(const QString &storage)
{
    sqlite3 *db = nullptr;
    sqlite3_open(databasePath(storage).toUtf8().constData(), &db);
    return db;
}

void BM_ImportEng(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString storage = dir.path() + QLatin1Char('/');
    CreateDatabase(storage);
    const QString path = dir.filePath(QStringLiteral("catalogue.eng"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(tenThousandMotors());
    file.close();

    CRecordStore store;
    store.Open(storage);
    CSilentProgress progress;
    for (auto _ : state) {
        const CMotorImportResult result = importMotorFile(store, path, progress);
        if (result.motors != kImportMotors)
            state.SkipWithError("not every motor was imported");
        state.PauseTiming();
        store.RunSql(QStringLiteral("DELETE FROM Motors"));
        state.ResumeTiming();
    }
}

// The floor: the same INSERT statements, already built, run one by one in one transaction.
void BM_ImportEngFloor(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString storage = dir.path() + QLatin1Char('/');
    CreateDatabase(storage);
    const QByteArray text = tenThousandMotors();
    CEngHeaderScanner scanner;
    scanner.feed(text.constData(), text.size());
    std::vector<QByteArray> statements;
    for (const QString &header : scanner.headers())
        statements.push_back(motorInsertText(parseEngHeader(header)));

    sqlite3 *db = openBare(storage);
    for (auto _ : state) {
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        for (const QByteArray &sql : statements)
            sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM Motors", nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_close(db);
}

// 100,000 motors, each with a curve's figures as the import stores them.
QString fillList(QTemporaryDir &dir)
{
    const QString storage = dir.path() + QLatin1Char('/');
    CreateDatabase(storage);
    CRecordStore store;
    store.Open(storage); // the logbook gains its curve table
    store.Close();
    sqlite3 *db = openBare(storage);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    const char *makers[] = {"Estes", "AeroTech", "CTI", "Loki", "Quest", "AMW"};
    for (int i = 0; i < kListMotors; ++i) {
        const double impulse = 1.5 * (1 << (i % 12)) + (i % 7) * 0.1;
        const QByteArray sql =
            QStringLiteral("INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('%1%2', '%3', '%4', '%5x%6'); "
                           "INSERT INTO MotorCurves VALUES (last_insert_rowid(), '%7', %8, %9, %10, 1.5, 0.01, "
                           "0.03, '0.1 10\n1.5 0\n')")
                .arg(QChar(u'A' + i % 12))
                .arg(i % 997)
                .arg(i % 3 == 0 ? QStringLiteral("4-7-10") : QString::number(i % 9))
                .arg(QLatin1String(makers[i % 6]))
                .arg(18 + i % 4 * 6)
                .arg(70 + i % 300)
                .arg(impulseClass(impulse))
                .arg(impulse)
                .arg(impulse / 1.5)
                .arg(impulse)
                .toUtf8();
        sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return storage;
}

// The whole screen's load: query, lines, model, view, status window.
void BM_LoadMotorList(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString storage = fillList(dir);
    CRecordStore store;
    store.Open(storage);
    QWidget owner;
    CStatusWindow status(&owner);
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CDefaultMotorsDlg dialog(store, status, {prompter, files}, storage);
    dialog.show();
    for (auto _ : state) {
        dialog.loadList();
        if (dialog.model().lines().size() != kListMotors)
            state.SkipWithError("the list is not whole");
    }
}

void BM_LoadMotorListFloor(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString storage = fillList(dir);
    sqlite3 *db = openBare(storage);
    for (auto _ : state) {
        sqlite3_stmt *statement = nullptr;
        sqlite3_prepare_v2(db, kMotorListQuery, -1, &statement, nullptr);
        std::size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 1; column <= 4; ++column) {
                const unsigned char *text = sqlite3_column_text(statement, column);
                bytes += text ? std::size_t(sqlite3_column_bytes(statement, column)) : 0;
            }
        }
        sqlite3_finalize(statement);
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(db);
}
} // namespace

BENCHMARK(BM_ImportEng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportEngFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMotorList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMotorListFloor)->Unit(benchmark::kMillisecond);

static const bool kImportRatio = registerRatio({"BM_ImportEng", "BM_ImportEngFloor", 3.0});
static const bool kListRatio = registerRatio({"BM_LoadMotorList", "BM_LoadMotorListFloor", 5.0, 1.0});
