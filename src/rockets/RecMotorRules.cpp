#include "rockets/RecMotorRules.h"

#include "db/CurveLinks.h"
#include "db/RecordStore.h"
#include "db/SqlText.h"
#include "db/StoreTransaction.h"
#include "rockets/RocketQueries.h"

#include <QLocale>

QString pendingMotorLine(const CPendingMotor &motor, bool staged, bool clustered)
{
    QString line;
    if (staged)
        line = QStringLiteral("S%1 ").arg(leadingInteger(motor.stage));
    line += motor.mfg + QLatin1Char('\t') + motor.type + QLatin1Char('-') + motor.delay;
    if (clustered)
        line += QLatin1Char('x') + motor.qty;
    return line;
}

CRecMotorEntries readRecMotorListLines(CRecordStore &store, const QString &rocketId, bool staged, bool clustered)
{
    CRecMotorEntries result;
    if (!store.RunSql(recMotorsQuery(rocketId)))
        return result;
    if (!staged && !clustered) {
        for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
            result.entries.append(store.GetFieldText(kRecMotorMfg) + QLatin1Char('\t')
                                  + store.GetFieldText(kRecMotorType) + QLatin1Char('-')
                                  + store.GetFieldText(kRecMotorDelay));
        }
        return result;
    }
    QStringList groups;
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext())
        groups.append(store.GetFieldText(kRecMotorGroup));
    result.groups = distinctInOrder(groups);
    for (const QString &group : std::as_const(result.groups))
        result.entries.append(
            recMotorGroupEntry(readRecMotorRows(store, recMotorGroupQuery(rocketId, group)), clustered, true));
    return result;
}

QString allocateRecMotorGroup(CRecordStore &store, const QString &rocketId)
{
    int group = (store.RunSql(QStringLiteral("Select * FROM RecMotors ORDER BY Type")) ? store.CountRecords() : 0) + 1;
    while (store.RunSql(recMotorGroupQuery(rocketId, QString::number(group))) && store.CountRecords() > 0)
        ++group;
    return QString::number(group);
}

bool insertSimpleRecMotor(CRecordStore &store, const QString &rocketId, const CPendingMotor &motor,
                          const QString &altitude)
{
    return store.RunSql(QStringLiteral("INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt) VALUES (%1,%2,%3,%4,%5)")
                            .arg(sqlQuote(rocketId), sqlQuote(motor.type), sqlQuote(motor.delay), sqlQuote(motor.mfg),
                                 sqlQuote(altitude)))
        && store.Update();
}

bool insertRecMotorGroup(CRecordStore &store, const QString &rocketId, const QList<CPendingMotor> &motors,
                         const QString &altitude)
{
    CStoreTransaction transaction(store);
    if (!transaction.isActive())
        return false;
    const QString group = allocateRecMotorGroup(store, rocketId);
    for (const CPendingMotor &motor : motors) {
        const QString values =
            QStringList {sqlQuote(rocketId), sqlQuote(motor.type),  sqlQuote(motor.delay), sqlQuote(motor.mfg),
                         sqlQuote(altitude), sqlQuote(motor.stage), sqlQuote(motor.qty),   sqlQuote(group)}
                .join(QLatin1Char(','));
        if (!store.RunSql(
                QStringLiteral("INSERT INTO RecMotors (RocketID,Type,Delay,MFG,Alt,Stage,Qty,GroupID) VALUES (%1)")
                    .arg(values)))
            return false;
    }
    return transaction.commit();
}

QList<CPendingMotor> readRecMotorGroup(CRecordStore &store, const QString &rocketId, const QString &group,
                                       QString *altitude)
{
    QList<CPendingMotor> motors;
    if (!store.RunSql(recMotorGroupQuery(rocketId, group)))
        return motors;
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
        motors.append({store.GetFieldText(kRecMotorType), store.GetFieldText(kRecMotorDelay),
                       store.GetFieldText(kRecMotorMfg), store.GetFieldText(kRecMotorStage),
                       store.GetFieldText(kRecMotorQty)});
        if (altitude)
            *altitude = store.GetFieldText(kRecMotorAlt);
    }
    return motors;
}

bool deleteRecMotorGroup(CRecordStore &store, const QString &rocketId, const QString &group)
{
    CStoreTransaction transaction(store);
    if (!transaction.isActive() || !store.RunSql(recMotorGroupQuery(rocketId, group)))
        return false;
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
        if (!store.Delete())
            return false;
    }
    return transaction.commit();
}

bool deleteSimpleRecMotor(CRecordStore &store, const QString &rocketId, int index)
{
    if (!store.RunSql(recMotorsQuery(rocketId)) || index < 0 || !store.MoveTo(index) || store.IsEOF())
        return false;
    return store.Delete() && store.Update();
}

CCatalogueThrust catalogueThrust(CRecordStore &store, const QString &type, const QString &mfg, const QString &delay)
{
    CCatalogueThrust thrust;
    if (type.isEmpty() || mfg.isEmpty())
        return thrust;
    // Driven from the curves' key, so a large catalogue is read once per choice.
    const QString sql = QStringLiteral("SELECT MotorCurves.MotorID, Class, TotalImpulse FROM Motors "
                                       "LEFT JOIN MotorCurves ON %4 "
                                       "WHERE Motors.Type = %1 COLLATE NOCASE AND Motors.MFG = %2 COLLATE NOCASE "
                                       "ORDER BY MotorCurves.MotorID IS NULL, Motors.Delay IS NOT %3, Motors.rowid "
                                       "LIMIT 1")
                            .arg(sqlQuote(type), sqlQuote(mfg), sqlQuote(delay), QLatin1String(kCurveOfMotor));
    if (!store.RunSql(sql))
        return thrust;
    store.MoveFirst();
    if (store.IsEOF())
        return thrust;
    thrust.inCatalogue = true;
    thrust.hasCurve = !store.GetFieldText(0).isEmpty();
    if (thrust.hasCurve) {
        thrust.impulseClass = store.GetFieldText(1);
        thrust.totalImpulse = store.GetFieldText(2).toDouble();
    }
    return thrust;
}

QString catalogueThrustText(const CCatalogueThrust &thrust)
{
    if (!thrust.hasCurve)
        return thrust.inCatalogue ? QStringLiteral("no curve") : QString();
    // Grouped by thousands the way flyers write them, whatever the device's language.
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QString impulse = thrust.totalImpulse < 100 ? english.toString(thrust.totalImpulse, 'g', 3)
                                                      : english.toString(qRound64(thrust.totalImpulse));
    return thrust.impulseClass + QStringLiteral(", ") + impulse + QStringLiteral(" N\u00b7s");
}
