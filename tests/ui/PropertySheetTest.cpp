#include "ui/PropertySheet.h"

#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "ui/CommandBar.h"
#include "ui/PropertyPage.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>

#include <gtest/gtest.h>

namespace {

// A page that logs the calls it gets and refuses when told to.
class CLoggingPage : public CPropertyPage
{
public:
    CLoggingPage(const QString &title, QStringList &log, bool withBar = false)
        : CPropertyPage(title)
        , m_log(log)
        , m_withBar(withBar)
    { }

    void onInitDialog() override
    {
        m_log.append(title() + QStringLiteral(":init"));
        if (m_withBar)
            createCommandBar()->addCommand(title() + QStringLiteral(" command"));
    }
    bool onSetActive() override
    {
        m_log.append(title() + QStringLiteral(":set"));
        return refuseSet ? false : CPropertyPage::onSetActive();
    }
    bool onKillActive() override
    {
        m_log.append(title() + QStringLiteral(":kill"));
        return refuseKill ? false : CPropertyPage::onKillActive();
    }
    void onConfirm() override { m_log.append(title() + QStringLiteral(":confirm")); }

    bool refuseSet = false;
    bool refuseKill = false;

private:
    QStringList &m_log;
    bool m_withBar;
};

} // namespace

TEST(PropertySheet, PagesAreInitialisedOnceAndActivatedInTurn)
{
    QStringList log;
    CPropertySheet sheet(QStringLiteral("Sheet"));
    auto *a = new CLoggingPage(QStringLiteral("A"), log);
    auto *b = new CLoggingPage(QStringLiteral("B"), log);
    sheet.addPage(a);
    sheet.addPage(b);
    sheet.activateFirstPage();
    EXPECT_TRUE(sheet.setActivePage(1));
    EXPECT_TRUE(sheet.setActivePage(0));
    EXPECT_EQ(log, QStringList({"A:init", "A:set", "A:kill", "B:init", "B:set", "B:kill", "A:set"}));
    EXPECT_EQ(sheet.activePage(), a);
    EXPECT_FALSE(sheet.setActivePage(5));
}

TEST(PropertySheet, RefusalsKeepTheCurrentPage)
{
    QStringList log;
    CPropertySheet sheet(QStringLiteral("Sheet"));
    auto *a = new CLoggingPage(QStringLiteral("A"), log);
    auto *b = new CLoggingPage(QStringLiteral("B"), log);
    sheet.addPage(a);
    sheet.addPage(b);
    sheet.activateFirstPage();

    a->refuseKill = true;
    EXPECT_FALSE(sheet.setActivePage(1));
    EXPECT_EQ(sheet.activeIndex(), 0);
    // A tab tap that is refused snaps the tab back.
    auto *tabs = sheet.findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    tabs->setCurrentIndex(1);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_FALSE(sheet.confirm());
    EXPECT_EQ(sheet.result(), 0);

    a->refuseKill = false;
    b->refuseSet = true;
    log.clear();
    EXPECT_FALSE(sheet.setActivePage(1));
    EXPECT_EQ(sheet.activeIndex(), 0);
    EXPECT_EQ(log, QStringList({"A:kill", "B:init", "B:set", "A:set"}));
}

TEST(PropertySheet, ConfirmLeavesTheActivePageThenConfirmsShownPages)
{
    QStringList log;
    CPropertySheet sheet(QStringLiteral("Sheet"));
    auto *a = new CLoggingPage(QStringLiteral("A"), log);
    sheet.addPage(a);
    sheet.addPage(new CLoggingPage(QStringLiteral("B"), log));
    sheet.addPage(new CLoggingPage(QStringLiteral("C"), log));
    sheet.activateFirstPage();
    sheet.setActivePage(1);
    sheet.show();
    log.clear();
    driver::tap(sheet.confirmButton());
    // C was never shown, so it has nothing to confirm.
    EXPECT_EQ(log, QStringList({"B:kill", "A:confirm", "B:confirm"}));
    EXPECT_EQ(sheet.result(), QDialog::Accepted);

    CPropertySheet wizard(QStringLiteral("Wizard"));
    wizard.addPage(new CLoggingPage(QStringLiteral("W"), log));
    wizard.activateFirstPage();
    EXPECT_TRUE(wizard.endCompleted());
    EXPECT_EQ(wizard.result(), CPropertySheet::kCompleted);
}

TEST(PropertySheet, OnlyTheActivePagesCommandBarIsShown)
{
    QStringList log;
    CPropertySheet sheet(QStringLiteral("Sheet"));
    auto *a = new CLoggingPage(QStringLiteral("A"), log, true);
    auto *b = new CLoggingPage(QStringLiteral("B"), log);
    auto *c = new CLoggingPage(QStringLiteral("C"), log, true);
    sheet.addPage(a);
    sheet.addPage(b);
    sheet.addPage(c);
    sheet.show();
    ASSERT_NE(a->commandBar(), nullptr);
    EXPECT_TRUE(a->commandBar()->isVisible());
    sheet.setActivePage(1);
    EXPECT_FALSE(a->commandBar()->isVisible());
    sheet.setActivePage(2);
    ASSERT_NE(c->commandBar(), nullptr);
    EXPECT_TRUE(c->commandBar()->isVisible());
    EXPECT_FALSE(a->commandBar()->isVisible());
    // The bar sits inside the sheet, within the window.
    EXPECT_TRUE(sheet.isAncestorOf(c->commandBar()));
    EXPECT_LE(c->commandBar()->mapTo(&sheet, QPoint(0, c->commandBar()->height())).y(), sheet.height());
}

TEST(PropertySheet, EscapeConfirmsAnEditingSheetAndCancelsOneThatStores)
{
    const auto escape = [](CPropertySheet &sheet) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&sheet, &press);
    };
    QStringList log;
    CPropertySheet editing(QStringLiteral("Edit"));
    editing.addPage(new CLoggingPage(QStringLiteral("A"), log));
    editing.show();
    log.clear();
    escape(editing);
    EXPECT_EQ(log, QStringList({"A:kill", "A:confirm"}));
    EXPECT_EQ(editing.result(), QDialog::Accepted);

    CPropertySheet storing(QStringLiteral("Wizard"));
    storing.setClosingCancels(true);
    storing.addPage(new CLoggingPage(QStringLiteral("W"), log));
    storing.show();
    log.clear();
    escape(storing);
    EXPECT_TRUE(log.isEmpty());
    EXPECT_EQ(storing.result(), QDialog::Rejected);
    EXPECT_FALSE(storing.isVisible());
}

// Seven steps of long titles over small pages: on a desktop the sheet opens
// wide enough for every tab; on the handheld the tabs scroll in their strip.
TEST(PropertySheet, EveryTabIsInSightOnADesktop)
{
    QStringList log;
    CPropertySheet sheet(QStringLiteral("Sheet"));
    for (const char *title : {"Rocket and motor", "Weather at the pad", "Checklist", "Launch Button", "Launch Status",
                              "Success and notes", "Failure and causes"})
        sheet.addPage(new CLoggingPage(QLatin1String(title), log));
    if (!showOnReferenceScreen(&sheet, ReferenceScreen::Desktop))
        GTEST_SKIP() << "the desktop reference screen is not available";
    EXPECT_EQ(auditDesktopFit(&sheet), QStringList());
    const QTabBar *tabs = sheet.findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    const QRect last = tabs->tabRect(tabs->count() - 1);
    EXPECT_LE(tabs->mapTo(&sheet, last.topRight()).x(), sheet.width());

    ASSERT_TRUE(showOnReferenceScreen(&sheet, ReferenceScreen::Compact));
    EXPECT_GT(tabs->width(), sheet.width()); // scrolls there, as it must
}
