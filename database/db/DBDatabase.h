// DBDatabase: one reference database on disk and in memory.
//
// Three paged files: the data file (this object; ".ldt", type 0x8002,
// version 1030, plain pages, at most kCachedPageLimit cached) holds the records, the groups
// and the resources; the key file (".ldx", DBKeyFile, compressed pages) holds
// every index that can be rebuilt from the records; the scratch file (a
// temporary DBKeyFile made on first use, deleted at close) holds the group
// tree of a database opened read-only and the slot trees built while the
// key file is not writable.
//
// Data-file header, as written (version 1030), after the paged header:
//   root of the record tree, root of the group tree, root of the resource
//   tree; roots of the workform, author, journal, title, date-start,
//   date-end, keyword and word trees; u16 list sort slot, u16 list
//   ascending, u32 starting record ID, u32 record-ID increment, u16 renumber
//   sort slot, u32 reserved; root of the duplicate-key tree.
// Roots are the 22-byte root descriptors of BTree::SerializeRoot. Older
// versions are read as DBDatabaseHeader.cpp documents; the header must fit
// the 1024-byte area: a title or comments that would not is refused
// (BTHeaderTooLongException) before anything is written.
//
// Resources of the data file (u32 type, u32 ID): ('RSET', 0/1/2) the all,
// marked and duplicate record sets; ('STR#', 1000/1001) the author and
// generic stop lists; ('SORT', 0) count, then each of the 54 sort slots
// (root and sort definition); ('SMOD', 0) count, then each slot's last-use
// time (u32); ('DUPE', 0) the duplicate settings; ('LSRT', 0) the language
// sort; ('Obj ', ID) objects other subsystems keep (SaveObject). A commit
// writes a table or group only when its stored form differs from the one
// this object last read or wrote, so a commit that changed nothing writes
// nothing.
//
// Every record change reaches every index in one call, in a fixed order
// (AddRecord, UpdateRecord, DeleteRecord): the seven term, word, date and
// workform indexes are one table (keyIndexes) that binding, the header's
// roots, the record changes and Verify walk. The roots of the key file's trees
// live in the data file's header, so a change of the key file is complete
// on disk only after both files were flushed: CommitFiles is the one place
// that writes both (FlushIfWritable, CommitDatabase and Close go through it).
//
// The record sets of the term, word, date and workform indexes change in
// memory (DBPendingSets) and are written at commit, when they hold more memory
// than the layer's bound, and before anything reads those trees: the
// accessors of the indexes and of the key file flush them first.
//
// Failures: each writing call (AddRecord, UpdateRecord, DeleteRecord,
// AddGroup, SaveGroup, RenameGroup, DeleteGroup) is one Change. When it
// raises it leaves nothing: the pages of both files (and of the scratch and
// sort-index files), the root descriptors, the pending sets, allRecords,
// markedRecords, the duplicate set, the groups and the open sort indexes are
// as before the call, and a close (which commits) writes the state from
// before the call. A group call commits the group tree's file as its last
// step; that commit is all or nothing on disk too.
//
// Lifetimes: cursors go before the indexes they walk, and every DBSortCursor
// (with the DBSortIndex it holds) before the database; a sort index still
// held when the database ends is detached from it, so that it never reads
// the gone database, and only deletes its scratch file when its last cursor
// goes; the broken rule is counted (GetOutlivingIndexCount: the tests' fixture
// fails a test that broke it) and traced in debug builds. No Change may be
// open when the database ends (asserted in debug builds).
//
// A database whose stored data contradict its indexes shows message 4100 and
// ends the operation with the user exception.
//
// The object reads the database defaults from the application's profile when
// it is built and when it makes a new file: an application object must exist.
#pragma once

#include "classlib/Array.h"
#include "classlib/Exceptions.h"
#include "app/core/LineStringArray.h"
#include "database/btree/BTRecordTree.h"
#include "database/btree/BTResourceTree.h"
#include "database/btree/StringKeyTree.h"
#include "database/db/DBDateIndex.h"
#include "database/db/DBKeyFile.h"
#include "database/db/DBPendingSets.h"
#include "database/db/DBRecordIndex.h"
#include "database/db/DBRecordSet.h"
#include "database/db/DBTermIndex.h"
#include "database/db/DBWordIndex.h"
#include "database/db/DBWorkformIndex.h"
#include "database/db/RecordChunkFile.h"
#include "database/search/ISearchDatabase.h"
#include "database/sort/DBDuplicateFinder.h"
#include "database/sort/DBSortKeyTree.h"
#include "database/sort/ISortIndexDatabase.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/SortKeyContext.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <memory>
#include <vector>

class CFileException;
class DBRecord;
class DBSortIndex;

// Four-character resource types, as u32 values stored little-endian.
enum DBResourceType : DWORD
{
    kResourceRecordSet = 0x54455352,  // 'RSET'
    kResourceStrings = 0x23525453,    // 'STR#'
    kResourceSortSlots = 0x534F5254,  // 'SORT'
    kResourceSortTimes = 0x534D4F44,  // 'SMOD'
    kResourceDuplicates = 0x44555045, // 'DUPE'
    kResourceLanguage = 0x4C535254,   // 'LSRT'
    kResourceObject = 0x206A624F,     // 'Obj '
};

class DBDatabase : public BTPagedFile, public ISortIndexDatabase, public ISearchDatabase
{
    DECLARE_DYNAMIC(DBDatabase)
public:
    enum
    {
        kDocumentType = 0x8002,
        kCurrentVersion = 1030,
        kFirstUpdatableVersion = 1024,
        kKeyFileVersionWithResources = 1047,
        // Data-file pages the cache may keep (48 MiB): a search reads its
        // candidates' pages again and again, and point reads of a large
        // database miss far less; the process-wide limit leaves the key file
        // and the other files more than as much again.
        kCachedPageLimit = 24576,
        kSortSlotCount = 54,
        kBuiltInSlotCount = 8, // slots 0-7: the sort orders of the record list
        kFieldSlotBase = 8,    // slot 8 the workform, 9-53 the fields 1-45
    };
    // Messages and progress texts.
    enum : UINT
    {
        IDP_DATABASE_DAMAGED = 4100,
        IDP_CONVERT_OLD_DATABASE = 5146,
        IDS_CONVERTING_DATABASE = 5147,
        IDP_KEY_FILE_MISSING = 5149,
        IDS_REBUILDING_KEY_FILE = 5150,
        IDP_UPDATE_KEY_FILE = 5151,
        IDP_UPDATE_COLLATION = 5152,
        IDS_UPDATING_VERSION = 5153,
        IDP_UPDATE_DATABASE = 5158,
        IDP_OPEN_FAILED = 61697,
    };
    // IDs of the objects the database document keeps ('Obj ', ID).
    enum : DWORD
    {
        kObjectBibliographySetup = 2000,
        kObjectSubjectSetup = 2001,
        kObjectCopyFormattedSetup = 2002,
        kObjectPreviewLayout = 2003,
        kObjectRecordListLayout = 2004,
    };

    // One change of the database, all or nothing: the pages of every file it
    // touches (one BTOperation), the pending index sets, and what it changed
    // in memory (the record sets, the groups, the tables' stored forms). A
    // Change that ends without Commit puts all of it back; so does a Commit
    // that raises. Changes nest: an inner one joins the outer, and a failure
    // inside dooms the whole (the outer Commit then raises). One database
    // change is open at a time per process, as one BTOperation is.
    class Change
    {
    public:
        explicit Change(DBDatabase& database);
        ~Change();
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;
        void Commit();
        // What puts back a step of the change; kept before the step runs,
        // so it is run only after the step may have acted. It must not raise.
        template <class F> void OnUndo(F undo)
        {
            AfxTranslateBadAlloc([&] { m_undo.emplace_back(std::move(undo)); });
        }
        // Puts the set back as it is now when the change is undone.
        void Keep(DBRecordSet& set);

    private:
        void Undo();

        DBDatabase& m_database;
        Change* m_outer;
        BOOL m_committed;
        DBPendingSets::Change m_pending; // first: its write-out is no part of the operation
        BTOperation m_operation;
        std::vector<std::function<void()>> m_undo;
        std::vector<std::unique_ptr<DBRecordSet>> m_kept;
    };

    DBDatabase();
    ~DBDatabase() override;
    // Sort indexes still held by a cursor when their database ended, over
    // the process (see Lifetimes above).
    static int GetOutlivingIndexCount();

    // ---- files: each operation also reaches the key file ----
    void SetPathName(const CString& path) override;
    // Refuses a header that would not fit (BTHeaderTooLongException) before
    // any file is touched; then makes both files, closed.
    void CreateNew() override;
    void Remove() override;
    // Copies both files; a data file at the target refuses the copy, a key
    // file alone there is replaced. A failed copy leaves no data file
    // without its key file.
    void CopyTo(const CString& newPath) override;
    // Renames both files; when the key file cannot follow, the data file is
    // renamed back and the failure raised.
    void Rename(const CString& newPath) override;
    // The data file is renamed first (refused when a file has its new name,
    // and nothing changed then); a key file at the new name, which belongs
    // to no data file, is then replaced. When the key file cannot follow,
    // the data file is renamed back.
    void RenameTo(const CString& newPath) override;
    void FlushIfWritable() override;
    BOOL IsWritable() const override;
    BOOL Exists() const override;
    void Close() override;
    void Abort() override;

    // The one commit of the database: the key file, the scratch file and the
    // data file (with its tables and header) written and flushed when writable.
    virtual void CommitFiles();

    // Hooks of the data file.
    void InitNew() override;
    void OnOpen() override;
    void OnClose() override;
    void OnAbort() override;
    void FlushBuffers() override;
    void SerializeHeader(CArchive& ar) override;
    // Whether the database may be written.
    virtual BOOL IsDatabaseWritable() const { return IsWritable(); }

    // The open sequence: version checks, update, key file opened or rebuilt.
    // FALSE when the data file cannot be opened (*pError filled); a refused
    // or failed open ends with the user exception (reported).
    BOOL OpenDatabase(UINT nOpenFlags, CFileException* pError);
    // A document opens its file object this way: the open sequence.
    BOOL OpenFile(UINT nOpenFlags, CFileException* pError) override
    {
        return OpenDatabase(nOpenFlags, pError);
    }
    // Rebuilds the key file from the records; a failure or Stop aborts the
    // data file and ends with the user exception. A data file opened
    // read-only is refused (reported) in the same way: it could not keep the
    // new trees' roots.
    void RebuildKeyFile(UINT progressTitleId);
    DBKeyFile& GetKeyFile()
    {
        FlushPendingSets();
        return keyFile;
    }
    // Writes the index sets changed in memory into the key file's trees.
    void FlushPendingSets() { pendingSets.Flush(); }
    DBPendingSets& GetPendingSets() { return pendingSets; }
    DBKeyFile& GetScratchKeyFile();

    // ---- records ----
    void ReadRecord(DBRecord& record, int32_t recordNumber) override;
    // Decodes only the wanted fields (the others are left empty).
    void ReadRecordFields(DBRecord& record, int32_t recordNumber, const FieldSet& wanted) override;
    // Each is one Change: when it raises, nothing changed (see above). A
    // number below 0 or beyond what a record set holds is refused
    // (CNotSupportedException) before anything is written; a number not
    // stored shows message 4100 (user exception) for an update or delete.
    void AddRecord(DBRecord& record, int32_t recordNumber);
    void UpdateRecord(DBRecord& record);
    void DeleteRecord(int32_t recordNumber);
    int32_t GetNextFreeRecordNumber();
    // An ID no record holds, of at most 20 characters: the highest all-digit
    // ID plus the increment (the starting ID in a database without one),
    // stepped on past IDs in use; else the lowest free all-digit ID. Raises
    // CNotSupportedException when none is left.
    CString GetNextRecordId();
    void AddRecordIdIncrement(CString& recordId);
    // A new record object read from the file (auto-deleting, no holders); NULL
    // when it cannot be read (reported). The document hands out its own.
    DBRecord* OpenRecord(int32_t recordNumber) override;
    BOOL CommitDatabase() override;
    DBDatabase* GetChangeDatabase() override { return this; }
    BOOL HoldsRecord(int32_t recordNumber) const { return allRecords.Contains(recordNumber); }
    // TRUE when another stored record has the record's duplicate key.
    BOOL FindDuplicateOf(const DBRecord& record);

    // ---- the whole-database check ----
    // Empty when the database agrees with itself, else its first
    // disagreement, with names and numbers: every tree walks whole and
    // counts what it holds; the records stored are exactly allRecords; each
    // index key's set is the set its records give (made again from every
    // record, or from every k-th one above wholeUpTo records); the built
    // sort slots hold exactly the records; the marked and duplicate sets,
    // the groups and the duplicate tree name stored records only. Writes the
    // pending index sets into their pages and changes nothing else; raises
    // only when the scratch file for the indexes made again cannot be made.
    CString Verify(int wholeUpTo = 0);

    // ---- stored objects ('Obj ', ID) ----
    BOOL LoadObject(CObject& object, DWORD id);
    void SaveObject(CObject& object, DWORD id);

    // ---- groups ----
    BOOL GroupExists(const char* name) override;
    int GetGroupCount() const { return (int)groups.size(); }
    DBRecordSet& GetGroup(int index) { return *groups[(size_t)index]; }
    void GetGroupNames(CStringArray& names, int n) const;
    DBRecordSet* FindGroup(const char* name) override;
    // Each is one Change ending with the commit of the group tree's file;
    // when it raises, nothing changed. A name is refused (NULL, FALSE) when
    // another group holds its key (stop words and case do not count: "The
    // Reviews" is "Reviews"); a rename that changes only the case is the
    // group's own. Not inside another Change.
    DBRecordSet* AddGroup(const char* name);
    BOOL SaveGroup(DBRecordSet& group);
    BOOL DeleteGroup(const char* name);
    BOOL RenameGroup(DBRecordSet& group, const char* newName);

    // ---- sorts ----
    // A sorted index of the set in the slot's order, made and built when
    // there is none equal (the database keeps it until its last cursor goes).
    DBSortIndex* FindOrCreateSortIndex(int slot, const DBRecordSet& set);
    void RemoveSortIndex(DBSortIndex* index);
    const DBSortSpec& GetSortSpec(int slot) const { return sortSlots[(size_t)slot]->GetSpec(); }
    // Sets a slot's sort definition, indexBuilt included.
    void SetSortSpec(int slot, const DBSortSpec& spec) { sortSlots[(size_t)slot]->SetSpec(spec); }
    DWORD GetSortLastUsed(int slot) const { return sortLastUsed[(size_t)slot]; }
    void SetSortLastUsed(int slot, DWORD time) { sortLastUsed[(size_t)slot] = time; }

    // ISortIndexDatabase
    const SortKeyContext& GetSortKeyContext() override { return context; }
    CString GetWorkformName(int16_t workformId) override;
    int GetSortSlotCount() override { return kSortSlotCount; }
    DBSortKeyTree& GetSortSlotTree(int slot) override { return *sortSlots[(size_t)slot]; }
    BTPagedFile* GetScratchFile() override { return &GetScratchKeyFile(); }
    void ForgetSortIndex(DBSortIndex* index) override { RemoveSortIndex(index); }
    BOOL NeedsDuplicateBuild() override;
    void AddDuplicateRecord(DBRecord& record) override;
    void ResetDuplicates() override;

    // ---- members other parts read and set ----
    DBRecordSet& GetAllRecords() override { return allRecords; }
    DBRecordSet& GetMarkedRecords() { return markedRecords; }
    DBRecordSet& GetDuplicateRecords() { return duplicateRecords; }
    CLineStringArray& GetAuthorStopList() { return authorStopList; }
    CLineStringArray& GetGenericStopList() { return genericStopList; }
    CLanguageSort& GetLanguageSort() { return languageSort; }
    // The indexes, their pending sets written.
    DBWorkformIndex& GetWorkformIndex() override { return Flushed(workformIndex); }
    DBTermIndex& GetAuthorIndex() { return Flushed(authorIndex); }
    DBTermIndex& GetJournalIndex() { return Flushed(journalIndex); }
    DBTermIndex& GetTitleIndex() { return Flushed(titleIndex); }
    DBTermIndex& GetKeywordIndex() { return Flushed(keywordIndex); }
    DBDateIndex& GetDateIndex() override { return Flushed(dateIndex); }
    DBWordIndex& GetWordIndex() override { return Flushed(wordIndex); }
    DBDuplicateFinder& GetDuplicateFinder() { return Flushed(duplicateFinder); }
    BTRecordTree& GetRecordTree() { return recordTree; }
    int32_t listSortSlot;
    int32_t listAscending;
    int32_t startingRecordId;
    int32_t recordIdIncrement;
    int32_t renumberSortSlot;
    DWORD reserved;

    // Binds every index tree, the sort slots and the duplicate finder to the
    // file (the key file, or a new one being rebuilt), the five position
    // indexes to the file's own.
    void BindKeyTrees(DBKeyFile& file);
    // Adds one record to every key-file index (not to the record tree).
    void AddToKeyIndexes(DBRecord& record, DBRecordSet& duplicates);

    // What a key-file rebuild changes in the data file's tables: put back
    // when the rebuild fails, so the old key file's trees stay reachable.
    struct KeyState
    {
        std::vector<BTRootDescriptor> roots;
        std::vector<DBSortSpec> slotSpecs;
        std::vector<DWORD> slotTimes;
        int32_t listSortSlot;
        int32_t listAscending;
        int collationVersion;
        DBRecordSet duplicates;
    };
    void SaveKeyState(KeyState& state);
    void RestoreKeyState(const KeyState& state);

private:
    // One index of the key file, as the database walks them.
    struct KeyIndex
    {
        const char* name;
        DBRecordIndex* index;
        int positionIndex; // of the key file, for its first tree; -1 for none
    };

    template <class T> T& Flushed(T& index)
    {
        FlushPendingSets();
        return index;
    }
    // Every tree whose pages are in the key file, in a fixed order, the
    // pending sets written first.
    std::vector<BTree*> GetKeyTrees();
    void BindDataTrees(BTPagedFile& file);
    void SetDefaultSlots(DWORD now, const DBSortSpec& customSort);
    void CompleteSlots(DWORD now);
    void SerializeSlotRecord(CArchive& ar, int slot);
    void SerializeSlotTable(CArchive& ar);
    void SerializeTimeTable(CArchive& ar);
    void StoreResource(CObject& object, DWORD type, DWORD id, BOOL bNew);
    // The stored forms the files hold, by table or group key: a form is
    // kept once it was read or written, and forgotten when the file may hold
    // another.
    BOOL IsStoredForm(const std::string& name, const std::vector<BYTE>& form) const;
    void ForgetGroupForms();
    void StoreTables(BOOL bNew);
    void LoadTables();
    void LoadGroups();
    void MoveGroupsToScratch();
    void WriteGroups();
    void DropTables();
    // The header layouts of the versions a data file may have.
    void SerializeIndexRoots(CArchive& ar, BOOL withJournal);
    void LoadOldSlotRecords(CArchive& ar, int count);
    void SerializeListFields(CArchive& ar);
    // Open steps.
    void OfferConversion();
    void UpdateVersion();
    BOOL OpenKeyFile(UINT nOpenFlags);
    BOOL ConfirmRebuild(UINT promptId, const CString& insert, BOOL setVersion);
    [[noreturn]] void AbandonOpen();
    // The group tree's file: the data file, or the scratch file when read-only.
    void FlushGroupFile();
    void MakeGroupKey(char* key, const char* name) const;
    void InsertGroupInOrder(DBRecordSet* group);
    int FindGroupIndex(const char* name) const;
    int FindGroupByKey(const char* key) const;
    BOOL IsRecordIdInUse(const CString& recordId);
    CString GetLowestFreeRecordId();
    void BeginGroupChange();
    CString VerifyRecords();
    CString VerifyIndexes(int wholeUpTo);
    CString CompareIndexStores(const char* name, DBPendingSets::Store& stored, DBPendingSets::Store& made,
                               const DBRecordSet& sample);
    CString VerifySortsAndSets();
    // Moves the group to the index, or (-1) to its place in name order.
    void MoveGroupTo(DBRecordSet* group, int index);
    // Every field, through the record's Serialize, unless only some are wanted.
    void ReadStoredRecord(DBRecord& record, int32_t recordNumber, const FieldSet* wanted = nullptr);

    std::vector<std::unique_ptr<DBRecordSet>> groups;
    std::map<std::string, std::vector<BYTE>> storedForms; // what the files hold, by table or group key
    DBKeyFile scratchFile;
    DBRecordSet allRecords;
    DBRecordSet markedRecords;
    DBRecordSet duplicateRecords;
    CLineStringArray authorStopList;
    CLineStringArray genericStopList;
    CLanguageSort languageSort;
    SortKeyContext context;
    DBPendingSets pendingSets;
    DBWorkformIndex workformIndex;
    DBTermIndex authorIndex;
    DBTermIndex journalIndex;
    DBTermIndex titleIndex;
    DBDateIndex dateIndex;
    DBTermIndex keywordIndex;
    DBWordIndex wordIndex;
    // The seven indexes above, in the order their roots stand in the header.
    std::vector<KeyIndex> keyIndexes;
    std::vector<DWORD> sortLastUsed;
    std::vector<std::unique_ptr<DBSortKeyTree>> sortSlots;
    std::vector<DBSortIndex*> sortIndexes; // owned by their cursors
    DBDuplicateFinder duplicateFinder;
    BTRecordTree recordTree;
    // Reads every stored record; keeps its place in the record tree between reads.
    RecordChunkFile recordReader{recordTree};
    StringKeyTree groupTree;
    BTResourceTree resourceTree;
    DBKeyFile keyFile;
    BOOL m_bScratchOpen;
    Change* m_change; // the innermost open change
};

// Converts a database too old to open into a new file the user names (the
// conversion of older files); the open path calls it after the user agreed.
// Until that conversion exists the installed converter does nothing and
// answers FALSE. Returns whether a new file was made.
typedef BOOL (*OldDatabaseConverter)(const CString& path, UINT progressTitleId, BOOL keepTitle);
OldDatabaseConverter SetOldDatabaseConverter(OldDatabaseConverter converter);
BOOL ConvertOldDatabase(const CString& path, UINT progressTitleId, BOOL keepTitle);
