#include "db/CurveLinks.h"

#include "db/SqlDatabase.h"

#include <QDebug>
#include <QHash>
#include <QSet>

#include <deque>
#include <vector>

namespace {
// The four values of a row as one text that keeps their types apart: 5 and '5'
// differ, as they do to the comparison in kCurveOfMotor.
QString valuesKey(const char *table)
{
    return QStringLiteral("quote(%1.Type) || ',' || quote(%1.Delay) || ',' || quote(%1.MFG) || ',' || "
                          "quote(%1.Size)")
        .arg(QLatin1String(table));
}

struct CCurve
{
    qint64 id = 0;
    QString key;
    QString motor;
};

// The curves on a positive number, lowest first; only those off their motor
// when `lostOnly`.
bool readCurves(CSqlDatabase &db, bool lostOnly, std::vector<CCurve> &curves, CSqlError &error)
{
    CSqlStatement query = db.prepare(
        QStringLiteral("SELECT MotorCurves.MotorID, %1, MotorCurves.MFG, MotorCurves.Type FROM MotorCurves LEFT "
                       "JOIN Motors ON %2 WHERE MotorCurves.MotorID > 0 %3 ORDER BY MotorCurves.MotorID")
            .arg(valuesKey("MotorCurves"), QLatin1String(kCurveOfMotor),
                 lostOnly ? QStringLiteral("AND Motors.rowid IS NULL") : QString()));
    if (!query.isValid()) {
        error = db.error();
        return false;
    }
    curves.clear();
    CSqlStatement::Step step = CSqlStatement::Step::Done;
    while ((step = query.step()) == CSqlStatement::Step::Row) {
        const QString motor = (query.columnText(2) + QLatin1Char(' ') + query.columnText(3)).trimmed();
        curves.push_back({query.columnInt64(0), query.columnText(1), motor});
    }
    error = query.error();
    return step == CSqlStatement::Step::Done;
}

// The rows holding each of those values, lowest number first.
bool readMotors(CSqlDatabase &db, const QSet<QString> &keys, QHash<QString, std::deque<qint64>> &motors,
                CSqlError &error)
{
    CSqlStatement query =
        db.prepare(QStringLiteral("SELECT rowid, %1 FROM Motors ORDER BY rowid").arg(valuesKey("Motors")));
    if (!query.isValid()) {
        error = db.error();
        return false;
    }
    CSqlStatement::Step step = CSqlStatement::Step::Done;
    while ((step = query.step()) == CSqlStatement::Step::Row) {
        const QString key = query.columnText(1);
        if (keys.contains(key))
            motors[key].push_back(query.columnInt64(0));
    }
    error = query.error();
    return step == CSqlStatement::Step::Done;
}

bool move(CSqlStatement &update, qint64 from, qint64 to, CSqlError &error)
{
    update.reset();
    const bool moved = update.bindInt64(1, to) && update.bindInt64(2, from) && update.run();
    error = update.error();
    update.reset();
    return moved;
}

// A rebuild keeps the rows' order, so the curves of motors of the same values
// go to those motors in the order of their old numbers. They all move, not
// only those found off their motor: a shift can land a curve on its motor's
// twin, where it looks at home.
bool relinkLocked(CSqlDatabase &db, CCurveRelinking &result, CSqlError &error)
{
    std::vector<CCurve> lost;
    if (!readCurves(db, true, lost, error))
        return false;
    QSet<QString> keys;
    for (const CCurve &curve : lost)
        keys.insert(curve.key);
    std::vector<CCurve> moving;
    QHash<QString, std::deque<qint64>> motors;
    if (!readCurves(db, false, moving, error) || !readMotors(db, keys, motors, error))
        return false;
    std::erase_if(moving, [&keys](const CCurve &curve) { return !keys.contains(curve.key); });

    CSqlStatement lowest = db.prepare(QStringLiteral("SELECT min(0, ifnull(min(MotorID), 0)) FROM MotorCurves"));
    if (!lowest.isValid()) {
        error = db.error();
        return false;
    }
    if (lowest.step() != CSqlStatement::Step::Row) {
        error = lowest.error();
        return false;
    }
    const qint64 parking = lowest.columnInt64(0) - 1;
    CSqlStatement update = db.prepare(QStringLiteral("UPDATE MotorCurves SET MotorID = ?1 WHERE MotorID = ?2"));
    if (!update.isValid()) {
        error = db.error();
        return false;
    }
    // Out of the way first, so that no curve takes a number another still holds.
    for (std::size_t i = 0; i < moving.size(); ++i) {
        if (!move(update, moving[i].id, parking - qint64(i), error))
            return false;
    }
    for (std::size_t i = 0; i < moving.size(); ++i) {
        std::deque<qint64> &rows = motors[moving[i].key];
        if (rows.empty()) {
            result.orphaned.append(moving[i].motor);
            continue;
        }
        if (!move(update, parking - qint64(i), rows.front(), error))
            return false;
        result.relinked += rows.front() != moving[i].id ? 1 : 0;
        rows.pop_front();
    }
    return true;
}
} // namespace

bool relinkMotorCurves(CSqlDatabase &db, CCurveRelinking &result)
{
    result = CCurveRelinking();
    std::vector<CCurve> lost;
    if (!readCurves(db, true, lost, result.error))
        return false;
    if (lost.empty())
        return true;
    if (!db.execute(QStringLiteral("BEGIN IMMEDIATE"))) {
        result.error = db.error();
        return false;
    }
    CSqlError error;
    if (relinkLocked(db, result, error)) {
        if (db.execute(QStringLiteral("COMMIT")))
            return true;
        error = db.error();
    }
    result = CCurveRelinking();
    result.error = error;
    // A rollback that fails too is done as the connection closes.
    if (!db.isAutocommit() && !db.execute(QStringLiteral("ROLLBACK")))
        qWarning().noquote() << "Putting the curves back with their motors is undone as the logbook closes:"
                             << db.lastError();
    return false;
}

QString orphanedCurvesText(const QStringList &motors)
{
    return QStringLiteral("Another program has changed the motor catalogue: %1 thrust curve(s) no longer belong to "
                          "any motor in it, and are not shown (%2).")
        .arg(motors.size())
        .arg(motors.join(QStringLiteral(", ")));
}

QString curvesNotRelinkedText(const QString &reason)
{
    return QStringLiteral("Another program has changed the motor catalogue, and its thrust curves could not be put "
                          "back with their motors: %1. Curves off their motors are not shown.")
        .arg(reason);
}
