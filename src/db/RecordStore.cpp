#include "db/RecordStore.h"

#include "db/CurveLinks.h"
#include "db/LogbookUpgrade.h"
#include "db/Schema.h"
#include "db/SqlText.h"
#include "db/StoreFailure.h"
#include "db/StoreReporter.h"

#include <QDebug>
#include <QFileInfo>

#include <sqlite3.h>

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
        // A logbook that is busy or cannot be read is not called foreign.
        const bool foreign = m_last.code == 0 || m_last.code == SQLITE_NOTADB;
        const QString text = foreign
            ? QStringLiteral("The file ") + m_path + QStringLiteral(" is not a Tarvel database.")
            : QStringLiteral("The logbook ") + m_path + QStringLiteral(" cannot be opened: ") + m_last.text;
        if (m_reporter)
            m_reporter->fatalError(text);
        else
            qWarning().noquote() << text;
        return false;
    }
    if (!bringUpToDate())
        return false;
    return RunSql(QString());
}

bool CRecordStore::openFile(const QString &path)
{
    Close();
    m_path = path;
    if (!m_db.open(path, CSqlDatabase::Mode::OpenExisting))
        return failDatabase();
    // A rollback journal with full syncs: a kill or power cut at any moment leaves
    // the last committed state, and the logbook stays one file between sessions.
    // A logbook another program left in WAL mode is switched back; while that
    // program still has it open the switch waits for a later start.
    m_db.execute(QStringLiteral("PRAGMA synchronous = FULL"));
    CSqlStatement mode = m_db.prepare(QStringLiteral("PRAGMA journal_mode"));
    if (mode.isValid() && mode.step() == CSqlStatement::Step::Row
        && mode.columnText(0).compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0) {
        mode = CSqlStatement();
        m_db.execute(QStringLiteral("PRAGMA journal_mode = DELETE"));
    }
    m_last = CFailure();
    return true;
}

bool CRecordStore::Close()
{
    discardResult();
    if (m_transactionDepth > 0) {
        if (!m_db.isAutocommit())
            m_db.execute(QStringLiteral("ROLLBACK"));
        m_transactionDepth = 0;
        m_failedDepth = 0;
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
    if (!probe.isValid())
        return failDatabase();
    if (probe.step() != CSqlStatement::Step::Row)
        return failStatement(probe);
    return probe.columnInt64(0) > 0 || fail(QStringLiteral("no logbook table in the file"));
}

bool CRecordStore::bringUpToDate()
{
    const CUpgradeOutcome upgrade = upgradeLogbook(m_db);
    if (!upgrade.ok) {
        fail(upgrade.error, upgrade.code, upgrade.extendedCode);
        // A logbook that cannot be written is read as it is.
        if ((m_last.code == SQLITE_READONLY || m_db.isReadOnly()) && standInForCurves(m_db)) {
            m_last = CFailure();
            return true;
        }
        report(QStringLiteral("Error"), upgradeFailureText(m_path, m_last.text));
        m_db.close();
        return false;
    }
    // A curve off its motor is not shown, whether or not it can be moved back.
    CCurveRelinking relinking;
    if (relinkMotorCurves(m_db, relinking) && !relinking.orphaned.isEmpty())
        report(QStringLiteral("Warning"), orphanedCurvesText(relinking.orphaned));
    return true;
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

    CSqlStatement statement = m_db.prepareSingle(sql);
    if (!statement.isValid())
        return m_db.lastError().isEmpty() || failDatabase(); // nothing but blanks or comments: an empty result

    const bool writes = !statement.isReadOnly();
    if (writes && refusesWrites())
        return false;
    const int columns = statement.columnCount();
    if (columns == 0) {
        if (!statement.run())
            return writes ? failWrite(statement) : failStatement(statement);
        return true;
    }
    if (m_result.readWritable(m_db, sql, statement)) {
        m_updates.resize(columns);
        m_rereads.resize(columns);
        return true;
    }
    if (!m_result.read(statement, false))
        return writes ? failWrite(statement) : failStatement(statement);
    return true;
}

CSqlStatement CRecordStore::prepareOne(const QString &sql)
{
    if (!m_db.isOpen()) {
        fail(QStringLiteral("no database is open"));
        return {};
    }
    CSqlStatement statement = m_db.prepareSingle(sql);
    if (statement.isValid())
        return statement;
    if (m_db.lastError().isEmpty())
        fail(QStringLiteral("no statement to prepare"));
    else
        failDatabase();
    return {};
}

CSqlStatement CRecordStore::prepareWrite(const QString &sql)
{
    CSqlStatement statement = prepareOne(sql);
    // SQLite counts transaction control as read-only; the store owns transactions.
    if (statement.isValid() && statement.isReadOnly()) {
        fail(QStringLiteral("the statement does not write"));
        return {};
    }
    return statement;
}

CSqlStatement CRecordStore::prepareRead(const QString &sql)
{
    CSqlStatement statement = prepareOne(sql);
    if (statement.isValid() && (!statement.isReadOnly() || statement.columnCount() == 0)) {
        fail(QStringLiteral("the statement does not only read"));
        return {};
    }
    return statement;
}

bool CRecordStore::forEachRow(const QString &sql, const std::function<void(const CSqlStatement &)> &row)
{
    CSqlStatement query = prepareRead(sql);
    if (!query.isValid())
        return false;
    CSqlStatement::Step step = CSqlStatement::Step::Done;
    while ((step = query.step()) == CSqlStatement::Step::Row)
        row(query);
    return step == CSqlStatement::Step::Done || failStatement(query);
}

bool CRecordStore::runWrite(CSqlStatement &statement)
{
    discardResult();
    // Refused or not, the row's values never carry over to the next run.
    const bool done = !refusesWrites() && (statement.run() || failWrite(statement));
    statement.reset();
    return done;
}

CRecordStore::StatementAccess CRecordStore::statementAccess(const QString &sql)
{
    if (!createDatabasePath(sql).isNull())
        return StatementAccess::Writes;
    if (!m_db.isOpen())
        return StatementAccess::Invalid;
    const CSqlStatement statement = m_db.prepareSingle(sql);
    if (!statement.isValid())
        return m_db.lastError().isEmpty() ? StatementAccess::ReadOnly : StatementAccess::Invalid;
    // SQLite counts BEGIN, COMMIT, ATTACH and the like as read-only; none of them
    // returns rows, and every one changes what the connection does next.
    return statement.isReadOnly() && statement.columnCount() > 0 ? StatementAccess::ReadOnly : StatementAccess::Writes;
}

bool CRecordStore::runCreateDatabase(const QString &path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return fail(QStringLiteral("cannot create a database at \"%1\"").arg(path));
    CSqlDatabase created;
    if (!created.open(path, CSqlDatabase::Mode::Create))
        return fail(created.lastError(), created.lastErrorCode(), created.lastExtendedErrorCode());
    // SQLite writes nothing until asked; the application id makes the new file a
    // real database at once and marks it as a logbook.
    if (!created.execute(QStringLiteral("PRAGMA application_id = %1").arg(kLogbookApplicationId)))
        return fail(created.lastError(), created.lastErrorCode(), created.lastExtendedErrorCode());
    return true;
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
    if (!m_result.isWritable() || m_result.isDeleted(m_row) || refusesWrites())
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
            return failWrite(m_db.lastError(), m_db.lastErrorCode(), m_db.lastExtendedErrorCode());
    }
    update.reset();
    update.bindText(1, value);
    update.bindInt64(2, rowId);
    const bool ran = update.run();
    const bool found = ran && m_db.changes() == 1;
    update.reset();
    if (!ran)
        return failWrite(update);
    if (!found)
        return failWrite(QStringLiteral("the row no longer exists"), 0);

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
    if (!onRow() || !m_result.isWritable() || m_result.isDeleted(m_row) || refusesWrites())
        return false;
    if (!m_delete.isValid()) {
        m_delete =
            m_db.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?1").arg(sqlIdentifier(m_result.baseTable())));
        if (!m_delete.isValid())
            return failWrite(m_db.lastError(), m_db.lastErrorCode(), m_db.lastExtendedErrorCode());
    }
    m_delete.reset();
    m_delete.bindInt64(1, m_result.rowId(m_row));
    const bool ran = m_delete.run();
    const bool found = ran && m_db.changes() == 1;
    m_delete.reset();
    if (!ran)
        return failWrite(m_delete);
    if (!found)
        return failWrite(QStringLiteral("the row no longer exists"), 0);
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
    // A savepoint outside a transaction would begin a new one of its own.
    if (m_transactionDepth > 0 && refusesWrites())
        return false;
    const QString sql = m_transactionDepth == 0 ? QStringLiteral("BEGIN IMMEDIATE")
                                                : QStringLiteral("SAVEPOINT tarvel_%1").arg(m_transactionDepth);
    if (!m_db.execute(sql))
        return failDatabase();
    ++m_transactionDepth;
    return true;
}

bool CRecordStore::commitTransaction()
{
    if (m_transactionDepth == 0)
        return fail(QStringLiteral("no transaction is open"));
    if (refusesWrites())
        return false;
    const QString sql = m_transactionDepth == 1 ? QStringLiteral("COMMIT")
                                                : QStringLiteral("RELEASE tarvel_%1").arg(m_transactionDepth - 1);
    if (!m_db.execute(sql))
        return failWrite(m_db.lastError(), m_db.lastErrorCode(), m_db.lastExtendedErrorCode());
    --m_transactionDepth;
    return true;
}

bool CRecordStore::rollbackTransaction()
{
    if (m_transactionDepth == 0)
        return fail(QStringLiteral("no transaction is open"));
    // Rows read before the rollback may describe changes that are gone.
    discardResult();
    const int depth = m_transactionDepth--;
    if (m_db.isAutocommit()) {
        // SQLite has rolled everything back already; the reason stays the error.
        if (m_transactionDepth == 0)
            m_failedDepth = 0;
        return true;
    }
    const bool ok = depth == 1
        ? m_db.execute(QStringLiteral("ROLLBACK"))
        : m_db.execute(QStringLiteral("ROLLBACK TO tarvel_%1; RELEASE tarvel_%1").arg(depth - 1));
    if (ok) {
        if (m_failedDepth >= depth)
            m_failedDepth = 0; // what failed is undone; the enclosing work may go on
        return true;
    }
    if (m_failedDepth > 0)
        return false; // keep the failure that led here
    return failDatabase();
}

bool CRecordStore::lastErrorIsDiskFull() const
{
    return m_last.code == SQLITE_FULL;
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

bool CRecordStore::fail(const QString &error, int code, int extendedCode)
{
    m_last.sqlite = error.isEmpty() ? QStringLiteral("unknown failure") : error;
    m_last.code = code;
    m_last.extendedCode = extendedCode != 0 ? extendedCode : code;
    m_last.text = code != 0 ? storeFailureText(m_last.extendedCode, m_last.sqlite, m_path) : m_last.sqlite;
    return false;
}

bool CRecordStore::failDatabase()
{
    return fail(m_db.lastError(), m_db.lastErrorCode(), m_db.lastExtendedErrorCode());
}

bool CRecordStore::failStatement(const CSqlStatement &statement)
{
    return fail(statement.lastError(), statement.lastErrorCode(), statement.lastExtendedErrorCode());
}

bool CRecordStore::failWrite(const QString &error, int code, int extendedCode)
{
    fail(error, code, extendedCode);
    if (m_transactionDepth > 0 && m_failedDepth == 0) {
        m_failedDepth = m_transactionDepth;
        m_write = m_last;
    }
    return false;
}

bool CRecordStore::failWrite(const CSqlStatement &statement)
{
    return failWrite(statement.lastError(), statement.lastErrorCode(), statement.lastExtendedErrorCode());
}

bool CRecordStore::refusesWrites()
{
    if (m_transactionDepth == 0)
        return false;
    if (m_failedDepth == 0 && m_db.isAutocommit()) {
        // Rolled back by SQLite after a failure the store did not see as a write's.
        m_failedDepth = 1;
        m_write = m_last;
        if (m_write.text.isEmpty())
            m_write.text = m_write.sqlite = QStringLiteral("the transaction was rolled back");
    }
    if (m_failedDepth == 0)
        return false;
    m_last = m_write;
    return true;
}
