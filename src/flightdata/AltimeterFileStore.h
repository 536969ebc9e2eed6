#pragma once

#include "platform/RegularFile.h"

#include <QDateTime>
#include <QFileDevice>
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
// directory is kept where it is. Only a regular file of a recording's size is
// copied; the error says why not, and that the disk is full where it is.
CStoredAltimeterFile storeAltimeterFile(const QString &source, const QString &storageDirectory, const QDateTime &flight,
                                        const QString &rocket);

// The copy's own work: everything of from written to `to`. Empty when it was,
// else why not: "the disk is full" when the disk ran out of room, or the
// system's reason, naming the file.
QString copyRecordingInto(CRegularFile &from, QFileDevice &to, const QString &source);

// The recording a flight names: the stored path, or a file of that name in the
// current storage directory when the directory has moved since. Empty when
// neither exists.
QString findAltimeterFile(const QString &stored, const QString &storageDirectory);
