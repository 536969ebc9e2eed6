#pragma once

#include "flightdata/AltimeterRecording.h"

#include <optional>

// What a flyer wants to know of a recorded flight. Heights in metres above the
// launch point, speeds in metres per second, times in seconds after launch;
// a measure the recording cannot give is empty.
struct CFlightMeasures
{
    std::optional<double> apogee;
    std::optional<double> timeToApogee;
    std::optional<double> maxAscentSpeed;
    std::optional<double> drogueDescentSpeed;
    std::optional<double> mainDescentSpeed;
    std::optional<double> drogue;
    std::optional<double> main;
    std::optional<double> landing;
    // The launch in the recording's own time.
    double launchTime = 0;
};

// Measures a recording. The heights are first passed through a five-sample
// median, so the pressure spike of an ejection charge neither raises the apogee
// nor makes a speed; speeds are slopes over half a second or more. Events the
// device recorded are taken as it recorded them; otherwise the drogue is taken
// at apogee and the main where the descent slows (the best split of the descent
// into two straight runs).
CFlightMeasures measureFlight(const CAltimeterRecording &recording);
