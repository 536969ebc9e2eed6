#include "charts/AltitudePlot.h"

#include "charts/RoundAxis.h"
#include "flightdata/AltimeterRecording.h"
#include "flightdata/FlightMeasures.h"
#include "flightdata/FlightPlotData.h"

#include <QGestureEvent>
#include <QPinchGesture>
#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kMetresPerFoot = 0.3048;
// The shortest stretch of time the plot zooms to.
constexpr double kMinSpan = 0.5;

// Marks that fall on one point (apogee and drogue, often) stay apart by shape
// and size: each later one smaller and drawn over the one before.
QScatterSeries *addMark(QChart *chart, const QString &name, QColor colour, QScatterSeries::MarkerShape shape,
                        double size)
{
    auto *mark = new QScatterSeries(chart);
    mark->setName(name);
    mark->setColor(colour);
    mark->setBorderColor(Qt::white);
    mark->setMarkerShape(shape);
    mark->setMarkerSize(size);
    chart->addSeries(mark);
    return mark;
}
} // namespace

CAltitudePlot::CAltitudePlot(QWidget *parent)
    : QChartView(parent)
{
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(2, 2, 2, 2));
    m_altitude = new QLineSeries(chart);
    m_altitude->setName(tr("Altitude"));
    chart->addSeries(m_altitude);
    m_expected = new QLineSeries(chart);
    m_expected->setName(tr("Expected"));
    m_expected->setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
    chart->addSeries(m_expected);
    m_apogee = addMark(chart, tr("Apogee"), Qt::red, QScatterSeries::MarkerShapeCircle, 15);
    m_drogue = addMark(chart, tr("Drogue"), QColor(230, 140, 0), QScatterSeries::MarkerShapeTriangle, 12);
    m_main = addMark(chart, tr("Main"), Qt::blue, QScatterSeries::MarkerShapeRectangle, 7);

    m_timeAxis = new QValueAxis(chart);
    m_timeAxis->setTitleText(tr("Time (s)"));
    m_heightAxis = new QValueAxis(chart);
    m_heightAxis->setTitleText(tr("Height (ft)"));
    chart->addAxis(m_timeAxis, Qt::AlignBottom);
    chart->addAxis(m_heightAxis, Qt::AlignLeft);
    for (QAbstractSeries *series : chart->series()) {
        series->attachAxis(m_timeAxis);
        series->attachAxis(m_heightAxis);
    }
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(160, 120);
    viewport()->grabGesture(Qt::PinchGesture);
    setAccessibleName(tr("Altitude plot"));
}

void CAltitudePlot::setFlight(const CAltimeterRecording &recording, const CFlightMeasures &measures, EHeightUnit unit,
                              std::optional<double> expected)
{
    const double scale = unit == EHeightUnit::Metres ? 1.0 : 1.0 / kMetresPerFoot;
    m_time.resize(recording.time.size());
    m_height.resize(recording.height.size());
    for (std::size_t i = 0; i < m_time.size(); ++i) {
        m_time[i] = recording.time[i] - measures.launchTime;
        m_height[i] = recording.height[i] * scale;
    }
    m_first = m_time.empty() ? 0.0 : m_time.front();
    m_last = m_time.empty() ? 1.0 : std::max(m_time.back(), m_first + kMinSpan);
    m_from = m_first;
    m_to = m_last;

    double top = 1;
    for (const double height : m_height)
        top = std::max(top, height);
    if (expected && *expected > 0) {
        top = std::max(top, *expected);
        m_expected->replace({QPointF(m_first, *expected), QPointF(m_last, *expected)});
    } else {
        m_expected->clear();
    }
    m_low = m_height.empty() ? 0.0 : std::min(0.0, *std::min_element(m_height.begin(), m_height.end()));
    m_top = top;
    m_heightAxis->setTitleText(unit == EHeightUnit::Metres ? tr("Height (m)") : tr("Height (ft)"));

    m_apogee->clear();
    if (measures.apogee && measures.timeToApogee)
        m_apogee->append(*measures.timeToApogee, *measures.apogee * scale);
    setMark(m_drogue, measures.drogue);
    setMark(m_main, measures.main);
    redraw();
    showLegendForDrawn();
}

// The legend names what the plot shows of this flight, nothing it lacks.
void CAltitudePlot::showLegendForDrawn()
{
    for (QXYSeries *series :
         {static_cast<QXYSeries *>(m_altitude), static_cast<QXYSeries *>(m_expected),
          static_cast<QXYSeries *>(m_apogee), static_cast<QXYSeries *>(m_drogue), static_cast<QXYSeries *>(m_main)}) {
        for (QLegendMarker *marker : chart()->legend()->markers(series))
            marker->setVisible(series->count() > 0);
    }
}

QSize CAltitudePlot::sizeHint() const
{
    // Wide enough for a dozen time labels, tall enough for the height's title.
    const QFontMetrics metrics(font());
    return {metrics.averageCharWidth() * 60, std::max(kDesktopPlotHeight, metrics.height() * 16)};
}

void CAltitudePlot::clearFlight()
{
    m_time.clear();
    m_height.clear();
    for (QXYSeries *series :
         {static_cast<QXYSeries *>(m_altitude), static_cast<QXYSeries *>(m_expected),
          static_cast<QXYSeries *>(m_apogee), static_cast<QXYSeries *>(m_drogue), static_cast<QXYSeries *>(m_main)})
        series->clear();
    showLegendForDrawn();
}

// An event sits on the curve at the sample nearest its time.
void CAltitudePlot::setMark(QScatterSeries *mark, std::optional<double> time)
{
    mark->clear();
    if (!time || m_time.empty())
        return;
    const auto at = std::lower_bound(m_time.begin(), m_time.end(), *time);
    const std::size_t index = std::min(std::size_t(at - m_time.begin()), m_time.size() - 1);
    mark->append(*time, m_height[index]);
}

void CAltitudePlot::zoomAbout(double factor, double x)
{
    if (m_time.empty() || factor <= 0)
        return;
    const QRectF area = chart()->plotArea();
    const double share = area.width() > 0 ? std::clamp((x - area.left()) / area.width(), 0.0, 1.0) : 0.5;
    const double centre = m_from + share * (m_to - m_from);
    const double span = std::clamp((m_to - m_from) / factor, kMinSpan, m_last - m_first);
    m_from = std::clamp(centre - share * span, m_first, m_last - span);
    m_to = m_from + span;
    redraw();
}

int CAltitudePlot::drawnPoints() const
{
    return int(m_altitude->count());
}

bool CAltitudePlot::savePng(const QString &path)
{
    return grab().save(path, "PNG");
}

void CAltitudePlot::wheelEvent(QWheelEvent *event)
{
    const double notches = event->angleDelta().y() / 120.0;
    if (notches != 0)
        zoomAbout(std::pow(1.25, notches), event->position().x());
    event->accept();
}

bool CAltitudePlot::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Gesture) {
        auto *gestures = static_cast<QGestureEvent *>(event);
        if (auto *pinch = static_cast<QPinchGesture *>(gestures->gesture(Qt::PinchGesture))) {
            zoomAbout(pinch->scaleFactor(), mapFromGlobal(pinch->centerPoint().toPoint()).x());
            return true;
        }
    }
    return QChartView::viewportEvent(event);
}

void CAltitudePlot::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    redraw();
}

void CAltitudePlot::redraw()
{
    setRoundTicks(m_timeAxis, m_from, m_to,
                  stepsThatFit(m_timeAxis, Qt::Horizontal, axisLength(chart(), Qt::Horizontal), m_from, m_to));
    const double top = m_top * 1.05;
    setRoundRange(m_heightAxis, m_low, top,
                  stepsThatFit(m_heightAxis, Qt::Vertical, axisLength(chart(), Qt::Vertical), m_low, top));
    const int columns = std::max(1, int(chart()->plotArea().width() > 0 ? chart()->plotArea().width() : width()));
    const std::vector<QPointF> points = decimateForWidth(m_time, m_height, m_from, m_to, columns);
    m_altitude->replace(QList<QPointF>(points.begin(), points.end()));
}
