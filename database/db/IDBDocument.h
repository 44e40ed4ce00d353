// IDBDocument: the database document as its records see it.
//
// A record reads and writes itself through the document that owns its
// database; the database document (with its windows) implements this, and so
// can anything else that stores records (tests keep them in memory). The
// operations that read or write the database raise the class library's
// exceptions; a record missing from the database ends the operation with a
// user exception after the user was told.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

#include <cstdint>

class DBRecord;

class IDBDocument
{
public:
    // The data file's path: its drive for the free-space check, its name in
    // error prompts.
    virtual CString GetDatabasePathName() = 0;
    // TRUE when a record is stored under the number (the all-records set holds it).
    virtual BOOL HoldsRecord(int32_t recordNumber) = 0;
    // Reads the stored record into `record` (its Serialize) and gives it the number.
    virtual void ReadRecord(DBRecord& record, int32_t recordNumber) = 0;
    // Stores the record under the number (giving it the number first) and adds it to every index.
    virtual void AddRecord(DBRecord& record, int32_t recordNumber) = 0;
    // Replaces the stored record of the record's number and updates every index.
    virtual void UpdateRecord(DBRecord& record) = 0;
    // The lowest number no record is stored under.
    virtual int32_t GetNextFreeRecordNumber() = 0;
    // The record ID of a new record.
    virtual CString GetNextRecordId() = 0;
    // Adds the database's record-ID increment to a decimal text (nothing for
    // an increment of 0 or less).
    virtual void AddRecordIdIncrement(CString& recordId) = 0;
    // TRUE when another record has the same duplicate key.
    virtual BOOL FindDuplicateOf(DBRecord& record) = 0;
    virtual void AddToMarkedRecords(int32_t recordNumber) = 0;
    // Writes what is pending when the files are writable; reports its own failures.
    virtual void FlushIfWritable() = 0;
    // Tells the database's views that records changed (hint 0x8000).
    virtual void NotifyRecordsChanged() = 0;

protected:
    ~IDBDocument() = default;
};
