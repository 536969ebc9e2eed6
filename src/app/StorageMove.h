#pragma once

#include <QString>
#include <QStringList>

// What moving the storage directory's files did.
struct CStorageMoveResult
{
    bool listed = false; // false when the old folder could not be read: nothing moved
    QStringList moved; // file names, in the order they were moved
    QStringList kept; // file names that failed to move and stayed behind
};

// A directory path with every trailing "/" removed.
QString stripTrailingSlashes(const QString &directory);

// Whether a file stays behind when the storage directory moves: names that end
// in the three letters EXE, in any case (programs, never data).
bool staysInStorageDirectory(const QString &fileName);

// Moves every file (not folders) of oldDirectory into newDirectory, both ending
// with "/". A file whose name already exists in the new folder stays behind.
CStorageMoveResult moveStorageFiles(const QString &oldDirectory, const QString &newDirectory);

// Moves the named files from one folder to another (both ending with "/"), as
// when a move is undone; listed is true.
CStorageMoveResult moveNamedFiles(const QStringList &names, const QString &fromDirectory, const QString &toDirectory);
