#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

struct sqlite3_stmt;

// A failure as SQLite told it: its words and its primary and extended result
// codes. Codes are 0 where the failure is the program's own (no statement was
// prepared, a text held more than one).
struct CSqlError
{
    QString message;
    int code = 0;
    int extendedCode = 0;

    // Another connection held the lock longer than this one would wait.
    bool isBusy() const;
};

// One prepared SQLite statement, finalized when the object goes away.
class CSqlStatement
{
public:
    enum class Step { Row, Done, Error };

    CSqlStatement() = default;
    explicit CSqlStatement(sqlite3_stmt *statement);
    ~CSqlStatement();

    CSqlStatement(const CSqlStatement &) = delete;
    CSqlStatement &operator=(const CSqlStatement &) = delete;
    CSqlStatement(CSqlStatement &&other) noexcept;
    CSqlStatement &operator=(CSqlStatement &&other) noexcept;

    bool isValid() const { return m_statement != nullptr; }
    bool isReadOnly() const;

    // A failed step keeps SQLite's own message and result code until the next step.
    [[nodiscard]] Step step();
    // Runs the statement to its end, discarding rows; true when it finished cleanly.
    [[nodiscard]] bool run();
    QString lastError() const { return m_error.message; }
    int lastErrorCode() const { return m_error.code; }
    int lastExtendedErrorCode() const { return m_error.extendedCode; }
    const CSqlError &error() const { return m_error; }
    void reset();

    // Values are bound from 1; reset() unbinds them. A bind fails on an index
    // the statement does not have, or when SQLite runs out of memory; it sets
    // error() as a failed step does.
    [[nodiscard]] bool bindText(int index, const QString &value);
    [[nodiscard]] bool bindUtf8(int index, const QByteArray &utf8);
    [[nodiscard]] bool bindInt64(int index, qint64 value);
    [[nodiscard]] bool bindDouble(int index, double value);
    [[nodiscard]] bool bindNull(int index);

    int columnCount() const;
    QString columnName(int column) const;
    // Where a result column comes from; empty for expressions.
    QString columnTable(int column) const;
    QString columnOrigin(int column) const;
    QString columnDatabase(int column) const;

    bool columnIsNull(int column) const;
    qint64 columnInt64(int column) const;
    double columnDouble(int column) const;
    // The value as text; a null QString for SQL NULL and for values text cannot show.
    QString columnText(int column) const;
    // The same value as SQLite's UTF-8 bytes, valid until the next step; a
    // null view (no data) where columnText is null.
    QByteArrayView columnUtf8(int column) const;

private:
    // True for SQLITE_OK; otherwise keeps the failure in error().
    bool took(int rc);
    void keep(int rc);

    sqlite3_stmt *m_statement = nullptr;
    CSqlError m_error;
};
