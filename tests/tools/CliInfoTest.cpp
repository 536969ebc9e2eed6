#include "db/Schema.h"
#include "support/CliHome.h"

#include <QFile>

#include <gtest/gtest.h>

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
    EXPECT_TRUE(QFile::exists(home.path() + QStringLiteral("/config/Zendrak/Tarvel.ini")));
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

} // namespace
