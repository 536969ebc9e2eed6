#include "app/OptionsApply.h"
#include "app/OptionsDlg.h"
#include "app/PromptStoreReporter.h"
#include "app/StorageMove.h"
#include "app/TarvelApp.h"
#include "app/TarvelDlg.h"
#include "db/RecordStore.h"
#include "db/Schema.h"
#include "platform/SettingsStore.h"
#include "prediction/MeasureUnits.h"
#include "prediction/RocketFlightInputs.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/TouchSize.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

void pressOk(COptionsDlg &dialog)
{
    driver::tap(dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok));
}

const char kMoveQuestion[] = "Changing the default directory will cause all files(except .exe) from the current "
                             "directory to be moved to the new directory\nChange directory?";

TEST(StorageMove, NamesEndingInExeStayBehind)
{
    EXPECT_EQ(stripTrailingSlashes(QStringLiteral("/a/b///")), QStringLiteral("/a/b"));
    EXPECT_EQ(stripTrailingSlashes(QStringLiteral("/")), QString());
    for (const char *kept : {"Tarvel.exe", "SETUP.EXE", "runme.Exe", "notexe"})
        EXPECT_TRUE(staysInStorageDirectory(QLatin1String(kept))) << kept;
    for (const char *moved : {"notes.txt", "TarvelDB.CDB", "exe.wav", "Launch.wav"})
        EXPECT_FALSE(staysInStorageDirectory(QLatin1String(moved))) << moved;
}

class OptionsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_old = m_root.path() + QStringLiteral("/old/");
        m_new = m_root.path() + QStringLiteral("/new/");
        ASSERT_TRUE(QDir().mkpath(m_old + QStringLiteral("pictures")));
        ASSERT_TRUE(QDir().mkpath(m_new));
        ASSERT_TRUE(CreateDatabase(m_old));
        ASSERT_TRUE(writeTestFile(m_old + QStringLiteral("Launch.wav"), "boom"));
        ASSERT_TRUE(writeTestFile(m_old + QStringLiteral("tool.exe"), "program"));
        ASSERT_TRUE(writeTestFile(m_old + QStringLiteral(".hidden"), "dot"));
        ASSERT_TRUE(writeTestFile(m_old + QStringLiteral("pictures/alpha.png"), "png"));
        ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingDefaultDirectory), m_old));
        ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingSitesCategory), QStringLiteral("Launch Sites")));
        ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("YES")));
    }

    // EDIT / Options on a main window started on the settings: the flyer types
    // the values, sets the banner box and presses OK.
    void apply(const QString &directory, bool banner = true, const QString &category = QStringLiteral("Launch Sites"))
    {
        CPromptStoreReporter reporter(m_prompter, nullptr, {});
        CTarvelDlg window(*m_using, CUiServices {m_prompter, m_files}, reporter);
        window.show();
        const bool filled = driver::onModal<COptionsDlg>(
            [&] { driver::menuEntry(window.commandBar(), QStringLiteral("Options")); },
            [&](COptionsDlg &dialog) {
                driver::type(dialog.findChild<QLineEdit *>(QStringLiteral("storageDirectory")), directory);
                driver::type(dialog.findChild<QLineEdit *>(QStringLiteral("sitesCategory")), category);
                auto *bannerBox = dialog.findChild<QCheckBox *>(QStringLiteral("displayBanner"));
                if (bannerBox->isChecked() != banner)
                    driver::tap(bannerBox);
                pressOk(dialog);
            });
        EXPECT_TRUE(filled);
        m_main = window.mainSettings();
    }

    QString storedDirectory() const { return m_using->ReadSetting(QLatin1String(kSettingDefaultDirectory)); }
    // Every file still in the old directory, which is still the one in use and stored.
    void expectNothingMoved() const
    {
        EXPECT_EQ(m_main.storageDirectory, m_old);
        EXPECT_EQ(storedDirectory(), m_old);
        EXPECT_EQ(files(m_old), QStringList({".hidden", "Launch.wav", "TarvelDB.CDB", "tool.exe"}));
        EXPECT_TRUE(files(m_new).isEmpty());
    }
    QStringList files(const QString &directory) const
    {
        return QDir(directory).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_root;
    QString m_old;
    QString m_new;
    CMainSettings m_main;
    CSettingsStore m_settings {m_root.filePath(QStringLiteral("Tarvel.ini"))};
    CSettingsStore *m_using = &m_settings;
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
};

TEST_F(OptionsTest, YesMovesEveryFileButProgramsAndFolders)
{
    // No leaves everything as it was.
    m_prompter.script({PromptAnswer::No, PromptAnswer::Yes});
    apply(m_new);
    expectNothingMoved();

    apply(m_new + QStringLiteral("//"));
    ASSERT_EQ(m_prompter.shown().size(), 2);
    EXPECT_EQ(m_prompter.shown().at(1).text, QLatin1String(kMoveQuestion));
    EXPECT_EQ(m_prompter.shown().at(1).caption, QStringLiteral("Warning"));
    EXPECT_EQ(m_main.storageDirectory, m_new);
    EXPECT_EQ(storedDirectory(), m_new);
    EXPECT_EQ(files(m_new), QStringList({".hidden", "Launch.wav", "TarvelDB.CDB"}));
    EXPECT_EQ(files(m_old), QStringList({"tool.exe"}));
    EXPECT_EQ(readTestFile(m_old + QStringLiteral("pictures/alpha.png")), QByteArray("png"));
    EXPECT_EQ(readTestFile(m_new + QStringLiteral("Launch.wav")), QByteArray("boom"));
}

TEST_F(OptionsTest, FileAlreadyInTheNewFolderIsNotOverwritten)
{
    ASSERT_TRUE(writeTestFile(m_new + QStringLiteral("Launch.wav"), "theirs"));
    m_prompter.script({PromptAnswer::Yes});
    apply(m_new);
    EXPECT_EQ(readTestFile(m_new + QStringLiteral("Launch.wav")), QByteArray("theirs"));
    EXPECT_EQ(readTestFile(m_old + QStringLiteral("Launch.wav")), QByteArray("boom"));
    EXPECT_TRUE(QFile::exists(databasePath(m_new)));
    EXPECT_EQ(storedDirectory(), m_new);
}

TEST_F(OptionsTest, SameDirectoryWithoutItsSlashMovesFilesOntoThemselves)
{
    const QByteArray before = readTestFile(databasePath(m_old));
    m_prompter.script({PromptAnswer::Yes});
    apply(stripTrailingSlashes(m_old));
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().first().text, QLatin1String(kMoveQuestion));
    EXPECT_EQ(storedDirectory(), m_old);
    EXPECT_EQ(readTestFile(databasePath(m_old)), before);
    EXPECT_EQ(readTestFile(m_old + QStringLiteral("Launch.wav")), QByteArray("boom"));
}

// The same directory asks nothing. One that is missing, relative or too long to
// store is refused and nothing moves, whatever the flyer answers; either way
// the other settings are stored.
TEST_F(OptionsTest, MissingDirectoryIsRefusedButTheOtherSettingsStay)
{
    apply(m_old, false, QStringLiteral("Club Fields"));
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_FALSE(m_main.displayBanner);
    EXPECT_EQ(m_settings.ReadSetting(QLatin1String(kSettingDisplayBanner)), QStringLiteral("NO"));
    EXPECT_EQ(m_settings.ReadSetting(QLatin1String(kSettingSitesCategory)), QStringLiteral("Club Fields"));

    // Over 199 characters, though the folder exists.
    const QString segment = QLatin1Char('/') + QString(70, QLatin1Char('n'));
    const QString deep = m_root.path() + segment + segment + segment + QLatin1Char('/');
    ASSERT_TRUE(QDir().mkpath(deep));
    const std::pair<QString, QString> refused[] = {
        {QStringLiteral("/"), QStringLiteral(" does not exist")},
        {m_root.path() + QStringLiteral("/nowhere/"), m_root.path() + QStringLiteral("/nowhere does not exist")},
        {databasePath(m_old), databasePath(m_old) + QStringLiteral(" does not exist")}, // a file, not a folder
        {deep, deep + QStringLiteral(" is longer than 199 characters")},
        {QStringLiteral("new"),
         QStringLiteral("new is not a full path: start it with / or with ~/ for your home folder")},
    };
    m_prompter.setFallback(PromptAnswer::Yes);
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_root.path())); // so that "new" would name a folder here
    bool banner = false;
    for (const auto &[directory, why] : refused) {
        SCOPED_TRACE(directory.toStdString());
        banner = !banner;
        const qsizetype before = m_prompter.shown().size();
        apply(directory, banner);
        ASSERT_EQ(m_prompter.shown().size(), before + 1);
        EXPECT_EQ(m_prompter.shown().last().text,
                  QStringLiteral("The directory ") + why
                      + QStringLiteral("\ndiscarding changes to default directory!"));
        EXPECT_EQ(m_prompter.shown().last().caption, QStringLiteral("Warning"));
        EXPECT_EQ(m_settings.ReadSetting(QLatin1String(kSettingDisplayBanner)),
                  banner ? QStringLiteral("YES") : QStringLiteral("NO"));
    }
    QDir::setCurrent(working);
    expectNothingMoved();
    EXPECT_TRUE(QDir(deep).isEmpty());
}

TEST_F(OptionsTest, LogbookThatCannotMoveKeepsTheOldDirectory)
{
    // Something that is not a logbook blocks its name in the new folder.
    ASSERT_TRUE(QDir().mkpath(databasePath(m_new)));
    m_prompter.script({PromptAnswer::Yes});
    apply(m_new);
    ASSERT_EQ(m_prompter.shown().size(), 2);
    EXPECT_EQ(m_prompter.shown().at(1).caption, QStringLiteral("Warning"));
    EXPECT_TRUE(m_prompter.shown().at(1).text.contains(QStringLiteral("TarvelDB.CDB could not be moved")));
    expectNothingMoved(); // what had moved before the logbook failed is back beside it
}

// The logbook moves as one file, its log written back into it; while another
// program has it open, nothing moves under that program.
TEST_F(OptionsTest, LogbookOpenElsewhereStaysAndMovesWhole)
{
    {
        CRecordStore other;
        ASSERT_TRUE(other.Open(m_old));
        ASSERT_TRUE(other.RunSql(QStringLiteral("INSERT INTO Motors (Type) VALUES ('C6')")));
        m_prompter.script({PromptAnswer::Yes});
        apply(m_new);
        ASSERT_EQ(m_prompter.shown().size(), 2);
        EXPECT_EQ(m_prompter.shown().at(1).text,
                  QStringLiteral("The logbook %1 is open in another program: close that program, then change the "
                                 "directory again\ndiscarding changes to default directory!")
                      .arg(databasePath(m_old)));
        EXPECT_EQ(m_main.storageDirectory, m_old);
        EXPECT_EQ(storedDirectory(), m_old);
        EXPECT_TRUE(files(m_new).isEmpty());
    }
    m_prompter.script({PromptAnswer::Yes});
    apply(m_new);
    EXPECT_EQ(files(m_new), QStringList({".hidden", "Launch.wav", "TarvelDB.CDB"}));
    CRecordStore moved;
    ASSERT_TRUE(moved.Open(m_new));
    ASSERT_TRUE(moved.RunSql(QStringLiteral("SELECT Type FROM Motors")));
    EXPECT_EQ(moved.GetFieldText(0), QStringLiteral("C6"));
}

TEST_F(OptionsTest, TargetHoldingALogbookAsksAndMovesNothing)
{
    CRecordStore theirs;
    ASSERT_TRUE(CreateDatabase(m_new));
    ASSERT_TRUE(theirs.Open(m_new));
    ASSERT_TRUE(theirs.RunSql(QStringLiteral("INSERT INTO Queries (Name, Query) VALUES ('theirs', 'x')")));
    theirs.Close();
    const QByteArray theirBytes = readTestFile(databasePath(m_new));
    const QByteArray ourBytes = readTestFile(databasePath(m_old));
    const QString question = m_new + QStringLiteral(" already holds a logbook. Use that logbook (yours stays in ")
        + m_old + QStringLiteral(")?");

    m_prompter.script({PromptAnswer::No});
    apply(m_new);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().at(0).text, question);
    EXPECT_EQ(m_prompter.shown().at(0).buttons, PromptButtons::YesNo);
    EXPECT_EQ(storedDirectory(), m_old);

    m_prompter.script({PromptAnswer::Yes});
    apply(m_new);
    ASSERT_EQ(m_prompter.shown().size(), 2); // no question about moving files
    EXPECT_EQ(m_main.storageDirectory, m_new);
    EXPECT_EQ(storedDirectory(), m_new);
    EXPECT_EQ(files(m_old), QStringList({".hidden", "Launch.wav", "TarvelDB.CDB", "tool.exe"}));
    EXPECT_EQ(readTestFile(databasePath(m_old)), ourBytes);
    EXPECT_EQ(readTestFile(databasePath(m_new)), theirBytes);
}

TEST_F(OptionsTest, DirectoryThatCannotBeSavedMovesNothing)
{
    const QString blocker = m_root.filePath(QStringLiteral("plain-file"));
    ASSERT_TRUE(writeTestFile(blocker, "not a folder"));
    CSettingsStore blocked(blocker + QStringLiteral("/Tarvel.ini"));
    blocked.setDefaultStorageDirectory(m_old);
    m_using = &blocked;
    m_prompter.setFallback(PromptAnswer::Yes);
    apply(m_new);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().at(0).text,
              QStringLiteral("The settings file ") + blocked.fileName()
                  + QStringLiteral(" cannot be written\ndiscarding changes to default directory!"));
    EXPECT_EQ(m_main.storageDirectory, m_old);
    m_using = &m_settings;
    expectNothingMoved();
}

TEST_F(OptionsTest, SettingThatFailsAfterTheMovePutsTheFilesBack)
{
    // A file-size limit below the settings file's size makes its rewrite fail
    // once the files have moved; moves are renames and are not limited.
    const qint64 settingsSize = QFileInfo(m_settings.fileName()).size();
    ASSERT_GT(settingsSize, 16);
    rlimit before {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = rlim_t(settingsSize / 2);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    m_prompter.script({PromptAnswer::Yes});
    apply(m_new);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_EQ(m_prompter.shown().size(), 2);
    EXPECT_EQ(m_prompter.shown().at(1).text,
              QStringLiteral("The storage directory could not be saved in ") + m_settings.fileName()
                  + QStringLiteral("\nThe storage directory stays ") + m_old);
    expectNothingMoved();
    // The value that failed is not written later along with another setting.
    ASSERT_TRUE(m_settings.WriteSetting(QLatin1String(kSettingDisplayBanner), QStringLiteral("NO")));
    EXPECT_EQ(storedDirectory(), m_old);
}

TEST_F(OptionsTest, TildeIsHome)
{
    const QString home = QDir::homePath();
    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/rockets")));
    m_prompter.script({PromptAnswer::Yes});
    apply(QStringLiteral("~/rockets"));
    EXPECT_EQ(m_prompter.shown().last().text, QLatin1String(kMoveQuestion));
    EXPECT_EQ(storedDirectory(), home + QStringLiteral("/rockets/"));
    EXPECT_TRUE(QFileInfo(databasePath(home + QStringLiteral("/rockets/"))).isFile());
}

TEST(StartUp, UnreadableSettingsAreToldAndTheDefaultFolderUsed)
{
    QTemporaryDir dir;
    const QString storage = dir.path() + QStringLiteral("/storage/");
    const QString working = dir.path() + QStringLiteral("/working/");
    ASSERT_TRUE(QDir().mkpath(working));
    ASSERT_TRUE(CreateDatabase(working));
    CSettingsStore settings(dir.filePath(QStringLiteral("Tarvel.ini")));
    settings.setDefaultStorageDirectory(storage);
    ASSERT_TRUE(writeTestFile(settings.fileName(),
                              "[General]\nDefault Directory=" + working.toUtf8()
                                  + "\nSites Category=Club\nDisplay Banner=YES\n[broken\n"));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CTarvelApp app(settings, CUiServices {prompter, files}, {});

    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(working));
    EXPECT_TRUE(app.prepare());
    CPromptStoreReporter reporter(prompter, nullptr, {});
    CTarvelDlg window(settings, CUiServices {prompter, files}, reporter);
    std::unique_ptr<CRecordStore> store = window.openStore();
    QDir::setCurrent(before);

    ASSERT_EQ(prompter.shown().size(), 1);
    EXPECT_EQ(prompter.shown().at(0).caption, QStringLiteral("Error"));
    EXPECT_EQ(prompter.shown().at(0).text,
              QStringLiteral("The settings in ") + settings.fileName()
                  + QStringLiteral(" cannot be read.\nThe storage directory is ") + storage);
    EXPECT_EQ(window.mainSettings().storageDirectory, storage);
    ASSERT_NE(store, nullptr);
    EXPECT_TRUE(QFileInfo(databasePath(storage)).isFile());
}

TEST_F(OptionsTest, MovesAcrossFileSystems)
{
    const QString shm = QStringLiteral("/dev/shm");
    if (!QFileInfo(shm).isWritable() || QStorageInfo(shm).device() == QStorageInfo(m_old).device())
        GTEST_SKIP() << "no second file system (writable /dev/shm) on this machine";
    QTemporaryDir other(shm + QStringLiteral("/tarvel-move-XXXXXX"));
    ASSERT_TRUE(other.isValid());
    const QByteArray logbook = readTestFile(databasePath(m_old));
    m_prompter.script({PromptAnswer::Yes});
    apply(other.path() + QLatin1Char('/'));
    EXPECT_EQ(storedDirectory(), other.path() + QLatin1Char('/'));
    EXPECT_EQ(readTestFile(databasePath(other.path() + QLatin1Char('/'))), logbook);
    EXPECT_FALSE(QFile::exists(databasePath(m_old)));
    EXPECT_EQ(QDir(other.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({".hidden", "Launch.wav", "TarvelDB.CDB"}));
}

TEST(OptionsDialog, DefaultButtonsResetOnlyTheirField)
{
    COptionsDlg dialog(QStringLiteral("/home/flyer/.local/share/Zendrak/Tarvel/"));
    dialog.storageDirectory = QStringLiteral("/old/");
    dialog.sitesCategory = QStringLiteral("Fields");
    dialog.showValues();
    dialog.show();
    auto *directory = dialog.findChild<QLineEdit *>(QStringLiteral("storageDirectory"));
    auto *category = dialog.findChild<QLineEdit *>(QStringLiteral("sitesCategory"));
    ASSERT_TRUE(directory && category);
    category->setText(QStringLiteral("typed"));
    driver::tap(dialog.findChild<QPushButton *>(QStringLiteral("directoryDefault")));
    EXPECT_EQ(directory->text(), QStringLiteral("/home/flyer/.local/share/Zendrak/Tarvel/"));
    EXPECT_EQ(category->text(), QStringLiteral("typed")); // what was typed is kept
    driver::tap(dialog.findChild<QPushButton *>(QStringLiteral("categoryDefault")));
    EXPECT_EQ(category->text(), QStringLiteral("Launch Site"));
}

// EDIT / Options on the main window; `work` handles the dialog as the flyer would.
void runOptions(CTarvelDlg &window, const std::function<void(COptionsDlg &)> &work)
{
    EXPECT_TRUE(driver::onModal<COptionsDlg>([&] { window.onOptions(); }, work));
}

TEST(OptionsDialog, MainWindowTakesTheBannerAndTheHeightUnit)
{
    QTemporaryDir dir;
    CSettingsStore settings(dir.filePath(QStringLiteral("Tarvel.ini")));
    settings.setDefaultStorageDirectory(dir.path() + QLatin1Char('/'));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CPromptStoreReporter reporter(prompter, nullptr, {});
    CTarvelDlg window(settings, CUiServices {prompter, files}, reporter);
    auto *banner = window.findChild<QLabel *>(QStringLiteral("bannerLabel"));
    ASSERT_FALSE(banner->text().isEmpty());
    const auto unit = [&] { return settings.ReadSetting(QLatin1String(kSettingAltitudeUnit)); };
    const auto unitBox = [](COptionsDlg &dialog) {
        return dialog.findChild<QComboBox *>(QStringLiteral("heightUnit"));
    };

    // Feet until the flyer says otherwise, and an untouched unit is not written.
    runOptions(window, [&](COptionsDlg &dialog) {
        EXPECT_EQ(unitBox(dialog)->currentText(), QStringLiteral("feet"));
        driver::tap(dialog.findChild<QCheckBox *>(QStringLiteral("displayBanner")));
        pressOk(dialog);
    });
    EXPECT_TRUE(banner->text().isEmpty());
    EXPECT_EQ(settings.ReadSetting(QLatin1String(kSettingDisplayBanner)), QStringLiteral("NO"));
    EXPECT_FALSE(readTestFile(settings.fileName()).contains("Altitude"));

    runOptions(window, [&](COptionsDlg &dialog) {
        driver::keyClick(unitBox(dialog), Qt::Key_Down);
        EXPECT_EQ(unitBox(dialog)->currentText(), QStringLiteral("metres"));
        pressOk(dialog);
    });
    EXPECT_EQ(unit(), QStringLiteral("m"));

    // Escape discards: back to feet and the banner on, then Escape.
    runOptions(window, [&](COptionsDlg &dialog) {
        EXPECT_EQ(unitBox(dialog)->currentText(), QStringLiteral("metres"));
        driver::keyClick(unitBox(dialog), Qt::Key_Up);
        driver::tap(dialog.findChild<QCheckBox *>(QStringLiteral("displayBanner")));
        driver::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_EQ(unit(), QStringLiteral("m"));
    EXPECT_EQ(settings.ReadSetting(QLatin1String(kSettingDisplayBanner)), QStringLiteral("NO"));

    // A value typed by hand that reads as feet stays as typed while feet is kept.
    ASSERT_TRUE(settings.WriteSetting(QLatin1String(kSettingAltitudeUnit), QStringLiteral("foot")));
    runOptions(window, [&](COptionsDlg &dialog) {
        EXPECT_EQ(unitBox(dialog)->currentText(), QStringLiteral("feet"));
        pressOk(dialog);
    });
    EXPECT_EQ(unit(), QStringLiteral("foot"));
    EXPECT_TRUE(prompter.shown().isEmpty());
}

// The units a rocket's bare Weight and Diameter are read in: the locale's
// until the flyer chooses, and what the flyer chose is what the rocket's
// flight inputs are then read in.
TEST(OptionsDialog, RocketUnitsFollowTheLocaleUntilChosen)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(before); });
    QTemporaryDir dir;
    CSettingsStore settings(dir.filePath(QStringLiteral("Tarvel.ini")));
    settings.setDefaultStorageDirectory(dir.path() + QLatin1Char('/'));
    ASSERT_TRUE(CreateDatabase(settings.defaultStorageDirectory()));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CPromptStoreReporter reporter(prompter, nullptr, {});
    CTarvelDlg window(settings, CUiServices {prompter, files}, reporter);
    const auto unitsBox = [](COptionsDlg &dialog) {
        return dialog.findChild<QComboBox *>(QStringLiteral("unitSystem"));
    };

    runOptions(window, [&](COptionsDlg &dialog) {
        EXPECT_EQ(unitsBox(dialog)->currentText(), QStringLiteral("oz and in"));
        pressOk(dialog);
    });
    EXPECT_FALSE(readTestFile(settings.fileName()).contains("Measure Units"));

    runOptions(window, [&](COptionsDlg &dialog) {
        driver::keyClick(unitsBox(dialog), Qt::Key_Up);
        EXPECT_EQ(unitsBox(dialog)->currentText(), QStringLiteral("g and mm"));
        pressOk(dialog);
    });
    EXPECT_EQ(settings.ReadSetting(QLatin1String(kSettingMeasureUnits)), QStringLiteral("metric"));
    EXPECT_TRUE(prompter.shown().isEmpty());

    // 85 and 41 with no unit: grams and millimetres now, whatever the locale.
    CRecordStore store;
    ASSERT_TRUE(store.Open(settings.defaultStorageDirectory()));
    ASSERT_TRUE(store.RunSql(
        QStringLiteral("INSERT INTO Rockets (ID, Name, Weight, Diameter) VALUES (1, 'Alpha', '85', '41')")));
    CRocketFlightInputs rocket;
    QString error;
    ASSERT_TRUE(loadRocketFlightInputs(store, QStringLiteral("1"), readUnitSystem(settings), rocket, error));
    EXPECT_DOUBLE_EQ(rocket.body.massKg, 0.085);
    EXPECT_DOUBLE_EQ(rocket.body.diameterM, 0.041);
}

TEST(OptionsDialog, FitsEveryScreenWithRoomToGrow)
{
    COptionsDlg dialog(QStringLiteral("/home/flyer/.local/share/Zendrak/Tarvel/"));
    dialog.storageDirectory = QStringLiteral("/media/flyer/field-card/rocketry/logbooks/club-season/");
    dialog.sitesCategory = QStringLiteral("Launch Site");
    dialog.showValues();
    QString skipped;
    EXPECT_EQ(auditOnReferenceScreens(&dialog, &skipped), QStringList());
    if (!skipped.isEmpty())
        GTEST_SKIP() << skipped.toStdString();

    auto *directory = dialog.findChild<QLineEdit *>(QStringLiteral("storageDirectory"));
    ASSERT_TRUE(showOnReferenceScreen(&dialog, ReferenceScreen::Compact));
    const int compactWidth = directory->width();
    ASSERT_TRUE(showOnReferenceScreen(&dialog, ReferenceScreen::Phone));
    EXPECT_GT(directory->width(), compactWidth);
    for (QWidget *control : dialog.findChildren<QWidget *>()) {
        if (qobject_cast<QAbstractButton *>(control) || qobject_cast<QLineEdit *>(control)
            || qobject_cast<QComboBox *>(control)) {
            EXPECT_GE(control->height(), kMinimumTouchSize) << control->objectName().toStdString();
        }
    }
    // On a desktop the window is the flyer's to widen, and the fields take the room.
    ASSERT_TRUE(showOnReferenceScreen(&dialog, ReferenceScreen::Desktop));
    const int desktopWidth = directory->width();
    dialog.resize(dialog.width() + 300, dialog.height());
    EXPECT_TRUE(QTest::qWaitFor([&] { return directory->width() == desktopWidth + 300; })) << directory->width();
}

} // namespace
