#pragma once

#include "logbook/FlightEntry.h"

#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class CRecordStore;
class CSqlStatement;

// Every read and write of the Launches table: the launch wizard's new flights,
// the flight log's lists, edits and deletions, the command line and the
// statistics. One list of columns serves them all and every value is bound, so
// a text is stored exactly as given and read back as stored. Rows are
// addressed by SQLite's rowid, so two identical flights stay two rows; each
// change runs in one transaction and, refused, leaves the row as it was and
// says why.
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
    // At most count flights whose rowids follow afterRowId, in rowid order: a
    // whole log read in slices, so that a reader can stop between them. Start
    // below every rowid (std::numeric_limits<qint64>::min()), then after the
    // last rowid of each slice; an empty slice is the end, or a failure with
    // lastError set.
    std::vector<CFlightEntry> loadSlice(qint64 afterRowId, std::size_t count);
    // Every rocket of the catalogue as (number, name), flown or not, in name order.
    std::vector<std::pair<QString, QString>> rockets();
    // One flight by rowid; rowId 0 when there is no such row (and lastError
    // set when the table could not be read).
    CFlightEntry find(qint64 rowId);
    // How many flights the log holds; -1 when it cannot be read.
    int count();

    // Stores a new flight as one row, every column as the entry holds it; the
    // rowid of the new row, or 0 when the logbook refused it.
    [[nodiscard]] qint64 insert(const CFlightEntry &flight);
    // Writes every column of flight.rowId but the rocket, after checking the
    // entry (flightEntryProblem).
    [[nodiscard]] bool update(const CFlightEntry &flight);
    [[nodiscard]] bool remove(qint64 rowId);

    // The storage directory of the logbook, where flights' recordings are kept.
    QString storageDirectory() const;
    // The logbook file itself, for a reader with a connection of its own.
    QString logbookPath() const;
    // The altitude the rocket's recommended motor of the flown type was
    // expected to reach (RecMotors.Alt, in the flyer's unit as typed): the
    // motor of the flight's maker, or of any maker when the flight names none,
    // of its delay where the rocket recommends several, into altitude: empty
    // when the rocket recommends no such motor or gives no altitude. False,
    // with lastError set, when the recommendations cannot be read.
    [[nodiscard]] bool expectedAltitude(const CFlightEntry &flight, std::optional<double> &altitude);

    QString lastError() const { return m_error; }
    // The logbook the log reads, for the readers of what lies beside the flights.
    CRecordStore &store() const { return m_store; }

private:
    bool fail(const QString &error);
    bool failStatement(const CSqlStatement &statement);
    // The flights of the rows the WHERE clause picks, with its values bound
    // by `bind` (none when empty), walked row by row; false when the read failed.
    [[nodiscard]] bool read(const QString &where, const std::function<bool(CSqlStatement &)> &bind,
                            std::vector<CFlightEntry> &flights);
    // A write of flight's columns to the row, in a transaction that first
    // checks the row is still there.
    [[nodiscard]] bool writeExistingRow(qint64 rowId, const QString &sql, const CFlightEntry *flight);

    CRecordStore &m_store;
    QString m_error;
};
