#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CSqlDatabase;
class CSqlStatement;

// The rows of one query, read whole when the statement runs. Positions are cheap,
// and the rows stay as they were read while the caller writes to the tables.
class CResultSet
{
public:
    // Reads every row of a prepared statement. When rowIdColumn is true, the last
    // column holds the base-table rowid and is kept apart from the visible columns.
    // False when stepping fails; the set is then empty.
    [[nodiscard]] bool read(CSqlStatement &statement, bool rowIdColumn);
    // Reads the rows of `sql`, whose prepared form is `plain`, with the rowid
    // of each, when all its columns come from one table of the main database:
    // the result is then writable. False, reading nothing, otherwise.
    [[nodiscard]] bool readWritable(CSqlDatabase &db, const QString &sql, const CSqlStatement &plain);
    void clear();

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return int(m_columnNames.size()); }
    QString columnName(int column) const { return m_columnNames.value(column); }

    QString value(int row, int column) const { return m_values.at(row * columnCount() + column); }
    void setValue(int row, int column, const QString &value) { m_values[row * columnCount() + column] = value; }

    qint64 rowId(int row) const { return m_rowIds.at(row); }

    // The table and columns that writes go to; empty when the result is read-only.
    bool isWritable() const { return m_writable; }
    QString baseTable() const { return m_baseTable; }
    QString baseColumn(int column) const { return m_baseColumns.value(column); }
    void setBase(const QString &table, const QStringList &columns);

    bool isDeleted(int row) const { return m_deleted.at(row); }
    void markDeleted(int row) { m_deleted[row] = true; }

private:
    QStringList m_columnNames;
    QList<QString> m_values;
    QList<qint64> m_rowIds;
    QList<bool> m_deleted;
    int m_rowCount = 0;
    bool m_writable = false;
    QString m_baseTable;
    QStringList m_baseColumns;
};
