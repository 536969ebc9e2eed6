#include "flightmodel/MotorDelays.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {
// No motor is sold with a longer delay; a larger number is not a delay.
constexpr double kLongestDelay = 100;
} // namespace

CMotorDelays parseMotorDelays(const QString &text)
{
    static const QRegularExpression separators(QStringLiteral("[-,/\\s]+"));
    CMotorDelays delays;
    const QStringList parts = text.trimmed().split(separators, Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return delays;
    for (const QString &part : parts) {
        if (part.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0
            || part.compare(QLatin1String("Plugged"), Qt::CaseInsensitive) == 0) {
            delays.plugged = true;
            continue;
        }
        bool number = false;
        const double seconds = part.toDouble(&number);
        if (!number || !std::isfinite(seconds) || seconds < 0 || seconds > kLongestDelay)
            return CMotorDelays();
        delays.seconds.push_back(seconds);
    }
    std::sort(delays.seconds.begin(), delays.seconds.end());
    delays.seconds.erase(std::unique(delays.seconds.begin(), delays.seconds.end()), delays.seconds.end());
    delays.known = true;
    return delays;
}

std::optional<double> nearestDelay(const CMotorDelays &delays, double wanted)
{
    std::optional<double> nearest;
    for (double seconds : delays.seconds) {
        // Ascending: a later delay only wins when strictly nearer.
        if (!nearest || std::abs(seconds - wanted) < std::abs(*nearest - wanted))
            nearest = seconds;
    }
    return nearest;
}
