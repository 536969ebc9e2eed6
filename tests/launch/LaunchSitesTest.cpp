#include "launch/LaunchSites.h"

#include "platform/SettingsStore.h"
#include "support/CliHome.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QDate kFriday(2026, 3, 13);

QByteArray card(const QByteArray &name, const QByteArray &org, const QByteArray &categories)
{
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + name + "\r\nORG:" + org + "\r\nCATEGORIES:" + categories
        + "\r\nEND:VCARD\r\n";
}

QByteArray launch(const QByteArray &start, const QByteArray &location)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nSUMMARY:Launch\r\nDTSTART:" + start
        + "\r\nLOCATION:" + location + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// A storage directory holding contact and calendar files written by the tests.
class LaunchSitesFolder : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString directory() const { return m_dir.path() + QLatin1Char('/'); }

    void write(const QString &name, const QByteArray &data) { ASSERT_TRUE(writeTestFile(directory() + name, data)); }

    void writeSampleFiles()
    {
        write(QStringLiteral("b.vcf"),
              card("Field;North;;;", "", "Launch Sites") + card("Doe;Jane;;;", "", "Friends")
                  + card(";;;;", "", "Launch Sites") + card("", "Desert Range", "launch sites,VIP"));
        write(QStringLiteral("a.VCF"), card("", "Club\\, Field", "Other,LAUNCH SITES"));
        write(QStringLiteral("broken.vcf"), "BEGIN:VCARD\r\nORG:Broken\r\nCATEGORIES:Launch Sites\r\n\xFF\xFE");
        write(QStringLiteral("sites.txt"), card("", "Not Read", "Launch Sites"));
        ASSERT_TRUE(QDir(directory()).mkdir(QStringLiteral("folder.vcf")));

        write(QStringLiteral("1.ics"), launch("20260314T100000", "Tomorrow Field"));
        write(QStringLiteral("2.ics"), "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:Launch\r\nDTSTART:garbage");
        write(QStringLiteral("3.ics"), launch("20260313T100000", "Desert Range"));
        write(QStringLiteral("4.ics"), launch("20260313T080000", "Later File"));
    }

    // `tarvel-cli sites` on this folder, from a home of its own.
    CCliHome::CResult runSites(const char *date)
    {
        CSettingsStore settings(m_home.settingsFile());
        EXPECT_TRUE(settings.WriteSetting(QLatin1String(kSettingDefaultDirectory), directory()));
        EXPECT_TRUE(settings.WriteSetting(QLatin1String(kSettingSitesCategory), QStringLiteral("Launch Sites")));
        EXPECT_TRUE(settings.WriteSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("YES")));
        return m_home.run({QStringLiteral("sites"), QStringLiteral("--date"), QLatin1String(date)});
    }

    CCliHome m_home;
    QTemporaryDir m_dir;
};
} // namespace

TEST_F(LaunchSitesFolder, ListsContactsOfTheCategoryAndTodaysLaunch)
{
    writeSampleFiles();
    const CLaunchSites found = LoadLaunchSites(directory(), QStringLiteral("Launch Sites"), kFriday, QTimeZone::utc());
    EXPECT_EQ(found.sites, QStringList({"Club, Field", "NorthField", "Desert Range"}));
    EXPECT_EQ(found.todaysSite, QStringLiteral("Desert Range"));

    const CLaunchSites tomorrow =
        LoadLaunchSites(directory(), QStringLiteral("friends"), kFriday.addDays(1), QTimeZone::utc());
    EXPECT_EQ(tomorrow.sites, QStringList({"JaneDoe"}));
    EXPECT_EQ(tomorrow.todaysSite, QStringLiteral("Tomorrow Field"));

    const CLaunchSites noCategory = LoadLaunchSites(directory(), QString(), kFriday.addDays(2), QTimeZone::utc());
    EXPECT_TRUE(noCategory.sites.isEmpty() && noCategory.todaysSite.isEmpty());
    const CLaunchSites missing = LoadLaunchSites(directory() + QStringLiteral("missing/"),
                                                 QStringLiteral("Launch Sites"), kFriday, QTimeZone::utc());
    EXPECT_TRUE(missing.sites.isEmpty() && missing.todaysSite.isEmpty());
    EXPECT_TRUE(LoadLaunchSites(QString(), QStringLiteral("Launch Sites"), kFriday).sites.isEmpty());

    EXPECT_EQ(siteBoxOrder({"meadow", "Beach", "airfield", "Meadow"}),
              QStringList({"airfield", "Beach", "meadow", "Meadow"}));
}

TEST_F(LaunchSitesFolder, CommandLinePrintsTheSiteBox)
{
    writeSampleFiles();
    const CCliHome::CResult friday = runSites("2026-03-13");
    EXPECT_EQ(friday.status, 0) << friday.err.toStdString();
    EXPECT_EQ(QString::fromUtf8(friday.out),
              QStringLiteral("Club, Field\nDesert Range\nNorthField\nToday: Desert Range\n"));

    const CCliHome::CResult noDay = runSites("2026-02-30");
    EXPECT_EQ(noDay.status, 2);
    EXPECT_TRUE(noDay.out.isEmpty());
}

// Files that once crashed or froze the launch screen: the reading ends, in a
// child process that is killed if it hangs, and says what it left out.
TEST_F(LaunchSitesFolder, HostileFilesAreSkippedWithANote)
{
    static const char kNulCard[] = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Site;Field\0;;;\r\nCATEGORIES:Launch Sites\r\n"
                                   "END:VCARD\r\n";
    write(QStringLiteral("nul.vcf"), QByteArray(kNulCard, sizeof kNulCard - 1));
    QByteArray nested;
    for (int i = 0; i < 180000; ++i)
        nested += "BEGIN:VCALENDAR\r\n";
    write(QStringLiteral("a-nested.ics"), nested);
    write(QStringLiteral("b-long.ics"), launch("20260314T100000", "Field " + QByteArray(2 * 1024 * 1024, 'x')));
    write(QStringLiteral("c-huge.ics"), launch("20260313T100000", QByteArray(kMaxSiteFileBytes, 'y')));
    QByteArray recurring("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n");
    for (int i = 0; i < 300; ++i)
        recurring += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(i)
            + "\r\nSUMMARY:Launch\r\nDTSTART:20000101T000000Z\r\nRRULE:FREQ=SECONDLY;COUNT=2000000000\r\n"
              "LOCATION:Never\r\nEND:VEVENT\r\n";
    write(QStringLiteral("d-recurring.ics"), recurring + "END:VCALENDAR\r\n");

    const CCliHome::CResult cli = runSites("2026-03-13");
    EXPECT_EQ(cli.status, 0);
    EXPECT_EQ(QString::fromUtf8(cli.out), QStringLiteral("FieldSite\nToday: \n"));
    const QString &notes = cli.err;
    for (const char *note :
         {"a-nested.ics: skipped, components nested deeper than 16", "b-long.ics: 1 line(s) longer than 64 KB left out",
          "c-huge.ics: skipped, larger than 8 MB"})
        EXPECT_TRUE(notes.contains(QLatin1String(note))) << notes.toStdString();
    EXPECT_TRUE(notes.contains(QStringLiteral("d-recurring.ics: too many recurrences"))
                || notes.contains(QStringLiteral("d-recurring.ics: skipped, out of time")))
        << notes.toStdString();

    // In this process too the reading ends; the time limit is a guard against
    // hanging, the speed itself is measured by the benchmark.
    QElapsedTimer clock;
    clock.start();
    const CLaunchSites found = LoadLaunchSites(directory(), QStringLiteral("Launch Sites"), kFriday, QTimeZone::utc());
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(found.sites, QStringList {"FieldSite"});
    EXPECT_TRUE(found.todaysSite.isEmpty());
}
