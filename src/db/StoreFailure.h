#pragma once

#include <QString>

// What a failure of the logbook means to the flyer, told from SQLite's
// extended result code: the disk is full, the logbook or the folder it lives
// in cannot be written, another program is writing. A failure that lies in
// the statement itself (a saved query's mistake, a refused value) keeps
// SQLite's own words, which say what to change. The text is a clause that
// reads on after "could not be saved: ".
QString storeFailureText(int extendedCode, const QString &sqliteWords, const QString &logbookPath);
