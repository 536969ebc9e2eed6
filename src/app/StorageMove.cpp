#include "app/StorageMove.h"

#include "platform/FileMove.h"

#include <QDir>

QString stripTrailingSlashes(const QString &directory)
{
    QString stripped = directory;
    while (stripped.endsWith(QLatin1Char('/')))
        stripped.chop(1);
    return stripped;
}

bool staysInStorageDirectory(const QString &fileName)
{
    return fileName.toUpper().endsWith(QLatin1String("EXE"));
}

CStorageMoveResult moveStorageFiles(const QString &oldDirectory, const QString &newDirectory)
{
    CStorageMoveResult result;
    const QDir old(oldDirectory);
    if (oldDirectory.isEmpty() || !old.exists() || !old.isReadable())
        return result;
    result.listed = true;
    const QStringList names = old.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names) {
        if (staysInStorageDirectory(name))
            continue;
        if (moveFile(oldDirectory + name, newDirectory + name))
            result.moved.append(name);
        else
            result.kept.append(name);
    }
    return result;
}
