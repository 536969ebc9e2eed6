#pragma once

#include "flightdata/AltitudeComparison.h"
#include "flightmodel/FlightPrediction.h"
#include "prediction/CurveMotors.h"
#include "prediction/RocketFlightInputs.h"

#include <QString>

// A catalogue motor (count of them lit together) flown in a catalogue rocket
// from a site: the recommended-motors page's and the launch wizard's
// prediction. A rocket whose weight or diameter cannot be read gives its
// problems as the prediction's error.
[[nodiscard]] CFlightPrediction predictMotor(const CRocketFlightInputs &rocket, const CCurveMotor &motor, int count,
                                             const CLaunchSite &site);

// The prediction in a line for the flyer: "Apogee 1,105 ft at 7.2 s; optimal
// delay 5.1 s, nearest 5 s; off the guide at 16.3 m/s; Cd 0.6 (default)",
// then the warnings; the error alone when it could not be predicted.
QString predictionSummary(const CFlightPrediction &prediction, const CCdChoice &cd, EHeightUnit unit);
