#include "db/RecordCursor.h"

#include "db/SqlDatabase.h"
#include "db/SqlText.h"

bool CRecordCursor::read(CSqlDatabase &db, const QString &sql, CSqlStatement &statement)
{
    clear();
    if (m_result.readWritable(db, sql, statement)) {
        m_updates.resize(std::size_t(m_result.columnCount()));
        m_rereads.resize(std::size_t(m_result.columnCount()));
        return true;
    }
    return m_result.read(statement, false);
}

void CRecordCursor::clear()
{
    m_result.clear();
    m_row = 0;
    m_updates.clear();
    m_rereads.clear();
    m_delete = CSqlStatement();
}

bool CRecordCursor::moveTo(int row)
{
    m_row = 0;
    if (m_result.rowCount() == 0)
        return false;
    if (row < 1)
        return true;
    if (row >= m_result.rowCount()) {
        m_row = m_result.rowCount();
        return false;
    }
    m_row = row;
    return true;
}

QString CRecordCursor::fieldText(int column) const
{
    if (!onRow())
        return QString(QLatin1String(""));
    if (column < 0 || column >= m_result.columnCount())
        return QStringLiteral("Error");
    if (m_result.isDeleted(m_row))
        return QStringLiteral("Error2");
    const QString value = m_result.value(m_row, column);
    return value.isNull() ? QString(QLatin1String("")) : value;
}

QString CRecordCursor::fieldName(int column) const
{
    if (!onRow())
        return QString(QLatin1String(""));
    if (column < 0 || column >= m_result.columnCount())
        return QStringLiteral("Error");
    return m_result.columnName(column);
}

bool CRecordCursor::canWrite(int column) const
{
    return onRow() && column >= 0 && column < m_result.columnCount() && m_result.isWritable()
        && !m_result.isDeleted(m_row);
}

bool CRecordCursor::changeRow(CSqlDatabase &db, CSqlStatement &write, CSqlError &error)
{
    const bool ran = write.run();
    const bool found = ran && db.changes() == 1;
    if (!ran)
        error = write.error();
    else if (!found)
        error = {QStringLiteral("the row no longer exists"), 0, 0};
    write.reset();
    return found;
}

bool CRecordCursor::write(CSqlDatabase &db, int column, const QString &value, CSqlError &error)
{
    const qint64 rowId = m_result.rowId(m_row);
    const QString quotedTable = sqlIdentifier(m_result.baseTable());
    const QString quotedColumn = sqlIdentifier(m_result.baseColumn(column));
    CSqlStatement &update = m_updates[std::size_t(column)];
    if (!update.isValid()) {
        update = db.prepare(QStringLiteral("UPDATE %1 SET %2 = ?1 WHERE rowid = ?2").arg(quotedTable, quotedColumn));
        if (!update.isValid()) {
            error = db.error();
            return false;
        }
    }
    if (!update.bindText(1, value) || !update.bindInt64(2, rowId)) {
        error = update.error();
        update.reset();
        return false;
    }
    if (!changeRow(db, update, error))
        return false;

    // What the column now holds, as its type made it. Should the reading
    // fail, the row holds the value as given: the write itself is stored.
    CSqlStatement &reread = m_rereads[std::size_t(column)];
    if (!reread.isValid())
        reread = db.prepare(QStringLiteral("SELECT %2 FROM %1 WHERE rowid = ?1").arg(quotedTable, quotedColumn));
    QString stored = value;
    if (reread.isValid() && reread.bindInt64(1, rowId) && reread.step() == CSqlStatement::Step::Row)
        stored = reread.columnText(0);
    reread.reset();
    m_result.setValue(m_row, column, stored);
    return true;
}

bool CRecordCursor::deleteRow(CSqlDatabase &db, CSqlError &error)
{
    if (!m_delete.isValid()) {
        m_delete =
            db.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(sqlIdentifier(m_result.baseTable())));
        if (!m_delete.isValid()) {
            error = db.error();
            return false;
        }
    }
    if (!m_delete.bindInt64(1, m_result.rowId(m_row))) {
        error = m_delete.error();
        m_delete.reset();
        return false;
    }
    if (!changeRow(db, m_delete, error))
        return false;
    m_result.markDeleted(m_row);
    return true;
}
