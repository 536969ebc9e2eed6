#pragma once

// Drives screens the way a flyer does: taps, typing and keys on the widgets
// themselves, found by their label or text, and the modal screens a command
// opens, driven once they are up. Every screen test goes through these.

#include "ui/CommandBar.h"
#include "ui/PropertyPage.h"
#include "ui/PropertySheet.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

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

// The field a label names (its buddy), as a screen reader finds it.
template<class Widget = QWidget> Widget *field(QWidget *root, const QString &label)
{
    for (QLabel *candidate : root->findChildren<QLabel *>()) {
        if (candidate->text() == label && candidate->buddy())
            return qobject_cast<Widget *>(candidate->buddy());
    }
    ADD_FAILURE() << "no field labelled " << label.toStdString();
    return nullptr;
}

inline void mouseClick(QWidget *widget, QPoint position)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, position);
}

// A tap in the middle of the widget; a tick box takes it on its box, at its left end.
inline void tap(QWidget *widget)
{
    ASSERT_NE(widget, nullptr);
    const bool tickBox = qobject_cast<QCheckBox *>(widget) != nullptr;
    mouseClick(widget, tickBox ? QPoint(6, widget->height() / 2) : widget->rect().center());
}

// A tap on a line of a list.
inline void tapRow(QAbstractItemView *view, const QModelIndex &index)
{
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(index.isValid());
    view->scrollTo(index);
    mouseClick(view->viewport(), view->visualRect(index).center());
}

inline void keyClick(QWidget *widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    ASSERT_NE(widget, nullptr);
    QTest::keyClick(widget, key, modifiers);
}

inline void keyClicks(QWidget *widget, const QString &text)
{
    ASSERT_NE(widget, nullptr);
    QTest::keyClicks(widget, text);
}

// Replaces what a text field holds (a line, a text box, an editable drop-down)
// by typing: everything selected, deleted, then the text typed.
inline void type(QWidget *field, const QString &text)
{
    ASSERT_NE(field, nullptr);
    if (auto *combo = qobject_cast<QComboBox *>(field); combo && combo->lineEdit())
        field = combo->lineEdit();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Taps the push button of that text.
inline void press(QWidget *root, const QString &text)
{
    ASSERT_NE(root, nullptr);
    QPushButton *button = find<QPushButton>(root, text);
    ASSERT_NE(button, nullptr) << text.toStdString();
    tap(button);
}

// Taps the button of a command on a command bar.
inline void command(CCommandBar *bar, const QString &text)
{
    ASSERT_NE(bar, nullptr);
    for (QAction *action : bar->actions()) {
        if (action->text() == text) {
            tap(bar->widgetForAction(action));
            return;
        }
    }
    FAIL() << "no command " << text.toStdString();
}

inline void command(CPropertyPage *page, const QString &text)
{
    ASSERT_NE(page, nullptr);
    command(page->commandBar(), text);
}

// Chooses an entry of one of the window's menus, as a tap on it does.
inline void menuEntry(QWidget *root, const QString &text)
{
    ASSERT_NE(root, nullptr);
    for (QMenu *menu : root->findChildren<QMenu *>()) {
        for (QAction *action : menu->actions()) {
            if (action->text() == text) {
                action->trigger();
                return;
            }
        }
    }
    FAIL() << "no menu entry " << text.toStdString();
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

// Taps the tab of a page of the sheet where it is drawn, first tapping the tab
// strip's scroll bar until the whole tab is in view.
inline void tab(CPropertySheet &sheet, int index)
{
    auto *tabs = sheet.findChild<QTabBar *>();
    ASSERT_NE(tabs, nullptr);
    auto *strip = qobject_cast<QScrollArea *>(tabs->parentWidget()->parentWidget());
    ASSERT_NE(strip, nullptr);
    QScrollBar *bar = strip->horizontalScrollBar();
    for (int taps = 0; taps < 100; ++taps) {
        const QRect tab(tabs->mapTo(strip->viewport(), tabs->tabRect(index).topLeft()), tabs->tabRect(index).size());
        if (strip->viewport()->rect().contains(tab))
            break;
        ASSERT_TRUE(bar->isVisible());
        // The scroll bar's arrows, at either end.
        mouseClick(bar, tab.left() < 0 ? QPoint(2, bar->height() / 2) : QPoint(bar->width() - 3, bar->height() / 2));
    }
    mouseClick(tabs, tabs->tabRect(index).center());
}

// Runs `act` and, at every turn of the event loop that runs meanwhile (the
// loop of a modal screen or a menu that `act` opens), `look`, until `look`
// says it found what it waited for (and closed it). False when `act` returned
// first. Whatever else the opening does first, nothing is looked at too early.
inline bool watch(const std::function<void()> &act, const std::function<bool()> &look)
{
    bool found = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        poll.stop(); // `look` may run event loops of its own
        found = look();
        if (!found)
            poll.start();
    });
    poll.start();
    act();
    poll.stop();
    return found;
}

// Runs `act`, which opens a modal screen of type Screen, and `drive` on that
// screen once it is the active modal window; the screen is closed after, if
// `drive` left it open. False when no such screen came before `act` returned.
template<class Screen> bool onModal(const std::function<void()> &act, const std::function<void(Screen &)> &drive)
{
    return watch(act, [&] {
        const QPointer<Screen> screen = qobject_cast<Screen *>(QApplication::activeModalWidget());
        if (!screen)
            return false;
        drive(*screen);
        // As Escape or the caption's close button ends it.
        if (screen && screen->isVisible())
            static_cast<QDialog *>(screen.data())->reject();
        return true;
    });
}

} // namespace driver
