#include "charts/BarChart.h"

#include <QFontMetrics>
#include <QHash>
#include <QToolTip>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace {

QFont smallFont(const QFont &font)
{
    QFont small = font;
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.85));
    return small;
}

// The title, the count axis with its labels, and the margins around them.
constexpr double kFrameLines = 4.5;

} // namespace

int countAxisStep(int largest, int maximumSteps)
{
    for (int scale = 1;; scale *= 10) {
        for (const int step : {scale, 2 * scale, 5 * scale}) {
            if (largest <= step * maximumSteps || step > std::numeric_limits<int>::max() / 20)
                return step;
        }
    }
}

CBarChart::CBarChart(QWidget *parent)
    : QChartView(parent)
{
    chart()->legend()->hide();
    chart()->setMargins(QMargins(2, 2, 2, 2));
    chart()->setBackgroundRoundness(0);
    setRenderHint(QPainter::Antialiasing);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

int CBarChart::barHeight() const
{
    return int(QFontMetrics(smallFont(font())).height() * 1.6);
}

int CBarChart::heightFor(int bars) const
{
    return int(QFontMetrics(smallFont(font())).height() * kFrameLines) + std::max(1, bars) * barHeight();
}

QSize CBarChart::sizeHint() const
{
    return {QFontMetrics(font()).averageCharWidth() * 40, heightFor(int(m_drawn.size()))};
}

QSize CBarChart::minimumSizeHint() const
{
    return {QFontMetrics(font()).averageCharWidth() * 16, heightFor(std::min(3, int(m_drawn.size())))};
}

void CBarChart::setBars(const QString &title, const QList<QPair<QString, int>> &bars, int maximumBars)
{
    m_drawn = bars.mid(0, std::max(0, maximumBars));
    // The axis keys its categories by their text: two alike would be one bar.
    QHash<QString, int> seen;
    for (auto &bar : m_drawn) {
        const int times = ++seen[bar.first];
        if (times > 1)
            bar.first += QStringLiteral(" (%1)").arg(times);
    }

    QChart *plot = chart();
    plot->removeAllSeries();
    for (QAbstractAxis *axis : plot->axes())
        plot->removeAxis(axis);
    plot->setTitle(title);
    const QFont small = smallFont(font());
    plot->setTitleFont(small);

    auto *set = new QBarSet(title);
    QStringList categories;
    int largest = 0;
    QStringList description;
    // Horizontal bars are drawn bottom up; reversed, the first bar is on top.
    for (auto it = m_drawn.crbegin(); it != m_drawn.crend(); ++it) {
        categories.append(it->first);
        *set << it->second;
        largest = std::max(largest, it->second);
    }
    for (const auto &[label, count] : std::as_const(m_drawn))
        description.append(QStringLiteral("%1: %2").arg(label).arg(count));
    auto *series = new QHorizontalBarSeries;
    series->append(set);
    plot->addSeries(series);
    setAccessibleDescription(title + QLatin1Char('\n') + description.join(QLatin1Char('\n')));
    connect(series, &QHorizontalBarSeries::hovered, this, [this, categories](bool entered, int index, QBarSet *bars) {
        if (!entered || index < 0 || index >= categories.size()) {
            QToolTip::hideText();
            return;
        }
        const QString text = QStringLiteral("%1: %2").arg(categories.at(index)).arg(int(bars->at(index)));
        setToolTip(text);
        QToolTip::showText(QCursor::pos(), text, this);
    });

    auto *labels = new QBarCategoryAxis;
    labels->append(categories);
    labels->setLabelsFont(small);
    plot->addAxis(labels, Qt::AlignLeft);
    series->attachAxis(labels);
    // Whole counts on whole ticks: the range is a whole number of steps.
    const int step = countAxisStep(largest);
    const int steps = std::max(1, (largest + step - 1) / step);
    auto *counts = new QValueAxis;
    counts->setRange(0, steps * step);
    counts->setTickType(QValueAxis::TicksFixed);
    counts->setTickCount(steps + 1);
    counts->setMinorTickCount(0);
    counts->setLabelFormat(QStringLiteral("%d"));
    counts->setLabelsFont(small);
    plot->addAxis(counts, Qt::AlignBottom);
    series->attachAxis(counts);
    updateGeometry();
}
