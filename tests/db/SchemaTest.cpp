#include "db/Schema.h"

#include "db/FailingDiskVfs.h"
#include "db/RecordStore.h"
#include "support/RecordingReporter.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <vector>

namespace {

// Runs statements on the logbook file as another program would, without the store.
bool outside(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    const bool done = sqlite3_open(file.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return done;
}

// The first value a query gives on the logbook file, read without the store.
QString outsideValue(const QString &file, const char *sql)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *statement = nullptr;
    QString value = QStringLiteral("<failed>");
    if (sqlite3_open(file.toUtf8().constData(), &db) == SQLITE_OK
        && sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

// A logbook as the first version with thrust curves left it: the curve table
// without the motors' values, and a trigger that went by rowid alone.
const char kFirstCurveVersion[] =
    "DROP TRIGGER MotorCurvesLeaveWithTheirMotor; DROP TRIGGER MotorCurvesFollowTheirMotor; "
    "DROP TRIGGER MotorCurvesTakeTheirMotorsValues; DROP TABLE MotorCurves; "
    "CREATE TABLE MotorCurves (MotorID integer PRIMARY KEY, Class varchar(8), TotalImpulse real, AverageThrust real, "
    "PeakThrust real, BurnTime real, PropellantMass real, TotalMass real, Points text); "
    "CREATE TRIGGER MotorCurvesGoWithTheirMotor AFTER DELETE ON Motors BEGIN DELETE FROM MotorCurves WHERE MotorID "
    "= old.rowid; END; "
    "INSERT INTO Motors (Type, Delay, MFG, Size) VALUES ('A8', '3', 'Estes', '18x70'), ('C6', '0-3-5', 'Estes', "
    "NULL); "
    "INSERT INTO MotorCurves (MotorID, Class, Points) VALUES (2, 'C', '0.2 12\n1.2 0\n')";

QStringList columnsOf(CRecordStore &store, const QString &table)
{
    QStringList columns;
    if (!store.RunSql(QStringLiteral("SELECT name, type FROM pragma_table_info('%1') ORDER BY cid").arg(table)))
        return {QStringLiteral("<failed>")};
    for (; !store.IsEOF(); store.MoveNext())
        columns.append(store.GetFieldText(0) + QLatin1Char(' ') + store.GetFieldText(1).toLower());
    return columns;
}

TEST(Schema, CreatesTheSixTablesWithTheirColumnPositions)
{
    QTemporaryDir dir;
    const QString storage = dir.path() + QStringLiteral("/a/b/storage/");
    ASSERT_TRUE(CreateDatabase(storage)); // folder and parents made on the way
    EXPECT_TRUE(QFile::exists(storage + QStringLiteral("TarvelDB.CDB")));
    EXPECT_FALSE(QFile::exists(storage + QStringLiteral("TarvelDB.CDB.new")));

    CRecordStore store;
    ASSERT_TRUE(store.Open(storage));
    ASSERT_TRUE(store.RunSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid")));
    QStringList tables;
    for (; !store.IsEOF(); store.MoveNext())
        tables.append(store.GetFieldText(0));
    // The six of every logbook first, then the ones kept beside them.
    EXPECT_EQ(tables, logbookTableNames() + QStringList({"MotorCurves", "RocketDrag", "RocketFittedCds"}));

    EXPECT_EQ(
        columnsOf(store, QStringLiteral("Rockets")),
        QStringList({"ID integer", "Name varchar(200)", "MFG varchar(200)", "Type varchar(200)", "Image varchar(200)",
                     "CheckList varchar(200)", "Recovery varchar(200)", "Launcher varchar(200)", "Stages integer",
                     "Clustered integer", "Status varchar(200)", "Notes varchar(2000)", "Weight varchar(200)",
                     "Length varchar(200)", "Diameter varchar(200)", "CP varchar(200)", "MMT varchar(200)"}));
    EXPECT_EQ(columnsOf(store, QStringLiteral("RecMotors")),
              QStringList({"ID integer", "RocketID integer", "Type varchar(200)", "Delay integer", "MFG varchar(200)",
                           "Alt integer", "Stage integer", "Qty integer", "GroupID integer"}));
    EXPECT_EQ(
        columnsOf(store, QStringLiteral("Motors")),
        QStringList({"ID integer", "Type varchar(200)", "Delay integer", "MFG varchar(200)", "Size varchar(200)"}));
    EXPECT_EQ(columnsOf(store, QStringLiteral("MFGs")), QStringList({"MFG varchar(200)"}));
    EXPECT_EQ(columnsOf(store, QStringLiteral("Launches")),
              QStringList({"Model varchar(200)", "Recovery varchar(200)", "Motor varchar(200)", "MotorMfg varchar(200)",
                           "MotorDelay integer", "Site varchar(200)", "WindSpeed integer", "WindDirection varchar(200)",
                           "Temperature integer", "Celcius boolean", "Date datetime", "DrogueTime datetime",
                           "MainTime datetime", "DoneTime datetime", "Notes varchar(2000)", "Success boolean",
                           "AltFileName varchar(200)"}));
    EXPECT_EQ(
        columnsOf(store, QStringLiteral("Queries")),
        QStringList({"ID integer", "Name varchar(200)", QStringLiteral("Query varchar(%1)").arg(kMaxQueryTextLength)}));

    ASSERT_TRUE(store.RunSql(QStringLiteral("PRAGMA application_id")));
    EXPECT_EQ(store.GetFieldText(0).toInt(), kLogbookApplicationId);
}

// A file already there is never overwritten. What a start killed while making
// the logbook left is removed once it is old; one just begun, which may be
// another program's that is making it now, is left to that program.
TEST(Schema, ExistingFileIsLeftUntouched)
{
    QTemporaryDir dir;
    const QString storage = dir.path() + QLatin1Char('/');
    const QString killed = databasePath(storage) + QStringLiteral(".4242-0badcafe.new");
    const QString olderVersion = databasePath(storage) + QStringLiteral(".new");
    const QString starting = databasePath(storage) + QStringLiteral(".4343-00c0ffee.new");
    for (const QString &partial : {killed, olderVersion, starting})
        ASSERT_TRUE(writeTestFile(partial, "half a database"));
    for (const QString &partial : {killed, olderVersion}) {
        QFile file(partial);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(CreateDatabase(storage));
    EXPECT_FALSE(QFile::exists(killed));
    EXPECT_FALSE(QFile::exists(olderVersion));
    EXPECT_EQ(readTestFile(starting), QByteArray("half a database"));
    EXPECT_EQ(QDir(storage).entryList(QDir::Files), QStringList({"TarvelDB.CDB", "TarvelDB.CDB.4343-00c0ffee.new"}));
    CRecordStore store;
    ASSERT_TRUE(store.Open(storage));
    EXPECT_TRUE(store.RunSql(QStringLiteral("SELECT * FROM Queries")));
    store.Close();

    ASSERT_TRUE(writeTestFile(databasePath(storage), "whatever it holds"));
    EXPECT_TRUE(CreateDatabase(storage));
    EXPECT_EQ(readTestFile(databasePath(storage)), QByteArray("whatever it holds"));
}

// Programs started at the same moment on a new storage folder each make a
// logbook under a name of their own; the first in place is the logbook, and
// every program opens that one.
TEST(SchemaConcurrency, ProgramsStartingAtOnceShareOneLogbook)
{
    for (int round = 0; round < 3; ++round) {
        QTemporaryDir dir;
        const QString storage = dir.filePath(QStringLiteral("new folder")) + QLatin1Char('/');
        const QString go = dir.filePath(QStringLiteral("go"));
        std::vector<std::unique_ptr<QProcess>> children;
        for (int i = 0; i < 4; ++i) {
            children.push_back(std::make_unique<QProcess>());
            children.back()->start(QStringLiteral(TARVEL_LOGBOOK_CHILD), {QStringLiteral("create"), storage, go});
        }
        // All are waiting for the word before any starts.
        for (auto &child : children) {
            QByteArray said;
            while (!said.contains("ready") && child->waitForReadyRead(20000))
                said += child->readAllStandardOutput();
            ASSERT_TRUE(said.contains("ready")) << said.constData();
        }
        ASSERT_TRUE(writeTestFile(go, "go"));
        for (auto &child : children) {
            ASSERT_TRUE(child->waitForFinished(30000));
            EXPECT_EQ(child->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(child->exitCode(), 0) << child->readAllStandardError().constData();
        }
        EXPECT_EQ(QDir(storage).entryList(QDir::Files), QStringList {"TarvelDB.CDB"});
        EXPECT_EQ(outsideValue(databasePath(storage),
                               "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                               "name IN ('Rockets', 'RecMotors', 'Motors', 'MFGs', "
                               "'Launches', 'Queries')"),
                  QStringLiteral("6"));
    }
}

TEST(Schema, FolderThatCannotBeMadeFailsWithoutALogbook)
{
    QTemporaryDir dir;
    // A plain file where a folder should be: no folder can be made below it,
    // whatever the permissions of the user running the test.
    ASSERT_TRUE(writeTestFile(dir.filePath(QStringLiteral("blocker")), ""));
    const QString storage = dir.filePath(QStringLiteral("blocker/storage/"));
    EXPECT_FALSE(CreateDatabase(storage));
    EXPECT_FALSE(QFile::exists(databasePath(storage)));
}

// An older logbook gains what this version keeps, once; its curve takes the
// values of the motor its row holds, and goes by them from then on.
TEST(Schema, OlderLogbookGainsTheCurvesOfThisVersionOnce)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(outside(logbook.databaseFile(), kFirstCurveVersion));
    {
        CRecordStore store;
        ASSERT_TRUE(store.Open(logbook.directory()));
        EXPECT_EQ(columnsOf(store, QStringLiteral("MotorCurves")).mid(9),
                  QStringList({"Type varchar(200)", "Delay integer", "MFG varchar(200)", "Size varchar(200)"}));
    }
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT MotorID, Type, Delay, MFG, ifnull(Size, 'null') FROM MotorCurves")),
              QStringList {"2|C6|0-3-5|Estes|null"});
    EXPECT_EQ(
        logbook.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' ORDER BY name")),
        QStringList({"FittedCdsLeaveWithTheirFlight", "MotorCurvesFollowTheirMotor", "MotorCurvesLeaveWithTheirMotor",
                     "MotorCurvesTakeTheirMotorsValues", "RocketDragLeavesWithItsRocket"}));
    // Opened again, nothing more is changed: SQLite counts every change of the schema.
    const QStringList version = logbook.rows(QStringLiteral("PRAGMA schema_version"));
    EXPECT_EQ(logbook.rows(QStringLiteral("PRAGMA schema_version")), version);

    // A logbook without any curve table gains the whole of it.
    ASSERT_TRUE(outside(logbook.databaseFile(), "DROP TABLE MotorCurves"));
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    EXPECT_EQ(columnsOf(store, QStringLiteral("MotorCurves")).size(), 13);
}

// Another program holds the write lock while the logbook needs its curve
// table: the store waits, then says so, and is not opened half-ready; once
// the lock is gone the logbook opens with its table.
TEST(Schema, LockedUpgradeWaitsThenSaysSo)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(outside(logbook.databaseFile(), kFirstCurveVersion));
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(logbook.databaseFile().toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    CRecordingReporter reporter;
    CRecordStore store(&reporter);
    store.setBusyTimeout(100);
    EXPECT_FALSE(store.Open(logbook.directory()));
    EXPECT_FALSE(store.isOpen());
    EXPECT_EQ(
        reporter.problems,
        QStringList {QStringLiteral("Error|The logbook %1 must gain the thrust-curve table of this version before "
                                    "it can be used, and could not: another program is writing to the logbook "
                                    "%1: try again when it has finished.")
                         .arg(logbook.databaseFile())});
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);

    EXPECT_TRUE(store.Open(logbook.directory()));
    EXPECT_EQ(columnsOf(store, QStringLiteral("MotorCurves")).size(), 13);
    EXPECT_EQ(reporter.problems.size(), 1);
}

// A logbook that cannot be written opens as it is: an older one reads as
// having motors without curves, never as having no motors.
TEST(Schema, ReadOnlyOlderLogbookOpensWithoutCurves)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(outside(logbook.databaseFile(), kFirstCurveVersion));
    CFailingDiskVfs disk;
    ASSERT_TRUE(disk.isInstalled());
    disk.setRefusal(CFailingDiskVfs::Refusal::ReadOnlyFile);
    CRecordingReporter reporter;
    CRecordStore store(&reporter);
    ASSERT_TRUE(store.Open(logbook.directory()));
    EXPECT_TRUE(reporter.problems.isEmpty()) << reporter.problems.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(store.RunSql(QStringLiteral("SELECT Motors.Type, MotorCurves.Class FROM Motors LEFT JOIN MotorCurves "
                                            "ON MotorCurves.MotorID = Motors.rowid AND MotorCurves.Type IS Motors.Type "
                                            "ORDER BY Motors.rowid")));
    EXPECT_EQ(store.CountRecords(), 2);
    store.MoveFirst();
    store.MoveNext();
    EXPECT_EQ(store.GetFieldText(0) + QLatin1Char('|') + store.GetFieldText(1), QStringLiteral("C6|"));
    disk.setRefusal(CFailingDiskVfs::Refusal::None);
    store.Close();
    // Nothing of the stand-in reached the file.
    EXPECT_EQ(outsideValue(logbook.databaseFile(), "SELECT count(*) FROM pragma_table_info('MotorCurves')"),
              QStringLiteral("9"));
}

} // namespace
