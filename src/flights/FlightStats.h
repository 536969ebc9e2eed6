#pragma once

#include "logbook/FlightEntry.h"

#include <QDate>
#include <QHash>
#include <QMap>
#include <QString>

#include <vector>

// What the record shows for a flight that names no site or no motor.
inline constexpr char kNoSite[] = "No site";
inline constexpr char kNoMotor[] = "No motor";

// A flyer's record, counted from the flights of the log.
struct CRocketRecord
{
    QString rocketId; // CFlightEntry::rocketKey
    // The rocket's label (CFlightEntry::rocketLabel); two rockets of one name
    // are told apart by their numbers, "Alpha (3)".
    QString rocket;
    int flights = 0;
    int successes = 0;
    QDate lastFlown; // invalid when no flight's date can be read
    QMap<QString, int> motors; // motor as named -> flights on it
    QString mostUsedSite; // ties go to the site first in name order

    double successRate() const { return flights > 0 ? double(successes) / flights : 0.0; }
};

struct CMotorRecord
{
    QString motor;
    int flights = 0;
    int successes = 0;

    double successRate() const { return flights > 0 ? double(successes) / flights : 0.0; }
};

// Flights of one site, year ("2026") or month ("2026-05").
struct CFlightCount
{
    QString key;
    int flights = 0;
};

// Sites and motors are counted without regard to case ("Pine Flats" and "pine
// flats" are one site, as the Flights screen's filter has it), each under the
// spelling most of its flights use.
struct CFlightStats
{
    int flights = 0;
    int successes = 0;
    QDate firstFlown; // the dates that can be read; invalid when none can
    QDate lastFlown;

    std::vector<CRocketRecord> rockets; // by name
    std::vector<CMotorRecord> motors; // most flown first
    std::vector<CFlightCount> sites; // most flown first
    std::vector<CFlightCount> years; // in time order; flights without a readable date are left out
    std::vector<CFlightCount> months;

    double successRate() const { return flights > 0 ? double(successes) / flights : 0.0; }
};

CFlightStats computeFlightStats(const std::vector<CFlightEntry> &flights);
// Only the counts and dates of the whole (flights, successes, first and last
// flight), without the tables: quick enough for a hundred thousand flights.
CFlightStats computeFlightTotals(const std::vector<CFlightEntry> &flights);

// "3 flights, 2 successes (67%)" and, when a date can be read, a second line
// "First flight 2025-12-31, last flight 2026-06-15"; "No flights." for none.
QString flightStatsSummary(const CFlightStats &stats);

// Each site of the flights, folded to one case, with the spelling most of its
// flights use (ties to the first in text order). Blank sites are left out.
QHash<QString, QString> siteNames(const std::vector<CFlightEntry> &flights);

// "1 flight", "3 flights": a count with its noun in the right number.
QString countOf(int count, const QString &one, const QString &many);
