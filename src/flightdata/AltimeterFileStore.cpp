#include "flightdata/AltimeterFileStore.h"

#include "flightdata/AltimeterReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>

QString altimeterFileName(const QDateTime &flight, const QString &rocket, const QString &source)
{
    static const QRegularExpression forbidden(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    QString name = rocket.simplified();
    name.replace(forbidden, QStringLiteral("_"));
    name = name.left(100);
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("Flight"));
    QString stem = flight.toString(QStringLiteral("yyyy-MM-dd HHmm")) + QLatin1Char(' ') + name;
    const QString suffix = QFileInfo(source).suffix();
    return suffix.isEmpty() ? stem : stem + QLatin1Char('.') + suffix.left(16);
}

namespace {
// Why a write failed, saying so plainly where the disk ran out of room.
QString writeFailure(const QFileDevice &file, int error)
{
    if (error == ENOSPC || error == EDQUOT || file.errorString() == qt_error_string(ENOSPC)
        || file.errorString() == qt_error_string(EDQUOT))
        return QStringLiteral("The file %1 cannot be written: the disk is full.").arg(file.fileName());
    return QStringLiteral("The file %1 cannot be written: %2").arg(file.fileName(), file.errorString());
}
} // namespace

QString copyRecordingInto(CRegularFile &from, QFileDevice &to, const QString &source)
{
    QByteArray block(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 got = from.read(block.data(), block.size());
        if (got < 0)
            return QStringLiteral("The file %1 cannot be read: %2").arg(source, from.error());
        if (got == 0)
            return QString();
        errno = 0;
        if (to.write(block.constData(), got) != got)
            return writeFailure(to, errno);
    }
}

CStoredAltimeterFile storeAltimeterFile(const QString &source, const QString &storageDirectory, const QDateTime &flight,
                                        const QString &rocket)
{
    const QFileInfo from(source);
    if (QFileInfo(from.absolutePath()) == QFileInfo(storageDirectory))
        return {from.absoluteFilePath(), {}};
    CRegularFile in(source, kMaxRecordingFileBytes);
    if (!in.isOpen())
        return {{}, QStringLiteral("The file %1 cannot be read: %2").arg(source, in.error())};

    const QFileInfo name(QDir(storageDirectory).filePath(altimeterFileName(flight, rocket, source)));
    QString target = name.filePath();
    for (int copy = 2; QFileInfo::exists(target); ++copy) {
        target = name.dir().filePath(QStringLiteral("%1 (%2)%3")
                                         .arg(name.completeBaseName(), QString::number(copy),
                                              name.suffix().isEmpty() ? QString() : QLatin1Char('.') + name.suffix()));
    }
    QSaveFile out(target);
    // Unbuffered, so a short write is seen before the copy is committed.
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {{}, writeFailure(out, errno)};
    // The reason is taken before cancelling, which puts its own in its place.
    QString failure = copyRecordingInto(in, out, source);
    if (!failure.isEmpty()) {
        out.cancelWriting();
        return {{}, failure};
    }
    errno = 0;
    if (!out.commit())
        return {{}, writeFailure(out, errno)};
    return {target, {}};
}

QString findAltimeterFile(const QString &stored, const QString &storageDirectory)
{
    if (stored.isEmpty())
        return QString();
    if (QFileInfo(stored).isFile())
        return stored;
    const QString moved = QDir(storageDirectory).filePath(QFileInfo(stored).fileName());
    return QFileInfo(moved).isFile() ? moved : QString();
}
