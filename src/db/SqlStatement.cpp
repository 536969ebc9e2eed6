#include "db/SqlStatement.h"

#include <sqlite3.h>

#include <utility>

namespace {
QString fromUtf8(const char *text)
{
    return text ? QString::fromUtf8(text) : QString();
}
} // namespace

bool CSqlError::isBusy() const
{
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

CSqlStatement::CSqlStatement(sqlite3_stmt *statement)
    : m_statement(statement)
{ }

CSqlStatement::~CSqlStatement()
{
    sqlite3_finalize(m_statement);
}

CSqlStatement::CSqlStatement(CSqlStatement &&other) noexcept
    : m_statement(std::exchange(other.m_statement, nullptr))
    , m_error(std::exchange(other.m_error, CSqlError()))
{ }

CSqlStatement &CSqlStatement::operator=(CSqlStatement &&other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_statement = std::exchange(other.m_statement, nullptr);
        m_error = std::exchange(other.m_error, CSqlError());
    }
    return *this;
}

bool CSqlStatement::isReadOnly() const
{
    return m_statement && sqlite3_stmt_readonly(m_statement) != 0;
}

CSqlStatement::Step CSqlStatement::step()
{
    const int rc = m_statement ? sqlite3_step(m_statement) : SQLITE_MISUSE;
    if (rc == SQLITE_ROW || rc == SQLITE_DONE) {
        m_error = CSqlError();
        return rc == SQLITE_ROW ? Step::Row : Step::Done;
    }
    keep(rc);
    return Step::Error;
}

bool CSqlStatement::run()
{
    Step result = Step::Row;
    while (result == Step::Row)
        result = step();
    return result == Step::Done;
}

void CSqlStatement::reset()
{
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

bool CSqlStatement::took(int rc)
{
    if (rc == SQLITE_OK)
        return true;
    keep(rc);
    return false;
}

// Takes SQLite's words at once: the next call on the connection may replace them.
void CSqlStatement::keep(int rc)
{
    if (!m_statement) {
        m_error = {QStringLiteral("no statement was prepared"), SQLITE_MISUSE, SQLITE_MISUSE};
        return;
    }
    sqlite3 *db = sqlite3_db_handle(m_statement);
    m_error.code = rc & 0xFF;
    m_error.extendedCode = sqlite3_extended_errcode(db);
    m_error.message = fromUtf8(sqlite3_errmsg(db));
    if (m_error.message.isEmpty())
        m_error.message = fromUtf8(sqlite3_errstr(rc));
}

bool CSqlStatement::bindText(int index, const QString &value)
{
    return bindUtf8(index, value.toUtf8());
}

bool CSqlStatement::bindUtf8(int index, const QByteArray &utf8)
{
    return took(m_statement
                    ? sqlite3_bind_text(m_statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT)
                    : SQLITE_MISUSE);
}

bool CSqlStatement::bindDouble(int index, double value)
{
    return took(m_statement ? sqlite3_bind_double(m_statement, index, value) : SQLITE_MISUSE);
}

bool CSqlStatement::bindNull(int index)
{
    return took(m_statement ? sqlite3_bind_null(m_statement, index) : SQLITE_MISUSE);
}

bool CSqlStatement::bindInt64(int index, qint64 value)
{
    return took(m_statement ? sqlite3_bind_int64(m_statement, index, value) : SQLITE_MISUSE);
}

int CSqlStatement::columnCount() const
{
    return m_statement ? sqlite3_column_count(m_statement) : 0;
}

QString CSqlStatement::columnName(int column) const
{
    return m_statement ? fromUtf8(sqlite3_column_name(m_statement, column)) : QString();
}

QString CSqlStatement::columnTable(int column) const
{
    return m_statement ? fromUtf8(sqlite3_column_table_name(m_statement, column)) : QString();
}

QString CSqlStatement::columnOrigin(int column) const
{
    return m_statement ? fromUtf8(sqlite3_column_origin_name(m_statement, column)) : QString();
}

QString CSqlStatement::columnDatabase(int column) const
{
    return m_statement ? fromUtf8(sqlite3_column_database_name(m_statement, column)) : QString();
}

bool CSqlStatement::columnIsNull(int column) const
{
    return !m_statement || sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 CSqlStatement::columnInt64(int column) const
{
    return m_statement ? sqlite3_column_int64(m_statement, column) : 0;
}

double CSqlStatement::columnDouble(int column) const
{
    return m_statement ? sqlite3_column_double(m_statement, column) : 0;
}

QString CSqlStatement::columnText(int column) const
{
    const QByteArrayView utf8 = columnUtf8(column);
    return utf8.data() ? QString::fromUtf8(utf8) : QString();
}

QByteArrayView CSqlStatement::columnUtf8(int column) const
{
    if (!m_statement)
        return {};
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_NULL:
    case SQLITE_BLOB: // no text form; reads as empty like any failed conversion
        return {};
    default: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        // An empty text is still a text, never a null.
        return text ? QByteArrayView(text, sqlite3_column_bytes(m_statement, column)) : QByteArrayView();
    }
    }
}
