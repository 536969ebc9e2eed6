#pragma once

#include <QString>

struct CSqlError;

// A failure of the record store as SQLite told it and as the flyer reads it.
struct CStoreFailure
{
    QString text; // the flyer's words: storeFailureText, or SQLite's for the statement's own fault
    QString sqlite; // SQLite's words, for logs and terminal detail
    int code = 0; // 0 when the store itself refused
    int extendedCode = 0;
};

// The failure of an SQLite error on the logbook at logbookPath.
CStoreFailure storeFailure(const CSqlError &error, const QString &logbookPath);

// What a failure of the logbook means to the flyer, told from SQLite's
// extended result code: the disk is full, the logbook or the folder it lives
// in cannot be written, another program is writing. A failure that lies in
// the statement itself (a saved query's mistake, a refused value) keeps
// SQLite's own words, which say what to change. The text is a clause that
// reads on after "could not be saved: ".
QString storeFailureText(int extendedCode, const QString &sqliteWords, const QString &logbookPath);
