#include "db/Schema.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int status;
    QString out;
    QString err;
};

CliRun runCli(const QStringList &arguments, const QString &home)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARVEL_CLI), arguments);
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

} // namespace
