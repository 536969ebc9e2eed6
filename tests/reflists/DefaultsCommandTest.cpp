// EDIT / Defaults from the main window: the status window, the Defaults screen
// and, through MOTORS, Default Motors, all modal and all cleaned up after.
#include "app/TarvelDlg.h"
#include "motors/DefaultMotorsDlg.h"
#include "motors/MotorLineModel.h"
#include "platform/SettingsStore.h"
#include "reflists/DefaultsDlg.h"
#include "support/RecordingReporter.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StatusWindow.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace driver;

TEST(DefaultsCommand, OpensDefaultsAndMotorsAndCleansUp)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({"INSERT INTO Motors VALUES (1, 'C6', '5', 'Estes', '18x70')"}));
    QTemporaryDir settingsDir;
    CSettingsStore settings(settingsDir.filePath(QStringLiteral("settings.ini")));
    settings.setDefaultStorageDirectory(logbook.directory());
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CRecordingReporter reporter;
    CTarvelDlg main(settings, {prompter, files}, reporter);
    main.show();

    QString statusText;
    QString motorsStatus;
    QStringList motorLines;
    EXPECT_TRUE(
        onModal<CDefaultsDlg>([&] { menuEntry(main.commandBar(), QStringLiteral("Defaults")); },
                              [&](CDefaultsDlg &defaults) {
                                  if (auto *status = main.findChild<CStatusWindow *>())
                                      statusText = status->progressText();
                                  EXPECT_TRUE(onModal<CDefaultMotorsDlg>(
                                      [&] { command(defaults.findChild<CCommandBar *>(), QStringLiteral("MOTORS")); },
                                      [&](CDefaultMotorsDlg &motors) { motorLines = motors.model().lines(); }));
                              }));
    EXPECT_EQ(statusText, "Loading default Types");
    EXPECT_EQ(motorLines, QStringList({"Estes\tC6\t5\t18x70"}));
    // The status window is gone with the command.
    EXPECT_EQ(main.findChild<CStatusWindow *>(), nullptr);
    EXPECT_TRUE(reporter.fatal.isEmpty());
}
