#include "db/StoreFailure.h"

#include "db/SqlStatement.h"

#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

namespace {
// SQLite says "attempt to write a readonly database" whether the file or its
// folder refuses: a write also makes a journal file beside the logbook.
bool folderRefuses(int extendedCode, const QFileInfo &logbook)
{
    if (extendedCode == SQLITE_READONLY_DIRECTORY)
        return true;
    if (extendedCode != SQLITE_READONLY)
        return false;
    const QFileInfo folder(logbook.absolutePath());
    return logbook.isWritable() && folder.exists() && !folder.isWritable();
}
} // namespace

QString storeFailureText(int extendedCode, const QString &sqliteWords, const QString &logbookPath)
{
    const QFileInfo logbook(logbookPath);
    const QString file = QDir::toNativeSeparators(logbookPath);
    switch (extendedCode & 0xFF) {
    case SQLITE_FULL:
        return QStringLiteral("the disk is full");
    case SQLITE_READONLY:
        if (folderRefuses(extendedCode, logbook))
            return QStringLiteral("the folder %1 is read-only, so the logbook in it cannot be changed")
                .arg(QDir::toNativeSeparators(logbook.absolutePath()));
        return QStringLiteral("the logbook %1 is read-only").arg(file);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("another program is writing to the logbook %1: try again when it has finished").arg(file);
    case SQLITE_IOERR:
        return QStringLiteral("the logbook %1 could not be read or written: the disk reported an error").arg(file);
    case SQLITE_CORRUPT:
        return QStringLiteral("the logbook %1 is damaged").arg(file);
    case SQLITE_NOTADB:
        return QStringLiteral("the file %1 is not a logbook").arg(file);
    case SQLITE_CANTOPEN:
        return QStringLiteral("the logbook %1 cannot be opened").arg(file);
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("the logbook %1 may not be changed").arg(file);
    case SQLITE_NOMEM:
        return QStringLiteral("there is not enough memory");
    default:
        return sqliteWords;
    }
}

CStoreFailure storeFailure(const CSqlError &error, const QString &logbookPath)
{
    CStoreFailure failure;
    failure.sqlite = error.message.isEmpty() ? QStringLiteral("unknown failure") : error.message;
    failure.code = error.code;
    failure.extendedCode = error.extendedCode != 0 ? error.extendedCode : error.code;
    failure.text =
        error.code != 0 ? storeFailureText(failure.extendedCode, failure.sqlite, logbookPath) : failure.sqlite;
    return failure;
}
