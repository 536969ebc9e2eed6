#include "RecordingSounds.h"
#include "checklists/ChecklistPage.h"
#include "launch/FailurePage.h"
#include "launch/GetDataDlg.h"
#include "launch/LauchstatusPage.h"
#include "launch/LaunchButtonPage.h"
#include "launch/LaunchDlg.h"
#include "launch/NumberField.h"
#include "launch/SuccessPage.h"
#include "launch/WeatherPage.h"
#include "launch/WindRose.h"
#include "platform/SettingsStore.h"
#include "rockets/RocketPage.h"
#include "support/TestLogbook.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Script = std::function<void(CPropertySheet &)>;

QDateTime at(int hour, int minute, int second)
{
    return QDateTime(QDate(2001, 3, 13), QTime(hour, minute, second), Qt::LocalTime);
}

class LaunchWizardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID,Name,Stages,Clustered,CheckList) VALUES (1,'Alpha','0','0','Arm,Clear,')",
            "INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (2,'Bravo','0','0')",
            "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt) VALUES (1,'C6','5','EST','300')",
        }));
        m_launch = std::make_unique<CLaunchDlg>(CLaunchDlg::Context {m_settings,
                                                                     {m_prompter, m_files},
                                                                     m_sounds,
                                                                     nullptr,
                                                                     m_logbook.directory(),
                                                                     QStringLiteral("Launch Sites")});
        m_launch->setClock([this] { return m_now; });
        m_launch->setSheetRunner([this](CPropertySheet &sheet) {
            sheet.activateFirstPage();
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
        rocket->stepRocket(position + 1);
        if (motor > 0) {
            auto *motors = findByName<QComboBox>(rocket, "Recomended Motors:");
            ASSERT_NE(motors, nullptr);
            motors->setCurrentIndex(motor);
            emit motors->activated(motor);
        }
        findByText<QPushButton>(rocket, "Fly It")->click();
    }

    void press(CPropertySheet &sheet, const char *text)
    {
        QPushButton *button = findByText<QPushButton>(sheet.activePage(), text);
        ASSERT_NE(button, nullptr) << text;
        button->click();
    }

    template<class Widget> static Widget *findByText(QWidget *parent, const char *text)
    {
        for (Widget *widget : parent->findChildren<Widget *>()) {
            if (widget->text() == QLatin1String(text) || widget->accessibleName() == QLatin1String(text))
                return widget;
        }
        return nullptr;
    }

    template<class Widget> static Widget *findByName(QWidget *parent, const char *name)
    {
        for (Widget *widget : parent->findChildren<Widget *>()) {
            if (widget->accessibleName() == QLatin1String(name))
                return widget;
        }
        return nullptr;
    }

    QStringList launches() const { return m_logbook.rows(QStringLiteral("SELECT * FROM Launches")); }

    QString sound(const char *name) const { return m_logbook.directory() + QLatin1String(name); }

    CTestLogbook m_logbook;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CRecordingSounds m_sounds;
    std::unique_ptr<CLaunchDlg> m_launch;
    QDateTime m_now = at(14, 6, 30);
    Script m_script;
};

} // namespace

TEST_F(LaunchWizardTest, FlightWalkedThroughEveryPageIsStoredWithoutAQuestion)
{
    m_launch->siteBox()->setEditText(QStringLiteral("North Field"));
    m_files.script({QStringLiteral("/storage/flight1.flt")});
    logFlight([this](CPropertySheet &sheet) {
        flyRocket(sheet, 0, 1);
        ASSERT_EQ(sheet.activeIndex(), CLaunchDlg::WeatherPage);

        auto *weather = page<CWeatherPage>(sheet, CLaunchDlg::WeatherPage);
        weather->temperatureField()->edit()->setText(QStringLiteral("-5"));
        weather->windSpeedField()->edit()->setText(QStringLiteral("20"));
        // A tap at compass point (10, 0): north-west. The typed speed survives the refresh.
        weather->tapAt(weather->compass()->mapTo(weather, QPoint(11, 24)));
        EXPECT_EQ(weather->directionBox()->currentText(), QStringLiteral("NorthWest"));
        EXPECT_EQ(weather->windSpeedField()->edit()->text(), QStringLiteral("20"));
        press(sheet, "NEXT");
        ASSERT_EQ(sheet.activeIndex(), CLaunchDlg::ChecklistPage);

        auto *checklist = page<CChecklistPage>(sheet, CLaunchDlg::ChecklistPage);
        checklist->box(0)->setChecked(true);
        press(sheet, "NEXT");
        EXPECT_EQ(sheet.activeIndex(), CLaunchDlg::ChecklistPage);
        EXPECT_EQ(m_launch->pagesDone() & CLaunchDlg::kChecklistDone, 0);
        checklist->box(1)->setChecked(true);
        press(sheet, "NEXT");
        ASSERT_EQ(sheet.activeIndex(), CLaunchDlg::LaunchButtonPage);

        press(sheet, "LAUNCH");
        ASSERT_EQ(sheet.activeIndex(), CLaunchDlg::LaunchStatPage);
        auto *status = page<CLauchstatusPage>(sheet, CLaunchDlg::LaunchStatPage);
        EXPECT_EQ(status->launchPicker()->time(), QTime(14, 6, 30));
        m_now = at(14, 7, 1);
        status->drogueButton()->click();
        m_now = at(14, 7, 20);
        status->drogueButton()->click();
        status->mainButton()->click();
        EXPECT_EQ(status->droguePicker()->time(), QTime(14, 7, 20));
        // The pickers only display: a time changed by hand is not stored.
        status->mainPicker()->setTime(QTime(3, 3));
        m_now = at(14, 8, 10);
        status->successButton()->click();
        ASSERT_EQ(sheet.activeIndex(), CLaunchDlg::SuccessPage);

        auto *success = page<CSuccessPage>(sheet, CLaunchDlg::SuccessPage);
        success->notesField()->setPlainText(QStringLiteral("Fin's epoxy failed"));
        success->altimeterBox()->setChecked(true);
        success->setDataDialogRunner([](CGetDataDlg &dialog) {
            dialog.OnSelectFile();
            dialog.OnOk();
            return dialog.result();
        });
        press(sheet, "DONE");
    });

    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_EQ(m_launch->pagesDone(), CLaunchDlg::kAllPagesDone);
    EXPECT_EQ(launches(),
              QStringList({"1||EST C6-5|EST|5|North Field|20|NorthWest|-5|0|03/13/2001|14:07|14:07|14:08|"
                           "Fin's epoxy failed|-1|/storage/flight1.flt"}));
    EXPECT_EQ(m_sounds.played,
              QStringList({sound("Launch.wav"), sound("Drogue.wav"), sound("Drogue.wav"), sound("Main.wav"),
                           sound("Success.wav")}));
    // The screen shows the weather the wizard changed.
    EXPECT_EQ(m_launch->temperatureField()->value(), -5);
    EXPECT_EQ(m_launch->directionBox()->currentText(), QStringLiteral("NorthWest"));
}

TEST_F(LaunchWizardTest, SecondFlightWithoutChecklistCarriesOverWhatNoPageSets)
{
    m_prompter.script({PromptAnswer::Yes});
    m_files.script({QStringLiteral("/storage/flight1.flt")});
    logFlight([this](CPropertySheet &sheet) {
        flyRocket(sheet, 0, 1);
        sheet.setActivePage(CLaunchDlg::LaunchStatPage);
        page<CLauchstatusPage>(sheet, CLaunchDlg::LaunchStatPage)->drogueButton()->click();
        sheet.setActivePage(CLaunchDlg::SuccessPage);
        auto *success = page<CSuccessPage>(sheet, CLaunchDlg::SuccessPage);
        success->altimeterBox()->setChecked(true);
        success->setDataDialogRunner([](CGetDataDlg &dialog) {
            dialog.OnSelectFile();
            dialog.OnOk();
            return dialog.result();
        });
        press(sheet, "DONE");
    });
    ASSERT_EQ(m_prompter.shown().size(), 1); // the skipped pages
    m_prompter.clear();

    m_now = at(15, 30, 0);
    logFlight([this](CPropertySheet &sheet) {
        flyRocket(sheet, 1, 0);
        EXPECT_TRUE(m_launch->checklistText().isEmpty());
        press(sheet, "NEXT");
        EXPECT_EQ(sheet.activeIndex(), CLaunchDlg::LaunchButtonPage);
        EXPECT_EQ(m_launch->pagesDone(),
                  CLaunchDlg::kRocketDone | CLaunchDlg::kWeatherDone | CLaunchDlg::kChecklistDone);
        press(sheet, "LAUNCH");
        page<CLauchstatusPage>(sheet, CLaunchDlg::LaunchStatPage)->successButton()->click();
        // Failure after Success: the last one counts.
        sheet.setActivePage(CLaunchDlg::LaunchStatPage);
        page<CLauchstatusPage>(sheet, CLaunchDlg::LaunchStatPage)->failureButton()->click();
        ASSERT_EQ(sheet.activeIndex(), CLaunchDlg::FailurePage);
        auto *failure = page<CFailurePage>(sheet, CLaunchDlg::FailurePage);
        EXPECT_EQ(failure->causeBox(0)->text(), QStringLiteral("Chute Failure"));
        EXPECT_FALSE(failure->causeBox(1)->isVisibleTo(failure));
        failure->causeBox(0)->setChecked(true);
        failure->notesField()->setPlainText(QStringLiteral("Shredded fin"));
        press(sheet, "DONE");
    });

    EXPECT_TRUE(m_prompter.shown().isEmpty());
    const QStringList rows = launches();
    ASSERT_EQ(rows.size(), 2);
    // No drogue press and no altimeter tick on the second flight: the first flight's values stay.
    EXPECT_EQ(rows.at(1),
              QStringLiteral("2|||Manufacturer|||0||0|0|03/13/2001|14:06||15:30|Chute Failure\nShredded fin|0|"
                             "/storage/flight1.flt"));
}

TEST_F(LaunchWizardTest, SkippedPagesAskBeforeStoringAndNoStoresNothing)
{
    // Ended from "Launch Stat" without DONE: the confirm control completes the sheet.
    const Script skipToEnd = [this](CPropertySheet &sheet) {
        flyRocket(sheet, 0, 0);
        sheet.setActivePage(CLaunchDlg::LaunchStatPage);
        sheet.confirm();
    };
    m_prompter.script({PromptAnswer::No});
    logFlight(skipToEnd);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().at(0).caption, QStringLiteral("Warning"));
    EXPECT_EQ(m_prompter.shown().at(0).text, QStringLiteral("You skipped a page\nSave anyway?"));
    EXPECT_EQ(m_prompter.shown().at(0).buttons, PromptButtons::YesNo);
    EXPECT_TRUE(launches().isEmpty());

    m_prompter.script({PromptAnswer::Yes});
    logFlight(skipToEnd);
    // Nothing was stamped on this screen yet: empty times and a 0 outcome.
    EXPECT_EQ(launches(), QStringList({"1|||Manufacturer|||0||0|0||||||0|"}));
}

TEST_F(LaunchWizardTest, WizardLeftUnfinishedWritesNothingAndAsksNothing)
{
    logFlight([this](CPropertySheet &sheet) {
        flyRocket(sheet, 0, 1);
        auto *weather = page<CWeatherPage>(sheet, CLaunchDlg::WeatherPage);
        weather->OnUnit();
        EXPECT_EQ(weather->temperatureField()->value(), 0);
        EXPECT_EQ(weather->unitButton()->text(), QStringLiteral("C"));
        sheet.setActivePage(CLaunchDlg::LaunchButtonPage);
    });
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_TRUE(launches().isEmpty());
    // The unit switched on the wizard's weather page reached the flight; the
    // screen's button keeps its letter until a flight is stored.
    EXPECT_TRUE(m_launch->flight().celsius);
    EXPECT_EQ(m_launch->unitButton()->text(), QStringLiteral("F"));
}

TEST_F(LaunchWizardTest, RefusedRowIsReportedAndTheFlightCanBeLoggedAgain)
{
    ASSERT_TRUE(m_logbook.exec(
        {"CREATE TRIGGER RefuseLaunches BEFORE INSERT ON Launches BEGIN SELECT RAISE(ABORT, 'disk full'); END"}));
    m_launch->siteBox()->setEditText(QStringLiteral("O'Brien's Farm"));
    const Script walk = [this](CPropertySheet &sheet) {
        flyRocket(sheet, 1, 0);
        press(sheet, "NEXT");
        press(sheet, "LAUNCH");
        press(sheet, "Failure");
        page<CFailurePage>(sheet, CLaunchDlg::FailurePage)->notesField()->setPlainText(QStringLiteral("Fin's gone"));
        press(sheet, "DONE");
    };
    logFlight(walk);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().at(0).caption, QStringLiteral("Error"));
    EXPECT_TRUE(m_prompter.shown().at(0).text.startsWith(QStringLiteral("The flight was not saved.")));
    EXPECT_TRUE(launches().isEmpty());
    EXPECT_EQ(m_launch->flight().notes, QStringLiteral("Fin's gone"));

    ASSERT_TRUE(m_logbook.exec({"DROP TRIGGER RefuseLaunches"}));
    m_prompter.clear();
    logFlight(walk);
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Model, Site, Notes, Success FROM Launches")),
              QStringList({"2|O'Brien's Farm|Fin's gone|0"}));
}

TEST_F(LaunchWizardTest, LaunchScreenFieldsUnitAndCompass)
{
    EXPECT_EQ(m_launch->unitButton()->text(), QStringLiteral("F"));
    EXPECT_TRUE(m_launch->siteBox()->currentText().isEmpty());
    EXPECT_EQ(m_launch->siteBox()->count(), 0);
    m_launch->temperatureField()->setValue(72);
    m_launch->unitButton()->click();
    EXPECT_EQ(m_launch->unitButton()->text(), QStringLiteral("C"));
    EXPECT_EQ(m_launch->temperatureField()->value(), 72);

    CWindRose *rose = m_launch->compass();
    // Compass point (10, -10) is frame position (11, 14).
    m_launch->tapAt(rose->mapTo(m_launch.get(), QPoint(11, 14)));
    EXPECT_EQ(m_launch->directionBox()->currentText(), QStringLiteral("NorthWest"));
    m_launch->tapAt(rose->mapTo(m_launch.get(), QPoint(31, 54)));
    EXPECT_EQ(m_launch->directionBox()->currentText(), QStringLiteral("South"));
    // (30, 41) lies below the counted area: nothing changes.
    m_launch->tapAt(rose->mapTo(m_launch.get(), QPoint(31, 65)));
    EXPECT_EQ(m_launch->directionBox()->currentText(), QStringLiteral("South"));

    // A field that is not a whole number is reported, keeps its value, and the wizard still runs.
    m_launch->windSpeedField()->edit()->setText(QStringLiteral("five"));
    bool ran = false;
    logFlight([&ran](CPropertySheet &) { ran = true; });
    EXPECT_TRUE(ran);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_prompter.shown().at(0).text, QStringLiteral("Please enter an integer."));
    EXPECT_EQ(m_launch->flight().windSpeed, 0);
    EXPECT_EQ(m_launch->flight().temperature, 72);
    EXPECT_EQ(m_launch->flight().windDirection, QStringLiteral("South"));
}

TEST_F(LaunchWizardTest, WeatherPageRangesAndRefusedLeave)
{
    m_launch->temperatureField()->setValue(149);
    logFlight([this](CPropertySheet &sheet) {
        sheet.setActivePage(CLaunchDlg::WeatherPage);
        auto *weather = page<CWeatherPage>(sheet, CLaunchDlg::WeatherPage);
        EXPECT_EQ(weather->temperatureField()->value(), 149);
        weather->temperatureField()->upButton()->click();
        weather->temperatureField()->upButton()->click();
        EXPECT_EQ(weather->temperatureField()->value(), 150);
        weather->windSpeedField()->downButton()->click();
        EXPECT_EQ(weather->windSpeedField()->value(), 0);
        // Typed values outside the arrows' range are kept.
        weather->windSpeedField()->edit()->setText(QStringLiteral("140"));
        weather->temperatureField()->edit()->setText(QStringLiteral("warm"));
        EXPECT_FALSE(sheet.setActivePage(CLaunchDlg::ChecklistPage));
        EXPECT_EQ(m_prompter.shown().size(), 1);
        weather->temperatureField()->edit()->setText(QStringLiteral("-60"));
        EXPECT_TRUE(sheet.setActivePage(CLaunchDlg::ChecklistPage));
    });
    EXPECT_EQ(m_launch->flight().windSpeed, 140);
    EXPECT_EQ(m_launch->flight().temperature, -60);
}

TEST_F(LaunchWizardTest, ChecklistTicksStayWhenThePageIsLeft)
{
    logFlight([this](CPropertySheet &sheet) {
        flyRocket(sheet, 0, 0);
        EXPECT_EQ(m_launch->checklistText(), QStringLiteral("Arm,Clear,"));
        sheet.setActivePage(CLaunchDlg::ChecklistPage);
        auto *checklist = page<CChecklistPage>(sheet, CLaunchDlg::ChecklistPage);
        EXPECT_TRUE(checklist->box(1)->isVisibleTo(checklist));
        EXPECT_FALSE(checklist->box(2)->isVisibleTo(checklist));
        checklist->box(1)->setChecked(true);
        sheet.setActivePage(CLaunchDlg::WeatherPage);
        sheet.setActivePage(CLaunchDlg::ChecklistPage);
        EXPECT_TRUE(checklist->box(1)->isChecked());
        EXPECT_FALSE(checklist->box(0)->isChecked());
    });
}

TEST_F(LaunchWizardTest, AltimeterNameIsKeptWhenTheDialogIsCancelledOrNotAsked)
{
    m_launch->flight().altFileName = QStringLiteral("earlier.flt");
    const auto finish = [this](bool tick, std::function<int(CGetDataDlg &)> runner) {
        logFlight([this, tick, runner](CPropertySheet &sheet) {
            sheet.setActivePage(CLaunchDlg::SuccessPage);
            auto *success = page<CSuccessPage>(sheet, CLaunchDlg::SuccessPage);
            success->altimeterBox()->setChecked(tick);
            success->setDataDialogRunner(runner);
            press(sheet, "DONE");
        });
    };
    bool asked = false;
    finish(false, [&asked](CGetDataDlg &) {
        asked = true;
        return int(QDialog::Accepted);
    });
    EXPECT_FALSE(asked);
    finish(true, [](CGetDataDlg &dialog) {
        dialog.nameField()->setText(QStringLiteral("typed.flt"));
        dialog.reject();
        return dialog.result();
    });
    EXPECT_EQ(m_launch->flight().altFileName, QStringLiteral("earlier.flt"));
}

TEST(GetDataDlg, SelectTypeOkAndCancel)
{
    CScriptedFileChooser files;
    CGetDataDlg dialog(files);
    EXPECT_FALSE(dialog.downloadButton()->isEnabled());

    dialog.nameField()->setText(QStringLiteral("kept"));
    files.script({QString()});
    dialog.OnSelectFile();
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("kept"));
    ASSERT_EQ(files.requests().size(), 1);
    EXPECT_FALSE(files.requests().at(0).save);
    EXPECT_EQ(files.requests().at(0).filter, QStringLiteral("Image Files (*.flt);;All Files (*.*)"));

    files.script({QStringLiteral("/home/flyer/Storage/flight1.flt")});
    dialog.OnSelectFile();
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("/home/flyer/Storage/flight1.flt"));

    dialog.nameField()->setText(QStringLiteral("no such file.flt"));
    dialog.OnOk();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.fileName(), QStringLiteral("no such file.flt"));

    dialog.nameField()->clear();
    dialog.OnOk();
    EXPECT_TRUE(dialog.fileName().isEmpty());
}
