#pragma once

#include "flightmodel/CdFit.h"
#include "flightmodel/FlightPrediction.h"
#include "logbook/FlightMotor.h"
#include "prediction/CurveMotors.h"
#include "prediction/RocketFlightInputs.h"

#include <QString>

#include <optional>

class CRecordStore;

// What a logged flight with a recording gives a fit: its rocket, its motor,
// the air it flew in and the apogee its altimeter recorded.
struct CRecordedFlight
{
    qint64 flightId = 0; // the Launches rowid
    QString rocketId; // Launches.Model
    CFlightMotor motor; // as every screen reads it (logbook/FlightMotor.h)
    std::optional<double> temperatureC; // as logged, in °C; empty when none was
    double apogeeM = 0; // above the pad, from the recording
};

// The flight and its recording's apogee. False, with error saying why, when
// there is no such flight, it names no rocket or motor or a staged or
// clustered set of them (no fit can share a Cd among them), it has no readable
// recording, or the recording ends before the apogee (which it then only
// bounds from below: no Cd would be honest).
[[nodiscard]] bool loadRecordedFlight(CRecordStore &store, qint64 flightId, CRecordedFlight &flight, QString &error);

// A recorded flight against its prediction, and the Cd that makes them meet.
struct CFlightCdFit
{
    CRecordedFlight flight;
    CRocketFlightInputs rocket; // with the Cd it has before this fit
    CCurveMotor motor;
    CLaunchSite site;
    // The flight as predicted with the rocket's Cd of now.
    CFlightPrediction prediction;
    // The Cd with which the prediction meets the recorded apogee; fit.error
    // when none does (the rocket lighter or the motor stronger than logged).
    CCdFit fit;
    // Why the flight cannot be predicted at all; the rest is then unset.
    QString error;

    [[nodiscard]] bool ok() const { return error.isEmpty(); }
};

// Fits the Cd of a flight of the logbook: the flight's rocket and motor, at the site's elevation and
// the flight's logged temperature (15 °C where none was logged).
[[nodiscard]] CFlightCdFit fitCdToFlight(CRecordStore &store, qint64 flightId, EUnitSystem units,
                                         double elevationM = 0);

// Keeps a fit for the flight's rocket, replacing an earlier fit of that
// flight; the rocket's next predictions use the median of its fits unless the
// flyer set its Cd. False, with error, when it cannot be stored.
[[nodiscard]] bool keepFittedCd(CRecordStore &store, const CFlightCdFit &fit, QString &error);
