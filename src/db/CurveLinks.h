#pragma once

#include "db/SqlStatement.h"

#include <QStringList>

class CSqlDatabase;

// The condition that pairs a thrust curve with its motor in a query over
// Motors and MotorCurves: the row the curve was stored for, still holding the
// motor's values. A curve whose row another program renumbered (VACUUM, a dump
// and restore) or changed meets it no longer, so it is never shown for
// another motor.
inline constexpr char kCurveOfMotor[] =
    "MotorCurves.MotorID = Motors.rowid AND MotorCurves.Type IS Motors.Type AND MotorCurves.Delay IS Motors.Delay "
    "AND MotorCurves.MFG IS Motors.MFG AND MotorCurves.Size IS Motors.Size";

// What putting the curves back with their motors came to.
struct CCurveRelinking
{
    int relinked = 0;
    // Maker and type of each curve whose motor is in the catalogue no more;
    // such a curve is kept under a negative number no motor has, and not shown.
    QStringList orphaned;
    // SQLite's reason when it failed.
    CSqlError error;
};

// Rebuilding the logbook renumbers the Motors rows but keeps their order, and
// keeps the numbers the curves hold. When a curve's row no longer holds its
// motor, the curves of motors of those values go to the rows that hold those
// values, in order: the lowest old number to the lowest row. Motors stored
// twice with the same values cannot be told apart beyond that order. Reads
// only, unless some curve is off its motor; false, changing nothing, with
// the reason in result.error, when it cannot read or write.
[[nodiscard]] bool relinkMotorCurves(CSqlDatabase &db, CCurveRelinking &result);

// What the flyer is told of curves found without their motors.
QString orphanedCurvesText(const QStringList &motors);

// What the flyer is told when the curves could not be put back: the reason
// reads as storeFailureText writes it.
QString curvesNotRelinkedText(const QString &reason);
