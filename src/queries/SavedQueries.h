#pragma once

#include "queries/SavedQuery.h"

#include <QList>
#include <QString>

class CRecordStore;

// The Queries table, addressed as the screens address it: by position in name
// order. Each function runs its own statements, so the store's current result
// is replaced.

QList<CSavedQuery> loadSavedQueries(CRecordStore &store);
int countSavedQueries(CRecordStore &store);
// False when there is no query at that position.
[[nodiscard]] bool savedQueryAt(CRecordStore &store, int index, CSavedQuery *query);
// Position of the first query of that name, or -1.
int savedQueryIndex(CRecordStore &store, const QString &name);

[[nodiscard]] bool addSavedQuery(CRecordStore &store, const CSavedQuery &query);
// False, and nothing deleted, when there is no query at that position.
[[nodiscard]] bool removeSavedQueryAt(CRecordStore &store, int index);
// Deletes the query at that position and adds the new one in one transaction:
// both happen or neither does.
[[nodiscard]] bool replaceSavedQueryAt(CRecordStore &store, int index, const CSavedQuery &query);
// Adds the three default queries (again, if they are there already), together.
[[nodiscard]] bool addDefaultQueries(CRecordStore &store);
