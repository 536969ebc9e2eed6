#pragma once

#include "ui/PropertyPage.h"

#include <functional>

class CGetDataDlg;
class CLaunchDlg;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The wizard's "Success" page: notes, and an altimeter data file named
// through "Get Data" when "Add Altimeter data" is ticked. DONE ends the wizard.
// The notes reach the flight whenever the page is left, DONE or not.
class CSuccessPage : public CPropertyPage
{
    Q_OBJECT

public:
    explicit CSuccessPage(CLaunchDlg &launch, QWidget *parent = nullptr);

    // Starts from the notes carried over from the last flight.
    void onInitDialog() override;
    bool onSetActive() override;
    bool onKillActive() override;
    void loadValues() override;
    void saveValues() override;
    void OnDone();

    // How "Get Data" is run; tests replace it to press its buttons. Returns its result.
    void setDataDialogRunner(std::function<int(CGetDataDlg &)> runner) { m_runDataDialog = std::move(runner); }

    QPlainTextEdit *notesField() const { return m_notesField; }
    QCheckBox *altimeterBox() const { return m_altimeter; }
    // The altimeter file name the flight will be stored with.
    QLineEdit *altimeterFileField() const { return m_altimeterFile; }
    QPushButton *doneButton() const { return m_done; }

private:
    CLaunchDlg &m_launch;
    QString m_notes;
    bool m_addAltimeter = false;
    std::function<int(CGetDataDlg &)> m_runDataDialog;

    QPlainTextEdit *m_notesField = nullptr;
    QCheckBox *m_altimeter = nullptr;
    QLineEdit *m_altimeterFile = nullptr;
    QPushButton *m_done = nullptr;
};
