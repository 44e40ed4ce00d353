// DBRecordRef: a counted reference that keeps a record alive (in memory,
// possibly without windows) for as long as it is held.
//
// Invariant: the held record (if any) carries exactly one reference of this
// object; destroying or re-attaching gives it back, which may close and
// delete a record whose windows are gone.
#pragma once

#include "database/db/DBRecord.h"

class DBRecordRef
{
public:
    DBRecordRef() : m_pRecord(nullptr) {}
    explicit DBRecordRef(DBRecord* pRecord) : m_pRecord(nullptr) { Attach(pRecord); }
    DBRecordRef(const DBRecordRef& other) : m_pRecord(nullptr) { Attach(other.m_pRecord); }
    DBRecordRef& operator=(const DBRecordRef& other)
    {
        Attach(other.m_pRecord);
        return *this;
    }
    ~DBRecordRef() { Attach(nullptr); }

    // Holds pRecord (NULL: nothing) and gives up the one held before;
    // attaching the record already held changes nothing.
    void Attach(DBRecord* pRecord)
    {
        if (pRecord == m_pRecord)
            return;
        if (pRecord != nullptr)
            pRecord->AddRef();
        DBRecord* old = m_pRecord;
        m_pRecord = pRecord;
        if (old != nullptr)
            old->Release();
    }

    DBRecord* Get() const { return m_pRecord; }
    DBRecord* operator->() const { return m_pRecord; }

private:
    DBRecord* m_pRecord;
};
