#include "motors/MotorTable.h"

#include "db/RecordStore.h"
#include "motors/MotorCatalogueWriter.h"

namespace {
// Positions of the Motors columns in a "SELECT *" row.
constexpr int kTypeColumn = 1;
constexpr int kDelayColumn = 2;
constexpr int kMfgColumn = 3;
constexpr int kSizeColumn = 4;
} // namespace

QString motorListLine(const CRecordStore &store)
{
    const QChar tab = QLatin1Char('\t');
    return store.GetFieldText(kMfgColumn) + tab + store.GetFieldText(kTypeColumn) + tab
        + store.GetFieldText(kDelayColumn) + tab + store.GetFieldText(kSizeColumn);
}

bool hasRequiredMotorValues(const CMotorValues &motor)
{
    return !motor.type.isEmpty() && !motor.mfg.isEmpty() && !motor.delay.isEmpty();
}

bool addMotor(CRecordStore &store, const CMotorValues &motor)
{
    if (!hasRequiredMotorValues(motor))
        return false;
    return CMotorCatalogueWriter(store).addMotor(motor) > 0;
}

bool removeMotorAt(CRecordStore &store, int position)
{
    if (!store.RunSql(QLatin1String(kMotorListQuery)))
        return false;
    const int count = store.CountRecords();
    if (position < 0 || position >= count)
        return false;
    store.MoveFirst();
    store.MoveTo(position);
    return store.Delete() && store.Update();
}

bool removeAllMotors(CRecordStore &store)
{
    return store.RunSql(QStringLiteral("DELETE FROM Motors")) && store.Update();
}
