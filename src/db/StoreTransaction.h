#pragma once

class CRecordStore;

// Scoped transaction on a record store: rolled back unless committed.
class CStoreTransaction
{
public:
    explicit CStoreTransaction(CRecordStore &store);
    ~CStoreTransaction();

    CStoreTransaction(const CStoreTransaction &) = delete;
    CStoreTransaction &operator=(const CStoreTransaction &) = delete;

    // False when the transaction could not be begun; nothing should be written then.
    bool isActive() const { return m_active; }
    [[nodiscard]] bool commit();

private:
    CRecordStore &m_store;
    bool m_active = false;
};
