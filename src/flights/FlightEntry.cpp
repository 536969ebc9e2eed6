#include "flights/FlightEntry.h"

#include <QStringList>

QString CFlightEntry::timeText() const
{
    for (const QString *time : {&drogueTime, &mainTime, &doneTime}) {
        if (parseFlightTime(*time) >= 0)
            return *time;
    }
    return QString();
}

QString CFlightEntry::motorText() const
{
    QString text = motor.trimmed();
    if (!motorDelay.trimmed().isEmpty())
        text += QLatin1Char('-') + motorDelay.trimmed();
    if (!motorMfg.trimmed().isEmpty())
        text = motorMfg.trimmed() + QLatin1Char(' ') + text;
    return text.trimmed();
}

QString CFlightEntry::rocketLabel() const
{
    return rocketName.isEmpty() ? QStringLiteral("Rocket %1").arg(rocketId) : rocketName;
}

QString CFlightEntry::notesFirstLine() const
{
    const qsizetype end = notes.indexOf(QLatin1Char('\n'));
    return (end < 0 ? notes : notes.left(end)).trimmed();
}

QDate parseFlightDate(const QString &text)
{
    // Read in place: a logbook's worth of dates is parsed on every load.
    const QStringView trimmed = QStringView(text).trimmed();
    if (trimmed.size() == 10 && trimmed.at(4) == QLatin1Char('-'))
        return QDate::fromString(trimmed.toString(), Qt::ISODate);
    const QList<QStringView> parts = trimmed.split(QLatin1Char('/'));
    if (parts.size() != 3)
        return QDate();
    bool monthOk = false;
    bool dayOk = false;
    bool yearOk = false;
    const int month = parts.at(0).toInt(&monthOk);
    const int day = parts.at(1).toInt(&dayOk);
    int year = parts.at(2).toInt(&yearOk);
    if (!monthOk || !dayOk || !yearOk || parts.at(2).size() > 4)
        return QDate();
    if (parts.at(2).size() <= 2)
        year += 2000;
    return QDate(year, month, day);
}

int parseFlightTime(const QString &text)
{
    // Seconds, where an older log kept them, do not change the minute.
    const QList<QStringView> parts = QStringView(text).trimmed().split(QLatin1Char(':'));
    if ((parts.size() != 2 && parts.size() != 3) || parts.at(1).size() != 2)
        return -1;
    bool hourOk = false;
    bool minuteOk = false;
    const int hour = parts.at(0).toInt(&hourOk);
    const int minute = parts.at(1).toInt(&minuteOk);
    if (!hourOk || !minuteOk || hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return -1;
    return hour * 60 + minute;
}

QString flightEntryProblem(const CFlightEntry &flight)
{
    if (!parseFlightDate(flight.dateText).isValid())
        return QStringLiteral("\"%1\" is not a date of the form MM/DD/YYYY.").arg(flight.dateText);
    for (const QString *time : {&flight.drogueTime, &flight.mainTime, &flight.doneTime}) {
        if (!time->trimmed().isEmpty() && parseFlightTime(*time) < 0)
            return QStringLiteral("\"%1\" is not a time of the form H:MM.").arg(*time);
    }
    for (const QString *number : {&flight.windSpeed, &flight.temperature}) {
        bool ok = false;
        number->trimmed().toInt(&ok);
        if (!number->trimmed().isEmpty() && !ok)
            return QStringLiteral("\"%1\" is not a whole number.").arg(*number);
    }
    return QString();
}

QString flightDateText(const QDate &date)
{
    return date.toString(QStringLiteral("MM/dd/yyyy"));
}
