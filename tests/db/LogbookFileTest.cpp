#include "db/LogbookFile.h"

#include "db/FailingDiskVfs.h"
#include "db/RecordStore.h"
#include "db/SqlStatement.h"
#include "db/StoreTransaction.h"
#include "support/TestLogbook.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <thread>

namespace {

// Bytes 18 and 19 of an SQLite file: 1 and 1 for the rollback journal, 2 and
// 2 for the write-ahead log, as the file format gives them.
QByteArray journalBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.read(20).mid(18, 2);
}

const QByteArray kRollbackJournal("\x01\x01", 2);

bool besideTheLogbook(const CTestLogbook &logbook, const char *suffix)
{
    return QFile::exists(logbook.databaseFile() + QLatin1String(suffix));
}

// While stores have it open the logbook keeps a log, and a reader goes on
// while another writes; the last store to close makes it one file again, in
// the rollback journal, and so does settling it before a move.
TEST(LogbookFile, SharedWhileOpenAndOneFileOnceClosed)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_EQ(journalBytes(logbook.databaseFile()), kRollbackJournal);
    {
        CRecordStore writer;
        CRecordStore reader;
        ASSERT_TRUE(writer.Open(logbook.directory()));
        ASSERT_TRUE(reader.Open(logbook.directory()));
        EXPECT_EQ(journalBytes(logbook.databaseFile()), QByteArray("\x02\x02"));
        reader.setBusyTimeout(0);
        {
            CStoreTransaction transaction(writer);
            ASSERT_TRUE(writer.RunSql(QStringLiteral("INSERT INTO Motors (Type) VALUES ('C6')")));
            // Not shut out, and sees only what is committed.
            ASSERT_TRUE(reader.RunSql(QStringLiteral("SELECT count(*) FROM Motors")));
            EXPECT_EQ(reader.GetFieldText(0), QStringLiteral("0"));
            EXPECT_TRUE(transaction.commit());
        }
        writer.Close();
        EXPECT_TRUE(besideTheLogbook(logbook, "-wal")); // the reader still has it open
        ASSERT_TRUE(reader.RunSql(QStringLiteral("SELECT count(*) FROM Motors")));
        EXPECT_EQ(reader.GetFieldText(0), QStringLiteral("1"));
    }
    EXPECT_EQ(journalBytes(logbook.databaseFile()), kRollbackJournal);
    EXPECT_FALSE(besideTheLogbook(logbook, "-wal"));
    EXPECT_FALSE(besideTheLogbook(logbook, "-shm"));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT Type FROM Motors")), QStringList {"C6"});

    // Another program that keeps the log open: settling waits for it, then says why.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(logbook.databaseFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "PRAGMA journal_mode = WAL; SELECT count(*) FROM Motors", nullptr, nullptr, nullptr),
              SQLITE_OK);
    CSqlError error;
    EXPECT_FALSE(settleLogbook(logbook.databaseFile(), error));
    EXPECT_EQ(error.code, SQLITE_BUSY);
    sqlite3_close(other);
    EXPECT_TRUE(besideTheLogbook(logbook, "-wal") || journalBytes(logbook.databaseFile()) != kRollbackJournal);
    EXPECT_TRUE(settleLogbook(logbook.databaseFile(), error)) << qPrintable(error.message);
    EXPECT_EQ(journalBytes(logbook.databaseFile()), kRollbackJournal);
    EXPECT_FALSE(besideTheLogbook(logbook, "-wal"));
}

// A logbook that cannot be written keeps the rollback journal, which a
// reader never writes, and reads as it is: no log beside it, which could not
// be made where the folder is read-only.
TEST(LogbookFile, ReadOnlyLogbookIsReadWithoutALog)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({"INSERT INTO Motors (Type) VALUES ('C6')"}));
    CFailingDiskVfs disk;
    ASSERT_TRUE(disk.isInstalled());
    disk.setRefusal(CFailingDiskVfs::Refusal::ReadOnlyFile);
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    ASSERT_TRUE(store.RunSql(QStringLiteral("SELECT Type FROM Motors")));
    EXPECT_EQ(store.GetFieldText(0), QStringLiteral("C6"));
    EXPECT_FALSE(besideTheLogbook(logbook, "-wal"));
    EXPECT_EQ(journalBytes(logbook.databaseFile()), kRollbackJournal);
}

// A write that finds another program writing waits for it rather than fail:
// the store's write lands after the other program's commit.
TEST(LogbookFile, WriterWaitsForAnotherProgramsWrite)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    CRecordStore store;
    ASSERT_TRUE(store.Open(logbook.directory()));
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(logbook.databaseFile().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO Motors (Type) VALUES ('theirs')", nullptr, nullptr, nullptr),
        SQLITE_OK);
    // The other program's write takes a while, far less than the store waits.
    std::thread writer([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    const bool stored = store.RunSql(QStringLiteral("INSERT INTO Motors (Type) VALUES ('ours')"));
    writer.join();
    sqlite3_close(other);
    EXPECT_TRUE(stored) << qPrintable(store.lastError());
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT Type FROM Motors ORDER BY rowid")), QStringList({"theirs", "ours"}));
}

// A writer killed at any moment leaves exactly what it had committed: each
// transaction of ten motors whole or not at all, and every one it reported
// committed before it died.
TEST(LogbookFile, KilledWriterLeavesTheLastCommittedState)
{
    for (int round = 0; round < 4; ++round) {
        CTestLogbook logbook;
        ASSERT_TRUE(logbook.isValid());
        QProcess child;
        child.start(QStringLiteral(TARVEL_LOGBOOK_CHILD), {QStringLiteral("write"), logbook.directory()});
        ASSERT_TRUE(child.waitForStarted());
        QByteArray said;
        while (!said.contains("committed") && child.waitForReadyRead(20000))
            said += child.readAllStandardOutput();
        ASSERT_TRUE(said.contains("committed")) << said.constData();
        QThread::msleep(QRandomGenerator::global()->bounded(5 + round * 30));
        child.kill();
        ASSERT_TRUE(child.waitForFinished());
        said += child.readAllStandardOutput();
        const QList<QByteArray> lines = said.trimmed().split('\n');
        const int reported = lines.last().mid(int(qstrlen("committed "))).toInt();
        ASSERT_GT(reported, 0) << said.constData();

        EXPECT_EQ(logbook.rows(QStringLiteral("PRAGMA integrity_check")), QStringList {"ok"});
        const int stored = logbook.rows(QStringLiteral("SELECT count(*) FROM Motors")).value(0).toInt();
        // One more transaction may have committed after the last report.
        EXPECT_TRUE(stored == reported || stored == reported + 10) << stored << " stored, " << reported << " reported";
        EXPECT_EQ(logbook.rows(QStringLiteral("SELECT count(*) FROM Motors WHERE Type = 'M' || rowid")),
                  QStringList {QString::number(stored)});
    }
}

} // namespace
