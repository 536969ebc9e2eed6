// The layout audit every screen test relies on finds each kind of fault it promises.
#include "support/LayoutAudit.h"

#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {
bool anyContains(const QStringList &faults, const QString &part)
{
    return std::any_of(faults.begin(), faults.end(), [&](const QString &fault) { return fault.contains(part); });
}
} // namespace

TEST(LayoutAudit, FindsStrayOverlappingAndCutWidgets)
{
    if (!referenceScreen(ReferenceScreen::Desktop))
        GTEST_SKIP() << "the offscreen reference screens are not available";
    // Placed by hand, as the screens used to be, with one fault of each kind.
    QDialog window;
    window.setFixedSize(240, 320);
    auto *stray = new QPushButton(QStringLiteral("Stray"), &window);
    stray->setGeometry(200, 10, 80, 24);
    auto *first = new QLineEdit(&window);
    first->setObjectName(QStringLiteral("first"));
    first->setGeometry(10, 40, 100, 24);
    auto *second = new QPushButton(QStringLiteral("Second"), &window);
    second->setGeometry(60, 50, 100, 24);
    auto *cut = new QLabel(QStringLiteral("A label far too long for its place"), &window);
    cut->setGeometry(10, 80, 60, 20);
    auto *list = new QTreeWidget(&window);
    list->setGeometry(10, 110, 200, 80);
    list->setColumnCount(2);
    list->header()->setStretchLastSection(false);
    list->setColumnWidth(0, 60);
    list->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("AeroTech K1100T-14"), QStringLiteral("14")}));
    auto *combo = new QComboBox(&window);
    combo->setGeometry(10, 200, 60, 24);
    combo->addItem(QStringLiteral("Cesaroni Technology Pro38 5G"));
    auto *tabs = new QTabBar(&window);
    for (const char *tab : {"Rocket", "Weather", "Checklist", "LAUNCH", "Status"})
        tabs->addTab(QLatin1String(tab));
    tabs->setUsesScrollButtons(true);
    tabs->setGeometry(10, 240, 120, 24);
    ASSERT_TRUE(showOnReferenceScreen(&window, ReferenceScreen::Desktop));

    const QStringList faults = auditLayout(&window, true);
    EXPECT_TRUE(anyContains(faults, QStringLiteral("\"Stray\" (80x24 at 200,10) lies outside the window")))
        << faults.join('\n').toStdString();
    EXPECT_TRUE(anyContains(faults, QStringLiteral("\"first\" (100x24 at 10,40) overlaps QPushButton \"Second\"")))
        << faults.join('\n').toStdString();
    EXPECT_TRUE(anyContains(faults, QStringLiteral("QLabel \"A label far too long for its place\" needs")))
        << faults.join('\n').toStdString();
    EXPECT_TRUE(anyContains(faults, QStringLiteral("\"AeroTech K1100T-14\" needs"))) << faults.join('\n').toStdString();
    EXPECT_TRUE(anyContains(faults, QStringLiteral("shows \"Cesaroni Technology Pro38 5G\" in")))
        << faults.join('\n').toStdString();
    EXPECT_TRUE(anyContains(faults, QStringLiteral("tab \"Status\""))) << faults.join('\n').toStdString();
    // Cut texts are the handheld's lot: without the text checks only the layout faults remain.
    const QStringList layoutOnly = auditLayout(&window, false);
    EXPECT_FALSE(anyContains(layoutOnly, QStringLiteral("needs"))) << layoutOnly.join('\n').toStdString();
    EXPECT_TRUE(anyContains(layoutOnly, QStringLiteral("overlaps"))) << layoutOnly.join('\n').toStdString();

    // Put right, the same widgets pass.
    delete stray;
    delete second;
    delete tabs;
    cut->setGeometry(10, 80, 220, 20);
    list->resizeColumnToContents(0);
    combo->setGeometry(10, 200, 220, 24);
    combo->setItemText(0, QStringLiteral("CTI"));
    EXPECT_EQ(auditLayout(&window, true), QStringList());
}
