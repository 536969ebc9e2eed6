#include "charts/AltitudePlot.h"
// The launch screen, every launch-logging page of the wizard and "Get Data" fit
// the desktop, the handheld and the phone, with controls a finger can hit.
#include "launch/GetDataDlg.h"
#include "launch/LaunchDlg.h"
#include "launch/LaunchSites.h"
#include "launch/NumberField.h"
#include "launch/WeatherPage.h"
#include "platform/SettingsStore.h"
#include "support/LayoutAudit.h"
#include "support/ScreenDriver.h"
#include "support/TestFiles.h"
#include "support/TestLogbook.h"
#include "support/WizardDriver.h"
#include "ui/FormFactor.h"
#include "ui/PropertySheet.h"
#include "ui/ScriptedFileChooser.h"
#include "ui/ScriptedPrompter.h"
#include "ui/TouchSize.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class LaunchLayoutTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_logbook.isValid());
        ASSERT_TRUE(m_logbook.exec(
            {"INSERT INTO Rockets (ID,Name,Stages,Clustered,CheckList) VALUES (1,'Alpha','0','0','Arm,Clear,')"}));
        // Five long causes: the failure page at its fullest.
        ASSERT_TRUE(
            m_settings.WriteSetting(QStringLiteral("Failure Checklist"),
                                    QStringLiteral("Drogue tangled in the shock cord,Motor CATO on the pad,Fin loss,"
                                                   "Unstable after burnout,Ejection charge too weak,")));
        m_launch = std::make_unique<CLaunchDlg>(
            wizard::launchContext(m_settings, {m_prompter, m_files}, m_sounds, m_logbook.directory()));
    }

    // Runs the wizard with script, then leaves it without storing anything.
    void inWizard(const std::function<void(CPropertySheet &)> &script)
    {
        m_launch->setSheetRunner([&script](CPropertySheet &sheet) {
            script(sheet);
            return int(QDialog::Rejected);
        });
        m_launch->OnLogFlight();
    }

    CTestLogbook m_logbook;
    CSettingsStore m_settings {m_logbook.directory() + QStringLiteral("settings.ini")};
    CScriptedPrompter m_prompter;
    CScriptedFileChooser m_files;
    CRecordingSounds m_sounds;
    std::unique_ptr<CLaunchDlg> m_launch;
};

// Every button, input and drop-down of the window that is shown, and each tab.
QStringList smallerThanAFinger(QWidget *window)
{
    QStringList small;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        // The edit inside a drop-down or a time picker is its control's size.
        if (!widget->isVisible() || widget->parentWidget()->inherits("QComboBox")
            || widget->parentWidget()->inherits("QAbstractSpinBox"))
            continue;
        const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget)
            || qobject_cast<QComboBox *>(widget) || qobject_cast<QAbstractSpinBox *>(widget);
        const bool arrow = qobject_cast<QToolButton *>(widget) != nullptr;
        if ((control && widget->height() < kMinimumTouchSize) || (arrow && widget->width() < kMinimumTouchSize))
            small << QLatin1String(widget->metaObject()->className()) + QLatin1Char(' ') + widget->accessibleName();
        if (auto *tabs = qobject_cast<QTabBar *>(widget); tabs && tabs->tabRect(0).height() < kMinimumTouchSize)
            small << QStringLiteral("tab height %1").arg(tabs->tabRect(0).height());
    }
    return small;
}

} // namespace

TEST_F(LaunchLayoutTest, LaunchScreenAndWizardPagesFitEveryReferenceScreen)
{
    QString skipped;
    const QStringList screenFaults = auditOnReferenceScreens(m_launch.get(), &skipped);
    if (!skipped.isEmpty())
        GTEST_SKIP() << qPrintable(skipped);
    EXPECT_TRUE(screenFaults.isEmpty()) << qPrintable(screenFaults.join(QLatin1Char('\n')));

    int audited = 0;
    inWizard([&audited](CPropertySheet &sheet) {
        for (int page : {CLaunchDlg::WeatherPage, CLaunchDlg::LaunchButtonPage, CLaunchDlg::LaunchStatPage,
                         CLaunchDlg::SuccessPage, CLaunchDlg::FailurePage}) {
            ASSERT_TRUE(sheet.setActivePage(page));
            const QStringList faults = auditOnReferenceScreens(&sheet);
            EXPECT_TRUE(faults.isEmpty()) << qPrintable(sheet.page(page)->title()) << "\n"
                                          << qPrintable(faults.join(QLatin1Char('\n')));
            ++audited;
        }
    });
    EXPECT_EQ(audited, 5);
}

// A calendar too big to read is named on the launch screen, which still fits;
// without one the note takes no room.
TEST_F(LaunchLayoutTest, SiteFilesLeftOutAreNamedOnTheLaunchScreen)
{
    EXPECT_TRUE(m_launch->sitesNote()->isHidden());
    ASSERT_TRUE(
        writeTestFile(m_logbook.directory() + QStringLiteral("club-launches.ics"),
                      "BEGIN:VCALENDAR\r\nX-PAD:" + QByteArray(kMaxSiteFileBytes, 'y') + "\r\nEND:VCALENDAR\r\n"));
    CLaunchDlg launch(wizard::launchContext(m_settings, {m_prompter, m_files}, m_sounds, m_logbook.directory()));
    EXPECT_FALSE(launch.sitesNote()->isHidden());
    EXPECT_EQ(launch.sitesNote()->text(),
              "Not all launch-site files could be read:\nclub-launches.ics: skipped, larger than 8 MB");
    QString skipped;
    const QStringList faults = auditOnReferenceScreens(&launch, &skipped);
    if (!skipped.isEmpty())
        GTEST_SKIP() << qPrintable(skipped);
    EXPECT_TRUE(faults.isEmpty()) << qPrintable(faults.join(QLatin1Char('\n')));
}

TEST_F(LaunchLayoutTest, GetDataWithAPreviewOrAnErrorFitsEveryReferenceScreen)
{
    const QString recording = m_logbook.directory() + QStringLiteral("download.csv");
    QByteArray text = "Time,Altitude\n";
    for (int i = 0; i <= 200; ++i)
        text += QByteArray::number(i * 0.1) + ',' + QByteArray::number(i < 80 ? 5 * i : 400 - 2 * (i - 80)) + '\n';
    ASSERT_TRUE(writeTestFile(recording, text));
    const QString notRecording = m_logbook.directory() + QStringLiteral("notes.txt");
    ASSERT_TRUE(writeTestFile(notRecording, "Just some notes about a flight that are not a recording\n"));

    for (const QString &chosen : {recording, notRecording}) {
        CGetDataDlg dialog(m_files);
        m_files.script({chosen});
        dialog.show();
        driver::tap(dialog.selectButton());
        ASSERT_FALSE(dialog.previewText()->text().isEmpty());
        // The desktop window opened without a plot and grows to show one that reads.
        const auto *plot = dialog.findChild<CAltitudePlot *>();
        ASSERT_NE(plot, nullptr);
        if (chosen == recording && formFactorOf(&dialog) == FormFactor::Desktop) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return plot->height() >= 240; })) << plot->height();
        }
        QString skipped;
        const QStringList faults = auditOnReferenceScreens(&dialog, &skipped);
        if (!skipped.isEmpty())
            GTEST_SKIP() << qPrintable(skipped);
        EXPECT_TRUE(faults.isEmpty()) << qPrintable(chosen) << "\n" << qPrintable(faults.join(QLatin1Char('\n')));
    }
}

// On the phone every control is fingertip-sized, the spinner arrows and the
// page tabs included; on the handheld the screens keep their compact size.
TEST_F(LaunchLayoutTest, ControlsAreFingerSizedOnThePhone)
{
    if (!showOnReferenceScreen(m_launch.get(), ReferenceScreen::Phone))
        GTEST_SKIP() << "the phone reference screen is not available";
    EXPECT_EQ(smallerThanAFinger(m_launch.get()), QStringList());
    m_launch->hide();

    inWizard([this](CPropertySheet &sheet) {
        ASSERT_TRUE(sheet.setActivePage(CLaunchDlg::WeatherPage));
        auto *weather = dynamic_cast<CWeatherPage *>(sheet.activePage());
        ASSERT_NE(weather, nullptr);
        ASSERT_TRUE(showOnReferenceScreen(&sheet, ReferenceScreen::Phone));
        EXPECT_EQ(smallerThanAFinger(&sheet), QStringList());
        // Back on the handheld the fields give up the room again.
        ASSERT_TRUE(showOnReferenceScreen(&sheet, ReferenceScreen::Compact));
        EXPECT_LT(weather->temperatureField()->upButton()->height(), kMinimumTouchSize);
        sheet.hide();
    });
}
