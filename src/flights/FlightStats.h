#pragma once

#include "flights/FlightEntry.h"

#include <QDate>
#include <QMap>
#include <QString>

#include <vector>

// A flyer's record, counted from the flights of the log.
struct CRocketRecord
{
    QString rocketId;
    QString rocket; // the name, as CFlightEntry::rocketLabel gives it
    int flights = 0;
    int successes = 0;
    QDate lastFlown; // invalid when no flight's date can be read
    QMap<QString, int> motors; // motor text -> flights on it
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

struct CFlightStats
{
    std::vector<CRocketRecord> rockets; // by name
    std::vector<CMotorRecord> motors; // most flown first
    std::vector<CFlightCount> sites; // most flown first
    std::vector<CFlightCount> years; // in time order; flights without a readable date are left out
    std::vector<CFlightCount> months;
};

CFlightStats computeFlightStats(const std::vector<CFlightEntry> &flights);
