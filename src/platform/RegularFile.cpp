#include "platform/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error)) + QLatin1Char('.');
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + (1 << 20) - 1) >> 20);
}
} // namespace

CRegularFile::CRegularFile(const QString &path, qint64 maxBytes)
    : m_maxBytes(maxBytes)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (m_fd < 0) {
        m_error = systemReason(errno);
        return;
    }
    struct stat status = {};
    if (::fstat(m_fd, &status) != 0) {
        m_error = systemReason(errno);
    } else if (S_ISDIR(status.st_mode)) {
        m_opening = FileOpening::Folder;
        m_error = QStringLiteral("it is a folder, not a regular file.");
    } else if (!S_ISREG(status.st_mode)) {
        m_opening = FileOpening::NotAFile;
        m_error = QStringLiteral("it is not a regular file but a pipe or a device.");
    } else if (status.st_size > maxBytes) {
        m_opening = FileOpening::TooLarge;
        m_error = QStringLiteral("it holds %1 MB, more than the %2 MB it may have.")
                      .arg(megabytes(status.st_size), megabytes(maxBytes));
    } else {
        m_opening = FileOpening::Opened;
        m_size = status.st_size;
    }
}

CRegularFile::~CRegularFile()
{
    close();
}

void CRegularFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

qint64 CRegularFile::read(char *data, qint64 size)
{
    if (!isOpen())
        return -1;
    for (;;) {
        const ssize_t got = ::read(m_fd, data, size_t(size));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            m_error = systemReason(errno);
            m_opening = FileOpening::Unreadable;
            return -1;
        }
        m_read += got;
        if (m_read > m_maxBytes) {
            m_error =
                QStringLiteral("it grew beyond the %1 MB it may have while it was read.").arg(megabytes(m_maxBytes));
            m_opening = FileOpening::TooLarge;
            return -1;
        }
        return got;
    }
}
