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
    workformIndex.AddRecord(view);
    authorIndex.AddRecord(view);
    journalIndex.AddRecord(view);
    titleIndex.AddRecord(view);
    dateIndex.AddRecord(view);
    keywordIndex.AddRecord(view);
    wordIndex.AddRecord(view);
    AddRecordToSortSlots(*this, record);
    duplicateFinder.AddRecord(view, duplicates);
    change.Commit();
}

void DBDatabase::AddRecord(DBRecord& record, int32_t recordNumber)
{
    DBPendingSets::Change change(pendingSets);
    record.SetRecordNumber(recordNumber);
    recordTree.WriteBlob(record, (DWORD)recordNumber);
    allRecords.Set(recordNumber);
    AddToKeyIndexes(record, duplicateRecords);
    change.Commit();
}

void DBDatabase::UpdateRecord(DBRecord& record)
{
    DBPendingSets::Change change(pendingSets);
    const int32_t n = record.GetRecordNumber();
    DBRecord old;
    old.m_bAutoDelete = FALSE;
    ReadStoredRecord(old, n);
    recordTree.ReplaceBlob(record, (DWORD)n);
    const DBRecordSortView oldView(old, GetWorkformName(old.GetWorkformId()));
    const DBRecordSortView newView(record, GetWorkformName(record.GetWorkformId()));
    workformIndex.UpdateRecord(oldView, newView);
    authorIndex.UpdateRecord(oldView, newView);
    journalIndex.UpdateRecord(oldView, newView);
    titleIndex.UpdateRecord(oldView, newView);
    dateIndex.UpdateRecord(oldView, newView);
    keywordIndex.UpdateRecord(oldView, newView);
    wordIndex.UpdateRecord(oldView, newView);
    UpdateRecordInSortSlots(*this, old, record);
    for (DBSortIndex* index : sortIndexes) {
        if (index->GetRecordSet().Contains(n))
            index->UpdateRecord(old, record);
    }
    duplicateFinder.UpdateRecord(oldView, newView, duplicateRecords);
    change.Commit();
}

void DBDatabase::DeleteRecord(int32_t recordNumber)
{
    DBPendingSets::Change change(pendingSets);
    DBRecord old;
    old.m_bAutoDelete = FALSE;
    ReadStoredRecord(old, recordNumber);
    recordTree.DeleteBlob((DWORD)recordNumber);
    const DBRecordSortView view(old, GetWorkformName(old.GetWorkformId()));
    workformIndex.RemoveRecord(view);
    authorIndex.RemoveRecord(view);
    journalIndex.RemoveRecord(view);
    titleIndex.RemoveRecord(view);
    dateIndex.RemoveRecord(view);
    keywordIndex.RemoveRecord(view);
    wordIndex.RemoveRecord(view);
    RemoveRecordFromSortSlots(*this, old);
    for (DBSortIndex* index : sortIndexes) {
        if (index->GetRecordSet().Contains(recordNumber))
            index->RemoveRecord(old);
    }
    duplicateFinder.RemoveRecord(view, duplicateRecords);
    allRecords.Clear(recordNumber);
    markedRecords.Clear(recordNumber);
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
    // a run of nines may give one.
    for (int tries = 0; tries < 1000; ++tries) {
        DBRecordSet holders;
        DBSortCursor probe(sortSlots[0].get());
        probe.CollectEqual(next, holders);
        holders &= allRecords;
        if (holders.GetCount() == 0)
            break;
        AddToDecimalText(next, recordIdIncrement > 0 ? recordIdIncrement : 1);
    }
    return next;
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

DBRecordSet* DBDatabase::AddGroup(const char* name)
{
    // The group tree changes here: the forms kept may no longer be its own.
    ForgetGroupForms();
    std::unique_ptr<DBRecordSet> group(new DBRecordSet(name));
    char key[kTermKeySize];
    MakeGroupKey(key, name);
    groupTree.AddObject(*group, key);
    FlushGroupFile();
    DBRecordSet* added = group.release();
    InsertGroupInOrder(added);
    return added;
}

BOOL DBDatabase::SaveGroup(DBRecordSet& group)
{
    // The group tree changes here: the forms kept may no longer be its own.
    ForgetGroupForms();
    char key[kTermKeySize];
    MakeGroupKey(key, group.name.text);
    groupTree.WriteObject(group, key);
    FlushGroupFile();
    return TRUE;
}

BOOL DBDatabase::DeleteGroup(const char* name)
{
    // The group tree changes here: the forms kept may no longer be its own.
    ForgetGroupForms();
    const int i = FindGroupIndex(name);
    if (i < 0)
        return FALSE;
    std::unique_ptr<DBRecordSet> group = std::move(groups[(size_t)i]);
    groups.erase(groups.begin() + i);
    char key[kTermKeySize];
    MakeGroupKey(key, group->name.text);
    groupTree.DeleteObject(key);
    FlushGroupFile();
    return TRUE;
}

BOOL DBDatabase::RenameGroup(DBRecordSet& group, const char* newName)
{
    // The group tree changes here: the forms kept may no longer be its own.
    ForgetGroupForms();
    const int i = FindGroupIndex(group.name.text);
    if (i < 0 || groups[(size_t)i].get() != &group)
        return FALSE;
    DBRecordSet* owned = groups[(size_t)i].release();
    groups.erase(groups.begin() + i);
    char key[kTermKeySize];
    MakeGroupKey(key, owned->name.text);
    groupTree.DeleteObject(key);
    owned->name.SetPlainText(newName);
    InsertGroupInOrder(owned);
    MakeGroupKey(key, newName);
    groupTree.WriteObject(*owned, key);
    FlushGroupFile();
    return TRUE;
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
