#pragma once

#include "ui/PropertyPage.h"

class CLaunchDlg;
class QPushButton;

// The wizard's "Launch Button" page: one big LAUNCH pressed at lift-off.
class CLaunchButtonPage : public CPropertyPage
{
    Q_OBJECT

public:
    explicit CLaunchButtonPage(CLaunchDlg &launch, QWidget *parent = nullptr);

    // Sound, then the launch date and time, then on to "Launch Stat".
    void OnLaunch();
    QPushButton *launchButton() const { return m_launchButton; }

private:
    CLaunchDlg &m_launch;
    QPushButton *m_launchButton = nullptr;
};
