#pragma once

#include <QString>
#include <QStringList>

class CProgressReport;
class CRecordStore;

// What importing one motor file came to.
struct CMotorImportResult
{
    enum class Outcome {
        Unreadable, // the file could not be opened or read: the screen says nothing, readError why
        Refused, // not a motor file at all (a folder, a device, too large, not text): `refusal` says why
        NothingLoaded, // no motor header, no text, or columns that are not motor columns
        Imported, // `motors` motors were stored (0 for a file of another kind)
        StoreFailed, // the logbook refused a write: nothing of the file was stored
    };

    Outcome outcome = Outcome::Unreadable;
    int motors = 0;
    int curvesNotKept = 0; // motors stored without their thrust curve
    // One line for each motor stored without its curve and each line left
    // out, with the reason, in file order.
    QStringList notes;
    QString file; // the imported file's path
    QString refusal; // for Refused
    QString readError; // for Unreadable: the system's reason, as a clause
    QString storeError; // the logbook's reason, in the flyer's words, for StoreFailed
    QString storeDetail; // SQLite's own words for it, for a log

    bool succeeded() const { return outcome == Outcome::Imported; }
    // "Motors Extracted =N" or "Nothing loaded from file", each with the notes
    // (the first of them, when there are many); why the file was refused, or
    // why the logbook refused the motors; empty for Unreadable.
    QString message() const;
    QString caption() const;
};

// The largest file taken for a motor file; real ones are a few kilobytes.
inline constexpr qint64 kMaxMotorFileBytes = qint64(64) * 1024 * 1024;

// Appends every motor of a ".eng" thrust-curve file or a ".csv" file (told apart
// by the last three letters of the path) to the motor table, in one
// transaction: the first write the logbook refuses ends the import, and a
// failure or an interrupted import leaves the table as it was. A motor whose
// thrust data cannot be used is stored without its curve and named. Only a
// regular text file of at most kMaxMotorFileBytes is read.
// Progress goes to `progress`, which is left showing its last text.
CMotorImportResult importMotorFile(CRecordStore &store, const QString &path, CProgressReport &progress);
