#pragma once

#include "motordata/MotorValues.h"

#include <QString>

class CRecordStore;

// The motor list: every motor in manufacturer, type order, the rowid settling
// motors of the same maker and type, as loadMotorCatalogue reads it.
inline constexpr char kMotorListQuery[] = "Select * FROM Motors ORDER BY MFG, Type, rowid";

// MFG, Type, Delay and Size of the store's current Motors row, TAB-separated.
QString motorListLine(const CRecordStore &store);

// False, storing nothing, when Type, Delay or MFG is empty (Size may be).
bool hasRequiredMotorValues(const CMotorValues &motor);
// False when the values are not all there or the store refused them.
[[nodiscard]] bool addMotor(CRecordStore &store, const CMotorValues &motor);

enum class MotorRemoval {
    Removed,
    Gone, // no row of that rowid any more
    Changed, // the row holds other values than were shown
    Failed, // the store refused: its lastError says why
};
// Removes the motor of that rowid, if the row still holds the values shown
// for it: another program may have removed it, changed it or renumbered the
// rows since the list was read, and then another motor must not go instead.
[[nodiscard]] MotorRemoval removeMotor(CRecordStore &store, qint64 rowId, const CMotorValues &shown);
// Empties the motor table at once; false when the store refused.
[[nodiscard]] bool removeAllMotors(CRecordStore &store);
