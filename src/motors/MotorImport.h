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
    };
    Outcome outcome = Outcome::Unreadable;
    int motors = 0;

    bool succeeded() const { return outcome == Outcome::Imported; }
    // "Motors Extracted =N" or "Nothing loaded from file"; empty for Unreadable.
    QString message() const;
    QString caption() const;
};

// Appends every motor of a ".eng" thrust-curve file or a ".csv" file (told apart
// by the last three letters of the path) to the motor table, in one
// transaction: a failure or an interrupted import leaves the table as it was.
// Progress goes to `progress`, which is left showing its last text.
CMotorImportResult importMotorFile(CRecordStore &store, const QString &path, CProgressReport &progress);
