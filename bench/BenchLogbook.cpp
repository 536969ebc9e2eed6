#include "BenchLogbook.h"

#include "db/RecordStore.h"
#include "db/Schema.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>

namespace {

const char *const kFill[] = {
    "BEGIN",
    // Rocket i is named so that name order reverses number order.
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
    "INSERT INTO Rockets (ID, Name, MFG, Type, Recovery, Stages, Clustered, Status, Notes, Weight, CheckList) "
    "SELECT i, printf('Rocket %05d', 2001 - i), 'Estes', 'Sport', 'Parachute', iif(i % 3 = 0, '1', '0'), "
    "iif(i % 3 = 0, '1', '0'), 'Flying', 'Flies well.', '40 g', 'Arm,Clear,' FROM n",
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 9999) "
    "INSERT INTO RecMotors (RocketID, Type, Delay, MFG, Alt, Stage, Qty, GroupID) "
    "SELECT i % 2000 + 1, 'C' || (i % 7), '5', 'Estes', '300', i / 2000 % 2 + 1, '2', i / 4000 + 1 FROM n",
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
    "INSERT INTO Launches (Model, Recovery, Motor, MotorMfg, MotorDelay, Site, WindSpeed, WindDirection, "
    "Temperature, Celcius, Date, DrogueTime, MainTime, DoneTime, Notes, Success, AltFileName) "
    "SELECT 1 + i % 2000, 'Parachute', CASE WHEN i % 2 = 0 THEN 'Estes ' || char(65 + i % 7) || (6 + i % 3) || "
    "'-' || (i % 8) ELSE char(65 + i % 7) || (6 + i % 3) END, 'Estes', i % 8, 'Field ' || (i % 37), i % 30, 'NW', "
    "60 + i % 30, 0, printf('%02d/%02d/%04d', 1 + i % 12, 1 + i % 28, 2000 + i % 27), '', "
    "(8 + i % 10) || ':' || printf('%02d', i % 60), '', 'Flight number ' || i || ', straight boost', -(i % 2), '' "
    "FROM n",
    "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
    "INSERT INTO Motors (Type, Delay, MFG, Size) SELECT char(65 + i % 12) || (i % 997), "
    "iif(i % 3 = 0, '4-7-10', i % 9), "
    "CASE i % 6 WHEN 0 THEN 'Estes' WHEN 1 THEN 'AeroTech' WHEN 2 THEN 'CTI' WHEN 3 THEN 'Loki' WHEN 4 THEN 'Quest' "
    "ELSE 'AMW' END, (18 + i % 4 * 6) || 'x' || (70 + i % 300) FROM n",
    "INSERT INTO MotorCurves (MotorID, Class, TotalImpulse, AverageThrust, PeakThrust, BurnTime, PropellantMass, "
    "TotalMass, Points, Type, Delay, MFG, Size) SELECT rowid, char(65 + (rowid - 1) % 12), "
    "1.5 * (1 << ((rowid - 1) % 12)), 1.0 * (1 << ((rowid - 1) % 12)), 1.5 * (1 << ((rowid - 1) % 12)), 1.5, "
    "0.01, 0.03, '0.1 10' || char(10) || '1.5 0' || char(10), Type, Delay, MFG, Size FROM Motors",
    "INSERT INTO Queries (Name, Query) VALUES ('Flights', 'SELECT * FROM Launches')",
    "COMMIT",
};

} // namespace

const CBenchLogbook &CBenchLogbook::instance()
{
    static const CBenchLogbook logbook;
    return logbook;
}

CBenchLogbook::CBenchLogbook()
{
    if (!m_dir.isValid() || !CreateDatabase(directory()))
        return;
    {
        // The logbook gains what this version keeps beside its tables.
        CRecordStore store;
        if (!store.Open(directory()))
            return;
    }
    sqlite3 *db = openBare(true);
    bool filled = db != nullptr;
    for (const char *sql : kFill) {
        char *message = nullptr;
        if (filled && sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            std::fprintf(stderr, "The bench logbook cannot be made: %s\n", message);
            filled = false;
        }
        sqlite3_free(message);
    }
    sqlite3_close(db);
    m_valid = filled;
}

QString CBenchLogbook::file() const
{
    return databasePath(directory());
}

QString CBenchLogbook::copy() const
{
    const QString storage = m_dir.filePath(QStringLiteral("copy/"));
    if (!QDir().mkpath(storage) || (QFile::exists(databasePath(storage)) && !QFile::remove(databasePath(storage)))
        || !QFile::copy(file(), databasePath(storage)))
        return {};
    return storage;
}

sqlite3 *CBenchLogbook::openBare(bool writable) const
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(file().toUtf8().constData(), &db, writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY,
                        nullptr)
        != SQLITE_OK) {
        sqlite3_close(db);
        return nullptr;
    }
    return db;
}

qint64 stepAsText(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        return -1;
    const int columns = sqlite3_column_count(statement);
    qint64 bytes = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            benchmark::DoNotOptimize(sqlite3_column_text(statement, c));
            bytes += sqlite3_column_bytes(statement, c);
        }
    }
    sqlite3_finalize(statement);
    return step == SQLITE_DONE ? bytes : -1;
}
