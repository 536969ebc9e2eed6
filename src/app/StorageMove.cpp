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
    const QDir old(oldDirectory);
    if (oldDirectory.isEmpty() || !old.exists() || !old.isReadable())
        return {};
    QStringList names = old.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    names.removeIf(staysInStorageDirectory);
    return moveNamedFiles(names, oldDirectory, newDirectory);
}

CStorageMoveResult moveNamedFiles(const QStringList &names, const QString &fromDirectory, const QString &toDirectory)
{
    CStorageMoveResult result;
    result.listed = true;
    for (const QString &name : names) {
        if (moveFile(fromDirectory + name, toDirectory + name))
            result.moved.append(name);
        else
            result.kept.append(name);
    }
    return result;
}
