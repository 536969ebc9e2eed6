#include "flights/FlightStatsDlg.h"

#include "charts/BarChart.h"
#include "ui/FormFactor.h"
#include "ui/HelpBrowser.h"
#include "ui/TouchSize.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QStringList>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

using CBars = QList<QPair<QString, int>>;

QStandardItem *cell(const QString &text)
{
    auto *item = new QStandardItem(text);
    item->setEditable(false);
    return item;
}

// Counts sort as numbers when the flyer clicks their column's header.
QStandardItem *cell(int count)
{
    auto *item = new QStandardItem;
    item->setData(count, Qt::DisplayRole);
    item->setEditable(false);
    return item;
}

QString percent(double rate)
{
    return QStringLiteral("%1%").arg(qRound(rate * 100));
}

QString isoDate(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

QString motorsText(const QMap<QString, int> &motors)
{
    QStringList parts;
    for (auto it = motors.begin(); it != motors.end(); ++it)
        parts.append(QStringLiteral("%1 x%2").arg(it.key()).arg(it.value()));
    return parts.join(QStringLiteral(", "));
}

CBars mostFlown(CBars bars)
{
    std::stable_sort(bars.begin(), bars.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    return bars;
}

QString summaryText(const CFlightStats &stats)
{
    if (stats.flights == 0)
        return QStringLiteral("No flights.");
    QString text = QStringLiteral("%1, %2 (%3)")
                       .arg(countOf(stats.flights, QStringLiteral("flight"), QStringLiteral("flights")),
                            countOf(stats.successes, QStringLiteral("success"), QStringLiteral("successes")),
                            percent(stats.successRate()));
    if (stats.firstFlown.isValid())
        text += QStringLiteral("\nFirst flight %1, last flight %2")
                    .arg(isoDate(stats.firstFlown), isoDate(stats.lastFlown));
    return text;
}

} // namespace

CFlightStatsDlg::CFlightStatsDlg(const CFlightStats &stats, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Statistics"));
    setObjectName(QStringLiteral("flightStats"));
    m_tabs = new QTabWidget(this);
    m_tabs->setUsesScrollButtons(true);

    m_summary = new QLabel(summaryText(stats), this);
    m_summary->setObjectName(QStringLiteral("summary"));
    m_summary->setAccessibleName(QStringLiteral("Summary"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // The chart names the part of the table it shows: "the 8 most flown".
    const auto addTab = [this](const QString &title, const QString &chartTitle, const QString &part,
                               const QStringList &headers, const CBars &bars,
                               const QList<QList<QStandardItem *>> &rows) {
        auto *page = new QWidget;
        auto *plot = new CBarChart(page);
        plot->setObjectName(title);
        plot->setAccessibleName(title + QStringLiteral(" chart"));
        plot->setBars(chartTitle, bars, part);
        auto *model = new QStandardItemModel(0, int(headers.size()), page);
        model->setHorizontalHeaderLabels(headers);
        for (const QList<QStandardItem *> &row : rows)
            model->appendRow(row);
        auto *view = new QTableView(page);
        view->setObjectName(title);
        view->setAccessibleName(title);
        view->setModel(model);
        // Rows stay in the order given until the flyer clicks a header.
        view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        view->setSortingEnabled(true);
        view->verticalHeader()->hide();
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->resizeColumnsToContents();
        // On a desktop the window opens wide enough for every column.
        view->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContentsOnFirstShow);
        // Half each, or less for a chart of few bars: the chart draws the bars
        // that fit its half, the table scrolls.
        auto *layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        layout->addWidget(plot, 1);
        layout->addWidget(view, 1);
        m_tabs->addTab(page, title);
    };

    CBars bars;
    QList<QList<QStandardItem *>> rows;
    for (const CRocketRecord &rocket : stats.rockets) {
        bars.append({rocket.rocket, rocket.flights});
        rows.append(QList<QStandardItem *> {cell(rocket.rocket), cell(rocket.flights), cell(rocket.successes),
                                            cell(percent(rocket.successRate())), cell(isoDate(rocket.lastFlown)),
                                            cell(motorsText(rocket.motors)), cell(rocket.mostUsedSite)});
    }
    const QString mostFlownPart = QStringLiteral("the %1 most flown");
    addTab(QStringLiteral("Rockets"), QStringLiteral("Flights per rocket"), mostFlownPart,
           {QStringLiteral("Rocket"), QStringLiteral("Flights"), QStringLiteral("Successes"),
            QStringLiteral("Success Rate"), QStringLiteral("Last Flown"), QStringLiteral("Motors"),
            QStringLiteral("Most Used Site")},
           mostFlown(bars), rows);

    bars.clear();
    rows.clear();
    for (const CMotorRecord &motor : stats.motors) {
        bars.append({motor.motor, motor.flights});
        rows.append(
            QList<QStandardItem *> {cell(motor.motor), cell(motor.flights), cell(percent(motor.successRate()))});
    }
    addTab(QStringLiteral("Motors"), QStringLiteral("Flights per motor"), mostFlownPart,
           {QStringLiteral("Motor"), QStringLiteral("Flights"), QStringLiteral("Success Rate")}, bars, rows);

    const auto counts = [&](const QString &title, const QString &what, const std::vector<CFlightCount> &list,
                            bool latestFirst) {
        const QString chart = QStringLiteral("Flights per ") + what.toLower();
        CBars countBars;
        QList<QList<QStandardItem *>> countRows;
        for (const CFlightCount &count : list) {
            countBars.append({count.key, count.flights});
            countRows.append(QList<QStandardItem *> {cell(count.key), cell(count.flights)});
        }
        // Years and months are charted newest on top: the recent record is what is asked for.
        if (latestFirst)
            std::reverse(countBars.begin(), countBars.end());
        addTab(title, chart, latestFirst ? QStringLiteral("the latest %1") : mostFlownPart,
               {what, QStringLiteral("Flights")}, countBars, countRows);
    };
    counts(QStringLiteral("Sites"), QStringLiteral("Site"), stats.sites, false);
    counts(QStringLiteral("Years"), QStringLiteral("Year"), stats.years, true);
    counts(QStringLiteral("Months"), QStringLiteral("Month"), stats.months, true);

    // Five tabs do not fit across a handheld's screen: a drop-down chooses the
    // table instead, and reads the same on every screen.
    m_tabs->tabBar()->hide();
    auto *choice = new QComboBox(this);
    for (int i = 0; i < m_tabs->count(); ++i)
        choice->addItem(m_tabs->tabText(i));
    auto *choiceLabel = new QLabel(QStringLiteral("Show:"), this);
    choiceLabel->setBuddy(choice);
    connect(choice, &QComboBox::currentIndexChanged, m_tabs, &QTabWidget::setCurrentIndex);
    connect(m_tabs, &QTabWidget::currentChanged, choice, &QComboBox::setCurrentIndex);
    auto *choiceRow = new QHBoxLayout;
    choiceRow->addWidget(choiceLabel);
    choiceRow->addWidget(choice, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_summary);
    layout->addLayout(choiceRow);
    layout->addWidget(m_tabs, 1);
    QList<QHeaderView *> headers;
    for (QTableView *view : m_tabs->findChildren<QTableView *>())
        headers.append(view->horizontalHeader());
    // Kept in the settings of the flights list that opens it.
    rememberWindowState(this, nullptr, headers);
    applyTouchSizes(this);
    setSizeGripEnabled(true);
    installHelp(this, QStringLiteral("statistics"));
}

QSize CFlightStatsDlg::sizeHint() const
{
    // Chart and table share a tab half and half: a table shorter than its
    // chart would leave the chart too little room for its bars.
    int shortfall = 0;
    for (int i = 0; i < m_tabs->count(); ++i) {
        const QString tab = m_tabs->tabText(i);
        if (chart(tab) && table(tab))
            shortfall = std::max(shortfall, chart(tab)->sizeHint().height() - table(tab)->sizeHint().height());
    }
    return QDialog::sizeHint() + QSize(0, shortfall);
}

QTableView *CFlightStatsDlg::table(const QString &tab) const
{
    return m_tabs->findChild<QTableView *>(tab);
}

CBarChart *CFlightStatsDlg::chart(const QString &tab) const
{
    return m_tabs->findChild<CBarChart *>(tab);
}
