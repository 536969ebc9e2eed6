#include "app/HomeView.h"

#include "flights/FlightListModel.h"
#include "flights/FlightListPane.h"
#include "flights/FlightPageView.h"
#include "flights/FlightStats.h"
#include "flights/FlightsDlg.h"
#include "rockets/RocketListPane.h"

#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

CHomeView::CHomeView(const CSettingsStore &settings, CUiServices ui, QWidget *parent)
    : QWidget(parent)
    , m_log(m_store)
    , m_ui(ui)
{
    setObjectName(QStringLiteral("home"));
    m_header = new QLabel(this);
    m_header->setObjectName(QStringLiteral("homeBanner"));
    m_header->setWordWrap(true);
    m_header->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_header->setFrameShape(QFrame::StyledPanel);
    m_header->setMargin(6);

    m_record = new QLabel(this);
    m_record->setObjectName(QStringLiteral("homeRecord"));
    m_record->setAccessibleName(QStringLiteral("Record"));
    m_record->setWordWrap(true);

    m_flights = new CFlightListPane(m_log, settings, ui, QString(), this);
    m_page = new CFlightPageView(m_log, settings, ui, this);
    m_flightSplit = new QSplitter(Qt::Horizontal, this);
    m_flightSplit->setObjectName(QStringLiteral("flightSplit"));
    m_flightSplit->setChildrenCollapsible(false);
    // The chosen flight's plot under the list, where it is as wide as the
    // list; the page's fields beside them.
    auto *listAndPlot = new QSplitter(Qt::Vertical, this);
    listAndPlot->setObjectName(QStringLiteral("listAndPlot"));
    listAndPlot->setChildrenCollapsible(false);
    listAndPlot->addWidget(m_flights);
    listAndPlot->addWidget(m_page->takeRecording());
    listAndPlot->setStretchFactor(0, 3);
    listAndPlot->setStretchFactor(1, 2);
    m_flightSplit->addWidget(listAndPlot);
    m_flightSplit->addWidget(m_page);
    // The list takes what the page does not need: all its columns show at 1024 px.
    m_flightSplit->setStretchFactor(0, 3);
    m_flightSplit->setStretchFactor(1, 2);

    m_rockets = new CRocketListPane(this);

    m_tabs = new QTabWidget(this);
    m_tabs->addTab(m_flightSplit, QStringLiteral("&Flights"));
    m_tabs->addTab(m_rockets, QStringLiteral("R&ockets"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(m_header);
    layout->addWidget(m_record);
    layout->addWidget(m_tabs, 1);

    connect(m_flights, &CFlightListPane::currentFlightChanged, m_page, &CFlightPageView::showFlight);
    connect(m_flights, &CFlightListPane::listCompleted, this, [this] {
        showRecord();
        emit logListed();
    });
    connect(m_flights, &CFlightListPane::deleteRequested, this, &CHomeView::onDeleteKey);
    connect(m_flights, &CFlightListPane::newestListed, this, [this] {
        // A flight chosen before stays on the page, read afresh; at first the newest is.
        if (m_flights->currentRowId() == 0 && m_flights->model()->rowCount() > 0)
            m_flights->choose(m_flights->model()->flightAt(0)->rowId);
        m_page->showFlight(m_flights->currentRowId());
        if (!m_sized) {
            // The list as wide as its columns (sized from the first rows), the page the rest.
            m_sized = true;
            const int total = std::max(m_flightSplit->width(), 1000);
            const int list = std::min(m_flights->wholeWidth(), total * 4 / 5);
            m_flightSplit->setSizes({list, total - list});
        }
    });
    // The list shows what the page stored; a deleted flight leaves the list.
    connect(m_page, &CFlightPageView::flightChanged, this, &CHomeView::refresh);
    connect(m_page, &CFlightPageView::flightDeleted, this, [this](qint64 rowId) {
        m_flights->forget(rowId);
        m_page->showFlight(m_flights->currentRowId());
        showRecord();
    });
}

CHomeView::~CHomeView()
{
    // The reading thread goes before the log it reads for.
    m_flights->loader().stop();
}

void CHomeView::open(const QString &storageDirectory)
{
    close();
    if (!m_store.Open(storageDirectory)) {
        m_record->setText(QStringLiteral("The logbook %1TarvelDB.CDB cannot be opened.").arg(storageDirectory));
        m_tabs->setEnabled(false);
        return;
    }
    m_tabs->setEnabled(true);
    refresh();
}

void CHomeView::refresh()
{
    if (!m_store.isOpen())
        return;
    m_record->setText(QStringLiteral("Reading the logbook..."));
    // The window is never held up by the log: the newest flights come a moment later.
    m_flights->openInBackground();
    m_rockets->fill(m_store);
}

void CHomeView::close()
{
    m_flights->loader().stop();
    m_page->showFlight(0);
    m_store.Close();
}

void CHomeView::setBanner(const QString &text)
{
    m_header->setText(text);
    m_header->setVisible(!text.isEmpty());
}

qint64 CHomeView::currentFlight() const
{
    return m_flights->currentRowId();
}

void CHomeView::showRecord()
{
    // Totals of the newest flights only would be wrong; the whole log follows.
    if (m_flights->isPartial()) {
        m_record->setText(QStringLiteral("Reading the logbook..."));
        return;
    }
    m_record->setText(flightStatsSummary(computeFlightTotals(m_flights->model()->flights())));
}

void CHomeView::onDeleteKey()
{
    if (deleteChosenFlight(*m_flights, m_log, m_ui, this)) {
        m_page->showFlight(m_flights->currentRowId());
        showRecord();
    }
}
