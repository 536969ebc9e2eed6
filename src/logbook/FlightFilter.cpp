#include "logbook/FlightFilter.h"

#include <algorithm>
#include <limits>

namespace {
bool sameText(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}
} // namespace

bool CFlightFilter::matches(const CFlightEntry &flight) const
{
    if (rocketKey && flight.rocketKey() != rocketKey->trimmed())
        return false;
    if (!rocketLabel.isEmpty() && !sameText(flight.rocketLabel(), rocketLabel))
        return false;
    if (!site.isEmpty() && !sameText(flight.site, site))
        return false;
    if (success && flight.success != *success)
        return false;
    if ((from.isValid() || to.isValid())
        && (!flight.date.isValid() || (from.isValid() && flight.date < from) || (to.isValid() && flight.date > to)))
        return false;
    return search.isEmpty() || matchesSearch(flight);
}

bool CFlightFilter::matchesSearch(const CFlightEntry &flight) const
{
    for (const QString *text :
         {&flight.rocketName, &flight.motor, &flight.motorMfg, &flight.motorDelay, &flight.site, &flight.notes}) {
        if (text->contains(search, Qt::CaseInsensitive))
            return true;
    }
    // A flight without a rocket of the catalogue is found by the label it shows.
    if (flight.rocketName.isEmpty() && flight.rocketLabel().contains(search, Qt::CaseInsensitive))
        return true;
    // Every part of the motor as named lies within one of the fields above, so
    // only a search that spans them ("Estes C6-5") needs the name built; doing
    // that for every flight at each key is the cost.
    if (!search.contains(QLatin1Char(' ')) && !search.contains(QLatin1Char('-')))
        return false;
    return flight.motorText().contains(search, Qt::CaseInsensitive);
}

CFlightOrderKey flightOrderKey(const CFlightEntry &flight)
{
    return {flight.date.isValid() ? flight.date.toJulianDay() : std::numeric_limits<qint64>::min(),
            parseFlightTime(flight.timeText()), flight.rowId};
}

bool isNewer(const CFlightOrderKey &a, const CFlightOrderKey &b)
{
    if (a.day != b.day)
        return a.day > b.day;
    if (a.minute != b.minute)
        return a.minute > b.minute;
    return a.rowId > b.rowId;
}

void sortNewestFirst(std::vector<CFlightEntry> &flights)
{
    std::vector<std::pair<CFlightOrderKey, std::size_t>> keys;
    keys.reserve(flights.size());
    for (std::size_t i = 0; i < flights.size(); ++i)
        keys.emplace_back(flightOrderKey(flights[i]), i);
    std::sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return isNewer(a.first, b.first); });
    std::vector<CFlightEntry> sorted;
    sorted.reserve(flights.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(flights[key.second]));
    flights = std::move(sorted);
}
