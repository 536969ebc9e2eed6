#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "flights/FlightApogee.h"
#include "logbook/FlightFilter.h"
#include "logbook/FlightLog.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace {

const char kUsage[] = "usage: tarvel-cli flights [--rocket NAME] [--site NAME] [--from YYYY-MM-DD] [--to YYYY-MM-DD] "
                      "[--format text|csv|json]";

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

bool parseArguments(const QStringList &arguments, CFlightFilter &filter, QString &format, FILE *err)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &option = arguments.at(i);
        if (i + 1 >= arguments.size()) {
            printLine(err, QLatin1String(kUsage));
            return false;
        }
        const QString &value = arguments.at(++i);
        // An empty name would choose every flight: the flyer meant one.
        if (value.trimmed().isEmpty()) {
            printLine(err, QStringLiteral("tarvel-cli: %1 needs a value; it was given an empty one").arg(option));
            return false;
        }
        if (option == QLatin1String("--rocket")) {
            filter.rocketLabel = value;
        } else if (option == QLatin1String("--site")) {
            filter.site = value;
        } else if (option == QLatin1String("--from") || option == QLatin1String("--to")) {
            const QDate date = QDate::fromString(value, Qt::ISODate);
            if (!date.isValid()) {
                printLine(err, QStringLiteral("tarvel-cli: \"%1\" is not a date of the form YYYY-MM-DD").arg(value));
                return false;
            }
            (option == QLatin1String("--from") ? filter.from : filter.to) = date;
        } else if (option == QLatin1String("--format") && QStringList {"text", "csv", "json"}.contains(value)) {
            format = value;
        } else {
            printLine(err, QLatin1String(kUsage));
            return false;
        }
    }
    if (filter.from.isValid() && filter.to.isValid() && filter.from > filter.to) {
        printLine(err,
                  QStringLiteral("tarvel-cli: --from %1 is after --to %2: no day is in that range")
                      .arg(isoDate(filter.from), isoDate(filter.to)));
        return false;
    }
    return true;
}

// Says which rocket or site of the filter neither the catalogue nor the log
// knows; true when both are known, or not asked for.
bool namesAreKnown(const CFlightFilter &filter, CFlightLog &log, const std::vector<CFlightEntry> &flights, FILE *err)
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
            printLine(err, QStringLiteral("tarvel-cli: no rocket is named \"%1\"").arg(filter.rocketLabel));
            return false;
        }
    }
    if (!filter.site.isEmpty() && std::none_of(flights.begin(), flights.end(), [&](const CFlightEntry &flight) {
            return same(flight.site, filter.site);
        })) {
        printLine(err, QStringLiteral("tarvel-cli: no flight was logged at the site \"%1\"").arg(filter.site));
        return false;
    }
    return true;
}

} // namespace

int runFlights(const QStringList &arguments, FILE *out, FILE *err)
{
    CFlightFilter filter;
    QString format = QStringLiteral("text");
    if (!parseArguments(arguments, filter, format, err))
        return 2;
    CCliContext context;
    const std::unique_ptr<CRecordStore> store = context.openStore(err);
    if (!store)
        return 1;
    CFlightLog log(*store);
    std::vector<CFlightEntry> flights = log.load();
    if (!log.lastError().isEmpty()) {
        printLine(err, QStringLiteral("tarvel-cli: the flights cannot be read: ") + log.lastError());
        return 1;
    }
    if (!namesAreKnown(filter, log, flights, err))
        return 1;
    std::erase_if(flights, [&](const CFlightEntry &flight) { return !filter.matches(flight); });
    sortNewestFirst(flights);

    if (format == QLatin1String("json")) {
        QJsonArray array;
        for (const CFlightEntry &flight : flights)
            array.append(flightJson(flight, flightApogee(flight.altFileName, context.storageDirectory())));
        const QByteArray json = QJsonDocument(array).toJson(QJsonDocument::Indented);
        fwrite(json.constData(), 1, size_t(json.size()), out);
        return 0;
    }
    if (format == QLatin1String("csv"))
        printLine(out, QStringLiteral("id,date,time,rocket,rocket_id,motor,mfg,delay,site,success,notes,apogee_m"));
    for (const CFlightEntry &flight : flights) {
        if (format == QLatin1String("csv")) {
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
                                        apogeeText(flight, context.storageDirectory())};
            QStringList quoted;
            for (const QString &field : fields)
                quoted.append(csvField(field));
            printLine(out, quoted.join(QLatin1Char(',')));
        } else {
            printLine(out,
                      QStringList {isoDate(flight.date).leftJustified(10), flight.timeText().rightJustified(5),
                                   flight.rocketLabel(), flight.motorText(), flight.site,
                                   flight.success ? QStringLiteral("Success") : QStringLiteral("Failure"),
                                   flight.notesFirstLine()}
                          .join(QStringLiteral("  ")));
        }
    }
    return 0;
}
