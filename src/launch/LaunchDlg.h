#pragma once

#include "launch/FlightRecord.h"
#include "launch/RocketStep.h"
#include "launch/SoundPlayer.h"
#include "ui/UiServices.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class CNumberField;
class CPropertySheet;
class CRecordStore;
class CSettingsStore;
class CStoreReporter;
class CWindRose;
class QComboBox;
class QLabel;
class QPushButton;

// The field screen: launch site and weather, and "Log Flight", which runs the
// seven-page launch wizard and stores the flight as one Launches row. It owns
// the values of the flight being logged; the wizard's pages write into it.
// Between flights the values stay, so the next flight starts from them; only
// the moments and the outcome are cleared, as every flight stamps its own.
class CLaunchDlg : public QDialog
{
    Q_OBJECT

public:
    // One bit per wizard step: Fly It, weather NEXT, checklist, LAUNCH, outcome, DONE.
    static constexpr quint8 kRocketDone = 0x01;
    static constexpr quint8 kWeatherDone = 0x02;
    static constexpr quint8 kChecklistDone = 0x04;
    static constexpr quint8 kLaunchDone = 0x08;
    static constexpr quint8 kOutcomeDone = 0x10;
    static constexpr quint8 kNotesDone = 0x20;
    static constexpr quint8 kAllPagesDone = 0x3F;

    // Wizard page indexes, as the pages' buttons move the sheet.
    enum Page { RocketPage, WeatherPage, ChecklistPage, LaunchButtonPage, LaunchStatPage, SuccessPage, FailurePage };

    struct Context
    {
        CSettingsStore &settings;
        CUiServices ui;
        CSoundPlayer &sounds;
        CStoreReporter *reporter = nullptr;
        QString storageDirectory; // ends with "/"
        QString sitesCategory;
        // The wizard's first page, from the rocket catalogue.
        CRocketStepMaker rocketStep;
    };

    explicit CLaunchDlg(const Context &context, QWidget *parent = nullptr);
    ~CLaunchDlg() override;

    // The flight being logged, shared with the wizard's pages.
    CFlightRecord &flight() { return m_flight; }
    const CFlightRecord &flight() const { return m_flight; }
    QString &checklistText() { return m_checklist; }
    // The expected altitude of the motor the flyer chose on the rocket page, as typed there.
    QString expectedAltitude() const { return m_expectedAltitude; }
    quint8 pagesDone() const { return m_pagesDone; }
    void markPageDone(quint8 bit) { m_pagesDone |= bit; }
    QString storageDirectory() const { return m_context.storageDirectory; }
    CSettingsStore &settings() { return m_context.settings; }
    CUiServices ui() const { return m_context.ui; }
    const QStringList &launchSites() const { return m_sites; }

    // The altimeter file named for this flight; when the flight is stored, a
    // copy in the storage directory takes its place.
    void takeAltimeterFile(const QString &name);

    // Starts the event's sound and returns at once.
    void playSound(FlightSound sound);
    // The clock's current time to the second; tests set their own clock.
    QDateTime now() const;
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // How the wizard is run; tests replace it to drive the pages. Returns the sheet's result.
    void setSheetRunner(std::function<int(CPropertySheet &)> runner) { m_sheetRunner = std::move(runner); }

    QComboBox *siteBox() const { return m_siteBox; }
    CNumberField *temperatureField() const { return m_temperature; }
    CNumberField *windSpeedField() const { return m_windSpeed; }
    QComboBox *directionBox() const { return m_direction; }
    QPushButton *unitButton() const { return m_unit; }
    CWindRose *compass() const { return m_compass; }
    QPushButton *logFlightButton() const { return m_logFlight; }
    // "Flight 12 saved: ..." after a stored flight; empty before the first.
    QLabel *savedLine() const { return m_savedLine; }
    // Names the launch-site files that were left out or read in part; hidden when none was.
    QLabel *sitesNote() const { return m_sitesNote; }

    void OnLogFlight();
    void OnUnit();
    // A tap at a position of this screen; the compass rule decides whether it counts.
    void tapAt(const QPoint &position);

    // Shows the weather fields in the controls, or reads them back; a number
    // field that does not hold a whole number is reported and keeps its value.
    void loadValues();
    void saveValues();

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void buildControls();
    void loadLaunchSites();
    // The rocket and motor shown on the wizard's rocket page become the
    // flight's; a page that shows no rocket keeps the ones carried over.
    void takeRocket(const CRocketChoice &rocket);
    // Writes the flight; false (after telling the flyer) when it was not stored.
    [[nodiscard]] bool storeFlight(CRecordStore &store);
    // Copies the altimeter file named in this flight into the storage directory
    // and names the copy instead; the error when it could not be copied.
    QString keepAltimeterFile();
    void showSaved(CRecordStore &store);

    Context m_context;
    CFlightRecord m_flight;
    QString m_checklist;
    QString m_expectedAltitude;
    quint8 m_pagesDone = 0;
    QString m_rocketName;
    // The last flight was refused by the logbook: the next "Log Flight" is
    // its retry and keeps the moments it stamped.
    bool m_unsaved = false;
    // The altimeter file was named in this flight and is not yet copied.
    bool m_altimeterFileToCopy = false;
    QStringList m_sites;
    std::function<QDateTime()> m_clock;
    std::function<int(CPropertySheet &)> m_sheetRunner;

    QComboBox *m_siteBox = nullptr;
    CNumberField *m_temperature = nullptr;
    QPushButton *m_unit = nullptr;
    CNumberField *m_windSpeed = nullptr;
    QComboBox *m_direction = nullptr;
    CWindRose *m_compass = nullptr;
    QPushButton *m_logFlight = nullptr;
    QLabel *m_savedLine = nullptr;
    QLabel *m_sitesNote = nullptr;
};
