#pragma once

#include "logbook/FlightEntry.h"
#include "ui/UiServices.h"

#include <QWidget>

class CAltitudePlot;
class CCommandBar;
class CFlightLog;
class CSettingsStore;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// One flight with every stored field, its label and its unit; the motor in
// its parts (type, maker, delay), whichever form the row holds it in; the
// flight's recording with its plot. EDIT opens the fields for correction until
// OK (which stores them) or Cancel (which restores them); DELETE removes the
// flight after asking. A flight no longer in the logbook is said to be gone.
// The flight page shows it as a window of its own, the desktop home beside its
// list. The log and the settings (the unit heights are shown in) are borrowed.
class CFlightPageView : public QWidget
{
    Q_OBJECT

public:
    CFlightPageView(CFlightLog &log, const CSettingsStore &settings, CUiServices ui, QWidget *parent = nullptr);
    ~CFlightPageView() override;

    // Shows the flight of rowId, read afresh from the log; 0 shows no flight.
    // An edit under way is dropped.
    void showFlight(qint64 rowId);
    const CFlightEntry &flight() const { return m_flight; }
    bool isEditing() const { return m_editing; }
    // True once the view stored a change or removed a flight.
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
    // The recording's text and plot, taken out of the fields' column for the
    // caller to lay out where there is room; the page still fills and hides it.
    QWidget *takeRecording();

public slots:
    void OnEdit();
    void OnDelete();
    // Puts back what the flight holds and ends the edit.
    void cancelEdit();
    // Offers the Cd with which the prediction meets the recorded apogee, to
    // keep for the rocket.
    void OnFitCd();

signals:
    // A change was stored.
    void flightChanged(qint64 rowId);
    // The flight was deleted.
    void flightDeleted(qint64 rowId);

private:
    void showFields();
    void showRecording();
    void showPrediction();
    void setEditing(bool editing);
    void onOk();
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
    QFormLayout *m_form = nullptr;
    QWidget *m_recording = nullptr;
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
