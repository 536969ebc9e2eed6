#include "cli/CliCommand.h"
#include "cli/CliContext.h"
#include "flights/FlightLog.h"
#include "flights/FlightStats.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue isoDate(const QDate &date)
{
    return date.isValid() ? QJsonValue(date.toString(Qt::ISODate)) : QJsonValue();
}

QJsonArray countsJson(const std::vector<CFlightCount> &counts, const QString &key)
{
    QJsonArray array;
    for (const CFlightCount &count : counts)
        array.append(QJsonObject {{key, count.key}, {QStringLiteral("flights"), count.flights}});
    return array;
}

QJsonObject statsJson(const CFlightStats &stats)
{
    QJsonArray rockets;
    for (const CRocketRecord &rocket : stats.rockets) {
        QJsonObject motors;
        for (auto it = rocket.motors.begin(); it != rocket.motors.end(); ++it)
            motors.insert(it.key(), it.value());
        rockets.append(QJsonObject {
            {QStringLiteral("rocket"), rocket.rocket},
            {QStringLiteral("rocket_id"), rocket.rocketId},
            {QStringLiteral("flights"), rocket.flights},
            {QStringLiteral("successes"), rocket.successes},
            {QStringLiteral("success_rate"), rocket.successRate()},
            {QStringLiteral("last_flown"), isoDate(rocket.lastFlown)},
            {QStringLiteral("motors"), motors},
            {QStringLiteral("most_used_site"), rocket.mostUsedSite},
        });
    }
    QJsonArray motors;
    for (const CMotorRecord &motor : stats.motors) {
        motors.append(QJsonObject {{QStringLiteral("motor"), motor.motor},
                                   {QStringLiteral("flights"), motor.flights},
                                   {QStringLiteral("successes"), motor.successes},
                                   {QStringLiteral("success_rate"), motor.successRate()}});
    }
    return {
        {QStringLiteral("rockets"), rockets},
        {QStringLiteral("motors"), motors},
        {QStringLiteral("sites"), countsJson(stats.sites, QStringLiteral("site"))},
        {QStringLiteral("years"), countsJson(stats.years, QStringLiteral("year"))},
        {QStringLiteral("months"), countsJson(stats.months, QStringLiteral("month"))},
    };
}

QString percent(double rate)
{
    return QString::number(qRound(rate * 100)) + QStringLiteral(" %");
}

void printText(FILE *out, const CFlightStats &stats)
{
    printLine(out, QStringLiteral("Rockets:"));
    for (const CRocketRecord &rocket : stats.rockets) {
        QStringList motors;
        for (auto it = rocket.motors.begin(); it != rocket.motors.end(); ++it)
            motors.append(QStringLiteral("%1 x%2").arg(it.key()).arg(it.value()));
        printLine(out,
                  QStringLiteral("  %1: %2 flights, %3 successes (%4), last flown %5, most at %6; motors: %7")
                      .arg(rocket.rocket)
                      .arg(rocket.flights)
                      .arg(rocket.successes)
                      .arg(percent(rocket.successRate()),
                           rocket.lastFlown.isValid() ? rocket.lastFlown.toString(Qt::ISODate) : QStringLiteral("-"),
                           rocket.mostUsedSite, motors.join(QStringLiteral(", "))));
    }
    printLine(out, QStringLiteral("Motors:"));
    for (const CMotorRecord &motor : stats.motors)
        printLine(out,
                  QStringLiteral("  %1: %2 flights (%3)")
                      .arg(motor.motor)
                      .arg(motor.flights)
                      .arg(percent(motor.successRate())));
    for (const auto &[title, counts] :
         {std::pair {QStringLiteral("Sites:"), &stats.sites}, std::pair {QStringLiteral("Years:"), &stats.years}}) {
        printLine(out, title);
        for (const CFlightCount &count : *counts)
            printLine(out, QStringLiteral("  %1: %2 flights").arg(count.key).arg(count.flights));
    }
}

} // namespace

int runStats(const QStringList &arguments, FILE *out, FILE *err)
{
    QString format = QStringLiteral("text");
    if (!arguments.isEmpty()) {
        if (arguments.size() != 2 || arguments.at(0) != QLatin1String("--format")
            || !QStringList {"text", "json"}.contains(arguments.at(1))) {
            printLine(err, QStringLiteral("usage: tarvel-cli stats [--format text|json]"));
            return 2;
        }
        format = arguments.at(1);
    }
    CCliContext context;
    const std::unique_ptr<CRecordStore> store = context.openStore(err);
    if (!store)
        return 1;
    CFlightLog log(*store);
    const std::vector<CFlightEntry> flights = log.load();
    if (!log.lastError().isEmpty()) {
        printLine(err, QStringLiteral("tarvel-cli: the flights cannot be read: ") + log.lastError());
        return 1;
    }
    const CFlightStats stats = computeFlightStats(flights);
    if (format == QLatin1String("json")) {
        const QByteArray json = QJsonDocument(statsJson(stats)).toJson(QJsonDocument::Indented);
        fwrite(json.constData(), 1, size_t(json.size()), out);
    } else {
        printText(out, stats);
    }
    return 0;
}
