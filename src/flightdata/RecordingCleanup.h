#pragma once

#include "flightdata/AltimeterRecording.h"
#include "flightdata/FlightColumns.h"

#include <optional>
#include <vector>

// Turns what the reader took from a file into the recording's units and ground:
// heights and speeds into metres (an RRC3's unit told by its pressure), the
// impossible samples left out, and altitudes above sea level brought down to
// the ground, the median of the samples before launch.
void settleRecording(CAltimeterRecording &recording, const CFlightColumns &columns,
                     const std::vector<double> &pressure);

// Metres per unit of heights that name no unit, told by how far the pressure
// beside them falls: feet (0.3048) or metres (1). Empty when the pressure
// does not fall far enough to tell. The pressure's own unit does not matter.
std::optional<double> heightUnitFromPressure(const std::vector<double> &height, const std::vector<double> &pressure);
