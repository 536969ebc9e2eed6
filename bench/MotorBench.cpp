// Motor import and motor list load, each beside the bare SQLite work it does.
#include "BenchLogbook.h"
#include "BenchRatios.h"
#include "db/CurveLinks.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "motordata/EngHeader.h"
#include "motordata/EngReader.h"
#include "motordata/ThrustCurve.h"
#include "motors/DefaultMotorsDlg.h"
#include "motors/MotorImport.h"
#include "motors/MotorLineModel.h"
#include "motors/MotorTable.h"
#include "ui/ProgressReport.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StatusWindow.h"

#include <QDir>
#include <QFile>
#include <QWidget>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <charconv>
#include <cstring>

namespace {
constexpr int kImportMotors = 10000;

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
            CEngReader reader;
            reader.feed(text.constData(), text.size());
            reader.finish();
            if (reader.motors().size() == 1)
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

// A copy of the bench logbook with an empty catalogue, and the file of
// 10,000 motors beside it.
struct CImportBench
{
    QString storage = CBenchLogbook::instance().copy();
    QString file = CBenchLogbook::instance().scratch(QStringLiteral("catalogue.eng"));
    bool valid = false;

    CImportBench()
    {
        sqlite3 *db = nullptr;
        valid = !storage.isEmpty() && sqlite3_open(databasePath(storage).toUtf8().constData(), &db) == SQLITE_OK
            && sqlite3_exec(db, "DELETE FROM Motors", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        QFile out(file);
        valid = valid && out.open(QIODevice::WriteOnly) && out.write(tenThousandMotors()) > 0;
    }
};

void BM_ImportEng(benchmark::State &state)
{
    const CImportBench bench;
    CRecordStore store;
    if (!bench.valid || !store.Open(bench.storage)) {
        state.SkipWithError("the bench logbook cannot be copied");
        return;
    }
    CSilentProgress progress;
    for (auto _ : state) {
        const CMotorImportResult result = importMotorFile(store, bench.file, progress);
        if (result.motors != kImportMotors)
            state.SkipWithError("not every motor was imported");
        state.PauseTiming();
        if (!store.RunSql(QStringLiteral("DELETE FROM Motors")))
            state.SkipWithError("the imported motors cannot be removed");
        state.ResumeTiming();
    }
}

// What the import stores of one motor: its row and its curve's row.
struct CStoredMotor
{
    CMotorValues values;
    CMotorFigures figures;
    CEngMasses masses;
    QByteArray points;
};

// The numbers of the thrust data, as a bare scan reads them: each line's first
// two fields through std::from_chars, nothing checked; the sum keeps the work.
double scanNumbers(const QByteArray &bytes)
{
    double sum = 0;
    const char *at = bytes.constData();
    const char *const end = at + bytes.size();
    while (at < end) {
        const char *lineEnd = static_cast<const char *>(std::memchr(at, '\n', std::size_t(end - at)));
        if (lineEnd == nullptr)
            lineEnd = end;
        for (int field = 0; field < 2 && at < lineEnd; ++field) {
            while (at < lineEnd && (*at == ' ' || *at == '\t' || *at == '\r'))
                ++at;
            double value = 0;
            const auto [stop, error] = std::from_chars(at, lineEnd, value);
            if (error != std::errc())
                break;
            sum += value;
            at = stop;
        }
        at = lineEnd + 1;
    }
    return sum;
}

// The floor: the file's bytes read in one go and scanned into numbers, and
// the same rows, their headers split and figures found beforehand, stored by
// two prepared inserts in one transaction on a bare connection with the
// store's journal and durability.
void BM_ImportEngFloor(benchmark::State &state)
{
    const CImportBench bench;
    QFile file(bench.file);
    if (!bench.valid || !file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("the bench logbook cannot be copied");
        return;
    }
    const QByteArray text = file.readAll();
    file.close();
    CEngReader reader;
    reader.feed(text.constData(), text.size());
    reader.finish();
    std::vector<CStoredMotor> motors;
    for (const CEngMotor &motor : reader.motors()) {
        CStoredMotor stored;
        stored.values = parseEngHeader(motor.header, &stored.masses);
        stored.figures = motorFigures(motor.points);
        stored.points = motor.text;
        motors.push_back(std::move(stored));
    }

    sqlite3 *db = nullptr;
    sqlite3_open(databasePath(bench.storage).toUtf8().constData(), &db);
    sqlite3_exec(db, "PRAGMA synchronous = FULL; PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    sqlite3_stmt *motorInsert = nullptr;
    sqlite3_stmt *curveInsert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Motors (Type, Delay, MFG, Size) VALUES (?, ?, ?, ?)", -1, &motorInsert,
                       nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO MotorCurves (MotorID, Class, TotalImpulse, AverageThrust, PeakThrust, BurnTime, "
                       "PropellantMass, TotalMass, Points, Type, Delay, MFG, Size) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                       "?, ?, ?, ?)",
                       -1, &curveInsert, nullptr);
    const auto bindText = [](sqlite3_stmt *statement, int index, const QString &value) {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    };
    for (auto _ : state) {
        QFile bytes(bench.file);
        bytes.open(QIODevice::ReadOnly);
        const QByteArray read = bytes.readAll();
        benchmark::DoNotOptimize(scanNumbers(read));
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (const CStoredMotor &motor : motors) {
            const QString *values[] = {&motor.values.type, &motor.values.delay, &motor.values.mfg, &motor.values.size};
            for (int i = 0; i < 4; ++i)
                bindText(motorInsert, i + 1, *values[i]);
            sqlite3_step(motorInsert);
            sqlite3_reset(motorInsert);
            sqlite3_bind_int64(curveInsert, 1, sqlite3_last_insert_rowid(db));
            bindText(curveInsert, 2, motor.figures.impulseClass);
            sqlite3_bind_double(curveInsert, 3, motor.figures.totalImpulse);
            sqlite3_bind_double(curveInsert, 4, motor.figures.averageThrust);
            sqlite3_bind_double(curveInsert, 5, motor.figures.peakThrust);
            sqlite3_bind_double(curveInsert, 6, motor.figures.burnTime);
            sqlite3_bind_double(curveInsert, 7, motor.masses.propellantKg);
            sqlite3_bind_double(curveInsert, 8, motor.masses.totalKg);
            sqlite3_bind_text(curveInsert, 9, motor.points.constData(), int(motor.points.size()), SQLITE_STATIC);
            for (int i = 0; i < 4; ++i)
                bindText(curveInsert, i + 10, *values[i]);
            sqlite3_step(curveInsert);
            sqlite3_reset(curveInsert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        sqlite3_exec(db, "DELETE FROM Motors", nullptr, nullptr, nullptr);
        state.ResumeTiming();
    }
    sqlite3_finalize(motorInsert);
    sqlite3_finalize(curveInsert);
    sqlite3_close(db);
}

// The whole screen's load of the bench logbook's 100,000 motors: query,
// lines, model, view, status window.
void BM_LoadMotorList(benchmark::State &state)
{
    CRecordStore store;
    if (!CBenchLogbook::instance().isValid() || !store.Open(CBenchLogbook::instance().directory())) {
        state.SkipWithError("the bench logbook cannot be opened");
        return;
    }
    QWidget owner;
    CStatusWindow status(&owner);
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CDefaultMotorsDlg dialog(store, status, {prompter, files}, CBenchLogbook::instance().directory());
    dialog.show();
    for (auto _ : state) {
        dialog.loadList();
        if (dialog.model().lines().size() != CBenchLogbook::kMotors)
            state.SkipWithError("the list is not whole");
    }
}

// The floor: the statement the list reads, stepped to its end, its texts
// read as text and its figures as numbers.
void BM_LoadMotorListFloor(benchmark::State &state)
{
    sqlite3 *db = CBenchLogbook::instance().openBare();
    const QByteArray sql = QStringLiteral("SELECT Motors.rowid, Motors.Type, Motors.Delay, Motors.MFG, Motors.Size, "
                                          "MotorCurves.MotorID, Class, TotalImpulse, AverageThrust, PeakThrust, "
                                          "BurnTime, PropellantMass, TotalMass FROM Motors LEFT JOIN MotorCurves ON "
                                          "%1 ORDER BY Motors.MFG, Motors.Type, Motors.rowid")
                               .arg(QLatin1String(kCurveOfMotor))
                               .toUtf8();
    sqlite3_stmt *statement = nullptr;
    if (!db || sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        state.SkipWithError("the bench logbook cannot be opened");
        sqlite3_close(db);
        return;
    }
    for (auto _ : state) {
        std::size_t bytes = 0;
        double figures = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            figures += double(sqlite3_column_int64(statement, 0));
            for (const int column : {1, 2, 3, 4, 6}) {
                benchmark::DoNotOptimize(sqlite3_column_text(statement, column));
                bytes += std::size_t(sqlite3_column_bytes(statement, column));
            }
            for (int column = 7; column <= 12; ++column)
                figures += sqlite3_column_double(statement, column);
        }
        sqlite3_reset(statement);
        benchmark::DoNotOptimize(bytes);
        benchmark::DoNotOptimize(figures);
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
}
} // namespace

BENCHMARK(BM_ImportEng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportEngFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMotorList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadMotorListFloor)->Unit(benchmark::kMillisecond);

static const bool kImportRatio = registerRatio({"BM_ImportEng", "BM_ImportEngFloor", 2.0});
static const bool kListRatio = registerRatio({"BM_LoadMotorList", "BM_LoadMotorListFloor", 5.0, 1.0});
