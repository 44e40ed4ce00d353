// DBSortKeyTree: a B-tree of sort keys, one per record, so that its leaf
// chain gives the records in the order of its sort definition.
//
// An entry is the sort key alone (DBSortKeyBuilder's layout: length byte L,
// the parts, the record number in the last four bytes); it has no data and
// no duplicate number, since the record number makes every key unique. The
// root descriptor's object count counts the records keyed.
//
// The tree keeps one key builder over its sort definition and its database's
// key context and builds every key straight into the engine's search key.
// Without a database, keys compare with a neutral context (raw bytes, no stop
// lists); comparing never depends on the context.
//
// Invariant while a slot's indexBuilt is set and no build is running: one
// entry per record of the database. A refused insert or delete means the
// index and the records disagree: message 4100, then the user exception.
#pragma once

#include "database/btree/BTree.h"
#include "database/sort/CRefCounted.h"
#include "database/sort/DBSortKeyBuilder.h"
#include "database/sort/DBSortSpec.h"

#include <memory>

class BTreeCursor;
class DBRecord;
class ISortIndexDatabase;

class DBSortKeyTree : public BTree, public CRefCounted
{
public:
    enum
    {
        IDP_DATABASE_DAMAGED = 4100,
    };

    DBSortKeyTree();
    ~DBSortKeyTree() override;

    // BTree::Attach (clearing the root descriptor) and the owning database.
    void Attach(BTPagedFile* file, ISortIndexDatabase* database);
    ISortIndexDatabase* GetDatabase() const { return m_database; }
    // Sets the sort definition (indexBuilt included) and the key builder over it.
    void SetSpec(const DBSortSpec& spec);
    const DBSortSpec& GetSpec() const { return spec; }
    const DBSortKeyBuilder& GetBuilder() const { return *m_builder; }

    // Stored form: the root descriptor, then the sort definition (26 bytes).
    void SerializeRoot(CArchive& ar) override;

    int CompareKeys(const BYTE* a, const BYTE* b) const override;
    int CompareKeyText(const BYTE* a, const BYTE* b) const override;
    WORD GetDuplicateNumber(const BYTE*) const override { return 0; }
    int GetEntrySize(const BYTE* entry) const override { return entry[0] + 1; }
    int GetKeySize(const BYTE* key) const override { return key[0] + 1; }
    int GetDataSize(const BYTE*) const override { return 0; }
    BOOL IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const override;

    // Builds the record's key into the search key; returns its length.
    int MakeRecordKey(const DBRecord& record);
    void AddRecord(const DBRecord& record);
    // Nothing when both records give the same key.
    void UpdateRecord(const DBRecord& oldRecord, const DBRecord& newRecord);
    void RemoveRecord(const DBRecord& record);

    // Places the cursor at the typed text's key (first sort key, record 0);
    // unless exact, then on the last of the following entries whose first
    // part begins with the typed part. copy (kMaxKeySize bytes) receives the
    // search key. TRUE when BTree::Find found the key itself.
    BOOL SeekText(const char* text, BOOL exact, BTreeCursor& cursor, BYTE* copy);

    // Inserts every entry into the other tree; 0 as soon as one is refused.
    int CopyKeysTo(DBSortKeyTree& other);

protected:
    DBSortSpec spec;
    ISortIndexDatabase* m_database; // not owned

private:
    void ResetBuilder();
    void InsertSearchKey();
    void DeleteSearchKey();

    std::unique_ptr<DBSortKeyBuilder> m_builder;
};
