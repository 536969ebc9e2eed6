#pragma once

#include "db/StoreFailure.h"

class CSqlDatabase;

// The nesting of a record store's transactions and the first write that
// failed in them. The outermost level takes the write lock at once; the ones
// within it are savepoints. A failed write dooms the level it failed at:
// later writes and the commit are refused until that level is rolled back,
// so nothing after the failure is stored.
class CTransactionBook
{
public:
    int depth() const { return m_depth; }

    // Begins the next level; false, with SQLite's reason in db, when it cannot.
    [[nodiscard]] bool begin(CSqlDatabase &db);
    // Ends the innermost level keeping its work (the outermost makes it
    // durable); false, with SQLite's reason in db, when it cannot.
    [[nodiscard]] bool commit(CSqlDatabase &db);

    enum class Rollback {
        Done,
        // Failed, and the failure that doomed the transaction stays the reason.
        FailedKeepingReason,
        // Failed, with SQLite's reason in db.
        Failed,
    };
    // Undoes the innermost level. SQLite may have rolled everything back by
    // itself (a full disk): that counts as done, its reason staying the error.
    [[nodiscard]] Rollback rollback(CSqlDatabase &db);
    // As a store closing leaves it: whatever is uncommitted is rolled back.
    void abandon(CSqlDatabase &db);

    // Notes a failed write: the first in the open transaction dooms it.
    void noteFailedWrite(const CStoreFailure &failure);
    // True, with the failure that doomed the transaction in `last`, when a
    // write must not run: one was noted, or SQLite rolled the transaction back
    // after a failure that was not a write's, and a write would now commit on
    // its own.
    [[nodiscard]] bool refusesWrites(const CSqlDatabase &db, CStoreFailure &last);

private:
    int m_depth = 0;
    // The level the first failed write happened at; 0 when none failed.
    int m_failedDepth = 0;
    CStoreFailure m_failedWrite;
};
