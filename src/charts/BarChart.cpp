#include "charts/BarChart.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

CBarChart::CBarChart(QWidget *parent)
    : QChartView(parent)
{
    chart()->legend()->hide();
    chart()->setMargins(QMargins(2, 2, 2, 2));
    chart()->setBackgroundRoundness(0);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(120, 100);
}

void CBarChart::setBars(const QString &title, const QList<QPair<QString, int>> &bars, int maximumBars)
{
    m_drawn = bars.mid(0, std::max(0, maximumBars));
    QChart *plot = chart();
    plot->removeAllSeries();
    for (QAbstractAxis *axis : plot->axes())
        plot->removeAxis(axis);
    plot->setTitle(title);
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    plot->setTitleFont(small);

    auto *set = new QBarSet(title);
    QStringList labels;
    int largest = 0;
    // Horizontal bars are drawn bottom up; reversed, the first bar is on top.
    for (auto it = m_drawn.crbegin(); it != m_drawn.crend(); ++it) {
        // Long labels would crowd out the bars on a narrow screen.
        labels.append(it->first.size() > 14 ? it->first.left(13) + QChar(0x2026) : it->first);
        *set << it->second;
        largest = std::max(largest, it->second);
    }
    auto *series = new QHorizontalBarSeries;
    series->append(set);
    plot->addSeries(series);

    auto *categories = new QBarCategoryAxis;
    categories->append(labels);
    categories->setLabelsFont(small);
    plot->addAxis(categories, Qt::AlignLeft);
    series->attachAxis(categories);
    auto *counts = new QValueAxis;
    counts->setRange(0, std::max(1, largest));
    counts->setLabelFormat(QStringLiteral("%d"));
    counts->setTickCount(std::clamp(largest + 1, 2, 5));
    counts->setLabelsFont(small);
    plot->addAxis(counts, Qt::AlignBottom);
    series->attachAxis(counts);
}
