#pragma once

#include <QString>

// What opening a file named for reading found.
enum class FileOpening {
    Opened,
    Unreadable, // missing, not allowed, or the disk failed
    Folder,
    NotAFile, // a device, a pipe, a socket: reading might never end
    TooLarge,
};

// A file opened for reading only when it is a regular file (a link counts as
// what it points to) of at most maxBytes. It never waits: it is opened
// without blocking and only then asked what it is, as asking first would
// leave a moment in which the name could come to mean a pipe. A pipe with no
// writer is refused at once, and so is a link to /dev/zero, which never ends.
class CRegularFile
{
public:
    CRegularFile(const QString &path, qint64 maxBytes);
    ~CRegularFile();
    CRegularFile(const CRegularFile &) = delete;
    CRegularFile &operator=(const CRegularFile &) = delete;

    bool isOpen() const { return m_fd >= 0 && m_opening == FileOpening::Opened; }
    FileOpening opening() const { return m_opening; }
    // Why the file cannot be read, as a clause ("it is a folder, not a
    // regular file.", the system's reason); empty while it can.
    QString error() const { return m_error; }
    qint64 size() const { return m_size; }

    // Up to size bytes into data: their count, 0 at the end. -1, with error()
    // set, when the disk fails, or when the file grew past maxBytes since it
    // was opened (opening() is then TooLarge).
    [[nodiscard]] qint64 read(char *data, qint64 size);
    void close();

private:
    int m_fd = -1;
    FileOpening m_opening = FileOpening::Unreadable;
    qint64 m_maxBytes;
    qint64 m_size = 0;
    qint64 m_read = 0;
    QString m_error;
};
