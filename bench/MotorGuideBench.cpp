// The motor guide's first rows: the catalogue's 2,000 curves read from the
// logbook and the first slice of them flown, as the guide screen shows them
// once the event loop turns; beside the plainest way to the same rows: the
// same query stepped bare with its points parsed by strtod, and the bare
// flight loop over as many motors as the first slice flew.
#include "BareFlight.h"
#include "BenchRatios.h"
#include "SharedMotorFiles.h"
#include "db/CurveLinks.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "motordata/CurvePointsText.h"
#include "prediction/MotorGuideModel.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kGuideMotors = 2000;
const CRocketBody kRocket {6.0, 0.098, 0.5, 1.5};
const CLaunchSite kSite {300, 20};

// The query the guide reads the catalogue with, for the floor to step bare.
QByteArray curveQuery()
{
    return QStringLiteral("SELECT Motors.rowid, Motors.Type, Motors.Delay, Motors.MFG, Motors.Size, Points, "
                          "PropellantMass, TotalMass FROM Motors JOIN MotorCurves ON %1 ORDER BY Motors.MFG, "
                          "Motors.Type, Motors.rowid")
        .arg(QLatin1String(kCurveOfMotor))
        .toUtf8();
}

// A logbook of 2,000 motors whose curves are the shared real ones, each copy
// scaled a little in thrust and time; made-up curves where the files are absent.
class CGuideLogbook
{
public:
    static const CGuideLogbook &instance()
    {
        static const CGuideLogbook logbook;
        return logbook;
    }

    QString directory() const { return m_dir.path() + QStringLiteral("/guide/"); }
    bool isValid() const { return m_valid; }

private:
    CGuideLogbook()
    {
        std::vector<CSharedEngMotor> base = sharedEngMotors();
        if (base.empty()) {
            std::printf("Shared motor files absent: guide of %d made-up curves\n", kGuideMotors);
            base.push_back({QStringLiteral("M700"), QStringLiteral("Made"), QStringLiteral("P"),
                            {{0.05, 900}, {0.2, 800}, {2.5, 700}, {3, 0}}, {1.0, 2.1}});
        }
        m_valid = m_dir.isValid() && CreateDatabase(directory());
        {
            CRecordStore store; // gains the curve table
            m_valid = m_valid && store.Open(directory());
        }
        sqlite3 *db = nullptr;
        m_valid = m_valid && sqlite3_open(databasePath(directory()).toUtf8().constData(), &db) == SQLITE_OK;
        m_valid = m_valid && sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_stmt *motor = nullptr;
        sqlite3_stmt *curve = nullptr;
        m_valid = m_valid
            && sqlite3_prepare_v2(db,
                                  "INSERT INTO Motors (Type, Delay, MFG, Size) VALUES (?1, '6-10-14', ?2, '75x500')",
                                  -1, &motor, nullptr)
                == SQLITE_OK
            && sqlite3_prepare_v2(db,
                                  "INSERT INTO MotorCurves (MotorID, Class, PropellantMass, TotalMass, Points) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5)",
                                  -1, &curve, nullptr)
                == SQLITE_OK;
        for (int k = 0; m_valid && k < kGuideMotors; ++k) {
            CSharedEngMotor copy = base[std::size_t(k) % base.size()];
            const double thrust = 0.8 + 0.4 * ((k * 37) % 101) / 100.0;
            const double time = 0.9 + 0.2 * ((k * 53) % 101) / 100.0;
            for (CThrustPoint &point : copy.points) {
                point.thrust *= thrust;
                point.time *= time;
            }
            const QByteArray type = (copy.type + QStringLiteral("-%1").arg(k)).toUtf8();
            const QByteArray mfg = copy.mfg.toUtf8();
            const QByteArray points = curvePointsText(copy.points);
            const QByteArray impulseClass = motorFigures(copy.points).impulseClass.toUtf8();
            sqlite3_bind_text(motor, 1, type.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(motor, 2, mfg.constData(), -1, SQLITE_TRANSIENT);
            m_valid = sqlite3_step(motor) == SQLITE_DONE;
            sqlite3_reset(motor);
            sqlite3_bind_int64(curve, 1, sqlite3_last_insert_rowid(db));
            sqlite3_bind_text(curve, 2, impulseClass.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(curve, 3, copy.masses.propellantKg * thrust * time);
            sqlite3_bind_double(curve, 4, copy.masses.totalKg * thrust * time);
            sqlite3_bind_text(curve, 5, points.constData(), int(points.size()), SQLITE_TRANSIENT);
            m_valid = m_valid && sqlite3_step(curve) == SQLITE_DONE;
            sqlite3_reset(curve);
        }
        sqlite3_finalize(motor);
        sqlite3_finalize(curve);
        m_valid = m_valid && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        if (!m_valid)
            std::fprintf(stderr, "The guide's bench logbook cannot be made\n");
    }

    QTemporaryDir m_dir;
    bool m_valid = false;
};

// How many rows the measured guide showed first, for the floor to fly as many.
int g_firstRows = 1;

void firstRows(benchmark::State &state)
{
    const CGuideLogbook &logbook = CGuideLogbook::instance();
    CRecordStore store;
    if (!logbook.isValid() || !store.Open(logbook.directory())) {
        state.SkipWithError("no logbook");
        return;
    }
    int shown = 0;
    for (auto _ : state) {
        QString error;
        std::optional<std::vector<CCurveMotor>> motors = loadCurveMotors(store, error);
        if (!motors || motors->size() != std::size_t(kGuideMotors)) {
            state.SkipWithError("the catalogue was not read whole");
            return;
        }
        CMotorGuideModel model(CMotorGuide(kRocket, kSite, std::move(*motors)), EHeightUnit::Metres);
        model.start();
        while (model.rowCount() == 0)
            QCoreApplication::processEvents();
        shown = model.rowCount();
    }
    g_firstRows = std::max(1, shown);
    state.counters["rows"] = shown;
}

void firstRowsFloor(benchmark::State &state)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(databasePath(CGuideLogbook::instance().directory()).toUtf8().constData(), &db,
                        SQLITE_OPEN_READONLY, nullptr)
        != SQLITE_OK) {
        state.SkipWithError("no logbook");
        sqlite3_close(db);
        return;
    }
    const QByteArray sql = curveQuery();
    const CBareAir air(kSite);
    for (auto _ : state) {
        sqlite3_stmt *query = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &query, nullptr);
        std::vector<CMotorLoad> motors;
        while (sqlite3_step(query) == SQLITE_ROW) {
            CMotorLoad motor;
            const char *text = reinterpret_cast<const char *>(sqlite3_column_text(query, 5));
            char *end = nullptr;
            for (;;) {
                const double time = std::strtod(text, &end);
                if (end == text)
                    break;
                text = end;
                const double thrust = std::strtod(text, &end);
                text = end;
                motor.curve.push_back({time, thrust});
            }
            motor.propellantKg = sqlite3_column_double(query, 6);
            motor.totalKg = sqlite3_column_double(query, 7);
            motors.push_back(std::move(motor));
        }
        sqlite3_finalize(query);
        double sum = 0;
        for (int i = 0; i < g_firstRows && i < int(motors.size()); ++i)
            sum += bareApogee(motors[std::size_t(i)], air, kRocket);
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_close(db);
}

const bool registered = [] {
    benchmark::RegisterBenchmark("guide/first_rows_2000_motors", firstRows)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("guide/first_rows_floor", firstRowsFloor)->Unit(benchmark::kMillisecond);
    registerRatio({"guide/first_rows_2000_motors", "guide/first_rows_floor", 1.5, 0.1});
    return true;
}();
} // namespace
