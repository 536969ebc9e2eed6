#pragma once

#include "flightdata/AltitudeComparison.h"
#include "flightmodel/FlightPrediction.h"
#include "prediction/RocketFlightInputs.h"

#include <QString>

class CRecordStore;
class CSettingsStore;

// A recommended motor flown in its rocket, for the pages that show one: the
// prediction with the Cd it used, or why there is none (the rocket or motor
// not in the logbook, a motor without a curve, a weight that cannot be read).
struct CRecMotorPrediction
{
    CFlightPrediction prediction;
    CCdChoice cd;
    QString error;

    [[nodiscard]] bool ok() const { return error.isEmpty() && prediction.ok(); }
    // The summary line in the flyer's height unit, or the reason there is none.
    QString text(EHeightUnit unit) const;
};

// count motors of that type (and maker) lit together in the rocket numbered
// rocketId, from a site at sea level unless given; the bare numbers of the
// rocket's Weight and Diameter in the units the settings choose.
[[nodiscard]] CRecMotorPrediction predictRecMotor(CRecordStore &store, const CSettingsStore &settings,
                                                  const QString &rocketId, const QString &type, const QString &mfg,
                                                  int count = 1, const CLaunchSite &site = {});

// The flyer's height unit as the settings hold it.
EHeightUnit settingsHeightUnit(const CSettingsStore &settings);

// An apogee as the "Expected Altitude" field holds it: a whole number in the
// flyer's unit, without the unit.
QString expectedAltitudeText(double apogeeM, EHeightUnit unit);
