#include "logbook/FlightMotor.h"

namespace {

// "S1 D12-3x3 S2 C6-7 ": the entry of a staged or clustered rocket.
bool isGroupEntry(const QString &text)
{
    return text.size() >= 3 && text.at(0) == QLatin1Char('S') && text.at(1) >= QLatin1Char('1')
        && text.at(1) <= QLatin1Char('3') && text.at(2) == QLatin1Char(' ');
}

} // namespace

CFlightMotor flightMotor(const QString &motor, const QString &maker, const QString &delay)
{
    CFlightMotor parts;
    parts.maker = maker.trimmed();
    parts.delay = delay.trimmed();
    QString type = motor.trimmed();
    // The entry repeats the maker in front of the type and the delay after it.
    if (!parts.maker.isEmpty() && type.size() > parts.maker.size() && type.startsWith(parts.maker, Qt::CaseInsensitive)
        && type.at(parts.maker.size()) == QLatin1Char(' '))
        type = type.mid(parts.maker.size() + 1).trimmed();
    parts.namesItsDelays = isGroupEntry(type);
    const qsizetype suffix = parts.delay.size() + 1;
    if (!parts.namesItsDelays && !parts.delay.isEmpty() && type.size() > suffix
        && type.endsWith(QLatin1Char('-') + parts.delay, Qt::CaseInsensitive))
        type.chop(suffix);
    parts.type = type;
    return parts;
}

QString CFlightMotor::text() const
{
    QString motor = type;
    if (!delay.isEmpty() && !namesItsDelays)
        motor += QLatin1Char('-') + delay;
    if (maker.isEmpty())
        return motor;
    return motor.isEmpty() ? maker : maker + QLatin1Char(' ') + motor;
}
