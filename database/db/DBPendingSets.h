// DBPendingSets: the write-back layer of the index trees' record sets.
//
// Every index keeps, under each of its keys, the DBRecordSet of the records
// that hold the key. Adding one record touches dozens of keys, and each of
// their sets may count thousands of records: reading, changing and writing
// the whole set for every record is what made an import slow. The layer keeps
// the sets a change touched in memory, changed in place, and writes each one
// once: when the owner flushes (before any read of the trees and at every
// commit) or when the memory the sets hold passes the bound (checked when the
// next change begins, so a record is never half stored by a failed flush):
// then the sets with the fewest records, which new records are least likely
// to touch again, are written and dropped until a quarter of the bound is
// free, while the busy sets stay in memory until the commit. Sets are written
// in key order, so the trees are walked forwards.
//
// A set of few members is held as their sorted numbers and the number of
// blocks its stored form has, not as a bitmap: a bitmap runs from record 0 to
// its highest member, so a rare key of a late record would hold kilobytes of
// zeros, and thousands of them would fill the bound at once. A set grows into
// a bitmap when that takes less memory (between changes: a change never
// switches a set's form, so its undo sees one form).
//
// The stored forms do not change: a flushed set is the set the direct
// read-change-write of every record would have stored (same name, same
// blocks), and a key whose last record went is deleted.
//
// Changes: the owner brackets each record's index work with a Change. Every
// set the record touched is put back as it was before the record when the
// Change ends without Commit (an exception in the middle), so the sets in
// memory never hold half a record. Undoing allocates nothing.
//
// Invariants: an entry is dirty exactly while its set (or its absence) may
// differ from the tree; `stored` says whether the tree holds the key as far
// as the layer last saw it; a sparse entry's members are sorted and distinct,
// below its blocks' end, and its DBRecordSet holds the name and no block; the
// memory counted is the sum of the entries' estimates. Entries are only
// evicted between changes.
#pragma once

#include "classlib/Types.h"
#include "database/db/DBRecordSet.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class BTBulkBuilder;
class BTree;
class DBBulkSets;
class StyledString;

class DBPendingSets
{
public:
    // One tree's sets: how they are read, written and deleted by key. Keys
    // whose bytes compare in the tree's order (or near it) make the writes
    // of a flush walk the tree forwards.
    class Store
    {
    public:
        virtual ~Store();
        virtual BOOL LoadSet(DBRecordSet& set, const std::string& key) = 0;
        virtual void StoreSet(DBRecordSet& set, const std::string& key) = 0;
        virtual void DeleteSet(const std::string& key) = 0;
        // Every key the tree holds, in the tree's order.
        virtual void GetKeys(std::vector<std::string>& keys) = 0;
        // The tree, and the set's chunks appended to a bottom-up build of it.
        virtual BTree& GetTree() = 0;
        virtual void AppendSet(BTBulkBuilder& builder, DBRecordSet& set, const std::string& key) = 0;
        // Whether a bulk batch may collect its additions (a store whose
        // callers need each addition's count may not).
        BOOL IsCollectable() const { return m_collectable; }
        void SetCollectable(BOOL collectable) { m_collectable = collectable; }

        // One key's set as the layer holds it.
        struct Entry
        {
            std::unique_ptr<DBRecordSet> set; // the name, and the bitmap unless sparse
            std::vector<LONG> members;        // sparse: the members, sorted
            int blocks = 0;                   // sparse: the stored form's blocks
            bool sparse = false;
            bool crowded = false; // sparse, and smaller as a bitmap
            bool present = false; // some record holds the key
            bool stored = false;  // the tree holds the key
            bool dirty = false;
            size_t bytes = 0;    // the estimate counted
            size_t overhead = 0; // of the key and the entry
        };

    private:
        friend class DBPendingSets;
        std::unordered_map<std::string, Entry> m_entries;
        BOOL m_collectable = TRUE;
    };

    // How an added record names the key's set.
    enum NameRule
    {
        kNameWhenAdded, // a non-empty name replaces the set's when the record is new in it
        kNameWhenNew,   // the name is given to a set made for the key only
    };

    // The bound of the memory the sets may hold before they are written out.
    // The busy sets that make the gain fit in a few MiB; a larger bound
    // mostly keeps sets of one or two records, and a heap holding many
    // large blocks allocates more slowly (an import under Wine ran twice as
    // fast with 8 MiB as with 64).
    enum : size_t
    {
        kDefaultBound = 8u << 20,
    };

    DBPendingSets();
    ~DBPendingSets();
    DBPendingSets(const DBPendingSets&) = delete;
    DBPendingSets& operator=(const DBPendingSets&) = delete;

    void SetBound(size_t bytes) { m_bound = bytes; }
    // A bulk batch: while set, additions to collectable stores go to it, and
    // it is built (its sets written) by Flush, before a removal or read of
    // a collectable store, and when it is unset. Not inside a change.
    void SetBulk(DBBulkSets* bulk);
    DBBulkSets* GetBulk() const { return m_bulk; }
    size_t GetBound() const { return m_bound; }
    size_t GetMemory() const { return m_memory; }
    BOOL HasPending() const;

    // Puts the record into (takes it out of) the set under the key; returns
    // the set's count after the call.
    int Add(Store& store, const std::string& key, LONG recordNumber, const StyledString* name, NameRule rule);
    int Remove(Store& store, const std::string& key, LONG recordNumber);
    // The set under the key as the trees will hold it (empty when no record
    // holds the key), read from memory or the tree; nothing is kept.
    BOOL GetSet(Store& store, const std::string& key, DBRecordSet& out);
    // Calls visit(recordNumber) for every member of the set under the key,
    // in increasing order. The set must be in memory (after Add or Remove).
    template <class Visit> void ForEachMember(Store& store, const std::string& key, Visit visit);

    // The same changes read and written at once, for an index used without
    // the layer.
    static void AddDirect(Store& store, const std::string& key, LONG recordNumber, const StyledString* name,
                          NameRule rule);
    static void RemoveDirect(Store& store, const std::string& key, LONG recordNumber);

    // Writes every changed set; the sets stay in memory. A failure leaves the
    // sets not yet written pending.
    void Flush();
    // Forgets every set, written or not (the trees' file was abandoned or
    // replaced). Not inside a change.
    void Discard();
    // Forgets the store's sets, written or not (its tree was emptied). Not
    // inside a change.
    void Forget(Store& store);
    // Writes and drops sets, those with the fewest records first, until they
    // hold at most `target` bytes.
    void Evict(size_t target);

    // One record's work on the sets: everything it changed is undone unless
    // Commit is called. Changes nest; the outermost one counts. Beginning
    // the outermost one first writes the sets out when they hold more memory
    // than the bound.
    class Change
    {
    public:
        explicit Change(DBPendingSets& sets);
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;
        void Commit();

    private:
        DBPendingSets& m_sets;
        bool m_outer;
        bool m_done;
    };

private:
    struct Undo
    {
        Store::Entry* entry;
        LONG recordNumber;
        bool added; // the record's bit was set (else cleared)
        int blocks; // the set's blocks before
        bool wasPresent;
        bool wasDirty;
        std::unique_ptr<DBRecordSet> before; // the whole set, when it was replaced
    };

    Store::Entry& Find(Store& store, const std::string& key);
    void Touch(Store::Entry& entry);
    void Recount(Store::Entry& entry);
    void UndoAll();
    void FlushOwn();
    // Turns the sparse sets that would be smaller as bitmaps into bitmaps.
    void Uncrowd();
    // Writes the entry's set to the tree, or deletes its key.
    static void Write(Store& store, const std::string& key, Store::Entry& entry);

    std::vector<Store*> m_stores;
    std::vector<Undo> m_undo;
    std::vector<Store::Entry*> m_crowded;
    size_t m_bound;
    size_t m_memory;
    size_t m_dirtyCount;
    int m_depth;
    DBBulkSets* m_bulk;
};

template <class Visit> void DBPendingSets::ForEachMember(Store& store, const std::string& key, Visit visit)
{
    auto found = store.m_entries.find(key);
    if (found == store.m_entries.end() || !found->second.present)
        return;
    const Store::Entry& entry = found->second;
    if (entry.sparse) {
        for (LONG n : entry.members)
            visit(n);
    } else {
        for (int n = entry.set->FindNext(-1); n >= 0; n = entry.set->FindNext(n))
            visit((LONG)n);
    }
}
