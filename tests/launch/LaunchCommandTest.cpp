#include "app/TarvelDlg.h"
#include "launch/LaunchDlg.h"
#include "platform/SettingsStore.h"
#include "support/RecordingReporter.h"
#include "support/TestLogbook.h"
#include "ui/CommandBar.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

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

    QAction *launchCommand = nullptr;
    for (QAction *action : main.commandBar()->actions()) {
        if (action->text() == QLatin1String("LAUNCH"))
            launchCommand = action;
    }
    ASSERT_NE(launchCommand, nullptr);

    QTimer::singleShot(0, [&] {
        auto *launch = qobject_cast<CLaunchDlg *>(QApplication::activeModalWidget());
        if (!launch)
            return;
        launch->siteBox()->setEditText(QStringLiteral("Club Range"));
        // The wizard runs modally over the launch screen; confirming it from its first page skips steps.
        QTimer::singleShot(0, [] {
            if (auto *sheet = qobject_cast<CPropertySheet *>(QApplication::activeModalWidget()))
                sheet->confirm();
        });
        launch->logFlightButton()->click();
        launch->reject();
    });
    launchCommand->trigger();

    ASSERT_EQ(prompter.shown().size(), 2);
    EXPECT_EQ(prompter.shown().at(0).text, QStringLiteral("You skipped a page\nSave anyway?"));
    EXPECT_EQ(logbook.rows(QStringLiteral("SELECT Model, Site FROM Launches")), QStringList({"0|Club Range"}));
    EXPECT_TRUE(reporter.fatal.isEmpty());
}
