#pragma once

#include <QString>
#include <QStringList>

class CRecordStore;

// The text shown beneath a rocket's picture, from its "SELECT * FROM Rockets"
// row (17 fields) and the number of its logged flights.
QString rocketSummaryText(const QStringList &rocketRow, int launchCount);

// One RecMotors row as the entry texts need it.
struct CRecMotorRow
{
    QString type;
    QString delay;
    QString mfg;
    QString stage;
    QString qty;
};

// The entry of one cluster or staging group: "S<n> <motors> " for each stage
// 1 to 3 that has motors, the motors of a stage joined by " & ". A quantity of
// two or more is shown as "x<qty>" on clustered rockets.
// withMfg puts "<mfg> " before each motor, as the edit sheet's list does.
QString recMotorGroupEntry(const QList<CRecMotorRow> &groupRows, bool clustered, bool withMfg = false);
// The entry of a simple recommendation: "<mfg> <type>-<delay>".
QString recMotorSimpleEntry(const CRecMotorRow &row);

// A rocket's recommended-motor entries and, for clustered or staged rockets,
// the group each entry stands for.
struct CRecMotorEntries
{
    QStringList entries;
    QStringList groups;
};

// Reads the entries of a rocket from the store (its current result is replaced).
CRecMotorEntries readRecMotorEntries(CRecordStore &store, const QString &rocketId, bool staged, bool clustered);

// Reads the recommended motors of a rocket, or of one group, in Type order.
QList<CRecMotorRow> readRecMotorRows(CRecordStore &store, const QString &sql);

// The distinct texts in the order they first appear.
QStringList distinctInOrder(const QStringList &texts);
