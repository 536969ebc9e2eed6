#include "flights/FlightFilter.h"

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
    if (!rocketId.isEmpty() && flight.rocketId.trimmed() != rocketId.trimmed())
        return false;
    if (!rocketName.isEmpty() && !sameText(flight.rocketName, rocketName))
        return false;
    if (!site.isEmpty() && !sameText(flight.site, site))
        return false;
    if (success && flight.success != *success)
        return false;
    if ((from.isValid() || to.isValid())
        && (!flight.date.isValid() || (from.isValid() && flight.date < from) || (to.isValid() && flight.date > to)))
        return false;
    if (search.isEmpty())
        return true;
    for (const QString *text :
         {&flight.rocketName, &flight.motor, &flight.motorMfg, &flight.motorDelay, &flight.site, &flight.notes}) {
        if (text->contains(search, Qt::CaseInsensitive))
            return true;
    }
    // Only a search that spans the maker, type and delay ("Estes C6-5") needs
    // them joined; building that text for every flight at each key is the cost.
    if (!search.contains(QLatin1Char(' ')) && !search.contains(QLatin1Char('-')))
        return false;
    return flight.motorText().contains(search, Qt::CaseInsensitive);
}

void sortNewestFirst(std::vector<CFlightEntry> &flights)
{
    struct CKey
    {
        qint64 day;
        int minute;
        qint64 rowId;
    };
    std::vector<std::pair<CKey, std::size_t>> keys;
    keys.reserve(flights.size());
    for (std::size_t i = 0; i < flights.size(); ++i) {
        const CFlightEntry &flight = flights[i];
        keys.push_back({{flight.date.isValid() ? flight.date.toJulianDay() : std::numeric_limits<qint64>::min(),
                         parseFlightTime(flight.timeText()), flight.rowId},
                        i});
    }
    std::sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) {
        if (a.first.day != b.first.day)
            return a.first.day > b.first.day;
        if (a.first.minute != b.first.minute)
            return a.first.minute > b.first.minute;
        return a.first.rowId > b.first.rowId;
    });
    std::vector<CFlightEntry> sorted;
    sorted.reserve(flights.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(flights[key.second]));
    flights = std::move(sorted);
}
