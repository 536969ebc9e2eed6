#include "motors/MotorTable.h"

#include "db/RecordStore.h"
#include "db/SqlText.h"
#include "ui/ProgressReport.h"

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

QStringList loadMotorLines(CRecordStore &store, CProgressReport &progress)
{
    progress.showProgress(QStringLiteral("Loading Motors list box"));
    QStringList lines;
    if (!store.RunSql(QLatin1String(kMotorListQuery)))
        return lines;
    const int count = store.CountRecords();
    store.MoveFirst();
    lines.reserve(count);
    const QString total = QString::number(count);
    for (; !store.IsEOF(); store.MoveNext()) {
        lines.append(motorListLine(store));
        progress.showProgress(QStringLiteral("Loading Motor\n") + QString::number(lines.size()) + QStringLiteral(" of ")
                              + total);
    }
    return lines;
}

QString addMotorStatement(const CMotorValues &motor)
{
    return QStringLiteral("INSERT INTO Motors (Type,Delay,MFG,Size) VALUES (") + sqlQuote(motor.type) + QLatin1Char(',')
        + sqlQuote(motor.delay) + QLatin1Char(',') + sqlQuote(motor.mfg) + QLatin1Char(',') + sqlQuote(motor.size)
        + QLatin1Char(')');
}

bool hasRequiredMotorValues(const CMotorValues &motor)
{
    return !motor.type.isEmpty() && !motor.mfg.isEmpty() && !motor.delay.isEmpty();
}

bool addMotor(CRecordStore &store, const CMotorValues &motor)
{
    if (!hasRequiredMotorValues(motor))
        return false;
    return store.RunSql(addMotorStatement(motor)) && store.Update();
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
