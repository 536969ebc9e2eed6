#include "flights/FlightChoices.h"

#include "flights/FlightStats.h"

#include <QSet>

#include <algorithm>

CFlightChoices flightChoices(const std::vector<std::pair<QString, QString>> &catalogue,
                             const std::vector<CFlightEntry> &flights)
{
    CFlightChoices choices;
    QSet<QString> known;
    const auto add = [&](const CFlightEntry &rocket) {
        if (!known.contains(rocket.rocketKey())) {
            known.insert(rocket.rocketKey());
            choices.rockets.emplace_back(rocket.rocketLabel(), rocket.rocketKey());
        }
    };
    for (const auto &[id, name] : catalogue) {
        CFlightEntry rocket;
        rocket.rocketId = id;
        rocket.rocketName = name;
        add(rocket);
    }
    for (const CFlightEntry &flight : flights)
        add(flight);
    std::stable_sort(choices.rockets.begin(), choices.rockets.end(),
                     [](const auto &a, const auto &b) { return a.first.localeAwareCompare(b.first) < 0; });
    choices.sites = siteNames(flights).values();
    std::sort(choices.sites.begin(), choices.sites.end(),
              [](const QString &a, const QString &b) { return a.localeAwareCompare(b) < 0; });
    return choices;
}
