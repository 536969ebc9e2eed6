#pragma once

#include "flights/FlightEntry.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class CRecordStore;

// The flight log's reads and writes of the Launches table. Rows are addressed by
// SQLite's rowid, so two identical flights stay two rows, and each write runs in
// one transaction: refused, it leaves the row as it was and says why.
class CFlightLog
{
public:
    explicit CFlightLog(CRecordStore &store);

    // Every flight with its rocket's name, in stored order; empty and an error
    // when the table cannot be read.
    std::vector<CFlightEntry> load();
    // The newest count flights, newest first as sortNewestFirst orders them,
    // found by reading only the dates and times of every flight and then those
    // flights whole: a screen can show them long before load() would end.
    // *total is how many flights the log holds.
    std::vector<CFlightEntry> loadNewest(std::size_t count, std::size_t *total = nullptr);
    // Every rocket of the catalogue as (number, name), flown or not, in name order.
    std::vector<std::pair<QString, QString>> rockets();
    // One flight by rowid; rowId 0 when there is no such row.
    CFlightEntry find(qint64 rowId);

    // Writes the site, weather, motor texts, date and times, result, notes and
    // altimeter file of flight.rowId; the rocket stays.
    bool update(const CFlightEntry &flight);
    bool remove(qint64 rowId);

    // The storage directory of the logbook, where flights' recordings are kept.
    QString storageDirectory() const;
    // The altitude the rocket's recommended motor of the flown type and maker
    // was expected to reach (RecMotors.Alt, in the flyer's unit as typed);
    // empty when the rocket recommends no such motor or gives no altitude.
    std::optional<double> expectedAltitude(const CFlightEntry &flight);

    QString lastError() const { return m_error; }

private:
    bool fail(const QString &error);
    bool rowExists(qint64 rowId);
    // The flights a query of the columns of load() gives, walked row by row.
    std::vector<CFlightEntry> read(const QString &sql);
    // One write to the row, in a transaction that first checks the row is still there.
    bool writeExistingRow(qint64 rowId, const QString &sql);

    CRecordStore &m_store;
    QString m_error;
};
