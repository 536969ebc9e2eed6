#pragma once

#include "motordata/EngHeader.h"
#include "motordata/MotorValues.h"
#include "motordata/ThrustCurve.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

class CRecordStore;

// The thrust curves of the catalogue's motors, in a table of their own beside
// Motors (whose columns the saved queries, the filter and the recommended-motor
// screens rely on): one row per motor, holding the motor's rowid and its own
// values, with the figures derived from the curve, so that lists and filters
// read them without integrating. A curve is read only with the motor whose row
// and values it holds (see kCurveOfMotor), so a logbook another program
// renumbered never shows one motor's curve for another.
struct CMotorCurveRow
{
    qint64 motorId = 0;
    std::vector<CThrustPoint> points;
    CMotorFigures figures;
    CEngMasses masses;
};

// A motor of the catalogue with its curve's figures, when it has a curve.
struct CCatalogueMotor
{
    qint64 id = 0; // the Motors rowid
    QString type;
    QString delay;
    QString mfg;
    QString size;
    bool hasCurve = false;
    CMotorFigures figures;
    CEngMasses masses;

    CMotorValues values() const { return {type, delay, mfg, size}; }
};

// Every motor in the motor list's order (maker, type), with its figures; none,
// with the store's reason, when the catalogue cannot be read whole.
[[nodiscard]] std::optional<std::vector<CCatalogueMotor>> loadMotorCatalogue(CRecordStore &store);

// Stores a good curve (thrustCurveProblem empty) for the motor the row of that
// rowid holds now.
[[nodiscard]] bool storeMotorCurve(CRecordStore &store, qint64 motorId, const std::vector<CThrustPoint> &points,
                                   const CEngMasses &masses);
// The curve of a motor as the catalogue listed it, into curve: none when it
// has none, or when its row no longer holds these values. False, with the
// store's reason, when it cannot be read: not the same as having none.
[[nodiscard]] bool loadMotorCurve(CRecordStore &store, const CCatalogueMotor &motor,
                                  std::optional<CMotorCurveRow> &curve);
