#pragma once

#include "logbook/FlightEntry.h"
#include "ui/UiServices.h"

#include <QDialog>

class CAltitudePlot;
class CCommandBar;
class CFlightLog;
class CSettingsStore;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// One flight with every stored field, its label and its unit; the motor in
// its parts (type, maker, delay), whichever form the row holds it in. EDIT
// opens the fields for correction until OK (which stores them) or Cancel
// (which restores them); DELETE removes the flight after asking. A flight no
// longer in the logbook is said to be gone. The log and the settings (the
// unit heights are shown in) are borrowed.
class CFlightPageDlg : public QDialog
{
    Q_OBJECT

public:
    CFlightPageDlg(CFlightLog &log, qint64 rowId, const CSettingsStore &settings, CUiServices ui,
                   QWidget *parent = nullptr);
    ~CFlightPageDlg() override;

    const CFlightEntry &flight() const { return m_flight; }
    bool isEditing() const { return m_editing; }
    // True once the page stored a change or removed the flight.
    bool changedLog() const { return m_changed; }
    CCommandBar *commandBar() const { return m_commandBar; }
    QDialogButtonBox *editButtons() const { return m_editButtons; }
    // The flight's altimeter recording: its apogee (beside the expected
    // altitude) and its plot; hidden when the flight names no readable recording.
    QLabel *recordingText() const { return m_recordingText; }
    // Says the flight is no longer in the logbook; hidden while it is.
    QLabel *goneNote() const { return m_goneNote; }
    CAltitudePlot *plot() const { return m_plot; }
    // For a flight with a recording, its predicted apogee against the recorded
    // one and the rocket's Cd; hidden without a recording.
    QLabel *predictionText() const { return m_predictionText; }

public slots:
    void OnEdit();
    void OnDelete();
    // Offers the Cd with which the prediction meets the recorded apogee, to
    // keep for the rocket.
    void OnFitCd();
    // Escape while editing cancels the edit; otherwise it closes the page.
    void reject() override;

private:
    void showFlight();
    void showRecording();
    void showPrediction();
    void setEditing(bool editing);
    void onOk();
    void onCancel();
    CFlightEntry enteredFlight() const;
    // What was typed for the motor, kept in the row's own form while its parts are unchanged.
    void takeMotor(CFlightEntry &flight) const;

    CFlightLog &m_log;
    const CSettingsStore &m_settings;
    CUiServices m_ui;
    CFlightEntry m_flight;
    bool m_editing = false;
    bool m_changed = false;

    QLineEdit *m_rocket = nullptr;
    QLineEdit *m_date = nullptr;
    QLineEdit *m_drogue = nullptr;
    QLineEdit *m_main = nullptr;
    QLineEdit *m_done = nullptr;
    QComboBox *m_result = nullptr;
    QLineEdit *m_motor = nullptr;
    QLineEdit *m_mfg = nullptr;
    QLineEdit *m_delay = nullptr;
    QLineEdit *m_recovery = nullptr;
    QLineEdit *m_site = nullptr;
    QLineEdit *m_windSpeed = nullptr;
    QLineEdit *m_windDirection = nullptr;
    QLineEdit *m_temperature = nullptr;
    QComboBox *m_unit = nullptr;
    QPlainTextEdit *m_notes = nullptr;
    QLineEdit *m_altFile = nullptr;
    QLabel *m_recordingText = nullptr;
    QLabel *m_goneNote = nullptr;
    CAltitudePlot *m_plot = nullptr;
    QLabel *m_predictionText = nullptr;
    QPushButton *m_fitCd = nullptr;
    QList<QLineEdit *> m_editable;
    CCommandBar *m_commandBar = nullptr;
    QDialogButtonBox *m_editButtons = nullptr;
};

// "Delete the flight of Alpha on 12/31/2025 9:05?"
QString flightDeleteQuestion(const CFlightEntry &flight);
