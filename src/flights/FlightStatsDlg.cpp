#include "flights/FlightStatsDlg.h"

#include "charts/BarChart.h"
#include "ui/FormFactor.h"
#include "ui/TouchSize.h"

#include <QHeaderView>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStringList>
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
        parts.append(QStringLiteral("%1 x%2").arg(it.key().isEmpty() ? QStringLiteral("?") : it.key()).arg(it.value()));
    return parts.join(QStringLiteral(", "));
}

CBars mostFlown(CBars bars)
{
    std::stable_sort(bars.begin(), bars.end(), [](const auto &a, const auto &b) { return a.second > b.second; });
    return bars;
}

} // namespace

CFlightStatsDlg::CFlightStatsDlg(const CFlightStats &stats, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Statistics"));
    setObjectName(QStringLiteral("flightStats"));
    m_tabs = new QTabWidget(this);
    m_tabs->setUsesScrollButtons(true);

    const auto addTab = [this](const QString &title, const QStringList &headers, const CBars &bars,
                               const QList<QList<QStandardItem *>> &rows) {
        auto *splitter = new QSplitter(Qt::Vertical);
        splitter->setChildrenCollapsible(false);
        auto *plot = new CBarChart(splitter);
        plot->setObjectName(title);
        plot->setAccessibleName(title + QStringLiteral(" chart"));
        plot->setBars(QStringLiteral("Flights"), bars);
        auto *model = new QStandardItemModel(0, int(headers.size()), splitter);
        model->setHorizontalHeaderLabels(headers);
        for (const QList<QStandardItem *> &row : rows)
            model->appendRow(row);
        auto *view = new QTableView(splitter);
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
        splitter->setStretchFactor(0, 1);
        splitter->setStretchFactor(1, 1);
        m_tabs->addTab(splitter, title);
    };

    CBars bars;
    QList<QList<QStandardItem *>> rows;
    for (const CRocketRecord &rocket : stats.rockets) {
        bars.append({rocket.rocket, rocket.flights});
        rows.append(QList<QStandardItem *> {cell(rocket.rocket), cell(rocket.flights), cell(rocket.successes),
                                            cell(percent(rocket.successRate())), cell(isoDate(rocket.lastFlown)),
                                            cell(motorsText(rocket.motors)), cell(rocket.mostUsedSite)});
    }
    addTab(QStringLiteral("Rockets"),
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
    addTab(QStringLiteral("Motors"),
           {QStringLiteral("Motor"), QStringLiteral("Flights"), QStringLiteral("Success Rate")}, bars, rows);

    const auto counts = [&](const QString &title, const QString &what, const std::vector<CFlightCount> &list,
                            bool latestFirst) {
        CBars countBars;
        QList<QList<QStandardItem *>> countRows;
        for (const CFlightCount &count : list) {
            countBars.append({count.key, count.flights});
            countRows.append(QList<QStandardItem *> {cell(count.key), cell(count.flights)});
        }
        // Years and months are charted newest on top: the recent record is what is asked for.
        if (latestFirst)
            std::reverse(countBars.begin(), countBars.end());
        addTab(title, {what, QStringLiteral("Flights")}, countBars, countRows);
    };
    counts(QStringLiteral("Sites"), QStringLiteral("Site"), stats.sites, false);
    counts(QStringLiteral("Years"), QStringLiteral("Year"), stats.years, true);
    counts(QStringLiteral("Months"), QStringLiteral("Month"), stats.months, true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_tabs);
    applyFormFactor(this);
    applyTouchSizes(this);
    setSizeGripEnabled(true);
}

QTableView *CFlightStatsDlg::table(const QString &tab) const
{
    return m_tabs->findChild<QTableView *>(tab);
}

CBarChart *CFlightStatsDlg::chart(const QString &tab) const
{
    return m_tabs->findChild<CBarChart *>(tab);
}
