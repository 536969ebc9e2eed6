#pragma once

#include "logbook/FlightEntry.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

// What the Flights filters offer to choose from.
struct CFlightChoices
{
    // (label, key) in label order: every rocket of the catalogue, so that one
    // not flown yet shows its empty list, then the flights' rockets that are
    // not in it (deleted, or never there), by the label the list shows them with.
    std::vector<std::pair<QString, QString>> rockets;
    // Each site once, whatever its case, in the spelling most of its flights
    // use, in name order.
    QStringList sites;
};

// catalogue: the rockets as CFlightLog::rockets() gives them, (number, name).
CFlightChoices flightChoices(const std::vector<std::pair<QString, QString>> &catalogue,
                             const std::vector<CFlightEntry> &flights);
