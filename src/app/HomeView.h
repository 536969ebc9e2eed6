#pragma once

#include "db/RecordStore.h"
#include "logbook/FlightLog.h"
#include "ui/UiServices.h"

#include <QWidget>

class CFlightListPane;
class CFlightPageView;
class CRocketListPane;
class CSettingsStore;
class QLabel;
class QSplitter;
class QTabWidget;

// What the main window shows on a desktop: a welcome header with the banner,
// the record of the whole log in one line, then the flights (the list with its
// filters, the chosen flight's page and plot beside it) and the rockets with
// their summaries. The home keeps a store of its own open on the logbook while
// it is shown; the screens opened over it use their own and the home reads the
// log again after them (refresh).
class CHomeView : public QWidget
{
    Q_OBJECT

public:
    CHomeView(const CSettingsStore &settings, CUiServices ui, QWidget *parent = nullptr);
    ~CHomeView() override;

    // Opens the logbook of the storage directory and lists it; a logbook that
    // cannot be opened is said so in the record line, not as a fatal error:
    // the commands report it as they open their screens.
    void open(const QString &storageDirectory);
    // Reads the log again after a screen may have changed it, keeping the chosen flight.
    void refresh();
    // Lets go of the logbook (before its folder moves).
    void close();
    bool isOpen() const { return m_store.isOpen(); }

    // The welcome header; shown with the banner text, or hidden.
    void setBanner(const QString &text);

    CFlightListPane *flightList() const { return m_flights; }
    CFlightPageView *flightPage() const { return m_page; }
    CRocketListPane *rocketList() const { return m_rockets; }
    QLabel *header() const { return m_header; }
    QLabel *record() const { return m_record; }
    QTabWidget *tabs() const { return m_tabs; }
    // The flight chosen in the list; 0 when none is.
    qint64 currentFlight() const;

signals:
    // Every flight of the log is listed (the first rows come before).
    void logListed();

private:
    void showRecord();
    void onDeleteKey();

    CRecordStore m_store;
    CFlightLog m_log;
    CUiServices m_ui;
    QLabel *m_header = nullptr;
    QLabel *m_record = nullptr;
    QTabWidget *m_tabs = nullptr;
    QSplitter *m_flightSplit = nullptr;
    CFlightListPane *m_flights = nullptr;
    CFlightPageView *m_page = nullptr;
    CRocketListPane *m_rockets = nullptr;
    bool m_sized = false;
};
