#include "charts/BarChart.h"

#include "charts/AltitudePlot.h"
#include "ui/FormFactor.h"

#include <QFontMetrics>
#include <QGraphicsLayout>
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

// Qt Charts gives each category the axis's height over one more than their
// number, and elides a label whose row is lower than its text and a padding
// each side.
constexpr int kLabelPadding = 5;

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
    chart()->layout()->setContentsMargins(0, 0, 0, 0);
    chart()->setBackgroundRoundness(0);
    setRenderHint(QPainter::Antialiasing);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

int CBarChart::barHeight() const
{
    return QFontMetrics(smallFont(font())).height() + 2 * kLabelPadding + 2;
}

int CBarChart::heightFor(int bars) const
{
    // The title and the count axis's labels, each with its padding, and the frame.
    const int frame = 2 * (QFontMetrics(smallFont(font())).height() + 2 * kLabelPadding) + 8;
    return frame + (std::max(1, bars) + 1) * barHeight();
}

int CBarChart::tallest() const
{
    const int bars = heightFor(std::min(m_maximumBars, int(m_bars.size())));
    // On a desktop a chart of few bars is as tall as the other plots, its bars no fatter.
    return formFactorOf(this) == FormFactor::Desktop ? std::max(bars, CAltitudePlot::kDesktopPlotHeight) : bars;
}

QSize CBarChart::sizeHint() const
{
    return {QFontMetrics(font()).averageCharWidth() * 40, tallest()};
}

QSize CBarChart::minimumSizeHint() const
{
    return {QFontMetrics(font()).averageCharWidth() * 16, heightFor(std::min(3, int(m_bars.size())))};
}

int CBarChart::barsThatFit() const
{
    const int room = (height() - heightFor(0)) / barHeight() + 1;
    return std::clamp(room, std::min(1, int(m_bars.size())), std::min(m_maximumBars, int(m_bars.size())));
}

void CBarChart::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    // Moved between a desktop and a small screen, the chart's height rule changes.
    if (maximumHeight() != tallest()) {
        setMaximumHeight(tallest());
        updateGeometry();
    }
    if (barsThatFit() != m_drawn.size())
        draw(barsThatFit());
    fitBarWidth();
}

void CBarChart::fitBarWidth()
{
    auto *series =
        chart()->series().isEmpty() ? nullptr : qobject_cast<QHorizontalBarSeries *>(chart()->series().first());
    if (!series || m_drawn.isEmpty())
        return;
    // Each category takes an equal share of the axis; a bar need be no thicker than a label.
    const double share = std::max(1.0, (height() - heightFor(0) + barHeight()) / double(m_drawn.size()));
    series->setBarWidth(std::clamp(barHeight() / share, 0.2, 0.5));
}

void CBarChart::setBars(const QString &title, const QList<QPair<QString, int>> &bars, const QString &part,
                        int maximumBars)
{
    m_title = title;
    m_part = part;
    m_maximumBars = std::max(1, maximumBars);
    m_bars = bars;
    // The axis keys its categories by their text: two alike would be one bar.
    QHash<QString, int> seen;
    for (auto &bar : m_bars) {
        const int times = ++seen[bar.first];
        if (times > 1)
            bar.first += QStringLiteral(" (%1)").arg(times);
    }
    // More room than the bars need would only fatten them.
    setMaximumHeight(tallest());
    updateGeometry();
    // Not laid out yet, it draws what it would at the height it asks for.
    draw(isVisible() ? barsThatFit() : std::min(m_maximumBars, int(m_bars.size())));
}

void CBarChart::draw(int count)
{
    m_drawn = m_bars.mid(0, count);
    QChart *plot = chart();
    plot->removeAllSeries();
    // A removed axis is handed back, not deleted: each redraw would leak its axes.
    for (QAbstractAxis *axis : plot->axes()) {
        plot->removeAxis(axis);
        delete axis;
    }
    const QString title = m_drawn.size() < m_bars.size()
        ? QStringLiteral("%1, %2 of %3").arg(m_title, m_part.arg(m_drawn.size())).arg(m_bars.size())
        : m_title;
    plot->setTitle(title);
    const QFont small = smallFont(font());
    plot->setTitleFont(small);

    auto *set = new QBarSet(m_title);
    QStringList categories;
    int largest = 0;
    // Horizontal bars are drawn bottom up; reversed, the first bar is on top.
    for (auto it = m_drawn.crbegin(); it != m_drawn.crend(); ++it) {
        categories.append(it->first);
        *set << it->second;
        largest = std::max(largest, it->second);
    }
    QStringList description;
    for (const auto &[label, count] : std::as_const(m_drawn))
        description.append(QStringLiteral("%1: %2").arg(label).arg(count));
    setAccessibleDescription(title + QLatin1Char('\n') + description.join(QLatin1Char('\n')));
    auto *series = new QHorizontalBarSeries;
    series->append(set);
    plot->addSeries(series);
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
    fitBarWidth();
}
