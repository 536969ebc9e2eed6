#include "logbook/FlightEntry.h"

#include <QLocale>
#include <QStringList>

#include <optional>

namespace {

struct CDayFields
{
    int year;
    int month;
    int day;
};

int number(QStringView text, bool *ok)
{
    // Digits only: toInt would also take a sign or blanks.
    for (const QChar ch : text) {
        if (!ch.isDigit()) {
            *ok = false;
            return 0;
        }
    }
    return text.toInt(ok);
}

// The year, month and day of "MM/DD/YYYY" (one-digit month and day, two-digit
// year) or "YYYY-MM-DD", whether or not they make a day of the calendar.
std::optional<CDayFields> dayFields(const QString &text)
{
    // Read in place: a logbook's worth of dates is parsed on every load.
    const QStringView trimmed = QStringView(text).trimmed();
    const bool iso = trimmed.size() == 10 && trimmed.at(4) == QLatin1Char('-');
    const QList<QStringView> parts = trimmed.split(iso ? QLatin1Char('-') : QLatin1Char('/'));
    if (parts.size() != 3)
        return std::nullopt;
    const QStringView yearText = iso ? parts.at(0) : parts.at(2);
    const QStringView monthText = iso ? parts.at(1) : parts.at(0);
    const QStringView dayText = iso ? parts.at(2) : parts.at(1);
    if (yearText.isEmpty() || yearText.size() > 4 || monthText.isEmpty() || monthText.size() > 2 || dayText.isEmpty()
        || dayText.size() > 2)
        return std::nullopt;
    bool ok = true;
    CDayFields fields {number(yearText, &ok), 0, 0};
    fields.month = ok ? number(monthText, &ok) : 0;
    fields.day = ok ? number(dayText, &ok) : 0;
    if (!ok)
        return std::nullopt;
    if (!iso && yearText.size() <= 2)
        fields.year += 2000;
    return fields;
}

} // namespace

QString CFlightEntry::timeText() const
{
    for (const QString *time : {&drogueTime, &mainTime, &doneTime}) {
        if (parseFlightTime(*time) >= 0)
            return *time;
    }
    return QString();
}

QString CFlightEntry::rocketKey() const
{
    const QString key = rocketId.trimmed();
    return key == QLatin1String("0") ? QString() : key;
}

QString CFlightEntry::rocketLabel() const
{
    if (!rocketName.isEmpty())
        return rocketName;
    const QString key = rocketKey();
    return key.isEmpty() ? QStringLiteral("No rocket") : QStringLiteral("Rocket ") + key;
}

QString CFlightEntry::notesFirstLine() const
{
    const qsizetype end = notes.indexOf(QLatin1Char('\n'));
    return (end < 0 ? notes : notes.left(end)).trimmed();
}

QDate parseFlightDate(const QString &text)
{
    const std::optional<CDayFields> fields = dayFields(text);
    return fields ? QDate(fields->year, fields->month, fields->day) : QDate();
}

QString flightDateProblem(const QString &text, const QString &form)
{
    const std::optional<CDayFields> fields = dayFields(text);
    if (!fields)
        return QStringLiteral("\"%1\" is not a date of the form %2.").arg(text, form);
    if (fields->month < 1 || fields->month > 12) {
        return QStringLiteral("\"%1\" is not a date: there is no month %2 (dates are %3).")
            .arg(text)
            .arg(fields->month)
            .arg(form);
    }
    const QDate first(fields->year, fields->month, 1);
    if (!first.isValid())
        return QStringLiteral("\"%1\" is not a date: there is no year %2.").arg(text).arg(fields->year);
    if (fields->day < 1 || fields->day > first.daysInMonth()) {
        return QStringLiteral("\"%1\" is not a date: %2 has %3 days.")
            .arg(text, QLocale::c().toString(first, QStringLiteral("MMMM yyyy")))
            .arg(first.daysInMonth());
    }
    return QString();
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
    if (!flight.dateText.trimmed().isEmpty()) {
        if (QString problem = flightDateProblem(flight.dateText.trimmed()); !problem.isEmpty())
            return problem;
    }
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

QString FormatLaunchTime(const QDateTime &moment, LaunchTimeFormat format)
{
    const QDateTime local = moment.toLocalTime();
    if (format == LaunchTimeFormat::Date)
        return flightDateText(local.date());
    const QTime time = local.time();
    return QStringLiteral("%1:%2").arg(time.hour()).arg(time.minute(), 2, 10, QLatin1Char('0'));
}

QString flightDateText(const QDate &date)
{
    return QStringLiteral("%1/%2/%3")
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 2, 10, QLatin1Char('0'));
}
