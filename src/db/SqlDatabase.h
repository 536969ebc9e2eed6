#pragma once

#include "db/SqlStatement.h"

#include <QString>

struct sqlite3;

// One SQLite connection, closed when the object goes away. Errors are values:
// every call reports success, and lastError() tells what went wrong.
class CSqlDatabase
{
public:
    enum class Mode { OpenExisting, Create };

    CSqlDatabase() = default;
    ~CSqlDatabase();

    CSqlDatabase(const CSqlDatabase &) = delete;
    CSqlDatabase &operator=(const CSqlDatabase &) = delete;

    bool open(const QString &path, Mode mode);
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Runs statements that return no rows, one after the other.
    bool execute(const QString &sql);

    // Prepares the first statement of utf8 starting at offset; offset moves past it.
    // An invalid statement with an empty lastError() means there was nothing left to run.
    CSqlStatement prepare(const QByteArray &utf8, int *offset = nullptr);
    CSqlStatement prepare(const QString &sql);

    qint64 changes() const;
    // The rowid of the row the last INSERT on this connection added.
    qint64 lastInsertRowId() const;
    // True when no transaction is open on the connection, including after SQLite
    // rolled one back by itself (disk full, I/O error).
    bool isAutocommit() const;
    QString lastError() const { return m_lastError; }
    // SQLite's primary result code of the last failure; 0 after success.
    int lastErrorCode() const { return m_lastCode; }
    bool lastErrorIsNotADatabase() const;

private:
    void takeError();

    sqlite3 *m_db = nullptr;
    QString m_lastError;
    int m_lastCode = 0;
};
