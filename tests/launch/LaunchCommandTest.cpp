#include "launch/LaunchDlg.h"
#include "support/MainWindowOnLogbook.h"
#include "support/ScreenDriver.h"
#include "ui/CommandBar.h"
#include "ui/PropertySheet.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(LaunchCommand, OpensTheLaunchScreenWhoseWizardStoresAFlight)
{
    CMainWindowOnLogbook app;
    ASSERT_TRUE(app.logbook.isValid());
    ASSERT_TRUE(app.logbook.exec({"INSERT INTO Rockets (ID,Name) VALUES (1,'Alpha')"}));
    app.prompter.script({PromptAnswer::Yes, PromptAnswer::Yes});

    EXPECT_TRUE(driver::onModal<CLaunchDlg>([&] { driver::command(app.main.commandBar(), QStringLiteral("LAUNCH")); },
                                            [](CLaunchDlg &launch) {
                                                driver::type(launch.siteBox(), QStringLiteral("Club Range"));
                                                // The wizard runs modally over the launch screen; confirming it from
                                                // its first page skips steps.
                                                EXPECT_TRUE(driver::onModal<CPropertySheet>(
                                                    [&] { driver::tap(launch.logFlightButton()); },
                                                    [](CPropertySheet &sheet) { driver::tap(sheet.confirmButton()); }));
                                            }));

    ASSERT_EQ(app.prompter.shown().size(), 2);
    EXPECT_EQ(app.prompter.shown().at(0).text, QStringLiteral("You skipped a page\nSave anyway?"));
    EXPECT_EQ(app.logbook.rows(QStringLiteral("SELECT Model, Site FROM Launches")), QStringList({"0|Club Range"}));
    EXPECT_TRUE(app.reporter.fatal.isEmpty());
}
