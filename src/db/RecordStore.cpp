#include "db/RecordStore.h"

#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/StoreReporter.h"

#include <QDebug>
#include <QFileInfo>

CRecordStore::CRecordStore(CStoreReporter *reporter)
    : m_reporter(reporter)
{ }

CRecordStore::~CRecordStore()
{
    Close();
}

bool CRecordStore::Open(const QString &storageDirectory)
{
    Close();
    m_path = databasePath(storageDirectory);
    if (!QFileInfo(m_path).isFile()) {
        if (m_reporter)
            m_reporter->fatalError(QStringLiteral("The database ") + m_path + QStringLiteral(" does not exist!"));
        else
            qWarning().noquote() << "The database" << m_path << "does not exist!";
        return false;
    }
    if (!openFile(m_path) || !isTarvelDatabase()) {
        m_db.close();
        const QString text = QStringLiteral("The file ") + m_path + QStringLiteral(" is not a Tarvel database.");
        if (m_reporter)
            m_reporter->fatalError(text);
        else
            qWarning().noquote() << text;
        return false;
    }
    return RunSql(QString());
}

bool CRecordStore::openFile(const QString &path)
{
    Close();
    m_path = path;
    if (!m_db.open(path, CSqlDatabase::Mode::OpenExisting))
        return fail(m_db.lastError());
    // A rollback journal with full syncs: a kill or power cut at any moment leaves
    // the last committed state, and the logbook stays one file between sessions.
    m_db.execute(QStringLiteral("PRAGMA synchronous = FULL"));
    return true;
}

bool CRecordStore::Connect()
{
    // SQLite needs no separate engine objects; a connection exists once a file is open.
    return true;
}

bool CRecordStore::Close()
{
    discardResult();
    if (m_transactionDepth > 0) {
        m_db.execute(QStringLiteral("ROLLBACK"));
        m_transactionDepth = 0;
    }
    m_db.close();
    return true;
}

bool CRecordStore::isTarvelDatabase()
{
    QStringList quoted;
    for (const QString &table : logbookTableNames())
        quoted.append(sqlQuote(table));
    CSqlStatement probe =
        m_db.prepare(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN (%1)")
                         .arg(quoted.join(QLatin1Char(','))));
    if (!probe.isValid() || probe.step() != CSqlStatement::Step::Row)
        return fail(m_db.lastError());
    return probe.columnInt64(0) > 0;
}

bool CRecordStore::RunSql(const QString &sql)
{
    discardResult();

    const QString newDatabase = createDatabasePath(sql);
    if (!newDatabase.isNull())
        return runCreateDatabase(newDatabase);
    if (!m_db.isOpen())
        return fail(QStringLiteral("no database is open"));
    if (isTransactionControl(sql))
        return fail(QStringLiteral("transactions are begun and ended through the store, not through SQL text"));

    const QByteArray utf8 = sql.toUtf8();
    int offset = 0;
    CSqlStatement statement = m_db.prepare(utf8, &offset);
    if (!statement.isValid() && !m_db.lastError().isEmpty())
        return fail(m_db.lastError());
    // Exactly one statement: whatever follows the first must be blanks or comments.
    CSqlStatement second = m_db.prepare(utf8, &offset);
    if (second.isValid() || !m_db.lastError().isEmpty())
        return fail(QStringLiteral("only one statement may be run at a time"));
    if (!statement.isValid())
        return true; // nothing but blanks or comments: an empty result

    const int columns = statement.columnCount();
    if (columns == 0) {
        if (!statement.run())
            return fail(statement.errorMessage().isEmpty() ? QStringLiteral("statement failed")
                                                           : statement.errorMessage());
        return true;
    }
    if (makeWritable(sql, statement, columns))
        return true;
    if (!m_result.read(statement, false))
        return fail(QStringLiteral("reading the result failed"));
    return true;
}

CRecordStore::StatementAccess CRecordStore::statementAccess(const QString &sql)
{
    if (!createDatabasePath(sql).isNull())
        return StatementAccess::Writes;
    if (!m_db.isOpen())
        return StatementAccess::Invalid;
    const QByteArray utf8 = sql.toUtf8();
    int offset = 0;
    CSqlStatement statement = m_db.prepare(utf8, &offset);
    if (!statement.isValid() && !m_db.lastError().isEmpty())
        return StatementAccess::Invalid;
    CSqlStatement second = m_db.prepare(utf8, &offset);
    if (second.isValid() || !m_db.lastError().isEmpty())
        return StatementAccess::Invalid;
    if (!statement.isValid())
        return StatementAccess::ReadOnly;
    // SQLite counts BEGIN, COMMIT, ATTACH and the like as read-only; none of them
    // returns rows, and every one changes what the connection does next.
    return statement.isReadOnly() && statement.columnCount() > 0 ? StatementAccess::ReadOnly : StatementAccess::Writes;
}

// A result whose columns all come from one table is read together with that
// table's rowids, so that writes go to the row each result row came from. The
// rowid rides in a hidden column after the user's columns; the rewritten
// statement is used only when its columns are the plain statement's, from the
// same places, and the added one is that table's own rowid. Otherwise the plain
// statement's rows are read as they are, and the result is read-only.
bool CRecordStore::makeWritable(const QString &sql, const CSqlStatement &plain, int columns)
{
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
    CSqlStatement statement = m_db.prepare(withRowId);
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
    if (!m_result.read(statement, true))
        return false;
    m_result.setBase(table, origins);
    m_updates.resize(columns);
    m_rereads.resize(columns);
    return true;
}

bool CRecordStore::runCreateDatabase(const QString &path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return fail(QStringLiteral("cannot create a database at \"%1\"").arg(path));
    CSqlDatabase created;
    if (!created.open(path, CSqlDatabase::Mode::Create))
        return fail(created.lastError());
    // SQLite writes nothing until asked; the application id makes the new file a
    // real database at once and marks it as a logbook.
    if (!created.execute(QStringLiteral("PRAGMA application_id = %1").arg(kLogbookApplicationId)))
        return fail(created.lastError());
    return true;
}

int CRecordStore::CountRecords()
{
    m_row = m_result.rowCount();
    return m_result.rowCount();
}

bool CRecordStore::MoveTo(int row)
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

void CRecordStore::MoveFirst()
{
    m_row = 0;
}

void CRecordStore::MoveNext()
{
    if (m_row < m_result.rowCount())
        ++m_row;
}

bool CRecordStore::IsEOF() const
{
    return m_row >= m_result.rowCount();
}

bool CRecordStore::IsBOF() const
{
    return m_result.rowCount() == 0;
}

bool CRecordStore::onRow() const
{
    return m_row >= 0 && m_row < m_result.rowCount();
}

QString CRecordStore::GetFieldText(int column) const
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

bool CRecordStore::SetFieldText(const QString &value, int column)
{
    if (!onRow() || column < 0 || column >= m_result.columnCount())
        return false;
    if (!m_result.isWritable() || m_result.isDeleted(m_row))
        return false;
    return writeColumn(column, value) && Update();
}

bool CRecordStore::writeColumn(int column, const QString &value)
{
    const qint64 rowId = m_result.rowId(m_row);
    const QString quotedTable = sqlIdentifier(m_result.baseTable());
    const QString quotedColumn = sqlIdentifier(m_result.baseColumn(column));
    CSqlStatement &update = m_updates[column];
    if (!update.isValid()) {
        update = m_db.prepare(QStringLiteral("UPDATE %1 SET %2 = ?1 WHERE rowid = ?2").arg(quotedTable, quotedColumn));
        if (!update.isValid())
            return fail(m_db.lastError());
    }
    update.reset();
    update.bindText(1, value);
    update.bindInt64(2, rowId);
    if (!update.run() || m_db.changes() != 1) {
        update.reset();
        return fail(m_db.lastError().isEmpty() ? QStringLiteral("the row no longer exists") : m_db.lastError());
    }
    update.reset();

    // Read back what the column now holds, as the column's type made of it.
    CSqlStatement &reread = m_rereads[column];
    if (!reread.isValid())
        reread = m_db.prepare(QStringLiteral("SELECT %2 FROM %1 WHERE rowid = ?1").arg(quotedTable, quotedColumn));
    QString stored = value;
    if (reread.isValid()) {
        reread.reset();
        reread.bindInt64(1, rowId);
        if (reread.step() == CSqlStatement::Step::Row)
            stored = reread.columnText(0);
        reread.reset();
    }
    m_result.setValue(m_row, column, stored);
    return true;
}

bool CRecordStore::Update()
{
    // Column writes are stored as they are made; nothing is pending.
    return m_db.isOpen();
}

bool CRecordStore::Delete()
{
    if (!onRow() || !m_result.isWritable() || m_result.isDeleted(m_row))
        return false;
    if (!m_delete.isValid()) {
        m_delete =
            m_db.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(sqlIdentifier(m_result.baseTable())));
        if (!m_delete.isValid())
            return fail(m_db.lastError());
    }
    m_delete.reset();
    m_delete.bindInt64(1, m_result.rowId(m_row));
    const bool ok = m_delete.run() && m_db.changes() == 1;
    m_delete.reset();
    if (!ok)
        return fail(QStringLiteral("the row could not be deleted"));
    m_result.markDeleted(m_row);
    return true;
}

int CRecordStore::FieldCount() const
{
    return onRow() ? m_result.columnCount() : 0;
}

QString CRecordStore::GetFieldName(int column) const
{
    if (!onRow())
        return QString(QLatin1String(""));
    if (column < 0 || column >= m_result.columnCount())
        return QStringLiteral("Error");
    return m_result.columnName(column);
}

bool CRecordStore::beginTransaction()
{
    const QString sql = m_transactionDepth == 0 ? QStringLiteral("BEGIN IMMEDIATE")
                                                : QStringLiteral("SAVEPOINT tarvel_%1").arg(m_transactionDepth);
    if (!m_db.execute(sql))
        return fail(m_db.lastError());
    ++m_transactionDepth;
    return true;
}

bool CRecordStore::commitTransaction()
{
    if (m_transactionDepth == 0)
        return fail(QStringLiteral("no transaction is open"));
    const QString sql = m_transactionDepth == 1 ? QStringLiteral("COMMIT")
                                                : QStringLiteral("RELEASE tarvel_%1").arg(m_transactionDepth - 1);
    if (!m_db.execute(sql))
        return fail(m_db.lastError());
    --m_transactionDepth;
    return true;
}

bool CRecordStore::rollbackTransaction()
{
    if (m_transactionDepth == 0)
        return fail(QStringLiteral("no transaction is open"));
    const bool ok = m_transactionDepth == 1
        ? m_db.execute(QStringLiteral("ROLLBACK"))
        : m_db.execute(QStringLiteral("ROLLBACK TO tarvel_%1; RELEASE tarvel_%1").arg(m_transactionDepth - 1));
    --m_transactionDepth;
    // Rows read before the rollback may describe changes that are gone.
    discardResult();
    return ok || fail(m_db.lastError());
}

void CRecordStore::discardResult()
{
    m_result.clear();
    m_row = 0;
    m_updates.clear();
    m_rereads.clear();
    m_delete = CSqlStatement();
}

void CRecordStore::report(const QString &caption, const QString &text)
{
    if (m_reporter)
        m_reporter->problem(caption, text);
    else
        qWarning().noquote() << caption << ":" << text;
}

bool CRecordStore::fail(const QString &error)
{
    m_lastError = error;
    return false;
}

namespace {

struct ReferencePass
{
    const char *table;
    const char *column;
    const char *failure;
};

// The three places that hold a rocket number, in the order they are rewritten.
constexpr ReferencePass kReferencePasses[] = {
    {"Rockets", "ID", "Reindex failure\nRocket index in Rockets past end of array!"},
    {"RecMotors", "RocketID", "Reindex failure\nRocket index in RecMotors past end of array!"},
    {"Launches", "Model", "Reindex failure\nRocket index in Launches past end of array!"},
};

} // namespace

bool CRecordStore::Reindex()
{
    discardResult();
    if (!m_db.isOpen() || !beginTransaction())
        return false;

    // New number of each old number: position in name order, 1-based. Two
    // rockets sharing an old number leave it with the later one's position.
    CSqlStatement byName = m_db.prepare(QStringLiteral("SELECT ID FROM Rockets ORDER BY Name"));
    QStringList oldIds;
    CSqlStatement::Step step = CSqlStatement::Step::Error;
    if (byName.isValid()) {
        while ((step = byName.step()) == CSqlStatement::Step::Row)
            oldIds.append(byName.columnText(0));
    }
    if (step != CSqlStatement::Step::Done) {
        fail(m_db.lastError());
        rollbackTransaction();
        return false;
    }
    const int size = int(oldIds.size()) + 2;
    QList<QString> newNumber(size, QString(QLatin1String("")));
    for (int position = 1; position <= oldIds.size(); ++position) {
        const int old = leadingInteger(oldIds.at(position - 1));
        if (old >= 0 && old < size)
            newNumber[old] = QString::number(position);
        else
            report(QStringLiteral("Fatal Error"), QStringLiteral("Reindex failure\nRocket index past end of array!"));
    }

    bool ok = true;
    for (const ReferencePass &pass : kReferencePasses) {
        const QString table = QLatin1String(pass.table);
        const QString column = QLatin1String(pass.column);
        CSqlStatement walk = m_db.prepare(QStringLiteral("SELECT rowid, %1 FROM %2").arg(column, table));
        CSqlStatement write = m_db.prepare(QStringLiteral("UPDATE %2 SET %1 = ?1 WHERE rowid = ?2").arg(column, table));
        if (!walk.isValid() || !write.isValid()) {
            ok = false;
            break;
        }
        // Read the whole column first, so the rows being rewritten are not the rows being walked.
        QList<QPair<qint64, QString>> rows;
        while ((step = walk.step()) == CSqlStatement::Step::Row)
            rows.append({walk.columnInt64(0), walk.columnText(1)});
        if (step != CSqlStatement::Step::Done) {
            ok = false;
            break;
        }
        for (const auto &[rowId, current] : rows) {
            const int old = leadingInteger(current);
            if (old < 0 || old >= size) {
                report(QStringLiteral("Fatal Error"), QLatin1String(pass.failure));
                continue;
            }
            const QString &replacement = newNumber.at(old);
            if (!current.isNull() && current == replacement)
                continue; // already right; rewriting would store the same value
            write.reset();
            write.bindText(1, replacement);
            write.bindInt64(2, rowId);
            if (!write.run()) {
                ok = false;
                break;
            }
        }
        if (!ok)
            break;
    }

    if (!ok) {
        fail(m_db.lastError());
        rollbackTransaction();
        return false;
    }
    return commitTransaction();
}
