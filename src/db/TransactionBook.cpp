#include "db/TransactionBook.h"

#include "db/SqlDatabase.h"

#include <QDebug>

bool CTransactionBook::begin(CSqlDatabase &db)
{
    const QString sql =
        m_depth == 0 ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("SAVEPOINT tarvel_%1").arg(m_depth);
    if (!db.execute(sql))
        return false;
    ++m_depth;
    return true;
}

bool CTransactionBook::commit(CSqlDatabase &db)
{
    const QString sql = m_depth == 1 ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE tarvel_%1").arg(m_depth - 1);
    if (!db.execute(sql))
        return false;
    --m_depth;
    return true;
}

CTransactionBook::Rollback CTransactionBook::rollback(CSqlDatabase &db)
{
    const int depth = m_depth--;
    if (db.isAutocommit()) {
        if (m_depth == 0)
            m_failedDepth = 0;
        return Rollback::Done;
    }
    const bool undone = depth == 1
        ? db.execute(QStringLiteral("ROLLBACK"))
        : db.execute(QStringLiteral("ROLLBACK TO tarvel_%1; RELEASE tarvel_%1").arg(depth - 1));
    if (undone) {
        if (m_failedDepth >= depth)
            m_failedDepth = 0; // what failed is undone; the enclosing work may go on
        return Rollback::Done;
    }
    return m_failedDepth > 0 ? Rollback::FailedKeepingReason : Rollback::Failed;
}

void CTransactionBook::abandon(CSqlDatabase &db)
{
    // Closing the connection rolls back too, but only once its last statement
    // is finalized; until then the write lock would stay taken.
    if (m_depth > 0 && !db.isAutocommit() && !db.execute(QStringLiteral("ROLLBACK")))
        qWarning().noquote() << "An unfinished change to the logbook is undone as it closes:" << db.lastError();
    m_depth = 0;
    m_failedDepth = 0;
}

void CTransactionBook::noteFailedWrite(const CStoreFailure &failure)
{
    if (m_depth > 0 && m_failedDepth == 0) {
        m_failedDepth = m_depth;
        m_failedWrite = failure;
    }
}

bool CTransactionBook::refusesWrites(const CSqlDatabase &db, CStoreFailure &last)
{
    if (m_depth == 0)
        return false;
    if (m_failedDepth == 0 && db.isAutocommit()) {
        m_failedDepth = 1;
        m_failedWrite = last;
        if (m_failedWrite.text.isEmpty())
            m_failedWrite.text = m_failedWrite.sqlite = QStringLiteral("the transaction was rolled back");
    }
    if (m_failedDepth == 0)
        return false;
    last = m_failedWrite;
    return true;
}
