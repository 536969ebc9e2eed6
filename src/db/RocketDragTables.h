#pragma once

#include "db/SqlStatement.h"

#include <QHash>
#include <QString>
#include <QStringList>

class CSqlDatabase;

// What the flight predictions keep of each rocket beside the six tables of
// every logbook, keyed to the rocket's number (Rockets.ID):
// - RocketDrag: the drag coefficient and guide length the flyer set, NULL
//   where the flyer set none (the prediction then uses its defaults);
// - RocketFittedCds: one Cd per flight it was fitted to (FlightID is the
//   Launches rowid), whose median is the rocket's fitted Cd.
// Rows go when their rocket or flight is deleted (triggers), and follow their
// rocket when the rockets are renumbered.

// The statements that give a logbook of these tables and triggers what it
// lacks of this version's, in order; none when it has everything.
QStringList rocketDragUpgradeStatements(const QStringList &tables, const QStringList &triggers);

// Moves every row to its rocket's new number (old -> new, as the renumbering
// decided) and drops the rows of numbers no rocket has, so that a later rocket
// given that number does not inherit them. Run inside the renumbering's
// transaction. False, with SQLite's reason in failure, when it cannot.
[[nodiscard]] bool renumberRocketDrag(CSqlDatabase &db, const QHash<int, int> &renumbered, CSqlError &failure);

// For a logbook that cannot be written and lacks the tables: empty ones for
// this connection alone, so that its rockets read as having set nothing.
[[nodiscard]] bool standInForRocketDrag(CSqlDatabase &db, const QStringList &tables);
