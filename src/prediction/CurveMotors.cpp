#include "prediction/CurveMotors.h"

#include "db/CurveLinks.h"
#include "db/RecordStore.h"
#include "motordata/CurvePointsText.h"

#include <QSet>

namespace {
// Columns 0-4: the motor; 5: whether it has a curve; 6-13: the curve.
QString motorQuery(const QString &where)
{
    return QStringLiteral("SELECT Motors.rowid, Motors.Type, Motors.Delay, Motors.MFG, Motors.Size, "
                          "MotorCurves.MotorID IS NOT NULL, Points, PropellantMass, TotalMass, Class, TotalImpulse, "
                          "AverageThrust, PeakThrust, BurnTime FROM Motors LEFT JOIN MotorCurves ON %1 %2 ORDER BY "
                          "Motors.MFG, Motors.Type, Motors.rowid")
        .arg(QLatin1String(kCurveOfMotor), where);
}

CCurveMotor motorOf(const CSqlStatement &row)
{
    CCurveMotor motor;
    motor.id = row.columnInt64(0);
    motor.type = row.columnText(1);
    motor.delay = row.columnText(2);
    motor.mfg = row.columnText(3);
    motor.size = row.columnText(4);
    if (row.columnInt64(5) != 0) {
        motor.points = parseCurvePointsText(row.columnText(6));
        motor.masses = {row.columnDouble(7), row.columnDouble(8)};
        motor.figures.impulseClass = row.columnText(9);
        motor.figures.totalImpulse = row.columnDouble(10);
        motor.figures.averageThrust = row.columnDouble(11);
        motor.figures.peakThrust = row.columnDouble(12);
        motor.figures.burnTime = row.columnDouble(13);
    }
    return motor;
}

bool sameText(const QString &a, const QString &b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}
} // namespace

QString CCurveMotor::name() const
{
    return mfg.trimmed().isEmpty() ? type : mfg.trimmed() + QLatin1Char(' ') + type;
}

std::optional<double> CCurveMotor::diameterM() const
{
    const QString text = size.trimmed();
    qsizetype end = 0;
    while (end < text.size() && (text.at(end).isDigit() || text.at(end) == QLatin1Char('.')))
        ++end;
    bool number = false;
    const double millimetres = text.left(end).toDouble(&number);
    if (!number || !(millimetres > 0))
        return std::nullopt;
    return millimetres / 1000;
}

CMotorLoad CCurveMotor::load(int count) const
{
    return CMotorLoad {points, masses.propellantKg, masses.totalKg, delay, count};
}

std::optional<std::vector<CCurveMotor>> loadCurveMotors(CRecordStore &store, QString &error)
{
    std::vector<CCurveMotor> motors;
    const bool whole = store.forEachRow(motorQuery(QStringLiteral("WHERE MotorCurves.MotorID IS NOT NULL")),
                                        [&motors](const CSqlStatement &row) { motors.push_back(motorOf(row)); });
    if (!whole) {
        error = store.lastError();
        return std::nullopt;
    }
    return motors;
}

std::optional<CCurveMotor> findCurveMotor(CRecordStore &store, const QString &type, const QString &mfg, QString &error)
{
    CSqlStatement query = store.prepareRead(motorQuery(
        QStringLiteral("WHERE trim(Motors.Type) = trim(?1) COLLATE NOCASE AND (?2 = '' OR trim(Motors.MFG) = "
                       "trim(?2) COLLATE NOCASE)")));
    if (!query.isValid()) {
        error = store.lastError();
        return std::nullopt;
    }
    if (!query.bindText(1, type) || !query.bindText(2, mfg.isNull() ? QStringLiteral("") : mfg)) {
        error = query.lastError();
        return std::nullopt;
    }
    std::vector<CCurveMotor> rows;
    CSqlStatement::Step step = CSqlStatement::Step::Done;
    while ((step = query.step()) == CSqlStatement::Step::Row)
        rows.push_back(motorOf(query));
    if (step != CSqlStatement::Step::Done) {
        error = query.lastError();
        return std::nullopt;
    }
    const QString asked = mfg.trimmed().isEmpty() ? type : mfg.trimmed() + QLatin1Char(' ') + type;
    if (rows.empty()) {
        error = QStringLiteral("No motor %1 is in the catalogue").arg(asked);
        return std::nullopt;
    }
    QStringList makers;
    const CCurveMotor *chosen = nullptr;
    for (const CCurveMotor &row : rows) {
        if (row.points.empty())
            continue;
        if (!makers.contains(row.mfg.trimmed(), Qt::CaseInsensitive))
            makers.append(row.mfg.trimmed());
        if (!chosen)
            chosen = &row;
    }
    if (!chosen) {
        error = QStringLiteral("The motor %1 has no thrust curve: import its .eng file").arg(rows.front().name());
        return std::nullopt;
    }
    if (makers.size() > 1) {
        error =
            QStringLiteral("Several makers sell %1 (%2): name the maker").arg(type, makers.join(QStringLiteral(", ")));
        return std::nullopt;
    }
    CCurveMotor motor = *chosen;
    // Every delay any row of this motor is sold with.
    QStringList delays;
    QSet<QString> seen;
    for (const CCurveMotor &row : rows) {
        const QString delay = row.delay.trimmed();
        if (!delay.isEmpty() && sameText(row.mfg, motor.mfg) && !seen.contains(delay.toLower())) {
            seen.insert(delay.toLower());
            delays.append(delay);
        }
    }
    motor.delay = delays.join(QLatin1Char('-'));
    return motor;
}
