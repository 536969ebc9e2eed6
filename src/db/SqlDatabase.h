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

    [[nodiscard]] bool open(const QString &path, Mode mode);
    // How long a statement waits for another program's lock before it fails
    // as busy; for this connection and the ones it opens later.
    void setBusyTimeout(int milliseconds);
    int busyTimeout() const { return m_busyTimeoutMs; }
    // True when SQLite could open the file for reading only.
    bool isReadOnly() const;
    void close();
    bool isOpen() const { return m_db != nullptr; }

    // Runs statements that return no rows, one after the other.
    [[nodiscard]] bool execute(const QString &sql);

    // Prepares the first statement of utf8 starting at offset; offset moves past it.
    // An invalid statement with an empty lastError() means there was nothing left to run.
    [[nodiscard]] CSqlStatement prepare(const QByteArray &utf8, int *offset = nullptr);
    [[nodiscard]] CSqlStatement prepare(const QString &sql);
    // The one statement of a text, prepared. Invalid with an empty lastError()
    // when the text is nothing but blanks and comments; invalid with SQLite's
    // reason, or with "only one statement ...", when it is not one statement.
    [[nodiscard]] CSqlStatement prepareSingle(const QString &sql);

    qint64 changes() const;
    // The rowid of the row the last INSERT on this connection added.
    qint64 lastInsertRowId() const;
    // True when no transaction is open on the connection, including after SQLite
    // rolled one back by itself (disk full, I/O error).
    bool isAutocommit() const;
    QString lastError() const { return m_error.message; }
    // SQLite's primary result code of the last failure; 0 after success.
    int lastErrorCode() const { return m_error.code; }
    // The extended code, which tells a read-only folder from a read-only file.
    int lastExtendedErrorCode() const { return m_error.extendedCode; }
    const CSqlError &error() const { return m_error; }

private:
    void takeError();

    sqlite3 *m_db = nullptr;
    CSqlError m_error;
    int m_busyTimeoutMs = 5000;
};
