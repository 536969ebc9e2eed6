#include "flightmodel/MotorDelays.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {
// No motor is sold with a longer delay; a larger number is not a delay.
constexpr double kLongestDelay = 100;
} // namespace

CMotorDelays parseMotorDelays(const QString &text)
{
    // Split by hand: a shared regular expression is not safe across the
    // threads a motor guide may predict on.
    QStringList parts;
    QString part;
    for (const QChar c : text) {
        if (c == QLatin1Char('-') || c == QLatin1Char(',') || c == QLatin1Char('/') || c.isSpace()) {
            if (!part.isEmpty())
                parts.append(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.isEmpty())
        parts.append(part);

    CMotorDelays delays;
    if (parts.isEmpty())
        return delays;
    for (const QString &choice : parts) {
        if (choice.compare(QLatin1String("P"), Qt::CaseInsensitive) == 0
            || choice.compare(QLatin1String("Plugged"), Qt::CaseInsensitive) == 0) {
            delays.plugged = true;
            continue;
        }
        bool number = false;
        const double seconds = choice.toDouble(&number);
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
