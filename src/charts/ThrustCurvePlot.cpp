#include "charts/ThrustCurvePlot.h"

#include "charts/AltitudePlot.h"
#include "charts/RoundAxis.h"

#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>

CThrustCurvePlot::CThrustCurvePlot(QWidget *parent)
    : QChartView(parent)
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    m_thrust = new QLineSeries(chart);
    m_average = new QLineSeries(chart);
    m_average->setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
    m_peak = new QScatterSeries(chart);
    m_peak->setMarkerSize(8);
    m_peak->setColor(Qt::red);
    m_timeAxis = new QValueAxis(chart);
    m_timeAxis->setTitleText(QStringLiteral("Time (s)"));
    m_thrustAxis = new QValueAxis(chart);
    m_thrustAxis->setTitleText(QStringLiteral("Thrust (N)"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    chart->addAxis(m_thrustAxis, Qt::AlignLeft);
    for (QAbstractSeries *series : {static_cast<QAbstractSeries *>(m_thrust), static_cast<QAbstractSeries *>(m_average),
                                    static_cast<QAbstractSeries *>(m_peak)}) {
        chart->addSeries(series);
        series->attachAxis(m_timeAxis);
        series->attachAxis(m_thrustAxis);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(120);
    fitAxes();
    setAccessibleName(QStringLiteral("Thrust curve"));
}

void CThrustCurvePlot::setCurve(const std::vector<CThrustPoint> &points, const CMotorFigures &figures,
                                const CEngMasses &masses)
{
    clearCurve();
    if (points.empty())
        return;
    QList<QPointF> drawn;
    drawn.reserve(qsizetype(points.size()) + 1);
    // Curve files leave the ignition point implied.
    if (points.front().time > 0)
        drawn.append({0, 0});
    QPointF peak(points.front().time, points.front().thrust);
    for (const CThrustPoint &point : points) {
        drawn.append({point.time, point.thrust});
        if (point.thrust > peak.y())
            peak = {point.time, point.thrust};
    }
    m_thrust->replace(drawn);
    m_peak->append(peak);
    // The average holds over the burn, which begins where the thrust leaves zero.
    const auto lit = std::find_if(points.cbegin(), points.cend(), [](const CThrustPoint &p) { return p.thrust > 0; });
    const double start = lit == points.cbegin() || lit == points.cend() ? 0.0 : std::prev(lit)->time;
    m_average->append(start, figures.averageThrust);
    m_average->append(start + figures.burnTime, figures.averageThrust);
    m_timeEnd = std::max(drawn.last().x(), start + figures.burnTime);
    m_thrustTop = peak.y() * 1.05;
    fitAxes();

    m_figuresText = QStringLiteral("Class %1: %2 N·s, average %3 N, peak %4 N, burn %5 s")
                        .arg(figures.impulseClass)
                        .arg(figures.totalImpulse, 0, 'f', 1)
                        .arg(figures.averageThrust, 0, 'f', 1)
                        .arg(figures.peakThrust, 0, 'f', 1)
                        .arg(figures.burnTime, 0, 'f', 2);
    if (masses.propellantKg > 0 || masses.totalKg > 0)
        m_figuresText += QStringLiteral(", propellant %1 kg, total %2 kg")
                             .arg(masses.propellantKg, 0, 'f', 3)
                             .arg(masses.totalKg, 0, 'f', 3);
}

void CThrustCurvePlot::clearCurve()
{
    m_thrust->clear();
    m_average->clear();
    m_peak->clear();
    m_figuresText.clear();
}

void CThrustCurvePlot::fitAxes()
{
    setRoundRange(m_timeAxis, 0, m_timeEnd,
                  stepsThatFit(m_timeAxis, Qt::Horizontal, axisLength(chart(), Qt::Horizontal), 0, m_timeEnd));
    setRoundRange(m_thrustAxis, 0, m_thrustTop,
                  stepsThatFit(m_thrustAxis, Qt::Vertical, axisLength(chart(), Qt::Vertical), 0, m_thrustTop));
}

void CThrustCurvePlot::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    fitAxes();
}

QSize CThrustCurvePlot::sizeHint() const
{
    const QFontMetrics metrics(font());
    return {metrics.averageCharWidth() * 50, std::max(CAltitudePlot::kDesktopPlotHeight, metrics.height() * 16)};
}

int CThrustCurvePlot::drawnPoints() const
{
    return int(m_thrust->count());
}

QPointF CThrustCurvePlot::peakMark() const
{
    return m_peak->count() > 0 ? m_peak->at(0) : QPointF();
}

double CThrustCurvePlot::averageLine() const
{
    return m_average->count() > 0 ? m_average->at(0).y() : 0.0;
}
