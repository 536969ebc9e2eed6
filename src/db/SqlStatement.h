#pragma once

#include <QString>
#include <QtGlobal>

struct sqlite3_stmt;

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
    Step step();
    // Runs the statement to its end, discarding rows; true when it finished cleanly.
    bool run();
    QString lastError() const { return m_lastError; }
    int lastErrorCode() const { return m_lastErrorCode; }
    int lastExtendedErrorCode() const { return m_lastExtendedCode; }
    void reset();

    // Values are bound from 1; reset() unbinds them.
    bool bindText(int index, const QString &value);
    bool bindUtf8(int index, const QByteArray &utf8);
    bool bindInt64(int index, qint64 value);
    bool bindDouble(int index, double value);
    bool bindNull(int index);

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

private:
    sqlite3_stmt *m_statement = nullptr;
    QString m_lastError;
    int m_lastErrorCode = 0;
    int m_lastExtendedCode = 0;
};
