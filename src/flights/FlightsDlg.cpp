#include "flights/FlightsDlg.h"

#include "flights/FlightListModel.h"
#include "flights/FlightPageDlg.h"
#include "flights/FlightStats.h"
#include "flights/FlightStatsDlg.h"
#include "platform/SettingsStore.h"
#include "ui/CommandBar.h"
#include "ui/DropDownSizing.h"
#include "ui/FormFactor.h"
#include "ui/Prompter.h"
#include "ui/TouchSize.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The first day a date field offers; showing it means "no bound".
const QDate kOpenEnd(1900, 1, 1);

QDateEdit *makeDateField(QWidget *parent)
{
    auto *field = new QDateEdit(parent);
    field->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    field->setMinimumDate(kOpenEnd);
    field->setSpecialValueText(QStringLiteral("Any"));
    field->setCalendarPopup(true);
    field->setDate(kOpenEnd);
    return field;
}

QLabel *makeLabel(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CFlightsDlg::CFlightsDlg(CRecordStore &store, CUiServices ui, const QString &rocketId, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_log(store)
    , m_ui(ui)
    , m_startRocket(rocketId.trimmed())
{
    setWindowTitle(QStringLiteral("Flights"));
    setObjectName(QStringLiteral("flightsDialog"));

    m_search = new QLineEdit(this);
    m_search->setClearButtonEnabled(true);
    m_rocket = new QComboBox(this);
    m_site = new QComboBox(this);
    m_result = new QComboBox(this);
    m_result->addItems({QStringLiteral("All"), QStringLiteral("Success"), QStringLiteral("Failure")});
    m_from = makeDateField(this);
    m_to = makeDateField(this);
    for (QComboBox *box : {m_rocket, m_site, m_result}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(4);
    }

    m_model = new CFlightListModel(this);
    m_model->setRecordings(m_log.storageDirectory(),
                           heightUnitFromSetting(CSettingsStore().ReadSetting(QLatin1String(kSettingAltitudeUnit))));
    m_list = new QTableView(this);
    m_list->setModel(m_model);
    m_list->setAccessibleName(QStringLiteral("Flights"));
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setAlternatingRowColors(true);
    m_list->verticalHeader()->hide();
    // Every row is one line: fixed heights keep a hundred thousand rows quick.
    m_list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_list->verticalHeader()->setDefaultSectionSize(m_list->fontMetrics().height() + 4);
    m_list->horizontalHeader()->setStretchLastSection(true);
    // Sized from the widest date and time rather than from a hundred thousand rows.
    m_list->setColumnWidth(CFlightListModel::When,
                           m_list->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00 00:00:00")) + 12);
    m_list->setWordWrap(false);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("flightCount"));

    m_commandBar = new CCommandBar(this);
    connect(m_commandBar->addCommand(QStringLiteral("OPEN")), &QAction::triggered, this, &CFlightsDlg::onOpen);
    connect(m_commandBar->addCommand(QStringLiteral("STATS")), &QAction::triggered, this, &CFlightsDlg::onStats);

    auto *filters = new QGridLayout;
    filters->setHorizontalSpacing(3);
    filters->setVerticalSpacing(2);
    filters->addWidget(makeLabel(QStringLiteral("Search:"), m_search, this), 0, 0);
    filters->addWidget(m_search, 0, 1, 1, 3);
    filters->addWidget(makeLabel(QStringLiteral("Rocket:"), m_rocket, this), 1, 0);
    filters->addWidget(m_rocket, 1, 1, 1, 3);
    filters->addWidget(makeLabel(QStringLiteral("Site:"), m_site, this), 2, 0);
    filters->addWidget(m_site, 2, 1);
    filters->addWidget(makeLabel(QStringLiteral("Result:"), m_result, this), 2, 2);
    filters->addWidget(m_result, 2, 3);
    filters->addWidget(makeLabel(QStringLiteral("From:"), m_from, this), 3, 0);
    filters->addWidget(m_from, 3, 1);
    filters->addWidget(makeLabel(QStringLiteral("To:"), m_to, this), 3, 2);
    filters->addWidget(m_to, 3, 3);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 1);

    auto *content = new QVBoxLayout;
    content->setContentsMargins(4, 4, 4, 2);
    content->setSpacing(3);
    content->addLayout(filters);
    content->addWidget(m_list, 1);
    content->addWidget(m_count);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(content, 1);
    layout->addWidget(m_commandBar);
    applyFormFactor(this);
    applyTouchSizes(this);
    setSizeGripEnabled(true);

    openNewestFirst();

    connect(m_search, &QLineEdit::textChanged, this, &CFlightsDlg::applyFilter);
    for (QComboBox *box : {m_rocket, m_site, m_result})
        connect(box, &QComboBox::currentIndexChanged, this, &CFlightsDlg::applyFilter);
    for (QDateEdit *field : {m_from, m_to})
        connect(field, &QDateEdit::dateChanged, this, &CFlightsDlg::applyFilter);
    connect(m_list, &QTableView::activated, this, [this](const QModelIndex &index) { openFlight(index.row()); });
}

CFlightsDlg::~CFlightsDlg() = default;

void CFlightsDlg::openNewestFirst()
{
    // Opened on one rocket, the newest flights of the log may hold none of
    // its own: the list is read whole at once.
    if (!m_startRocket.isEmpty()) {
        reload();
        return;
    }
    std::vector<CFlightEntry> newest = m_log.loadNewest(kFirstRows, &m_total);
    if (!m_log.lastError().isEmpty())
        m_ui.prompter.error(this, QStringLiteral("The flights cannot be read: ") + m_log.lastError());
    m_partial = m_total > newest.size();
    showFlights(std::move(newest), true);
    // The rest is read once the first rows are on screen: a timer set now
    // would run before the window is first painted.
    if (m_partial)
        m_list->viewport()->installEventFilter(this);
}

bool CFlightsDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list->viewport() && event->type() == QEvent::Paint && m_partial && !m_completionQueued) {
        m_completionQueued = true;
        QTimer::singleShot(0, this, &CFlightsDlg::completeList);
    }
    return QDialog::eventFilter(watched, event);
}

void CFlightsDlg::completeList()
{
    if (!m_partial)
        return;
    m_partial = false;
    m_list->viewport()->removeEventFilter(this);
    std::vector<CFlightEntry> flights = m_log.load();
    if (!m_log.lastError().isEmpty())
        m_ui.prompter.error(this, QStringLiteral("The flights cannot be read: ") + m_log.lastError());
    // The first rows are the same, so the columns keep their widths and the
    // list stays where the flyer scrolled it.
    const int scrolled = m_list->verticalScrollBar()->value();
    showFlights(std::move(flights), false);
    m_list->verticalScrollBar()->setValue(scrolled);
}

void CFlightsDlg::reload()
{
    m_partial = false;
    m_list->viewport()->removeEventFilter(this);
    std::vector<CFlightEntry> flights = m_log.load();
    if (!m_log.lastError().isEmpty())
        m_ui.prompter.error(this, QStringLiteral("The flights cannot be read: ") + m_log.lastError());
    showFlights(std::move(flights), true);
}

void CFlightsDlg::showFlights(std::vector<CFlightEntry> flights, bool sizeColumns)
{
    const CFlightEntry *current = m_model->flightAt(m_list->currentIndex().row());
    const qint64 currentId = current ? current->rowId : 0;
    m_model->setFlights(std::move(flights));
    if (sizeColumns) {
        // Texts shown whole: each column as wide as its widest value among the
        // first rows (the view looks at a bounded number of them).
        for (const int column :
             {CFlightListModel::Rocket, CFlightListModel::Motor, CFlightListModel::Site, CFlightListModel::Result})
            m_list->resizeColumnToContents(column);
        m_list->setColumnWidth(CFlightListModel::Apogee,
                               m_list->fontMetrics().horizontalAdvance(QStringLiteral("00,000 ft")) + 12);
    }
    fillChoices();
    applyFilter();
    const int row = m_model->rowOf(currentId);
    if (row >= 0)
        m_list->setCurrentIndex(m_model->index(row, 0));
}

void CFlightsDlg::fillChoices()
{
    // Keep what the flyer chose while the lists are refilled.
    const QString rocket = m_rocket->count() > 0 ? m_rocket->currentData().toString() : m_startRocket;
    const QString site = m_site->currentIndex() > 0 ? m_site->currentText() : QString();
    // Every rocket of the catalogue, so that one not flown yet shows its empty
    // list, then the numbers of flights whose rocket is gone.
    std::vector<std::pair<QString, QString>> rockets; // label and number
    QSet<QString> known;
    for (const auto &[id, name] : m_log.rockets()) {
        rockets.emplace_back(name.isEmpty() ? QStringLiteral("Rocket %1").arg(id) : name, id);
        known.insert(id);
    }
    QMap<QString, QString> sites; // folded -> as first seen
    for (const CFlightEntry &flight : m_model->flights()) {
        if (!known.contains(flight.rocketId.trimmed())) {
            known.insert(flight.rocketId.trimmed());
            rockets.emplace_back(flight.rocketLabel(), flight.rocketId.trimmed());
        }
        if (!flight.site.trimmed().isEmpty())
            sites.insert(flight.site.trimmed().toCaseFolded(), flight.site.trimmed());
    }
    const QSignalBlocker rocketBlocker(m_rocket);
    const QSignalBlocker siteBlocker(m_site);
    m_rocket->clear();
    m_rocket->addItem(QStringLiteral("All"), QString());
    std::stable_sort(rockets.begin(), rockets.end(),
                     [](const auto &a, const auto &b) { return a.first.localeAwareCompare(b.first) < 0; });
    for (const auto &[label, id] : rockets)
        m_rocket->addItem(label, id);
    m_rocket->setCurrentIndex(std::max(0, m_rocket->findData(rocket)));
    m_site->clear();
    m_site->addItem(QStringLiteral("All"));
    m_site->addItems(sites.values());
    m_site->setCurrentIndex(std::max(0, m_site->findText(site)));
    sizeDropDown(m_rocket);
    sizeDropDown(m_site);
}

void CFlightsDlg::applyFilter()
{
    CFlightFilter filter;
    filter.search = m_search->text().trimmed();
    filter.rocketId = m_rocket->currentData().toString();
    // Flights stored without a rocket number are chosen by a blank number.
    if (m_rocket->currentIndex() > 0 && filter.rocketId.isEmpty())
        filter.rocketId = QStringLiteral(" ");
    filter.site = m_site->currentIndex() > 0 ? m_site->currentText() : QString();
    if (m_result->currentIndex() > 0)
        filter.success = m_result->currentIndex() == 1;
    filter.from = m_from->date() > kOpenEnd ? m_from->date() : QDate();
    filter.to = m_to->date() > kOpenEnd ? m_to->date() : QDate();
    m_model->setFilter(filter);
    if (m_partial) {
        m_count->setText(QStringLiteral("Reading %1 flight(s)...").arg(m_total));
        return;
    }
    const int shown = m_model->rowCount();
    m_count->setText(shown == int(m_model->flights().size())
                         ? QStringLiteral("%1 flight(s)").arg(shown)
                         : QStringLiteral("%1 of %2 flight(s)").arg(shown).arg(m_model->flights().size()));
}

void CFlightsDlg::onOpen()
{
    const int row =
        m_list->currentIndex().isValid() ? m_list->currentIndex().row() : (m_model->rowCount() > 0 ? 0 : -1);
    if (row < 0) {
        m_ui.prompter.error(this, QStringLiteral("No flight is shown."));
        return;
    }
    openFlight(row);
}

void CFlightsDlg::openFlight(int row)
{
    const CFlightEntry *flight = m_model->flightAt(row);
    if (!flight)
        return;
    m_list->setCurrentIndex(m_model->index(row, 0));
    bool changed = false;
    {
        CFlightPageDlg page(m_log, flight->rowId, m_ui, this);
        page.exec();
        changed = page.changedLog();
    }
    if (changed)
        reload();
}

void CFlightsDlg::onStats()
{
    // The record is of every flight the filters let through, not of the newest.
    completeList();
    std::vector<CFlightEntry> shown;
    shown.reserve(std::size_t(m_model->rowCount()));
    for (int row = 0; row < m_model->rowCount(); ++row)
        shown.push_back(*m_model->flightAt(row));
    CFlightStatsDlg stats(computeFlightStats(shown), this);
    stats.exec();
}
