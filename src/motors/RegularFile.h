#pragma once

#include <QString>

class QFile;

// Why a file named for reading was not opened.
enum class FileOpening {
    Opened,
    Unreadable, // missing, or not allowed
    Folder,
    NotAFile, // a device, a pipe, a socket: reading might never end
    TooLarge,
};

// Opens `path` for reading only when it is a regular file (a link counts as
// what it points to) of at most maxBytes. It never waits: a pipe with no
// writer is refused at once, as is a link to /dev/zero. The file read may
// still grow; its reader stops at maxBytes.
FileOpening openRegularFile(QFile &file, const QString &path, qint64 maxBytes);
