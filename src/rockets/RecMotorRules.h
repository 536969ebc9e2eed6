#pragma once

#include "rockets/RocketSummary.h"

#include <QString>
#include <QStringList>

class CRecordStore;

// What the catalogue knows of the thrust of a motor named on the Motors page.
struct CCatalogueThrust
{
    bool inCatalogue = false; // some catalogue motor has that type and maker
    bool hasCurve = false; // and one of them came with a thrust curve
    QString impulseClass;
    double totalImpulse = 0; // N·s
};

// A motor waiting in the "Motor Cluster" list of the Motors page.
struct CPendingMotor
{
    QString type;
    QString delay;
    QString mfg;
    QString stage;
    QString qty;
};

// The line of a pending motor: "S<stage> " on staged rockets, then
// "<mfg>\t<type>-<delay>", then "x<qty>" on clustered rockets.
QString pendingMotorLine(const CPendingMotor &motor, bool staged, bool clustered);

// The Motors page's list of a rocket's recommendations: "<mfg>\t<type>-<delay>"
// for a simple rocket, one line per group otherwise (with the groups).
CRecMotorEntries readRecMotorListLines(CRecordStore &store, const QString &rocketId, bool staged, bool clustered);

// A group number for a new cluster: above the number of recommended motors of
// all rockets, and not yet used by this rocket.
QString allocateRecMotorGroup(CRecordStore &store, const QString &rocketId);

// Inserts one simple recommendation.
[[nodiscard]] bool insertSimpleRecMotor(CRecordStore &store, const QString &rocketId, const CPendingMotor &motor,
                                        const QString &altitude);

// Stores the pending motors as one group, in one transaction.
[[nodiscard]] bool insertRecMotorGroup(CRecordStore &store, const QString &rocketId, const QList<CPendingMotor> &motors,
                                       const QString &altitude);

// The motors of one group of a rocket, as pending motors, with their altitude.
QList<CPendingMotor> readRecMotorGroup(CRecordStore &store, const QString &rocketId, const QString &group,
                                       QString *altitude);

// Deletes the rows of one group of a rocket, or its simple recommendation at
// row index, in one transaction.
[[nodiscard]] bool deleteRecMotorGroup(CRecordStore &store, const QString &rocketId, const QString &group);
[[nodiscard]] bool deleteSimpleRecMotor(CRecordStore &store, const QString &rocketId, int index);

// The thrust of the catalogue motor of that type and maker (letter case aside),
// preferring one with a curve, then one with that delay.
CCatalogueThrust catalogueThrust(CRecordStore &store, const QString &type, const QString &mfg, const QString &delay);

// "K, 1,200 N·s" for a motor with a curve (three figures below 100 N·s, whole
// newton-seconds above), "no curve" for a catalogue motor without one, and
// nothing for a motor the catalogue does not hold.
QString catalogueThrustText(const CCatalogueThrust &thrust);
