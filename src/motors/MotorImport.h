#pragma once

#include <QString>

class CProgressReport;
class CRecordStore;

// What importing one motor file came to.
struct CMotorImportResult
{
    enum class Outcome {
        Unreadable, // the file could not be opened or read: nothing is said
        NothingLoaded, // no motor header, no text, or columns that are not motor columns
        Imported, // `motors` motors were stored (0 for a file of another kind)
        StoreFailed, // the logbook refused a write: nothing of the file was stored
    };
    // Why the logbook refused; the message names it.
    enum class StoreFailure { DiskFull, Busy, Other };

    Outcome outcome = Outcome::Unreadable;
    int motors = 0;
    int skippedHeaders = 0; // motor headers without a type, not stored
    int unusableCurves = 0; // motors stored without their thrust curve
    QString file; // the imported file's path
    QString logbook; // the logbook file, for StoreFailed
    StoreFailure failure = StoreFailure::Other;
    QString storeError; // SQLite's reason, for StoreFailed

    bool succeeded() const { return outcome == Outcome::Imported; }
    // "Motors Extracted =N", "Nothing loaded from file" or why the logbook
    // refused the motors; empty for Unreadable.
    QString message() const;
    QString caption() const;
};

// Appends every motor of a ".eng" thrust-curve file or a ".csv" file (told apart
// by the last three letters of the path) to the motor table, in one
// transaction: the first write the logbook refuses ends the import, and a
// failure or an interrupted import leaves the table as it was. Headers of a
// thrust-curve file that give no motor type are skipped and counted.
// Progress goes to `progress`, which is left showing its last text.
CMotorImportResult importMotorFile(CRecordStore &store, const QString &path, CProgressReport &progress);
