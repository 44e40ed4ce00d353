// DBDocument: the document of one open database file, without its windows.
//
// It embeds the database (which is also its file object, so opening,
// closing and the read-only state are the data file's), hands out record
// objects through its record template, decides how a record set is sorted
// (the slot's kept index, or a temporary index for a small set), ages the
// kept sort indexes, and keeps the per-database setup objects under their
// 'Obj ' resource IDs.
//
// Small-set rule: a set is small when it is not empty, differs from all
// records, and holds fewer than 250 records or the database holds more than
// ten times as many (integer division). Small sets get a temporary index.
//
// Records and batch tasks see it through IDBDocument and IDBRecordSource;
// the sort builders and indexes see the database itself.
#pragma once

#include "database/db/DBDatabase.h"
#include "database/db/DBRecordTemplate.h"
#include "database/db/IDBDocument.h"
#include "database/db/IDBRecordSource.h"
#include "database/file/PDocument.h"

#include <memory>

class BibliographySetup;
class CDelimitedFormat;
class CFile;
class RecordListLayout;
class CopyFormattedSetup;
class DBSortKeyTree;
class SubjectBibliographySetup;

class DBDocument : public CPDocument, public IDBDocument, public IDBRecordSource
{
    DECLARE_DYNCREATE(DBDocument)
public:
    enum : long
    {
        hintRecordsChanged = 0x8000,
        hintMarkedChanged = 0x8001,
        hintDuplicatesChanged = 0x8002,
        hintGroupCreated = 0x8003,
        hintSortsChanged = 0x8007,
    };
    enum : UINT
    {
        IDR_RECORD = 131,
        IDP_READ_ONLY_GROUPS = 4138,
    };
    enum
    {
        kSmallSetLimit = 250,
        kSmallSetRatio = 10,
        kOldIndexAge = 604800, // seconds: seven days
        kKeptIndexesBeforeAging = 3,
        kMostKeptIndexes = 8,
    };

    DBDocument();
    ~DBDocument() override;

    DBDatabase& GetDatabase() { return m_database; }

    // CFileBasedDocument
    CPFile* GetFileObject() override { return &m_database; }
    WORD GetDocumentType() override { return DBDatabase::kDocumentType; }
    WORD GetDocumentVersion() override { return DBDatabase::kCurrentVersion; }
    WORD GetHeaderCodeA() override { return 0; }
    WORD GetHeaderCodeB() override { return 0; }
    void OnCloseDocument() override;
    // The record documents answer alone; the database is never modified.
    BOOL SaveModified() override;

    // The record object of a stored record (-1: a new record), shared with
    // any window that shows it; NULL when it cannot be opened (reported).
    virtual DBRecord* OpenRecord(int32_t recordNumber, UINT flags);
    DBRecordTemplate& GetRecordTemplate() { return *m_recordTemplate; }

    // Sorts.
    BOOL IsSmallSet(const DBRecordSet& set);
    BOOL IsSortReady(int sortId, const DBRecordSet& set);
    // Makes sure the set can be walked in the sort; may build the slot's
    // index ("Sorting Database..."); FALSE when the build failed or stopped.
    BOOL PrepareSort(int sortId, const DBRecordSet& set);
    // The index to walk the set with: the slot's own or a temporary one.
    DBSortKeyTree* GetSortIndex(int sortId, const DBRecordSet& set);
    // Stamps the sort's use and drops kept indexes long unused.
    void AgeSortIndexes(int sortId);

    // Message `messageId` once, when the database is read-only; the box's answer or 0.
    int WarnReadOnlyOnce(UINT messageId);
    // Every open record window's data taken and its record ID checked.
    BOOL CommitRecordWindows();

    // Setup objects, kept as ('Obj ', ID) of the database. The getters fill
    // the document's copy from the database on first use (defaults when
    // none is stored) and copy it out; the setters copy it in and store it
    // unless the database is read-only (then it lasts until close).
    BOOL GetBibliographySetup(BibliographySetup& setup);
    void SetBibliographySetup(const BibliographySetup& setup);
    BOOL GetSubjectBibliographySetup(SubjectBibliographySetup& setup);
    void SetSubjectBibliographySetup(const SubjectBibliographySetup& setup);
    BOOL GetCopyFormattedSetup(CopyFormattedSetup& setup);
    void SetCopyFormattedSetup(const CopyFormattedSetup& setup);
    BOOL GetPreviewSetup(BibliographySetup& setup);
    void SetPreviewSetup(const BibliographySetup& setup);
    BOOL GetRecordListLayout(RecordListLayout& layout);
    void SetRecordListLayout(const RecordListLayout& layout);
    // The same for any other object kept under an ID: the other stored
    // forms of the database windows go through these. Load gives FALSE when
    // none is stored (the object unchanged).
    BOOL LoadStoredObject(CObject& object, DWORD id);
    void SaveStoredObject(CObject& object, DWORD id);

    // Delimited import: opens the text file for reading with writing denied
    // to others and runs the installed importer over it into this database
    // with the format's values and the character set; exceptions are
    // reported, not thrown. The exchange subsystem installs the importer (it
    // lives above this document); without one nothing is read.
    void ImportDelimitedFile(const char* path, const CDelimitedFormat& format, int charSet);
    typedef void (*DelimitedImporter)(DBDocument& document, CFile& file, const CDelimitedFormat& format,
                                      int charSet);
    // Returns the previous importer.
    static DelimitedImporter SetDelimitedImporter(DelimitedImporter importer);

    // IDBDocument
    CString GetDatabasePathName() override { return m_database.GetPathName(); }
    BOOL HoldsRecord(int32_t recordNumber) override { return m_database.HoldsRecord(recordNumber); }
    void ReadRecord(DBRecord& record, int32_t recordNumber) override;
    void AddRecord(DBRecord& record, int32_t recordNumber) override;
    void UpdateRecord(DBRecord& record) override;
    int32_t GetNextFreeRecordNumber() override { return m_database.GetNextFreeRecordNumber(); }
    CString GetNextRecordId() override { return m_database.GetNextRecordId(); }
    void AddRecordIdIncrement(CString& recordId) override { m_database.AddRecordIdIncrement(recordId); }
    BOOL FindDuplicateOf(DBRecord& record) override { return m_database.FindDuplicateOf(record); }
    void AddToMarkedRecords(int32_t recordNumber) override
    {
        m_database.GetMarkedRecords().Set(recordNumber);
    }
    void FlushIfWritable() override;
    void NotifyRecordsChanged() override;

    // IDBRecordSource
    DBRecord* OpenRecord(int32_t recordNumber) override { return OpenRecord(recordNumber, 0); }
    BOOL CommitDatabase() override { return m_database.CommitDatabase(); }
    DBDatabase* GetChangeDatabase() override { return &m_database; }

private:
    template <class T> BOOL GetSetup(std::unique_ptr<T>& slot, DWORD id, T& out);
    template <class T> void SetSetup(std::unique_ptr<T>& slot, DWORD id, const T& in);
    void DropSortIndex(int slot);

    DBDatabase m_database;
    std::unique_ptr<DBRecordTemplate> m_recordTemplate;
    std::unique_ptr<BibliographySetup> m_bibliographySetup;
    std::unique_ptr<SubjectBibliographySetup> m_subjectSetup;
    std::unique_ptr<CopyFormattedSetup> m_copyFormattedSetup;
    std::unique_ptr<BibliographySetup> m_previewSetup;
    std::unique_ptr<RecordListLayout> m_recordListLayout; // declared last: deleted first
    BOOL m_warnReadOnly;
};
