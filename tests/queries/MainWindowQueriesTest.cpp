#include "app/TarvelDlg.h"
#include "platform/SettingsStore.h"
#include "support/RecordingReporter.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

TEST(MainWindowQueries, DataMenuOpensTheBuilderAndTheViewer)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    QTemporaryDir settingsDir;
    CSettingsStore settings(settingsDir.filePath(QStringLiteral("settings.ini")));
    settings.setDefaultStorageDirectory(logbook.directory());
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CRecordingReporter reporter;
    CTarvelDlg main(settings, {prompter, files}, reporter);

    // Each entry, triggered, opens a modal screen; its class is noted and it is closed.
    QStringList opened;
    for (QAction *action : main.findChildren<QAction *>()) {
        if (action->text() != QLatin1String("Queries") && action->text() != QLatin1String("Viewer"))
            continue;
        QTimer::singleShot(0, [&] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                opened.append(action->text() + QLatin1Char(' ') + QLatin1String(dialog->metaObject()->className()));
                dialog->reject();
            }
        });
        action->trigger();
    }
    opened.sort();
    EXPECT_EQ(opened, QStringList({"Queries CQueryBuilderDlg", "Viewer CQueryDlg"}));
    EXPECT_TRUE(reporter.fatal.isEmpty());
}
