// Plots read at first sight: titles with units, ticks at round numbers, every
// text whole at the size a desktop window gives a plot, a legend for what is drawn.
#include "charts/AltitudePlot.h"
#include "charts/ThrustCurvePlot.h"
#include "flightdata/AltimeterRecording.h"
#include "flightdata/FlightMeasures.h"
#include "support/LayoutAudit.h"

#include <QApplication>
#include <QGraphicsTextItem>
#include <QTest>
#include <QtCharts/QChart>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The texts the chart has drawn, read back from its scene.
QStringList drawnTexts(const QChartView &plot)
{
    QStringList texts;
    for (const QGraphicsItem *item : plot.scene()->items()) {
        if (const auto *text = dynamic_cast<const QGraphicsTextItem *>(item); text && text->isVisible())
            texts.append(text->toPlainText());
    }
    return texts;
}

// The numbers among the drawn texts that lie along one axis, in order.
std::vector<double> tickLabels(const QChartView &plot, Qt::Orientation orientation)
{
    std::vector<std::pair<double, double>> placed; // position along the axis, value
    const QRectF area = plot.chart()->plotArea();
    for (const QGraphicsItem *item : plot.scene()->items()) {
        const auto *text = dynamic_cast<const QGraphicsTextItem *>(item);
        bool number = false;
        const double value = text ? text->toPlainText().toDouble(&number) : 0;
        if (!number || !text->isVisible())
            continue;
        const QPointF centre = text->mapToScene(text->boundingRect().center());
        const bool below = centre.y() > area.bottom();
        const bool left = centre.x() < area.left();
        if (orientation == Qt::Horizontal && below)
            placed.emplace_back(centre.x(), value);
        else if (orientation == Qt::Vertical && left)
            placed.emplace_back(-centre.y(), value);
    }
    std::sort(placed.begin(), placed.end());
    std::vector<double> values;
    for (const auto &entry : placed)
        values.push_back(entry.second);
    return values;
}

// Whether the labels step evenly by 1, 2, 2.5 or 5 times a power of ten.
bool roundSteps(const std::vector<double> &labels)
{
    if (labels.size() < 2)
        return false;
    const double step = labels[1] - labels[0];
    const double scale = std::pow(10.0, std::floor(std::log10(step)));
    const double mantissa = step / scale;
    bool round = false;
    for (const double allowed : {1.0, 2.0, 2.5, 5.0})
        round = round || std::abs(mantissa - allowed) < 1e-9;
    for (std::size_t i = 1; i < labels.size(); ++i)
        round = round && std::abs(labels[i] - labels[i - 1] - step) < 1e-9 * scale
            && std::abs(std::remainder(labels[i], step)) < 1e-9 * scale;
    return round;
}

// Up 300 m in 6 s, down at 10 m/s.
CAltimeterRecording parabolicFlight()
{
    CAltimeterRecording recording;
    for (int i = 0; i <= 360; ++i) {
        const double t = i * 0.1;
        recording.time.push_back(t);
        recording.height.push_back(t < 6 ? 300 - 300 * (6 - t) * (6 - t) / 36 : std::max(0.0, 300 - 10 * (t - 6)));
    }
    return recording;
}

bool showAtItsSize(QChartView &plot)
{
    plot.resize(plot.sizeHint());
    plot.show();
    return QTest::qWaitForWindowExposed(&plot) && QTest::qWaitFor([&] { return !plot.chart()->plotArea().isEmpty(); });
}

} // namespace

TEST(PlotLabels, AltitudePlotReadsInRoundFeetWithUnitsAndALegendOfWhatIsDrawn)
{
    CAltitudePlot plot;
    EXPECT_GE(plot.sizeHint().height(), 240);
    CFlightMeasures measures;
    measures.apogee = 300;
    measures.timeToApogee = 6;
    measures.drogue = 6; // fired at apogee: the marks fall on one point
    plot.setFlight(parabolicFlight(), measures, EHeightUnit::Feet);
    ASSERT_TRUE(showAtItsSize(plot));

    const QStringList texts = drawnTexts(plot);
    EXPECT_TRUE(texts.contains(QStringLiteral("Height (ft)"))) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Time (s)"))) << texts.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(auditDesktopFit(&plot), QStringList());

    // 300 m is 984.3 ft: the height labels start at or below 0 and reach it.
    const std::vector<double> heights = tickLabels(plot, Qt::Vertical);
    ASSERT_GE(heights.size(), 3u);
    EXPECT_TRUE(roundSteps(heights));
    EXPECT_LE(heights.front(), 0);
    EXPECT_GE(heights.back(), 300 / 0.3048);
    const std::vector<double> times = tickLabels(plot, Qt::Horizontal);
    ASSERT_GE(times.size(), 3u);
    EXPECT_TRUE(roundSteps(times));
    EXPECT_LE(times.back(), 36.0); // the whole flight, no tick past its end

    // Apogee and drogue coincide; each mark keeps a shape of its own. No main,
    // no expected height: neither is in the legend.
    QStringList legend;
    for (QLegendMarker *marker : plot.chart()->legend()->markers()) {
        if (marker->isVisible())
            legend.append(marker->label());
    }
    EXPECT_EQ(legend, (QStringList {QStringLiteral("Altitude"), QStringLiteral("Apogee"), QStringLiteral("Drogue")}));
    const auto shapeOf = [&](const QString &name) {
        for (QAbstractSeries *series : plot.chart()->series()) {
            if (series->name() == name)
                return int(static_cast<QScatterSeries *>(series)->markerShape());
        }
        return -1;
    };
    EXPECT_NE(shapeOf(QStringLiteral("Apogee")), shapeOf(QStringLiteral("Drogue")));
    EXPECT_NE(shapeOf(QStringLiteral("Drogue")), shapeOf(QStringLiteral("Main")));
}

TEST(PlotLabels, ThrustCurveReadsInRoundNewtonsAndSecondsAtItsSizeAndWhenShort)
{
    // The 3.6 N peak and 1 s burn of a small A motor.
    const std::vector<CThrustPoint> points {{0.05, 3.6}, {0.15, 2.7}, {0.6, 2.1}, {0.9, 0.9}, {1.0, 0}};
    CMotorFigures figures;
    figures.averageThrust = 2.0;
    figures.peakThrust = 3.6;
    figures.burnTime = 1.0;
    figures.totalImpulse = 2.0;
    figures.impulseClass = QStringLiteral("A");
    CThrustCurvePlot plot;
    plot.setCurve(points, figures, {});
    ASSERT_TRUE(showAtItsSize(plot));
    EXPECT_GE(plot.height(), 240);

    for (const QSize size : {plot.size(), QSize(900, 160)}) {
        plot.resize(size);
        ASSERT_TRUE(QTest::qWaitFor([&] { return plot.chart()->size().toSize() == size; }));
        QApplication::processEvents();
        const QStringList texts = drawnTexts(plot);
        EXPECT_TRUE(texts.contains(QStringLiteral("Thrust (N)"))) << size.height();
        EXPECT_TRUE(texts.contains(QStringLiteral("Time (s)"))) << size.height();
        EXPECT_EQ(auditDesktopFit(&plot), QStringList()) << size.height();
        const std::vector<double> thrust = tickLabels(plot, Qt::Vertical);
        EXPECT_TRUE(roundSteps(thrust)) << size.height();
        EXPECT_GE(thrust.back(), 3.6);
        EXPECT_LT(thrust.back(), 3.6 * 2);
        const std::vector<double> time = tickLabels(plot, Qt::Horizontal);
        EXPECT_TRUE(roundSteps(time)) << size.height();
        EXPECT_EQ(time.front(), 0.0);
        EXPECT_EQ(time.back(), 1.0);
    }
}
