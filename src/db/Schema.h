#pragma once

#include <QString>
#include <QStringList>

// The logbook file: its name, where it lives and the tables it holds.

inline constexpr char kDatabaseFileName[] = "TarvelDB.CDB";

// Written into every logbook this program creates ("TRVL").
inline constexpr int kLogbookApplicationId = 0x5452564C;

// The longest SQL text a saved query may hold; Queries.Query is declared this wide.
inline constexpr int kMaxQueryTextLength = 4000;

// The storage directory (ending with "/") followed directly by the file name.
QString databasePath(const QString &storageDirectory);

// Rockets, RecMotors, Motors, MFGs, Launches, Queries: the order of creation.
QStringList logbookTableNames();

// One CREATE TABLE statement per table, in the order of logbookTableNames().
QStringList createTableStatements();

// Indexes that keep the rocket page fast in large logbooks; additive only.
QStringList createIndexStatements();

// Creates the logbook in the storage directory (and the directory with its
// parents) unless a file of that name exists already, which is left untouched.
// The file is built under a temporary name of its own and renamed into place,
// never over a file: an interrupted first start never leaves a half-made
// logbook behind, and of two programs starting at once on a new folder, the
// one that comes second uses the first one's logbook. True when the logbook
// is there.
[[nodiscard]] bool CreateDatabase(const QString &storageDirectory);
