#include "db/RocketDragTables.h"

#include "db/SqlDatabase.h"

namespace {
constexpr char kDragTable[] = "RocketDrag";
constexpr char kFitTable[] = "RocketFittedCds";
constexpr char kDragColumns[] = "(RocketID integer PRIMARY KEY, Cd real, GuideLength real)";
constexpr char kFitColumns[] = "(FlightID integer PRIMARY KEY, RocketID integer NOT NULL, Cd real NOT NULL)";

struct CTrigger
{
    const char *name;
    const char *table; // the table it watches, which a half-made logbook may lack
    const char *body;
};

// Another rocket may share the deleted one's number in a logbook that was
// never renumbered: its values stay until the renumbering sorts them out.
constexpr CTrigger kTriggers[] = {
    {"RocketDragLeavesWithItsRocket", "Rockets",
     "AFTER DELETE ON Rockets WHEN NOT EXISTS (SELECT 1 FROM Rockets WHERE ID = old.ID) BEGIN DELETE FROM "
     "RocketDrag WHERE RocketID = old.ID; DELETE FROM RocketFittedCds WHERE RocketID = old.ID; END"},
    {"FittedCdsLeaveWithTheirFlight", "Launches",
     "AFTER DELETE ON Launches BEGIN DELETE FROM RocketFittedCds WHERE FlightID = old.rowid; END"},
};

constexpr char kFitIndex[] = "CREATE INDEX IF NOT EXISTS RocketFittedCdsByRocket ON RocketFittedCds (RocketID)";

bool failed(const CSqlError &error, CSqlError &failure)
{
    failure = error;
    return false;
}

bool renumberTable(CSqlDatabase &db, const char *table, const QHash<int, int> &renumbered, CSqlError &failure)
{
    const QString name = QLatin1String(table);
    // No rocket is numbered 0 or below: such a row was typed in by hand.
    if (!db.execute(QStringLiteral("DELETE FROM %1 WHERE RocketID <= 0").arg(name)))
        return failed(db.error(), failure);
    // Each row first goes to the negative of its new number, which no row
    // holds, so that no move lands on a number another row still has.
    CSqlStatement move = db.prepare(QStringLiteral("UPDATE %1 SET RocketID = ?1 WHERE RocketID = ?2").arg(name));
    if (!move.isValid())
        return failed(db.error(), failure);
    for (auto it = renumbered.begin(); it != renumbered.end(); ++it) {
        move.reset();
        if (!move.bindInt64(1, -qint64(it.value())) || !move.bindInt64(2, it.key()) || !move.run())
            return failed(move.error(), failure);
    }
    // What is left positive (or was never a number) belongs to no rocket.
    if (!db.execute(QStringLiteral("DELETE FROM %1 WHERE NOT RocketID < 0 OR RocketID IS NULL").arg(name))
        || !db.execute(QStringLiteral("UPDATE %1 SET RocketID = -RocketID").arg(name)))
        return failed(db.error(), failure);
    return true;
}
} // namespace

QStringList rocketDragUpgradeStatements(const QStringList &tables, const QStringList &triggers)
{
    QStringList statements;
    if (!tables.contains(QLatin1String(kDragTable)))
        statements.append(
            QStringLiteral("CREATE TABLE %1 %2").arg(QLatin1String(kDragTable), QLatin1String(kDragColumns)));
    if (!tables.contains(QLatin1String(kFitTable))) {
        statements.append(
            QStringLiteral("CREATE TABLE %1 %2").arg(QLatin1String(kFitTable), QLatin1String(kFitColumns)));
        statements.append(QLatin1String(kFitIndex));
    }
    for (const CTrigger &trigger : kTriggers) {
        if (!triggers.contains(QLatin1String(trigger.name)) && tables.contains(QLatin1String(trigger.table)))
            statements.append(
                QStringLiteral("CREATE TRIGGER %1 %2").arg(QLatin1String(trigger.name), QLatin1String(trigger.body)));
    }
    return statements;
}

bool renumberRocketDrag(CSqlDatabase &db, const QHash<int, int> &renumbered, CSqlError &failure)
{
    return renumberTable(db, kDragTable, renumbered, failure) && renumberTable(db, kFitTable, renumbered, failure);
}

bool standInForRocketDrag(CSqlDatabase &db, const QStringList &tables)
{
    bool made = true;
    if (!tables.contains(QLatin1String(kDragTable)))
        made = db.execute(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS %1 %2")
                              .arg(QLatin1String(kDragTable), QLatin1String(kDragColumns)));
    if (made && !tables.contains(QLatin1String(kFitTable)))
        made = db.execute(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS %1 %2")
                              .arg(QLatin1String(kFitTable), QLatin1String(kFitColumns)));
    return made;
}
