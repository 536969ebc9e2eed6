#pragma once

// Drives screens the way a flyer does: taps, typing and arrow keys on the
// widgets themselves, found by their label or text.

#include "ui/CommandBar.h"
#include "ui/PropertyPage.h"
#include "ui/PropertySheet.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace driver {

// The widget of that type whose accessible name (or button text) is name.
template<class Widget> Widget *find(QWidget *root, const QString &name)
{
    for (Widget *widget : root->findChildren<Widget *>()) {
        if (widget->accessibleName() == name)
            return widget;
        if constexpr (std::is_base_of_v<QAbstractButton, Widget>) {
            if (widget->text() == name)
                return widget;
        }
    }
    return nullptr;
}

inline void tap(QWidget *widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
}

// The button of a command on the page's command bar.
inline void command(CPropertyPage *page, const QString &text)
{
    ASSERT_NE(page->commandBar(), nullptr);
    for (QAction *action : page->commandBar()->actions()) {
        if (action->text() == text) {
            tap(page->commandBar()->widgetForAction(action));
            return;
        }
    }
    FAIL() << "no command " << text.toStdString();
}

// Opens the drop-down and taps entry index.
inline void choose(QComboBox *combo, int index)
{
    ASSERT_NE(combo, nullptr);
    ASSERT_LT(index, combo->count());
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    const QModelIndex entry = combo->model()->index(index, combo->modelColumn());
    view->scrollTo(entry);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
}

// Replaces what a one-line field holds by typing.
inline void type(QLineEdit *edit, const QString &text)
{
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Taps the tab of a page of the sheet.
inline void tab(CPropertySheet &sheet, int index)
{
    auto *tabs = sheet.findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

} // namespace driver
