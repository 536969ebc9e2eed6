#pragma once

#include "flightdata/AltimeterRecording.h"
#include "flightdata/AltitudeComparison.h"
#include "flightdata/FlightMeasures.h"

#include <QString>

#include <optional>

// How a recording ends, in the words a flyer reads: "climbing", "in the air"
// or "on the ground".
QString flightEndWords(EFlightEnd end);

// What a flyer reads of a recording beside its plot, a line each: the apogee
// ("at least" where the recording ends climbing), the apogee the device states,
// the comparison with the expected altitude (in the flyer's unit), how the
// recording ends, and the lines and samples that were left out.
QString recordingSummary(const CAltimeterRecording &recording, const CFlightMeasures &measures, EHeightUnit unit,
                         std::optional<double> expected = std::nullopt);
