#include "launch/FlightRecord.h"

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
