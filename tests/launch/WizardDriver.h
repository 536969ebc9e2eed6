#pragma once

// Drives the launch screen's wizard as a flyer does, through its real pages
// and widgets: taps where buttons are drawn, keys as the windowing system sends
// them. Shared by the wizard's own tests and by those that read what it wrote
// through the flight log, the command line and the statistics.
#include "RecordingSounds.h"
#include "checklists/ChecklistPage.h"
#include "launch/LaunchDlg.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketPage.h"
#include "support/TestLogbook.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace wizard {

using Script = std::function<void(CPropertySheet &)>;

// Input as the windowing system delivers it: events that an ignoring widget
// passes on to its parents, up to the window.
inline void keyClick(QWidget *widget, int key, Qt::KeyboardModifiers modifiers = {}, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

inline void keyClicks(QWidget *widget, const QString &text)
{
    for (QChar ch : text)
        keyClick(widget, ch.toUpper().unicode(), {}, QString(ch));
}

inline void mouseClick(QWidget *widget, QPoint position)
{
    const QPoint global = widget->mapToGlobal(position);
    QMouseEvent press(QEvent::MouseButtonPress, position, global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, position, global, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(widget, &release);
}

// A moment of the launch screen's example day, 13 March 2001.
inline QDateTime at(int hour, int minute, int second)
{
    return QDateTime(QDate(2001, 3, 13), QTime(hour, minute, second), Qt::LocalTime);
}

// The launch screen on a storage directory, its clock, prompts, file dialogs
// and sounds in the test's hands.
class CWizardDriver
{
public:
    explicit CWizardDriver(const QString &storageDirectory)
        : m_settings(storageDirectory + QStringLiteral("settings.ini"))
    {
        const QString sites = QStringLiteral("Launch Sites");
        m_launch = std::make_unique<CLaunchDlg>(
            CLaunchDlg::Context {m_settings, {m_prompter, m_files}, m_sounds, nullptr, storageDirectory, sites});
        m_launch->setClock([this] { return m_now; });
        // The sheet is shown as the flyer sees it; a script that leaves it
        // open ends it unfinished.
        m_launch->setSheetRunner([this](CPropertySheet &sheet) {
            sheet.show();
            if (m_script)
                m_script(sheet);
            return sheet.result();
        });
    }

    // Runs "Log Flight" with the wizard driven by script.
    void logFlight(Script script)
    {
        m_script = std::move(script);
        m_launch->OnLogFlight();
    }

    template<class Page> Page *page(CPropertySheet &sheet, int index)
    {
        auto *page = dynamic_cast<Page *>(sheet.page(index));
        EXPECT_NE(page, nullptr);
        return page;
    }

    // Rocket page: the rocket at position `position` in name order, its motor entry `motor` (0 = blank), Fly It.
    void flyRocket(CPropertySheet &sheet, int position, int motor)
    {
        auto *rocket = page<CRocketPage>(sheet, CLaunchDlg::RocketPage);
        for (int step = 0; step <= position; ++step)
            click(find<QToolButton>(rocket, "Next rocket"));
        if (motor > 0) {
            auto *motors = find<QComboBox>(rocket, "Recomended Motors:");
            ASSERT_NE(motors, nullptr);
            motors->setCurrentIndex(motor);
            emit motors->activated(motor);
        }
        click(find<QPushButton>(rocket, "Fly It"));
    }

    // The guided route from the rocket page to the outcome page, every button tapped.
    void walkToOutcome(CPropertySheet &sheet, int position, int motor, const char *outcome)
    {
        flyRocket(sheet, position, motor);
        press(sheet, "NEXT");
        if (sheet.activeIndex() == CLaunchDlg::ChecklistPage) {
            auto *checklist = page<CChecklistPage>(sheet, CLaunchDlg::ChecklistPage);
            for (QCheckBox *box : checklist->findChildren<QCheckBox *>()) {
                if (box->isVisibleTo(checklist))
                    click(box);
            }
            press(sheet, "NEXT");
        }
        press(sheet, "LAUNCH");
        press(sheet, outcome);
    }

    static void click(QAbstractButton *button)
    {
        ASSERT_NE(button, nullptr);
        // A tick box takes taps on its box, at its left end.
        const bool tickBox = qobject_cast<QCheckBox *>(button) != nullptr;
        mouseClick(button, tickBox ? QPoint(6, button->height() / 2) : button->rect().center());
    }

    void press(CPropertySheet &sheet, const char *text)
    {
        QPushButton *button = find<QPushButton>(sheet.activePage(), text);
        ASSERT_NE(button, nullptr) << text;
        click(button);
    }

    // Taps a page tab where it is drawn, first tapping the tab strip's scroll
    // bar until the whole tab is in view.
    static void clickTab(CPropertySheet &sheet, int index)
    {
        auto *tabs = sheet.findChild<QTabBar *>();
        ASSERT_NE(tabs, nullptr);
        auto *strip = qobject_cast<QScrollArea *>(tabs->parentWidget()->parentWidget());
        ASSERT_NE(strip, nullptr);
        QScrollBar *bar = strip->horizontalScrollBar();
        for (int taps = 0; taps < 100; ++taps) {
            const QRect tab(tabs->mapTo(strip->viewport(), tabs->tabRect(index).topLeft()),
                            tabs->tabRect(index).size());
            if (strip->viewport()->rect().contains(tab))
                break;
            ASSERT_TRUE(bar->isVisible());
            // The scroll bar's arrows, at either end.
            mouseClick(bar,
                       tab.left() < 0 ? QPoint(2, bar->height() / 2) : QPoint(bar->width() - 3, bar->height() / 2));
        }
        mouseClick(tabs, tabs->tabRect(index).center());
    }

    // Replaces a text field's text as the flyer types it.
    static void type(QWidget *field, const QString &text)
    {
        field->setFocus();
        keyClick(field, Qt::Key_A, Qt::ControlModifier);
        keyClick(field, Qt::Key_Delete);
        keyClicks(field, text);
    }

    // The widget whose accessible name, or button text, is name.
    template<class Widget> static Widget *find(QWidget *parent, const char *name)
    {
        for (Widget *widget : parent->findChildren<Widget *>()) {
            bool match = widget->accessibleName() == QLatin1String(name);
            if constexpr (std::is_base_of_v<QAbstractButton, Widget>)
                match = match || widget->text() == QLatin1String(name);
            if (match)
                return widget;
        }
        return nullptr;
    }

protected:
    CSettingsStore m_settings;
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CRecordingSounds m_sounds;
    std::unique_ptr<CLaunchDlg> m_launch;
    QDateTime m_now = at(14, 6, 30);
    Script m_script;
};

// A logbook made before the launch screen that opens on it: a fixture's first base.
struct CWizardLogbook
{
    CTestLogbook m_logbook;
};

} // namespace wizard
