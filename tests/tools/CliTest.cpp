#include "db/Schema.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

struct CliRun
{
    int status;
    QString out;
    QString err;
};

// Starts tarvel-cli with its settings and data in home.
void startCli(QProcess &process, const QStringList &arguments, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARVEL_CLI), arguments);
}

CliRun runCli(const QStringList &arguments, const QString &home)
{
    QProcess process;
    startCli(process, arguments, home);
    process.waitForFinished(30000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

TEST(CliInfo, CreatesSettingsAndLogbookLikeAFirstStart)
{
    QTemporaryDir home;
    const CliRun run = runCli({QStringLiteral("info")}, home.path());
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    const QString storage = home.path() + QStringLiteral("/data/Zendrak/Tarvel/");
    EXPECT_EQ(run.out,
              QStringLiteral("storage: %1\ndatabase: %1TarvelDB.CDB\nRockets: 0\nRecMotors: 0\nMotors: 0\n"
                             "MFGs: 0\nLaunches: 0\nQueries: 0\n")
                  .arg(storage));
    EXPECT_TRUE(QFile::exists(home.path() + QStringLiteral("/config/Zendrak/Tarvel.ini")));
}

TEST(CliInfo, ForeignLogbookAndBadUsageFail)
{
    QTemporaryDir home;
    const QString storage = home.path() + QStringLiteral("/data/Zendrak/Tarvel/");
    ASSERT_EQ(runCli({QStringLiteral("info")}, home.path()).status, 0);
    QFile logbook(databasePath(storage));
    ASSERT_TRUE(logbook.open(QIODevice::WriteOnly | QIODevice::Truncate));
    logbook.write("not a logbook");
    logbook.close();

    CliRun run = runCli({QStringLiteral("info")}, home.path());
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("is not a Tarvel database"))) << qPrintable(run.err);

    run = runCli({QStringLiteral("no-such-command")}, home.path());
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.err.contains(QStringLiteral("unknown command")));
    EXPECT_NE(runCli({QStringLiteral("info"), QStringLiteral("extra")}, home.path()).status, 0);
}

// Every command shows what it takes with --help, and refuses an option or a
// number of arguments it does not take with its usage line, as a usage error.
TEST(Cli, EveryCommandHasItsHelpAndRefusesWhatItDoesNotTake)
{
    QTemporaryDir home;
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
    };
    for (const auto &[name, wrong] : commands) {
        const QString command = QLatin1String(name);
        const QString usage = QStringLiteral("usage: tarvel-cli ") + command;
        const CliRun help = runCli({command, QStringLiteral("--help")}, home.path());
        EXPECT_EQ(help.status, 0) << name;
        EXPECT_TRUE(help.out.startsWith(usage)) << qPrintable(help.out);
        EXPECT_TRUE(help.out.contains(QStringLiteral("-h, --help"))) << qPrintable(help.out);
        EXPECT_EQ(runCli({QStringLiteral("help"), command}, home.path()).out, help.out);

        const CliRun refused = runCli(QStringList {command} + wrong, home.path());
        EXPECT_EQ(refused.status, 2) << name;
        EXPECT_TRUE(refused.out.isEmpty()) << qPrintable(refused.out);
        EXPECT_TRUE(refused.err.contains(usage)) << qPrintable(refused.err);
    }
    const CliRun list = runCli({QStringLiteral("--help")}, home.path());
    EXPECT_EQ(list.status, 0);
    for (const auto &[name, wrong] : commands)
        EXPECT_TRUE(list.out.contains(QStringLiteral("\n  ") + QLatin1String(name))) << name;
    EXPECT_EQ(runCli({}, home.path()).status, 2);
}

// An import goes file by file: each file's line is written as soon as the
// file is stored, even into a pipe, and other programs read the logbook
// while a long file goes in. Killed, the import leaves the files it named
// stored, and nothing of the one it was in.
TEST(Cli, ImportSharesTheLogbookAndAKilledOneLeavesItsRecord)
{
    QTemporaryDir home;
    QTemporaryDir folder;
    ASSERT_EQ(runCli({QStringLiteral("info")}, home.path()).status, 0);
    const QString one = folder.filePath(QStringLiteral("one.eng"));
    ASSERT_TRUE(writeTestFile(one, "; c\nC6 18 70 5 0 0 Estes\n1 1\n"));
    const QString gone = folder.filePath(QStringLiteral("gone.eng"));
    const QString many = folder.filePath(QStringLiteral("many.eng"));
    QByteArray motors;
    for (int i = 0; i < 600000; ++i)
        motors += "; c\nM" + QByteArray::number(i) + " 18 70 3 0 0 Estes\n1 1\n";
    ASSERT_TRUE(writeTestFile(many, motors));

    QProcess import;
    startCli(import, {QStringLiteral("import-motors"), one, gone, many}, home.path());
    QByteArray said;
    while (!said.contains('\n') && import.waitForReadyRead(30000))
        said += import.readAllStandardOutput();
    EXPECT_EQ(QString::fromUtf8(said), one + QStringLiteral(": Motors Extracted =1\n"));
    ASSERT_EQ(import.state(), QProcess::Running);

    const CliRun info = runCli({QStringLiteral("info")}, home.path());
    EXPECT_EQ(info.status, 0) << qPrintable(info.err);
    EXPECT_TRUE(info.out.contains(QStringLiteral("\nMotors: 1\n"))) << qPrintable(info.out);

    import.kill();
    ASSERT_TRUE(import.waitForFinished(30000));
    EXPECT_EQ(import.exitStatus(), QProcess::CrashExit); // it was still at the long file
    EXPECT_EQ(QString::fromUtf8(import.readAllStandardError()).section(QLatin1Char('\n'), 0, 0),
              QStringLiteral("tarvel-cli: cannot read %1: No such file or directory.").arg(gone));
    const QString logbook = home.path() + QStringLiteral("/data/Zendrak/Tarvel/TarvelDB.CDB");
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
