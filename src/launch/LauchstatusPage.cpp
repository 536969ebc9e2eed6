#include "launch/LauchstatusPage.h"

#include "launch/LaunchDlg.h"
#include "ui/PropertySheet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

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
    m_launchAt = makePicker(this, QStringLiteral("Launch at"));
    launchLabel->setBuddy(m_launchAt);

    m_drogue = new QPushButton(QStringLiteral("Drogue\nChute\nOpen"), this);
    m_drogue->setAccessibleName(QStringLiteral("Drogue Chute Open"));
    m_main = new QPushButton(QStringLiteral("Main\nChute\nOpen"), this);
    m_main->setAccessibleName(QStringLiteral("Main Chute Open"));
    // The chute buttons are pressed with the eyes on the sky: they take the room.
    for (QPushButton *button : {m_drogue, m_main})
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto *drogueLabel = new QLabel(QStringLiteral("Drogue at"), this);
    m_drogueAt = makePicker(this, QStringLiteral("Drogue at"));
    drogueLabel->setBuddy(m_drogueAt);
    auto *mainLabel = new QLabel(QStringLiteral("Main at"), this);
    m_mainAt = makePicker(this, QStringLiteral("Main at"));
    mainLabel->setBuddy(m_mainAt);

    m_success = new QPushButton(QStringLiteral("Success"), this);
    m_failure = new QPushButton(QStringLiteral("Failure"), this);
    for (QPushButton *button : {m_success, m_failure})
        button->setMinimumHeight(34);

    auto *launchRow = new QHBoxLayout;
    launchRow->addWidget(launchLabel);
    launchRow->addWidget(m_launchAt, 1);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    grid->addWidget(m_drogue, 0, 0);
    grid->addWidget(m_main, 0, 1);
    grid->setRowMinimumHeight(1, 4);
    grid->addWidget(drogueLabel, 2, 0);
    grid->addWidget(mainLabel, 2, 1);
    grid->addWidget(m_drogueAt, 3, 0);
    grid->addWidget(m_mainAt, 3, 1);
    grid->setRowMinimumHeight(4, 12);
    grid->addWidget(m_success, 5, 0);
    grid->addWidget(m_failure, 5, 1);
    grid->setRowStretch(0, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 8, 6, 6);
    layout->addLayout(launchRow);
    layout->addLayout(grid, 1);

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
