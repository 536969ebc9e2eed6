// EDIT / Defaults from the main window: the status window, the Defaults screen
// and, through MOTORS, Default Motors, all modal and all cleaned up after.
#include "app/TarvelDlg.h"
#include "motors/DefaultMotorsDlg.h"
#include "motors/MotorLineModel.h"
#include "platform/SettingsStore.h"
#include "reflists/DefaultsDlg.h"
#include "support/RecordingReporter.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/StatusWindow.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

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
    QStringList motorLines;
    bool sawDefaults = false;
    QTimer::singleShot(0, [&] {
        auto *defaults = qobject_cast<CDefaultsDlg *>(QApplication::activeModalWidget());
        sawDefaults = defaults != nullptr;
        if (auto *status = main.findChild<CStatusWindow *>())
            statusText = status->progressText();
        if (!defaults)
            return;
        QTimer::singleShot(0, [&, defaults] {
            if (auto *motors = qobject_cast<CDefaultMotorsDlg *>(QApplication::activeModalWidget())) {
                motorLines = motors->model().lines();
                motors->reject();
            }
            QTimer::singleShot(0, defaults, &QDialog::reject);
        });
        defaults->onMotors();
    });
    for (QAction *action : main.findChildren<QAction *>()) {
        if (action->text() == QLatin1String("Defaults"))
            action->trigger();
    }
    EXPECT_TRUE(sawDefaults);
    EXPECT_EQ(statusText, "Loading default Types");
    EXPECT_EQ(motorLines, QStringList({"Estes\tC6\t5\t18x70"}));
    // The status window is gone with the command.
    EXPECT_EQ(main.findChild<CStatusWindow *>(), nullptr);
    EXPECT_TRUE(reporter.fatal.isEmpty());
}
