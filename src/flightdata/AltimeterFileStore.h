#pragma once

#include <QDateTime>
#include <QString>

// A flight's altimeter recording kept in the storage directory, so that it
// outlives the download folder and moves with the logbook.
struct CStoredAltimeterFile
{
    QString path; // the copy's full path; empty when it could not be made
    QString error;
};

// The copy's file name: the flight's date and time and the rocket's name, with
// the source's extension: "2026-05-01 1432 Big Bertha.pf2". Characters that no
// file name may hold become "_".
QString altimeterFileName(const QDateTime &flight, const QString &rocket, const QString &source);

// Copies source into the storage directory under altimeterFileName, never over
// an existing file (" (2)", " (3)" ... are added), through a temporary name so
// that a failed copy leaves nothing behind. A source already in the storage
// directory is kept where it is.
CStoredAltimeterFile storeAltimeterFile(const QString &source, const QString &storageDirectory, const QDateTime &flight,
                                        const QString &rocket);

// The recording a flight names: the stored path, or a file of that name in the
// current storage directory when the directory has moved since. Empty when
// neither exists.
QString findAltimeterFile(const QString &stored, const QString &storageDirectory);
