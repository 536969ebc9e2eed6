#include "db/StoreTransaction.h"

#include "db/RecordStore.h"

CStoreTransaction::CStoreTransaction(CRecordStore &store)
    : m_store(store)
    , m_active(store.beginTransaction())
{ }

CStoreTransaction::~CStoreTransaction()
{
    if (m_active)
        m_store.rollbackTransaction();
}

bool CStoreTransaction::commit()
{
    if (!m_active)
        return false;
    const bool committed = m_store.commitTransaction();
    m_active = !committed; // a failed commit is still rolled back on the way out
    return committed;
}
