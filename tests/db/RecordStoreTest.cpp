#include "db/RecordStore.h"

#include "db/FailingDiskVfs.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/StoreFailure.h"
#include "db/StoreTransaction.h"
#include "support/RecordingReporter.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <unistd.h>

namespace {

class RecordStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    void addRocket(int id, const QString &name)
    {
        ASSERT_TRUE(m_store.RunSql(
            QStringLiteral("INSERT INTO Rockets (ID, Name, Notes) VALUES (%1, %2, NULL)").arg(id).arg(sqlQuote(name))));
    }

    CTestLogbook m_logbook;
    CRecordingReporter m_reporter;
    CRecordStore m_store {&m_reporter};
};

// Walking a result by position, and what the screens read off and past its ends.
TEST_F(RecordStoreTest, PositionsCountsAndBounds)
{
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("SELECT * FROM Rockets")));
    EXPECT_TRUE(m_store.IsEOF() && m_store.IsBOF());
    EXPECT_EQ(m_store.GetFieldText(0), QString());
    EXPECT_EQ(m_store.FieldCount(), 0);
    EXPECT_FALSE(m_store.MoveTo(0));
    EXPECT_FALSE(m_store.SetFieldText(QStringLiteral("x"), 1));

    addRocket(7, QStringLiteral("A"));
    addRocket(2, QStringLiteral("B"));
    addRocket(3, QStringLiteral("C"));
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("SELECT * FROM Rockets ORDER BY Name")));
    EXPECT_EQ(m_store.FieldCount(), 17);
    EXPECT_EQ(m_store.GetFieldName(1), QStringLiteral("Name"));
    EXPECT_EQ(m_store.GetFieldText(0), QStringLiteral("7")); // a new result starts on its first row
    EXPECT_EQ(m_store.GetFieldText(11), QString()); // NULL reads as empty text
    EXPECT_EQ(m_store.GetFieldText(17), QStringLiteral("Error"));
    EXPECT_EQ(m_store.GetFieldText(-1), QStringLiteral("Error"));
    EXPECT_TRUE(m_store.MoveTo(-5));
    EXPECT_EQ(m_store.GetFieldText(1), QStringLiteral("A"));
    EXPECT_TRUE(m_store.MoveTo(2));
    EXPECT_EQ(m_store.GetFieldText(1), QStringLiteral("C"));
    EXPECT_FALSE(m_store.MoveTo(3)); // the row count itself is past the end
    EXPECT_TRUE(m_store.IsEOF());
    EXPECT_EQ(m_store.GetFieldText(1), QString());
    EXPECT_EQ(m_store.CountRecords(), 3);

    m_store.MoveFirst();
    QStringList walked;
    for (; !m_store.IsEOF(); m_store.MoveNext())
        walked.append(m_store.GetFieldText(1));
    EXPECT_EQ(walked, QStringList({"A", "B", "C"}));
    m_store.MoveNext(); // stepping at the end stays there
    EXPECT_TRUE(m_store.IsEOF());
}

// A statement that fails, or text holding more than one, runs nothing and
// leaves no result of an earlier statement behind.
TEST_F(RecordStoreTest, RunsExactlyOneStatement)
{
    addRocket(1, QStringLiteral("A"));
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("SELECT * FROM Rockets")));
    EXPECT_FALSE(m_store.RunSql(QStringLiteral("SELECT * FROM NoSuchTable")));
    EXPECT_FALSE(m_store.lastError().isEmpty());
    EXPECT_TRUE(m_store.IsEOF() && m_store.IsBOF());
    EXPECT_EQ(m_store.GetFieldText(1), QString());
    EXPECT_FALSE(m_store.RunSql(QStringLiteral("INSERT INTO Rockets (Name) VALUES ('O'Brien')")));

    for (const char *sql :
         {"SELECT * FROM Rockets; DELETE FROM Rockets", "DELETE FROM Rockets; SELECT 1", "SELECT 1; garbage"}) {
        EXPECT_FALSE(m_store.RunSql(QLatin1String(sql))) << sql;
        EXPECT_TRUE(m_store.IsEOF()) << sql;
    }
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets")), QStringList {"A"}); // nothing ran

    EXPECT_TRUE(m_store.RunSql(QStringLiteral("SELECT Name FROM Rockets;  -- trailing note\n")));
    EXPECT_EQ(m_store.GetFieldText(0), QStringLiteral("A"));
    EXPECT_TRUE(m_store.RunSql(QStringLiteral("  ")));
    EXPECT_TRUE(m_store.IsEOF());
}

TEST_F(RecordStoreTest, WritesGoToTheRowAndLeaveTheResultAsOpened)
{
    for (int id = 1; id <= 5; ++id)
        addRocket(id, QStringLiteral("R%1").arg(id));
    // Renumber the very column the walk is ordered by: no row moves, repeats or appears.
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("SELECT * FROM Rockets ORDER BY ID")));
    QStringList seen;
    for (m_store.MoveFirst(); !m_store.IsEOF(); m_store.MoveNext()) {
        seen.append(m_store.GetFieldText(1));
        ASSERT_TRUE(m_store.SetFieldText(QString::number(100 - m_store.GetFieldText(0).toInt()), 0));
        ASSERT_TRUE(m_store.Update());
    }
    EXPECT_EQ(seen, QStringList({"R1", "R2", "R3", "R4", "R5"}));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT ID, Name FROM Rockets ORDER BY ID")),
              QStringList({"95|R5", "96|R4", "97|R3", "98|R2", "99|R1"}));

    // The column's type decides what is stored and read back.
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("SELECT * FROM Rockets WHERE Name = 'R1'")));
    ASSERT_TRUE(m_store.SetFieldText(QStringLiteral("007"), 0));
    EXPECT_EQ(m_store.GetFieldText(0), QStringLiteral("7"));
    ASSERT_TRUE(m_store.SetFieldText(QStringLiteral("It's new"), 11));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Notes FROM Rockets WHERE ID = 7")), QStringList {"It's new"});
}

TEST_F(RecordStoreTest, DeleteRemovesTheCurrentRowOnly)
{
    for (int id = 1; id <= 3; ++id)
        addRocket(id, QStringLiteral("R%1").arg(id));
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("SELECT * FROM Rockets ORDER BY ID")));
    ASSERT_TRUE(m_store.MoveTo(1));
    ASSERT_TRUE(m_store.Delete());
    EXPECT_EQ(m_store.GetFieldText(1), QStringLiteral("Error2")); // the deleted row cannot be read
    EXPECT_FALSE(m_store.Delete());
    m_store.MoveNext();
    EXPECT_EQ(m_store.GetFieldText(1), QStringLiteral("R3"));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets ORDER BY ID")), QStringList({"R1", "R3"}));
}

TEST_F(RecordStoreTest, ResultsWithoutOneBaseTableAreReadOnly)
{
    addRocket(1, QStringLiteral("A"));
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Launches (Model) VALUES ('1')")));
    const char *readOnly[] = {
        "SELECT count(*) FROM Rockets",
        "SELECT Rockets.Name, Launches.Model FROM Rockets, Launches",
        "SELECT Rockets.Name FROM Rockets JOIN Launches ON Launches.Model = Rockets.ID",
        "SELECT DISTINCT Name FROM Rockets",
        "SELECT Name FROM Rockets GROUP BY Name",
        "SELECT Name || '!' FROM Rockets",
        "SELECT * FROM (SELECT * FROM Rockets)",
    };
    for (const char *sql : readOnly) {
        ASSERT_TRUE(m_store.RunSql(QLatin1String(sql))) << sql;
        EXPECT_FALSE(m_store.IsEOF()) << sql;
        EXPECT_FALSE(m_store.SetFieldText(QStringLiteral("Z"), 0)) << sql;
        EXPECT_FALSE(m_store.Delete()) << sql;
    }
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT ID, Name FROM Rockets")), QStringList {"1|A"});

    // A subset of one table's columns is still that table's rows.
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("SELECT Notes, Name FROM Rockets r WHERE r.ID = 1")));
    EXPECT_TRUE(m_store.SetFieldText(QStringLiteral("B"), 1));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets")), QStringList {"B"});
}

TEST_F(RecordStoreTest, TransactionsCommitRollBackAndNest)
{
    {
        CStoreTransaction transaction(m_store);
        ASSERT_TRUE(transaction.isActive());
        addRocket(1, QStringLiteral("Dropped"));
    } // not committed
    EXPECT_TRUE(m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets")).isEmpty());

    {
        CStoreTransaction outer(m_store);
        addRocket(1, QStringLiteral("Kept"));
        {
            CStoreTransaction inner(m_store);
            addRocket(2, QStringLiteral("Inner dropped"));
        }
        {
            CStoreTransaction inner(m_store);
            addRocket(3, QStringLiteral("Inner kept"));
            EXPECT_TRUE(inner.commit());
        }
        EXPECT_EQ(m_store.transactionDepth(), 1);
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_EQ(m_store.transactionDepth(), 0);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets ORDER BY ID")),
              QStringList({"Kept", "Inner kept"}));
    EXPECT_FALSE(m_store.commitTransaction());

    // Closing the store rolls back what was not committed.
    ASSERT_TRUE(m_store.beginTransaction());
    addRocket(4, QStringLiteral("Lost"));
    m_store.Close();
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets ORDER BY ID")),
              QStringList({"Kept", "Inner kept"}));
}

TEST_F(RecordStoreTest, SqlTextCannotEndTheStoresTransaction)
{
    {
        CStoreTransaction transaction(m_store);
        addRocket(1, QStringLiteral("Pending"));
        for (const char *sql : {"COMMIT", " end transaction", "ROLLBACK", "begin", "SAVEPOINT x", "RELEASE x"})
            EXPECT_FALSE(m_store.RunSql(QLatin1String(sql))) << sql;
        EXPECT_EQ(m_store.transactionDepth(), 1);
    }
    EXPECT_TRUE(m_logbook.rows(QStringLiteral("SELECT Name FROM Rockets")).isEmpty());
}

// A failed write carries SQLite's own reason, and ends the transaction's work:
// later writes and the commit are refused, so nothing after it is stored.
TEST_F(RecordStoreTest, FailedWriteKeepsSqlitesReasonAndDoomsTheTransaction)
{
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("CREATE TABLE Tags (Tag varchar(20) UNIQUE)")));
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Tags VALUES ('kept')")));
    {
        CStoreTransaction transaction(m_store);
        ASSERT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Tags VALUES ('before')")));
        EXPECT_FALSE(m_store.RunSql(QStringLiteral("INSERT INTO Tags VALUES ('kept')")));
        EXPECT_EQ(m_store.lastError(), QStringLiteral("UNIQUE constraint failed: Tags.Tag"));
        EXPECT_EQ(m_store.lastErrorCode(), SQLITE_CONSTRAINT);
        EXPECT_FALSE(m_store.RunSql(QStringLiteral("INSERT INTO Tags VALUES ('after')")));
        EXPECT_TRUE(m_store.RunSql(QStringLiteral("SELECT Tag FROM Tags"))); // reading goes on
        EXPECT_FALSE(m_store.SetFieldText(QStringLiteral("changed"), 0));
        EXPECT_FALSE(m_store.Delete());
        EXPECT_FALSE(m_store.beginTransaction());
        EXPECT_FALSE(transaction.commit());
        EXPECT_EQ(m_store.lastError(), QStringLiteral("UNIQUE constraint failed: Tags.Tag"));
    }
    EXPECT_EQ(m_store.transactionDepth(), 0);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Tag FROM Tags")), QStringList {"kept"});

    // A failure inside a nested transaction is undone with it; the outer work goes on.
    {
        CStoreTransaction outer(m_store);
        ASSERT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Tags VALUES ('outer')")));
        {
            CStoreTransaction inner(m_store);
            EXPECT_FALSE(m_store.RunSql(QStringLiteral("INSERT INTO Tags VALUES ('kept')")));
        }
        EXPECT_TRUE(m_store.RunSql(QStringLiteral("INSERT INTO Tags VALUES ('later')")));
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Tag FROM Tags ORDER BY rowid")),
              QStringList({"kept", "outer", "later"}));
}

// A statement prepared once and run per row writes under the same rules as
// RunSql: only single writes prepare, and its failure dooms the transaction.
// A prepared read only reads, and gives its values in their own types.
TEST_F(RecordStoreTest, PreparedStatementsDoOnlyTheirKindAndWritesFailLikeAnyWrite)
{
    ASSERT_TRUE(m_store.RunSql(QStringLiteral("CREATE TABLE Tags (Tag varchar(20) UNIQUE, Weight real)")));
    for (const char *sql :
         {"SELECT Tag FROM Tags", "BEGIN", "DELETE FROM Tags; DELETE FROM Tags", "INSERT INTO Nowhere VALUES (1)"})
        EXPECT_FALSE(m_store.prepareWrite(QLatin1String(sql)).isValid()) << sql;
    EXPECT_EQ(m_store.lastError(), QStringLiteral("no such table: Nowhere"));

    CSqlStatement insert = m_store.prepareWrite(QStringLiteral("INSERT INTO Tags VALUES (?, ?)"));
    ASSERT_TRUE(insert.isValid());
    {
        CStoreTransaction transaction(m_store);
        for (const char *tag : {"one", "two"}) {
            ASSERT_TRUE(insert.bindText(1, QLatin1String(tag)) && insert.bindDouble(2, 0.5));
            EXPECT_TRUE(m_store.runWrite(insert));
        }
        EXPECT_TRUE(transaction.commit());
    }
    {
        CStoreTransaction transaction(m_store);
        ASSERT_TRUE(insert.bindText(1, QStringLiteral("three")));
        EXPECT_TRUE(m_store.runWrite(insert));
        ASSERT_TRUE(insert.bindText(1, QStringLiteral("one")));
        EXPECT_FALSE(m_store.runWrite(insert));
        EXPECT_EQ(m_store.lastError(), QStringLiteral("UNIQUE constraint failed: Tags.Tag"));
        ASSERT_TRUE(insert.bindText(1, QStringLiteral("four")));
        EXPECT_FALSE(m_store.runWrite(insert));
        EXPECT_FALSE(transaction.commit());
    }
    {
        // A value that cannot be bound: the row is not written with a hole
        // in it, and the transaction holding it is not committed.
        CStoreTransaction transaction(m_store);
        ASSERT_TRUE(insert.bindText(1, QStringLiteral("five")));
        EXPECT_TRUE(m_store.runWrite(insert));
        ASSERT_TRUE(insert.bindText(1, QStringLiteral("six")));
        ASSERT_FALSE(insert.bindDouble(3, 0.5));
        EXPECT_FALSE(m_store.failBind(insert));
        EXPECT_EQ(m_store.lastError(), QStringLiteral("column index out of range"));
        EXPECT_FALSE(transaction.commit());
    }
    // The values were unbound after each run: a row without them stores NULLs.
    EXPECT_TRUE(m_store.runWrite(insert));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT ifnull(Tag, 'null') || ' ' || ifnull(Weight, 'null') FROM Tags "
                                            "ORDER BY rowid")),
              QStringList({"one 0.5", "two 0.5", "null null"}));

    for (const char *sql : {"DELETE FROM Tags", "BEGIN"})
        EXPECT_FALSE(m_store.prepareRead(QLatin1String(sql)).isValid()) << sql;
    CSqlStatement read = m_store.prepareRead(QStringLiteral("SELECT Tag, Weight FROM Tags ORDER BY rowid"));
    ASSERT_EQ(read.step(), CSqlStatement::Step::Row);
    EXPECT_EQ(read.columnText(0), QStringLiteral("one"));
    EXPECT_EQ(read.columnDouble(1), 0.5);
    ASSERT_EQ(read.step(), CSqlStatement::Step::Row);
    ASSERT_EQ(read.step(), CSqlStatement::Step::Row);
    EXPECT_TRUE(read.columnIsNull(1));
    EXPECT_EQ(read.step(), CSqlStatement::Step::Done);
}

// A write that finds the disk full stores nothing. In a transaction the log
// takes the pages at the commit: the commit fails, nothing of the transaction
// is stored, and a write that followed, which would be stored on its own once
// there is room again, is refused until the transaction is over. The reason
// is not hidden behind "no transaction is active".
TEST(RecordStoreDisk, FullDiskRollsBackEverythingAndSaysSo)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    CFailingDiskVfs disk;
    ASSERT_TRUE(disk.isInstalled());
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    const auto insert = [&store](const char *type) {
        return store.RunSql(QStringLiteral("INSERT INTO Motors (Type) VALUES ('%1')").arg(QLatin1String(type)));
    };
    ASSERT_TRUE(insert("stored before"));
    disk.setBudget(0);
    EXPECT_FALSE(insert("alone"));
    EXPECT_TRUE(store.lastErrorIsDiskFull());
    {
        CStoreTransaction transaction(store);
        ASSERT_TRUE(transaction.isActive());
        for (const char *type : {"A", "B"}) {
            if (!insert(type))
                break; // where SQLite writes early, the first write fails instead
        }
        EXPECT_FALSE(transaction.commit());
        EXPECT_TRUE(store.lastErrorIsDiskFull());
        disk.setBudget(-1);
        EXPECT_FALSE(insert("C"));
    }
    EXPECT_EQ(store.lastError(), QStringLiteral("the disk is full"));
    EXPECT_EQ(store.lastSqliteError(), QStringLiteral("database or disk is full"));
    EXPECT_GT(disk.failedWrites(), 0);
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT Type FROM Motors")), QStringList {"stored before"});
    EXPECT_TRUE(insert("after")); // the store is usable once the transaction is over
    EXPECT_EQ(logbook.rows(QStringLiteral("PRAGMA integrity_check")), QStringList {"ok"});
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT Type FROM Motors")), QStringList({"stored before", "after"}));
}

// A failure of the logbook itself reaches the flyer in plain words, whichever
// caller shows it; a statement's own fault keeps SQLite's words, which say
// what to change. SQLite's words stay at hand for logs.
TEST(RecordStoreFailures, AreToldInTheFlyersWords)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    const QString file = logbook.databaseFile();
    const QString folder = QFileInfo(file).absolutePath();
    const auto insert = [](CRecordStore &store) {
        return store.RunSql(QStringLiteral("INSERT INTO Motors (Type) VALUES ('C6')"));
    };

    {
        // Another program holds the write lock longer than the store waits.
        sqlite3 *holder = nullptr;
        ASSERT_EQ(sqlite3_open(file.toUtf8().constData(), &holder), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        CRecordStore store;
        store.setBusyTimeout(50);
        ASSERT_TRUE(store.Open(logbook.directory()));
        EXPECT_FALSE(insert(store));
        EXPECT_EQ(
            store.lastError(),
            QStringLiteral("another program is writing to the logbook %1: try again when it has finished").arg(file));
        EXPECT_EQ(store.lastSqliteError(), QStringLiteral("database is locked"));
        sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(holder);
        EXPECT_TRUE(insert(store)); // once it has finished
    }

    CFailingDiskVfs disk;
    ASSERT_TRUE(disk.isInstalled());
    const std::pair<CFailingDiskVfs::Refusal, QString> refusals[] = {
        {CFailingDiskVfs::Refusal::ReadOnlyFile, QStringLiteral("the logbook %1 is read-only").arg(file)},
        // Not the file's fault: the folder takes no journal beside it.
        {CFailingDiskVfs::Refusal::ReadOnlyFolder,
         QStringLiteral("the folder %1 is read-only, so the logbook in it cannot be changed").arg(folder)},
    };
    for (const auto &[refusal, words] : refusals) {
        disk.setRefusal(refusal);
        CRecordStore store;
        ASSERT_TRUE(store.Open(logbook.directory()));
        EXPECT_FALSE(insert(store));
        EXPECT_EQ(store.lastError(), words);
        EXPECT_EQ(store.lastSqliteError(), QStringLiteral("attempt to write a readonly database"));
        EXPECT_TRUE(store.RunSql(QStringLiteral("SELECT Type FROM Motors"))); // reading goes on
        EXPECT_FALSE(QFile::exists(file + QStringLiteral("-wal"))); // nor a log where none can be made
    }
    disk.setRefusal(CFailingDiskVfs::Refusal::None);
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT Type FROM Motors")), QStringList {"C6"});

    // The statement's own fault, and codes no test can bring about for real.
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    EXPECT_FALSE(store.RunSql(QStringLiteral("INSERT INTO Motors (Weight) VALUES (1)")));
    EXPECT_EQ(store.lastError(), QStringLiteral("table Motors has no column named Weight"));
    EXPECT_EQ(storeFailureText(SQLITE_IOERR_WRITE, QStringLiteral("disk I/O error"), file),
              QStringLiteral("the logbook %1 could not be read or written: the disk reported an error").arg(file));
    EXPECT_EQ(storeFailureText(SQLITE_CORRUPT, QStringLiteral("database disk image is malformed"), file),
              QStringLiteral("the logbook %1 is damaged").arg(file));
    EXPECT_EQ(storeFailureText(SQLITE_CONSTRAINT_TRIGGER, QStringLiteral("flights are locked"), file),
              QStringLiteral("flights are locked"));
}

// The same words from the file system's own refusals, where the user running
// the tests is one they stop.
TEST(RecordStoreFailures, ReadOnlyFileAndFolderAreToldApart)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file modes do not stop the superuser; the refusals are simulated in AreToldInTheFlyersWords";
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    const QString file = logbook.databaseFile();
    const QString folder = QFileInfo(file).absolutePath();
    const auto refusedWith = [&] {
        CRecordStore store;
        if (!store.Open(logbook.directory()))
            return QStringLiteral("<not opened>");
        return store.RunSql(QStringLiteral("INSERT INTO Motors (Type) VALUES ('C6')")) ? QString() : store.lastError();
    };
    const QFile::Permissions writable = QFile::permissions(folder);
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner));
    EXPECT_EQ(refusedWith(), QStringLiteral("the logbook %1 is read-only").arg(file));
    ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(refusedWith(),
              QStringLiteral("the folder %1 is read-only, so the logbook in it cannot be changed").arg(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, writable));
    EXPECT_TRUE(refusedWith().isEmpty());
}

TEST(RecordStoreOpen, ForeignFileIsRefusedAndLeftAsItWas)
{
    QTemporaryDir dir;
    const QString directory = dir.path() + QLatin1Char('/');
    for (const QByteArray &content : {QByteArray("just some notes\n"), QByteArray()}) {
        ASSERT_TRUE(writeTestFile(databasePath(directory), content));
        CRecordingReporter reporter;
        CRecordStore store(&reporter);
        EXPECT_FALSE(store.Open(directory));
        EXPECT_EQ(reporter.fatal,
                  QStringList {QStringLiteral("The file ") + databasePath(directory)
                               + QStringLiteral(" is not a Tarvel database.")});
        store.Close();
        EXPECT_EQ(readTestFile(databasePath(directory)), content);
    }
}

TEST(RecordStoreOpen, CreateDatabaseStatementMakesAnEmptyDatabase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("new.CDB"));
    CRecordStore store;
    EXPECT_TRUE(store.Connect());
    EXPECT_TRUE(store.RunSql(QStringLiteral("CREATE DATABASE ") + sqlQuote(path)));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_FALSE(store.RunSql(QStringLiteral("CREATE DATABASE ") + sqlQuote(path))); // never over a file
    ASSERT_TRUE(store.openFile(path));
    EXPECT_TRUE(store.RunSql(QStringLiteral("CREATE TABLE t (a integer)")));
}

} // namespace
