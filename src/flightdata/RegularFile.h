#pragma once

#include <QString>

// A file opened for reading only if it is a regular file of at most a given
// size. It is opened without waiting, so that a pipe with no writer cannot hang
// the program, and only then is it checked: a name that leads to a folder, a
// pipe or a device (a link to /dev/zero never ends) is refused with a reason.
class CRegularFile
{
public:
    CRegularFile(const QString &path, qint64 maxBytes);
    ~CRegularFile();
    CRegularFile(const CRegularFile &) = delete;
    CRegularFile &operator=(const CRegularFile &) = delete;

    bool isOpen() const { return m_fd >= 0 && m_error.isEmpty(); }
    // Why the file cannot be read: "it is not a regular file ...", the system's
    // reason; empty while it can.
    QString error() const { return m_error; }
    qint64 size() const { return m_size; }

    // Up to size bytes into data: their count, 0 at the end, -1 with error() set
    // on a failure or once more than maxBytes were read (a file that grows).
    [[nodiscard]] qint64 read(char *data, qint64 size);

private:
    int m_fd = -1;
    qint64 m_maxBytes;
    qint64 m_size = 0;
    qint64 m_read = 0;
    QString m_error;
};
