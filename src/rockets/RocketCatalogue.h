#pragma once

#include <QString>

class CRecordStore;

// Changes to the rocket table that the browser's commands make.

// Inserts a rocket named "TempNew" with the number of rockets plus one (neither
// staged nor clustered until its Misc page says otherwise) and returns the
// number of the first "TempNew" in name order; a null text when that fails.
QString addRocketRow(CRecordStore &store);

// The number of flights logged for a rocket.
int countRocketLaunches(CRecordStore &store, const QString &rocketId);

// Deletes the rocket the query finds, its recommended motors and its launches,
// then renumbers the rest, all in one transaction: either everything happens or
// nothing does. False (and nothing changed) on any failure.
[[nodiscard]] bool deleteRocketRows(CRecordStore &store, const QString &rocketQueryText);

// Adds the indexes the rocket page relies on to a logbook made before they
// existed; a logbook that cannot be written keeps working without them.
void ensureRocketIndexes(CRecordStore &store);
