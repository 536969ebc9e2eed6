#include "queries/SavedQueries.h"

#include "db/RecordStore.h"
#include "db/StoreTransaction.h"
#include "queries/QueryText.h"

namespace {
constexpr int kNameColumn = 1;
constexpr int kQueryColumn = 2;

bool openQueries(CRecordStore &store)
{
    return store.RunSql(QLatin1String(kQueriesByName));
}
} // namespace

QList<CSavedQuery> loadSavedQueries(CRecordStore &store)
{
    QList<CSavedQuery> queries;
    if (!openQueries(store))
        return queries;
    for (store.MoveFirst(); !store.IsEOF(); store.MoveNext())
        queries.append({store.GetFieldText(kNameColumn), store.GetFieldText(kQueryColumn)});
    return queries;
}

int countSavedQueries(CRecordStore &store)
{
    return openQueries(store) ? store.CountRecords() : 0;
}

bool savedQueryAt(CRecordStore &store, int index, CSavedQuery *query)
{
    if (index < 0 || !openQueries(store) || index >= store.CountRecords() || !store.MoveTo(index))
        return false;
    *query = {store.GetFieldText(kNameColumn), store.GetFieldText(kQueryColumn)};
    return true;
}

int savedQueryIndex(CRecordStore &store, const QString &name)
{
    const QList<CSavedQuery> queries = loadSavedQueries(store);
    for (int i = 0; i < queries.size(); ++i) {
        if (queries.at(i).name == name)
            return i;
    }
    return -1;
}

bool addSavedQuery(CRecordStore &store, const CSavedQuery &query)
{
    return store.RunSql(queryInsertStatement(query.name, query.sql)) && store.Update();
}

bool removeSavedQueryAt(CRecordStore &store, int index)
{
    if (index < 0 || !openQueries(store) || index >= store.CountRecords() || !store.MoveTo(index))
        return false;
    return store.Delete() && store.Update();
}

bool replaceSavedQueryAt(CRecordStore &store, int index, const CSavedQuery &query)
{
    CStoreTransaction transaction(store);
    if (!transaction.isActive())
        return false;
    return removeSavedQueryAt(store, index) && addSavedQuery(store, query) && transaction.commit();
}

bool addDefaultQueries(CRecordStore &store)
{
    CStoreTransaction transaction(store);
    if (!transaction.isActive())
        return false;
    for (const CSavedQuery &query : defaultQueries()) {
        if (!addSavedQuery(store, query))
            return false;
    }
    return transaction.commit();
}
