#include "support/MainWindowOnLogbook.h"
#include "support/ScreenDriver.h"

#include <QDialog>

#include <gtest/gtest.h>

TEST(MainWindowQueries, DataMenuOpensTheBuilderAndTheViewer)
{
    CMainWindowOnLogbook app;
    ASSERT_TRUE(app.logbook.isValid());

    // Each entry opens a modal screen; its class is noted and it is closed.
    QStringList opened;
    for (const char *entry : {"Queries", "Viewer"}) {
        EXPECT_TRUE(driver::onModal<QDialog>([&] { driver::menuEntry(app.main.commandBar(), QLatin1String(entry)); },
                                             [&](QDialog &dialog) {
                                                 opened.append(QLatin1String(entry) + QLatin1Char(' ')
                                                               + QLatin1String(dialog.metaObject()->className()));
                                             }))
            << entry;
    }
    opened.sort();
    EXPECT_EQ(opened, QStringList({"Queries CQueryBuilderDlg", "Viewer CQueryDlg"}));
    EXPECT_TRUE(app.reporter.fatal.isEmpty());
}
