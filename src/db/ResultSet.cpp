#include "db/ResultSet.h"

#include "db/SqlStatement.h"

bool CResultSet::read(CSqlStatement &statement, bool rowIdColumn)
{
    clear();
    const int columns = statement.columnCount() - (rowIdColumn ? 1 : 0);
    for (int c = 0; c < columns; ++c)
        m_columnNames.append(statement.columnName(c));

    CSqlStatement::Step step;
    while ((step = statement.step()) == CSqlStatement::Step::Row) {
        if (rowIdColumn)
            m_rowIds.append(statement.columnInt64(columns));
        for (int c = 0; c < columns; ++c)
            m_values.append(statement.columnText(c));
        ++m_rowCount;
    }
    if (step != CSqlStatement::Step::Done) {
        clear();
        return false;
    }
    m_deleted.fill(false, m_rowCount);
    return true;
}

void CResultSet::clear()
{
    m_columnNames.clear();
    m_values.clear();
    m_rowIds.clear();
    m_deleted.clear();
    m_rowCount = 0;
    m_writable = false;
    m_baseTable.clear();
    m_baseColumns.clear();
}

void CResultSet::setBase(const QString &table, const QStringList &columns)
{
    m_writable = !table.isEmpty();
    m_baseTable = table;
    m_baseColumns = columns;
}
