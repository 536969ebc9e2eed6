#pragma once

#include "flightmodel/FlightInputs.h"
#include "motordata/EngHeader.h"
#include "motordata/ThrustCurve.h"

#include <QString>

#include <optional>
#include <vector>

class CRecordStore;

// A catalogue motor with its thrust curve and masses, read with the motor
// whose row and values the curve was stored for (db/CurveLinks.h).
struct CCurveMotor
{
    qint64 id = 0; // the Motors rowid
    QString type;
    QString delay; // every delay the catalogue sells it with, "3-5-7"
    QString mfg;
    QString size; // "18x70": diameter and length in mm
    std::vector<CThrustPoint> points;
    CEngMasses masses;
    CMotorFigures figures;

    // "Estes C6": the motor as the guide and the messages name it.
    QString name() const;
    // The diameter the Size text starts with, in m; empty when it gives none.
    std::optional<double> diameterM() const;
    // The stage the flight model flies: count of these lit together.
    CMotorLoad load(int count = 1) const;
};

// Every motor of the catalogue that has a curve, in the motor list's order
// (maker, type), read in one pass; empty with the store's reason in error
// when the catalogue cannot be read whole.
[[nodiscard]] std::optional<std::vector<CCurveMotor>> loadCurveMotors(CRecordStore &store, QString &error);

// The motor of that type (and maker, when one is given), in any case. Rows of
// the same type and maker (one per delay, as some catalogues list them) are one
// motor selling every delay of them. Empty, with error saying why, when none
// is in the catalogue, when it has no thrust curve, when several makers sell
// that type and no maker is given, or when the catalogue cannot be read.
[[nodiscard]] std::optional<CCurveMotor> findCurveMotor(CRecordStore &store, const QString &type, const QString &mfg,
                                                        QString &error);
