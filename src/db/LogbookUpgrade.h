#pragma once

#include "db/SqlStatement.h"

#include <QString>
#include <QStringList>

class CSqlDatabase;

// What this program keeps beside the six tables of every logbook: the thrust
// curves of the catalogue's motors, each with the values of the motor it was
// stored for, and the triggers that keep a curve with its motor however the
// motor is removed or changed; the rockets' drag (RocketDragTables.h). A
// logbook gains what it lacks when it is opened.

// What a logbook holds of these, read from its schema.
struct CLogbookSchema
{
    bool hasMotorTable = false;
    bool hasCurveTable = false;
    QStringList tables;
    QStringList curveColumns;
    QStringList triggers;
};

// The statements that bring a logbook of that schema up to date, in order;
// none when it is. Each can run on its own, so a logbook that was dumped and
// restored (losing any version number) is brought up to date all the same.
QStringList logbookUpgradeStatements(const CLogbookSchema &schema);

// Whether a logbook of that schema can be read as this version reads curves.
bool curvesReadable(const CLogbookSchema &schema);

struct CUpgradeOutcome
{
    bool ok = true;
    bool upgraded = false;
    // SQLite's reason and codes when it failed.
    CSqlError error;
};

// Reads the schema and runs what is missing in one transaction, waiting for
// another program's write lock as long as the connection's busy timeout. A
// failure leaves the logbook as it was.
[[nodiscard]] CUpgradeOutcome upgradeLogbook(CSqlDatabase &db);

// What the flyer is told when a logbook cannot be brought up to date; the
// reason reads as storeFailureText writes it.
QString upgradeFailureText(const QString &logbookPath, const QString &reason);

// For a logbook that could not be brought up to date because it cannot be
// written: an empty curve table for this connection alone (SQLite looks in the
// temporary schema first) where the logbook has none this version can read,
// so that its motors read as having no curves rather than not at all. False
// when one is needed and cannot be made.
[[nodiscard]] bool standInForCurves(CSqlDatabase &db);
