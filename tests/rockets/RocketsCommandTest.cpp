#include "support/MainWindowOnLogbook.h"
#include "support/ScreenDriver.h"
#include "ui/CommandBar.h"
#include "ui/PropertyPage.h"
#include "ui/PropertySheet.h"

#include <gtest/gtest.h>

TEST(RocketsCommand, OpensTheRocketSheetWithTheCommandBarHidden)
{
    CMainWindowOnLogbook app;
    ASSERT_TRUE(app.logbook.isValid());
    ASSERT_TRUE(app.logbook.exec({"INSERT INTO Rockets (ID,Name,CheckList) VALUES (1,'Alpha','Arm,')"}));

    QStringList pages;
    bool barHidden = false;
    QString checklistSeen;
    EXPECT_TRUE(
        driver::onModal<CPropertySheet>([&] { driver::menuEntry(app.main.commandBar(), QStringLiteral("Rockets")); },
                                        [&](CPropertySheet &sheet) {
                                            barHidden = !app.main.commandBar()->isVisible();
                                            for (int i = 0; i < sheet.pageCount(); ++i)
                                                pages.append(sheet.page(i)->title());
                                            // The sheet opens on the first rocket, whose checklist the
                                            // main window now holds.
                                            checklistSeen = app.main.currentChecklist();
                                            sheet.confirm();
                                        }));
    EXPECT_EQ(pages, QStringList({"Rocket", "Checklist"}));
    EXPECT_TRUE(barHidden);
    EXPECT_EQ(checklistSeen, QStringLiteral("Arm,"));
    EXPECT_TRUE(app.main.commandBar()->isVisible());
    EXPECT_TRUE(app.reporter.fatal.isEmpty());
}
