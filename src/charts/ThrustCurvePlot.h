#pragma once

#include "motordata/EngHeader.h"
#include "motordata/ThrustCurve.h"

#include <QtCharts/QChartView>

#include <vector>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

// A motor's thrust over time, with its peak marked as a point and its average
// thrust drawn as a line across the burn.
class CThrustCurvePlot : public QChartView
{
    Q_OBJECT

public:
    explicit CThrustCurvePlot(QWidget *parent = nullptr);

    void setCurve(const std::vector<CThrustPoint> &points, const CMotorFigures &figures, const CEngMasses &masses);
    void clearCurve();

    // The figures as the flyer reads them under the plot; empty without a curve.
    const QString &figuresText() const { return m_figuresText; }
    int drawnPoints() const;
    QPointF peakMark() const;
    double averageLine() const;

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Round ticks over the curve, as many as the plot's size lets be read.
    void fitAxes();

    QLineSeries *m_thrust = nullptr;
    QLineSeries *m_average = nullptr;
    QScatterSeries *m_peak = nullptr;
    QValueAxis *m_timeAxis = nullptr;
    QValueAxis *m_thrustAxis = nullptr;
    QString m_figuresText;
    double m_timeEnd = 1;
    double m_thrustTop = 1;
};
