#include "db/RocketDragStore.h"

#include "db/RecordStore.h"

#include <cmath>

namespace {
QString valueProblem(const char *what, double value)
{
    if (std::isfinite(value) && value >= 0)
        return QString();
    return QStringLiteral("the %1 must be a number of 0 or more, not %2").arg(QLatin1String(what)).arg(value);
}
} // namespace

CRocketDragStore::CRocketDragStore(CRecordStore &store)
    : m_store(store)
{ }

bool CRocketDragStore::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool CRocketDragStore::failStore()
{
    return fail(m_store.lastError());
}

bool CRocketDragStore::load(qint64 rocketNumber, CRocketDrag &drag)
{
    m_error.clear();
    drag = CRocketDrag();
    CSqlStatement own =
        m_store.prepareRead(QStringLiteral("SELECT Cd, GuideLength FROM RocketDrag WHERE RocketID = ?1"));
    if (!own.isValid())
        return failStore();
    if (!own.bindInt64(1, rocketNumber))
        return fail(own.lastError());
    CSqlStatement::Step step = own.step();
    if (step == CSqlStatement::Step::Error)
        return fail(own.lastError());
    if (step == CSqlStatement::Step::Row) {
        if (!own.columnIsNull(0))
            drag.cd = own.columnDouble(0);
        if (!own.columnIsNull(1))
            drag.guideM = own.columnDouble(1);
    }
    CSqlStatement fits = m_store.prepareRead(
        QStringLiteral("SELECT FlightID, Cd FROM RocketFittedCds WHERE RocketID = ?1 ORDER BY FlightID"));
    if (!fits.isValid())
        return failStore();
    if (!fits.bindInt64(1, rocketNumber))
        return fail(fits.lastError());
    while ((step = fits.step()) == CSqlStatement::Step::Row)
        drag.fitted.push_back({fits.columnInt64(0), fits.columnDouble(1)});
    return step == CSqlStatement::Step::Done || fail(fits.lastError());
}

bool CRocketDragStore::storeColumn(const char *column, const char *what, qint64 rocketNumber,
                                   std::optional<double> value)
{
    m_error.clear();
    if (value) {
        if (const QString problem = valueProblem(what, *value); !problem.isEmpty())
            return fail(problem);
    }
    CSqlStatement write = m_store.prepareWrite(QStringLiteral("INSERT INTO RocketDrag (RocketID, %1) VALUES (?1, ?2) "
                                                              "ON CONFLICT (RocketID) DO UPDATE SET %1 = excluded.%1")
                                                   .arg(QLatin1String(column)));
    if (!write.isValid())
        return failStore();
    if (!write.bindInt64(1, rocketNumber) || !(value ? write.bindDouble(2, *value) : write.bindNull(2)))
        return fail(write.lastError());
    return m_store.runWrite(write) || failStore();
}

bool CRocketDragStore::storeCd(qint64 rocketNumber, std::optional<double> cd)
{
    return storeColumn("Cd", "Cd", rocketNumber, cd);
}

bool CRocketDragStore::storeGuide(qint64 rocketNumber, std::optional<double> guideM)
{
    return storeColumn("GuideLength", "guide length", rocketNumber, guideM);
}

bool CRocketDragStore::storeFittedCd(qint64 rocketNumber, qint64 flightId, double cd)
{
    m_error.clear();
    if (const QString problem = valueProblem("fitted Cd", cd); !problem.isEmpty())
        return fail(problem);
    CSqlStatement write = m_store.prepareWrite(
        QStringLiteral("INSERT OR REPLACE INTO RocketFittedCds (FlightID, RocketID, Cd) VALUES (?1, ?2, ?3)"));
    if (!write.isValid())
        return failStore();
    if (!write.bindInt64(1, flightId) || !write.bindInt64(2, rocketNumber) || !write.bindDouble(3, cd))
        return fail(write.lastError());
    return m_store.runWrite(write) || failStore();
}

bool CRocketDragStore::removeFittedCd(qint64 flightId)
{
    m_error.clear();
    CSqlStatement write = m_store.prepareWrite(QStringLiteral("DELETE FROM RocketFittedCds WHERE FlightID = ?1"));
    if (!write.isValid())
        return failStore();
    if (!write.bindInt64(1, flightId))
        return fail(write.lastError());
    return m_store.runWrite(write) || failStore();
}
