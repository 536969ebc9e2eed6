#pragma once

#include "flightmodel/FlightInputs.h"

#include <QString>

#include <span>

class CFlightPredictor;

// A drag coefficient fitted to a recorded flight, or why none could be.
struct CCdFit
{
    double cd = 0;
    QString error;

    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// The Cd with which the predicted apogee meets the recorded one (m above the
// pad), found by halving: the apogee only falls as the Cd grows. Refused when
// the recorded apogee is above the flight without drag (the rocket is lighter
// or the motor stronger than the logbook says), when the rocket would not fly
// at all, or when no Cd up to 10,000 brings the apogee that low.
[[nodiscard]] CCdFit fitCd(const CFlightPredictor &predictor, std::span<const CMotorLoad> stages,
                           double recordedApogeeM);
[[nodiscard]] CCdFit fitCd(const CFlightInput &input, double recordedApogeeM);

// The Cd a rocket's fitted flights agree on: their median (the mean of the two
// middle ones for an even count), which one odd flight does not drag along,
// and how many fitted values it rests on. Values that are not numbers or below
// 0 are left out; no values give a Cd of 0 from 0 flights.
struct CCdMedian
{
    double cd = 0;
    int flights = 0;
};

CCdMedian medianCd(std::span<const double> fitted);
