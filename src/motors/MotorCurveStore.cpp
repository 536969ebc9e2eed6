#include "motors/MotorCurveStore.h"

#include "db/CurveLinks.h"
#include "db/RecordStore.h"
#include "motordata/CurvePointsText.h"
#include "motors/MotorCatalogueWriter.h"

bool storeMotorCurve(CRecordStore &store, qint64 motorId, const std::vector<CThrustPoint> &points,
                     const CEngMasses &masses)
{
    return CMotorCatalogueWriter(store).addCurve(motorId, nullptr, motorFigures(points), curvePointsText(points),
                                                 masses);
}

bool loadMotorCurve(CRecordStore &store, const CCatalogueMotor &motor, std::optional<CMotorCurveRow> &curve)
{
    curve.reset();
    CSqlStatement query = store.prepareRead(
        QStringLiteral("SELECT Motors.Type, Motors.Delay, Motors.MFG, Motors.Size, Points, PropellantMass, TotalMass "
                       "FROM Motors JOIN MotorCurves ON %1 WHERE Motors.rowid = ?1")
            .arg(QLatin1String(kCurveOfMotor)));
    if (!query.isValid())
        return false;
    if (!query.bindInt64(1, motor.id))
        return store.failStatement(query);
    switch (query.step()) {
    case CSqlStatement::Step::Row:
        break;
    case CSqlStatement::Step::Done:
        return true;
    case CSqlStatement::Step::Error:
        return store.failStatement(query);
    }
    // Another program may have renumbered the rows since the list was read.
    if (CMotorValues {query.columnText(0), query.columnText(1), query.columnText(2), query.columnText(3)}
        != motor.values())
        return true;
    CMotorCurveRow row;
    row.motorId = motor.id;
    row.points = parseCurvePointsText(query.columnText(4));
    row.masses = {query.columnDouble(5), query.columnDouble(6)};
    row.figures = motorFigures(row.points);
    curve = std::move(row);
    return true;
}

std::optional<std::vector<CCatalogueMotor>> loadMotorCatalogue(CRecordStore &store)
{
    std::vector<CCatalogueMotor> motors;
    const bool whole = store.forEachRow(
        QStringLiteral("SELECT Motors.rowid, Motors.Type, Motors.Delay, Motors.MFG, Motors.Size, MotorCurves.MotorID, "
                       "Class, TotalImpulse, AverageThrust, PeakThrust, BurnTime, PropellantMass, TotalMass FROM "
                       "Motors LEFT JOIN MotorCurves ON %1 ORDER BY Motors.MFG, Motors.Type, Motors.rowid")
            .arg(QLatin1String(kCurveOfMotor)),
        [&motors](const CSqlStatement &row) {
            CCatalogueMotor motor;
            motor.id = row.columnInt64(0);
            motor.type = row.columnText(1);
            motor.delay = row.columnText(2);
            motor.mfg = row.columnText(3);
            motor.size = row.columnText(4);
            motor.hasCurve = !row.columnIsNull(5);
            if (motor.hasCurve) {
                motor.figures.impulseClass = row.columnText(6);
                motor.figures.totalImpulse = row.columnDouble(7);
                motor.figures.averageThrust = row.columnDouble(8);
                motor.figures.peakThrust = row.columnDouble(9);
                motor.figures.burnTime = row.columnDouble(10);
                motor.masses = {row.columnDouble(11), row.columnDouble(12)};
            }
            motors.push_back(std::move(motor));
        });
    // A list cut short by a failed step would look whole.
    if (!whole)
        return std::nullopt;
    return motors;
}
