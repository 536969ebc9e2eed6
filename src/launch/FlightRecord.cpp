#include "launch/FlightRecord.h"

QString FormatLaunchTime(const QDateTime &moment, LaunchTimeFormat format)
{
    const QDateTime local = moment.toLocalTime();
    if (format == LaunchTimeFormat::Date) {
        const QDate date = local.date();
        return QStringLiteral("%1/%2/%3")
            .arg(date.month(), 2, 10, QLatin1Char('0'))
            .arg(date.day(), 2, 10, QLatin1Char('0'))
            .arg(date.year(), 2, 10, QLatin1Char('0'));
    }
    const QTime time = local.time();
    return QStringLiteral("%1:%2").arg(time.hour()).arg(time.minute(), 2, 10, QLatin1Char('0'));
}

namespace {
QString moment(const std::optional<QDateTime> &value, LaunchTimeFormat format)
{
    return value ? FormatLaunchTime(*value, format) : QString();
}
} // namespace

CFlightEntry CFlightRecord::row() const
{
    CFlightEntry row;
    row.rocketId = model;
    row.recovery = recovery;
    row.motor = motor;
    row.motorMfg = motorMfg;
    row.motorDelay = motorDelay;
    row.site = site;
    row.windSpeed = QString::number(windSpeed);
    row.windDirection = windDirection;
    row.temperature = QString::number(temperature);
    row.celsius = celsius;
    row.dateText = moment(launchTime, LaunchTimeFormat::Date);
    row.date = parseFlightDate(row.dateText);
    row.drogueTime = moment(drogueTime, LaunchTimeFormat::Time);
    row.mainTime = moment(mainTime, LaunchTimeFormat::Time);
    row.doneTime = moment(doneTime, LaunchTimeFormat::Time);
    row.notes = notes;
    row.success = success.value_or(false);
    row.altFileName = altFileName;
    return row;
}
