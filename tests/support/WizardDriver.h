#pragma once

// Drives the launch screen's wizard as a flyer does, through its real pages
// and widgets (see ScreenDriver.h). Shared by the wizard's own tests and by
// those that read what it wrote through the flight log, the command line and
// the statistics.
#include "app/LaunchRocketStep.h"
#include "checklists/ChecklistPage.h"
#include "launch/LaunchDlg.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketPage.h"
#include "support/RecordingSounds.h"
#include "support/ScreenDriver.h"
#include "support/TestLogbook.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace wizard {

using Script = std::function<void(CPropertySheet &)>;

// A moment of the launch screen's example day, 13 March 2001.
inline QDateTime at(int hour, int minute, int second)
{
    return QDateTime(QDate(2001, 3, 13), QTime(hour, minute, second), Qt::LocalTime);
}

// What the launch screen is opened with on a storage directory, its first page
// the program's own rocket page, as the main window opens it.
inline CLaunchDlg::Context launchContext(CSettingsStore &settings, CUiServices ui, CSoundPlayer &sounds,
                                         const QString &storageDirectory,
                                         const QString &sitesCategory = QStringLiteral("Launch Sites"))
{
    return {settings,
            ui,
            sounds,
            nullptr,
            storageDirectory,
            sitesCategory,
            launchRocketStep(settings, ui, storageDirectory)};
}

// The launch screen on a storage directory, its clock, prompts, file dialogs
// and sounds in the test's hands.
class CWizardDriver
{
public:
    explicit CWizardDriver(const QString &storageDirectory)
        : m_settings(storageDirectory + QStringLiteral("settings.ini"))
    {
        m_launch =
            std::make_unique<CLaunchDlg>(launchContext(m_settings, {m_prompter, m_files}, m_sounds, storageDirectory));
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
            driver::tap(driver::find<QToolButton>(rocket, QStringLiteral("Next rocket")));
        if (motor > 0)
            driver::choose(driver::find<QComboBox>(rocket, QStringLiteral("Recomended Motors:")), motor);
        driver::tap(driver::find<QPushButton>(rocket, QStringLiteral("Fly It")));
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
                    driver::tap(box);
            }
            press(sheet, "NEXT");
        }
        press(sheet, "LAUNCH");
        press(sheet, outcome);
    }

    // Taps the button of that text on the page in front.
    static void press(CPropertySheet &sheet, const char *text)
    {
        driver::press(sheet.activePage(), QLatin1String(text));
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
