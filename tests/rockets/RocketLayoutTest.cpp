// The rocket screens and the checklist pages fit the handheld, a phone and a
// desktop: nothing outside the window, no control over another, no text cut.
#include "checklists/ChecklistPage.h"
#include "db/RecordStore.h"
#include "platform/SettingsStore.h"
#include "rockets/RecMotorsDlg.h"
#include "rockets/RocketEditSheet.h"
#include "rockets/RocketPage.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>

#include <gtest/gtest.h>

#include <functional>

using driver::find;

namespace {

class RocketLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        // Long texts where a flyer's own are long: a checklist step that must
        // wrap, notes, motor designations that must be read whole.
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID, Name, MFG, Type, Image, CheckList, Recovery, Stages, Clustered, Notes) "
            "VALUES (1, 'Big Daddy Heavy Lifter', 'Kestrel Hobby', 'Sport', 'alpha.png', "
            "'Check that the igniter leads are separated and the launch controller key is out,Clear range,', "
            "'Parachute 24 in', 0, 0, 'Paint the fins before the next flight; the nose cone is a tight fit')",
            "INSERT INTO Rockets (ID, Name, Stages, Clustered) VALUES (2, 'Comanche-3', 1, 1)",
            "INSERT INTO RecMotors (RocketID, Type, Delay, MFG, Alt) VALUES (1, 'K480W', 14, 'Aerotech', 3000)",
            "INSERT INTO RecMotors (RocketID, Type, Delay, MFG, Alt, Stage, Qty, GroupID) VALUES "
            "(2, 'D12', 0, 'Estes', 450, 1, 3, 7), (2, 'C6', 7, 'Estes', 450, 2, 1, 7)",
            "INSERT INTO Motors (ID, Type, Delay, MFG) VALUES (1, 'K480W', 14, 'Aerotech'), (2, 'D12', 0, 'Estes')",
            "INSERT INTO MotorCurves (MotorID, Class, TotalImpulse) VALUES (1, 'K', 1417.5)",
        }));
        QImage picture(60, 200, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        ASSERT_TRUE(picture.save(m_logbook.directory() + QStringLiteral("alpha.png")));
        ASSERT_TRUE(m_store.Open(m_logbook.directory()));
    }

    void expectFits(QWidget &window, const char *what)
    {
        QString skipped;
        const QStringList faults = auditOnReferenceScreens(&window, &skipped);
        if (!skipped.isEmpty())
            GTEST_SKIP() << skipped.toStdString();
        EXPECT_TRUE(faults.isEmpty()) << what << ":\n" << faults.join(QLatin1Char('\n')).toStdString();
        // The audit passes over what has no size: the page tabs must have one.
        auto *tabs = window.findChild<QTabBar *>();
        ASSERT_NE(tabs, nullptr);
        EXPECT_GE(tabs->width(), tabs->tabRect(tabs->count() - 1).right()) << what;
    }

    CRocketPage *addRocketPage(CPropertySheet &sheet, CRocketBrowser::Mode mode)
    {
        auto *page =
            new CRocketPage({m_store, m_settings, {m_prompter, m_files}, m_logbook.directory(), mode, &m_checklist});
        sheet.addPage(page);
        return page;
    }

    CTestLogbook m_logbook;
    CRecordStore m_store;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    QString m_checklist;
};

} // namespace

TEST_F(RocketLayoutTest, RocketsSheetFitsEveryScreenInBothModes)
{
    {
        CPropertySheet sheet(QStringLiteral("Rockets"));
        CRocketPage *page = addRocketPage(sheet, CRocketBrowser::Mode::Browse);
        sheet.addPage(new CChecklistPage(m_checklist));
        sheet.activateFirstPage();
        driver::choose(find<QComboBox>(page, QStringLiteral("Recomended Motors:")), 0);
        expectFits(sheet, "browse, picture");
        page->toggleImage();
        expectFits(sheet, "browse, summary");
        ASSERT_TRUE(sheet.setActivePage(1));
        expectFits(sheet, "browse, checklist with long steps");
    }
    CPropertySheet sheet(QStringLiteral("Log Flight"));
    CRocketPage *page = addRocketPage(sheet, CRocketBrowser::Mode::Launch);
    sheet.activateFirstPage();
    page->stepRocket(1);
    driver::choose(find<QComboBox>(page, QStringLiteral("Recomended Motors:")), 1);
    expectFits(sheet, "launch mode");
}

TEST_F(RocketLayoutTest, TheSummaryAndPictureGrowWithTheWindow)
{
    CPropertySheet sheet(QStringLiteral("Rockets"));
    CRocketPage *page = addRocketPage(sheet, CRocketBrowser::Mode::Browse);
    sheet.activateFirstPage();
    if (!showOnReferenceScreen(&sheet, ReferenceScreen::Compact))
        GTEST_SKIP() << "the offscreen reference screens are not available";
    auto *picture = page->findChild<QLabel *>(QStringLiteral("picture"));
    ASSERT_NE(picture, nullptr);
    const QSize compact = picture->pixmap().size();
    ASSERT_TRUE(showOnReferenceScreen(&sheet, ReferenceScreen::Desktop));
    sheet.resize(900, 700);
    // The picture is drawn again for its larger area, not stretched or left small.
    EXPECT_TRUE(QTest::qWaitFor([&] { return picture->pixmap().size() == picture->size(); }))
        << picture->pixmap().width() << "x" << picture->pixmap().height();
    EXPECT_GT(picture->pixmap().height(), compact.height());
    // The summary's longest line (the notes) stands on one line when there is room.
    page->toggleImage();
    auto *summary = page->findChild<QWidget *>(QStringLiteral("summary"));
    const int notesWidth = summary->fontMetrics().horizontalAdvance(
        QStringLiteral("Paint the fins before the next flight; the nose cone is a tight fit"));
    EXPECT_GT(summary->width(), notesWidth);
}

TEST_F(RocketLayoutTest, EditSheetPagesFitEveryScreen)
{
    for (const char *id : {"1", "2"}) {
        CRocketEditSheet sheet({m_store, m_settings, {m_prompter, m_files}, m_logbook.directory()}, QLatin1String(id));
        sheet.activateFirstPage();
        for (int i = 0; i < sheet.pageCount(); ++i) {
            ASSERT_TRUE(sheet.setActivePage(i));
            expectFits(sheet,
                       qPrintable(QStringLiteral("rocket %1, page %2").arg(QLatin1String(id), sheet.page(i)->title())));
        }
    }
}

TEST_F(RocketLayoutTest, AMotorGroupBeingAssembledFitsEveryScreen)
{
    CRocketEditSheet sheet({m_store, m_settings, {m_prompter, m_files}, m_logbook.directory()}, QStringLiteral("2"));
    sheet.activateFirstPage();
    ASSERT_TRUE(sheet.setActivePage(3));
    CRecMotorsDlg *motors = sheet.motorsPage();
    driver::choose(find<QComboBox>(motors, QStringLiteral("Motor")), 1);
    driver::tap(find<QPushButton>(motors, QStringLiteral("Add to cluster")));
    driver::tap(find<QPushButton>(motors, QStringLiteral("Stage")));
    driver::choose(find<QComboBox>(motors, QStringLiteral("Motor")), 2);
    driver::tap(find<QPushButton>(motors, QStringLiteral("Add to cluster")));
    ASSERT_EQ(motors->pendingLines().size(), 2);
    expectFits(sheet, "pending group");
}
