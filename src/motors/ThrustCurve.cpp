#include "motors/ThrustCurve.h"

#include <algorithm>
#include <cmath>

QString thrustCurveProblem(const std::vector<CThrustPoint> &curve)
{
    if (curve.empty())
        return QStringLiteral("the thrust curve has no points");
    double previous = 0;
    bool anyThrust = false;
    for (const CThrustPoint &point : curve) {
        if (!std::isfinite(point.time) || !std::isfinite(point.thrust))
            return QStringLiteral("the thrust curve holds a value that is not a number");
        if (point.time < previous)
            return QStringLiteral("the thrust curve goes back in time at %1 s").arg(point.time);
        if (point.thrust < 0)
            return QStringLiteral("the thrust curve has negative thrust at %1 s").arg(point.time);
        anyThrust = anyThrust || point.thrust > 0;
        previous = point.time;
    }
    return anyThrust ? QString() : QStringLiteral("the thrust curve has no thrust");
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
