#include "db/LogbookUpgrade.h"

#include "db/RocketDragTables.h"
#include "db/SqlDatabase.h"

#include <QDebug>
#include <QDir>

namespace {
constexpr char kCurveTable[] = "MotorCurves";
// The motor's own values, kept with its curve.
const char *const kIdentityColumns[] = {"Type", "Delay", "MFG", "Size"};
const char *const kIdentityTypes[] = {"varchar(200)", "integer", "varchar(200)", "varchar(200)"};
// The first version's trigger, which went by the rowid alone.
constexpr char kRowidTrigger[] = "MotorCurvesGoWithTheirMotor";

// The curve table as this version makes it: the motor's values come last, as
// they do in a table that gained them later.
const char kCurveColumns[] = "(MotorID integer PRIMARY KEY, Class varchar(8), TotalImpulse real, AverageThrust "
                             "real, PeakThrust real, BurnTime real, PropellantMass real, TotalMass real, Points text, "
                             "Type varchar(200), Delay integer, MFG varchar(200), Size varchar(200))";

// A curve's row in a trigger: its rowid, and the motor values it was stored with.
QString sameMotor(const char *row)
{
    return QStringLiteral("MotorID = %1.rowid AND Type IS %1.Type AND Delay IS %1.Delay AND MFG IS %1.MFG "
                          "AND Size IS %1.Size")
        .arg(QLatin1String(row));
}

struct CTrigger
{
    const char *name;
    QString body;
};

QList<CTrigger> curveTriggers()
{
    return {
        {"MotorCurvesLeaveWithTheirMotor",
         QStringLiteral("AFTER DELETE ON Motors BEGIN DELETE FROM MotorCurves WHERE %1; END").arg(sameMotor("old"))},
        {"MotorCurvesFollowTheirMotor",
         QStringLiteral("AFTER UPDATE OF Type, Delay, MFG, Size ON Motors BEGIN UPDATE MotorCurves SET Type = "
                        "new.Type, Delay = new.Delay, MFG = new.MFG, Size = new.Size WHERE %1; END")
             .arg(sameMotor("old"))},
        // A curve stored by rowid alone belongs to the motor that row holds now.
        {"MotorCurvesTakeTheirMotorsValues",
         QStringLiteral("AFTER INSERT ON MotorCurves WHEN new.Type IS NULL AND new.Delay IS NULL AND new.MFG IS NULL "
                        "AND new.Size IS NULL BEGIN UPDATE MotorCurves SET (Type, Delay, MFG, Size) = (SELECT Type, "
                        "Delay, MFG, Size FROM Motors WHERE Motors.rowid = new.MotorID) WHERE MotorID = new.MotorID; "
                        "END")},
    };
}

bool readSchema(CSqlDatabase &db, CLogbookSchema &schema)
{
    CSqlStatement objects =
        db.prepare(QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN ('table', 'trigger')"));
    if (!objects.isValid())
        return false;
    CSqlStatement::Step step = CSqlStatement::Step::Done;
    while ((step = objects.step()) == CSqlStatement::Step::Row) {
        const QString name = objects.columnText(1);
        if (objects.columnText(0) == QLatin1String("trigger")) {
            schema.triggers.append(name);
            continue;
        }
        schema.tables.append(name);
        if (name == QLatin1String("Motors"))
            schema.hasMotorTable = true;
        else if (name == QLatin1String(kCurveTable))
            schema.hasCurveTable = true;
    }
    if (step != CSqlStatement::Step::Done)
        return false;
    if (!schema.hasCurveTable)
        return true;
    CSqlStatement columns = db.prepare(QStringLiteral("SELECT name FROM pragma_table_info('MotorCurves', 'main')"));
    if (!columns.isValid())
        return false;
    while ((step = columns.step()) == CSqlStatement::Step::Row)
        schema.curveColumns.append(columns.columnText(0));
    return step == CSqlStatement::Step::Done;
}

CUpgradeOutcome failed(const CSqlDatabase &db)
{
    CUpgradeOutcome outcome;
    outcome.ok = false;
    outcome.error = db.error();
    return outcome;
}
} // namespace

QStringList logbookUpgradeStatements(const CLogbookSchema &schema)
{
    if (!schema.hasMotorTable)
        return {}; // a half-made logbook is left as it is
    QStringList statements;
    if (!schema.hasCurveTable) {
        statements.append(QStringLiteral("CREATE TABLE MotorCurves ") + QLatin1String(kCurveColumns));
    } else if (!curvesReadable(schema)) {
        for (int i = 0; i < 4; ++i) {
            if (!schema.curveColumns.contains(QLatin1String(kIdentityColumns[i])))
                statements.append(QStringLiteral("ALTER TABLE MotorCurves ADD COLUMN %1 %2")
                                      .arg(QLatin1String(kIdentityColumns[i]), QLatin1String(kIdentityTypes[i])));
        }
        // Until now a curve went by its rowid alone: that row holds its motor, as best known.
        statements.append(QStringLiteral("UPDATE MotorCurves SET (Type, Delay, MFG, Size) = (SELECT Type, Delay, "
                                         "MFG, Size FROM Motors WHERE Motors.rowid = MotorCurves.MotorID)"));
    }
    if (schema.triggers.contains(QLatin1String(kRowidTrigger)))
        statements.append(QStringLiteral("DROP TRIGGER %1").arg(QLatin1String(kRowidTrigger)));
    for (const CTrigger &trigger : curveTriggers()) {
        if (!schema.triggers.contains(QLatin1String(trigger.name)))
            statements.append(QStringLiteral("CREATE TRIGGER %1 %2").arg(QLatin1String(trigger.name), trigger.body));
    }
    statements.append(rocketDragUpgradeStatements(schema.tables, schema.triggers));
    return statements;
}

bool curvesReadable(const CLogbookSchema &schema)
{
    if (!schema.hasCurveTable)
        return false;
    for (const char *column : kIdentityColumns) {
        if (!schema.curveColumns.contains(QLatin1String(column)))
            return false;
    }
    return true;
}

CUpgradeOutcome upgradeLogbook(CSqlDatabase &db)
{
    CLogbookSchema schema;
    if (!readSchema(db, schema))
        return failed(db);
    if (logbookUpgradeStatements(schema).isEmpty())
        return {};
    // Under the write lock, read again: another program may have done it meanwhile.
    if (!db.execute(QStringLiteral("BEGIN IMMEDIATE")))
        return failed(db);
    schema = CLogbookSchema();
    bool done = readSchema(db, schema);
    const QStringList statements = logbookUpgradeStatements(schema);
    for (qsizetype i = 0; done && i < statements.size(); ++i)
        done = db.execute(statements.at(i));
    done = done && db.execute(QStringLiteral("COMMIT"));
    if (!done) {
        CUpgradeOutcome outcome = failed(db);
        // Closing the connection, which follows a failed upgrade, rolls back too.
        if (!db.isAutocommit() && !db.execute(QStringLiteral("ROLLBACK")))
            qWarning().noquote() << "The logbook's upgrade is undone as it closes:" << db.lastError();
        return outcome;
    }
    CUpgradeOutcome outcome;
    outcome.upgraded = !statements.isEmpty();
    return outcome;
}

QString upgradeFailureText(const QString &logbookPath, const QString &reason)
{
    return QStringLiteral("The logbook %1 must gain the thrust-curve table of this version before it can be used, "
                          "and could not: %2.")
        .arg(QDir::toNativeSeparators(logbookPath), reason);
}

bool standInForCurves(CSqlDatabase &db)
{
    CLogbookSchema schema;
    if (!readSchema(db, schema))
        return false;
    if (!schema.hasMotorTable)
        return true;
    if (!standInForRocketDrag(db, schema.tables))
        return false;
    if (curvesReadable(schema))
        return true;
    return db.execute(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS MotorCurves ") + QLatin1String(kCurveColumns));
}
