#include "flights/FlightStats.h"

#include <QHash>

#include <algorithm>

namespace {

std::vector<CFlightCount> mostFirst(const QHash<QString, int> &counts)
{
    std::vector<CFlightCount> list;
    list.reserve(std::size_t(counts.size()));
    for (auto it = counts.begin(); it != counts.end(); ++it)
        list.push_back({it.key(), it.value()});
    std::sort(list.begin(), list.end(), [](const CFlightCount &a, const CFlightCount &b) {
        return a.flights != b.flights ? a.flights > b.flights : a.key.localeAwareCompare(b.key) < 0;
    });
    return list;
}

std::vector<CFlightCount> inOrder(const QMap<QString, int> &counts)
{
    std::vector<CFlightCount> list;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        list.push_back({it.key(), it.value()});
    return list;
}

} // namespace

CFlightStats computeFlightStats(const std::vector<CFlightEntry> &flights)
{
    QHash<QString, CRocketRecord> rockets;
    QHash<QString, QHash<QString, int>> rocketSites;
    QHash<QString, CMotorRecord> motors;
    QHash<QString, int> sites;
    QMap<QString, int> years;
    QMap<QString, int> months;
    for (const CFlightEntry &flight : flights) {
        const QString id = flight.rocketId.trimmed();
        CRocketRecord &rocket = rockets[id];
        if (rocket.flights == 0) {
            rocket.rocketId = id;
            rocket.rocket = flight.rocketLabel();
        }
        ++rocket.flights;
        rocket.successes += flight.success ? 1 : 0;
        if (flight.date.isValid() && (!rocket.lastFlown.isValid() || flight.date > rocket.lastFlown))
            rocket.lastFlown = flight.date;
        const QString motor = flight.motorText();
        ++rocket.motors[motor];
        const QString site = flight.site.trimmed();
        ++rocketSites[id][site];

        CMotorRecord &record = motors[motor];
        record.motor = motor;
        ++record.flights;
        record.successes += flight.success ? 1 : 0;
        ++sites[site];
        if (flight.date.isValid()) {
            ++years[flight.date.toString(QStringLiteral("yyyy"))];
            ++months[flight.date.toString(QStringLiteral("yyyy-MM"))];
        }
    }

    CFlightStats stats;
    for (auto it = rockets.begin(); it != rockets.end(); ++it) {
        CRocketRecord rocket = it.value();
        const std::vector<CFlightCount> rocketSiteList = mostFirst(rocketSites.value(it.key()));
        rocket.mostUsedSite = rocketSiteList.empty() ? QString() : rocketSiteList.front().key;
        stats.rockets.push_back(std::move(rocket));
    }
    std::sort(stats.rockets.begin(), stats.rockets.end(), [](const CRocketRecord &a, const CRocketRecord &b) {
        const int byName = a.rocket.localeAwareCompare(b.rocket);
        return byName != 0 ? byName < 0 : a.rocketId < b.rocketId;
    });
    for (const CMotorRecord &motor : motors)
        stats.motors.push_back(motor);
    std::sort(stats.motors.begin(), stats.motors.end(), [](const CMotorRecord &a, const CMotorRecord &b) {
        return a.flights != b.flights ? a.flights > b.flights : a.motor.localeAwareCompare(b.motor) < 0;
    });
    stats.sites = mostFirst(sites);
    stats.years = inOrder(years);
    stats.months = inOrder(months);
    return stats;
}
