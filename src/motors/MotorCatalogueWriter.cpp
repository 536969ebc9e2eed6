#include "motors/MotorCatalogueWriter.h"

#include "db/RecordStore.h"

CMotorCatalogueWriter::CMotorCatalogueWriter(CRecordStore &store)
    : m_store(store)
{ }

qint64 CMotorCatalogueWriter::addMotor(const CMotorValues &motor)
{
    if (!m_motor.isValid())
        m_motor =
            m_store.prepareWrite(QStringLiteral("INSERT INTO Motors (Type, Delay, MFG, Size) VALUES (?, ?, ?, ?)"));
    if (!m_motor.isValid())
        return 0;
    if (!m_motor.bindText(1, motor.type) || !m_motor.bindText(2, motor.delay) || !m_motor.bindText(3, motor.mfg)
        || !m_motor.bindText(4, motor.size))
        return m_store.failBind(m_motor);
    return m_store.runWrite(m_motor) ? m_store.lastInsertRowId() : 0;
}

bool CMotorCatalogueWriter::addCurve(qint64 motorId, const CMotorValues *motor, const CMotorFigures &figures,
                                     const QByteArray &pointsText, const CEngMasses &masses)
{
    if (!m_curve.isValid()) {
        m_curve = m_store.prepareWrite(QStringLiteral(
            "INSERT OR REPLACE INTO MotorCurves (MotorID, Class, TotalImpulse, AverageThrust, PeakThrust, BurnTime, "
            "PropellantMass, TotalMass, Points, Type, Delay, MFG, Size) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
            "?)"));
    }
    if (!m_curve.isValid())
        return false;
    bool bound = m_curve.bindInt64(1, motorId) && m_curve.bindText(2, figures.impulseClass)
        && m_curve.bindDouble(3, figures.totalImpulse) && m_curve.bindDouble(4, figures.averageThrust)
        && m_curve.bindDouble(5, figures.peakThrust) && m_curve.bindDouble(6, figures.burnTime)
        && m_curve.bindDouble(7, masses.propellantKg) && m_curve.bindDouble(8, masses.totalKg)
        && m_curve.bindUtf8(9, pointsText);
    // Bound as the motor's own insert bound them, so the column types make the same values of them.
    if (motor) {
        bound = bound && m_curve.bindText(10, motor->type) && m_curve.bindText(11, motor->delay)
            && m_curve.bindText(12, motor->mfg) && m_curve.bindText(13, motor->size);
    } else {
        for (int column = 10; column <= 13; ++column)
            bound = bound && m_curve.bindNull(column);
    }
    return bound ? m_store.runWrite(m_curve) : m_store.failBind(m_curve);
}
