// The altitude plot of a long recording: drawn from a few points per pixel
// column without losing a peak, zoomed by the wheel, saved as a picture.
#include "charts/AltitudePlot.h"

#include "flightdata/AltimeterRecording.h"
#include "flightdata/FlightMeasures.h"
#include "flightdata/FlightPlotData.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

CAltimeterRecording longRecording(std::size_t samples)
{
    CAltimeterRecording recording;
    recording.format = QStringLiteral("CSV");
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = double(i) * 0.001;
        recording.time.push_back(t);
        recording.height.push_back(100 * std::sin(t / 10));
    }
    return recording;
}

TEST(PlotDecimation, KeepsEverySpikeWithAFewPointsPerColumn)
{
    CAltimeterRecording recording = longRecording(1'000'000);
    recording.height[123'456] = 5000; // one sample, far above the rest
    recording.height[654'321] = -5000;
    const std::vector<QPointF> points =
        decimateForWidth(recording.time, recording.height, 0, recording.time.back(), 800);
    EXPECT_LE(points.size(), 4u * 800 + 2);
    double highest = 0;
    double lowest = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        highest = std::max(highest, points[i].y());
        lowest = std::min(lowest, points[i].y());
        if (i > 0) {
            EXPECT_GT(points[i].x(), points[i - 1].x());
        }
    }
    EXPECT_EQ(highest, 5000);
    EXPECT_EQ(lowest, -5000);

    // A view narrower than the samples gets them all, and one beyond each edge.
    const std::vector<QPointF> close = decimateForWidth(recording.time, recording.height, 10.0, 10.05, 800);
    ASSERT_FALSE(close.empty());
    EXPECT_LT(close.front().x(), 10.0);
    EXPECT_GT(close.back().x(), 10.05);
    const auto inside =
        std::count_if(recording.time.begin(), recording.time.end(), [](double t) { return t >= 10.0 && t <= 10.05; });
    EXPECT_EQ(close.size(), std::size_t(inside + 2));
}

TEST(AltitudePlot, WheelZoomsAboutThePointerAndSavesAPicture)
{
    CAltitudePlot plot;
    plot.resize(640, 400);
    plot.show();
    const CAltimeterRecording recording = longRecording(200'000);
    CFlightMeasures measures;
    measures.apogee = 100;
    measures.timeToApogee = 15.7;
    plot.setFlight(recording, measures, EHeightUnit::Metres, 120.0);
    // The chart lays its plot area out once the view is shown.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !plot.chart()->plotArea().isEmpty(); }));
    EXPECT_LE(plot.drawnPoints(), 4 * plot.width() + 2);
    const double whole = plot.visibleTo() - plot.visibleFrom();
    EXPECT_NEAR(whole, recording.time.back(), 1e-9);

    const QRectF area = plot.chart()->plotArea();
    const QPointF pointer(area.left() + area.width() / 4, area.center().y());
    QWheelEvent in(pointer, plot.viewport()->mapToGlobal(pointer.toPoint()), QPoint(), QPoint(0, 240), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot.viewport(), &in);
    const double span = plot.visibleTo() - plot.visibleFrom();
    EXPECT_NEAR(span, whole / 1.5625, 1e-6);
    // The time under the pointer stays under it.
    EXPECT_NEAR(plot.visibleFrom() + span / 4, whole / 4, 1e-6);

    QWheelEvent out(pointer, plot.viewport()->mapToGlobal(pointer.toPoint()), QPoint(), QPoint(0, -2400), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot.viewport(), &out);
    EXPECT_NEAR(plot.visibleFrom(), 0.0, 1e-9);
    EXPECT_NEAR(plot.visibleTo(), recording.time.back(), 1e-9);

    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("flight.png"));
    ASSERT_TRUE(plot.savePng(png));
    EXPECT_EQ(QImage(png).size(), plot.size() * plot.devicePixelRatio());
}

} // namespace
