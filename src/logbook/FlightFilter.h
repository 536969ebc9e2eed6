#pragma once

#include "logbook/FlightEntry.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

// Which flights the log shows. Every part left empty lets every flight through.
struct CFlightFilter
{
    // Found in the rocket's label, the motor as named, the site or the notes, in any case.
    QString search;
    // One rocket: by its key (CFlightEntry::rocketKey; the Flights screen, the
    // rocket browser's FLIGHTS), or by its label in any case (the command line).
    std::optional<QString> rocketKey;
    QString rocketLabel;
    // In any case, and blanks around it do not count.
    QString site;
    std::optional<bool> success;
    // Inclusive; an invalid date leaves that end open.
    QDate from;
    QDate to;

    bool matches(const CFlightEntry &flight) const;
    bool matchesSearch(const CFlightEntry &flight) const;
    bool operator==(const CFlightFilter &) const = default;
};

// Where a flight stands newest first: by date, then by time of day, then the
// later row first; flights whose date cannot be read come last. Only the row,
// the date and the three times count, so it can be had without the rest.
struct CFlightOrderKey
{
    qint64 day;
    int minute;
    qint64 rowId;
};
CFlightOrderKey flightOrderKey(const CFlightEntry &flight);
bool isNewer(const CFlightOrderKey &a, const CFlightOrderKey &b);

void sortNewestFirst(std::vector<CFlightEntry> &flights);
