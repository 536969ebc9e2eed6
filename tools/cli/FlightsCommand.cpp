#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "flights/FlightApogee.h"
#include "logbook/FlightFilter.h"
#include "logbook/FlightLog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <optional>

namespace {

QString isoDate(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

// A CSV field quoted where it must be, as spreadsheet programs read it.
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QJsonObject flightJson(const CFlightEntry &flight, const std::optional<double> &apogee)
{
    const CFlightMotor motor = flight.motorParts();
    return {
        {QStringLiteral("id"), flight.rowId},
        {QStringLiteral("date"), flight.date.isValid() ? QJsonValue(isoDate(flight.date)) : QJsonValue()},
        {QStringLiteral("time"), flight.timeText()},
        {QStringLiteral("rocket"), flight.rocketLabel()},
        {QStringLiteral("rocket_id"), flight.rocketId},
        {QStringLiteral("motor"), motor.type},
        {QStringLiteral("mfg"), motor.maker},
        {QStringLiteral("delay"), motor.delay},
        {QStringLiteral("site"), flight.site},
        {QStringLiteral("success"), flight.success},
        {QStringLiteral("notes"), flight.notes},
        {QStringLiteral("apogee_m"), apogee ? QJsonValue(*apogee) : QJsonValue()},
    };
}

QString apogeeText(const CFlightEntry &flight, const QString &storageDirectory)
{
    const std::optional<double> apogee = flightApogee(flight.altFileName, storageDirectory);
    return apogee ? QString::number(*apogee, 'f', 1) : QString();
}

void declareFlights(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("rocket"), QStringLiteral("Only the flights of the rocket of this name."),
         QStringLiteral("NAME")},
        {QStringLiteral("site"), QStringLiteral("Only the flights at the site of this name."), QStringLiteral("NAME")},
        {QStringLiteral("from"), QStringLiteral("Only the flights on this day or after."),
         QStringLiteral("YYYY-MM-DD")},
        {QStringLiteral("to"), QStringLiteral("Only the flights on this day or before."), QStringLiteral("YYYY-MM-DD")},
        {QStringLiteral("format"), QStringLiteral("text (the default), csv or json."), QStringLiteral("FORMAT"),
         QStringLiteral("text")},
    });
}

// The filter the options ask for; empty after a usage error.
std::optional<CFlightFilter> filterOf(CCliRun &run)
{
    CFlightFilter filter;
    for (const char *option : {"rocket", "site", "from", "to"}) {
        const QString name = QLatin1String(option);
        if (!run.isSet(name))
            continue;
        const QString value = run.value(name);
        // An empty name would choose every flight: the flyer meant one.
        if (value.trimmed().isEmpty()) {
            run.usageError(QStringLiteral("--%1 needs a value; it was given an empty one").arg(name));
            return std::nullopt;
        }
        if (name == QLatin1String("rocket")) {
            filter.rocketLabel = value;
        } else if (name == QLatin1String("site")) {
            filter.site = value;
        } else {
            const QDate date = QDate::fromString(value, Qt::ISODate);
            if (!date.isValid()) {
                run.usageError(QStringLiteral("\"%1\" is not a date of the form YYYY-MM-DD").arg(value));
                return std::nullopt;
            }
            (name == QLatin1String("from") ? filter.from : filter.to) = date;
        }
    }
    if (filter.from.isValid() && filter.to.isValid() && filter.from > filter.to) {
        run.usageError(QStringLiteral("--from %1 is after --to %2: no day is in that range")
                           .arg(isoDate(filter.from), isoDate(filter.to)));
        return std::nullopt;
    }
    return filter;
}

// Says which rocket or site of the filter neither the catalogue nor the log
// knows; true when both are known, or not asked for.
bool namesAreKnown(const CFlightFilter &filter, CFlightLog &log, const std::vector<CFlightEntry> &flights, CCliRun &run)
{
    const auto same = [](const QString &a, const QString &b) {
        return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
    };
    if (!filter.rocketLabel.isEmpty()) {
        const auto rockets = log.rockets();
        const bool inCatalogue = std::any_of(rockets.begin(), rockets.end(), [&](const auto &rocket) {
            return same(rocket.second, filter.rocketLabel);
        });
        const bool flown = std::any_of(flights.begin(), flights.end(), [&](const CFlightEntry &flight) {
            return same(flight.rocketLabel(), filter.rocketLabel);
        });
        if (!inCatalogue && !flown) {
            run.fail(QStringLiteral("no rocket is named \"%1\"").arg(filter.rocketLabel));
            return false;
        }
    }
    if (!filter.site.isEmpty() && std::none_of(flights.begin(), flights.end(), [&](const CFlightEntry &flight) {
            return same(flight.site, filter.site);
        })) {
        run.fail(QStringLiteral("no flight was logged at the site \"%1\"").arg(filter.site));
        return false;
    }
    return true;
}

int runFlights(CCliRun &run)
{
    const std::optional<CFlightFilter> filter = filterOf(run);
    const std::optional<QString> format =
        run.choice(QStringLiteral("format"), {QStringLiteral("text"), QStringLiteral("csv"), QStringLiteral("json")});
    if (!filter || !format)
        return kCliUsage;
    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    CFlightLog log(*store);
    std::vector<CFlightEntry> flights = log.load();
    if (!log.lastError().isEmpty())
        return run.fail(QStringLiteral("the flights cannot be read: ") + log.lastError());
    if (!namesAreKnown(*filter, log, flights, run))
        return kCliFailed;
    std::erase_if(flights, [&](const CFlightEntry &flight) { return !filter->matches(flight); });
    sortNewestFirst(flights);

    if (*format == QLatin1String("json")) {
        QJsonArray array;
        for (const CFlightEntry &flight : flights)
            array.append(flightJson(flight, flightApogee(flight.altFileName, run.storageDirectory())));
        run.write(QJsonDocument(array).toJson(QJsonDocument::Indented));
        return kCliSucceeded;
    }
    if (*format == QLatin1String("csv"))
        run.print(QStringLiteral("id,date,time,rocket,rocket_id,motor,mfg,delay,site,success,notes,apogee_m"));
    for (const CFlightEntry &flight : flights) {
        if (*format == QLatin1String("csv")) {
            const CFlightMotor motor = flight.motorParts();
            const QStringList fields = {QString::number(flight.rowId),
                                        isoDate(flight.date),
                                        flight.timeText(),
                                        flight.rocketLabel(),
                                        flight.rocketId,
                                        motor.type,
                                        motor.maker,
                                        motor.delay,
                                        flight.site,
                                        flight.success ? QStringLiteral("true") : QStringLiteral("false"),
                                        flight.notes,
                                        apogeeText(flight, run.storageDirectory())};
            QStringList quoted;
            for (const QString &field : fields)
                quoted.append(csvField(field));
            run.print(quoted.join(QLatin1Char(',')));
        } else {
            run.print(QStringList {isoDate(flight.date).leftJustified(10), flight.timeText().rightJustified(5),
                                   flight.rocketLabel(), flight.motorText(), flight.site,
                                   flight.success ? QStringLiteral("Success") : QStringLiteral("Failure"),
                                   flight.notesFirstLine()}
                          .join(QStringLiteral("  ")));
        }
    }
    return kCliSucceeded;
}

} // namespace

const CCliCommand kFlightsCommand = {
    "flights",
    "[--rocket NAME] [--site NAME] [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--format text|csv|json]",
    "the flights, newest first",
    0,
    0,
    declareFlights,
    runFlights,
};
