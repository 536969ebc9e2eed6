#include "launch/FlightRecord.h"

#include "db/RecordStore.h"
#include "db/SqlText.h"

#include <QStringList>

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
QString flag(bool set)
{
    return set ? QStringLiteral("-1") : QStringLiteral("0");
}

QString moment(const std::optional<QDateTime> &value, LaunchTimeFormat format)
{
    return sqlQuote(value ? FormatLaunchTime(*value, format) : QString());
}
} // namespace

QString buildLaunchInsert(const CFlightRecord &flight)
{
    const QStringList values = {
        sqlQuote(flight.model),
        sqlQuote(flight.recovery),
        sqlQuote(flight.motor),
        sqlQuote(flight.motorMfg),
        sqlQuote(flight.motorDelay),
        sqlQuote(flight.site),
        QString::number(flight.windSpeed),
        sqlQuote(flight.windDirection),
        QString::number(flight.temperature),
        flag(flight.celsius),
        moment(flight.launchTime, LaunchTimeFormat::Date),
        moment(flight.drogueTime, LaunchTimeFormat::Time),
        moment(flight.mainTime, LaunchTimeFormat::Time),
        moment(flight.doneTime, LaunchTimeFormat::Time),
        sqlQuote(flight.notes),
        flag(flight.success.value_or(false)),
        sqlQuote(flight.altFileName),
    };
    return QStringLiteral("INSERT INTO Launches (Model,Recovery,Motor,MotorMfg,MotorDelay,Site,WindSpeed,"
                          "WindDirection,Temperature,Celcius,Date,DrogueTime,MainTime,DoneTime,Notes,Success,"
                          "AltFileName) VALUES (")
        + values.join(QLatin1Char(',')) + QLatin1Char(')');
}

int storedFlightCount(CRecordStore &store)
{
    if (!store.RunSql(QStringLiteral("SELECT COUNT(*) FROM Launches")) || store.IsEOF())
        return -1;
    bool ok = false;
    const int count = store.GetFieldText(0).toInt(&ok);
    return ok ? count : -1;
}
