#pragma once

#include "flightdata/AltitudeComparison.h"

#include <QtCharts/QChartView>

#include <optional>
#include <vector>

struct CAltimeterRecording;
struct CFlightMeasures;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

// Altitude over time of one recorded flight, in the flyer's unit, with apogee,
// drogue and main marked and the expected altitude drawn as a line. The wheel
// or a pinch zooms the time axis about the pointer; only as many points as the
// plot has pixel columns are drawn, whatever the recording's length.
class CAltitudePlot : public QChartView
{
    Q_OBJECT

public:
    explicit CAltitudePlot(QWidget *parent = nullptr);

    // expected: the altitude the flyer expected, in unit; none to draw no line.
    void setFlight(const CAltimeterRecording &recording, const CFlightMeasures &measures, EHeightUnit unit,
                   std::optional<double> expected = std::nullopt);
    void clearFlight();

    // Zooms the time axis by factor (above 1 zooms in) about the time at x
    // pixels from the plot's left edge; never beyond the whole flight.
    void zoomAbout(double factor, double x);
    double visibleFrom() const { return m_from; }
    double visibleTo() const { return m_to; }
    int drawnPoints() const;

    [[nodiscard]] bool savePng(const QString &path);

    QSize sizeHint() const override;
    // The height a plot asks for on a desktop, where every label has room.
    static constexpr int kDesktopPlotHeight = 260;

protected:
    void wheelEvent(QWheelEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void redraw();
    void setMark(QScatterSeries *mark, std::optional<double> time);
    void showLegendForDrawn();

    std::vector<double> m_time; // seconds after launch
    std::vector<double> m_height; // in the flyer's unit
    double m_first = 0;
    double m_last = 1;
    double m_from = 0;
    double m_to = 1;
    // The heights the height axis must hold, in the flyer's unit.
    double m_low = 0;
    double m_top = 1;
    QLineSeries *m_altitude = nullptr;
    QLineSeries *m_expected = nullptr;
    QScatterSeries *m_apogee = nullptr;
    QScatterSeries *m_drogue = nullptr;
    QScatterSeries *m_main = nullptr;
    QValueAxis *m_timeAxis = nullptr;
    QValueAxis *m_heightAxis = nullptr;
};
