#include "flights/FlightsDlg.h"

#include "flights/DateFilterField.h"
#include "flights/FlightListModel.h"
#include "flights/FlightPageDlg.h"
#include "flights/FlightStats.h"
#include "flights/FlightStatsDlg.h"
#include "platform/SettingsStore.h"
#include "ui/CommandBar.h"
#include "ui/DropDownSizing.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QScrollBar>
#include <QSet>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// A field's label, which names it to screen readers too.
QLabel *makeLabel(const QString &text, QWidget *field, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(field);
    field->setAccessibleName(text);
    return label;
}

} // namespace

CFlightsDlg::CFlightsDlg(CRecordStore &store, const CSettingsStore &settings, CUiServices ui, const QString &rocketId,
                         QWidget *parent)
    : CListScreen(QStringLiteral("Flights"), QStringLiteral("flightsDialog"), parent)
    , m_log(store)
    , m_settings(settings)
    , m_ui(ui)
    , m_startRocket(rocketId.trimmed())
{
    m_search = new QLineEdit(this);
    m_search->setClearButtonEnabled(true);
    m_rocket = new QComboBox(this);
    m_site = new QComboBox(this);
    m_result = new QComboBox(this);
    m_result->addItems({QStringLiteral("All"), QStringLiteral("Success"), QStringLiteral("Failure")});
    m_from = new CDateFilterField(QStringLiteral("From:"), this);
    m_to = new CDateFilterField(QStringLiteral("To:"), this);
    for (QComboBox *box : {m_rocket, m_site, m_result}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(4);
    }

    m_model = new CFlightListModel(this);
    m_model->setRecordings(m_log.storageDirectory(),
                           heightUnitFromSetting(m_settings.ReadSetting(QLatin1String(kSettingAltitudeUnit))));
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
    // On a desktop the window opens wide enough for every column and as tall
    // as the flights or the screen.
    m_list->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContentsOnFirstShow);
    // Newest first until the flyer clicks another header.
    m_list->horizontalHeader()->setSortIndicator(CFlightListModel::When, Qt::DescendingOrder);
    m_list->setSortingEnabled(true);
    m_list->installEventFilter(this);

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("flightCount"));
    m_count->setWordWrap(true);

    CCommandBar *commands = addCommandBar();
    connect(commands->addCommand(QStringLiteral("OPEN")), &QAction::triggered, this, &CFlightsDlg::onOpen);
    connect(commands->addCommand(QStringLiteral("STATS")), &QAction::triggered, this, &CFlightsDlg::onStats);

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
    // A whole date with its clear and calendar buttons takes half the handheld's width.
    filters->addWidget(makeLabel(QStringLiteral("From:"), m_from->edit(), this), 3, 0);
    filters->addWidget(m_from, 3, 1, 1, 3);
    filters->addWidget(makeLabel(QStringLiteral("To:"), m_to->edit(), this), 4, 0);
    filters->addWidget(m_to, 4, 1, 1, 3);
    filters->setColumnStretch(1, 1);
    filters->setColumnStretch(3, 1);

    auto *content = new QVBoxLayout;
    content->setSpacing(3);
    content->addLayout(filters);
    content->addWidget(m_list, 1);
    content->addWidget(m_count);
    setContent(content);
    rememberWindowState(this, m_ui.windowSettings, {m_list->horizontalHeader()});
    setSizeGripEnabled(true);
    installHelp(this, QStringLiteral("flights"));

    openNewestFirst();

    connect(m_search, &QLineEdit::textChanged, this, &CFlightsDlg::applyFilter);
    for (QComboBox *box : {m_rocket, m_site, m_result})
        connect(box, &QComboBox::currentIndexChanged, this, &CFlightsDlg::applyFilter);
    for (CDateFilterField *field : {m_from, m_to})
        connect(field, &CDateFilterField::changed, this, &CFlightsDlg::applyFilter);
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
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete
        && static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier) {
        onDelete();
        return true;
    }
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
    const qint64 current = currentRowId();
    m_model->setFlights(std::move(flights));
    if (sizeColumns) {
        // Texts shown whole: each column as wide as its widest value among the
        // first rows (the view looks at a bounded number of them).
        for (const int column : {CFlightListModel::Rocket, CFlightListModel::Motor, CFlightListModel::Site,
                                 CFlightListModel::Result, CFlightListModel::Notes})
            m_list->resizeColumnToContents(column);
        // A long first line of notes is read in its tooltip or on the flight's page.
        m_list->setColumnWidth(
            CFlightListModel::Notes,
            std::min(m_list->columnWidth(CFlightListModel::Notes), m_list->fontMetrics().averageCharWidth() * 40));
        m_list->setColumnWidth(CFlightListModel::Apogee,
                               m_list->fontMetrics().horizontalAdvance(QStringLiteral("00,000 ft")) + 12);
    }
    fillChoices();
    applyFilter();
    choose(current);
}

qint64 CFlightsDlg::currentRowId() const
{
    const CFlightEntry *flight = m_model->flightAt(m_list->currentIndex().row());
    return flight ? flight->rowId : 0;
}

void CFlightsDlg::choose(qint64 rowId)
{
    const int row = rowId != 0 ? m_model->rowOf(rowId) : -1;
    if (row >= 0)
        m_list->setCurrentIndex(m_model->index(row, 0));
}

void CFlightsDlg::fillChoices()
{
    // Keep what the flyer chose while the lists are refilled.
    const QVariant rocket = m_rocket->count() > 0 ? m_rocket->currentData()
        : m_startRocket.isEmpty()                 ? QVariant()
                                                  : QVariant(m_startRocket);
    const QString site = m_site->currentIndex() > 0 ? m_site->currentText().toCaseFolded() : QString();
    // Every rocket of the catalogue, so that one not flown yet shows its empty
    // list, then the flights' rockets that are not in it, by the label the
    // list shows them with.
    std::vector<std::pair<QString, QString>> rockets; // label and key
    QSet<QString> known;
    const std::vector<std::pair<QString, QString>> catalogue = m_log.rockets();
    // The flights' own rockets are still offered below.
    if (!m_log.lastError().isEmpty())
        m_ui.prompter.error(this, QStringLiteral("The rockets cannot be read: ") + m_log.lastError());
    for (const auto &[id, name] : catalogue) {
        CFlightEntry rocketOf;
        rocketOf.rocketId = id;
        rocketOf.rocketName = name;
        if (!known.contains(rocketOf.rocketKey())) {
            known.insert(rocketOf.rocketKey());
            rockets.emplace_back(rocketOf.rocketLabel(), rocketOf.rocketKey());
        }
    }
    for (const CFlightEntry &flight : m_model->flights()) {
        if (!known.contains(flight.rocketKey())) {
            known.insert(flight.rocketKey());
            rockets.emplace_back(flight.rocketLabel(), flight.rocketKey());
        }
    }
    QStringList sites = siteNames(m_model->flights()).values();
    std::sort(sites.begin(), sites.end(),
              [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });

    const QSignalBlocker rocketBlocker(m_rocket);
    const QSignalBlocker siteBlocker(m_site);
    m_rocket->clear();
    m_rocket->addItem(QStringLiteral("All"));
    std::stable_sort(rockets.begin(), rockets.end(),
                     [](const auto &a, const auto &b) { return a.first.localeAwareCompare(b.first) < 0; });
    for (const auto &[label, key] : rockets)
        m_rocket->addItem(label, key);
    m_rocket->setCurrentIndex(rocket.isValid() ? std::max(0, m_rocket->findData(rocket)) : 0);
    m_site->clear();
    m_site->addItem(QStringLiteral("All"));
    m_site->addItems(sites);
    m_site->setCurrentIndex(0);
    for (int i = 1; !site.isEmpty() && i < m_site->count(); ++i) {
        if (m_site->itemText(i).toCaseFolded() == site)
            m_site->setCurrentIndex(i);
    }
    sizeDropDown(m_rocket);
    sizeDropDown(m_site);
}

void CFlightsDlg::applyFilter()
{
    CFlightFilter filter;
    filter.search = m_search->text().trimmed();
    if (m_rocket->currentIndex() > 0)
        filter.rocketKey = m_rocket->currentData().toString();
    filter.site = m_site->currentIndex() > 0 ? m_site->currentText() : QString();
    if (m_result->currentIndex() > 0)
        filter.success = m_result->currentIndex() == 1;
    filter.from = m_from->date();
    filter.to = m_to->date();
    if (!(filter == m_model->filter())) {
        // The chosen flight stays chosen while it is listed.
        const qint64 current = currentRowId();
        m_model->setFilter(filter);
        choose(current);
    }
    showCount();
}

void CFlightsDlg::showCount()
{
    QStringList lines;
    const std::size_t total = m_partial ? m_total : m_model->flights().size();
    const QString flights = total == 1 ? QStringLiteral("flight") : QStringLiteral("flights");
    if (m_partial)
        lines.append(QStringLiteral("Reading %1 %2...").arg(total).arg(flights));
    else if (std::size_t(m_model->rowCount()) == total)
        lines.append(QStringLiteral("%1 %2").arg(total).arg(flights));
    else
        lines.append(QStringLiteral("%1 of %2 %3").arg(m_model->rowCount()).arg(total).arg(flights));
    // A date typed wrong narrows nothing; the flyer is told why.
    for (const auto &[label, field] :
         {std::pair {QStringLiteral("From"), m_from}, std::pair {QStringLiteral("To"), m_to}}) {
        if (const QString problem = field->problem(); !problem.isEmpty())
            lines.append(label + QStringLiteral(": ") + problem);
    }
    m_count->setText(lines.join(QLatin1Char('\n')));
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
    const CFlightEntry *shown = m_model->flightAt(row);
    if (!shown)
        return;
    const qint64 rowId = shown->rowId;
    m_list->setCurrentIndex(m_model->index(row, 0));
    // Deleted by another program, or on another screen, since the list was read.
    if (m_log.find(rowId).rowId == 0) {
        m_ui.prompter.error(this,
                            m_log.lastError().isEmpty()
                                ? QStringLiteral("This flight is no longer in the logbook: it was deleted elsewhere. "
                                                 "The list now shows the flights the logbook holds.")
                                : QStringLiteral("The flight cannot be read: ") + m_log.lastError());
        reload();
        return;
    }
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
    const int row = m_list->currentIndex().row();
    const CFlightEntry *flight = m_model->flightAt(row);
    if (!flight)
        return;
    const qint64 rowId = flight->rowId;
    if (!m_ui.prompter.warningYesNoDefaultNo(this, flightDeleteQuestion(*flight)))
        return;
    if (!m_log.remove(rowId))
        m_ui.prompter.error(this, QStringLiteral("The flight was not deleted: ") + m_log.lastError());
    reload();
    // The flight that took its place is chosen, so Delete can go on down the list.
    const int next = std::min(row, m_model->rowCount() - 1);
    if (next >= 0)
        m_list->setCurrentIndex(m_model->index(next, 0));
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
