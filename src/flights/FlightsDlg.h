#pragma once

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

// "Flights": every flight of the log, newest first or sorted by the column
// header the flyer clicks, narrowed as the flyer types into the search field or
// picks a rocket, a site, a result or a date range; the chosen flight stays
// chosen while it is listed. OPEN (or Enter on a flight) shows the flight's
// page, Delete removes it after asking, STATS shows the record of the flights
// listed. The store and the settings (the unit heights are shown in) are
// borrowed.
class CFlightsDlg : public CListScreen
{
    Q_OBJECT

public:
    // rocketId, when given, starts the list on that rocket's flights.
    CFlightsDlg(CRecordStore &store, const CSettingsStore &settings, CUiServices ui,
                const QString &rocketId = QString(), QWidget *parent = nullptr);
    ~CFlightsDlg() override;

    CFlightListModel *model() const { return m_model; }
    QTableView *list() const { return m_list; }
    QLineEdit *searchField() const { return m_search; }
    QComboBox *rocketBox() const { return m_rocket; }
    QComboBox *siteBox() const { return m_site; }
    QComboBox *resultBox() const { return m_result; }
    CDateFilterField *fromField() const { return m_from; }
    CDateFilterField *toField() const { return m_to; }
    QLabel *countLine() const { return m_count; }

    // How many of the newest flights the screen shows before it has read the
    // rest: enough to fill a phone's list several times.
    static constexpr std::size_t kFirstRows = 200;

    // Reads the log again, keeping the filters and the chosen flight where it is still shown.
    void reload();

public slots:
    void onOpen();
    void onStats();
    // Deletes the chosen flight after asking, No being the default answer.
    void onDelete();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shows the newest flights, and the rest once they have been painted.
    void openNewestFirst();
    // Replaces the newest flights by the whole log, if that is still to come.
    void completeList();
    // Shows flights in place of those shown, keeping the filters and the chosen flight.
    void showFlights(std::vector<CFlightEntry> flights, bool sizeColumns);
    void openFlight(int row);
    void applyFilter();
    void fillChoices();
    void showCount();
    // The flight chosen in the list; 0 when none is.
    qint64 currentRowId() const;
    void choose(qint64 rowId);

    CFlightLog m_log;
    const CSettingsStore &m_settings;
    CUiServices m_ui;
    QString m_startRocket;
    CFlightListModel *m_model = nullptr;
    QLineEdit *m_search = nullptr;
    QComboBox *m_rocket = nullptr;
    QComboBox *m_site = nullptr;
    QComboBox *m_result = nullptr;
    CDateFilterField *m_from = nullptr;
    CDateFilterField *m_to = nullptr;
    QTableView *m_list = nullptr;
    QLabel *m_count = nullptr;
    // Only the newest flights are shown yet; m_total is how many the log holds.
    bool m_partial = false;
    bool m_completionQueued = false;
    std::size_t m_total = 0;
};
