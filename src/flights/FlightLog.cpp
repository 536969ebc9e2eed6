#include "flights/FlightLog.h"

#include "db/RecordStore.h"
#include "db/SqlText.h"
#include "db/StoreTransaction.h"
#include "flights/FlightFilter.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace {

// Columns in the order entryAt reads them.
const QString kSelect = QStringLiteral(
    "SELECT Launches.rowid, Model, Rockets.Name, Launches.Recovery, Motor, MotorMfg, MotorDelay, Site, WindSpeed, "
    "WindDirection, Temperature, Celcius, Date, DrogueTime, MainTime, DoneTime, Launches.Notes, Success, AltFileName "
    "FROM Launches LEFT JOIN Rockets ON Rockets.ID = Launches.Model");

// Booleans arrive as -1 or 0; anything but empty text and zero counts as set.
bool flag(const QString &text)
{
    const QString trimmed = text.trimmed();
    return !trimmed.isEmpty() && trimmed != QLatin1String("0");
}

// One flight from the columns of kSelect, read in order by next().
template<typename Next> CFlightEntry entryFrom(Next next)
{
    CFlightEntry flight;
    flight.rowId = next().toLongLong();
    flight.rocketId = next();
    flight.rocketName = next();
    flight.recovery = next();
    flight.motor = next();
    flight.motorMfg = next();
    flight.motorDelay = next();
    flight.site = next();
    flight.windSpeed = next();
    flight.windDirection = next();
    flight.temperature = next();
    flight.celsius = flag(next());
    flight.dateText = next();
    flight.date = parseFlightDate(flight.dateText);
    flight.drogueTime = next();
    flight.mainTime = next();
    flight.doneTime = next();
    flight.notes = next();
    flight.success = flag(next());
    flight.altFileName = next();
    return flight;
}

} // namespace

CFlightLog::CFlightLog(CRecordStore &store)
    : m_store(store)
{ }

std::vector<CFlightEntry> CFlightLog::load()
{
    return read(kSelect);
}

std::vector<CFlightEntry> CFlightLog::read(const QString &sql)
{
    m_error.clear();
    std::vector<CFlightEntry> flights;
    // Walked row by row: a whole logbook copied into the store's current
    // result first would cost as much again as reading it.
    const bool whole = m_store.forEachRow(sql, [&flights](const CSqlStatement &row) {
        int column = 0;
        flights.push_back(entryFrom([&] {
            const QString text = row.columnText(column++);
            return text.isNull() ? QString(QLatin1String("")) : text;
        }));
    });
    // A list cut short would look whole: none is given, with the reason.
    if (!whole) {
        fail(m_store.lastError());
        flights.clear();
    }
    return flights;
}

std::vector<CFlightEntry> CFlightLog::loadNewest(std::size_t count, std::size_t *total)
{
    m_error.clear();
    if (total)
        *total = 0;
    // The keys come from the same fields and functions as the full sort's, so
    // the flights picked here are exactly its first ones.
    std::vector<CFlightOrderKey> keys;
    CFlightEntry probe;
    const bool whole =
        m_store.forEachRow(QStringLiteral("SELECT rowid, Date, DrogueTime, MainTime, DoneTime FROM Launches"),
                           [&](const CSqlStatement &row) {
                               probe.rowId = row.columnInt64(0);
                               probe.date = parseFlightDate(row.columnText(1));
                               probe.drogueTime = row.columnText(2);
                               probe.mainTime = row.columnText(3);
                               probe.doneTime = row.columnText(4);
                               keys.push_back(flightOrderKey(probe));
                           });
    if (!whole) {
        fail(m_store.lastError());
        return {};
    }
    if (total)
        *total = keys.size();
    if (keys.size() > count) {
        std::nth_element(keys.begin(), keys.begin() + std::ptrdiff_t(count), keys.end(), isNewer);
        keys.resize(count);
    }
    if (keys.empty())
        return {};
    QStringList rowIds;
    rowIds.reserve(qsizetype(keys.size()));
    for (const CFlightOrderKey &key : keys)
        rowIds.append(QString::number(key.rowId));
    std::vector<CFlightEntry> flights =
        read(kSelect + QStringLiteral(" WHERE Launches.rowid IN (%1)").arg(rowIds.join(QLatin1Char(','))));
    sortNewestFirst(flights);
    return flights;
}

std::vector<std::pair<QString, QString>> CFlightLog::rockets()
{
    m_error.clear();
    std::vector<std::pair<QString, QString>> rockets;
    if (!m_store.RunSql(QStringLiteral("SELECT ID, Name FROM Rockets ORDER BY Name, ID"))) {
        fail(m_store.lastError());
        return rockets;
    }
    for (m_store.MoveFirst(); !m_store.IsEOF(); m_store.MoveNext())
        rockets.emplace_back(m_store.GetFieldText(0).trimmed(), m_store.GetFieldText(1));
    return rockets;
}

CFlightEntry CFlightLog::find(qint64 rowId)
{
    m_error.clear();
    if (!m_store.RunSql(kSelect + QStringLiteral(" WHERE Launches.rowid = %1").arg(rowId))) {
        fail(m_store.lastError());
        return {};
    }
    m_store.MoveFirst();
    int column = 0;
    return m_store.IsEOF() ? CFlightEntry() : entryFrom([&] { return m_store.GetFieldText(column++); });
}

bool CFlightLog::update(const CFlightEntry &flight)
{
    m_error.clear();
    if (const QString problem = flightEntryProblem(flight); !problem.isEmpty())
        return fail(problem);
    const QStringList assignments = {
        QStringLiteral("Recovery = ") + sqlQuote(flight.recovery),
        QStringLiteral("Motor = ") + sqlQuote(flight.motor),
        QStringLiteral("MotorMfg = ") + sqlQuote(flight.motorMfg),
        QStringLiteral("MotorDelay = ") + sqlQuote(flight.motorDelay),
        QStringLiteral("Site = ") + sqlQuote(flight.site),
        QStringLiteral("WindSpeed = ") + sqlQuote(flight.windSpeed),
        QStringLiteral("WindDirection = ") + sqlQuote(flight.windDirection),
        QStringLiteral("Temperature = ") + sqlQuote(flight.temperature),
        QStringLiteral("Celcius = ") + (flight.celsius ? QStringLiteral("-1") : QStringLiteral("0")),
        QStringLiteral("Date = ") + sqlQuote(flight.dateText),
        QStringLiteral("DrogueTime = ") + sqlQuote(flight.drogueTime),
        QStringLiteral("MainTime = ") + sqlQuote(flight.mainTime),
        QStringLiteral("DoneTime = ") + sqlQuote(flight.doneTime),
        QStringLiteral("Notes = ") + sqlQuote(flight.notes),
        QStringLiteral("Success = ") + (flight.success ? QStringLiteral("-1") : QStringLiteral("0")),
        QStringLiteral("AltFileName = ") + sqlQuote(flight.altFileName),
    };
    return writeExistingRow(flight.rowId,
                            QStringLiteral("UPDATE Launches SET %1 WHERE rowid = %2")
                                .arg(assignments.join(QStringLiteral(", ")))
                                .arg(flight.rowId));
}

bool CFlightLog::remove(qint64 rowId)
{
    m_error.clear();
    return writeExistingRow(rowId, QStringLiteral("DELETE FROM Launches WHERE rowid = %1").arg(rowId));
}

bool CFlightLog::writeExistingRow(qint64 rowId, const QString &sql)
{
    CStoreTransaction transaction(m_store);
    if (!transaction.isActive())
        return fail(m_store.lastError());
    if (!rowExists(rowId))
        return false;
    if (!m_store.RunSql(sql))
        return fail(m_store.lastError());
    return transaction.commit() || fail(m_store.lastError());
}

bool CFlightLog::rowExists(qint64 rowId)
{
    if (!m_store.RunSql(QStringLiteral("SELECT count(*) FROM Launches WHERE rowid = %1").arg(rowId)))
        return fail(m_store.lastError());
    m_store.MoveFirst();
    if (m_store.GetFieldText(0) != QLatin1String("1"))
        return fail(QStringLiteral("The flight is no longer in the logbook."));
    return true;
}

bool CFlightLog::fail(const QString &error)
{
    m_error = error.isEmpty() ? QStringLiteral("The logbook refused the change.") : error;
    return false;
}

QString CFlightLog::storageDirectory() const
{
    return QFileInfo(m_store.path()).absolutePath() + QLatin1Char('/');
}

std::optional<double> CFlightLog::expectedAltitude(const CFlightEntry &flight)
{
    if (!m_store.RunSql(
            QStringLiteral("SELECT Alt FROM RecMotors WHERE RocketID = %1 AND Type = %2 AND MFG = %3 "
                           "AND Alt > 0 ORDER BY rowid")
                .arg(sqlQuote(flight.rocketId.trimmed()), sqlQuote(flight.motor), sqlQuote(flight.motorMfg))))
        return std::nullopt;
    m_store.MoveFirst();
    bool number = false;
    const double alt = m_store.GetFieldText(0).toDouble(&number);
    return !m_store.IsEOF() && number && alt > 0 ? std::optional<double>(alt) : std::nullopt;
}
