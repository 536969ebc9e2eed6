#pragma once

#include "db/RecordCursor.h"
#include "db/SqlDatabase.h"
#include "db/StoreFailure.h"
#include "db/TransactionBook.h"

#include <QString>

#include <functional>

class CStoreReporter;

// One logbook database file and one current result. Every screen reads and
// writes through this class: SQL text runs one statement at a time, the result
// is walked by position, and columns of the current row are read and written as
// text. Failures are false or empty results; only a database that cannot be
// used at all is reported, through the reporter. Opening and sharing the file
// live in LogbookFile, the current result in CRecordCursor, the nesting of
// transactions in CTransactionBook, the renumbering of rockets in Reindex.cpp.
class CRecordStore
{
public:
    explicit CRecordStore(CStoreReporter *reporter = nullptr);
    virtual ~CRecordStore();

    CRecordStore(const CRecordStore &) = delete;
    CRecordStore &operator=(const CRecordStore &) = delete;

    // Opens "TarvelDB.CDB" in the storage directory (which ends with "/"),
    // brought up to date and shared with other programs (LogbookFile.h).
    [[nodiscard]] bool Open(const QString &storageDirectory);
    // Opens an existing SQLite file by its path, without the logbook checks,
    // with the rollback journal.
    [[nodiscard]] bool openFile(const QString &path);
    // SQLite needs no separate engine objects; a connection exists once a file is open.
    bool Connect() { return true; }
    // Rolls back what is uncommitted; the last connection to the logbook
    // leaves it one self-contained file.
    bool Close();
    bool isOpen() const { return m_db.isOpen(); }
    QString path() const { return m_path; }

    // Runs exactly one statement; false, and no current result, when it cannot run.
    [[nodiscard]] bool RunSql(const QString &sql);

    // What RunSql would do with the text, decided by SQLite on the prepared
    // statement without running it: Invalid when it is not exactly one statement
    // that prepares, Writes when it could change the database or the connection
    // (including transaction control and ATTACH, which return no rows). Text of
    // blanks and comments only reads nothing and counts as ReadOnly. The current
    // result is left as it is.
    enum class StatementAccess { Invalid, ReadOnly, Writes };
    StatementAccess statementAccess(const QString &sql);
    bool isReadOnlyStatement(const QString &sql) { return statementAccess(sql) == StatementAccess::ReadOnly; }

    // A write run many times with other values, such as an import's rows:
    // parsed once, its values bound before each run. Invalid, with lastError
    // set, unless the text is exactly one statement that writes.
    [[nodiscard]] CSqlStatement prepareWrite(const QString &sql);
    // Runs a statement of prepareWrite under the rules of RunSql's writes, then
    // resets it, its values unbound, for the next row. Leaves no current result.
    [[nodiscard]] bool runWrite(CSqlStatement &statement);
    // For a read or write of prepareRead or prepareWrite that failed in a
    // bind or a step: its reason becomes lastError. Always false.
    bool failStatement(const CSqlStatement &statement);
    // For a write whose values could not all be bound: it is not run but
    // reset, and fails as a write that ran would, dooming the open
    // transaction. Always false.
    bool failBind(CSqlStatement &statement);

    // A read its caller walks row by row, with values in their own types: for
    // long lists, where copying every value into the current result as text
    // costs more than the query. Invalid, with lastError set, unless the text
    // is exactly one statement that returns rows and writes nothing.
    [[nodiscard]] CSqlStatement prepareRead(const QString &sql);
    // Walks a read of prepareRead, handing each row to `row`. False, with
    // lastError set, when it cannot prepare or a step fails: the caller then has
    // only part of the rows, which would look whole, and should use none.
    [[nodiscard]] bool forEachRow(const QString &sql, const std::function<void(const CSqlStatement &)> &row);

    int CountRecords()
    {
        m_cursor.moveToEnd();
        return m_cursor.rowCount();
    }
    bool MoveTo(int row) { return m_cursor.moveTo(row); }
    void MoveFirst() { m_cursor.moveFirst(); }
    void MoveNext() { m_cursor.moveNext(); }
    bool IsEOF() const { return m_cursor.isEOF(); }
    bool IsBOF() const { return m_cursor.isBOF(); }
    int currentRow() const { return m_cursor.row(); }

    QString GetFieldText(int column) const { return m_cursor.fieldText(column); }
    [[nodiscard]] bool SetFieldText(const QString &value, int column);
    [[nodiscard]] bool Update();
    [[nodiscard]] bool Delete();
    int FieldCount() const { return m_cursor.fieldCount(); }
    QString GetFieldName(int column) const { return m_cursor.fieldName(column); }

    // Renumbers the rockets 1, 2, 3 ... in name order and moves every reference to
    // its rocket's new number, in one transaction. A reference to no rocket of
    // the catalogue keeps its number, unless a rocket now has it: then it moves
    // above them all. Flights left so are told of once, through the reporter.
    [[nodiscard]] bool Reindex();

    // Transactions nest; the outermost commit makes the work durable, and a store
    // closed or destroyed with work uncommitted rolls it back.
    [[nodiscard]] bool beginTransaction();
    [[nodiscard]] bool commitTransaction();
    bool rollbackTransaction();
    int transactionDepth() const { return m_transactions.depth(); }

    // The rowid of the row the last INSERT added, for rows that refer to it.
    qint64 lastInsertRowId() const { return m_db.lastInsertRowId(); }

    // Why the last operation failed, as the flyer reads it: a failure of the
    // logbook itself in plain words (the disk is full, the logbook or its
    // folder is read-only, another program is writing: try again), a failure
    // of the statement in SQLite's own words. Within a transaction the first
    // failed write is kept: the rollback that follows it, or a write refused
    // because of it, does not replace it.
    QString lastError() const { return m_last.text; }
    // SQLite's own words for the same failure, for logs and terminal detail.
    QString lastSqliteError() const { return m_last.sqlite; }
    // SQLite's primary and extended result codes (0 when the store itself refused).
    int lastErrorCode() const { return m_last.code; }
    int lastExtendedErrorCode() const { return m_last.extendedCode; }
    bool lastErrorIsDiskFull() const;

    // How long Open and every statement wait for another program's lock
    // before they fail as busy; 5 s unless set before Open.
    void setBusyTimeout(int milliseconds) { m_db.setBusyTimeout(milliseconds); }

private:
    bool isTarvelDatabase();
    // Adds what an older logbook lacks and puts curves back with their motors;
    // false, after telling why, when the logbook cannot be used as it is.
    [[nodiscard]] bool bringUpToDate();
    // Exactly one statement of the text, prepared; invalid with lastError set otherwise.
    CSqlStatement prepareOne(const QString &sql);
    [[nodiscard]] bool runCreateDatabase(const QString &path);
    void discardResult() { m_cursor.clear(); }
    void report(const QString &caption, const QString &text);
    bool fail(const QString &error);
    bool fail(const CSqlError &error);
    bool failDatabase() { return fail(m_db.error()); }
    // A failed write dooms the open transaction (CTransactionBook).
    bool failWrite(const CSqlError &error);
    bool failWrite(const QString &error) { return failWrite(CSqlError {error, 0, 0}); }
    // True, after setting lastError, when a write must not run.
    bool refusesWrites() { return m_transactions.refusesWrites(m_db, m_last); }

    CStoreReporter *m_reporter = nullptr;
    CSqlDatabase m_db;
    QString m_path;
    CStoreFailure m_last;
    CRecordCursor m_cursor;
    CTransactionBook m_transactions;
};
