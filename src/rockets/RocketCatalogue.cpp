#include "rockets/RocketCatalogue.h"

#include "db/RecordStore.h"
#include "db/Schema.h"
#include "db/StoreTransaction.h"
#include "rockets/RocketQueries.h"

#include <QDebug>

QString addRocketRow(CRecordStore &store)
{
    if (!store.RunSql(QStringLiteral("Select * FROM Rockets")))
        return QString();
    const int count = store.CountRecords();
    if (!store.RunSql(QStringLiteral("INSERT INTO Rockets (ID,Name,Stages,Clustered) VALUES (%1,'TempNew','0','0')")
                          .arg(count + 1)))
        return QString();
    if (!store.Update())
        return QString();
    if (!store.RunSql(QLatin1String(kAllRocketsQuery)))
        return QString();
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
        if (store.GetFieldText(kRocketName) == QLatin1String("TempNew"))
            return store.GetFieldText(kRocketId);
    }
    return QString();
}

int countRocketLaunches(CRecordStore &store, const QString &rocketId)
{
    return store.RunSql(launchesQuery(rocketId)) ? store.CountRecords() : 0;
}

namespace {

bool deleteAll(CRecordStore &store, const QString &sql)
{
    if (!store.RunSql(sql))
        return false;
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
        if (!store.Delete() || !store.Update())
            return false;
    }
    return true;
}

} // namespace

bool deleteRocketRows(CRecordStore &store, const QString &rocketQueryText)
{
    CStoreTransaction transaction(store);
    if (!transaction.isActive() || !store.RunSql(rocketQueryText) || !store.MoveTo(0) || store.IsEOF())
        return false;
    const QString rocketId = store.GetFieldText(kRocketId);
    if (!store.Delete() || !store.Update())
        return false;
    if (!deleteAll(store, recMotorsQuery(rocketId)) || !deleteAll(store, launchesQuery(rocketId)))
        return false;
    if (!store.Reindex())
        return false;
    return transaction.commit();
}

void ensureRocketIndexes(CRecordStore &store)
{
    // Only a speed-up: a logbook that cannot take them is read without.
    for (const QString &statement : createIndexStatements()) {
        if (!store.RunSql(statement)) {
            qDebug().noquote() << "The rocket page reads without its indexes:" << store.lastError();
            return;
        }
    }
}
