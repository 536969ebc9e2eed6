#include "platform/SettingsStore.h"

#include "platform/Platform.h"
#include "support/CliHome.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class SettingsStoreTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("Zendrak/Tarvel.ini")); }

    QTemporaryDir m_dir;
    CSettingsStore m_store {path()};
};

TEST_F(SettingsStoreTest, FirstStartWritesTheFiveDefaultsAndUsesThem)
{
    // Reading before the first start creates nothing, so that start still writes the defaults.
    EXPECT_EQ(m_store.ReadSetting(QLatin1String(kSettingDefaultDirectory)), QString());
    EXPECT_FALSE(QFile::exists(path()));

    m_store.setDefaultStorageDirectory(QStringLiteral("/data/tarvel/"));
    CMainSettings main;
    main.displayBanner = false;
    ASSERT_TRUE(m_store.loadMainSettings(main));
    EXPECT_EQ(main.storageDirectory, QStringLiteral("/data/tarvel/"));
    EXPECT_EQ(main.sitesCategory, QStringLiteral("Launch Sites"));
    EXPECT_TRUE(main.displayBanner);

    QStringList keys = QSettings(path(), QSettings::IniFormat).allKeys();
    keys.sort();
    EXPECT_EQ(keys,
              QStringList(
                  {"Default Checklist", "Default Directory", "Display Banner", "Failure Checklist", "Sites Category"}));
    EXPECT_EQ(m_store.ReadSetting(QLatin1String(kSettingDisplayBanner)), QStringLiteral("YES"));

    // The next start reads what the first one wrote.
    CMainSettings again;
    ASSERT_TRUE(m_store.loadMainSettings(again));
    EXPECT_EQ(again.storageDirectory, QStringLiteral("/data/tarvel/"));
}

TEST_F(SettingsStoreTest, OnlyNoHidesTheBanner)
{
    CMainSettings main;
    ASSERT_TRUE(m_store.loadMainSettings(main));
    const std::pair<const char *, bool> cases[] = {
        {"NO", false}, {"no", true}, {"No", true}, {"", true}, {"YES", true}};
    for (const auto &[value, shown] : cases) {
        ASSERT_TRUE(m_store.WriteSetting(QLatin1String(kSettingDisplayBanner), QLatin1String(value)));
        main.displayBanner = !shown;
        ASSERT_TRUE(m_store.loadMainSettings(main));
        EXPECT_EQ(main.displayBanner, shown) << value;
    }
}

TEST_F(SettingsStoreTest, ValuesHoldAtMost199Characters)
{
    const QString longest = QLatin1Char('/') + QString(197, QLatin1Char('d')) + QLatin1Char('/');
    EXPECT_TRUE(m_store.WriteSetting(QStringLiteral("Default Directory"), longest));
    EXPECT_TRUE(m_store.canWrite(longest));
    EXPECT_EQ(m_store.ReadSetting(QStringLiteral("Default Directory")), longest);
    EXPECT_FALSE(m_store.canWrite(longest + QLatin1Char('x')));
    EXPECT_FALSE(m_store.WriteSetting(QStringLiteral("Default Directory"), longest + QLatin1Char('x')));
    EXPECT_EQ(m_store.ReadSetting(QStringLiteral("Default Directory")), longest); // nothing stored

    // A longer value put there by hand does not read, and stops the load.
    {
        QSettings file(path(), QSettings::IniFormat);
        file.setValue(QLatin1String(kSettingSitesCategory), QString(200, QLatin1Char('s')));
    }
    EXPECT_EQ(m_store.ReadSetting(QLatin1String(kSettingSitesCategory)), QString());
    CMainSettings main;
    main.sitesCategory = QStringLiteral("before");
    main.displayBanner = false;
    EXPECT_FALSE(m_store.loadMainSettings(main));
    EXPECT_EQ(main.storageDirectory, longest); // read before the failure
    EXPECT_EQ(main.sitesCategory, QStringLiteral("before"));
    EXPECT_FALSE(main.displayBanner); // not reached
}

TEST_F(SettingsStoreTest, ListsTypedByHandReadAsTypedAndSurviveOtherWrites)
{
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("Zendrak"))));
    ASSERT_TRUE(writeTestFile(path(),
                              "[General]\nDefault Status=Active,Retired,\nFailure Checklist=Fins "
                              "glued,Chute packed,\nDefault Model Types=Sport,\nSites Category=A,B\n"));
    const std::pair<const char *, const char *> typed[] = {{kSettingDefaultStatus, "Active,Retired,"},
                                                           {kSettingFailureChecklist, "Fins glued,Chute packed,"},
                                                           {kSettingDefaultModelTypes, "Sport,"},
                                                           {kSettingSitesCategory, "A,B"}};
    for (const auto &[name, text] : typed)
        EXPECT_EQ(m_store.ReadSetting(QLatin1String(name)), QLatin1String(text)) << name;
    // Writing another value rewrites the file; the typed lists keep their meaning.
    ASSERT_TRUE(m_store.WriteSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("NO")));
    for (const auto &[name, text] : typed)
        EXPECT_EQ(m_store.ReadSetting(QLatin1String(name)), QLatin1String(text)) << name;

    // What is written comes back exactly, separators, quotes and blanks included.
    for (const QString &text :
         {QStringLiteral("Fins glued,Chute packed,Igniter in,"), QStringLiteral("a=b; c\\d \"e\""),
          QStringLiteral("Überlingen, Zürich"), QStringLiteral(" spaced "), QString()}) {
        ASSERT_TRUE(m_store.WriteSetting(QLatin1String(kSettingDefaultChecklist), text));
        EXPECT_EQ(m_store.ReadSetting(QLatin1String(kSettingDefaultChecklist)), text);
    }
}

TEST_F(SettingsStoreTest, StorageDirectoryIsAlwaysAWholeAbsolutePath)
{
    m_store.setDefaultStorageDirectory(QStringLiteral("/data/default/"));
    CMainSettings main;
    ASSERT_TRUE(m_store.loadMainSettings(main)); // first start
    const std::tuple<const char *, QString, bool> cases[] = {
        {"/data/rockets", QStringLiteral("/data/rockets/"), true}, // the separator is added
        {"~/rockets/", QDir::homePath() + QStringLiteral("/rockets/"), true},
        {"rockets", QStringLiteral("/data/default/"), false}, // relative: never the working directory
        {"", QStringLiteral("/data/default/"), false},
    };
    for (const auto &[stored, used, loaded] : cases) {
        ASSERT_TRUE(m_store.WriteSetting(QLatin1String(kSettingDefaultDirectory), QLatin1String(stored)));
        main.storageDirectory = QStringLiteral("previous");
        EXPECT_EQ(m_store.loadMainSettings(main), loaded) << stored;
        EXPECT_EQ(main.storageDirectory, used) << stored;
    }

    // A file that cannot be read at all: the default folder, and the load fails.
    // (A section without its "]" is a format error; the values before it still parse.)
    const QByteArray garbage("[General]\nDefault Directory=/data/rockets/\nSites Category=Club\n"
                             "Display Banner=YES\n[broken\n");
    ASSERT_TRUE(writeTestFile(path(), garbage));
    main.storageDirectory.clear();
    EXPECT_FALSE(m_store.loadMainSettings(main));
    EXPECT_EQ(main.storageDirectory, QStringLiteral("/data/default/"));
    // Nor is it overwritten with the little that could be understood of it.
    EXPECT_EQ(m_store.ReadSetting(QLatin1String(kSettingSitesCategory)), QString());
    EXPECT_FALSE(m_store.loadMainSettings(main)); // not only for the first reader
    EXPECT_FALSE(m_store.canWrite(QStringLiteral("/data/")));
    EXPECT_FALSE(m_store.WriteSetting(QLatin1String(kSettingDefaultDirectory), QStringLiteral("/data/")));
    EXPECT_EQ(readTestFile(path()), garbage);
}

// A file that lacks a value (edited by hand, or left by an older version)
// takes that value's default, loads without complaint and is not rewritten;
// the command line starts on it.
TEST_F(SettingsStoreTest, MissingValueTakesItsDefault)
{
    m_store.setDefaultStorageDirectory(QStringLiteral("/data/default/"));
    ASSERT_TRUE(QDir().mkpath(m_dir.filePath(QStringLiteral("Zendrak"))));
    const std::pair<QByteArray, CMainSettings> cases[] = {
        {"[General]\nDefault Directory=/data/rockets/\nSites Category=Club\n", {"/data/rockets/", "Club", true}},
        {"[General]\nDefault Directory=/data/rockets/\nDisplay Banner=NO\n", {"/data/rockets/", "Launch Sites", false}},
        {"[General]\nSites Category=Club\nDisplay Banner=NO\n", {"/data/default/", "Club", false}},
        {"[General]\n", {"/data/default/", "Launch Sites", true}},
    };
    for (const auto &[file, expected] : cases) {
        ASSERT_TRUE(writeTestFile(path(), file));
        CMainSettings main {QStringLiteral("previous"), QStringLiteral("previous"), !expected.displayBanner};
        EXPECT_TRUE(m_store.loadMainSettings(main)) << file.toStdString();
        EXPECT_EQ(main.storageDirectory, expected.storageDirectory) << file.toStdString();
        EXPECT_EQ(main.sitesCategory, expected.sitesCategory) << file.toStdString();
        EXPECT_EQ(main.displayBanner, expected.displayBanner) << file.toStdString();
        EXPECT_EQ(readTestFile(path()), file);
    }

    // The program's own settings file, without its banner value.
    CCliHome home;
    const QString storage = m_dir.filePath(QStringLiteral("storage/"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(home.settingsFile()).absolutePath()));
    ASSERT_TRUE(writeTestFile(home.settingsFile(),
                              "[General]\nDefault Directory=" + storage.toUtf8() + "\nSites Category=Club\n"));
    const CCliHome::CResult info = home.run({QStringLiteral("info")});
    EXPECT_EQ(info.status, 0) << info.err.toStdString();
    EXPECT_TRUE(QFile::exists(storage + QStringLiteral("TarvelDB.CDB")));
}

TEST(SettingsStoreLocation, UserFileAndDataFolderFollowXdg)
{
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString data = qEnvironmentVariable("XDG_DATA_HOME");
    ASSERT_FALSE(config.isEmpty());
    CSettingsStore store;
    EXPECT_EQ(store.fileName(), config + QStringLiteral("/Zendrak/Tarvel.ini"));
    EXPECT_EQ(store.defaultStorageDirectory(), data + QStringLiteral("/Zendrak/Tarvel/"));
}

} // namespace
