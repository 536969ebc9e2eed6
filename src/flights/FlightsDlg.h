#pragma once

#include "flights/FlightListPane.h"
#include "logbook/FlightLog.h"
#include "ui/ListScreen.h"
#include "ui/UiServices.h"

class CDateFilterField;
class CFlightListModel;
class CRecordStore;
class CSettingsStore;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

// "Flights": the flights of the log with their filters (CFlightListPane).
// OPEN (or Enter on a flight) shows the flight's page, Delete removes it after
// asking, STATS shows the record of the flights listed. The store and the
// settings (the unit heights are shown in) are borrowed.
class CFlightsDlg : public CListScreen
{
    Q_OBJECT

public:
    // rocketId, when given, starts the list on that rocket's flights.
    CFlightsDlg(CRecordStore &store, const CSettingsStore &settings, CUiServices ui,
                const QString &rocketId = QString(), QWidget *parent = nullptr);
    ~CFlightsDlg() override;

    CFlightListPane *pane() const { return m_pane; }
    CFlightListModel *model() const;
    QTableView *list() const;
    QLineEdit *searchField() const;
    QComboBox *rocketBox() const;
    QComboBox *siteBox() const;
    QComboBox *resultBox() const;
    CDateFilterField *fromField() const;
    CDateFilterField *toField() const;
    QLabel *countLine() const;

    static constexpr std::size_t kFirstRows = CFlightListPane::kFirstRows;

    // Reads the log again, keeping the filters and the chosen flight where it is still shown.
    void reload();

public slots:
    void onOpen();
    void onStats();
    // Deletes the chosen flight after asking, No being the default answer.
    void onDelete();

private:
    void openFlight(int row);

    CFlightLog m_log;
    const CSettingsStore &m_settings;
    CUiServices m_ui;
    CFlightListPane *m_pane = nullptr;
};

// Asks before deleting the chosen flight of the pane, deletes it and lists the
// log again with the flight that took its place chosen; false when nothing
// was deleted.
bool deleteChosenFlight(CFlightListPane &pane, CFlightLog &log, CUiServices ui, QWidget *parent);
// The flight of a row of the pane, still in the log; 0 (after telling the
// flyer, and listing the log again) when it was deleted elsewhere.
qint64 flightStillLogged(CFlightListPane &pane, CFlightLog &log, CUiServices ui, int row, QWidget *parent);
