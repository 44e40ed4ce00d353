// IDBRecordSource: what the batch frameworks ask of a database document.
//
// The database document implements it once it exists; tests keep records in
// memory. Reading and opening raise the class library's exceptions.
#pragma once

#include "classlib/Types.h"

#include <cstdint>

class DBDatabase;
class DBRecord;

class IDBRecordSource
{
public:
    // Reads stored record `number` into `record` (a fresh object) and gives it the number.
    virtual void ReadRecord(DBRecord& record, int32_t number) = 0;
    // The document's record object for the number, or NULL when it cannot be
    // opened. The caller holds it with AddRef / Release around its use.
    virtual DBRecord* OpenRecord(int32_t number) = 0;
    // Writes every dirty page and the headers of the database files and
    // flushes them; FALSE when that failed (reported).
    virtual BOOL CommitDatabase() = 0;
    // The database the records are stored in, whose Change a batch runs in
    // (DBBatchChange); NULL where records are kept elsewhere.
    virtual DBDatabase* GetChangeDatabase() { return nullptr; }

protected:
    ~IDBRecordSource() = default;
};
