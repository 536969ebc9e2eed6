#pragma once

#include <QString>

// The motor of a flight, read alike from either form a Launches row holds it
// in: the launch wizard's recommended-motor entry ("Estes C6-5", with MotorMfg
// "Estes" and MotorDelay "5") or the type alone ("C6") with maker and delay in
// their own columns. Both are maker "Estes", type "C6", delay "5".
struct CFlightMotor
{
    QString maker;
    QString type;
    QString delay;
    // A staged or clustered entry ("S1 D12-3x3 S2 C6-7") carries the delay of
    // each of its motors; the row's one delay is not added to it.
    bool namesItsDelays = false;

    // "Estes C6-5": the one way the list, the flight page, the command line and
    // the statistics name the motor. Empty when the flight names no motor.
    QString text() const;
};

CFlightMotor flightMotor(const QString &motor, const QString &maker, const QString &delay);
