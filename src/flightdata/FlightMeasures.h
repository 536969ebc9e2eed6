#pragma once

#include "flightdata/AltimeterRecording.h"

#include <optional>

// How a recording ends: before the apogee (the rocket still climbing), after
// it but before a landing, or with the rocket on the ground.
enum class EFlightEnd { Climbing, InTheAir, OnTheGround };

// What a flyer wants to know of a recorded flight. Heights in metres above the
// ground, speeds in metres per second, times in seconds after launch; a measure
// the recording cannot give is empty.
struct CFlightMeasures
{
    // The largest height after launch; where the recording ends climbing, the
    // least the apogee can have been.
    std::optional<double> apogee;
    std::optional<double> timeToApogee;
    std::optional<double> maxAscentSpeed;
    std::optional<double> drogueDescentSpeed;
    std::optional<double> mainDescentSpeed;
    std::optional<double> drogue;
    std::optional<double> main;
    // The first moment after which the height stays within a few metres of the
    // ground for a second; empty for a recording that ends in the air.
    std::optional<double> landing;
    // The launch in the recording's own time.
    double launchTime = 0;
    EFlightEnd end = EFlightEnd::OnTheGround;
};

// Measures a recording. Launch is the one the device logged (AltOS: time 0 of
// its file), else the last moment at the pad's level. The apogee is the largest
// height after launch as recorded. For the rest the heights pass a Hampel
// filter over half a second, so that glitches of the sensor (an ejection
// charge's pressure spike, a run of bad samples) make no event and no landing;
// speeds are the device's own where the file has them, else the half-second
// running median of the heights' slopes across a tenth of a second, which a
// glitch of any length moves no more than its two edges. Events the device
// logged are taken as it logged them; otherwise the drogue is taken at apogee
// and the main where the descent slows (the best split of the descent into two
// straight runs). A recording denser than 100 samples a second is measured at
// 100, each hundredth of a second by its median.
CFlightMeasures measureFlight(const CAltimeterRecording &recording);
