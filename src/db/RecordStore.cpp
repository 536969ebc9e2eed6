#include "db/RecordStore.h"

#include "db/CurveLinks.h"
#include "db/LogbookFile.h"
#include "db/LogbookUpgrade.h"
#include "db/Schema.h"
#include "db/SqlText.h"
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
    shareLogbook(m_db, m_path);
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
    // Every commit is on the disk before it counts as made.
    if (!m_db.execute(QStringLiteral("PRAGMA synchronous = FULL"))) {
        failDatabase();
        m_db.close();
        return false;
    }
    m_last = CStoreFailure();
    return true;
}

bool CRecordStore::Close()
{
    discardResult();
    m_transactions.abandon(m_db);
    closeLogbook(m_db);
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
        fail(upgrade.error);
        // A logbook that cannot be written is read as it is.
        if ((m_last.code == SQLITE_READONLY || m_db.isReadOnly()) && standInForCurves(m_db)) {
            m_last = CStoreFailure();
            return true;
        }
        report(QStringLiteral("Error"), upgradeFailureText(m_path, m_last.text));
        closeLogbook(m_db);
        return false;
    }
    // A curve off its motor is not shown, whether or not it can be moved back.
    CCurveRelinking relinking;
    if (!relinkMotorCurves(m_db, relinking)) {
        // Read as it is: curves another program moved off their motors stay
        // unshown until the logbook can be written.
        if (!m_db.isReadOnly() && relinking.error.code != SQLITE_READONLY)
            report(QStringLiteral("Warning"), curvesNotRelinkedText(storeFailure(relinking.error, m_path).text));
    } else if (!relinking.orphaned.isEmpty()) {
        report(QStringLiteral("Warning"), orphanedCurvesText(relinking.orphaned));
    }
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
    if (statement.columnCount() == 0) {
        if (!statement.run())
            return writes ? failWrite(statement.error()) : failStatement(statement);
        return true;
    }
    if (!m_cursor.read(m_db, sql, statement))
        return writes ? failWrite(statement.error()) : failStatement(statement);
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
    const bool done = !refusesWrites() && (statement.run() || failWrite(statement.error()));
    statement.reset();
    return done;
}

bool CRecordStore::failBind(CSqlStatement &statement)
{
    failWrite(statement.error());
    statement.reset();
    return false;
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
        return fail(created.error());
    // SQLite writes nothing until asked; the application id makes the new file a
    // real database at once and marks it as a logbook.
    if (!created.execute(QStringLiteral("PRAGMA application_id = %1").arg(kLogbookApplicationId)))
        return fail(created.error());
    return true;
}

bool CRecordStore::SetFieldText(const QString &value, int column)
{
    if (!m_cursor.canWrite(column))
        return fail(QStringLiteral("no row of the result can be written there"));
    if (refusesWrites())
        return false;
    CSqlError error;
    if (!m_cursor.write(m_db, column, value, error))
        return failWrite(error);
    return Update();
}

bool CRecordStore::Update()
{
    // Column writes are stored as they are made; nothing is pending.
    return m_db.isOpen();
}

bool CRecordStore::Delete()
{
    if (!m_cursor.canWrite(0))
        return fail(QStringLiteral("no row of the result can be deleted there"));
    if (refusesWrites())
        return false;
    CSqlError error;
    return m_cursor.deleteRow(m_db, error) || failWrite(error);
}

bool CRecordStore::beginTransaction()
{
    // A savepoint outside a transaction would begin a new one of its own.
    if (m_transactions.depth() > 0 && refusesWrites())
        return false;
    return m_transactions.begin(m_db) || failDatabase();
}

bool CRecordStore::commitTransaction()
{
    if (m_transactions.depth() == 0)
        return fail(QStringLiteral("no transaction is open"));
    if (refusesWrites())
        return false;
    return m_transactions.commit(m_db) || failWrite(m_db.error());
}

bool CRecordStore::rollbackTransaction()
{
    if (m_transactions.depth() == 0)
        return fail(QStringLiteral("no transaction is open"));
    // Rows read before the rollback may describe changes that are gone.
    discardResult();
    switch (m_transactions.rollback(m_db)) {
    case CTransactionBook::Rollback::Done:
        return true;
    case CTransactionBook::Rollback::FailedKeepingReason:
        return false;
    case CTransactionBook::Rollback::Failed:
        break;
    }
    return failDatabase();
}

bool CRecordStore::lastErrorIsDiskFull() const
{
    return m_last.code == SQLITE_FULL;
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
    return fail(CSqlError {error, 0, 0});
}

bool CRecordStore::fail(const CSqlError &error)
{
    m_last = storeFailure(error, m_path);
    return false;
}

bool CRecordStore::failStatement(const CSqlStatement &statement)
{
    return fail(statement.error());
}

bool CRecordStore::failWrite(const CSqlError &error)
{
    fail(error);
    m_transactions.noteFailedWrite(m_last);
    return false;
}
