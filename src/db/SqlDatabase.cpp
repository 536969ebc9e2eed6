#include "db/SqlDatabase.h"

#include <sqlite3.h>

CSqlDatabase::~CSqlDatabase()
{
    close();
}

bool CSqlDatabase::open(const QString &path, Mode mode)
{
    close();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::Create)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        m_error.code = rc & 0xFF;
        m_error.extendedCode = m_db ? sqlite3_extended_errcode(m_db) : rc;
        m_error.message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(rc));
        close();
        return false;
    }
    sqlite3_extended_result_codes(m_db, 0);
    sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
    m_error = CSqlError();
    return true;
}

void CSqlDatabase::setBusyTimeout(int milliseconds)
{
    m_busyTimeoutMs = milliseconds;
    if (m_db)
        sqlite3_busy_timeout(m_db, m_busyTimeoutMs);
}

bool CSqlDatabase::isReadOnly() const
{
    return m_db && sqlite3_db_readonly(m_db, "main") == 1;
}

void CSqlDatabase::close()
{
    if (m_db) {
        // Statements are owned by their CSqlStatement objects; close_v2 defers the
        // real close until the last of them is finalized.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool CSqlDatabase::execute(const QString &sql)
{
    if (!m_db) {
        m_error = {QStringLiteral("no database is open"), SQLITE_MISUSE, SQLITE_MISUSE};
        return false;
    }
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    m_error.code = rc;
    m_error.extendedCode = rc == SQLITE_OK ? 0 : sqlite3_extended_errcode(m_db);
    m_error.message = rc == SQLITE_OK ? QString() : QString::fromUtf8(message ? message : sqlite3_errstr(rc));
    sqlite3_free(message);
    return rc == SQLITE_OK;
}

CSqlStatement CSqlDatabase::prepare(const QByteArray &utf8, int *offset)
{
    m_error = CSqlError();
    if (!m_db) {
        m_error.message = QStringLiteral("no database is open");
        return CSqlStatement();
    }
    const int start = offset ? *offset : 0;
    const char *begin = utf8.constData() + start;
    const char *tail = nullptr;
    sqlite3_stmt *statement = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, begin, int(utf8.size()) - start, &statement, &tail);
    if (offset)
        *offset = tail ? int(tail - utf8.constData()) : int(utf8.size());
    if (rc != SQLITE_OK) {
        takeError();
        sqlite3_finalize(statement);
        return CSqlStatement();
    }
    return CSqlStatement(statement);
}

CSqlStatement CSqlDatabase::prepare(const QString &sql)
{
    return prepare(sql.toUtf8());
}

CSqlStatement CSqlDatabase::prepareSingle(const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    int offset = 0;
    CSqlStatement statement = prepare(utf8, &offset);
    if (!statement.isValid())
        return statement;
    // Whatever follows the first statement must be blanks or comments.
    const CSqlStatement second = prepare(utf8, &offset);
    if (!second.isValid() && m_error.message.isEmpty())
        return statement;
    m_error = {QStringLiteral("only one statement may be run at a time"), 0, 0};
    return {};
}

qint64 CSqlDatabase::lastInsertRowId() const
{
    return m_db ? sqlite3_last_insert_rowid(m_db) : 0;
}

qint64 CSqlDatabase::changes() const
{
    return m_db ? sqlite3_changes64(m_db) : 0;
}

bool CSqlDatabase::isAutocommit() const
{
    return !m_db || sqlite3_get_autocommit(m_db) != 0;
}

void CSqlDatabase::takeError()
{
    m_error.code = sqlite3_errcode(m_db);
    m_error.extendedCode = sqlite3_extended_errcode(m_db);
    m_error.message = QString::fromUtf8(sqlite3_errmsg(m_db));
    if (m_error.message.isEmpty())
        m_error.message = QStringLiteral("unknown SQLite error");
}
