#include "launch/LauchstatusPage.h"

#include "launch/LaunchDlg.h"
#include "ui/PropertySheet.h"

#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

namespace {

QTimeEdit *makePicker(QWidget *parent, const QString &name)
{
    auto *picker = new QTimeEdit(parent);
    picker->setDisplayFormat(QStringLiteral("H:mm:ss"));
    // The pickers only display the stamped moments: an edit would show a time
    // that is not the one stored.
    picker->setReadOnly(true);
    picker->setAccessibleName(name);
    return picker;
}

// A moment not stamped yet shows as midnight.
void showMoment(QTimeEdit *picker, const std::optional<QDateTime> &moment)
{
    picker->setTime(moment ? moment->toLocalTime().time() : QTime(0, 0));
}

} // namespace

CLauchstatusPage::CLauchstatusPage(CLaunchDlg &launch, QWidget *parent)
    : CPropertyPage(QStringLiteral("Launch Stat"), parent)
    , m_launch(launch)
{
    auto *launchLabel = new QLabel(QStringLiteral("Launch at"), this);
    launchLabel->setGeometry(8, 10, 80, 22);
    m_launchAt = makePicker(this, QStringLiteral("Launch at"));
    m_launchAt->setGeometry(96, 8, 100, 26);
    launchLabel->setBuddy(m_launchAt);

    m_drogue = new QPushButton(QStringLiteral("Drogue\nChute\nOpen"), this);
    m_drogue->setAccessibleName(QStringLiteral("Drogue Chute Open"));
    m_drogue->setGeometry(6, 44, 110, 84);
    m_main = new QPushButton(QStringLiteral("Main\nChute\nOpen"), this);
    m_main->setAccessibleName(QStringLiteral("Main Chute Open"));
    m_main->setGeometry(124, 44, 110, 84);

    auto *drogueLabel = new QLabel(QStringLiteral("Drogue at"), this);
    drogueLabel->setGeometry(8, 134, 100, 18);
    m_drogueAt = makePicker(this, QStringLiteral("Drogue at"));
    m_drogueAt->setGeometry(6, 154, 110, 26);
    drogueLabel->setBuddy(m_drogueAt);
    auto *mainLabel = new QLabel(QStringLiteral("Main at"), this);
    mainLabel->setGeometry(126, 134, 100, 18);
    m_mainAt = makePicker(this, QStringLiteral("Main at"));
    m_mainAt->setGeometry(124, 154, 110, 26);
    mainLabel->setBuddy(m_mainAt);

    m_success = new QPushButton(QStringLiteral("Success"), this);
    m_success->setGeometry(6, 198, 110, 34);
    m_failure = new QPushButton(QStringLiteral("Failure"), this);
    m_failure->setGeometry(124, 198, 110, 34);

    connect(m_drogue, &QPushButton::clicked, this, &CLauchstatusPage::OnDrogue);
    connect(m_main, &QPushButton::clicked, this, &CLauchstatusPage::OnMain);
    connect(m_success, &QPushButton::clicked, this, &CLauchstatusPage::OnSuccess);
    connect(m_failure, &QPushButton::clicked, this, &CLauchstatusPage::OnFailure);
}

bool CLauchstatusPage::onSetActive()
{
    const CFlightRecord &flight = m_launch.flight();
    showMoment(m_launchAt, flight.launchTime);
    showMoment(m_drogueAt, flight.drogueTime);
    showMoment(m_mainAt, flight.mainTime);
    return CPropertyPage::onSetActive();
}

void CLauchstatusPage::OnDrogue()
{
    m_launch.playSound(FlightSound::Drogue);
    m_launch.flight().drogueTime = m_launch.now();
    showMoment(m_drogueAt, m_launch.flight().drogueTime);
}

void CLauchstatusPage::OnMain()
{
    m_launch.playSound(FlightSound::Main);
    m_launch.flight().mainTime = m_launch.now();
    showMoment(m_mainAt, m_launch.flight().mainTime);
}

void CLauchstatusPage::OnSuccess()
{
    endFlight(true);
}

void CLauchstatusPage::OnFailure()
{
    endFlight(false);
}

void CLauchstatusPage::endFlight(bool success)
{
    m_launch.playSound(success ? FlightSound::Success : FlightSound::Failure);
    m_launch.flight().doneTime = m_launch.now();
    m_launch.flight().success = success;
    m_launch.markPageDone(CLaunchDlg::kOutcomeDone);
    sheet()->setActivePage(success ? CLaunchDlg::SuccessPage : CLaunchDlg::FailurePage);
}
