#include "app/TarvelDlg.h"
#include "db/Schema.h"
#include "platform/SettingsStore.h"
#include "queries/QueryBuilderDlg.h"
#include "queries/QueryDlg.h"
#include "support/RecordingReporter.h"
#include "ui/CommandBar.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
QAction *dataEntry(CTarvelDlg &main, const QString &text)
{
    for (QMenu *menu : main.commandBar()->findChildren<QMenu *>()) {
        if (menu->title() != QLatin1String("Data"))
            continue;
        for (QAction *action : menu->actions()) {
            if (action->text() == text)
                return action;
        }
    }
    return nullptr;
}

// Triggers the entry and reports the class of the modal screen it opened.
QString openedBy(QAction *action)
{
    QString opened;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        opened = QString::fromLatin1(modal->metaObject()->className());
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
    });
    action->trigger();
    return opened;
}
} // namespace

TEST(MainWindowQueries, DataMenuOpensTheBuilderAndTheViewer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString storage = dir.filePath(QStringLiteral("storage")) + QLatin1Char('/');
    CSettingsStore settings(dir.filePath(QStringLiteral("settings.ini")));
    settings.setDefaultStorageDirectory(storage);
    ASSERT_TRUE(CreateDatabase(storage));
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CRecordingReporter reporter;
    CTarvelDlg main(settings, {prompter, files}, reporter);

    QAction *queries = dataEntry(main, QStringLiteral("Queries"));
    QAction *viewer = dataEntry(main, QStringLiteral("Viewer"));
    ASSERT_TRUE(queries && viewer);
    EXPECT_TRUE(queries->isEnabled());
    EXPECT_TRUE(viewer->isEnabled());
    EXPECT_EQ(openedBy(queries), QStringLiteral("CQueryBuilderDlg"));
    EXPECT_EQ(openedBy(viewer), QStringLiteral("CQueryDlg"));
    EXPECT_TRUE(reporter.fatal.isEmpty());
}
