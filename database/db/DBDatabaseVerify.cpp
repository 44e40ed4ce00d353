// The whole-database check of DBDatabase.
#include "database/db/DBDatabase.h"

#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/DBRecord.h"
#include "database/sort/DBRecordSortView.h"
#include "database/sort/DBSortCursor.h"

#include <set>
#include <string>

namespace {

// The first member of a that b lacks; -1 when there is none.
int FirstMissing(const DBRecordSet& a, const DBRecordSet& b)
{
    for (int n = a.FindNext(-1); n >= 0; n = a.FindNext(n)) {
        if (!b.Contains(n))
            return n;
    }
    return -1;
}

CString Printable(const std::string& key)
{
    CString text;
    for (unsigned char c : key) {
        if (c >= 0x20 && c < 0x7F) {
            text += (char)c;
        } else {
            CString hex;
            hex.Format("\\x%02X", c);
            text += hex;
        }
    }
    return text;
}

// Walks every entry: each node the walk meets is checked whole by its tree;
// the entries walked must be the entries the root counts.
CString CheckTree(BTree& tree, const char* name)
{
    try {
        DWORD entries = 0;
        BTreeCursor cursor(&tree);
        for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.Next())
            ++entries;
        if (entries != tree.GetEntryCount()) {
            CString problem;
            problem.Format("tree %s: %lu entries walked, %lu counted", name, (unsigned long)entries,
                           (unsigned long)tree.GetEntryCount());
            return problem;
        }
    } catch (CException* e) {
        e->Delete();
        return CString("tree ") + name + ": damaged";
    }
    return CString();
}

// A scratch paged file for the indexes made again, deleted at its end.
class ScratchIndexFile
{
public:
    ScratchIndexFile()
    {
        m_file.SetPathName(MakeTempFileName());
        CFileException error;
        if (!m_file.OpenFile(CPFile::modeCreateExclusive, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, m_file.GetPathName());
    }
    ~ScratchIndexFile()
    {
        try {
            m_file.Abort();
            CFile::Remove(m_file.GetPathName());
        } catch (CException* e) {
            e->Delete(); // a scratch file left behind is harmless
        }
    }
    BTPagedFile* Get() { return &m_file; }

private:
    BTPagedFile m_file;
};

} // namespace

CString DBDatabase::Verify(int wholeUpTo)
{
    FlushPendingSets();
    CString problem;
    // Every tree of both files.
    const char* dataTrees[] = {"records", "groups", "resources"};
    BTree* data[] = {&recordTree, &groupTree, &resourceTree};
    for (int i = 0; i < 3 && problem.IsEmpty(); ++i)
        problem = CheckTree(*data[i], dataTrees[i]);
    for (KeyIndex& entry : keyIndexes) {
        for (int i = 0; i < entry.index->GetTreeCount() && problem.IsEmpty(); ++i)
            problem = CheckTree(entry.index->GetIndexTree(i), entry.name);
    }
    if (problem.IsEmpty())
        problem = CheckTree(duplicateFinder, "duplicates");
    for (int slot = 0; slot < kSortSlotCount && problem.IsEmpty(); ++slot) {
        CString name;
        name.Format("sort slot %d", slot);
        problem = CheckTree(*sortSlots[(size_t)slot], name);
    }
    if (!problem.IsEmpty())
        return problem;
    problem = VerifyRecords();
    if (problem.IsEmpty())
        problem = VerifyIndexes(wholeUpTo);
    if (problem.IsEmpty())
        problem = VerifySortsAndSets();
    return problem;
}

CString DBDatabase::VerifyRecords()
{
    CString problem;
    DBRecordSet stored;
    BTreeCursor cursor(&recordTree);
    for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey())
        stored.Set((int)cursor.ReadU32());
    int n = FirstMissing(allRecords, stored);
    if (n >= 0) {
        problem.Format("record %d is in all records but not stored", n);
        return problem;
    }
    n = FirstMissing(stored, allRecords);
    if (n >= 0) {
        problem.Format("record %d is stored but not in all records", n);
        return problem;
    }
    if (recordTree.GetObjectCount() != (DWORD)allRecords.GetCount()) {
        problem.Format("the record tree counts %lu records, %d are stored",
                       (unsigned long)recordTree.GetObjectCount(), allRecords.GetCount());
    }
    return problem;
}

CString DBDatabase::VerifyIndexes(int wholeUpTo)
{
    // Above the size given every k-th record is made again; the stored sets
    // are compared on those records only.
    DBRecordSet sample;
    const int count = allRecords.GetCount();
    const int step = wholeUpTo > 0 && count > wholeUpTo ? (count + wholeUpTo - 1) / wholeUpTo : 1;
    int i = 0;
    for (int n = allRecords.FindNext(-1); n >= 0; n = allRecords.FindNext(n), ++i) {
        if (i % step == 0)
            sample.Set(n);
    }
    ScratchIndexFile scratch;
    std::vector<std::unique_ptr<DBRecordIndex>> fresh;
    for (KeyIndex& entry : keyIndexes) {
        fresh.push_back(entry.index->MakeEmpty());
        for (int t = 0; t < fresh.back()->GetTreeCount(); ++t)
            fresh.back()->GetIndexTree(t).Attach(scratch.Get());
    }
    for (int n = sample.FindNext(-1); n >= 0; n = sample.FindNext(n)) {
        DBRecord record;
        record.m_bAutoDelete = FALSE;
        ReadStoredRecord(record, n);
        const DBRecordSortView view(record, GetWorkformName(record.GetWorkformId()));
        for (auto& index : fresh)
            index->AddRecord(view);
    }
    CString problem;
    for (size_t x = 0; x < keyIndexes.size() && problem.IsEmpty(); ++x) {
        for (int t = 0; t < keyIndexes[x].index->GetTreeCount() && problem.IsEmpty(); ++t)
            problem = CompareIndexStores(keyIndexes[x].name, keyIndexes[x].index->GetSetStore(t),
                                         fresh[x]->GetSetStore(t), sample);
    }
    return problem;
}

CString DBDatabase::CompareIndexStores(const char* name, DBPendingSets::Store& stored,
                                       DBPendingSets::Store& made, const DBRecordSet& sample)
{
    std::vector<std::string> storedKeys, madeKeys;
    stored.GetKeys(storedKeys);
    made.GetKeys(madeKeys);
    std::set<std::string> keys(storedKeys.begin(), storedKeys.end());
    keys.insert(madeKeys.begin(), madeKeys.end());
    CString problem;
    for (const std::string& key : keys) {
        DBRecordSet held, expected;
        stored.LoadSet(held, key);
        made.LoadSet(expected, key);
        int n = FirstMissing(held, allRecords);
        if (n >= 0) {
            problem.Format("index %s, key \"%s\": names record %d, which is not stored", name,
                           (const char*)Printable(key), n);
            return problem;
        }
        held &= sample;
        n = FirstMissing(expected, held);
        if (n >= 0) {
            problem.Format("index %s, key \"%s\": record %d holds the key but is not in its set", name,
                           (const char*)Printable(key), n);
            return problem;
        }
        n = FirstMissing(held, expected);
        if (n >= 0) {
            problem.Format("index %s, key \"%s\": record %d is in its set but does not hold the key", name,
                           (const char*)Printable(key), n);
            return problem;
        }
    }
    return problem;
}

CString DBDatabase::VerifySortsAndSets()
{
    CString problem;
    for (int slot = 0; slot < kSortSlotCount; ++slot) {
        DBSortKeyTree& tree = *sortSlots[(size_t)slot];
        if (!tree.GetSpec().indexBuilt)
            continue;
        DBRecordSet sorted;
        DBSortCursor cursor(&tree);
        for (LONG n = cursor.SeekFirst(0, allRecords, TRUE); n != -1; n = cursor.Step(allRecords, TRUE))
            sorted.Set((int)n);
        const int n = FirstMissing(allRecords, sorted);
        if (n >= 0) {
            problem.Format("sort slot %d lacks record %d", slot, n);
            return problem;
        }
        if (tree.GetEntryCount() != (DWORD)allRecords.GetCount()) {
            problem.Format("sort slot %d holds %lu entries for %d records", slot,
                           (unsigned long)tree.GetEntryCount(), allRecords.GetCount());
            return problem;
        }
    }
    struct Named
    {
        CString name;
        const DBRecordSet* set;
    };
    std::vector<Named> sets = {{"marked records", &markedRecords}, {"duplicate records", &duplicateRecords}};
    for (auto& group : groups)
        sets.push_back({"group \"" + group->name.text + "\"", group.get()});
    for (const Named& named : sets) {
        const int n = FirstMissing(*named.set, allRecords);
        if (n >= 0) {
            problem.Format("%s: names record %d, which is not stored", (const char*)named.name, n);
            return problem;
        }
    }
    // The duplicate tree's sets too.
    BTreeCursor cursor(&duplicateFinder);
    for (BOOL on = cursor.MoveFirst(); on && cursor.IsOnEntry(); on = cursor.NextKey()) {
        DBRecordSet set;
        cursor.ReadObject(set);
        const int n = FirstMissing(set, allRecords);
        if (n >= 0) {
            problem.Format("duplicate key \"%s\": names record %d, which is not stored",
                           (const char*)Printable(std::string(cursor.GetKeyText())), n);
            return problem;
        }
    }
    if (groupTree.GetObjectCount() != (DWORD)groups.size() && groupTree.GetFile() == this) {
        problem.Format("the group tree holds %lu groups, %d are open", (unsigned long)groupTree.GetObjectCount(),
                       (int)groups.size());
    }
    return problem;
}
