// A database that keeps its records in memory, as their record streams, for
// the record's load and save flows: what IDBDocument asks of a database, with
// counters and a switch that makes writes fail.
#pragma once

#include "database/text/ArchiveBytes.h"
#include "app/core/ErrorReport.h"
#include "classlib/Exceptions.h"
#include "database/db/DBRecord.h"
#include "database/db/IDBDocument.h"
#include "database/db/RecordId.h"

#include <map>
#include <set>

class MemoryDatabase : public IDBDocument
{
public:
    CString GetDatabasePathName() override { return path; }
    BOOL HoldsRecord(int32_t number) override { return allRecords.count(number) != 0; }
    void ReadRecord(DBRecord& record, int32_t number) override
    {
        const auto it = stored.find(number);
        if (it == stored.end())
            ShowErrorAndAbort(4100);
        LoadFromBytes(it->second, [&](CArchive& ar) { record.Serialize(ar); });
        record.SetRecordNumber(number);
    }
    void AddRecord(DBRecord& record, int32_t number) override
    {
        record.SetRecordNumber(number);
        Store(record, number);
        allRecords.insert(number);
    }
    void UpdateRecord(DBRecord& record) override
    {
        if (stored.count(record.GetRecordNumber()) == 0)
            ShowErrorAndAbort(4100);
        Store(record, record.GetRecordNumber());
    }
    int32_t GetNextFreeRecordNumber() override
    {
        int32_t n = 0;
        while (allRecords.count(n) != 0)
            ++n;
        return n;
    }
    CString GetNextRecordId() override { return nextRecordId; }
    void AddRecordIdIncrement(CString& recordId) override { AddToDecimalText(recordId, increment); }
    // Duplicates: another stored record with the same non-empty title (field 4).
    BOOL FindDuplicateOf(DBRecord& record) override
    {
        if (record.GetField(4).IsEmpty())
            return FALSE;
        for (const auto& entry : stored) {
            if (entry.first == record.GetRecordNumber())
                continue;
            DBRecord other;
            LoadFromBytes(entry.second, [&](CArchive& ar) { other.Serialize(ar); });
            if (other.GetField(4).text == record.GetField(4).text)
                return TRUE;
        }
        return FALSE;
    }
    void AddToMarkedRecords(int32_t number) override { marked.insert(number); }
    void FlushIfWritable() override { ++flushes; }
    void NotifyRecordsChanged() override { ++notifications; }

    // The stored stream of a record.
    Bytes& StreamOf(int32_t number) { return stored[number]; }

    CString path = "C:\\tmp\\References.ldt";
    CString nextRecordId = "10";
    int32_t increment = 10;
    int failWrites = CFileException::none; // a file exception cause for every write, or none
    std::map<int32_t, Bytes> stored;
    std::set<int32_t> allRecords;
    std::set<int32_t> marked;
    int flushes = 0;
    int notifications = 0;

private:
    void Store(DBRecord& record, int32_t number)
    {
        if (failWrites != CFileException::none)
            AfxThrowFileException(failWrites, -1, path);
        stored[number] = StoreToBytes([&](CArchive& ar) { record.Serialize(ar); });
    }
};
