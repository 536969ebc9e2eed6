#pragma once

#include "motors/EngHeader.h"
#include "motors/ThrustCurve.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class CRecordStore;

// The thrust curves of the catalogue's motors, in a table of their own beside
// Motors (whose columns the saved queries, the filter and the recommended-motor
// screens rely on): one row per motor, keyed by the Motors rowid, with the
// figures derived from the curve, so that lists and filters read them without
// integrating. The logbook's own trigger (see logbookUpgradeStatements) removes
// a curve with its motor, in the same statement, however the motor is removed.
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
};

// Every motor in the motor list's order (maker, type), with its figures.
std::vector<CCatalogueMotor> loadMotorCatalogue(CRecordStore &store);

// Stores a good curve (thrustCurveProblem empty) for the motor of that rowid.
bool storeMotorCurve(CRecordStore &store, qint64 motorId, const std::vector<CThrustPoint> &points,
                     const CEngMasses &masses);
std::optional<CMotorCurveRow> loadMotorCurve(CRecordStore &store, qint64 motorId);

// The points as stored, in UTF-8: "time thrust" pairs, one a line.
QByteArray curvePointsText(const std::vector<CThrustPoint> &points);
std::vector<CThrustPoint> parseCurvePointsText(const QString &text);
