#pragma once

#include <QString>

// Text rules for building and reading SQL; no database is touched here.

// The one way a value typed by the user or read from a file enters SQL text:
// a literal in single quotes with every apostrophe doubled.
QString sqlQuote(const QString &value);

// An SQL identifier in double quotes, for names taken from column metadata.
QString sqlIdentifier(const QString &name);

// The integer at the start of a text as the classic C conversion reads it:
// optional blanks, an optional sign, then decimal digits; 0 when there are none.
// Values beyond the int range are clamped.
int leadingInteger(const QString &text);

// For "CREATE DATABASE '<path>'": the path with doubled apostrophes undone, or a
// null string when the text is not that statement.
QString createDatabasePath(const QString &sql);

// True for BEGIN, COMMIT, END, ROLLBACK, SAVEPOINT and RELEASE: statements that
// would end or split the store's own transactions.
bool isTransactionControl(const QString &sql);

// The SELECT text with the hidden column "_rowid_" added after the last result
// column, so that the rows of a single-table result can be written back while
// the user's columns keep their positions. A null string when the statement is
// of a shape where a rowid would not name one row per result row (DISTINCT,
// GROUP BY, HAVING, compound selects, window functions, anything that is not a
// plain SELECT with a FROM). The caller checks on the prepared statement that
// the added column really is the rowid of the one base table.
QString selectWithRowId(const QString &sql);
