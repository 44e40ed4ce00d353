#include "database/db/DBBulkSets.h"

#include "app/core/TempFile.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "database/btree/BTBulkBuilder.h"
#include "database/btree/BTree.h"
#include "database/text/StyledStringArchive.h"

#include <algorithm>

namespace {

const int kRunBuffer = 1 << 16;
// What a key's pairs take beside their members: the key, the map's node,
// the name.
const size_t kKeyOverhead = 96;

bool SameName(const StyledString& a, const StyledString& b)
{
    return a.text == b.text && a.runs.IsEqual(b.runs);
}

size_t BytesOf(const std::string& key, const DBBulkSets::Pairs& pairs)
{
    const size_t held = pairs.bitmap ? (size_t)pairs.bitmap->GetBlockCount() * DBRecordSetBlock::bytes
                                     : pairs.members.capacity() * sizeof(LONG);
    return kKeyOverhead + key.size() + (size_t)pairs.name.GetLength() + held;
}

// Takes a source's pairs of the key into the item (sources come in the
// order their pairs were added).
void MergeInto(DBBulkSets::Item& item, std::vector<LONG>& members, const StyledString& name, bool named,
               BYTE rule)
{
    const bool first = item.members.empty();
    if (rule == DBPendingSets::kNameWhenNew) {
        if (first) {
            item.named = named;
            if (named)
                item.name = name;
        }
    } else if (named) {
        item.named = true;
        item.name = name;
    }
    item.rule = rule;
    if (first) {
        item.members.swap(members);
        return;
    }
    const bool ordered = members.empty() || members.front() > item.members.back();
    AfxTranslateBadAlloc([&] { item.members.insert(item.members.end(), members.begin(), members.end()); });
    if (!ordered) {
        std::sort(item.members.begin(), item.members.end());
        item.members.erase(std::unique(item.members.begin(), item.members.end()), item.members.end());
    }
}

} // namespace

// The keys of one store from one run or from memory, in key order.
class DBBulkSets::Source
{
public:
    // From memory: the store's keys, sorted here.
    explicit Source(StorePairs& pairs) : m_pairs(&pairs), m_at(0), m_left(0)
    {
        AfxTranslateBadAlloc([&] {
            m_sorted.reserve(pairs.keys.size());
            for (auto& entry : pairs.keys)
                m_sorted.push_back(&entry);
        });
        std::sort(m_sorted.begin(), m_sorted.end(),
                  [](const Entry* a, const Entry* b) { return a->first < b->first; });
    }
    // From a run: its section of the store.
    Source(const CString& path, DWORD offset, DWORD count) : m_pairs(nullptr), m_at(0), m_left(count)
    {
        CFileException error;
        if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, path);
        m_file.Seek((LONG)offset, CFile::begin);
        m_archive.reset(new CArchive(&m_file, CArchive::load | CArchive::bNoFlushOnDelete, kRunBuffer));
    }
    ~Source()
    {
        m_archive.reset();
        if (m_file.m_hFile != CFile::hFileNull)
            m_file.Abort();
    }

    // The next key into head; false at the end.
    bool Next()
    {
        has = false;
        head.members.clear();
        head.name.Empty();
        head.named = false;
        if (m_pairs) {
            if (m_at >= m_sorted.size())
                return false;
            Entry& entry = *m_sorted[m_at++];
            Pairs& pairs = entry.second;
            head.key = entry.first;
            if (pairs.bitmap) {
                AfxTranslateBadAlloc([&] { head.members.reserve((size_t)pairs.bitmap->GetCount()); });
                for (int n = pairs.bitmap->FindNext(-1); n >= 0; n = pairs.bitmap->FindNext(n))
                    head.members.push_back((LONG)n);
            } else {
                head.members.swap(pairs.members);
            }
            head.name.Swap(pairs.name);
            head.named = pairs.named;
            head.rule = pairs.rule;
            has = true;
            return true;
        }
        if (m_left == 0)
            return false;
        --m_left;
        CArchive& ar = *m_archive;
        WORD keyLength;
        BYTE flags;
        ar >> keyLength;
        AfxTranslateBadAlloc([&] { head.key.resize(keyLength); });
        if (keyLength > 0 && ar.Read(&head.key[0], keyLength) != keyLength)
            AfxThrowArchiveException(CArchiveException::endOfFile);
        ar >> flags;
        head.named = (flags & 1) != 0;
        head.rule = (BYTE)(flags >> 1);
        if (head.named)
            ReadStyledString(ar, head.name);
        DWORD count;
        ar >> count;
        AfxTranslateBadAlloc([&] { head.members.resize(count); });
        for (DWORD i = 0; i < count; ++i) {
            DWORD n;
            ar >> n;
            head.members[i] = (LONG)n;
        }
        has = true;
        return true;
    }

    Item head;
    bool has = false;

private:
    using Entry = std::pair<const std::string, Pairs>;
    StorePairs* m_pairs;
    std::vector<Entry*> m_sorted;
    size_t m_at;
    DWORD m_left;
    CFile m_file;
    std::unique_ptr<CArchive> m_archive;
};

DBBulkSets::DBBulkSets() : m_bound(kDefaultBound), m_memory(0), m_peak(0), m_pagesBuilt(0), m_lastRecord(-1)
{
}

DBBulkSets::~DBBulkSets()
{
    DeleteRuns();
}

BOOL DBBulkSets::HasPending() const
{
    return m_memory > 0 || !m_runs.empty();
}

void DBBulkSets::GetStores(std::vector<DBPendingSets::Store*>& stores) const
{
    AfxTranslateBadAlloc([&] {
        for (const auto& pairs : m_stores)
            stores.push_back(pairs->store);
    });
}

DBBulkSets::StorePairs& DBBulkSets::Find(DBPendingSets::Store& store)
{
    for (auto& pairs : m_stores) {
        if (pairs->store == &store)
            return *pairs;
    }
    AfxTranslateBadAlloc([&] {
        m_stores.emplace_back(new StorePairs);
        m_stores.back()->store = &store;
    });
    return *m_stores.back();
}

void DBBulkSets::Add(DBPendingSets::Store& store, const std::string& key, LONG recordNumber,
                     const StyledString* name, DBPendingSets::NameRule rule)
{
    if (recordNumber < 0)
        return;
    if (recordNumber >= (LONG)DBRecordSet::maxBlocks * DBRecordSetBlock::records)
        AfxThrowNotSupportedException();
    // Runs are cut between records, so that one record's pairs of a key
    // stay together.
    if (recordNumber != m_lastRecord && m_memory > m_bound)
        WriteRun();
    m_lastRecord = recordNumber;
    StorePairs& pairs = Find(store);
    Pairs* entry = nullptr;
    AfxTranslateBadAlloc([&] { entry = &pairs.keys[key]; });
    const size_t before = entry->bytes;
    bool isNew;
    if (entry->bitmap) {
        isNew = !entry->bitmap->Contains(recordNumber);
        entry->bitmap->Set(recordNumber);
    } else {
        auto at = std::lower_bound(entry->members.begin(), entry->members.end(), recordNumber);
        isNew = at == entry->members.end() || *at != recordNumber;
        if (isNew) {
            const bool first = entry->members.empty();
            AfxTranslateBadAlloc([&] { entry->members.insert(at, recordNumber); });
            if (first && rule == DBPendingSets::kNameWhenNew && name) {
                entry->name = *name;
                entry->named = true;
            }
        }
        // A set of many members is smaller as a bitmap.
        const size_t blocks = (size_t)entry->members.back() / DBRecordSetBlock::records + 1;
        if (entry->members.size() * sizeof(LONG) > blocks * DBRecordSetBlock::bytes) {
            std::unique_ptr<DBRecordSet> bitmap;
            AfxTranslateBadAlloc([&] { bitmap.reset(new DBRecordSet); });
            for (LONG n : entry->members)
                bitmap->Set(n);
            entry->bitmap = std::move(bitmap);
            std::vector<LONG>().swap(entry->members);
        }
    }
    entry->rule = (BYTE)rule;
    if (isNew && rule == DBPendingSets::kNameWhenAdded && name && !name->IsEmpty() &&
        !(entry->named && SameName(entry->name, *name))) {
        entry->name = *name;
        entry->named = true;
    }
    entry->bytes = BytesOf(key, *entry);
    m_memory = m_memory - before + entry->bytes;
    m_peak = std::max(m_peak, m_memory);
}

void DBBulkSets::WriteRun()
{
    Run run;
    run.path = MakeTempFileName();
    AfxTranslateBadAlloc([&] { m_runs.push_back(run); });
    Run& written = m_runs.back();
    CFile file;
    CFileException error;
    if (!file.Open(written.path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, written.path);
    try {
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete, kRunBuffer);
        for (auto& pairs : m_stores) {
            ar.Flush();
            const DWORD offset = file.GetPosition();
            Source keys(*pairs);
            DWORD count = 0;
            while (keys.Next()) {
                Item& item = keys.head;
                ar << (WORD)item.key.size();
                ar.Write(item.key.data(), (UINT)item.key.size());
                ar << (BYTE)((item.named ? 1 : 0) | (item.rule << 1));
                if (item.named)
                    WriteStyledString(ar, item.name);
                ar << (DWORD)item.members.size();
                for (LONG n : item.members)
                    ar << (DWORD)n;
                ++count;
            }
            AfxTranslateBadAlloc([&] {
                written.sections.push_back(offset);
                written.counts.push_back(count);
            });
            pairs->keys.clear();
        }
        ar.Close();
        file.Close();
    } catch (CException*) {
        file.Abort();
        throw;
    }
    m_memory = 0;
}

void DBBulkSets::MakeSet(DBPendingSets::Store& store, Item& item, BTBulkBuilder* builder)
{
    const bool whenNew = item.rule == DBPendingSets::kNameWhenNew;
    DBRecordSet set(whenNew && item.named ? (const char*)item.name.text : "");
    if (!builder)
        store.LoadSet(set, item.key);
    if (!whenNew && item.named && !item.name.IsEmpty() && !SameName(set.name, item.name))
        set.name = item.name;
    for (LONG n : item.members)
        set.Set(n);
    if (builder)
        store.AppendSet(*builder, set, item.key);
    else
        store.StoreSet(set, item.key);
}

void DBBulkSets::BuildStore(size_t index)
{
    StorePairs& pairs = *m_stores[index];
    DBPendingSets::Store& store = *pairs.store;
    std::vector<std::unique_ptr<Source>> sources;
    AfxTranslateBadAlloc([&] {
        for (const Run& run : m_runs) {
            if (index < run.counts.size() && run.counts[index] > 0)
                sources.emplace_back(new Source(run.path, run.sections[index], run.counts[index]));
        }
        sources.emplace_back(new Source(pairs));
    });
    for (auto& source : sources)
        source->Next();
    // An empty tree is built bottom-up; any other takes its sets in key order.
    std::unique_ptr<BTBulkBuilder> builder;
    BTree& tree = store.GetTree();
    if (tree.GetRootDescriptor().root == 0)
        builder.reset(new BTBulkBuilder(tree));
    Item item;
    for (;;) {
        const std::string* least = nullptr;
        for (auto& source : sources) {
            if (source->has && (!least || source->head.key < *least))
                least = &source->head.key;
        }
        if (!least)
            break;
        item.key = *least;
        item.members.clear();
        item.name.Empty();
        item.named = false;
        for (auto& source : sources) {
            if (source->has && source->head.key == item.key) {
                MergeInto(item, source->head.members, source->head.name, source->head.named,
                          source->head.rule);
                source->Next();
            }
        }
        MakeSet(store, item, builder.get());
    }
    if (builder) {
        builder->Finish();
        m_pagesBuilt += builder->GetPagesWritten();
    }
}

void DBBulkSets::Build()
{
    try {
        for (size_t i = 0; i < m_stores.size(); ++i)
            BuildStore(i);
    } catch (CException*) {
        Discard();
        throw;
    }
    Discard();
}

void DBBulkSets::Discard()
{
    m_stores.clear();
    m_memory = 0;
    m_lastRecord = -1;
    DeleteRuns();
}

void DBBulkSets::DeleteRuns()
{
    for (const Run& run : m_runs) {
        try {
            CFile::Remove(run.path);
        } catch (CException* e) {
            e->Delete();
        }
    }
    m_runs.clear();
}
