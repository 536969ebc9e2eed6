#pragma once

#include <QString>

class CSqlDatabase;
struct CSqlError;

// How a connection shares the logbook file with other programs. While it is
// open the logbook keeps SQLite's write-ahead log, so that readers go on while
// another program writes, with full syncs, so that a kill or a power cut at
// any moment leaves the last committed state. The last connection to close
// writes the log back and returns the file to the rollback journal: between
// sessions the logbook is one self-contained file that can be copied, and
// read where it cannot be written.

// Turns the write-ahead log on for an open connection where the file and its
// folder can be written (the log lives beside the file); true when it is on.
// Where they cannot, or another program holds the lock, the logbook goes on
// with the rollback journal, sound either way, which a reader never writes.
bool shareLogbook(CSqlDatabase &db, const QString &path);

// Closes the connection. When no other connection has the file open, the log
// goes back into the file first and the file returns to the rollback journal;
// while another has, that one does it when it closes.
void closeLogbook(CSqlDatabase &db);

// Makes the logbook at path one self-contained file again, as the last close
// does, before it is moved or copied; true when it is one already or there is
// none. False, with SQLite's reason in error, when it cannot be read or
// another program has it open.
[[nodiscard]] bool settleLogbook(const QString &path, CSqlError &error);
