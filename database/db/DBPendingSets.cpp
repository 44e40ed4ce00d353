#include "database/db/DBPendingSets.h"

#include "classlib/Exceptions.h"
#include "database/db/DBBulkSets.h"
#include "database/text/StyledString.h"

#include <algorithm>
#include <utility>

namespace {

using Entry = DBPendingSets::Store::Entry;

bool SameName(const StyledString& a, const StyledString& b)
{
    return a.text == b.text && a.runs.IsEqual(b.runs);
}

// The name an added record gives a set it is new in, or null when the set
// keeps its own.
const StyledString* NewName(const DBRecordSet& set, const StyledString* name, DBPendingSets::NameRule rule)
{
    if (rule != DBPendingSets::kNameWhenAdded || !name || name->IsEmpty() || SameName(set.name, *name))
        return nullptr;
    return name;
}

// The name of a set made for a key no record held.
const char* FreshName(const StyledString* name, DBPendingSets::NameRule rule)
{
    return rule == DBPendingSets::kNameWhenNew && name ? (const char*)name->text : "";
}

// ---- an entry's set in either form ----

const int kRecordsPerBlock = DBRecordSetBlock::records;

bool Holds(const Entry& entry, LONG n)
{
    if (!entry.sparse)
        return entry.set->Contains(n) != FALSE;
    return std::binary_search(entry.members.begin(), entry.members.end(), n);
}

int CountOf(const Entry& entry)
{
    return entry.sparse ? (int)entry.members.size() : entry.set->GetCount();
}

int BlocksOf(const Entry& entry)
{
    return entry.sparse ? entry.blocks : entry.set->GetBlockCount();
}

// As DBRecordSet::Set: a negative number changes nothing, one past the last
// block the stored form counts raises CNotSupportedException.
void Insert(Entry& entry, LONG n)
{
    if (!entry.sparse) {
        entry.set->Set(n);
        return;
    }
    if (n < 0)
        return;
    const int block = n / kRecordsPerBlock;
    if (block >= DBRecordSet::maxBlocks)
        AfxThrowNotSupportedException();
    auto at = std::lower_bound(entry.members.begin(), entry.members.end(), n);
    if (at != entry.members.end() && *at == n)
        return;
    AfxTranslateBadAlloc([&] { entry.members.insert(at, n); });
    entry.blocks = std::max(entry.blocks, block + 1);
}

void Erase(Entry& entry, LONG n)
{
    if (!entry.sparse) {
        entry.set->Clear(n);
        return;
    }
    auto at = std::lower_bound(entry.members.begin(), entry.members.end(), n);
    if (at != entry.members.end() && *at == n)
        entry.members.erase(at);
}

// Gives the set back the blocks it had before an undone Set.
void RestoreBlocks(Entry& entry, int blocks)
{
    if (entry.sparse)
        entry.blocks = blocks;
    else
        entry.set->DropBlocksFrom(blocks);
}

// Fills the (blockless) set of a sparse entry as the stored form has it.
void FillBitmap(DBRecordSet& set, const Entry& entry)
{
    if (entry.blocks > 0) {
        // The stored form keeps every block, the empty ones past the
        // highest member too.
        const int last = entry.blocks * kRecordsPerBlock - 1;
        set.Set(last);
        set.Clear(last);
    }
    for (LONG n : entry.members)
        set.Set(n);
}

// Whether a sparse set of count members takes more memory than its bitmap.
bool Crowded(size_t count, int blocks)
{
    return count * sizeof(LONG) > (size_t)std::max(blocks, 1) * DBRecordSetBlock::bytes;
}

} // namespace

DBPendingSets::Store::~Store() {}

DBPendingSets::DBPendingSets() : m_bound(kDefaultBound), m_memory(0), m_dirtyCount(0), m_depth(0), m_bulk(nullptr) {}

DBPendingSets::~DBPendingSets() {}

// ---- direct changes ----

void DBPendingSets::AddDirect(Store& store, const std::string& key, LONG recordNumber,
                              const StyledString* name, NameRule rule)
{
    DBRecordSet set(FreshName(name, rule));
    store.LoadSet(set, key);
    if (set.Contains(recordNumber))
        return;
    if (const StyledString* newName = NewName(set, name, rule))
        set.name = *newName;
    set.Set(recordNumber);
    store.StoreSet(set, key);
}

void DBPendingSets::RemoveDirect(Store& store, const std::string& key, LONG recordNumber)
{
    DBRecordSet set;
    if (!store.LoadSet(set, key))
        return;
    if (set.Clear(recordNumber) > 0)
        store.StoreSet(set, key);
    else
        store.DeleteSet(key);
}

// ---- pending changes ----

DBPendingSets::Store::Entry& DBPendingSets::Find(Store& store, const std::string& key)
{
    auto found = store.m_entries.find(key);
    if (found != store.m_entries.end())
        return found->second;
    std::unique_ptr<DBRecordSet> set(new DBRecordSet);
    const bool present = store.LoadSet(*set, key) != FALSE;
    std::vector<LONG> members;
    const bool sparse = !Crowded((size_t)set->GetCount(), set->GetBlockCount());
    if (sparse) {
        AfxTranslateBadAlloc([&] {
            members.reserve((size_t)set->GetCount());
            for (int n = set->FindNext(-1); n >= 0; n = set->FindNext(n))
                members.push_back(n);
        });
    }
    bool known = false;
    for (Store* s : m_stores)
        known = known || s == &store;
    if (!known)
        AfxTranslateBadAlloc([&] { m_stores.push_back(&store); });
    Store::Entry& entry = AfxTranslateBadAlloc([&]() -> Store::Entry& { return store.m_entries[key]; });
    entry.sparse = sparse;
    if (sparse) {
        entry.blocks = set->GetBlockCount();
        entry.members.swap(members);
        set->RemoveAll();
    }
    entry.set = std::move(set);
    entry.present = present;
    entry.stored = present;
    // What an entry costs in memory, roughly: its members or blocks, its
    // key, the entry and its set.
    entry.overhead = key.size() + 160;
    Recount(entry);
    return entry;
}

void DBPendingSets::Touch(Store::Entry& entry)
{
    if (!entry.dirty) {
        entry.dirty = true;
        ++m_dirtyCount;
    }
}

void DBPendingSets::Recount(Store::Entry& entry)
{
    m_memory -= entry.bytes;
    const size_t held = entry.sparse ? entry.members.capacity() * sizeof(LONG)
                                     : (size_t)entry.set->GetBlockCount() * DBRecordSetBlock::bytes;
    entry.bytes = held + entry.overhead;
    m_memory += entry.bytes;
}

int DBPendingSets::Add(Store& store, const std::string& key, LONG recordNumber, const StyledString* name,
                       NameRule rule)
{
    if (m_bulk && store.IsCollectable()) {
        m_bulk->Add(store, key, recordNumber, name, rule);
        return 1;
    }
    Store::Entry& entry = Find(store, key);
    if (entry.present && Holds(entry, recordNumber))
        return CountOf(entry);
    // A set made fresh or renamed is built aside and swapped in, so undoing
    // it allocates nothing; an Insert that fails changes nothing, and the
    // blocks it grew are taken back by an undo. A sparse entry's set holds
    // only the name: its members change in place.
    std::unique_ptr<DBRecordSet> replacement;
    if (!entry.present)
        replacement.reset(new DBRecordSet(FreshName(name, rule)));
    else if (NewName(*entry.set, name, rule))
        replacement.reset(new DBRecordSet(*entry.set));
    if (replacement) {
        if (const StyledString* newName = NewName(*replacement, name, rule))
            replacement->name = *newName;
        if (!entry.sparse)
            replacement->Set(recordNumber);
    } else if (recordNumber < 0) {
        return CountOf(entry);
    }
    const int blocksBefore = BlocksOf(entry);
    if (entry.sparse) {
        // A fresh set starts with no block; the members of a set no record
        // holds are gone already.
        if (!entry.present)
            entry.blocks = 0;
        try {
            Insert(entry, recordNumber);
        } catch (CException*) {
            entry.blocks = blocksBefore;
            throw;
        }
    }
    try {
        AfxTranslateBadAlloc([&] {
            m_undo.push_back(
                Undo{&entry, recordNumber, true, blocksBefore, entry.present, entry.dirty, nullptr});
        });
    } catch (CException*) {
        if (entry.sparse) {
            Erase(entry, recordNumber);
            entry.blocks = blocksBefore;
        }
        throw;
    }
    if (replacement) {
        m_undo.back().before = std::move(entry.set);
        entry.set = std::move(replacement);
    } else if (!entry.sparse) {
        entry.set->Set(recordNumber);
    }
    entry.present = true;
    Touch(entry);
    Recount(entry);
    if (entry.sparse && !entry.crowded && Crowded(entry.members.size(), entry.blocks)) {
        AfxTranslateBadAlloc([&] { m_crowded.push_back(&entry); });
        entry.crowded = true;
    }
    return CountOf(entry);
}

int DBPendingSets::Remove(Store& store, const std::string& key, LONG recordNumber)
{
    if (m_bulk && store.IsCollectable()) {
        // The batch's sets are written first; the layer keeps no set of a
        // collectable store while a batch runs.
        Flush();
        DBRecordSet set;
        if (!store.LoadSet(set, key))
            return 0;
        const int left = set.Clear(recordNumber);
        if (left > 0)
            store.StoreSet(set, key);
        else
            store.DeleteSet(key);
        return left;
    }
    Store::Entry& entry = Find(store, key);
    if (!entry.present)
        return 0;
    const bool holds = Holds(entry, recordNumber);
    if (!holds && CountOf(entry) > 0)
        return CountOf(entry);
    AfxTranslateBadAlloc([&] {
        m_undo.push_back(Undo{&entry, holds ? recordNumber : -1, false, BlocksOf(entry), entry.present,
                              entry.dirty, nullptr});
    });
    if (holds)
        Erase(entry, recordNumber);
    entry.present = CountOf(entry) > 0;
    Touch(entry);
    return CountOf(entry);
}

BOOL DBPendingSets::GetSet(Store& store, const std::string& key, DBRecordSet& out)
{
    if (m_bulk && store.IsCollectable() && m_bulk->HasPending())
        Flush();
    auto found = store.m_entries.find(key);
    if (found == store.m_entries.end()) {
        out.RemoveAll();
        out.name.SetPlainText("");
        return store.LoadSet(out, key);
    }
    const Store::Entry& entry = found->second;
    out.RemoveAll();
    out.name = entry.set->name;
    if (!entry.present)
        return FALSE;
    if (entry.sparse)
        FillBitmap(out, entry);
    else
        out = *entry.set;
    return TRUE;
}

void DBPendingSets::UndoAll()
{
    for (auto undo = m_undo.rbegin(); undo != m_undo.rend(); ++undo) {
        Store::Entry& entry = *undo->entry;
        if (undo->before)
            entry.set.swap(undo->before);
        // A bitmap put back whole holds its members already.
        if (undo->recordNumber >= 0 && (entry.sparse || !undo->before)) {
            if (undo->added) {
                Erase(entry, undo->recordNumber);
                RestoreBlocks(entry, undo->blocks);
            } else {
                Insert(entry, undo->recordNumber);
            }
        }
        entry.present = undo->wasPresent;
        // A flush in between may have written the changed set: the set put
        // back is written again.
        Touch(entry);
        Recount(entry);
    }
    m_undo.clear();
}

void DBPendingSets::Uncrowd()
{
    for (Store::Entry* entry : m_crowded) {
        entry->crowded = false;
        if (!entry->sparse || !Crowded(entry->members.size(), entry->blocks))
            continue;
        std::unique_ptr<DBRecordSet> bitmap(new DBRecordSet);
        bitmap->name = entry->set->name;
        FillBitmap(*bitmap, *entry);
        entry->set = std::move(bitmap);
        entry->sparse = false;
        std::vector<LONG>().swap(entry->members);
        Recount(*entry);
    }
    m_crowded.clear();
}

// ---- writing ----

void DBPendingSets::Write(Store& store, const std::string& key, Store::Entry& entry)
{
    if (!entry.present) {
        if (entry.stored)
            store.DeleteSet(key);
        entry.stored = false;
        return;
    }
    if (!entry.sparse) {
        store.StoreSet(*entry.set, key);
    } else {
        // The set holds the name alone between writes.
        DBRecordSet& set = *entry.set;
        try {
            FillBitmap(set, entry);
            store.StoreSet(set, key);
        } catch (CException*) {
            set.RemoveAll();
            throw;
        }
        set.RemoveAll();
    }
    entry.stored = true;
}

namespace {

using Item = std::pair<const std::string, Entry>;

// The items in the order of their keys.
void SortByKey(std::vector<Item*>& items)
{
    std::sort(items.begin(), items.end(), [](const Item* a, const Item* b) { return a->first < b->first; });
}

} // namespace

BOOL DBPendingSets::HasPending() const
{
    return m_dirtyCount > 0 || (m_bulk && m_bulk->HasPending());
}

void DBPendingSets::SetBulk(DBBulkSets* bulk)
{
    Flush();
    // Sets kept from before are not told of the batch's additions.
    Discard();
    m_bulk = bulk;
}

void DBPendingSets::Flush()
{
    FlushOwn();
    if (m_bulk && m_bulk->HasPending())
        m_bulk->Build();
}

void DBPendingSets::FlushOwn()
{
    if (m_dirtyCount == 0)
        return;
    std::vector<Item*> dirty;
    for (Store* store : m_stores) {
        dirty.clear();
        AfxTranslateBadAlloc([&] {
            for (auto& item : store->m_entries) {
                if (item.second.dirty)
                    dirty.push_back(&item);
            }
        });
        SortByKey(dirty);
        for (Item* item : dirty) {
            Write(*store, item->first, item->second);
            item->second.dirty = false;
            --m_dirtyCount;
        }
    }
}

void DBPendingSets::Discard()
{
    if (m_bulk)
        m_bulk->Discard();
    for (Store* store : m_stores)
        store->m_entries.clear();
    m_stores.clear();
    m_undo.clear();
    m_crowded.clear();
    m_memory = 0;
    m_dirtyCount = 0;
}

void DBPendingSets::Forget(Store& store)
{
    Uncrowd();
    for (auto& item : store.m_entries) {
        m_memory -= item.second.bytes;
        if (item.second.dirty)
            --m_dirtyCount;
    }
    store.m_entries.clear();
}

void DBPendingSets::Evict(size_t target)
{
    Uncrowd();
    struct Victim
    {
        int count;
        Store* store;
        Item* item;
    };
    std::vector<Victim> victims;
    AfxTranslateBadAlloc([&] {
        for (Store* store : m_stores) {
            for (auto& item : store->m_entries)
                victims.push_back(Victim{item.second.present ? CountOf(item.second) : 0, store, &item});
        }
    });
    std::stable_sort(victims.begin(), victims.end(),
                     [](const Victim& a, const Victim& b) { return a.count < b.count; });
    // The fewest-records sets that free enough, then written in key order.
    size_t memory = m_memory;
    size_t chosen = 0;
    while (chosen < victims.size() && memory > target)
        memory -= victims[chosen++].item->second.bytes;
    victims.resize(chosen);
    std::sort(victims.begin(), victims.end(), [](const Victim& a, const Victim& b) {
        return a.store != b.store ? a.store < b.store : a.item->first < b.item->first;
    });
    for (const Victim& victim : victims) {
        Store::Entry& entry = victim.item->second;
        if (entry.dirty) {
            Write(*victim.store, victim.item->first, entry);
            entry.dirty = false;
            --m_dirtyCount;
        }
        m_memory -= entry.bytes;
        victim.store->m_entries.erase(victim.store->m_entries.find(victim.item->first));
    }
}

// ---- changes ----

DBPendingSets::Change::Change(DBPendingSets& sets) : m_sets(sets), m_outer(sets.m_depth == 0), m_done(false)
{
    if (m_outer) {
        m_sets.m_undo.clear();
        m_sets.Uncrowd();
        if (m_sets.m_memory > m_sets.m_bound)
            m_sets.Evict(m_sets.m_bound - m_sets.m_bound / 4);
    }
    ++m_sets.m_depth;
}

DBPendingSets::Change::~Change()
{
    --m_sets.m_depth;
    if (!m_outer)
        return;
    if (m_done)
        m_sets.m_undo.clear();
    else
        m_sets.UndoAll();
}

void DBPendingSets::Change::Commit()
{
    m_done = true;
}
