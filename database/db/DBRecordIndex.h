// DBRecordIndex: what the database asks of each of its key-file indexes, so
// that it walks them as one list (binding, header roots, record changes and
// the whole-database check).
//
// An index keeps, under each of its keys, the set of the records that hold
// the key, in one or two trees of the key file (the stores of its sets, in
// the order their roots stand in the data file's header).
#pragma once

#include "database/db/DBPendingSets.h"

#include <memory>

class BTree;
class SortKeyRecord;

class DBRecordIndex
{
public:
    virtual ~DBRecordIndex() = default;

    // The write-back layer its sets change through (none: at once).
    virtual void SetPendingSets(DBPendingSets* pending) = 0;

    virtual void AddRecord(const SortKeyRecord& record) = 0;
    // Both are the same record (same record number) before and after a change.
    virtual void UpdateRecord(const SortKeyRecord& oldRecord, const SortKeyRecord& newRecord) = 0;
    virtual void RemoveRecord(const SortKeyRecord& record) = 0;

    // The trees and the stores of their sets; the trees as they are, with
    // no pending set written.
    virtual int GetTreeCount() const = 0;
    virtual BTree& GetIndexTree(int i) = 0;
    virtual DBPendingSets::Store& GetSetStore(int i) = 0;
    // An empty index of the same kind and fields, bound to no file and
    // with no write-back layer (each change reaches its trees at once).
    virtual std::unique_ptr<DBRecordIndex> MakeEmpty() const = 0;
};
