#include "motors/MotorTable.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
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

MotorRemoval removeMotor(CRecordStore &store, qint64 rowId, const CMotorValues &shown)
{
    CStoreTransaction transaction(store);
    if (!transaction.isActive())
        return MotorRemoval::Failed;
    {
        CSqlStatement row =
            store.prepareRead(QStringLiteral("SELECT Type, Delay, MFG, Size FROM Motors WHERE rowid = ?1"));
        if (!row.isValid() || !row.bindInt64(1, rowId))
            return MotorRemoval::Failed;
        switch (row.step()) {
        case CSqlStatement::Step::Done:
            return MotorRemoval::Gone;
        case CSqlStatement::Step::Error:
            return MotorRemoval::Failed;
        case CSqlStatement::Step::Row:
            break;
        }
        if (CMotorValues {row.columnText(0), row.columnText(1), row.columnText(2), row.columnText(3)} != shown)
            return MotorRemoval::Changed;
    }
    CSqlStatement removal = store.prepareWrite(QStringLiteral("DELETE FROM Motors WHERE rowid = ?1"));
    if (!removal.isValid() || !removal.bindInt64(1, rowId) || !store.runWrite(removal) || !transaction.commit())
        return MotorRemoval::Failed;
    return MotorRemoval::Removed;
}

bool removeAllMotors(CRecordStore &store)
{
    return store.RunSql(QStringLiteral("DELETE FROM Motors")) && store.Update();
}
