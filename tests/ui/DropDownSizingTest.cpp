#include "ui/DropDownSizing.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

TEST(DropDownSizing, RoomForItemsPlusTwoUnlessTheWindowEndsFirst)
{
    // Plenty of room: item height x (items + 2).
    EXPECT_EQ(dropDownListHeight(16, 3, 320, 40), 80);
    EXPECT_EQ(dropDownListHeight(16, 0, 320, 40), 32);
    // The window's bottom is nearer: what is left below the combo box.
    EXPECT_EQ(dropDownListHeight(16, 30, 320, 40), 280);
    EXPECT_EQ(dropDownListHeight(16, 10, 200, 100), 100);
    // No room left at all still leaves one row rather than a list of no height.
    EXPECT_EQ(dropDownListHeight(16, 10, 200, 200), 16);
    EXPECT_EQ(dropDownListHeight(16, 10, 200, 260), 16);
}

TEST(DropDownSizing, ComboShowsAsManyRowsAsTheRuleAllows)
{
    QWidget window;
    window.setFixedSize(240, 320);
    auto *layout = new QVBoxLayout(&window);
    auto *top = new QComboBox(&window);
    auto *bottom = new QComboBox(&window);
    layout->addWidget(top);
    layout->addStretch(1);
    layout->addWidget(bottom);
    window.show();
    for (int i = 0; i < 3; ++i)
        top->addItem(QStringLiteral("item %1").arg(i));
    for (int i = 0; i < 100; ++i)
        bottom->addItem(QStringLiteral("item %1").arg(i));
    sizeDropDown(top);
    sizeDropDown(bottom);
    EXPECT_EQ(top->maxVisibleItems(), 5);
    // At the bottom edge of the window there is room for hardly any rows.
    EXPECT_GE(bottom->maxVisibleItems(), 1);
    EXPECT_LT(bottom->maxVisibleItems(), 5);

    for (int i = 0; i < 100; ++i)
        top->addItem(QStringLiteral("more %1").arg(i));
    sizeDropDown(top);
    const int itemHeight = top->view()->sizeHintForRow(0);
    const int room = window.height() - top->mapTo(&window, QPoint(0, top->height())).y();
    EXPECT_EQ(top->maxVisibleItems(), room / itemHeight);
}
