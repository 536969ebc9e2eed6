#include "motors/MotorFilter.h"

#include "db/CurveLinks.h"
#include "db/SqlText.h"

#include <QStringList>

namespace {
void addCondition(QStringList &conditions, const char *column, const QString &text, bool negated)
{
    if (text.isEmpty())
        return;
    conditions.append(QLatin1String(column) + (negated ? QStringLiteral(" NOT LIKE ") : QStringLiteral(" LIKE "))
                      + sqlQuote(QLatin1Char('%') + text + QLatin1Char('%')));
}
} // namespace

QString motorFilterCondition(const CMotorFilter &filter)
{
    QStringList conditions;
    addCondition(conditions, "Type", filter.type, filter.notType);
    addCondition(conditions, "Delay", filter.delay, filter.notDelay);
    addCondition(conditions, "MFG", filter.mfg, filter.notMfg);
    addCondition(conditions, "Size", filter.size, filter.notSize);
    const QString wantedClass = filter.impulseClass.trimmed().toUpper();
    if (!wantedClass.isEmpty()) {
        // Only a curve still with its motor says the motor's class.
        conditions.append(
            QStringLiteral("EXISTS (SELECT 1 FROM MotorCurves WHERE %1 AND Class ").arg(QLatin1String(kCurveOfMotor))
            + (filter.notClass ? QStringLiteral("<> ") : QStringLiteral("= ")) + sqlQuote(wantedClass)
            + QLatin1Char(')'));
    }
    return conditions.join(QStringLiteral(" AND "));
}

QString motorFilterSelect(const CMotorFilter &filter)
{
    return QStringLiteral("Select * FROM Motors WHERE ") + motorFilterCondition(filter);
}

QString motorFilterDelete(const CMotorFilter &filter)
{
    return QStringLiteral("DELETE FROM Motors WHERE ") + motorFilterCondition(filter);
}
