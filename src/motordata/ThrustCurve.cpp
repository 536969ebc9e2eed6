#include "motordata/ThrustCurve.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

QString thrustCurveProblem(const std::vector<CThrustPoint> &curve, CMotorFigures *good)
{
    if (curve.empty())
        return QStringLiteral("it has no thrust data");
    double previous = 0;
    bool anyThrust = false;
    for (const CThrustPoint &point : curve) {
        if (!std::isfinite(point.time) || !std::isfinite(point.thrust))
            return QStringLiteral("it holds a value that is not a finite number");
        if (point.time < previous)
            return QStringLiteral("its time goes back at %1 s").arg(shortestNumber(point.time));
        if (point.thrust < 0)
            return QStringLiteral("its thrust is negative at %1 s").arg(shortestNumber(point.time));
        anyThrust = anyThrust || point.thrust > 0;
        previous = point.time;
    }
    if (!anyThrust)
        return QStringLiteral("its thrust is zero throughout");
    const CMotorFigures figures = motorFigures(curve);
    if (!std::isfinite(figures.totalImpulse) || !std::isfinite(figures.averageThrust))
        return QStringLiteral("its figures are too large to be numbers");
    if (!(figures.totalImpulse > 0))
        return QStringLiteral("its total impulse is zero");
    if (good)
        *good = figures;
    return {};
}

CMotorFigures motorFigures(const std::vector<CThrustPoint> &curve)
{
    CMotorFigures figures;
    CThrustPoint previous; // ignition: zero thrust at zero time
    double start = -1;
    double end = 0;
    for (const CThrustPoint &point : curve) {
        figures.totalImpulse += (point.time - previous.time) * (point.thrust + previous.thrust) / 2;
        figures.peakThrust = std::max(figures.peakThrust, point.thrust);
        if (point.thrust > 0 && start < 0)
            start = previous.time;
        if (point.thrust > 0)
            end = -1; // burning: the end is the next point at zero, or the curve's last
        else if (end < 0)
            end = point.time;
        previous = point;
    }
    if (end < 0)
        end = previous.time;
    figures.burnTime = start >= 0 ? end - start : 0;
    figures.averageThrust = figures.burnTime > 0 ? figures.totalImpulse / figures.burnTime : 0;
    figures.impulseClass = impulseClass(figures.totalImpulse);
    return figures;
}

QString impulseClass(double totalImpulse)
{
    if (!(totalImpulse > 0))
        return QString();
    if (totalImpulse <= 0.3125)
        return QStringLiteral("1/8A");
    if (totalImpulse <= 0.625)
        return QStringLiteral("1/4A");
    if (totalImpulse <= 1.25)
        return QStringLiteral("1/2A");
    double upper = 2.5;
    for (char letter = 'A'; letter < 'Z'; ++letter, upper *= 2) {
        if (totalImpulse <= upper)
            return QString(QLatin1Char(letter));
    }
    return QStringLiteral("Z");
}

QString shortestNumber(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}
