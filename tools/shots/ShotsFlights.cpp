#include "db/RecordStore.h"
#include "flights/FlightListModel.h"
#include "flights/FlightPageDlg.h"
#include "flights/FlightStats.h"
#include "flights/FlightStatsDlg.h"
#include "flights/FlightsDlg.h"
#include "logbook/FlightLog.h"
#include "shots/ShotContext.h"

#include <QTabWidget>
#include <QTableView>

#include <cstdio>

void shootFlightScreens(CShotContext &context)
{
    CRecordStore store;
    if (!store.Open(context.storageDirectory())) {
        std::fprintf(stderr, "tarvel-shots: cannot open the sample logbook\n");
        return;
    }
    const QSize screen(240, 320);
    {
        CFlightsDlg flights(store, context.settings(), context.ui());
        flights.resize(screen);
        context.save(flights, QStringLiteral("flights"));
    }
    CFlightLog log(store);
    std::vector<CFlightEntry> all = log.load();
    sortNewestFirst(all);
    if (!all.empty()) {
        CFlightPageDlg page(log, all.back().rowId, context.settings(), context.ui());
        page.resize(screen);
        context.save(page, QStringLiteral("flight-page"));
        page.OnEdit();
        context.save(page, QStringLiteral("flight-page-edit"));
    }
    CFlightStatsDlg stats(computeFlightStats(all));
    stats.resize(screen);
    context.save(stats, QStringLiteral("flight-stats"));
    stats.tabs()->setCurrentIndex(3);
    context.save(stats, QStringLiteral("flight-stats-years"));
}
