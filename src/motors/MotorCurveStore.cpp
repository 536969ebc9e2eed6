#include "motors/MotorCurveStore.h"

#include "db/RecordStore.h"
#include "db/SqlText.h"

namespace {
// Thrust-curve files give three to six digits; ten keep every one of them and
// keep the stored text short, which is most of what an import writes.
QString number(double value)
{
    return QString::number(value, 'g', 10);
}
} // namespace

QString curvePointsText(const std::vector<CThrustPoint> &points)
{
    QString text;
    for (const CThrustPoint &point : points)
        text += number(point.time) + QLatin1Char(' ') + number(point.thrust) + QLatin1Char('\n');
    return text;
}

std::vector<CThrustPoint> parseCurvePointsText(const QString &text)
{
    std::vector<CThrustPoint> points;
    for (const QStringView line : QStringView(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QList<QStringView> fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool timeOk = false;
        bool thrustOk = false;
        if (fields.size() != 2)
            continue;
        const double time = fields.at(0).toDouble(&timeOk);
        const double thrust = fields.at(1).toDouble(&thrustOk);
        if (timeOk && thrustOk)
            points.push_back({time, thrust});
    }
    return points;
}

bool storeMotorCurve(CRecordStore &store, qint64 motorId, const std::vector<CThrustPoint> &points,
                     const CEngMasses &masses)
{
    const CMotorFigures figures = motorFigures(points);
    return store.RunSql(QStringLiteral("INSERT OR REPLACE INTO MotorCurves (MotorID, Class, TotalImpulse, "
                                       "AverageThrust, PeakThrust, BurnTime, PropellantMass, TotalMass, Points) "
                                       "VALUES (%1, %2, %3, %4, %5, %6, %7, %8, %9)")
                            .arg(QString::number(motorId), sqlQuote(figures.impulseClass), number(figures.totalImpulse),
                                 number(figures.averageThrust), number(figures.peakThrust), number(figures.burnTime),
                                 number(masses.propellantKg), number(masses.totalKg),
                                 sqlQuote(curvePointsText(points))));
}

std::optional<CMotorCurveRow> loadMotorCurve(CRecordStore &store, qint64 motorId)
{
    if (!store.RunSql(QStringLiteral("SELECT Points, PropellantMass, TotalMass FROM MotorCurves WHERE MotorID = %1")
                          .arg(motorId)))
        return std::nullopt;
    store.MoveFirst();
    if (store.IsEOF())
        return std::nullopt;
    CMotorCurveRow row;
    row.motorId = motorId;
    row.points = parseCurvePointsText(store.GetFieldText(0));
    row.masses = {store.GetFieldText(1).toDouble(), store.GetFieldText(2).toDouble()};
    row.figures = motorFigures(row.points);
    return row;
}

std::vector<CCatalogueMotor> loadMotorCatalogue(CRecordStore &store)
{
    std::vector<CCatalogueMotor> motors;
    if (!store.RunSql(QStringLiteral(
            "SELECT Motors.rowid, Type, Delay, MFG, Size, MotorCurves.MotorID, Class, TotalImpulse, AverageThrust, "
            "PeakThrust, BurnTime, PropellantMass, TotalMass FROM Motors LEFT JOIN MotorCurves "
            "ON MotorCurves.MotorID = Motors.rowid ORDER BY MFG, Type, Motors.rowid")))
        return motors;
    motors.reserve(std::size_t(store.CountRecords()));
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
        CCatalogueMotor motor;
        motor.id = store.GetFieldText(0).toLongLong();
        motor.type = store.GetFieldText(1);
        motor.delay = store.GetFieldText(2);
        motor.mfg = store.GetFieldText(3);
        motor.size = store.GetFieldText(4);
        motor.hasCurve = !store.GetFieldText(5).isEmpty();
        if (motor.hasCurve) {
            motor.figures.impulseClass = store.GetFieldText(6);
            motor.figures.totalImpulse = store.GetFieldText(7).toDouble();
            motor.figures.averageThrust = store.GetFieldText(8).toDouble();
            motor.figures.peakThrust = store.GetFieldText(9).toDouble();
            motor.figures.burnTime = store.GetFieldText(10).toDouble();
            motor.masses = {store.GetFieldText(11).toDouble(), store.GetFieldText(12).toDouble()};
        }
        motors.push_back(std::move(motor));
    }
    return motors;
}
