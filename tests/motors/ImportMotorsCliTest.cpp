// tarvel-cli import-motors on the storage directory's logbook, file by file.
#include "support/CliHome.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/stat.h>

namespace {
// Each test on a home, settings and logbook of its own.
class ImportMotorsCli : public ::testing::Test
{
protected:
    struct CRun
    {
        int exitCode;
        QString out;
        QString err;
    };
    CRun runCli(const QStringList &arguments) const
    {
        const CCliHome::CResult result = m_home.run(arguments);
        return {result.status, QString::fromUtf8(result.out), result.err};
    }

    CCliHome m_home;
};
} // namespace

TEST_F(ImportMotorsCli, ImportsEachFileInTurn)
{
    QTemporaryDir folder;
    const QString eng = folder.filePath(QStringLiteral("two.eng"));
    const QString empty = folder.filePath(QStringLiteral("empty.eng"));
    ASSERT_TRUE(writeTestFile(eng, "; c\nC6 18 70 5 0 0 Estes\n1 1\n; c\nD12 24 70 5 0 0 Estes\n1 1\n"));
    ASSERT_TRUE(writeTestFile(empty, QByteArray()));

    const CRun run = runCli({QStringLiteral("import-motors"), eng, empty, folder.filePath(QStringLiteral("gone.eng"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, eng + QStringLiteral(": Motors Extracted =2\n"));
    EXPECT_TRUE(run.err.contains(empty + QStringLiteral(": Nothing loaded from file"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("gone.eng"))) << run.err.toStdString();

    EXPECT_EQ(runCli({QStringLiteral("import-motors"), eng}).exitCode, 0);
    const CRun info = runCli({QStringLiteral("info")});
    EXPECT_TRUE(info.out.contains(QStringLiteral("Motors: 4"))) << info.out.toStdString();

    EXPECT_EQ(runCli({QStringLiteral("import-motors")}).exitCode, 2);
}

// Another program holds the logbook's write lock for longer than the import
// waits: the import says the logbook is busy, names it, and fails.
TEST_F(ImportMotorsCli, BusyLogbookIsNamedAndNothingIsImported)
{
    const CRun info = runCli({QStringLiteral("info")});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    const QString logbook = info.out.section(QStringLiteral("database: "), 1).section(QLatin1Char('\n'), 0, 0);
    ASSERT_FALSE(logbook.isEmpty()) << info.out.toStdString();

    QTemporaryDir folder;
    const QString eng = folder.filePath(QStringLiteral("one.eng"));
    ASSERT_TRUE(writeTestFile(eng, "; c\nC6 18 70 5 0 0 Estes\n1 1\n"));
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(logbook.toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const CRun run = runCli({QStringLiteral("import-motors"), eng});
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_EQ(run.err,
              QStringLiteral("tarvel-cli: Nothing of %1 was imported: another program is writing to the "
                             "logbook %2: try again when it has finished. (SQLite: database is locked)\n")
                  .arg(eng, logbook));
    EXPECT_TRUE(runCli({QStringLiteral("info")}).out.contains(QStringLiteral("Motors: 0")));
}

TEST_F(ImportMotorsCli, RefusedWriteFailsWithTheReason)
{
    const CRun info = runCli({QStringLiteral("info")});
    const QString logbook = info.out.section(QStringLiteral("database: "), 1).section(QLatin1Char('\n'), 0, 0);
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(logbook.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "DROP TABLE Motors; CREATE TABLE Motors (Name text)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    QTemporaryDir folder;
    const QString eng = folder.filePath(QStringLiteral("one.eng"));
    ASSERT_TRUE(writeTestFile(eng, "; c\nC6 18 70 5 0 0 Estes\n1 1\n"));

    const CRun run = runCli({QStringLiteral("import-motors"), eng});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("table Motors has no column named Type"))) << run.err.toStdString();
}

// The curve as the file wrote it: every value in the shortest form that reads
// back as the same number, never rounded to six digits; a pipe named like a
// motor file is refused at once.
TEST_F(ImportMotorsCli, MotorCurvePrintsTheFilesDigits)
{
    QTemporaryDir folder;
    const QString eng = folder.filePath(QStringLiteral("k.eng"));
    ASSERT_TRUE(writeTestFile(eng, "K1 54 236 10 0.7 1.2 CTI\n0.0125 1234.56789\n1.00000 1e3\n2.5 0.0"));
    const QString pipe = folder.filePath(QStringLiteral("pipe.eng"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const CRun imported = runCli({QStringLiteral("import-motors"), eng, pipe});
    EXPECT_EQ(imported.exitCode, 1);
    EXPECT_EQ(imported.out, eng + QStringLiteral(": Motors Extracted =1\n"));
    EXPECT_EQ(
        imported.err.section(QLatin1Char('\n'), -2, -2),
        QStringLiteral("tarvel-cli: %1 is not a file but a device or a pipe, so nothing was read from it.").arg(pipe));

    const CRun curve = runCli({QStringLiteral("motor-curve"), QStringLiteral("K1")});
    EXPECT_EQ(curve.exitCode, 0) << curve.err.toStdString();
    EXPECT_EQ(curve.out, QStringLiteral("; CTI K1-10\n0.0125 1234.56789\n1 1000\n2.5 0\n"));
}
