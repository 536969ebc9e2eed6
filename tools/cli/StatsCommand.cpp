#include "cli/CliCommand.h"
#include "cli/CliRun.h"
#include "flights/FlightStats.h"
#include "logbook/FlightLog.h"

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
        {QStringLiteral("flights"), stats.flights},
        {QStringLiteral("successes"), stats.successes},
        {QStringLiteral("success_rate"), stats.successRate()},
        {QStringLiteral("first_flown"), isoDate(stats.firstFlown)},
        {QStringLiteral("last_flown"), isoDate(stats.lastFlown)},
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

QString flightsText(int flights)
{
    return countOf(flights, QStringLiteral("flight"), QStringLiteral("flights"));
}

QString successesText(int successes)
{
    return countOf(successes, QStringLiteral("success"), QStringLiteral("successes"));
}

QString dateText(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QStringLiteral("-");
}

void printText(FILE *out, const CFlightStats &stats)
{
    printLine(out,
              QStringLiteral("%1, %2 (%3), first flight %4, last flight %5")
                  .arg(flightsText(stats.flights), successesText(stats.successes), percent(stats.successRate()),
                       dateText(stats.firstFlown), dateText(stats.lastFlown)));
    printLine(out, QStringLiteral("Rockets:"));
    for (const CRocketRecord &rocket : stats.rockets) {
        QStringList motors;
        for (auto it = rocket.motors.begin(); it != rocket.motors.end(); ++it)
            motors.append(QStringLiteral("%1 x%2").arg(it.key()).arg(it.value()));
        printLine(out,
                  QStringLiteral("  %1: %2, %3 (%4), last flown %5, most at %6; motors: %7")
                      .arg(rocket.rocket, flightsText(rocket.flights), successesText(rocket.successes),
                           percent(rocket.successRate()), dateText(rocket.lastFlown), rocket.mostUsedSite,
                           motors.join(QStringLiteral(", "))));
    }
    printLine(out, QStringLiteral("Motors:"));
    for (const CMotorRecord &motor : stats.motors) {
        printLine(
            out,
            QStringLiteral("  %1: %2 (%3)").arg(motor.motor, flightsText(motor.flights), percent(motor.successRate())));
    }
    for (const auto &[title, counts] :
         {std::pair {QStringLiteral("Sites:"), &stats.sites}, std::pair {QStringLiteral("Years:"), &stats.years},
          std::pair {QStringLiteral("Months:"), &stats.months}}) {
        printLine(out, title);
        for (const CFlightCount &count : *counts)
            printLine(out, QStringLiteral("  %1: %2").arg(count.key, flightsText(count.flights)));
    }
}

void declareStats(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("format"), QStringLiteral("text (the default) or json."), QStringLiteral("FORMAT"),
                      QStringLiteral("text")});
}

int runStats(CCliRun &run)
{
    const std::optional<QString> format =
        run.choice(QStringLiteral("format"), {QStringLiteral("text"), QStringLiteral("json")});
    if (!format)
        return kCliUsage;
    CRecordStore *store = run.openStore();
    if (!store)
        return kCliFailed;
    CFlightLog log(*store);
    const std::vector<CFlightEntry> flights = log.load();
    if (!log.lastError().isEmpty())
        return run.fail(QStringLiteral("the flights cannot be read: ") + log.lastError());
    const CFlightStats stats = computeFlightStats(flights);
    if (*format == QLatin1String("json"))
        run.write(QJsonDocument(statsJson(stats)).toJson(QJsonDocument::Indented));
    else
        printText(run.out(), stats);
    return kCliSucceeded;
}

} // namespace

const CCliCommand kStatsCommand = {
    "stats",
    "[--format text|json]",
    "flights, successes, last flight and motors per rocket; flights per motor, "
    "site, year and month",
    0,
    0,
    declareStats,
    runStats,
};
