#include "db/ResultSet.h"

#include "db/SqlDatabase.h"
#include "db/SqlStatement.h"
#include "db/SqlText.h"

#include <string>
#include <string_view>
#include <vector>

bool CResultSet::read(CSqlStatement &statement, bool rowIdColumn)
{
    clear();
    const int columns = statement.columnCount() - (rowIdColumn ? 1 : 0);
    for (int c = 0; c < columns; ++c)
        m_columnNames.append(statement.columnName(c));

    // Logbooks repeat values down a column (a site, a maker, a recovery): a
    // value the same as the row above's shares that row's text instead of
    // being decoded and stored again.
    std::vector<std::string> above(static_cast<std::size_t>(columns));
    std::vector<bool> aboveIsText(static_cast<std::size_t>(columns), false);
    CSqlStatement::Step step;
    while ((step = statement.step()) == CSqlStatement::Step::Row) {
        if (rowIdColumn)
            m_rowIds.append(statement.columnInt64(columns));
        for (int c = 0; c < columns; ++c) {
            const QByteArrayView utf8 = statement.columnUtf8(c);
            const bool text = utf8.data() != nullptr;
            std::string &previous = above[std::size_t(c)];
            if (m_rowCount > 0 && text && aboveIsText[std::size_t(c)]
                && std::string_view(previous) == std::string_view(utf8.data(), std::size_t(utf8.size()))) {
                m_values.append(m_values.at((m_rowCount - 1) * columns + c));
                continue;
            }
            m_values.append(text ? QString::fromUtf8(utf8) : QString());
            aboveIsText[std::size_t(c)] = text;
            previous.assign(text ? utf8.data() : "", text ? std::size_t(utf8.size()) : 0);
        }
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

// A result whose columns all come from one table is read together with that
// table's rowids, so that writes go to the row each result row came from. The
// rowid rides in a hidden column after the user's columns; the rewritten
// statement is used only when its columns are the plain statement's, from the
// same places, and the added one is that table's own rowid. Otherwise the plain
// statement's rows are read as they are, and the result is read-only.
bool CResultSet::readWritable(CSqlDatabase &db, const QString &sql, const CSqlStatement &plain)
{
    const int columns = plain.columnCount();
    const QString table = plain.columnTable(0);
    const QString database = plain.columnDatabase(0);
    if (table.isEmpty() || database != QLatin1String("main"))
        return false;
    QStringList origins;
    for (int c = 0; c < columns; ++c) {
        if (plain.columnTable(c) != table || plain.columnDatabase(c) != database)
            return false;
        origins.append(plain.columnOrigin(c));
    }
    const QString withRowId = selectWithRowId(sql);
    if (withRowId.isNull())
        return false;
    CSqlStatement statement = db.prepare(withRowId);
    if (!statement.isValid() || statement.columnCount() != columns + 1)
        return false;
    for (int c = 0; c < columns; ++c) {
        if (statement.columnTable(c) != table || statement.columnOrigin(c) != origins.at(c)
            || statement.columnName(c) != plain.columnName(c))
            return false;
    }
    // "_rowid_" names a column of that name when the table has one; a view or a
    // subquery gives NULL, which has no table.
    if (statement.columnTable(columns) != table || statement.columnDatabase(columns) != database
        || statement.columnOrigin(columns).compare(QLatin1String("_rowid_"), Qt::CaseInsensitive) == 0)
        return false;
    if (!read(statement, true))
        return false;
    setBase(table, origins);
    return true;
}
