#include "flightdata/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemReason()
{
    return QString::fromLocal8Bit(strerror(errno));
}

QString megabytes(qint64 bytes)
{
    return QString::number((bytes + (1 << 20) - 1) >> 20);
}
} // namespace

CRegularFile::CRegularFile(const QString &path, qint64 maxBytes)
    : m_maxBytes(maxBytes)
{
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = systemReason();
        return;
    }
    struct stat status
    { };
    if (::fstat(m_fd, &status) != 0)
        m_error = systemReason();
    else if (!S_ISREG(status.st_mode))
        m_error = QStringLiteral("it is not a regular file but a folder, a pipe or a device.");
    else if (status.st_size > maxBytes)
        m_error = QStringLiteral("it holds %1 MB, more than the %2 MB a recording may have.")
                      .arg(megabytes(status.st_size), megabytes(maxBytes));
    m_size = status.st_size;
}

CRegularFile::~CRegularFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
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
            m_error = systemReason();
            return -1;
        }
        m_read += got;
        if (m_read > m_maxBytes) {
            m_error = QStringLiteral("it grew beyond the %1 MB a recording may have while it was read.")
                          .arg(megabytes(m_maxBytes));
            return -1;
        }
        return got;
    }
}
