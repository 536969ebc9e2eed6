#include "flights/FlightStats.h"

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

// The spellings of texts that differ only in case, each counted, so that the
// one most flights use can name them all.
class CSpellings
{
public:
    // The folded key of text.
    QString add(const QString &text)
    {
        QString key = text.toCaseFolded();
        ++m_counts[key][text];
        return key;
    }

    QHash<QString, QString> names() const
    {
        QHash<QString, QString> names;
        for (auto it = m_counts.begin(); it != m_counts.end(); ++it) {
            const QHash<QString, int> &spellings = it.value();
            auto best = spellings.begin();
            for (auto s = spellings.begin(); s != spellings.end(); ++s) {
                if (s.value() > best.value() || (s.value() == best.value() && s.key() < best.key()))
                    best = s;
            }
            names.insert(it.key(), best.key());
        }
        return names;
    }

private:
    QHash<QString, QHash<QString, int>> m_counts;
};

// Each flight's rocket, site and motor as the record counts them.
struct CFlightKeys
{
    QString rocket;
    QString site;
    QString motor;
};

template<typename Counts> Counts named(const Counts &counts, const QHash<QString, QString> &names)
{
    Counts result;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        result[names.value(it.key())] += it.value();
    return result;
}

} // namespace

QString countOf(int count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QHash<QString, QString> siteNames(const std::vector<CFlightEntry> &flights)
{
    CSpellings sites;
    for (const CFlightEntry &flight : flights) {
        if (const QString site = flight.site.trimmed(); !site.isEmpty())
            sites.add(site);
    }
    return sites.names();
}

CFlightStats computeFlightTotals(const std::vector<CFlightEntry> &flights)
{
    CFlightStats stats;
    for (const CFlightEntry &flight : flights) {
        ++stats.flights;
        stats.successes += flight.success ? 1 : 0;
        if (flight.date.isValid()) {
            if (!stats.firstFlown.isValid() || flight.date < stats.firstFlown)
                stats.firstFlown = flight.date;
            if (!stats.lastFlown.isValid() || flight.date > stats.lastFlown)
                stats.lastFlown = flight.date;
        }
    }
    return stats;
}

QString flightStatsSummary(const CFlightStats &stats)
{
    if (stats.flights == 0)
        return QStringLiteral("No flights.");
    QString text = QStringLiteral("%1, %2 (%3%)")
                       .arg(countOf(stats.flights, QStringLiteral("flight"), QStringLiteral("flights")),
                            countOf(stats.successes, QStringLiteral("success"), QStringLiteral("successes")))
                       .arg(qRound(stats.successRate() * 100));
    if (stats.firstFlown.isValid())
        text += QStringLiteral("\nFirst flight %1, last flight %2")
                    .arg(stats.firstFlown.toString(Qt::ISODate), stats.lastFlown.toString(Qt::ISODate));
    return text;
}

CFlightStats computeFlightStats(const std::vector<CFlightEntry> &flights)
{
    CSpellings sites;
    CSpellings motors;
    std::vector<CFlightKeys> keys;
    keys.reserve(flights.size());
    for (const CFlightEntry &flight : flights) {
        const QString site = flight.site.trimmed();
        const QString motor = flight.motorText();
        keys.push_back({flight.rocketKey(), sites.add(site.isEmpty() ? QLatin1String(kNoSite) : site),
                        motors.add(motor.isEmpty() ? QLatin1String(kNoMotor) : motor)});
    }
    const QHash<QString, QString> siteName = sites.names();
    const QHash<QString, QString> motorName = motors.names();

    CFlightStats stats = computeFlightTotals(flights);
    QHash<QString, CRocketRecord> rockets;
    QHash<QString, QHash<QString, int>> rocketSites;
    QHash<QString, CMotorRecord> motorRecords;
    QHash<QString, int> siteCounts;
    QMap<QString, int> years;
    QMap<QString, int> months;
    for (std::size_t i = 0; i < flights.size(); ++i) {
        const CFlightEntry &flight = flights[i];
        const CFlightKeys &key = keys[i];
        const int success = flight.success ? 1 : 0;

        CRocketRecord &rocket = rockets[key.rocket];
        if (rocket.flights == 0) {
            rocket.rocketId = key.rocket;
            rocket.rocket = flight.rocketLabel();
        }
        ++rocket.flights;
        rocket.successes += success;
        ++rocket.motors[key.motor];
        ++rocketSites[key.rocket][key.site];

        CMotorRecord &motor = motorRecords[key.motor];
        ++motor.flights;
        motor.successes += success;
        ++siteCounts[key.site];

        if (flight.date.isValid()) {
            if (!rocket.lastFlown.isValid() || flight.date > rocket.lastFlown)
                rocket.lastFlown = flight.date;
            ++years[flight.date.toString(QStringLiteral("yyyy"))];
            ++months[flight.date.toString(QStringLiteral("yyyy-MM"))];
        }
    }

    // Two rockets that read alike would be one line and one bar.
    QHash<QString, int> labels;
    for (const CRocketRecord &rocket : std::as_const(rockets))
        ++labels[rocket.rocket];
    for (auto it = rockets.begin(); it != rockets.end(); ++it) {
        CRocketRecord rocket = it.value();
        if (labels.value(rocket.rocket) > 1)
            rocket.rocket += QStringLiteral(" (%1)").arg(rocket.rocketId);
        rocket.motors = named(rocket.motors, motorName);
        const std::vector<CFlightCount> rocketSiteList = mostFirst(named(rocketSites.value(it.key()), siteName));
        rocket.mostUsedSite = rocketSiteList.empty() ? QString() : rocketSiteList.front().key;
        stats.rockets.push_back(std::move(rocket));
    }
    std::sort(stats.rockets.begin(), stats.rockets.end(), [](const CRocketRecord &a, const CRocketRecord &b) {
        const int byName = a.rocket.localeAwareCompare(b.rocket);
        return byName != 0 ? byName < 0 : a.rocketId < b.rocketId;
    });
    for (auto it = motorRecords.begin(); it != motorRecords.end(); ++it) {
        CMotorRecord motor = it.value();
        motor.motor = motorName.value(it.key());
        stats.motors.push_back(std::move(motor));
    }
    std::sort(stats.motors.begin(), stats.motors.end(), [](const CMotorRecord &a, const CMotorRecord &b) {
        return a.flights != b.flights ? a.flights > b.flights : a.motor.localeAwareCompare(b.motor) < 0;
    });
    stats.sites = mostFirst(named(siteCounts, siteName));
    stats.years = inOrder(years);
    stats.months = inOrder(months);
    return stats;
}
