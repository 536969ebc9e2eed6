#include "app/LaunchRocketStep.h"
#include "checklists/ChecklistPage.h"
#include "launch/FailurePage.h"
#include "launch/GetDataDlg.h"
#include "launch/LauchstatusPage.h"
#include "launch/LaunchButtonPage.h"
#include "launch/LaunchDlg.h"
#include "launch/NumberField.h"
#include "launch/SuccessPage.h"
#include "launch/WeatherPage.h"
#include "rockets/RocketPage.h"
#include "shots/ShotContext.h"
#include "ui/FormFactor.h"
#include "ui/PropertySheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>

namespace {

// The screenshots are silent.
class CSilentSounds : public CSoundPlayer
{
public:
    void play(const QString &) override { }
};

bool writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Two launch sites in the contacts and today's launch at one of them.
bool addSites(CShotContext &context)
{
    const QByteArray today = QDate::currentDate().toString(QStringLiteral("yyyyMMdd")).toLatin1();
    return writeFile(context.storageDirectory() + QStringLiteral("sites.vcf"),
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nORG:Miller Field\r\nCATEGORIES:Launch Sites\r\n"
                     "END:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nORG:Club Range\r\n"
                     "CATEGORIES:Launch Sites\r\nEND:VCARD\r\n")
        && writeFile(context.storageDirectory() + QStringLiteral("launch.ics"),
                     "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nSUMMARY:Launch\r\nDTSTART;VALUE=DATE:" + today
                         + "\r\nLOCATION:Miller Field\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n");
}

// Each screen as it opens: filling the small screens, at its content's size on the desktop.
void saveCompact(CShotContext &context, QWidget &screen, const QString &name)
{
    context.save(screen, name);
}

// A short flight in the AltOS export form: up for six seconds, down under a chute.
QByteArray sampleRecording()
{
    QByteArray text = "#version,serial,flight,call,time,clock,rssi,lqi,state,state_name,acceleration,pressure,"
                      "altitude,height\n";
    for (int i = 0; i <= 300; ++i) {
        const double t = i * 0.1;
        const double height = t < 6 ? 9.0 * t * (12 - t) : std::max(0.0, 324 - 14 * (t - 6));
        const char *state = t < 2 ? "boost" : t < 6 ? "coast" : height > 0 ? "drogue" : "landed";
        text += "1,1,1,N0CALL," + QByteArray::number(t, 'f', 2) + ",0,0,0,0," + state + ",0,0,0,"
            + QByteArray::number(height, 'f', 1) + "\n";
    }
    return text;
}

} // namespace

void shootLaunchScreens(CShotContext &context)
{
    if (!addSites(context)) {
        std::fprintf(stderr, "tarvel-shots: cannot prepare the launch screens\n");
        return;
    }
    CSilentSounds sounds;
    const CRocketStepMaker rocketStep = launchRocketStep(context.settings(), context.ui(), context.storageDirectory());
    CLaunchDlg launch({context.settings(), context.ui(), sounds, nullptr, context.storageDirectory(),
                       QStringLiteral("Launch Sites"), rocketStep});
    launch.temperatureField()->setValue(68);
    launch.windSpeedField()->setValue(5);
    launch.directionBox()->setCurrentIndex(5);
    saveCompact(context, launch, QStringLiteral("launch-screen"));

    launch.setSheetRunner([&context](CPropertySheet &sheet) {
        sheet.activateFirstPage();
        auto *rocket = dynamic_cast<CRocketPage *>(sheet.page(CLaunchDlg::RocketPage));
        rocket->stepRocket(1);
        saveCompact(context, sheet, QStringLiteral("launch-rocket"));
        // Fly It hands the rocket's checklist on and moves to the weather page.
        for (QPushButton *button : rocket->findChildren<QPushButton *>()) {
            if (button->text() == QStringLiteral("Fly It"))
                button->click();
        }
        saveCompact(context, sheet, QStringLiteral("launch-weather"));
        sheet.setActivePage(CLaunchDlg::ChecklistPage);
        auto *checklist = dynamic_cast<CChecklistPage *>(sheet.page(CLaunchDlg::ChecklistPage));
        checklist->box(0)->setChecked(true);
        saveCompact(context, sheet, QStringLiteral("launch-checklist"));
        sheet.setActivePage(CLaunchDlg::LaunchButtonPage);
        saveCompact(context, sheet, QStringLiteral("launch-button"));
        dynamic_cast<CLaunchButtonPage *>(sheet.page(CLaunchDlg::LaunchButtonPage))->OnLaunch();
        auto *status = dynamic_cast<CLauchstatusPage *>(sheet.page(CLaunchDlg::LaunchStatPage));
        status->OnDrogue();
        saveCompact(context, sheet, QStringLiteral("launch-status"));
        sheet.setActivePage(CLaunchDlg::SuccessPage);
        auto *success = dynamic_cast<CSuccessPage *>(sheet.page(CLaunchDlg::SuccessPage));
        success->notesField()->setPlainText(QStringLiteral("Straight boost, both chutes out."));
        success->altimeterBox()->setChecked(true);
        saveCompact(context, sheet, QStringLiteral("launch-success"));
        context.writeSetting(QStringLiteral("Failure Checklist"),
                             QStringLiteral("Chute Failure,Motor CATO,Fin loss,Unstable,"));
        sheet.setActivePage(CLaunchDlg::FailurePage);
        auto *failure = dynamic_cast<CFailurePage *>(sheet.page(CLaunchDlg::FailurePage));
        failure->causeBox(2)->setChecked(true);
        failure->notesField()->setPlainText(QStringLiteral("Lost a fin at burnout."));
        saveCompact(context, sheet, QStringLiteral("launch-failure"));
        // DONE stores the flight after the skipped-page question.
        context.prompter().script({PromptAnswer::Yes});
        failure->doneButton()->click();
        return sheet.result();
    });
    launch.OnLogFlight();
    saveCompact(context, launch, QStringLiteral("launch-saved"));

    CGetDataDlg data(context.files());
    data.setFileName(QStringLiteral("/home/flyer/Tarvel/flight1.flt"));
    saveCompact(context, data, QStringLiteral("launch-get-data"));

    // A chosen recording is previewed before OK.
    const QString recording = context.storageDirectory() + QStringLiteral("flight2.csv");
    if (writeFile(recording, sampleRecording())) {
        CGetDataDlg preview(context.files());
        context.files().script({recording});
        preview.selectButton()->click();
        saveCompact(context, preview, QStringLiteral("launch-get-data-preview"));
    }

    // A calendar too big to read is named under the site box.
    const QString huge = context.storageDirectory() + QStringLiteral("club-launches.ics");
    if (writeFile(huge,
                  "BEGIN:VCALENDAR\r\nX-PAD:" + QByteArray(qsizetype(9) * 1024 * 1024, 'y')
                      + "\r\nEND:VCALENDAR\r\n")) {
        CLaunchDlg noted({context.settings(), context.ui(), sounds, nullptr, context.storageDirectory(),
                          QStringLiteral("Launch Sites"), rocketStep});
        saveCompact(context, noted, QStringLiteral("launch-screen-sites-note"));
        QFile::remove(huge);
    }
}
