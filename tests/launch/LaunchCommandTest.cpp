#include "app/TarvelDlg.h"
#include "launch/LaunchDlg.h"
#include "platform/SettingsStore.h"
#include "support/RecordingReporter.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/CommandBar.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QComboBox>
#include <QPushButton>

#include <gtest/gtest.h>

TEST(LaunchCommand, OpensTheLaunchScreenWhoseWizardStoresAFlight)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({"INSERT INTO Rockets (ID,Name) VALUES (1,'Alpha')"}));
    CSettingsStore settings(logbook.directory() + QStringLiteral("settings.ini"));
    settings.setDefaultStorageDirectory(logbook.directory());
    CScriptedPrompter prompter;
    prompter.script({PromptAnswer::Yes, PromptAnswer::Yes});
    CScriptedFileChooser files;
    CRecordingReporter reporter;
    CTarvelDlg main(settings, {prompter, files}, reporter);
    main.show();

    EXPECT_TRUE(driver::onModal<CLaunchDlg>([&] { driver::command(main.commandBar(), QStringLiteral("LAUNCH")); },
                                            [](CLaunchDlg &launch) {
                                                driver::type(launch.siteBox(), QStringLiteral("Club Range"));
                                                // The wizard runs modally over the launch screen; confirming it from
                                                // its first page skips steps.
                                                EXPECT_TRUE(driver::onModal<CPropertySheet>(
                                                    [&] { driver::tap(launch.logFlightButton()); },
                                                    [](CPropertySheet &sheet) { driver::tap(sheet.confirmButton()); }));
                                            }));

    ASSERT_EQ(prompter.shown().size(), 2);
    EXPECT_EQ(prompter.shown().at(0).text, QStringLiteral("You skipped a page\nSave anyway?"));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT Model, Site FROM Launches")), QStringList({"0|Club Range"}));
    EXPECT_TRUE(reporter.fatal.isEmpty());
}
