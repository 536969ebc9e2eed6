#pragma once

#include "launch/FailureChecklist.h"
#include "ui/PropertyPage.h"

#include <array>

class CLaunchDlg;
class QCheckBox;
class QPlainTextEdit;
class QPushButton;

// The wizard's "Failure" page: up to five common causes from the stored
// failure checklist and free notes; the ticked causes head the flight's notes,
// which reach the flight whenever the page is left, DONE or not.
class CFailurePage : public CPropertyPage
{
    Q_OBJECT

public:
    explicit CFailurePage(CLaunchDlg &launch, QWidget *parent = nullptr);

    // Loads the causes once per wizard.
    void onInitDialog() override;
    bool onSetActive() override;
    bool onKillActive() override;
    void loadValues() override;
    void saveValues() override;
    void OnDone();

    QCheckBox *causeBox(int index) const { return m_boxes.at(index); }
    QPlainTextEdit *notesField() const { return m_notesField; }
    QPushButton *doneButton() const { return m_done; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Shows each cause in full, or cut short with "..." where the page is too narrow.
    void showCauses();
    // The ticked causes, each on its own line, then the typed notes.
    QString flightNotes() const;

    CLaunchDlg &m_launch;
    QString m_notes;
    std::array<bool, kFailureCauses> m_ticked {};
    std::array<QCheckBox *, kFailureCauses> m_boxes {};
    QPlainTextEdit *m_notesField = nullptr;
    QPushButton *m_done = nullptr;
};
