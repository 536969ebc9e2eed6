#include "charts/AltitudePlot.h"
#include "launch/FailurePage.h"
#include "launch/GetDataDlg.h"
#include "launch/LauchstatusPage.h"
#include "launch/NumberField.h"
#include "launch/SuccessPage.h"
#include "launch/WeatherPage.h"
#include "launch/WindRose.h"
#include "support/LayoutAudit.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "support/WizardDriver.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimeEdit>

namespace {

using namespace driver;
using namespace wizard;

class LaunchWizardTest : public ::testing::Test, protected CWizardLogbook, protected CWizardDriver
{
protected:
    LaunchWizardTest()
        : CWizardDriver(m_logbook.directory())
    { }

    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec({
            "INSERT INTO Rockets (ID,Name,Stages,Clustered,CheckList) VALUES (1,'Alpha','0','0','Arm,Clear,')",
            "INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (2,'Bravo','0','0')",
            "INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt) VALUES (1,'C6','5','EST','300')",
        }));
    }

    QStringList launches() const { return m_logbook.rows(QStringLiteral("SELECT * FROM Launches")); }

    QString sound(const char *name) const { return m_logbook.directory() + QLatin1String(name); }
};

} // namespace

// The first flight walks every page; the second, of another rocket, opens no
// chute, so neither chute time may be the first flight's.
TEST_F(LaunchWizardTest, TwoFlightsInARowStoreTheirOwnMomentsAndEachIsConfirmed)
{
    m_launch->show();
    m_launch->siteBox()->setEditText(QStringLiteral("North Field"));
    m_files.script({QStringLiteral("/storage/flight1.flt")});
    logFlight([this](CPropertySheet &sheet) {
        flyRocket(sheet, 0, 1);

        auto *weather = page<CWeatherPage>(sheet, CLaunchDlg::WeatherPage);
        weather->temperatureField()->edit()->setText(QStringLiteral("-5"));
        weather->windSpeedField()->edit()->setText(QStringLiteral("20"));
        // A tap at compass point (10, 0): north-west. The typed speed survives the refresh.
        weather->tapAt(weather->compass()->mapTo(weather, weather->compass()->positionOf(QPoint(10, 0))));
        EXPECT_EQ(weather->directionBox()->currentText(), QStringLiteral("NorthWest"));
        EXPECT_EQ(weather->windSpeedField()->edit()->text(), QStringLiteral("20"));
        press(sheet, "NEXT");
        ASSERT_EQ(sheet.activeIndex(), CLaunchDlg::ChecklistPage);

        auto *checklist = page<CChecklistPage>(sheet, CLaunchDlg::ChecklistPage);
        tap(checklist->box(0));
        press(sheet, "NEXT");
        EXPECT_EQ(sheet.activeIndex(), CLaunchDlg::ChecklistPage);
        EXPECT_EQ(m_launch->pagesDone() & CLaunchDlg::kChecklistDone, 0);
        tap(checklist->box(1));
        press(sheet, "NEXT");

        press(sheet, "LAUNCH");
        auto *status = page<CLauchstatusPage>(sheet, CLaunchDlg::LaunchStatPage);
        m_now = at(14, 7, 1);
        tap(status->drogueButton());
        m_now = at(14, 7, 20);
        tap(status->drogueButton());
        tap(status->mainButton());
        EXPECT_EQ(status->droguePicker()->time(), QTime(14, 7, 20));
        // The pickers only display: a time typed into one is not stored.
        status->mainPicker()->setFocus();
        keyClick(status->mainPicker(), Qt::Key_Up);
        keyClicks(status->mainPicker(), QStringLiteral("0:03"));
        m_now = at(14, 8, 10);
        tap(status->successButton());

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
    EXPECT_EQ(m_sounds.played,
              QStringList({sound("Launch.wav"), sound("Drogue.wav"), sound("Drogue.wav"), sound("Main.wav"),
                           sound("Success.wav")}));
    // The screen shows the weather the wizard changed, and which flight it stored.
    EXPECT_EQ(m_launch->temperatureField()->value(), -5);
    EXPECT_EQ(m_launch->directionBox()->currentText(), QStringLiteral("NorthWest"));
    EXPECT_EQ(m_launch->savedLine()->text(), QStringLiteral("Flight 1 saved: Alpha, EST C6-5"));

    m_now = at(15, 30, 0);
    logFlight([this](CPropertySheet &sheet) {
        walkToOutcome(sheet, 1, 0, "Failure");
        // The carried-over notes are shown where they would be stored from.
        auto *failure = page<CFailurePage>(sheet, CLaunchDlg::FailurePage);
        EXPECT_EQ(failure->notesField()->toPlainText(), QStringLiteral("Fin's epoxy failed"));
        type(failure->notesField(), QStringLiteral("Shredded fin"));
        press(sheet, "DONE");
    });

    EXPECT_TRUE(m_prompter.shown().isEmpty());
    const QStringList rows = launches();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).split(QLatin1Char('|')),
              QStringList({"1", "", "EST C6-5", "EST", "5", "North Field", "20", "NorthWest", "-5", "0", "03/13/2001",
                           "14:07", "14:07", "14:08", "Fin's epoxy failed", "-1", "/storage/flight1.flt"}));
    EXPECT_EQ(rows.at(1).split(QLatin1Char('|')),
              QStringList({"2", "", "", "", "", "North Field", "20", "NorthWest", "-5", "0", "03/13/2001", "", "",
                           "15:30", "Shredded fin", "0", "/storage/flight1.flt"}));
    EXPECT_EQ(m_launch->savedLine()->text(), QStringLiteral("Flight 2 saved: Bravo"));
    EXPECT_TRUE(m_launch->savedLine()->isVisible());
}

TEST_F(LaunchWizardTest, EscapeOrTheCloseButtonStoresNothingAndOkAsksWithNoAsDefault)
{
    logFlight([this](CPropertySheet &sheet) {
        walkToOutcome(sheet, 1, 0, "Success");
        keyClick(&sheet, Qt::Key_Escape);
    });
    logFlight([this](CPropertySheet &sheet) {
        walkToOutcome(sheet, 1, 0, "Success");
        sheet.close();
    });
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_TRUE(launches().isEmpty());

    // OK on a page before DONE asks first, and with no rocket flown asks
    // again; No, the default of both, stores nothing.
    m_prompter.script({PromptAnswer::Yes, PromptAnswer::No});
    logFlight([this](CPropertySheet &sheet) {
        tab(sheet, CLaunchDlg::LaunchStatPage);
        tap(sheet.confirmButton());
    });
    ASSERT_EQ(m_prompter.shown().size(), 2);
    EXPECT_EQ(m_prompter.shown().at(1).text, QStringLiteral("No rocket chosen. Save anyway?"));
    const Script okFromLaunchStat = [this](CPropertySheet &sheet) {
        flyRocket(sheet, 1, 0);
        tab(sheet, CLaunchDlg::LaunchStatPage);
        tap(sheet.confirmButton());
    };
    m_prompter.script({PromptAnswer::No});
    logFlight(okFromLaunchStat);
    ASSERT_EQ(m_prompter.shown().size(), 3);
    for (const CScriptedPrompter::Shown &question : m_prompter.shown())
        EXPECT_EQ(question.buttons, PromptButtons::YesNoDefaultNo) << qPrintable(question.text);
    EXPECT_TRUE(launches().isEmpty());

    m_prompter.script({PromptAnswer::Yes});
    logFlight(okFromLaunchStat);
    // Nothing was stamped in this flight: empty times and a 0 outcome; no
    // motor was chosen, so no maker either.
    EXPECT_EQ(launches(), QStringList({"2||||||0||0|0||||||0|"}));
}

TEST_F(LaunchWizardTest, EnterInAFieldPressesNoButton)
{
    m_launch->show();
    bool ran = false;
    m_script = [&ran](CPropertySheet &) { ran = true; };
    for (QWidget *field : {static_cast<QWidget *>(m_launch->temperatureField()->edit()),
                           static_cast<QWidget *>(m_launch->windSpeedField()->edit()),
                           static_cast<QWidget *>(m_launch->siteBox()->lineEdit())}) {
        field->setFocus();
        keyClick(field, Qt::Key_Return);
    }
    EXPECT_FALSE(ran);
    EXPECT_EQ(m_launch->unitButton()->text(), QStringLiteral("F"));

    logFlight([this](CPropertySheet &sheet) {
        flyRocket(sheet, 1, 0);
        auto *weather = page<CWeatherPage>(sheet, CLaunchDlg::WeatherPage);
        type(weather->temperatureField()->edit(), QStringLiteral("72"));
        keyClick(weather->temperatureField()->edit(), Qt::Key_Return);
        EXPECT_EQ(weather->unitButton()->text(), QStringLiteral("F"));
        EXPECT_EQ(sheet.activeIndex(), CLaunchDlg::WeatherPage);
        press(sheet, "NEXT");
        press(sheet, "LAUNCH");
        auto *status = page<CLauchstatusPage>(sheet, CLaunchDlg::LaunchStatPage);
        status->droguePicker()->setFocus();
        keyClick(status->droguePicker(), Qt::Key_Return);
        EXPECT_EQ(sheet.activeIndex(), CLaunchDlg::LaunchStatPage);
        EXPECT_FALSE(m_launch->flight().drogueTime.has_value());
        EXPECT_FALSE(m_launch->flight().success.has_value());
    });
    EXPECT_FALSE(m_launch->flight().celsius);
    EXPECT_EQ(m_launch->flight().temperature, 72);
}

TEST_F(LaunchWizardTest, NotesTypedOnAnOutcomePageAreStoredWhenEndedWithOk)
{
    m_prompter.setFallback(PromptAnswer::Yes);
    logFlight([this](CPropertySheet &sheet) {
        walkToOutcome(sheet, 1, 0, "Success");
        type(page<CSuccessPage>(sheet, CLaunchDlg::SuccessPage)->notesField(), QStringLiteral("Nice flight"));
        tap(sheet.confirmButton());
    });
    logFlight([this](CPropertySheet &sheet) {
        walkToOutcome(sheet, 1, 0, "Failure");
        auto *failure = page<CFailurePage>(sheet, CLaunchDlg::FailurePage);
        tap(failure->causeBox(0));
        type(failure->notesField(), QStringLiteral("Shredded fin"));
        // Looked at the status page again, then OK from there.
        tab(sheet, CLaunchDlg::LaunchStatPage);
        tap(sheet.confirmButton());
    });
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT Notes FROM Launches")),
              QStringList({"Nice flight", "Chute Failure\nShredded fin"}));
}

TEST_F(LaunchWizardTest, EveryPageTabIsReachableByTappingIt)
{
    logFlight([this](CPropertySheet &sheet) {
        auto *tabs = sheet.findChild<QTabBar *>();
        ASSERT_NE(tabs, nullptr);
        ASSERT_EQ(tabs->count(), 7);
        // On the handheld's window, where the seven tabs cannot all be shown at once.
        if (!showOnReferenceScreen(&sheet, ReferenceScreen::Compact))
            GTEST_SKIP() << "the compact reference screen is not available";
        QWidget *strip = tabs->parentWidget()->parentWidget();
        EXPECT_GT(tabs->width(), strip->width());
        for (int index : {6, 5, 4, 3, 2, 1, 0, 5}) {
            tab(sheet, index);
            EXPECT_EQ(sheet.activeIndex(), index) << index;
        }
        // Success corrected into Failure through the tabs.
        tab(sheet, CLaunchDlg::LaunchStatPage);
        press(sheet, "Success");
        tab(sheet, CLaunchDlg::LaunchStatPage);
        press(sheet, "Failure");
        EXPECT_EQ(sheet.activeIndex(), CLaunchDlg::FailurePage);
        EXPECT_EQ(m_launch->flight().success, false);
    });
}

TEST_F(LaunchWizardTest, RefusedRowIsReportedAndTheQuickRetryStoresTheSameFlight)
{
    ASSERT_TRUE(m_logbook.exec(
        {"CREATE TRIGGER RefuseLaunches BEFORE INSERT ON Launches BEGIN SELECT RAISE(ABORT, 'disk full'); END"}));
    m_launch->siteBox()->setEditText(QStringLiteral("O'Brien's Farm"));
    logFlight([this](CPropertySheet &sheet) {
        walkToOutcome(sheet, 0, 1, "Failure");
        type(page<CFailurePage>(sheet, CLaunchDlg::FailurePage)->notesField(), QStringLiteral("Fin's gone"));
        press(sheet, "DONE");
    });
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_TRUE(m_prompter.shown().at(0).text.startsWith(QStringLiteral("The flight was not saved.")));
    EXPECT_TRUE(m_prompter.shown().at(0).text.contains(QStringLiteral("disk full")))
        << m_prompter.shown().at(0).text.toStdString();
    EXPECT_TRUE(launches().isEmpty());
    EXPECT_TRUE(m_launch->savedLine()->text().isEmpty());

    // The quick retry: Log Flight, OK on the first page, Yes.
    ASSERT_TRUE(m_logbook.exec({"DROP TRIGGER RefuseLaunches"}));
    m_prompter.clear();
    m_prompter.script({PromptAnswer::Yes});
    m_now = at(16, 0, 0);
    logFlight([this](CPropertySheet &sheet) { tap(sheet.confirmButton()); });
    EXPECT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(launches(), QStringList({"1||EST C6-5|EST|5|O'Brien's Farm|0||0|0|03/13/2001|||14:06|Fin's gone|0|"}));
    EXPECT_EQ(m_launch->savedLine()->text(), QStringLiteral("Flight 1 saved: Alpha, EST C6-5"));
}

// The weather on the launch screen and on the wizard's page: the unit switches
// without touching the number; a word is reported and the last number kept;
// the arrows stop at their range, typed values beyond it are kept.
TEST_F(LaunchWizardTest, LaunchScreenFieldsUnitAndCompass)
{
    m_launch->temperatureField()->setValue(149);
    tap(m_launch->unitButton());
    EXPECT_EQ(m_launch->unitButton()->text(), QStringLiteral("C"));
    EXPECT_EQ(m_launch->temperatureField()->value(), 149);

    // On the phone the rose grows, keeping its proportions, and the rule grows with it.
    CWindRose *rose = m_launch->compass();
    if (showOnReferenceScreen(m_launch.get(), ReferenceScreen::Phone)) {
        EXPECT_GE(rose->frameRect().width(), 2 * rose->minimumSizeHint().width());
        EXPECT_NEAR(double(rose->frameRect().height()) / rose->frameRect().width(),
                    double(rose->minimumSizeHint().height()) / rose->minimumSizeHint().width(), 0.03);
    }
    m_launch->tapAt(rose->mapTo(m_launch.get(), rose->positionOf(QPoint(30, 30))));
    // (30, 41) lies below the counted area: nothing changes.
    m_launch->tapAt(rose->mapTo(m_launch.get(), rose->positionOf(QPoint(30, 41))));
    EXPECT_EQ(m_launch->directionBox()->currentText(), QStringLiteral("South"));
    m_launch->hide();

    m_launch->windSpeedField()->edit()->setText(QStringLiteral("five"));
    logFlight([this](CPropertySheet &sheet) {
        ASSERT_EQ(m_prompter.shown().size(), 1);
        EXPECT_EQ(m_prompter.shown().at(0).text, QStringLiteral("Please enter an integer."));
        EXPECT_EQ(m_launch->flight().windSpeed, 0);
        EXPECT_EQ(m_launch->flight().windDirection, QStringLiteral("South"));

        sheet.setActivePage(CLaunchDlg::WeatherPage);
        auto *weather = page<CWeatherPage>(sheet, CLaunchDlg::WeatherPage);
        EXPECT_EQ(weather->temperatureField()->value(), 149);
        tap(weather->temperatureField()->upButton());
        tap(weather->temperatureField()->upButton());
        EXPECT_EQ(weather->temperatureField()->value(), 150);
        tap(weather->windSpeedField()->downButton());
        EXPECT_EQ(weather->windSpeedField()->value(), 0);
        weather->windSpeedField()->edit()->setText(QStringLiteral("140"));
        weather->temperatureField()->edit()->setText(QStringLiteral("warm"));
        EXPECT_FALSE(sheet.setActivePage(CLaunchDlg::ChecklistPage));
        EXPECT_EQ(m_prompter.shown().size(), 2);
        weather->temperatureField()->edit()->setText(QStringLiteral("-60"));
        tap(weather->unitButton());
        EXPECT_EQ(weather->unitButton()->text(), QStringLiteral("F"));
        EXPECT_TRUE(sheet.setActivePage(CLaunchDlg::ChecklistPage));
    });
    EXPECT_EQ(m_launch->flight().windSpeed, 140);
    EXPECT_EQ(m_launch->flight().temperature, -60);
    EXPECT_FALSE(m_launch->flight().celsius);
}

// A recording chosen in "Get Data" is previewed in the flyer's unit, and the
// stored flight names its copy beside the logbook. A file that is no recording
// says why instead; a copy that cannot be made is reported and the flight,
// stored all the same, names the file where it is. Unticked, or cancelled,
// "Get Data" leaves the flight the name it had.
TEST_F(LaunchWizardTest, ChosenRecordingIsPreviewedAndStoredAsACopyBesideTheLogbook)
{
    QTemporaryDir downloads;
    const QString source = downloads.filePath(QStringLiteral("FLIGHT7.csv"));
    // Up to 400 m at 10 s, down at 8 m/s.
    QByteArray recording = "Time (s),Height [m]\n";
    for (int i = 0; i <= 600; ++i) {
        const double t = i * 0.1;
        const double height = t <= 10 ? 4 * t * (20 - t) : std::max(0.0, 400 - 8 * (t - 10));
        recording += QByteArray::number(t, 'f', 1) + ',' + QByteArray::number(height, 'f', 2) + '\n';
    }
    ASSERT_TRUE(writeTestFile(source, recording));
    const QString notes = downloads.filePath(QStringLiteral("notes.txt"));
    ASSERT_TRUE(writeTestFile(notes, "Field was wet.\n"));
    ASSERT_TRUE(m_settings.WriteSetting(QStringLiteral("Altitude Unit"), QStringLiteral("m")));

    // Alpha to a success, the altimeter box ticked or not, "Get Data" run by runner.
    const auto fly = [this](bool tick, std::function<int(CGetDataDlg &)> runner) {
        logFlight([this, tick, runner](CPropertySheet &sheet) {
            walkToOutcome(sheet, 0, 1, "Success");
            auto *success = page<CSuccessPage>(sheet, CLaunchDlg::SuccessPage);
            // The name the flight will carry is shown on the page.
            EXPECT_EQ(success->altimeterFileField()->text(), m_launch->flight().altFileName);
            if (success->altimeterBox()->isChecked() != tick)
                tap(success->altimeterBox());
            success->setDataDialogRunner(runner);
            press(sheet, "DONE");
        });
    };
    const auto choose = [this, &source, &notes](CGetDataDlg &dialog) {
        dialog.show();
        m_files.script({notes});
        tap(dialog.selectButton());
        EXPECT_TRUE(dialog.previewText()->text().contains(notes)) << qPrintable(dialog.previewText()->text());
        EXPECT_FALSE(dialog.plot()->isVisible());
        m_files.script({source});
        tap(dialog.selectButton());
        // The motor chosen on the rocket page expects 300: the preview compares.
        EXPECT_EQ(dialog.previewText()->text(),
                  QStringLiteral("Apogee: 400 m\nExpected 300 m, reached 400 m (+33 %)\n"
                                 "The recording ends in the air: it holds no landing."));
        EXPECT_TRUE(dialog.plot()->isVisible());
        tap(dialog.okButton());
        return dialog.result();
    };
    fly(true, choose);
    const QString copy = m_logbook.directory() + QStringLiteral("2001-03-13 1406 Alpha.csv");
    EXPECT_TRUE(m_prompter.shown().isEmpty());
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT AltFileName FROM Launches")), QStringList({copy}));
    EXPECT_EQ(readTestFile(copy), recording);

    // The next flight's copy would go where a link leads into no folder.
    m_now = at(15, 0, 0);
    const QString blocked = m_logbook.directory() + QStringLiteral("2001-03-13 1500 Alpha.csv");
    ASSERT_TRUE(QFile::link(downloads.filePath(QStringLiteral("no folder/x.csv")), blocked));
    fly(true, choose);
    ASSERT_EQ(m_prompter.shown().size(), 1);
    EXPECT_TRUE(m_prompter.shown().at(0).text.contains(QStringLiteral("was not copied")));
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT AltFileName FROM Launches")), QStringList({copy, source}));

    bool asked = false;
    fly(false, [&asked](CGetDataDlg &) {
        asked = true;
        return int(QDialog::Accepted);
    });
    EXPECT_FALSE(asked);
    fly(true, [](CGetDataDlg &dialog) {
        dialog.nameField()->setText(QStringLiteral("typed.flt"));
        dialog.reject();
        return dialog.result();
    });
    EXPECT_EQ(m_prompter.shown().size(), 1);
    EXPECT_EQ(m_logbook.rows(QStringLiteral("SELECT AltFileName FROM Launches")),
              QStringList({copy, source, source, source}));
}

// A cancelled choice keeps the name shown; OK takes the name as typed.
TEST(GetDataDlg, SelectTypeOkAndCancel)
{
    CScriptedFileChooser files;
    CGetDataDlg dialog(files);
    dialog.nameField()->setText(QStringLiteral("kept"));
    files.script({QString()});
    dialog.OnSelectFile();
    EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("kept"));
    dialog.nameField()->setText(QStringLiteral("no such file.flt"));
    dialog.OnOk();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.fileName(), QStringLiteral("no such file.flt"));
}
