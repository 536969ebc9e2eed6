#include "db/Schema.h"
#include "support/CliHome.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

TEST(CliInfo, CreatesSettingsAndLogbookLikeAFirstStart)
{
    CCliHome home;
    const CCliHome::CResult run = home.run({QStringLiteral("info")});
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    const QString storage = home.path() + QStringLiteral("/data/Zendrak/Tarvel/");
    EXPECT_EQ(QString::fromUtf8(run.out),
              QStringLiteral("storage: %1\ndatabase: %1TarvelDB.CDB\nRockets: 0\nRecMotors: 0\nMotors: 0\n"
                             "MFGs: 0\nLaunches: 0\nQueries: 0\n")
                  .arg(storage));
    EXPECT_TRUE(QFile::exists(home.settingsFile()));
}

TEST(CliInfo, ForeignLogbookAndBadUsageFail)
{
    CCliHome home;
    ASSERT_EQ(home.run({QStringLiteral("info")}).status, 0);
    QFile logbook(databasePath(home.storageDirectory()));
    ASSERT_TRUE(logbook.open(QIODevice::WriteOnly | QIODevice::Truncate));
    logbook.write("not a logbook");
    logbook.close();

    CCliHome::CResult run = home.run({QStringLiteral("info")});
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("is not a Tarvel database"))) << qPrintable(run.err);

    run = home.run({QStringLiteral("no-such-command")});
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("unknown command")));
    EXPECT_NE(home.run({QStringLiteral("info"), QStringLiteral("extra")}).status, 0);
}

// Every command shows what it takes with --help, and refuses an option or a
// number of arguments it does not take with its usage line, as a usage error.
TEST(Cli, EveryCommandHasItsHelpAndRefusesWhatItDoesNotTake)
{
    CCliHome home;
    const std::pair<const char *, QStringList> commands[] = {
        {"info", {"extra"}},
        {"queries", {"extra"}},
        {"export", {"only-a-name"}},
        {"sites", {"--date"}},
        {"import-motors", {}},
        {"flights", {"--from", "2026-01-01", "extra"}},
        {"stats", {"--format", "xml"}},
        {"motors", {"--colour", "red"}},
        {"motor-curve", {}},
        {"flight-data", {"a.csv", "b.csv"}},
        {"predict", {"--motor", "C6", "--format", "csv", "--mass", "1", "--diameter", "0.1"}},
        {"motor-guide", {"--mass", "1", "--diameter", "0.1", "--count", "2"}},
        {"fit-cd", {"--apogee", "100", "--flight", "1"}},
    };
    for (const auto &[name, wrong] : commands) {
        const QString command = QLatin1String(name);
        const QString usage = QStringLiteral("usage: tarvel-cli ") + command;
        const CCliHome::CResult help = home.run({command, QStringLiteral("--help")});
        EXPECT_EQ(help.status, 0) << name;
        EXPECT_TRUE(help.out.startsWith(usage.toUtf8())) << help.out.constData();
        EXPECT_TRUE(help.out.contains("-h, --help")) << help.out.constData();
        EXPECT_EQ(home.run({QStringLiteral("help"), command}).out, help.out);

        const CCliHome::CResult refused = home.run(QStringList {command} + wrong);
        EXPECT_EQ(refused.status, 2) << name;
        EXPECT_TRUE(refused.out.isEmpty()) << refused.out.constData();
        EXPECT_TRUE(refused.err.contains(usage)) << qPrintable(refused.err);
    }
    const CCliHome::CResult list = home.run({QStringLiteral("--help")});
    EXPECT_EQ(list.status, 0);
    for (const auto &[name, wrong] : commands)
        EXPECT_TRUE(list.out.contains(QByteArray("\n  ") + name)) << name;
    EXPECT_EQ(home.run({}).status, 2);
}

// An import goes file by file: each file's line is written as soon as the
// file is stored, even into a pipe, and other programs read the logbook
// while a long file goes in. Killed, the import leaves the files it named
// stored, and nothing of the one it was in.
TEST(Cli, ImportSharesTheLogbookAndAKilledOneLeavesItsRecord)
{
    CCliHome home;
    QTemporaryDir folder;
    ASSERT_EQ(home.run({QStringLiteral("info")}).status, 0);
    const QString one = folder.filePath(QStringLiteral("one.eng"));
    ASSERT_TRUE(writeTestFile(one, "; c\nC6 18 70 5 0 0 Estes\n1 1\n"));
    const QString gone = folder.filePath(QStringLiteral("gone.eng"));
    const QString many = folder.filePath(QStringLiteral("many.eng"));
    QByteArray motors;
    for (int i = 0; i < 600000; ++i)
        motors += "; c\nM" + QByteArray::number(i) + " 18 70 3 0 0 Estes\n1 1\n";
    ASSERT_TRUE(writeTestFile(many, motors));

    QProcess import;
    home.start(import, {QStringLiteral("import-motors"), one, gone, many});
    QByteArray said;
    while (!said.contains('\n') && import.waitForReadyRead(30000))
        said += import.readAllStandardOutput();
    EXPECT_EQ(QString::fromUtf8(said), one + QStringLiteral(": Motors Extracted =1\n"));
    ASSERT_EQ(import.state(), QProcess::Running);

    const CCliHome::CResult info = home.run({QStringLiteral("info")});
    EXPECT_EQ(info.status, 0) << qPrintable(info.err);
    EXPECT_TRUE(info.out.contains("\nMotors: 1\n")) << info.out.constData();

    import.kill();
    ASSERT_TRUE(import.waitForFinished(30000));
    EXPECT_EQ(import.exitStatus(), QProcess::CrashExit); // it was still at the long file
    EXPECT_EQ(QString::fromUtf8(import.readAllStandardError()).section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("tarvel-cli: cannot read %1: No such file or directory.").arg(gone));
    const QString logbook = databasePath(home.storageDirectory());
    sqlite3 *db = nullptr;
    sqlite3_stmt *count = nullptr;
    ASSERT_EQ(sqlite3_open_v2(logbook.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT group_concat(Type) FROM Motors", -1, &count, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(count), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char *>(sqlite3_column_text(count, 0)), "C6");
    sqlite3_finalize(count);
    sqlite3_close(db);
}

} // namespace
