#include "motors/RegularFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileOpening openRegularFile(QFile &file, const QString &path, qint64 maxBytes)
{
    // Opened without waiting, then asked what it is: asking first would leave
    // a moment in which the name could come to mean a pipe.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return FileOpening::Unreadable;
    struct stat status = {};
    FileOpening opening = FileOpening::Opened;
    if (::fstat(fd, &status) != 0)
        opening = FileOpening::Unreadable;
    else if (S_ISDIR(status.st_mode))
        opening = FileOpening::Folder;
    else if (!S_ISREG(status.st_mode))
        opening = FileOpening::NotAFile;
    else if (status.st_size > maxBytes)
        opening = FileOpening::TooLarge;
    if (opening != FileOpening::Opened || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return opening == FileOpening::Opened ? FileOpening::Unreadable : opening;
    }
    return FileOpening::Opened;
}
