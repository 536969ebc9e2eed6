#pragma once

class QIODevice;
#include <QString>

class CRecordStore;

// Writing a saved query's result to a file that a desktop program can read:
// comma-separated values or an HTML table, UTF-8 without a byte-order mark.

enum class ExportFormat { None, Csv, Html };

// ".csv" selects CSV, ".htm" and ".html" select HTML, in any case; anything else None.
ExportFormat exportFormatForPath(const QString &path);

// Writes the file content for the store's current result, from its first
// record on; an empty result gives the opening and closing texts alone. False
// when the device refuses a write.
[[nodiscard]] bool writeExportContent(ExportFormat format, CRecordStore &store, QIODevice &device);

enum class ExportStatus {
    Written,
    NothingToWrite, // no query at that position, an empty query text, or a path of another kind
    QueryWrites, // the query would change the logbook and was not run
    QueryFailed,
    FileFailed,
};

// Runs the saved query at that position (in name order) and writes its result
// to the path through a temporary file renamed into place, so a failure leaves
// any previous file as it was. For the failures, message gets the text to show.
ExportStatus exportSavedQuery(CRecordStore &store, int index, const QString &path, QString *message);
