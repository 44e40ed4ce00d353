// DBWorkformIndex: the workform name of every record to the records of that
// workform.
//
// The tree's texts are the workform names as plain text (the name a record's
// view gives, "<Default>" for a workform the table does not hold); under each
// is stored the DBRecordSet of its records, named with the name. A name is in
// the tree exactly while some record has it.
//
// With a write-back layer set (SetPendingSets) the sets change in memory; its
// own lookups flush the layer first, and whoever walks the tree directly
// flushes it before (the database does).
#pragma once

#include "classlib/CString.h"
#include "database/btree/StringKeyTree.h"
#include "database/db/DBRecordIndex.h"
#include "database/db/DBSetStores.h"

class DBRecordSet;
class SortKeyRecord;

class DBWorkformIndex : public StringKeyTree, public DBRecordIndex
{
public:
    DBWorkformIndex() : m_sets(*this), m_pending(nullptr) {}
    void SetPendingSets(DBPendingSets* pending) override { m_pending = pending; }

    void AddRecord(const SortKeyRecord& record) override;
    // Moves the record when its workform changed.
    void UpdateRecord(const SortKeyRecord& oldRecord, const SortKeyRecord& newRecord) override;
    void RemoveRecord(const SortKeyRecord& record) override;

    int GetTreeCount() const override { return 1; }
    BTree& GetIndexTree(int) override { return *this; }
    DBPendingSets::Store& GetSetStore(int) override { return m_sets; }
    std::unique_ptr<DBRecordIndex> MakeEmpty() const override
    {
        return std::unique_ptr<DBRecordIndex>(new DBWorkformIndex);
    }

    // The set stored under the name; an empty set when there is none.
    void GetSet(const char* name, DBRecordSet& out);
    // The union of the sets of all names before (after) the name, which need
    // not be in the tree.
    void UnionBefore(const char* name, DBRecordSet& out);
    void UnionAfter(const char* name, DBRecordSet& out);

private:
    void Add(const CString& name, LONG recordNumber);
    void Remove(const CString& name, LONG recordNumber);
    void FlushPending()
    {
        if (m_pending)
            m_pending->Flush();
    }

    StringTreeSetStore m_sets;
    DBPendingSets* m_pending; // not owned
};
