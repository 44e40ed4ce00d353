#include "database/db/DBPendingSets.h"

#include "database/text/StyledString.h"

#include <algorithm>
#include <utility>

namespace {

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

} // namespace

DBPendingSets::Store::~Store() {}

DBPendingSets::DBPendingSets() : m_bound(kDefaultBound), m_memory(0), m_dirtyCount(0), m_depth(0) {}

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
    bool known = false;
    for (Store* s : m_stores)
        known = known || s == &store;
    if (!known)
        m_stores.push_back(&store);
    Store::Entry& entry = store.m_entries[key];
    entry.set = std::move(set);
    entry.present = present;
    entry.stored = present;
    // What an entry costs in memory, roughly: its blocks, key and entry.
    entry.overhead = key.size() + 96;
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
    entry.bytes = (size_t)entry.set->GetBlockCount() * DBRecordSetBlock::bytes + entry.overhead;
    m_memory += entry.bytes;
}

void DBPendingSets::Add(Store& store, const std::string& key, LONG recordNumber, const StyledString* name,
                        NameRule rule)
{
    Store::Entry& entry = Find(store, key);
    if (entry.present && entry.set->Contains(recordNumber))
        return;
    // A set made fresh or renamed is built aside and swapped in, so undoing
    // it allocates nothing; a Set that fails changes nothing, and the blocks
    // a Set grew are dropped again by an undo.
    std::unique_ptr<DBRecordSet> replacement;
    if (!entry.present)
        replacement.reset(new DBRecordSet(FreshName(name, rule)));
    else if (NewName(*entry.set, name, rule))
        replacement.reset(new DBRecordSet(*entry.set));
    if (replacement) {
        if (const StyledString* newName = NewName(*replacement, name, rule))
            replacement->name = *newName;
        replacement->Set(recordNumber);
    } else if (recordNumber < 0) {
        return;
    }
    m_undo.push_back(
        Undo{&entry, recordNumber, true, entry.set->GetBlockCount(), entry.present, entry.dirty, nullptr});
    if (replacement) {
        m_undo.back().before = std::move(entry.set);
        entry.set = std::move(replacement);
    } else {
        entry.set->Set(recordNumber);
    }
    entry.present = true;
    Touch(entry);
    Recount(entry);
}

void DBPendingSets::Remove(Store& store, const std::string& key, LONG recordNumber)
{
    Store::Entry& entry = Find(store, key);
    if (!entry.present)
        return;
    const bool holds = entry.set->Contains(recordNumber) != FALSE;
    if (!holds && entry.set->GetCount() > 0)
        return;
    m_undo.push_back(Undo{&entry, holds ? recordNumber : -1, false, entry.set->GetBlockCount(), entry.present,
                          entry.dirty, nullptr});
    if (holds)
        entry.set->Clear(recordNumber);
    entry.present = entry.set->GetCount() > 0;
    Touch(entry);
}

void DBPendingSets::UndoAll()
{
    for (auto undo = m_undo.rbegin(); undo != m_undo.rend(); ++undo) {
        Store::Entry& entry = *undo->entry;
        if (undo->before) {
            entry.set.swap(undo->before);
        } else if (undo->recordNumber >= 0) {
            if (undo->added) {
                entry.set->Clear(undo->recordNumber);
                entry.set->DropBlocksFrom(undo->blocks);
            } else {
                entry.set->Set(undo->recordNumber);
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

// ---- writing ----

void DBPendingSets::Flush()
{
    if (m_dirtyCount == 0)
        return;
    for (Store* store : m_stores) {
        for (auto& item : store->m_entries) {
            Store::Entry& entry = item.second;
            if (!entry.dirty)
                continue;
            if (entry.present) {
                store->StoreSet(*entry.set, item.first);
                entry.stored = true;
            } else if (entry.stored) {
                store->DeleteSet(item.first);
                entry.stored = false;
            }
            entry.dirty = false;
            --m_dirtyCount;
        }
    }
}

void DBPendingSets::Discard()
{
    for (Store* store : m_stores)
        store->m_entries.clear();
    m_stores.clear();
    m_undo.clear();
    m_memory = 0;
    m_dirtyCount = 0;
}

void DBPendingSets::Evict(size_t target)
{
    struct Victim
    {
        int count;
        Store* store;
        const std::string* key;
    };
    std::vector<Victim> victims;
    for (Store* store : m_stores) {
        for (auto& item : store->m_entries)
            victims.push_back(
                Victim{item.second.present ? item.second.set->GetCount() : 0, store, &item.first});
    }
    std::stable_sort(victims.begin(), victims.end(),
                     [](const Victim& a, const Victim& b) { return a.count < b.count; });
    for (const Victim& victim : victims) {
        if (m_memory <= target)
            break;
        auto found = victim.store->m_entries.find(*victim.key);
        Store::Entry& entry = found->second;
        if (entry.dirty) {
            if (entry.present)
                victim.store->StoreSet(*entry.set, found->first);
            else if (entry.stored)
                victim.store->DeleteSet(found->first);
            --m_dirtyCount;
        }
        m_memory -= entry.bytes;
        victim.store->m_entries.erase(found);
    }
}

// ---- changes ----

DBPendingSets::Change::Change(DBPendingSets& sets) : m_sets(sets), m_outer(sets.m_depth == 0), m_done(false)
{
    if (m_outer) {
        if (m_sets.m_memory > m_sets.m_bound)
            m_sets.Evict(m_sets.m_bound - m_sets.m_bound / 4);
        m_sets.m_undo.clear();
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
