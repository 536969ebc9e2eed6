#pragma once

#include "ui/PropertyPage.h"

class CLaunchDlg;
class QPushButton;
class QTimeEdit;

// The wizard's "Launch Stat" page: shows the launch time, stamps the drogue and
// main chute times and ends the flight as a success or a failure. The time
// pickers only display; nothing reads them back.
class CLauchstatusPage : public CPropertyPage
{
    Q_OBJECT

public:
    explicit CLauchstatusPage(CLaunchDlg &launch, QWidget *parent = nullptr);

    bool onSetActive() override;

    void OnDrogue();
    void OnMain();
    void OnSuccess();
    void OnFailure();

    QTimeEdit *launchPicker() const { return m_launchAt; }
    QTimeEdit *droguePicker() const { return m_drogueAt; }
    QTimeEdit *mainPicker() const { return m_mainAt; }
    QPushButton *drogueButton() const { return m_drogue; }
    QPushButton *mainButton() const { return m_main; }
    QPushButton *successButton() const { return m_success; }
    QPushButton *failureButton() const { return m_failure; }

private:
    void endFlight(bool success);

    CLaunchDlg &m_launch;
    QTimeEdit *m_launchAt = nullptr;
    QTimeEdit *m_drogueAt = nullptr;
    QTimeEdit *m_mainAt = nullptr;
    QPushButton *m_drogue = nullptr;
    QPushButton *m_main = nullptr;
    QPushButton *m_success = nullptr;
    QPushButton *m_failure = nullptr;
};
