#pragma once

#include <QString>

class CRecordStore;

// Column positions of a "SELECT * FROM Rockets" row.
enum RocketField {
    kRocketId = 0,
    kRocketName = 1,
    kRocketMfg = 2,
    kRocketType = 3,
    kRocketImage = 4,
    kRocketChecklist = 5,
    kRocketRecovery = 6,
    kRocketLauncher = 7,
    kRocketStages = 8,
    kRocketClustered = 9,
    kRocketStatus = 10,
    kRocketNotes = 11,
    kRocketWeight = 12,
    kRocketLength = 13,
    kRocketDiameter = 14,
    kRocketCp = 15,
    kRocketMmt = 16,
    kRocketFieldCount = 17
};

// Column positions of a "SELECT * FROM RecMotors" row.
enum RecMotorField {
    kRecMotorRocketId = 1,
    kRecMotorType = 2,
    kRecMotorDelay = 3,
    kRecMotorMfg = 4,
    kRecMotorAlt = 5,
    kRecMotorStage = 6,
    kRecMotorQty = 7,
    kRecMotorGroup = 8
};

// The list every browser starts with, and falls back to after a deletion.
inline constexpr char kAllRocketsQuery[] = "Select * FROM Rockets ORDER BY Name";
// Saved queries that list rockets, offered in the browser's Filter box.
inline constexpr char kRocketFiltersQuery[] = "Select * FROM Queries WHERE Query LIKE 'SELECT * FROM Rockets%'";

// A rocket flag is set unless its text is exactly "0"; a never-written flag counts as set.
bool isRocketFlagSet(const QString &text);

// The query that finds one rocket's row by its number.
QString rocketQuery(const QString &rocketId);
// Runs a rocket's query and stands on its row; false when there is no such row.
[[nodiscard]] bool openRocketRow(CRecordStore &store, const QString &rocketQuery);
// The rocket's recommended motors in Type order.
QString recMotorsQuery(const QString &rocketId);
// The rows of one cluster or staging group of a rocket, in Type order.
QString recMotorGroupQuery(const QString &rocketId, const QString &group);
// The rocket's logged flights.
QString launchesQuery(const QString &rocketId);
