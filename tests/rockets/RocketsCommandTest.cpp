#include "app/TarvelDlg.h"
#include "platform/SettingsStore.h"
#include "support/RecordingReporter.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/CommandBar.h"
#include "ui/PropertyPage.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <gtest/gtest.h>

TEST(RocketsCommand, OpensTheRocketSheetWithTheCommandBarHidden)
{
    CTestLogbook logbook;
    ASSERT_TRUE(logbook.isValid());
    ASSERT_TRUE(logbook.exec({"INSERT INTO Rockets (ID,Name,CheckList) VALUES (1,'Alpha','Arm,')"}));
    CSettingsStore settings(logbook.directory() + QStringLiteral("settings.ini"));
    settings.setDefaultStorageDirectory(logbook.directory());
    CScriptedPrompter prompter;
    CScriptedFileChooser files;
    CRecordingReporter reporter;
    CTarvelDlg main(settings, {prompter, files}, reporter);
    main.show();

    QStringList pages;
    bool barHidden = false;
    QString checklistSeen;
    EXPECT_TRUE(
        driver::onModal<CPropertySheet>([&] { driver::menuEntry(main.commandBar(), QStringLiteral("Rockets")); },
                                        [&](CPropertySheet &sheet) {
                                            barHidden = !main.commandBar()->isVisible();
                                            for (int i = 0; i < sheet.pageCount(); ++i)
                                                pages.append(sheet.page(i)->title());
                                            // The sheet opens on the first rocket, whose checklist the
                                            // main window now holds.
                                            checklistSeen = main.currentChecklist();
                                            sheet.confirm();
                                        }));
    EXPECT_EQ(pages, QStringList({"Rocket", "Checklist"}));
    EXPECT_TRUE(barHidden);
    EXPECT_EQ(checklistSeen, QStringLiteral("Arm,"));
    EXPECT_TRUE(main.commandBar()->isVisible());
    EXPECT_TRUE(reporter.fatal.isEmpty());
}
