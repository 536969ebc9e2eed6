#include "launch/LaunchButtonPage.h"

#include "launch/LaunchDlg.h"
#include "ui/PropertySheet.h"

#include <QPushButton>
#include <QVBoxLayout>

CLaunchButtonPage::CLaunchButtonPage(CLaunchDlg &launch, QWidget *parent)
    : CPropertyPage(QStringLiteral("Launch Button"), parent)
    , m_launch(launch)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    m_launchButton = new QPushButton(QStringLiteral("LAUNCH"), this);
    m_launchButton->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    QFont big = m_launchButton->font();
    big.setPixelSize(28);
    big.setBold(true);
    m_launchButton->setFont(big);
    layout->addWidget(m_launchButton);
    connect(m_launchButton, &QPushButton::clicked, this, &CLaunchButtonPage::OnLaunch);
}

void CLaunchButtonPage::OnLaunch()
{
    m_launch.playSound(FlightSound::Launch);
    m_launch.flight().launchTime = m_launch.now();
    m_launch.markPageDone(CLaunchDlg::kLaunchDone);
    sheet()->setActivePage(CLaunchDlg::LaunchStatPage);
}
