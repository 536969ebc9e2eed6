// EDIT / Defaults from the main window: the status window, the Defaults screen
// and, through MOTORS, Default Motors, all modal and all cleaned up after.
#include "motors/DefaultMotorsDlg.h"
#include "motors/MotorLineModel.h"
#include "reflists/DefaultsDlg.h"
#include "support/MainWindowOnLogbook.h"
#include "support/ScreenDriver.h"
#include "ui/StatusWindow.h"

#include <gtest/gtest.h>

using namespace driver;

TEST(DefaultsCommand, OpensDefaultsAndMotorsAndCleansUp)
{
    CMainWindowOnLogbook app;
    ASSERT_TRUE(app.logbook.isValid());
    ASSERT_TRUE(app.logbook.exec({"INSERT INTO Motors VALUES (1, 'C6', '5', 'Estes', '18x70')"}));

    QString statusText;
    QStringList motorLines;
    EXPECT_TRUE(
        onModal<CDefaultsDlg>([&] { menuEntry(app.main.commandBar(), QStringLiteral("Defaults")); },
                              [&](CDefaultsDlg &defaults) {
                                  if (auto *status = app.main.findChild<CStatusWindow *>())
                                      statusText = status->progressText();
                                  EXPECT_TRUE(onModal<CDefaultMotorsDlg>(
                                      [&] { command(defaults.findChild<CCommandBar *>(), QStringLiteral("MOTORS")); },
                                      [&](CDefaultMotorsDlg &motors) { motorLines = motors.model().lines(); }));
                              }));
    EXPECT_EQ(statusText, "Loading default Types");
    EXPECT_EQ(motorLines, QStringList({"Estes\tC6\t5\t18x70"}));
    // The status window is gone with the command.
    EXPECT_EQ(app.main.findChild<CStatusWindow *>(), nullptr);
    EXPECT_TRUE(app.reporter.fatal.isEmpty());
}
