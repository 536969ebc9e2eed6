#pragma once

#include "motors/MotorValues.h"

#include <QString>

class CRecordStore;

// The motor list: every motor in manufacturer, type order. Line n of the list
// on screen is record n of this query, which is how REMOVE finds its motor; the
// rowid settles motors of the same maker and type, so that the list (read with
// its curves' figures by loadMotorCatalogue, in the same order) and REMOVE
// agree on every line.
inline constexpr char kMotorListQuery[] = "Select * FROM Motors ORDER BY MFG, Type, rowid";

// MFG, Type, Delay and Size of the store's current Motors row, TAB-separated.
QString motorListLine(const CRecordStore &store);

// False, storing nothing, when Type, Delay or MFG is empty (Size may be).
bool hasRequiredMotorValues(const CMotorValues &motor);
bool addMotor(CRecordStore &store, const CMotorValues &motor);

// Deletes record `position` of the list query; false when there is none.
bool removeMotorAt(CRecordStore &store, int position);
// Empties the motor table at once; false when the store refused.
bool removeAllMotors(CRecordStore &store);
