#pragma once

#include "flights/FlightPageView.h"

#include <QDialog>

// "Flight": one flight's page (CFlightPageView) as a window of its own.
// DELETE closes it once the flight is gone; Escape while editing cancels the
// edit, otherwise it closes the page. The log and the settings are borrowed.
class CFlightPageDlg : public QDialog
{
    Q_OBJECT

public:
    CFlightPageDlg(CFlightLog &log, qint64 rowId, const CSettingsStore &settings, CUiServices ui,
                   QWidget *parent = nullptr);
    ~CFlightPageDlg() override;

    CFlightPageView *view() const { return m_view; }
    const CFlightEntry &flight() const { return m_view->flight(); }
    bool isEditing() const { return m_view->isEditing(); }
    bool changedLog() const { return m_view->changedLog(); }
    CCommandBar *commandBar() const { return m_view->commandBar(); }
    QDialogButtonBox *editButtons() const { return m_view->editButtons(); }
    QLabel *recordingText() const { return m_view->recordingText(); }
    QLabel *goneNote() const { return m_view->goneNote(); }
    CAltitudePlot *plot() const { return m_view->plot(); }
    QLabel *predictionText() const { return m_view->predictionText(); }

public slots:
    void OnEdit() { m_view->OnEdit(); }
    void OnDelete() { m_view->OnDelete(); }
    void reject() override;

private:
    CFlightPageView *m_view = nullptr;
};
