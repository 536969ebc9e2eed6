#pragma once

#include "db/SqlStatement.h"
#include "motordata/EngHeader.h"
#include "motordata/MotorValues.h"
#include "motordata/ThrustCurve.h"

#include <vector>

class CRecordStore;

// Adds motors and their thrust curves to the catalogue through two statements
// parsed once: an import of thousands of motors spent most of its time having
// SQLite parse each row's text, a curve's points included. Failures are the
// store's, with its reason, and doom its open transaction like any write.
class CMotorCatalogueWriter
{
public:
    explicit CMotorCatalogueWriter(CRecordStore &store);

    // The new motor's rowid, or 0 when the store refused it.
    [[nodiscard]] qint64 addMotor(const CMotorValues &motor);
    // Stores a good curve (thrustCurveProblem empty) for the motor of that
    // rowid, with its figures (motorFigures of the points) and the motor's
    // values, which keep it with its motor (null: the values the row holds
    // now). The text is the points as curvePointsText writes them, or as a
    // file wrote them (CEngMotor::text).
    [[nodiscard]] bool addCurve(qint64 motorId, const CMotorValues *motor, const CMotorFigures &figures,
                                const QByteArray &pointsText, const CEngMasses &masses);

private:
    CRecordStore &m_store;
    CSqlStatement m_motor;
    CSqlStatement m_curve;
};
