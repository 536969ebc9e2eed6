#include "flightdata/AltimeterFileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

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

CStoredAltimeterFile storeAltimeterFile(const QString &source, const QString &storageDirectory, const QDateTime &flight,
                                        const QString &rocket)
{
    const QFileInfo from(source);
    if (QFileInfo(from.absolutePath()) == QFileInfo(storageDirectory))
        return {from.absoluteFilePath(), {}};
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("The file %1 cannot be read: %2").arg(source, in.errorString())};

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
        return {{}, QStringLiteral("The file %1 cannot be written: %2").arg(target, out.errorString())};
    QByteArray block(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(block.data(), block.size());
        if (got < 0) {
            out.cancelWriting();
            return {{}, QStringLiteral("The file %1 cannot be read: %2").arg(source, in.errorString())};
        }
        if (got == 0)
            break;
        if (out.write(block.constData(), got) != got) {
            out.cancelWriting();
            return {{}, QStringLiteral("The file %1 cannot be written: %2").arg(target, out.errorString())};
        }
    }
    if (!out.commit())
        return {{}, QStringLiteral("The file %1 cannot be written: %2").arg(target, out.errorString())};
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
