#include "platform/FileMove.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The folder's own record of a name is on the disk only once the folder is
// synced; until then a power cut can forget a file renamed into it.
bool syncFolder(const QString &path)
{
    const int folder =
        ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return false;
    const bool synced = ::fsync(folder) == 0;
    ::close(folder);
    return synced;
}

bool copyFlushed(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    // Written under a temporary name, so the new folder never holds half a file.
    const QString partial = to + QStringLiteral(".moving");
    QFile target(partial);
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    bool ok = true;
    while (ok && !source.atEnd()) {
        const QByteArray block = source.read(1 << 16);
        ok = !block.isEmpty() && target.write(block) == block.size();
    }
    ok = ok && target.flush() && ::fsync(target.handle()) == 0;
    target.close();
    ok = ok && target.setPermissions(source.permissions());
    ok = ok && !QFileInfo::exists(to)
        && std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(to).constData()) == 0;
    if (!ok && QFileInfo::exists(partial) && !QFile::remove(partial))
        qWarning().noquote() << "A partly copied file is left behind:" << partial;
    // The original goes only once its copy is surely kept.
    return ok && syncFolder(to);
}

} // namespace

bool moveFile(const QString &from, const QString &to)
{
    const QFileInfo source(from);
    if (!source.exists() || source.isDir())
        return false;
    const QFileInfo target(to);
    if (target.exists())
        return source.canonicalFilePath() == target.canonicalFilePath();

    const QByteArray fromName = QFile::encodeName(from);
    const QByteArray toName = QFile::encodeName(to);
    if (std::rename(fromName.constData(), toName.constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    return copyFlushed(from, to) && QFile::remove(from);
}
