#pragma once

#include "flights/FlightLogLoader.h"
#include "ui/UiServices.h"

#include <QWidget>

class CDateFilterField;
class CFlightListModel;
class CFlightLog;
class CSettingsStore;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

// The flights of a log with their filters: every flight, newest first or
// sorted by the column header the flyer clicks, narrowed as the flyer types
// into the search field or picks a rocket, a site, a result or a date range;
// the chosen flight stays chosen while it is listed. The newest flights are
// shown at once and the rest is read on a thread of its own, so the filters
// take input all the while. The Flights screen and the desktop home both show
// it. The log and the settings (the unit heights are shown in) are borrowed.
class CFlightListPane : public QWidget
{
    Q_OBJECT

public:
    // rocketId, when given, starts the list on that rocket's flights.
    CFlightListPane(CFlightLog &log, const CSettingsStore &settings, CUiServices ui,
                    const QString &rocketId = QString(), QWidget *parent = nullptr);
    ~CFlightListPane() override;

    CFlightListModel *model() const { return m_model; }
    QTableView *list() const { return m_list; }
    QLineEdit *searchField() const { return m_search; }
    QComboBox *rocketBox() const { return m_rocket; }
    QComboBox *siteBox() const { return m_site; }
    QComboBox *resultBox() const { return m_result; }
    CDateFilterField *fromField() const { return m_from; }
    CDateFilterField *toField() const { return m_to; }
    QLabel *countLine() const { return m_count; }
    CFlightLogLoader &loader() { return m_loader; }

    // How many of the newest flights are shown before the rest is read:
    // enough to fill a phone's list several times.
    static constexpr std::size_t kFirstRows = 200;

    // Shows the newest flights and starts reading the rest.
    void open();
    // The same with the newest flights read on the reading thread too, so the
    // caller is never held up by the log: the list fills a moment later.
    void openInBackground();
    // Reads the log again, whole, keeping the filters and the chosen flight
    // where it is still shown.
    void reload();
    // Takes a flight deleted from the log off the list. A read under way
    // started before the deletion, so the list is read again instead.
    void forget(qint64 rowId);
    // Waits for the rest of the log, if it is still being read.
    void completeList();
    // True while only the newest flights are shown.
    bool isPartial() const { return m_partial; }

    // How wide the list must be to show every column whole.
    int wholeWidth() const;

    // The flight chosen in the list; 0 when none is.
    qint64 currentRowId() const;
    void choose(qint64 rowId);

signals:
    // Enter or a double click on a flight.
    void flightActivated(int row);
    // Another flight was chosen (0: none).
    void currentFlightChanged(qint64 rowId);
    // The Delete key on the list.
    void deleteRequested();
    // The whole log is listed (after open's rest came, or a reload).
    void listCompleted();
    // The newest flights are listed (after open, at once).
    void newestListed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startRestRead();
    void takeWholeLog(CFlightLogRead read);
    void takeNewest(CFlightLogRead read);
    // Shows flights in place of those shown, keeping the filters and the chosen flight.
    void showFlights(std::vector<CFlightEntry> flights, bool newestFirst, bool sizeColumns);
    void applyFilter();
    void fillChoices(const CFlightChoices &choices);
    void showCount();
    void readFailed(const QString &error);
    // The catalogue's rockets for the rocket filter, a failed read told.
    std::vector<std::pair<QString, QString>> catalogueRockets();
    void rocketsReadFailed(const QString &error);

    CFlightLog &m_log;
    CUiServices m_ui;
    QString m_startRocket;
    CFlightLogLoader m_loader;
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
    bool m_restQueued = false;
    std::size_t m_total = 0;
    qint64 m_lastCurrent = 0;
    qint64 m_keep = 0;
    // The last open read even the newest flights on the reading thread.
    bool m_background = false;
    bool m_newestIn = true;
};
