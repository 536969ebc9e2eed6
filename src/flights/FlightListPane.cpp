#include "flights/FlightListPane.h"

#include "db/RecordStore.h"
#include "flights/DateFilterField.h"
#include "flights/FlightListModel.h"
#include "logbook/FlightLog.h"
#include "platform/SettingsStore.h"
#include "ui/DropDownSizing.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
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

CFlightListPane::CFlightListPane(CFlightLog &log, const CSettingsStore &settings, CUiServices ui,
                                 const QString &rocketId, QWidget *parent)
    : QWidget(parent)
    , m_log(log)
    , m_ui(ui)
    , m_startRocket(rocketId.trimmed())
{
    setObjectName(QStringLiteral("flightList"));
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
                           heightUnitFromSetting(settings.ReadSetting(QLatin1String(kSettingAltitudeUnit))));
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

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addLayout(filters);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_count);

    connect(m_search, &QLineEdit::textChanged, this, &CFlightListPane::applyFilter);
    for (QComboBox *box : {m_rocket, m_site, m_result})
        connect(box, &QComboBox::currentIndexChanged, this, &CFlightListPane::applyFilter);
    for (CDateFilterField *field : {m_from, m_to})
        connect(field, &CDateFilterField::changed, this, &CFlightListPane::applyFilter);
    connect(m_list, &QTableView::activated, this,
            [this](const QModelIndex &index) { emit flightActivated(index.row()); });
    // One signal for a tap, a key, a sort or a filter that changes the chosen flight.
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        const qint64 current = currentRowId();
        if (current != m_lastCurrent) {
            m_lastCurrent = current;
            emit currentFlightChanged(current);
        }
    });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        if (currentRowId() == 0 && m_lastCurrent != 0) {
            m_lastCurrent = 0;
            emit currentFlightChanged(0);
        }
    });
}

CFlightListPane::~CFlightListPane() = default;

void CFlightListPane::open()
{
    // Opened on one rocket, the newest flights of the log may hold none of
    // its own: the list is read whole at once.
    if (!m_startRocket.isEmpty()) {
        reload();
        return;
    }
    m_loader.stop();
    m_background = false;
    // The chosen flight may be older than the newest: chosen again once the rest is in.
    m_keep = currentRowId() != 0 ? currentRowId() : m_keep;
    std::vector<CFlightEntry> newest = m_log.loadNewest(kFirstRows, &m_total);
    if (!m_log.lastError().isEmpty())
        readFailed(m_log.lastError());
    m_partial = m_total > newest.size();
    CFlightChoices choices = flightChoices(catalogueRockets(), newest);
    showFlights(std::move(newest), true, true);
    fillChoices(choices);
    applyFilter();
    emit newestListed();
    if (!m_partial) {
        emit listCompleted();
        return;
    }
    // The rest is read once the first rows are on screen, so that the reading
    // thread does not hold up their first paint; shown already, it starts now.
    if (m_list->viewport()->isVisible())
        startRestRead();
    else
        m_list->viewport()->installEventFilter(this);
}

void CFlightListPane::openInBackground()
{
    if (!m_startRocket.isEmpty()) {
        reload();
        return;
    }
    m_loader.stop();
    m_background = true;
    m_newestIn = false;
    m_list->viewport()->removeEventFilter(this);
    m_keep = currentRowId() != 0 ? currentRowId() : m_keep;
    m_partial = true;
    m_restQueued = false;
    showCount();
    m_loader.start(
        m_log.logbookPath(), [this](CFlightLogRead read) { takeWholeLog(std::move(read)); },
        [this](CFlightLogRead read) { takeNewest(std::move(read)); }, kFirstRows);
}

void CFlightListPane::takeNewest(CFlightLogRead read)
{
    m_newestIn = true;
    m_total = read.total;
    showFlights(std::move(read.flights), true, true);
    fillChoices(read.choices);
    if (!read.rocketsError.isEmpty())
        rocketsReadFailed(read.rocketsError);
    if (currentRowId() == 0 && m_keep != 0)
        choose(m_keep);
    applyFilter();
    emit newestListed();
}

bool CFlightListPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete
        && static_cast<QKeyEvent *>(event)->modifiers() == Qt::NoModifier) {
        emit deleteRequested();
        return true;
    }
    if (watched == m_list->viewport() && event->type() == QEvent::Paint && m_partial && !m_restQueued) {
        m_restQueued = true;
        QTimer::singleShot(0, this, &CFlightListPane::startRestRead);
    }
    return QWidget::eventFilter(watched, event);
}

void CFlightListPane::startRestRead()
{
    m_list->viewport()->removeEventFilter(this);
    if (!m_partial || m_loader.isReading())
        return;
    m_loader.start(m_log.logbookPath(), [this](CFlightLogRead read) { takeWholeLog(std::move(read)); });
}

void CFlightListPane::completeList()
{
    if (!m_partial)
        return;
    if (!m_loader.isReading())
        startRestRead();
    m_loader.finishNow();
}

void CFlightListPane::takeWholeLog(CFlightLogRead read)
{
    m_partial = false;
    m_restQueued = false;
    if (!read.error.isEmpty()) {
        // The newest flights stay listed; the count says they are not all.
        readFailed(read.error);
        showCount();
        return;
    }
    // The first rows are the same, so the columns keep their widths and the
    // list stays where the flyer scrolled it.
    const int scrolled = m_list->verticalScrollBar()->value();
    showFlights(std::move(read.flights), true, !m_newestIn);
    fillChoices(read.choices);
    if (!read.rocketsError.isEmpty())
        rocketsReadFailed(read.rocketsError);
    applyFilter();
    if (currentRowId() == 0 && m_keep != 0)
        choose(m_keep);
    m_keep = 0;
    m_list->verticalScrollBar()->setValue(scrolled);
    // Waited for whole (completeList), the newest never came on their own.
    if (!m_newestIn) {
        m_newestIn = true;
        emit newestListed();
    }
    emit listCompleted();
}

void CFlightListPane::forget(qint64 rowId)
{
    if (m_partial || m_loader.isReading()) {
        if (m_background)
            openInBackground();
        else
            open();
        return;
    }
    if (m_model->removeFlight(rowId))
        showCount();
}

void CFlightListPane::reload()
{
    m_loader.stop();
    m_keep = 0;
    m_partial = false;
    m_restQueued = false;
    m_list->viewport()->removeEventFilter(this);
    std::vector<CFlightEntry> flights = m_log.load();
    if (!m_log.lastError().isEmpty())
        readFailed(m_log.lastError());
    CFlightChoices choices = flightChoices(catalogueRockets(), flights);
    showFlights(std::move(flights), false, true);
    fillChoices(choices);
    applyFilter();
    emit listCompleted();
}

void CFlightListPane::readFailed(const QString &error)
{
    m_ui.prompter.error(this, QStringLiteral("The flights cannot be read: ") + error);
}

std::vector<std::pair<QString, QString>> CFlightListPane::catalogueRockets()
{
    std::vector<std::pair<QString, QString>> rockets = m_log.rockets();
    // The flights' own rockets are still offered.
    if (!m_log.lastError().isEmpty())
        rocketsReadFailed(m_log.lastError());
    return rockets;
}

void CFlightListPane::rocketsReadFailed(const QString &error)
{
    m_ui.prompter.error(this, QStringLiteral("The rockets cannot be read: ") + error);
}

void CFlightListPane::showFlights(std::vector<CFlightEntry> flights, bool newestFirst, bool sizeColumns)
{
    const qint64 current = currentRowId();
    m_model->setFlights(std::move(flights),
                        newestFirst ? CFlightListModel::Order::NewestFirst : CFlightListModel::Order::Any);
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
    choose(current);
}

int CFlightListPane::wholeWidth() const
{
    // The last column stretches; whole at the width it was given.
    int width = m_list->fontMetrics().horizontalAdvance(QStringLiteral("00,000 ft")) + 12;
    for (int column = 0; column < CFlightListModel::Apogee; ++column)
        width += m_list->columnWidth(column);
    return width + m_list->verticalScrollBar()->sizeHint().width() + 2 * m_list->frameWidth();
}

qint64 CFlightListPane::currentRowId() const
{
    const CFlightEntry *flight = m_model->flightAt(m_list->currentIndex().row());
    return flight ? flight->rowId : 0;
}

void CFlightListPane::choose(qint64 rowId)
{
    const int row = rowId != 0 ? m_model->rowOf(rowId) : -1;
    if (row >= 0)
        m_list->setCurrentIndex(m_model->index(row, 0));
}

void CFlightListPane::fillChoices(const CFlightChoices &choices)
{
    // Keep what the flyer chose while the lists are refilled.
    const QVariant rocket = m_rocket->count() > 0 ? m_rocket->currentData()
        : m_startRocket.isEmpty()                 ? QVariant()
                                                  : QVariant(m_startRocket);
    const QString site = m_site->currentIndex() > 0 ? m_site->currentText().toCaseFolded() : QString();

    const QSignalBlocker rocketBlocker(m_rocket);
    const QSignalBlocker siteBlocker(m_site);
    m_rocket->clear();
    m_rocket->addItem(QStringLiteral("All"));
    for (const auto &[label, key] : choices.rockets)
        m_rocket->addItem(label, key);
    m_rocket->setCurrentIndex(rocket.isValid() ? std::max(0, m_rocket->findData(rocket)) : 0);
    m_site->clear();
    m_site->addItem(QStringLiteral("All"));
    m_site->addItems(choices.sites);
    m_site->setCurrentIndex(0);
    for (int i = 1; !site.isEmpty() && i < m_site->count(); ++i) {
        if (m_site->itemText(i).toCaseFolded() == site)
            m_site->setCurrentIndex(i);
    }
    sizeDropDown(m_rocket);
    sizeDropDown(m_site);
}

void CFlightListPane::applyFilter()
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

void CFlightListPane::showCount()
{
    QStringList lines;
    const std::size_t total = m_partial ? m_total : m_model->flights().size();
    const QString flights = total == 1 ? QStringLiteral("flight") : QStringLiteral("flights");
    if (m_partial && m_model->flights().empty())
        lines.append(QStringLiteral("Reading the logbook..."));
    else if (m_partial)
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
