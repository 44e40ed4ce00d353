// Record storage, record IDs, groups and sorted indexes of DBDatabase.
#include "database/db/DBDatabase.h"

#include "app/core/ErrorReport.h"
#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "database/db/DBRecord.h"
#include "database/db/FieldSet.h"
#include "database/db/FieldTerms.h"
#include "database/db/RecordChunkFile.h"
#include "database/db/RecordId.h"
#include "database/sort/DBRecordSortView.h"
#include "database/sort/DBSortCursor.h"
#include "database/sort/DBSortIndex.h"
#include "database/sort/SortSlotUpkeep.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <cstring>

namespace {

const char kHighestAllDigitId[] = "99999999999999999999";
// Room for one chunk and more: the chunk file hands out a chunk per read.
const UINT kChunkArchiveBuffer = 512;

// The all-digit record ID whose padded key part this is, or empty when the
// part is not the 20 digits of one.
CString AllDigitIdOfPart(const BYTE* key)
{
    const char* part = reinterpret_cast<const char*>(key + 1);
    const size_t length = strnlen(part, key[0]);
    if (length != DBSortKeyBuilder::kRecordIdDigits)
        return CString();
    for (size_t i = 0; i < length; ++i) {
        if (part[i] < '0' || part[i] > '9')
            return CString();
    }
    size_t first = 0;
    while (first < length && part[first] == '0')
        ++first;
    return CString(part + first, (int)(length - first));
}

} // namespace

// ---- records ----

// The record's chunks go straight from their pages into the decoding, as it
// asks for them: no copy of the whole stream is made, and a test of the first
// fields never reads the rest of the record. The reader starts where the last
// record ended, so records read in ascending order rarely need the root.
void DBDatabase::ReadStoredRecord(DBRecord& record, int32_t recordNumber, const FieldSet* wanted)
{
    struct Finisher {
        RecordChunkFile& file;
        ~Finisher() { file.Finish(); }
    } finisher{recordReader};
    if (recordNumber < 0 || !recordReader.Start((DWORD)recordNumber))
        ShowErrorAndAbort(IDP_DATABASE_DAMAGED);
    {
        CArchive ar(&recordReader, CArchive::load | CArchive::bNoFlushOnDelete, kChunkArchiveBuffer);
        if (wanted)
            record.LoadFields(ar, *wanted);
        else
            record.Serialize(ar);
        ar.Close();
    }
    record.SetRecordNumber(recordNumber);
}

void DBDatabase::ReadRecord(DBRecord& record, int32_t recordNumber)
{
    ReadStoredRecord(record, recordNumber);
}

void DBDatabase::ReadRecordFields(DBRecord& record, int32_t recordNumber, const FieldSet& wanted)
{
    ReadStoredRecord(record, recordNumber, &wanted);
}

void DBDatabase::AddToKeyIndexes(DBRecord& record, DBRecordSet& duplicates)
{
    DBPendingSets::Change change(pendingSets);
    const DBRecordSortView view(record, GetWorkformName(record.GetWorkformId()));
    for (KeyIndex& entry : keyIndexes)
        entry.index->AddRecord(view);
    AddRecordToSortSlots(*this, record);
    duplicateFinder.AddRecord(view, duplicates);
    change.Commit();
}

// Each record change is one Change: the record tree, every key-file tree,
// the open sort indexes, the pending sets and the record sets in memory end
// as they were when a step raises. Steps on memory come last where they
// cannot fail, and are kept for undoing where they can.

void DBDatabase::AddRecord(DBRecord& record, int32_t recordNumber)
{
    // A number no record set can hold is refused before anything is written.
    if (recordNumber < 0 || recordNumber >= (int32_t)DBRecordSet::maxBlocks * DBRecordSetBlock::records)
        AfxThrowNotSupportedException();
    Change change(*this);
    record.SetRecordNumber(recordNumber);
    const int blocks = allRecords.GetBlockCount();
    change.OnUndo([this, recordNumber, blocks] {
        allRecords.Clear(recordNumber);
        allRecords.DropBlocksFrom(blocks);
    });
    allRecords.Set(recordNumber);
    recordTree.WriteBlob(record, (DWORD)recordNumber);
    change.Keep(duplicateRecords);
    AddToKeyIndexes(record, duplicateRecords);
    change.Commit();
}

void DBDatabase::UpdateRecord(DBRecord& record)
{
    Change change(*this);
    const int32_t n = record.GetRecordNumber();
    DBRecord old;
    old.m_bAutoDelete = FALSE;
    ReadStoredRecord(old, n);
    recordTree.ReplaceBlob(record, (DWORD)n);
    const DBRecordSortView oldView(old, GetWorkformName(old.GetWorkformId()));
    const DBRecordSortView newView(record, GetWorkformName(record.GetWorkformId()));
    for (KeyIndex& entry : keyIndexes)
        entry.index->UpdateRecord(oldView, newView);
    UpdateRecordInSortSlots(*this, old, record);
    for (DBSortIndex* index : sortIndexes) {
        if (index->GetRecordSet().Contains(n))
            index->UpdateRecord(old, record);
    }
    change.Keep(duplicateRecords);
    duplicateFinder.UpdateRecord(oldView, newView, duplicateRecords);
    change.Commit();
}

void DBDatabase::DeleteRecord(int32_t recordNumber)
{
    Change change(*this);
    DBRecord old;
    old.m_bAutoDelete = FALSE;
    ReadStoredRecord(old, recordNumber);
    recordTree.DeleteBlob((DWORD)recordNumber);
    const DBRecordSortView view(old, GetWorkformName(old.GetWorkformId()));
    for (KeyIndex& entry : keyIndexes)
        entry.index->RemoveRecord(view);
    RemoveRecordFromSortSlots(*this, old);
    for (DBSortIndex* index : sortIndexes) {
        if (index->GetRecordSet().Contains(recordNumber))
            index->RemoveRecord(old);
    }
    change.Keep(duplicateRecords);
    duplicateFinder.RemoveRecord(view, duplicateRecords);
    // Clearing a member neither allocates nor raises: the sets that held
    // the record get it back by Set without growing.
    std::vector<DBRecordSet*> holders;
    AfxTranslateBadAlloc([&] {
        for (DBRecordSet* set : {&allRecords, &markedRecords})
            if (set->Contains(recordNumber))
                holders.push_back(set);
        for (auto& group : groups)
            if (group->Contains(recordNumber))
                holders.push_back(group.get());
    });
    change.OnUndo([held = std::move(holders), recordNumber] {
        for (DBRecordSet* set : held)
            set->Set(recordNumber);
    });
    for (DBRecordSet* set : {&allRecords, &markedRecords})
        set->Clear(recordNumber);
    for (auto& group : groups)
        group->Clear(recordNumber);
    change.Commit();
}

int32_t DBDatabase::GetNextFreeRecordNumber()
{
    return allRecords.FindFirstFree();
}

void DBDatabase::AddRecordIdIncrement(CString& recordId)
{
    AddToDecimalText(recordId, recordIdIncrement);
}

BOOL DBDatabase::IsRecordIdInUse(const CString& recordId)
{
    DBRecordSet holders;
    DBSortCursor probe(sortSlots[0].get());
    probe.CollectEqual(recordId, holders);
    holders &= allRecords;
    return holders.GetCount() != 0;
}

CString DBDatabase::GetLowestFreeRecordId()
{
    // The record-ID slot orders all-digit IDs by their value (padded to 20
    // digits); other IDs lie between them and are passed over.
    unsigned long long lowest = 1;
    DBSortCursor cursor(sortSlots[0].get());
    BYTE key[DBSortKeyBuilder::kMaxKeySize];
    for (LONG record = cursor.SeekFirst(0, allRecords, TRUE); record != -1;
         record = cursor.Step(allRecords, TRUE)) {
        if (!cursor.GetCurrentKey(key))
            break;
        const CString digits = AllDigitIdOfPart(key);
        if (digits.IsEmpty() || digits.GetLength() > 19)
            continue;
        const unsigned long long value = std::strtoull(digits, nullptr, 10);
        if (value > lowest)
            break;
        if (value == lowest)
            ++lowest;
    }
    // Beyond 19 digits the walk would need more records than a database holds.
    if (lowest > 9999999999999999999ull)
        AfxThrowNotSupportedException();
    CString id;
    id.Format("%llu", lowest);
    return id;
}

CString DBDatabase::GetNextRecordId()
{
    // The highest all-digit ID lies at or below the key of twenty nines;
    // IDs such as "12b" may sort between, so the walk goes back past them.
    DBSortCursor cursor(sortSlots[0].get());
    CString next;
    if (!cursor.SeekTextExact(kHighestAllDigitId)) {
        BYTE key[DBSortKeyBuilder::kMaxKeySize];
        for (LONG record = cursor.Step(allRecords, FALSE); record != -1;
             record = cursor.Step(allRecords, FALSE)) {
            if (!cursor.GetCurrentKey(key))
                break;
            const CString digits = AllDigitIdOfPart(key);
            if (digits.IsEmpty())
                continue;
            next = digits;
            AddRecordIdIncrement(next);
            break;
        }
    }
    if (next.IsEmpty())
        next.Format("%d", (int)startingRecordId);
    // Never an ID in use: a start below the highest ID, an increment of 0 or
    // a run of nines may give one. An ID is at most 20 digits: past them, or
    // after as many tries, the lowest free one is given.
    for (int tries = 0; tries < 1000; ++tries) {
        if (next.GetLength() > (int)DBSortKeyBuilder::kRecordIdDigits)
            break;
        if (!IsRecordIdInUse(next))
            return next;
        AddToDecimalText(next, recordIdIncrement > 0 ? recordIdIncrement : 1);
    }
    return GetLowestFreeRecordId();
}

DBRecord* DBDatabase::OpenRecord(int32_t recordNumber)
{
    DBRecord* record = new DBRecord;
    try {
        ReadStoredRecord(*record, recordNumber);
        return record;
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        delete record;
        return nullptr;
    }
}

BOOL DBDatabase::FindDuplicateOf(const DBRecord& record)
{
    const DBRecordSortView view(record, GetWorkformName(record.GetWorkformId()));
    return duplicateFinder.FindDuplicateOf(view);
}

// ---- groups ----

void DBDatabase::MakeGroupKey(char* key, const char* name) const
{
    MakeTermIndexKey(key, name, languageSort, genericStopList);
}

void DBDatabase::FlushGroupFile()
{
    BTPagedFile* file = groupTree.GetFile();
    if (file == this)
        CommitFiles();
    else if (file)
        file->FlushIfWritable();
}

BOOL DBDatabase::GroupExists(const char* name)
{
    char wanted[kTermKeySize];
    MakeGroupKey(wanted, name);
    char key[kTermKeySize];
    for (auto& group : groups) {
        MakeGroupKey(key, group->name.text);
        if (std::strcmp(key, wanted) == 0)
            return TRUE;
    }
    return FALSE;
}

void DBDatabase::GetGroupNames(CStringArray& names, int n) const
{
    for (size_t i = 0; i < groups.size() && (int)i < n; ++i)
        names.Add(groups[i]->name.text);
}

int DBDatabase::FindGroupIndex(const char* name) const
{
    for (size_t i = 0; i < groups.size(); ++i) {
        if (groups[i]->name.text.CompareNoCase(name) == 0)
            return (int)i;
    }
    return -1;
}

DBRecordSet* DBDatabase::FindGroup(const char* name)
{
    const int i = FindGroupIndex(name);
    return i < 0 ? nullptr : groups[(size_t)i].get();
}

void DBDatabase::InsertGroupInOrder(DBRecordSet* group)
{
    auto at = std::find_if(groups.begin(), groups.end(), [group](const std::unique_ptr<DBRecordSet>& other) {
        return other->name.text.CompareNoCase(group->name.text) > 0;
    });
    groups.emplace(at, group);
}

int DBDatabase::FindGroupByKey(const char* key) const
{
    char other[kTermKeySize];
    for (size_t i = 0; i < groups.size(); ++i) {
        MakeGroupKey(other, groups[i]->name.text);
        if (std::strcmp(other, key) == 0)
            return (int)i;
    }
    return -1;
}

// A group call is one outermost Change that ends with the commit of the
// group tree's file. The pending index sets are written before it opens, so
// its commit writes no index set a rollback would have to mark again.
void DBDatabase::BeginGroupChange()
{
    ASSERT(m_change == nullptr);
    FlushPendingSets();
    // The group tree changes here: the forms kept may no longer be its own.
    ForgetGroupForms();
}

DBRecordSet* DBDatabase::AddGroup(const char* name)
{
    char key[kTermKeySize];
    MakeGroupKey(key, name);
    // Two groups under one key would be one group in the tree.
    if (FindGroupByKey(key) >= 0)
        return nullptr;
    BeginGroupChange();
    Change change(*this);
    std::unique_ptr<DBRecordSet> group(new DBRecordSet(name));
    groupTree.AddObject(*group, key);
    AfxTranslateBadAlloc([&] { groups.reserve(groups.size() + 1); });
    DBRecordSet* added = group.release();
    change.OnUndo([this, added] {
        groups.erase(std::find_if(groups.begin(), groups.end(),
                                  [added](const std::unique_ptr<DBRecordSet>& g) { return g.get() == added; }));
    });
    InsertGroupInOrder(added);
    FlushGroupFile();
    change.Commit();
    return added;
}

BOOL DBDatabase::SaveGroup(DBRecordSet& group)
{
    BeginGroupChange();
    Change change(*this);
    char key[kTermKeySize];
    MakeGroupKey(key, group.name.text);
    groupTree.WriteObject(group, key);
    FlushGroupFile();
    change.Commit();
    return TRUE;
}

BOOL DBDatabase::DeleteGroup(const char* name)
{
    const int i = FindGroupIndex(name);
    if (i < 0)
        return FALSE;
    BeginGroupChange();
    std::unique_ptr<DBRecordSet> removed; // goes after the change
    Change change(*this);
    char key[kTermKeySize];
    MakeGroupKey(key, groups[(size_t)i]->name.text);
    groupTree.DeleteObject(key);
    // The vector keeps its capacity: putting the group back allocates nothing.
    change.OnUndo([this, i, &removed] { groups.emplace(groups.begin() + i, removed.release()); });
    removed = std::move(groups[(size_t)i]);
    groups.erase(groups.begin() + i);
    FlushGroupFile();
    change.Commit();
    return TRUE;
}

BOOL DBDatabase::RenameGroup(DBRecordSet& group, const char* newName)
{
    const int i = FindGroupIndex(group.name.text);
    if (i < 0 || groups[(size_t)i].get() != &group)
        return FALSE;
    char oldKey[kTermKeySize], newKey[kTermKeySize];
    MakeGroupKey(oldKey, group.name.text);
    MakeGroupKey(newKey, newName);
    // A new name whose key another group holds would replace that group;
    // the same key (a change of case) stays the group's own.
    const int holder = FindGroupByKey(newKey);
    if (holder >= 0 && holder != i)
        return FALSE;
    BeginGroupChange();
    Change change(*this);
    DBRecordSet renamed(group);
    renamed.name.SetPlainText(newName);
    if (std::strcmp(oldKey, newKey) != 0)
        groupTree.DeleteObject(oldKey);
    groupTree.WriteObject(renamed, newKey);
    auto oldName = std::make_shared<StyledString>(group.name);
    change.OnUndo([this, &group, i, oldName] {
        group.name = *oldName;
        MoveGroupTo(&group, i);
    });
    group.name = renamed.name;
    MoveGroupTo(&group, -1);
    FlushGroupFile();
    change.Commit();
    return TRUE;
}

void DBDatabase::MoveGroupTo(DBRecordSet* group, int index)
{
    auto from = std::find_if(groups.begin(), groups.end(),
                             [group](const std::unique_ptr<DBRecordSet>& g) { return g.get() == group; });
    auto to = index >= 0 ? groups.begin() + index
                         : std::find_if(groups.begin(), groups.end(), [group](const std::unique_ptr<DBRecordSet>& g) {
                               return g.get() != group && g->name.text.CompareNoCase(group->name.text) > 0;
                           });
    // Rotations move the owners without allocating.
    if (to > from)
        std::rotate(from, from + 1, index >= 0 ? to + 1 : to);
    else
        std::rotate(to, from, from + 1);
}

// ---- sorted indexes ----

DBSortIndex* DBDatabase::FindOrCreateSortIndex(int slot, const DBRecordSet& set)
{
    const DBSortSpec& spec = sortSlots[(size_t)slot]->GetSpec();
    for (DBSortIndex* index : sortIndexes) {
        if (index->GetSpec() == spec && index->GetRecordSet() == set)
            return index;
    }
    std::unique_ptr<DBSortIndex> index(new DBSortIndex(this, set, spec));
    index->OpenScratchFile();
    index->Build();
    sortIndexes.push_back(index.get());
    index->deleteWhenReleased = 1;
    return index.release();
}

void DBDatabase::RemoveSortIndex(DBSortIndex* index)
{
    sortIndexes.erase(std::remove(sortIndexes.begin(), sortIndexes.end(), index), sortIndexes.end());
}
