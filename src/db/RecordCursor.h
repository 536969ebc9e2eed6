#pragma once

#include "db/ResultSet.h"
#include "db/SqlStatement.h"

#include <QString>

#include <vector>

class CSqlDatabase;

// The current result of a record store: its rows, read whole when the
// statement ran, addressed by position, and the writes to them. Each column
// written, and each row deleted, goes to the row of the one base table the
// result row came from, while the result stays as it was read.
class CRecordCursor
{
public:
    // Reads every row of a statement prepared from sql; the result is writable
    // when all its columns come from one table. False, with the reason in the
    // statement, when a step fails; the result is then empty.
    [[nodiscard]] bool read(CSqlDatabase &db, const QString &sql, CSqlStatement &statement);
    void clear();

    int rowCount() const { return m_result.rowCount(); }
    int row() const { return m_row; }
    // Position 0 on a non-empty result; false (at the end) past the last row.
    bool moveTo(int row);
    void moveFirst() { m_row = 0; }
    void moveNext() { m_row += m_row < m_result.rowCount() ? 1 : 0; }
    void moveToEnd() { m_row = m_result.rowCount(); }
    bool isEOF() const { return m_row >= m_result.rowCount(); }
    bool isBOF() const { return m_result.rowCount() == 0; }

    // Empty text off the rows, "Error" past the last column, "Error2" on a
    // deleted row; a null value is empty text.
    QString fieldText(int column) const;
    QString fieldName(int column) const;
    int fieldCount() const { return onRow() ? m_result.columnCount() : 0; }

    // Whether the column of the current row can be written (or the row
    // deleted): on a live row of a writable result.
    bool canWrite(int column) const;
    // Stores the value in the column of the current row, then holds what the
    // column made of it (an integer column keeps 5 of "5"). False, with the
    // reason in error, when the write fails or the row is gone.
    [[nodiscard]] bool write(CSqlDatabase &db, int column, const QString &value, CSqlError &error);
    [[nodiscard]] bool deleteRow(CSqlDatabase &db, CSqlError &error);

private:
    bool onRow() const { return m_row >= 0 && m_row < m_result.rowCount(); }
    // Runs a write to the current row's rowid; false, with the reason, unless it changed exactly that row.
    [[nodiscard]] static bool changeRow(CSqlDatabase &db, CSqlStatement &write, CSqlError &error);

    CResultSet m_result;
    int m_row = 0;
    // Prepared once per column of a writable result, dropped with the result.
    std::vector<CSqlStatement> m_updates;
    std::vector<CSqlStatement> m_rereads;
    CSqlStatement m_delete;
};
