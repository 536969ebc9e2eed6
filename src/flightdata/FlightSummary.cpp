#include "flightdata/FlightSummary.h"

#include <QStringList>

QString flightEndWords(EFlightEnd end)
{
    switch (end) {
    case EFlightEnd::Climbing:
        return QStringLiteral("climbing");
    case EFlightEnd::InTheAir:
        return QStringLiteral("in the air");
    case EFlightEnd::OnTheGround:
        break;
    }
    return QStringLiteral("on the ground");
}

QString recordingSummary(const CAltimeterRecording &recording, const CFlightMeasures &measures, EHeightUnit unit,
                         std::optional<double> expected)
{
    const bool climbing = measures.end == EFlightEnd::Climbing;
    QStringList lines;
    if (measures.apogee) {
        lines << QStringLiteral("Apogee: %1%2")
                     .arg(climbing ? QStringLiteral("at least ") : QString(), formatHeight(*measures.apogee, unit));
    } else {
        lines << QStringLiteral("No apogee in this recording.");
    }
    if (recording.deviceApogee)
        lines << QStringLiteral("Apogee stated by the device: %1").arg(formatHeight(*recording.deviceApogee, unit));
    if (measures.apogee && expected) {
        const QString comparison = altitudeComparison(*expected, *measures.apogee, unit, climbing);
        if (!comparison.isEmpty())
            lines << comparison;
    }
    switch (measures.end) {
    case EFlightEnd::Climbing:
        lines << QStringLiteral("The recording ends climbing: it stops before the apogee.");
        break;
    case EFlightEnd::InTheAir:
        lines << QStringLiteral("The recording ends in the air: it holds no landing.");
        break;
    case EFlightEnd::OnTheGround:
        lines << QStringLiteral("The recording ends on the ground.");
        break;
    }
    if (recording.skippedLines == 1)
        lines << QStringLiteral("1 line could not be read.");
    else if (recording.skippedLines > 1)
        lines << QStringLiteral("%1 lines could not be read.").arg(recording.skippedLines);
    if (recording.impossibleSamples == 1)
        lines << QStringLiteral("1 sample left out: a height no flight can reach.");
    else if (recording.impossibleSamples > 1)
        lines << QStringLiteral("%1 samples left out: heights no flight can reach.").arg(recording.impossibleSamples);
    return lines.join(QLatin1Char('\n'));
}
