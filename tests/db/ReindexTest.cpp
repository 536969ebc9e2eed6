#include "db/FailingDiskVfs.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "support/RecordingReporter.h"
#include "support/TestLogbook.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

constexpr char kPastEnd[] = "Fatal Error|Reindex failure\nRocket index past end of array!";
constexpr char kRocketsPastEnd[] = "Fatal Error|Reindex failure\nRocket index in Rockets past end of array!";
constexpr char kRecMotorsPastEnd[] = "Fatal Error|Reindex failure\nRocket index in RecMotors past end of array!";
constexpr char kLaunchesPastEnd[] = "Fatal Error|Reindex failure\nRocket index in Launches past end of array!";

class ReindexTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_logbook.isValid()); }

    QStringList reindex()
    {
        CRecordingReporter reporter;
        CRecordStore store(&reporter);
        EXPECT_TRUE(store.Open(m_logbook.directory()));
        EXPECT_TRUE(store.Reindex());
        EXPECT_TRUE(store.IsEOF()); // the current result is closed
        return reporter.problems;
    }

    QStringList rockets() const { return m_logbook.rows(QStringLiteral("SELECT ID, Name FROM Rockets ORDER BY Name")); }
    QStringList recMotors() const
    {
        return m_logbook.rows(QStringLiteral("SELECT Type, RocketID FROM RecMotors ORDER BY Type"));
    }
    QStringList launches() const
    {
        return m_logbook.rows(QStringLiteral("SELECT Notes, Model FROM Launches ORDER BY Notes"));
    }

    CTestLogbook m_logbook;
};

TEST_F(ReindexTest, DeletingTheMiddleRocketMovesTheLaterOnesDown)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID, Name) VALUES (1, 'A')",
        "INSERT INTO Rockets (ID, Name) VALUES (3, 'C')",
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('1', 'a-motor')",
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('3', 'c-motor')",
        "INSERT INTO Launches (Model, Notes) VALUES ('3', 'c-flight')",
        "INSERT INTO Launches (Model, Notes) VALUES ('1', 'a-flight')",
    })); // rocket 2 (B) and its rows are already gone
    EXPECT_TRUE(reindex().isEmpty());
    EXPECT_EQ(rockets(), QStringList({"1|A", "2|C"}));
    EXPECT_EQ(recMotors(), QStringList({"a-motor|1", "c-motor|2"}));
    EXPECT_EQ(launches(), QStringList({"a-flight|1", "c-flight|2"}));
}

TEST_F(ReindexTest, NumbersFollowNameOrderAndReferencesFollowTheirRocket)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID, Name) VALUES (1, 'Zephyr')",
        "INSERT INTO Rockets (ID, Name) VALUES (2, 'Mercury')",
        "INSERT INTO Rockets (ID, Name) VALUES (3, 'Apollo')", // added since the last renumbering
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('1', 'z')",
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('3', 'a')",
        "INSERT INTO Launches (Model, Notes) VALUES ('2', 'm')",
    }));
    reindex();
    EXPECT_EQ(rockets(), QStringList({"1|Apollo", "2|Mercury", "3|Zephyr"}));
    EXPECT_EQ(recMotors(), QStringList({"a|1", "z|3"}));
    EXPECT_EQ(launches(), QStringList({"m|2"}));
}

TEST_F(ReindexTest, SharedOldNumbersAndDanglingReferences)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID, Name) VALUES (1, 'A')",
        "INSERT INTO Rockets (ID, Name) VALUES (1, 'B')",
        "INSERT INTO Rockets (ID, Name) VALUES (2, 'C')",
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('1', 'one')",
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('3', 'three')", // inside the table, no rocket
        "INSERT INTO Launches (Model, Notes) VALUES ('4', 'four')",
    }));
    EXPECT_TRUE(reindex().isEmpty());
    // Both rockets numbered 1 take the number of the later one in name order.
    EXPECT_EQ(rockets(), QStringList({"2|A", "2|B", "3|C"}));
    EXPECT_EQ(recMotors(), QStringList({"one|2", "three|"}));
    EXPECT_EQ(launches(), QStringList({"four|"}));
}

TEST_F(ReindexTest, NumbersOutsideTheTableAreReportedAndLeftAlone)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID, Name) VALUES (1, 'A')",
        "INSERT INTO Rockets (ID, Name) VALUES (9, 'B')",
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('-2', 'negative')",
        "INSERT INTO Launches (Model, Notes) VALUES ('12', 'far')",
        "INSERT INTO Launches (Model, Notes) VALUES ('junk', 'text')",
    }));
    const QStringList problems = reindex();
    EXPECT_EQ(problems, QStringList({kPastEnd, kRocketsPastEnd, kRecMotorsPastEnd, kLaunchesPastEnd}));
    EXPECT_EQ(rockets(), QStringList({"1|A", "9|B"}));
    EXPECT_EQ(recMotors(), QStringList({"negative|-2"}));
    // "junk" reads as 0, which no rocket holds: its reference is emptied.
    EXPECT_EQ(launches(), QStringList({"far|12", "text|"}));
}

TEST_F(ReindexTest, EmptyRocketTableEmptiesLowReferences)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('0', 'zero')",
        "INSERT INTO RecMotors (RocketID, Type) VALUES ('1', 'one')",
        "INSERT INTO Launches (Model, Notes) VALUES ('2', 'two')",
    }));
    EXPECT_EQ(reindex(), QStringList({kLaunchesPastEnd}));
    EXPECT_EQ(recMotors(), QStringList({"one|", "zero|"}));
    EXPECT_EQ(launches(), QStringList({"two|2"}));
}

// A full disk midway: nothing is renumbered, and the reason is the disk, not
// the rollback that followed it.
TEST_F(ReindexTest, FullDiskKeepsTheOldNumbersAndTheReason)
{
    ASSERT_TRUE(m_logbook.exec({
        "INSERT INTO Rockets (ID, Name) VALUES (2, 'A')",
        "INSERT INTO Launches (Model, Notes) VALUES ('2', 'a-flight')",
    }));
    CFailingDiskVfs disk;
    ASSERT_TRUE(disk.isInstalled());
    CRecordStore store;
    ASSERT_TRUE(store.Open(m_logbook.directory()));
    disk.setBudget(0);
    EXPECT_FALSE(store.Reindex());
    disk.setBudget(-1);
    EXPECT_EQ(store.lastError(), QStringLiteral("database or disk is full"));
    EXPECT_EQ(store.transactionDepth(), 0);
    EXPECT_EQ(rockets(), QStringList {"2|A"});
    EXPECT_EQ(launches(), QStringList {"a-flight|2"});
}

// The renumbering is one transaction: a process killed at any moment leaves the
// old numbering or the new one, never a mix, and an intact file.
constexpr int kKillRockets = 3000;

bool buildKillLogbook(const QString &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        return false;
    bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
    // Rocket i is named so that name order reverses id order: every number changes.
    for (int i = 1; ok && i <= kKillRockets; ++i) {
        const QByteArray name = QStringLiteral("R%1").arg(kKillRockets + 1 - i, 6, 10, QLatin1Char('0')).toUtf8();
        const QByteArray sql = "INSERT INTO Rockets (ID, Name) VALUES (" + QByteArray::number(i) + ", '" + name + "');"
            + "INSERT INTO RecMotors (RocketID, Type) VALUES ('" + QByteArray::number(i) + "', '" + name + "');"
            + "INSERT INTO Launches (Model, Notes) VALUES ('" + QByteArray::number(i) + "', '" + name + "');"
            + "INSERT INTO Launches (Model, Notes) VALUES ('" + QByteArray::number(i) + "', '" + name + "');";
        ok = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QString scalar(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    QString value = QStringLiteral("<failed>");
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return value;
}

TEST(ReindexKill, KilledRenumberingLeavesAConsistentLogbook)
{
    CTestLogbook pristine;
    ASSERT_TRUE(pristine.isValid());
    ASSERT_TRUE(buildKillLogbook(pristine.databaseFile()));

    int interrupted = 0;
    for (int round = 0; round < 6; ++round) {
        CTestLogbook logbook;
        ASSERT_TRUE(QFile::remove(logbook.databaseFile()));
        ASSERT_TRUE(QFile::copy(pristine.databaseFile(), logbook.databaseFile()));

        QProcess child;
        child.start(QStringLiteral(TARVEL_REINDEX_CHILD), {logbook.directory()});
        ASSERT_TRUE(child.waitForStarted());
        // Wait until the child is about to renumber, then kill it somewhere inside.
        QByteArray output;
        while (!output.contains("reindexing") && child.waitForReadyRead(20000))
            output += child.readAllStandardOutput();
        ASSERT_TRUE(output.contains("reindexing")) << output.constData();
        QThread::msleep(QRandomGenerator::global()->bounded(5 + round * 40));
        child.kill();
        child.waitForFinished();
        if (child.exitStatus() == QProcess::CrashExit)
            ++interrupted;

        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(logbook.databaseFile().toUtf8().constData(), &db), SQLITE_OK);
        EXPECT_EQ(scalar(db, "PRAGMA integrity_check"), QStringLiteral("ok"));
        // Every reference still names its own rocket (its name is kept beside it) ...
        EXPECT_EQ(scalar(db,
                         "SELECT count(*) FROM RecMotors m JOIN Rockets r ON r.ID = m.RocketID "
                         "WHERE r.Name = m.Type"),
                  QString::number(kKillRockets));
        EXPECT_EQ(scalar(db, "SELECT count(*) FROM Launches l JOIN Rockets r ON r.ID = l.Model WHERE r.Name = l.Notes"),
                  QString::number(2 * kKillRockets));
        // ... and the numbering is wholly old or wholly new.
        const QString renumbered =
            scalar(db, "SELECT count(*) FROM Rockets WHERE ID = CAST(substr(Name, 2) AS integer)");
        EXPECT_TRUE(renumbered == QLatin1String("0") || renumbered == QString::number(kKillRockets))
            << qPrintable(renumbered);
        sqlite3_close(db);
    }
    RecordProperty("interrupted_rounds", interrupted);
}

} // namespace
