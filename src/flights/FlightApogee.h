#pragma once

#include <QString>

#include <optional>

// The apogee in metres of the altimeter recording a flight names (Launches.
// AltFileName), found where it was stored or, after the storage directory
// moved, by its name there; empty when the flight has no readable recording.
std::optional<double> flightApogee(const QString &altFileName, const QString &storageDirectory);
