#include "database/db/DBDatabase.h"

#include "app/core/ErrorReport.h"
#include "app/core/Paths.h"
#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/ArchiveFunction.h"
#include "database/db/DBRecord.h"
#include "database/db/DatabaseDefaults.h"
#include "database/db/FieldTerms.h"
#include "database/sort/DBRecordSortView.h"
#include "database/sort/DBSortIndex.h"
#include "database/text/WorkformTable.h"

#include <cstdio>
#include <ctime>

IMPLEMENT_DYNAMIC(DBDatabase, BTPagedFile)

namespace {

const char kAuthorFields[] = {1, 7, 16, 30, 0};
const char kJournalFields[] = {10, 0};
const char kTitleFields[] = {4, 9, 11, 32, 0};
const char kDateFields[] = {12, 20, 21, 0};
const char kKeywordFields[] = {45, 0};
const char kWordFields[] = {1, 4, 7, 9, 10, 11, 16, 30, 32, 45, 0};

const char kKeyExtension[] = ".ldx";

DWORD Now()
{
    return (DWORD)time(nullptr);
}

DBSortSpec MakeSpec(std::initializer_list<BYTE> codes, BOOL built)
{
    DBSortSpec spec;
    for (BYTE code : codes)
        spec.AddKey(DBSortKey(code, 1));
    spec.indexBuilt = built ? 1 : 0;
    return spec;
}

} // namespace

DBDatabase::DBDatabase()
    : listSortSlot(0), listAscending(0), startingRecordId(0), recordIdIncrement(0), renumberSortSlot(0),
      reserved(0), languageSort(langRawBytes), context(languageSort, authorStopList, genericStopList),
      authorIndex(kAuthorFields, GetNextAuthorTerm, context),
      journalIndex(kJournalFields, GetWholeFieldTerm, context),
      titleIndex(kTitleFields, GetWholeFieldTerm, context), dateIndex(kDateFields),
      keywordIndex(kKeywordFields, GetNextListTerm, context), wordIndex(kWordFields),
      keyIndexes{{"workform", &workformIndex, 0}, {"author", &authorIndex, 1}, {"journal", &journalIndex, 2},
                 {"title", &titleIndex, 3},       {"date", &dateIndex, -1},    {"keyword", &keywordIndex, 4},
                 {"word", &wordIndex, -1}},
      sortLastUsed(kSortSlotCount, 0), m_bScratchOpen(FALSE), m_change(nullptr)
{
    SetDocumentType(kDocumentType);
    SetVersion(kCurrentVersion);
    SetCachedPageLimit(kCachedPageLimit);
    keyFile.SetCompressed(TRUE);
    for (int i = 0; i < kSortSlotCount; ++i)
        sortSlots.emplace_back(new DBSortKeyTree);
    languageSort.SetLanguage(langGeneral);
    groupTree.SetLanguageSort(&languageSort);
    duplicateFinder.SetSettings(GetDefaultDuplicateSettings());
    duplicateFinder.SetPendingSets(&pendingSets);
    for (KeyIndex& entry : keyIndexes)
        entry.index->SetPendingSets(&pendingSets);
    BindDataTrees(*this);
    BindKeyTrees(keyFile);
}

namespace {
int s_outlivingIndexes = 0;
} // namespace

int DBDatabase::GetOutlivingIndexCount()
{
    return s_outlivingIndexes;
}

DBDatabase::~DBDatabase()
{
    ASSERT(m_change == nullptr);
    // Temporary indexes nobody walks any more go with the database; one still
    // held by a cursor is the cursor's to delete, and forgets the database.
    const std::vector<DBSortIndex*> indexes = sortIndexes;
    for (DBSortIndex* index : indexes) {
        if (index->refCount == 0) {
            delete index;
        } else {
            TRACE("a sort index outlives its database\n");
            ++s_outlivingIndexes;
            index->ForgetDatabase();
        }
    }
    sortIndexes.clear();
    if (IsOpen())
        Abort();
    for (auto& slot : sortSlots)
        slot->Attach(nullptr, this);
}

CString DBDatabase::GetWorkformName(int16_t workformId)
{
    return CString(GetWorkformTable().GetName(workformId));
}

// ---- binding ----

void DBDatabase::BindDataTrees(BTPagedFile& file)
{
    recordTree.Attach(&file);
    groupTree.Attach(&file);
    resourceTree.Attach(&file);
}

std::vector<BTree*> DBDatabase::GetKeyTrees()
{
    FlushPendingSets();
    std::vector<BTree*> trees;
    for (KeyIndex& entry : keyIndexes) {
        for (int i = 0; i < entry.index->GetTreeCount(); ++i)
            trees.push_back(&entry.index->GetIndexTree(i));
    }
    trees.push_back(&duplicateFinder);
    for (auto& slot : sortSlots)
        trees.push_back(slot.get());
    return trees;
}

void DBDatabase::BindKeyTrees(DBKeyFile& file)
{
    // Sets pending for the trees' old file are not the new file's.
    pendingSets.Discard();
    for (KeyIndex& entry : keyIndexes) {
        for (int i = 0; i < entry.index->GetTreeCount(); ++i)
            entry.index->GetIndexTree(i).Attach(&file);
        if (entry.positionIndex >= 0) {
            BTPositionIndex& positions = file.GetPositionIndex(entry.positionIndex);
            positions.RemoveAll();
            entry.index->GetIndexTree(0).AttachPositionIndex(&positions);
        }
    }
    for (auto& slot : sortSlots)
        slot->Attach(&file, this);
    duplicateFinder.Attach(&file, &context);
}

void DBDatabase::SaveKeyState(KeyState& state)
{
    state.roots.clear();
    for (BTree* tree : GetKeyTrees())
        state.roots.push_back(tree->GetRootDescriptor());
    state.slotSpecs.clear();
    for (auto& slot : sortSlots)
        state.slotSpecs.push_back(slot->GetSpec());
    state.slotTimes = sortLastUsed;
    state.listSortSlot = listSortSlot;
    state.listAscending = listAscending;
    state.collationVersion = languageSort.GetStoredCollationVersion();
    state.duplicates = duplicateRecords;
}

void DBDatabase::RestoreKeyState(const KeyState& state)
{
    BindKeyTrees(keyFile);
    const std::vector<BTree*> trees = GetKeyTrees();
    for (size_t i = 0; i < trees.size() && i < state.roots.size(); ++i)
        trees[i]->SetRootDescriptor(state.roots[i]);
    for (size_t i = 0; i < sortSlots.size() && i < state.slotSpecs.size(); ++i)
        sortSlots[i]->SetSpec(state.slotSpecs[i]);
    sortLastUsed = state.slotTimes;
    listSortSlot = state.listSortSlot;
    listAscending = state.listAscending;
    languageSort.SetStoredCollationVersion(state.collationVersion);
    duplicateRecords = state.duplicates;
}

// ---- files ----

void DBDatabase::SetPathName(const CString& path)
{
    BTPagedFile::SetPathName(path);
    keyFile.SetPathName(ReplaceExtension(path, kKeyExtension));
}

void DBDatabase::CreateNew()
{
    // Both headers are measured before either file is touched.
    BYTE image[headerAreaSize];
    BuildHeaderImage(image);
    keyFile.GetTitleText() = GetTitleText();
    keyFile.GetCommentsText() = GetCommentsText();
    BTPagedFile::CreateNew();
    keyFile.CreateNew();
}

void DBDatabase::Remove()
{
    BTPagedFile::Remove();
    keyFile.Remove();
}

namespace {

// A key file at the path of a data file that did not exist belongs to no
// database: it goes, so that the new one can take its place.
void RemoveStaleKeyFile(const CString& keyPath)
{
    CFileStatus status;
    if (CFile::GetStatus(keyPath, status))
        CFile::Remove(keyPath);
}

void RemoveQuietly(const CString& path)
{
    try {
        CFile::Remove(path);
    } catch (CException* e) {
        e->Delete();
    }
}

} // namespace

void DBDatabase::CopyTo(const CString& newPath)
{
    // The data file's copy refuses an existing file: only past it is a key
    // file at the target known to be stale. A failure leaves no data file
    // without its key file.
    BTPagedFile::CopyTo(newPath);
    const CString newKeyPath = ReplaceExtension(newPath, kKeyExtension);
    try {
        RemoveStaleKeyFile(newKeyPath);
        keyFile.CopyTo(newKeyPath);
    } catch (CException*) {
        RemoveQuietly(newPath);
        throw;
    }
}

void DBDatabase::Rename(const CString& newPath)
{
    const CString oldPath = GetPathName();
    BTPagedFile::Rename(newPath);
    try {
        keyFile.Rename(ReplaceExtension(newPath, kKeyExtension));
    } catch (CException*) {
        // Never a data file under one name and its key file under another.
        CFile::Rename(newPath, oldPath);
        m_path = oldPath;
        throw;
    }
}

void DBDatabase::RenameTo(const CString& newPath)
{
    // The data file moves first: a rename refused (a file of that name
    // exists) then changes nothing, and a key file at the target is stale.
    const CString newKeyPath = ReplaceExtension(newPath, kKeyExtension);
    BTPagedFile::RenameTo(newPath);
    try {
        RemoveStaleKeyFile(newKeyPath);
        keyFile.RenameTo(newKeyPath);
    } catch (CException*) {
        CFile::Rename(newPath, GetPathName());
        throw;
    }
}

void DBDatabase::CommitFiles()
{
    // The tables of both files are written into their pages first; then the
    // pages of both files reach the disk as one commit, so a key file is never
    // newer or older than its data file after a crash.
    if (keyFile.IsOpen() && keyFile.IsWritable())
        pendingSets.Flush();
    if (IsOpen() && BTPagedFile::IsWritable()) {
        StoreTables(FALSE);
        WriteGroups();
    }
    keyFile.StoreTablesForCommit();
    // The commit has forced both files to disk: no second flush of the handles.
    BTPagedFile::FlushPagesTogether(*this, keyFile);
    if (m_bScratchOpen && scratchFile.IsOpen())
        scratchFile.FlushIfWritable();
}

void DBDatabase::FlushIfWritable()
{
    CommitFiles();
}

BOOL DBDatabase::CommitDatabase()
{
    try {
        CommitFiles();
        return TRUE;
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
        return FALSE;
    }
}

BOOL DBDatabase::IsWritable() const
{
    return BTPagedFile::IsWritable() && keyFile.IsWritable();
}

BOOL DBDatabase::Exists() const
{
    return BTPagedFile::Exists() && keyFile.Exists();
}

void DBDatabase::Close()
{
    // The commit is the only write of a close: the files are clean after it
    // and are closed without a flush of their own.
    if (IsOpen())
        CommitFiles();
    if (m_bScratchOpen) {
        m_bScratchOpen = FALSE;
        if (scratchFile.IsOpen())
            scratchFile.Abort();
        try {
            CFile::Remove(scratchFile.GetPathName());
        } catch (CException* e) {
            e->Delete();
        }
    }
    if (IsOpen())
        BTPagedFile::Abort();
    if (keyFile.IsOpen())
        keyFile.Abort();
}

void DBDatabase::Abort()
{
    pendingSets.Discard();
    if (m_bScratchOpen) {
        m_bScratchOpen = FALSE;
        scratchFile.Abort();
        try {
            CFile::Remove(scratchFile.GetPathName());
        } catch (CException* e) {
            e->Delete();
        }
    }
    BTPagedFile::Abort();
    keyFile.Abort();
}

DBKeyFile& DBDatabase::GetScratchKeyFile()
{
    if (!m_bScratchOpen || !scratchFile.IsOpen()) {
        scratchFile.SetPathName(MakeTempFileName());
        scratchFile.CreateNew();
        CFileException error;
        if (!scratchFile.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error))
            AfxThrowFileException(error.m_cause, error.m_lOsError, scratchFile.GetPathName());
        m_bScratchOpen = TRUE;
    }
    return scratchFile;
}

// ---- tables ----

void DBDatabase::SetDefaultSlots(DWORD now, const DBSortSpec& customSort)
{
    const BYTE author = sortFieldAuthor, title = sortFieldTitle, date = sortFieldDate;
    const DBSortSpec builtIn[kBuiltInSlotCount - 1] = {
        MakeSpec({sortFieldRecordId}, TRUE),
        MakeSpec({author, title, date}, TRUE),
        MakeSpec({author, date, title}, FALSE),
        MakeSpec({sortFieldAuthorTitle, title, date}, FALSE),
        MakeSpec({title, date}, FALSE),
        MakeSpec({date, author, title}, FALSE),
        MakeSpec({sortFieldCallNumber, author, title}, FALSE),
    };
    for (int i = 0; i < kBuiltInSlotCount - 1; ++i)
        sortSlots[(size_t)i]->SetSpec(builtIn[i]);
    DBSortSpec custom;
    custom = customSort;
    custom.indexBuilt = 0;
    sortSlots[7]->SetSpec(custom);
    sortSlots[8]->SetSpec(MakeSpec({sortFieldWorkform}, FALSE));
    for (int i = kFieldSlotBase + 1; i < kSortSlotCount; ++i)
        sortSlots[(size_t)i]->SetSpec(MakeSpec({(BYTE)(i - kFieldSlotBase)}, FALSE));
    for (DWORD& time : sortLastUsed)
        time = now;
}

void DBDatabase::CompleteSlots(DWORD now)
{
    sortLastUsed.resize(kSortSlotCount, 0);
    if (sortSlots[7]->GetSpec().keyCount == 0) {
        DBSortSpec custom;
        custom = DatabaseSettings::CustomSort.Get();
        custom.indexBuilt = 0;
        sortSlots[7]->SetSpec(custom);
        sortLastUsed[7] = now;
    }
    for (int i = kFieldSlotBase; i < kSortSlotCount; ++i) {
        if (sortSlots[(size_t)i]->GetSpec().keyCount != 0)
            continue;
        const BYTE code = i == kFieldSlotBase ? (BYTE)sortFieldWorkform : (BYTE)(i - kFieldSlotBase);
        sortSlots[(size_t)i]->SetSpec(MakeSpec({code}, FALSE));
        sortLastUsed[(size_t)i] = now;
    }
}

void DBDatabase::SerializeSlotTable(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount(kSortSlotCount);
        for (auto& slot : sortSlots)
            slot->SerializeRoot(ar);
        return;
    }
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count; ++i) {
        if (i < (DWORD)kSortSlotCount) {
            sortSlots[i]->SerializeRoot(ar);
        } else {
            DBSortKeyTree dropped;
            dropped.SerializeRoot(ar);
        }
    }
}

void DBDatabase::SerializeTimeTable(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar.WriteCount((DWORD)sortLastUsed.size());
        for (DWORD time : sortLastUsed)
            ar << time;
        return;
    }
    const DWORD count = ar.ReadCount();
    for (DWORD i = 0; i < count; ++i) {
        DWORD time;
        ar >> time;
        if (i < (DWORD)kSortSlotCount)
            sortLastUsed[i] = time;
    }
}

namespace {

std::string ResourceName(DWORD type, DWORD id)
{
    char name[24];
    std::snprintf(name, sizeof name, "%08lx:%lu", (unsigned long)type, (unsigned long)id);
    return name;
}

} // namespace

BOOL DBDatabase::IsStoredForm(const std::string& name, const std::vector<BYTE>& form) const
{
    auto found = storedForms.find(name);
    return found != storedForms.end() && found->second == form;
}

void DBDatabase::ForgetGroupForms()
{
    for (auto it = storedForms.begin(); it != storedForms.end();)
        it = it->first.compare(0, 6, "group:") == 0 ? storedForms.erase(it) : std::next(it);
}

void DBDatabase::StoreResource(CObject& object, DWORD type, DWORD id, BOOL bNew)
{
    const std::string name = ResourceName(type, id);
    std::vector<BYTE> form = StoredForm(object);
    if (!bNew && IsStoredForm(name, form))
        return;
    if (bNew)
        resourceTree.WriteObject(object, type, id);
    else
        resourceTree.ReplaceObject(object, type, id);
    // Kept only once written: a failed write is tried again by the next commit.
    storedForms[name] = std::move(form);
}

void DBDatabase::StoreTables(BOOL bNew)
{
    StoreResource(allRecords, kResourceRecordSet, 0, bNew);
    StoreResource(markedRecords, kResourceRecordSet, 1, bNew);
    StoreResource(duplicateRecords, kResourceRecordSet, 2, bNew);
    StoreResource(authorStopList, kResourceStrings, 1000, bNew);
    StoreResource(genericStopList, kResourceStrings, 1001, bNew);
    ArchiveFunction slots([this](CArchive& ar) { SerializeSlotTable(ar); });
    StoreResource(slots, kResourceSortSlots, 0, bNew);
    ArchiveFunction times([this](CArchive& ar) { SerializeTimeTable(ar); });
    StoreResource(times, kResourceSortTimes, 0, bNew);
    DuplicateSettings settings = duplicateFinder.GetSettings();
    StoreResource(settings, kResourceDuplicates, 0, bNew);
    StoreResource(languageSort, kResourceLanguage, 0, bNew);
}

void DBDatabase::InitNew()
{
    BTPagedFile::InitNew();
    storedForms.clear();
    BindDataTrees(*this);
    BindKeyTrees(keyFile);
    DatabaseDefaults defaults;
    ReadDatabaseDefaults(defaults);
    allRecords.RemoveAll();
    markedRecords.RemoveAll();
    duplicateRecords.RemoveAll();
    authorStopList = defaults.authorStopList;
    genericStopList = defaults.genericStopList;
    SetDefaultSlots(Now(), defaults.customSort);
    duplicateFinder.SetSettings(defaults.duplicateSettings);
    listSortSlot = 1;
    listAscending = 1;
    languageSort.SetLanguage(defaults.languageSortId);
    languageSort.SetStoredCollationVersion(languageSort.GetCollationVersion());
    startingRecordId = defaults.startingRecordId;
    recordIdIncrement = defaults.recordIdIncrement;
    renumberSortSlot = 0;
    reserved = 0;
    StoreTables(TRUE);
}

void DBDatabase::LoadTables()
{
    // A resource that cannot be read whole is taken as far as it was read;
    // the form of one read whole is what the file holds.
    auto ReadResource = [this](BTResourceTree& tree, CObject& object, DWORD type, DWORD id) {
        try {
            if (tree.ReadObject(object, type, id))
                storedForms[ResourceName(type, id)] = StoredForm(object);
        } catch (CArchiveException* e) {
            e->Delete();
        }
    };
    ReadResource(resourceTree, allRecords, kResourceRecordSet, 0);
    ReadResource(resourceTree, markedRecords, kResourceRecordSet, 1);
    ReadResource(resourceTree, duplicateRecords, kResourceRecordSet, 2);
    ReadResource(resourceTree, authorStopList, kResourceStrings, 1000);
    ReadResource(resourceTree, genericStopList, kResourceStrings, 1001);
    ArchiveFunction slots([this](CArchive& ar) { SerializeSlotTable(ar); });
    ReadResource(resourceTree, slots, kResourceSortSlots, 0);
    ArchiveFunction times([this](CArchive& ar) { SerializeTimeTable(ar); });
    ReadResource(resourceTree, times, kResourceSortTimes, 0);
    CompleteSlots(Now());
    DuplicateSettings settings = duplicateFinder.GetSettings();
    ReadResource(resourceTree, settings, kResourceDuplicates, 0);
    duplicateFinder.SetSettings(settings);
    LoadGroups();
    ReadResource(resourceTree, languageSort, kResourceLanguage, 0);
}

void DBDatabase::LoadGroups()
{
    BTreeCursor cursor(&groupTree);
    const DWORD count = groupTree.GetObjectCount();
    const StringKeyTree::ObjectKey unused("");
    BOOL onEntry = cursor.MoveFirst();
    for (DWORD i = 0; i < count && onEntry; ++i) {
        std::unique_ptr<DBRecordSet> group(new DBRecordSet);
        if (!BTChunkedObject(groupTree, unused).ReadAt(cursor, *group))
            break;
        char key[kTermKeySize];
        MakeGroupKey(key, group->name.text);
        storedForms[std::string("group:") + key] = StoredForm(*group);
        groups.push_back(std::move(group));
        onEntry = cursor.IsOnEntry();
    }
}

void DBDatabase::MoveGroupsToScratch()
{
    DBKeyFile& scratch = GetScratchKeyFile();
    groupTree.Attach(&scratch);
    ForgetGroupForms();
    WriteGroups();
    scratch.FlushIfWritable();
}

void DBDatabase::OnOpen()
{
    BindDataTrees(*this);
    BindKeyTrees(keyFile);
    BTPagedFile::OnOpen();
    LoadTables();
    if (!BTPagedFile::IsWritable())
        MoveGroupsToScratch();
}

void DBDatabase::WriteGroups()
{
    char key[kTermKeySize];
    for (auto& group : groups) {
        MakeGroupKey(key, group->name.text);
        const std::string name = std::string("group:") + key;
        std::vector<BYTE> form = StoredForm(*group);
        if (IsStoredForm(name, form))
            continue;
        groupTree.WriteObject(*group, key);
        storedForms[name] = std::move(form);
    }
}

void DBDatabase::FlushBuffers()
{
    if (!IsOpen() || !BTPagedFile::IsWritable())
        return;
    StoreTables(FALSE);
    WriteGroups();
    BTPagedFile::FlushBuffers();
}

void DBDatabase::DropTables()
{
    allRecords.RemoveAll();
    markedRecords.RemoveAll();
    duplicateRecords.RemoveAll();
    authorStopList.RemoveAll();
    genericStopList.RemoveAll();
    groups.clear();
    storedForms.clear();
    BindDataTrees(*this);
}

void DBDatabase::OnClose()
{
    BTPagedFile::OnClose();
    DropTables();
}

void DBDatabase::OnAbort()
{
    pendingSets.Discard();
    BTPagedFile::OnAbort();
    DropTables();
}

// ---- stored objects ----

BOOL DBDatabase::LoadObject(CObject& object, DWORD id)
{
    return resourceTree.ReadObject(object, kResourceObject, id);
}

void DBDatabase::SaveObject(CObject& object, DWORD id)
{
    resourceTree.ReplaceObject(object, kResourceObject, id);
}

// ---- duplicates as the slot builder sees them ----

BOOL DBDatabase::NeedsDuplicateBuild()
{
    pendingSets.Flush();
    return duplicateFinder.GetSettings().fieldCount > 0 && duplicateFinder.GetEntryCount() == 0;
}

void DBDatabase::AddDuplicateRecord(DBRecord& record)
{
    DBPendingSets::Change change(pendingSets);
    const DBRecordSortView view(record, GetWorkformName(record.GetWorkformId()));
    duplicateFinder.AddRecord(view, duplicateRecords);
    change.Commit();
}

void DBDatabase::ResetDuplicates()
{
    duplicateFinder.RemoveAllSets();
    duplicateRecords.RemoveAll();
    DuplicateSettings none;
    duplicateFinder.SetSettings(none);
}

// ---- conversion of older files ----

namespace {

BOOL NoConversion(const CString&, UINT, BOOL)
{
    return FALSE;
}

OldDatabaseConverter g_converter = NoConversion;

} // namespace

OldDatabaseConverter SetOldDatabaseConverter(OldDatabaseConverter converter)
{
    OldDatabaseConverter previous = g_converter;
    g_converter = converter ? converter : NoConversion;
    return previous;
}

BOOL ConvertOldDatabase(const CString& path, UINT progressTitleId, BOOL keepTitle)
{
    return g_converter(path, progressTitleId, keepTitle);
}
