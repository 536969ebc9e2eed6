#pragma once

#include "logbook/FlightEntry.h"

#include <QDateTime>
#include <QString>

#include <optional>

// The values of one logged flight, as the launch wizard fills them in and as
// they go into one Launches row.
struct CFlightRecord
{
    QString model; // the rocket's ID, as text
    QString recovery;
    QString motor;
    QString motorMfg;
    QString motorDelay;
    QString site;
    int windSpeed = 0;
    QString windDirection;
    int temperature = 0;
    bool celsius = false;
    // Moments stamped by the wizard's buttons; unset until a button sets them.
    std::optional<QDateTime> launchTime;
    std::optional<QDateTime> drogueTime;
    std::optional<QDateTime> mainTime;
    std::optional<QDateTime> doneTime;
    QString notes;
    std::optional<bool> success;
    QString altFileName;

    // The row the launch screen stores for the flight: numbers in decimal, the
    // flags as set or not, the launch moment as its date and the other three
    // as times of day (FormatLaunchTime). A moment or outcome no button has
    // set is stored as empty text and 0.
    CFlightEntry row() const;
};
