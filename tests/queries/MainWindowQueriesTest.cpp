#include "app/TarvelDlg.h"
#include "platform/SettingsStore.h"
#include "support/RecordingReporter.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QDialog>
#include <QTemporaryDir>

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

    // Each entry opens a modal screen; its class is noted and it is closed.
    main.show();
    QStringList opened;
    for (const char *entry : {"Queries", "Viewer"}) {
        EXPECT_TRUE(driver::onModal<QDialog>([&] { driver::menuEntry(main.commandBar(), QLatin1String(entry)); },
                                             [&](QDialog &dialog) {
                                                 opened.append(QLatin1String(entry) + QLatin1Char(' ')
                                                               + QLatin1String(dialog.metaObject()->className()));
                                             }))
            << entry;
    }
    opened.sort();
    EXPECT_EQ(opened, QStringList({"Queries CQueryBuilderDlg", "Viewer CQueryDlg"}));
    EXPECT_TRUE(reporter.fatal.isEmpty());
}
