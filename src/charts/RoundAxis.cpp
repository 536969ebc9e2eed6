#include "charts/RoundAxis.h"

#include <QFontMetrics>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

QString labelFormat(int decimals)
{
    return QStringLiteral("%.%1f").arg(decimals);
}

// Room, in pixels, between two labels of a horizontal axis.
constexpr int kLabelGap = 14;
// Less than two steps tells nothing; more than ten is clutter.
constexpr int kFewestSteps = 2;
constexpr int kMostSteps = 10;

} // namespace

int stepsThatFit(const QValueAxis *axis, Qt::Orientation orientation, double pixels, double low, double high)
{
    const QFontMetrics metrics(axis->labelsFont());
    int per = 2 * metrics.height();
    if (orientation == Qt::Horizontal) {
        // The widest label of the ticks a generous count would give.
        const CAxisTicks guess = roundAxisTicks(low, high, kMostSteps);
        int widest = 0;
        for (const double value : {guess.first, guess.last()})
            widest = std::max(widest, metrics.horizontalAdvance(QString::number(value, 'f', guess.decimals)));
        per = widest + kLabelGap;
    }
    return std::clamp(int(pixels / std::max(per, 1)), kFewestSteps, kMostSteps);
}

CAxisTicks setRoundRange(QValueAxis *axis, double low, double high, int maxSteps)
{
    const CAxisTicks ticks = roundAxisTicks(low, high, maxSteps);
    axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(ticks.first, ticks.last());
    axis->setTickCount(ticks.count);
    axis->setMinorTickCount(0);
    axis->setLabelFormat(labelFormat(ticks.decimals));
    return ticks;
}

CAxisTicks setRoundTicks(QValueAxis *axis, double low, double high, int maxSteps)
{
    const CAxisTicks ticks = roundAxisTicks(low, high, maxSteps);
    axis->setRange(low, high);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(ticks.step);
    axis->setMinorTickCount(0);
    axis->setLabelFormat(labelFormat(ticks.decimals));
    return ticks;
}

double axisLength(const QChart *chart, Qt::Orientation orientation)
{
    const QRectF area = chart->plotArea();
    if (area.width() > 1 && area.height() > 1)
        return orientation == Qt::Horizontal ? area.width() : area.height();
    const QSizeF size = chart->size();
    return std::max(0.0, (orientation == Qt::Horizontal ? size.width() : size.height()) - 70);
}
