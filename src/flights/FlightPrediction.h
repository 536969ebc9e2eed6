#pragma once

#include "flightdata/AltitudeComparison.h"
#include "prediction/FlightFit.h"

#include <QString>

// "Predicted 1,105 ft, recorded 1,020 ft (-8 %); Cd 0.6 (default). With Cd
// 0.71 the prediction meets the recording.": a logged flight's prediction
// beside its recording, and the rocket's Cd with what it rests on; why
// there is none when the flight cannot be predicted.
QString flightPredictionText(const CFlightCdFit &fit, EHeightUnit unit);

// The question before a fitted Cd is kept for the rocket: its value, the
// apogee it meets and, where the flyer set the rocket's own Cd, that the set
// one stays in use.
QString fitCdQuestion(const CFlightCdFit &fit, EHeightUnit unit);
