#include "logbook/FlightLog.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "logbook/FlightFilter.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <iterator>

namespace {

// The columns of a Launches row in their stored order, each with the field of
// the entry that holds it: a text, or one of the two flags stored as -1 and 0.
struct CLaunchColumn
{
    const char *name;
    QString CFlightEntry::*text;
    bool CFlightEntry::*flag;
};

const CLaunchColumn kColumns[] = {
    {"Model", &CFlightEntry::rocketId, nullptr},
    {"Recovery", &CFlightEntry::recovery, nullptr},
    {"Motor", &CFlightEntry::motor, nullptr},
    {"MotorMfg", &CFlightEntry::motorMfg, nullptr},
    {"MotorDelay", &CFlightEntry::motorDelay, nullptr},
    {"Site", &CFlightEntry::site, nullptr},
    {"WindSpeed", &CFlightEntry::windSpeed, nullptr},
    {"WindDirection", &CFlightEntry::windDirection, nullptr},
    {"Temperature", &CFlightEntry::temperature, nullptr},
    {"Celcius", nullptr, &CFlightEntry::celsius},
    {"Date", &CFlightEntry::dateText, nullptr},
    {"DrogueTime", &CFlightEntry::drogueTime, nullptr},
    {"MainTime", &CFlightEntry::mainTime, nullptr},
    {"DoneTime", &CFlightEntry::doneTime, nullptr},
    {"Notes", &CFlightEntry::notes, nullptr},
    {"Success", nullptr, &CFlightEntry::success},
    {"AltFileName", &CFlightEntry::altFileName, nullptr},
};
constexpr int kColumnCount = int(std::size(kColumns));

// "Launches.Model, Launches.Recovery, ...", or "?1, ?2, ..." with no names.
QString columnList(const QString &prefix, bool names = true)
{
    QStringList parts;
    for (int i = 0; i < kColumnCount; ++i)
        parts.append(names ? prefix + QLatin1String(kColumns[i].name) : QStringLiteral("?%1").arg(i + 1));
    return parts.join(QStringLiteral(", "));
}

// Two rockets that share a number (left by an older renumbering) give each
// flight one name, not two rows.
const QString kSelect = QStringLiteral("SELECT Launches.rowid, Rocket.Name, %1 FROM Launches LEFT JOIN "
                                       "(SELECT ID, min(Name) AS Name FROM Rockets GROUP BY ID) AS Rocket "
                                       "ON Rocket.ID = Launches.Model")
                            .arg(columnList(QStringLiteral("Launches.")));

// Booleans arrive as -1 or 0; anything but empty text and zero counts as set.
bool flag(const QString &text)
{
    const QString trimmed = text.trimmed();
    return !trimmed.isEmpty() && trimmed != QLatin1String("0");
}

CFlightEntry entryFrom(const CSqlStatement &row)
{
    // An absent value is empty text, as the log has always shown it.
    const auto text = [&row](int column) {
        const QString value = row.columnText(column);
        return value.isNull() ? QString(QLatin1String("")) : value;
    };
    CFlightEntry flight;
    flight.rowId = row.columnInt64(0);
    flight.rocketName = text(1);
    for (int i = 0; i < kColumnCount; ++i) {
        if (kColumns[i].text)
            flight.*kColumns[i].text = text(i + 2);
        else
            flight.*kColumns[i].flag = flag(text(i + 2));
    }
    flight.date = parseFlightDate(flight.dateText);
    return flight;
}

// Binds column i of the flight to ?i+1: texts as they stand, flags as -1 and 0.
bool bindColumns(CSqlStatement &statement, const CFlightEntry &flight)
{
    bool bound = true;
    for (int i = 0; i < kColumnCount; ++i) {
        bound = (kColumns[i].text ? statement.bindText(i + 1, flight.*kColumns[i].text)
                                  : statement.bindInt64(i + 1, flight.*kColumns[i].flag ? -1 : 0))
            && bound;
    }
    return bound;
}

// Binds a flight's rowid to ?1.
std::function<bool(CSqlStatement &)> bindRowId(qint64 rowId)
{
    return [rowId](CSqlStatement &query) { return query.bindInt64(1, rowId); };
}

} // namespace

CFlightLog::CFlightLog(CRecordStore &store)
    : m_store(store)
{ }

std::vector<CFlightEntry> CFlightLog::load()
{
    m_error.clear();
    std::vector<CFlightEntry> flights;
    if (!read(QString(), {}, flights))
        flights.clear(); // the reason is lastError
    return flights;
}

std::vector<CFlightEntry> CFlightLog::loadSlice(qint64 afterRowId, std::size_t count)
{
    m_error.clear();
    std::vector<CFlightEntry> flights;
    if (count == 0)
        return flights;
    flights.reserve(count);
    const auto bind = [&](CSqlStatement &query) {
        return query.bindInt64(1, afterRowId) && query.bindInt64(2, qint64(count));
    };
    if (!read(QStringLiteral("WHERE Launches.rowid > ?1 ORDER BY Launches.rowid LIMIT ?2"), bind, flights))
        flights.clear(); // the reason is lastError
    return flights;
}

bool CFlightLog::read(const QString &where, const std::function<bool(CSqlStatement &)> &bind,
                      std::vector<CFlightEntry> &flights)
{
    // Walked row by row: a whole logbook copied into the store's current
    // result first would cost as much again as reading it.
    CSqlStatement query = m_store.prepareRead(where.isEmpty() ? kSelect : kSelect + QLatin1Char(' ') + where);
    if (!query.isValid())
        return fail(m_store.lastError());
    if (bind && !bind(query))
        return failStatement(query);
    CSqlStatement::Step step = CSqlStatement::Step::Done;
    while ((step = query.step()) == CSqlStatement::Step::Row)
        flights.push_back(entryFrom(query));
    // A list cut short would look whole: none is given, with the reason.
    if (step != CSqlStatement::Step::Done) {
        flights.clear();
        return failStatement(query);
    }
    return true;
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
    // The rowids as one bound JSON array: the statement is the same whatever they are.
    QByteArray rowIds = "[";
    for (const CFlightOrderKey &key : keys)
        rowIds += QByteArray::number(key.rowId) + ',';
    rowIds.back() = ']';
    std::vector<CFlightEntry> flights;
    const auto bind = [&rowIds](CSqlStatement &query) { return query.bindUtf8(1, rowIds); };
    if (!read(QStringLiteral("WHERE Launches.rowid IN (SELECT value FROM json_each(?1))"), bind, flights))
        return {};
    sortNewestFirst(flights);
    return flights;
}

std::vector<std::pair<QString, QString>> CFlightLog::rockets()
{
    m_error.clear();
    std::vector<std::pair<QString, QString>> rockets;
    if (!m_store.forEachRow(QStringLiteral("SELECT ID, Name FROM Rockets ORDER BY Name, ID"),
                            [&rockets](const CSqlStatement &row) {
                                rockets.emplace_back(row.columnText(0).trimmed(), row.columnText(1));
                            })) {
        fail(m_store.lastError());
        rockets.clear();
    }
    return rockets;
}

CFlightEntry CFlightLog::find(qint64 rowId)
{
    m_error.clear();
    std::vector<CFlightEntry> flights;
    if (rowId == 0 || !read(QStringLiteral("WHERE Launches.rowid = ?1"), bindRowId(rowId), flights) || flights.empty())
        return {};
    return flights.front();
}

int CFlightLog::count()
{
    m_error.clear();
    int count = -1;
    if (!m_store.forEachRow(QStringLiteral("SELECT count(*) FROM Launches"),
                            [&count](const CSqlStatement &row) { count = int(row.columnInt64(0)); }))
        fail(m_store.lastError());
    return count;
}

qint64 CFlightLog::insert(const CFlightEntry &flight)
{
    m_error.clear();
    CSqlStatement statement = m_store.prepareWrite(QStringLiteral("INSERT INTO Launches (%1) VALUES (%2)")
                                                       .arg(columnList(QString()), columnList(QString(), false)));
    const bool stored = statement.isValid() && bindColumns(statement, flight) && m_store.runWrite(statement);
    if (!stored) {
        fail(m_store.lastError());
        return 0;
    }
    return m_store.lastInsertRowId();
}

bool CFlightLog::update(const CFlightEntry &flight)
{
    m_error.clear();
    if (const QString problem = flightEntryProblem(flight); !problem.isEmpty())
        return fail(problem);
    QStringList assignments;
    // Every column but the rocket: a flight is moved to another rocket nowhere.
    for (int i = 1; i < kColumnCount; ++i)
        assignments.append(QStringLiteral("%1 = ?%2").arg(QLatin1String(kColumns[i].name)).arg(i + 1));
    return writeExistingRow(flight.rowId,
                            QStringLiteral("UPDATE Launches SET %1 WHERE rowid = ?%2")
                                .arg(assignments.join(QStringLiteral(", ")))
                                .arg(kColumnCount + 1),
                            &flight);
}

bool CFlightLog::remove(qint64 rowId)
{
    m_error.clear();
    return writeExistingRow(rowId, QStringLiteral("DELETE FROM Launches WHERE rowid = ?1"), nullptr);
}

bool CFlightLog::writeExistingRow(qint64 rowId, const QString &sql, const CFlightEntry *flight)
{
    CStoreTransaction transaction(m_store);
    if (!transaction.isActive())
        return fail(m_store.lastError());
    std::vector<CFlightEntry> rows;
    if (!read(QStringLiteral("WHERE Launches.rowid = ?1"), bindRowId(rowId), rows))
        return false;
    if (rows.empty())
        return fail(QStringLiteral("The flight is no longer in the logbook: it was deleted elsewhere."));
    CSqlStatement write = m_store.prepareWrite(sql);
    if (!write.isValid())
        return fail(m_store.lastError());
    const bool bound =
        flight ? bindColumns(write, *flight) && write.bindInt64(kColumnCount + 1, rowId) : write.bindInt64(1, rowId);
    if (!bound)
        return fail(QString());
    if (!m_store.runWrite(write))
        return fail(m_store.lastError());
    return transaction.commit() || fail(m_store.lastError());
}

bool CFlightLog::fail(const QString &error)
{
    m_error = error.isEmpty() ? QStringLiteral("The logbook refused the change.") : error;
    return false;
}

bool CFlightLog::failStatement(const CSqlStatement &statement)
{
    return fail(statement.lastError());
}

QString CFlightLog::logbookPath() const
{
    return m_store.path();
}

QString CFlightLog::storageDirectory() const
{
    return QFileInfo(m_store.path()).absolutePath() + QLatin1Char('/');
}

bool CFlightLog::expectedAltitude(const CFlightEntry &flight, std::optional<double> &altitude)
{
    m_error.clear();
    altitude.reset();
    const CFlightMotor motor = flight.motorParts();
    if (motor.type.isEmpty() || flight.rocketKey().isEmpty())
        return true;
    CSqlStatement query = m_store.prepareRead(
        QStringLiteral("SELECT Alt FROM RecMotors WHERE RocketID = ?1 AND Type = ?2 COLLATE NOCASE "
                       "AND (?3 = '' OR MFG = ?3 COLLATE NOCASE) AND Alt > 0 ORDER BY Delay = ?4 DESC, rowid "
                       "LIMIT 1"));
    if (!query.isValid())
        return fail(m_store.lastError());
    if (!query.bindText(1, flight.rocketKey()) || !query.bindText(2, motor.type) || !query.bindText(3, motor.maker)
        || !query.bindText(4, motor.delay))
        return failStatement(query);
    switch (query.step()) {
    case CSqlStatement::Step::Row:
        break;
    case CSqlStatement::Step::Done:
        return true;
    case CSqlStatement::Step::Error:
        return failStatement(query);
    }
    bool number = false;
    const double alt = query.columnText(0).toDouble(&number);
    if (number && alt > 0)
        altitude = alt;
    return true;
}
