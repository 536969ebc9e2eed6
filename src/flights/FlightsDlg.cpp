#include "flights/FlightsDlg.h"

#include "flights/FlightListModel.h"
#include "flights/FlightListPane.h"
#include "flights/FlightPageDlg.h"
#include "flights/FlightStats.h"
#include "flights/FlightStatsDlg.h"
#include "ui/CommandBar.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/Prompter.h"

#include <QTableView>
#include <QVBoxLayout>

CFlightsDlg::CFlightsDlg(CRecordStore &store, const CSettingsStore &settings, CUiServices ui, const QString &rocketId,
                         QWidget *parent)
    : CListScreen(QStringLiteral("Flights"), QStringLiteral("flightsDialog"), parent)
    , m_log(store)
    , m_settings(settings)
    , m_ui(ui)
{
    m_pane = new CFlightListPane(m_log, m_settings, m_ui, rocketId, this);

    CCommandBar *commands = addCommandBar();
    connect(commands->addCommand(QStringLiteral("OPEN")), &QAction::triggered, this, &CFlightsDlg::onOpen);
    connect(commands->addCommand(QStringLiteral("STATS")), &QAction::triggered, this, &CFlightsDlg::onStats);

    auto *content = new QVBoxLayout;
    content->setSpacing(3);
    content->addWidget(m_pane);
    setContent(content);
    rememberWindowState(this, m_ui.windowSettings, {m_pane->list()->horizontalHeader()});
    setSizeGripEnabled(true);
    installHelp(this, QStringLiteral("flights"));

    m_pane->open();
    connect(m_pane, &CFlightListPane::flightActivated, this, &CFlightsDlg::openFlight);
    connect(m_pane, &CFlightListPane::deleteRequested, this, &CFlightsDlg::onDelete);
}

CFlightsDlg::~CFlightsDlg() = default;

CFlightListModel *CFlightsDlg::model() const
{
    return m_pane->model();
}
QTableView *CFlightsDlg::list() const
{
    return m_pane->list();
}
QLineEdit *CFlightsDlg::searchField() const
{
    return m_pane->searchField();
}
QComboBox *CFlightsDlg::rocketBox() const
{
    return m_pane->rocketBox();
}
QComboBox *CFlightsDlg::siteBox() const
{
    return m_pane->siteBox();
}
QComboBox *CFlightsDlg::resultBox() const
{
    return m_pane->resultBox();
}
CDateFilterField *CFlightsDlg::fromField() const
{
    return m_pane->fromField();
}
CDateFilterField *CFlightsDlg::toField() const
{
    return m_pane->toField();
}
QLabel *CFlightsDlg::countLine() const
{
    return m_pane->countLine();
}

void CFlightsDlg::reload()
{
    m_pane->reload();
}

void CFlightsDlg::onOpen()
{
    const QModelIndex current = list()->currentIndex();
    const int row = current.isValid() ? current.row() : (model()->rowCount() > 0 ? 0 : -1);
    if (row < 0) {
        m_ui.prompter.error(this, QStringLiteral("No flight is shown."));
        return;
    }
    openFlight(row);
}

void CFlightsDlg::openFlight(int row)
{
    const qint64 rowId = flightStillLogged(*m_pane, m_log, m_ui, row, this);
    if (rowId == 0)
        return;
    bool changed = false;
    {
        CFlightPageDlg page(m_log, rowId, m_settings, m_ui, this);
        page.exec();
        changed = page.changedLog();
    }
    if (changed)
        reload();
}

void CFlightsDlg::onDelete()
{
    (void)deleteChosenFlight(*m_pane, m_log, m_ui, this);
}

void CFlightsDlg::onStats()
{
    // The record is of every flight the filters let through, not of the newest.
    m_pane->completeList();
    std::vector<CFlightEntry> shown;
    shown.reserve(std::size_t(model()->rowCount()));
    for (int row = 0; row < model()->rowCount(); ++row)
        shown.push_back(*model()->flightAt(row));
    CFlightStatsDlg stats(computeFlightStats(shown), this);
    stats.exec();
}

qint64 flightStillLogged(CFlightListPane &pane, CFlightLog &log, CUiServices ui, int row, QWidget *parent)
{
    const CFlightEntry *shown = pane.model()->flightAt(row);
    if (!shown)
        return 0;
    const qint64 rowId = shown->rowId;
    pane.list()->setCurrentIndex(pane.model()->index(row, 0));
    // Deleted by another program, or on another screen, since the list was read.
    if (log.find(rowId).rowId == 0) {
        ui.prompter.error(parent,
                          log.lastError().isEmpty()
                              ? QStringLiteral("This flight is no longer in the logbook: it was deleted elsewhere. "
                                               "The list now shows the flights the logbook holds.")
                              : QStringLiteral("The flight cannot be read: ") + log.lastError());
        pane.reload();
        return 0;
    }
    return rowId;
}

bool deleteChosenFlight(CFlightListPane &pane, CFlightLog &log, CUiServices ui, QWidget *parent)
{
    const int row = pane.list()->currentIndex().row();
    const CFlightEntry *flight = pane.model()->flightAt(row);
    if (!flight)
        return false;
    const qint64 rowId = flight->rowId;
    if (!ui.prompter.warningYesNoDefaultNo(parent, flightDeleteQuestion(*flight)))
        return false;
    const bool removed = log.remove(rowId);
    if (removed) {
        // The others are as they were: a hundred thousand flights are not read again for one.
        pane.forget(rowId);
    } else {
        ui.prompter.error(parent, QStringLiteral("The flight was not deleted: ") + log.lastError());
        pane.reload();
    }
    // The flight that took its place is chosen, so Delete can go on down the list.
    const int next = std::min(row, pane.model()->rowCount() - 1);
    if (next >= 0)
        pane.list()->setCurrentIndex(pane.model()->index(next, 0));
    return removed;
}
