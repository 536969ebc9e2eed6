#pragma once

#include "queries/SavedQuery.h"

#include <QList>
#include <QString>

// Text rules of the saved queries; no database and no widget is touched here.

// Every screen reads the saved queries in this order, and a query's position in
// it is how the screens address it.
inline constexpr char kQueriesByName[] = "SELECT * FROM Queries ORDER BY Name";

// The statement that stores one query; both texts are stored exactly as typed.
QString queryInsertStatement(const QString &name, const QString &sql);

// One line of the builder's list: the name, a TAB, the SQL text.
QString queryListLine(const CSavedQuery &query);

// "Sport Models", "All Rockets", "Estes Rockets", in the order they are added.
QList<CSavedQuery> defaultQueries();

// What the screens say when a saved query is refused or fails.
QString queryWritesMessage(const QString &name);
QString queryFailedMessage(const QString &name, const QString &reason);
