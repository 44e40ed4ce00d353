// The data file's header in every version it may have, and the open
// sequence with its version checks, update and key-file rebuild.
//
// Header after the three roots (record, group, resource tree), by version:
//   1030       the roots of the workform, author, journal, title, date-start,
//              date-end, keyword and word trees; the list fields (below);
//              the duplicate-key tree's root.
//   1025-1029  as 1030, and between the index roots and the list fields the
//              sort slots: 1025-1028 the records (root and sort definition)
//              of slots 0-7, then one more that is dropped; 1029 a u16 count
//              (at most 54), then per slot its record and its u32 last-use
//              time. After the duplicate root, the duplicate settings.
//   1024       as 1025, without the dropped slot, the duplicate root and the
//              duplicate settings.
//   0x310-0x3FF  the roots of the workform, author, title, date-start,
//              date-end, keyword and word trees; slots 0-6; the list fields.
//   0x301      the roots of the workform, author and title trees, one
//              dropped root, the date-start, date-end and keyword roots;
//              slots 0-6; five u32: list slot, ascending, starting ID,
//              increment, renumber slot.
//   below      nothing more.
// List fields: u16 list sort slot, u16 ascending, u32 starting record ID,
// u32 increment, u16 renumber slot, u32 reserved.
// Only the current layout is ever written.
#include "database/db/DBDatabase.h"

#include "app/core/ErrorReport.h"
#include "app/core/Paths.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "database/db/DBIndexRebuildTask.h"
#include "database/db/DBKeyFileRecovery.h"
#include "database/file/ArchivePromptException.h"

#include <ctime>

namespace {

const char kDatabaseExtension[] = ".ldt";

void SerializeWord(CArchive& ar, int32_t& value)
{
    if (ar.IsStoring()) {
        ar << (WORD)value;
    } else {
        WORD word;
        ar >> word;
        value = word;
    }
}

void SerializeLong(CArchive& ar, int32_t& value)
{
    if (ar.IsStoring()) {
        ar << (DWORD)value;
    } else {
        DWORD dword;
        ar >> dword;
        value = (int32_t)dword;
    }
}

// An exception that says what went wrong in a prompt of its own shows that
// prompt; others the prompt of their kind.
void ReportOpenFailure(const CString& path, CException* e)
{
    if (ArchivePromptException* own = dynamic_cast<ArchivePromptException*>(e)) {
        char text[1024];
        own->GetErrorMessage(text, sizeof text);
        AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION, own->GetPromptId());
        return;
    }
    ReportFileException(path, e, FALSE, DBDatabase::IDP_OPEN_FAILED);
}

} // namespace

// Every index's roots in the table's order (the word index last); files
// older than the journal index have no root for it.
void DBDatabase::SerializeIndexRoots(CArchive& ar, BOOL withJournal)
{
    for (KeyIndex& entry : keyIndexes) {
        if (!withJournal && entry.index == &journalIndex)
            continue;
        for (int i = 0; i < entry.index->GetTreeCount(); ++i)
            entry.index->GetIndexTree(i).SerializeRoot(ar);
    }
}

void DBDatabase::LoadOldSlotRecords(CArchive& ar, int count)
{
    for (int i = 0; i < count; ++i)
        sortSlots[(size_t)i]->SerializeRoot(ar);
}

void DBDatabase::SerializeListFields(CArchive& ar)
{
    SerializeWord(ar, listSortSlot);
    SerializeWord(ar, listAscending);
    SerializeLong(ar, startingRecordId);
    SerializeLong(ar, recordIdIncrement);
    SerializeWord(ar, renumberSortSlot);
    if (ar.IsStoring())
        ar << reserved;
    else
        ar >> reserved;
}

void DBDatabase::SerializeHeader(CArchive& ar)
{
    BTPagedFile::SerializeHeader(ar);
    recordTree.SerializeRoot(ar);
    groupTree.SerializeRoot(ar);
    resourceTree.SerializeRoot(ar);
    const int version = ar.IsStoring() ? (int)kCurrentVersion : (int)GetVersion();
    if (version >= kFirstUpdatableVersion) {
        SerializeIndexRoots(ar, TRUE);
        if (version <= 1028) {
            LoadOldSlotRecords(ar, kBuiltInSlotCount);
            if (version >= 1025) {
                DBSortKeyTree dropped;
                dropped.SerializeRoot(ar);
            }
        } else if (version == 1029) {
            WORD count;
            ar >> count;
            if (count > kSortSlotCount)
                AfxThrowArchiveException(CArchiveException::badSchema, GetPathName());
            for (int i = 0; i < count; ++i) {
                sortSlots[(size_t)i]->SerializeRoot(ar);
                DWORD time;
                ar >> time;
                sortLastUsed[(size_t)i] = time;
            }
        }
        SerializeListFields(ar);
        if (version >= 1025)
            duplicateFinder.SerializeRoot(ar);
        if (version >= 1025 && version <= 1029) {
            DuplicateSettings settings;
            settings.Serialize(ar);
            duplicateFinder.SetSettings(settings);
        }
    } else if (version >= 0x0310) {
        SerializeIndexRoots(ar, FALSE);
        LoadOldSlotRecords(ar, kBuiltInSlotCount - 1);
        SerializeListFields(ar);
    } else if (version == 0x0301) {
        workformIndex.SerializeRoot(ar);
        authorIndex.GetTree().SerializeRoot(ar);
        titleIndex.GetTree().SerializeRoot(ar);
        StringKeyTree dropped;
        dropped.SerializeRoot(ar);
        dateIndex.GetStartTree().SerializeRoot(ar);
        dateIndex.GetEndTree().SerializeRoot(ar);
        keywordIndex.GetTree().SerializeRoot(ar);
        LoadOldSlotRecords(ar, kBuiltInSlotCount - 1);
        SerializeLong(ar, listSortSlot);
        SerializeLong(ar, listAscending);
        SerializeLong(ar, startingRecordId);
        SerializeLong(ar, recordIdIncrement);
        SerializeLong(ar, renumberSortSlot);
    }
}

// ---- open ----

void DBDatabase::AbandonOpen()
{
    // Nothing of a refused open reaches the disk.
    Abort();
    AfxThrowUserException();
}

void DBDatabase::OfferConversion()
{
    const CString path = GetPathName();
    const CString title = GetFileTitleWithoutExt(path, kDatabaseExtension);
    Abort();
    CString text;
    AfxFormatString1(text, IDP_CONVERT_OLD_DATABASE, title);
    if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION, IDP_CONVERT_OLD_DATABASE) == IDYES)
        ConvertOldDatabase(path, IDS_CONVERTING_DATABASE, TRUE);
    AfxThrowUserException();
}

void DBDatabase::UpdateVersion()
{
    CString text;
    AfxFormatString1(text, IDP_UPDATE_DATABASE, GetFileTitleWithoutExt(GetPathName(), kDatabaseExtension));
    if (AfxMessageBox(text, MB_OKCANCEL | MB_ICONQUESTION, IDP_UPDATE_DATABASE) != IDOK)
        AbandonOpen();
    SetVersion(kCurrentVersion);
    RebuildKeyFile(IDS_UPDATING_VERSION);
    if (keyFile.IsOpen())
        keyFile.Close();
}

BOOL DBDatabase::ConfirmRebuild(UINT promptId, const CString& insert, BOOL setVersion)
{
    CString text;
    AfxFormatString1(text, promptId, insert);
    if (AfxMessageBox(text, MB_OKCANCEL | MB_ICONQUESTION, promptId) != IDOK)
        AbandonOpen();
    RebuildKeyFile(IDS_REBUILDING_KEY_FILE);
    if (setVersion) {
        keyFile.SetDocumentType(DBKeyFile::kDocumentType);
        keyFile.SetVersion(DBKeyFile::kCurrentVersion);
        keyFile.FlushIfWritable();
    }
    return TRUE;
}

BOOL DBDatabase::OpenKeyFile(UINT nOpenFlags)
{
    const CString keyTitle = GetFileTitleWithoutExt(keyFile.GetPathName(), "");
    keyFile.SetDocumentType(DBKeyFile::kDocumentType);
    keyFile.SetVersion(DBKeyFile::kCurrentVersion);
    CFileException error;
    BOOL opened = FALSE;
    try {
        opened = keyFile.OpenFile(nOpenFlags, &error);
    } catch (CException* e) {
        ReportOpenFailure(keyFile.GetPathName(), e);
        e->Delete();
        AbandonOpen();
    }
    if (!opened) {
        if (error.m_cause != CFileException::fileNotFound) {
            ReportFileException(keyFile.GetPathName(), &error, FALSE, IDP_OPEN_FAILED);
            AbandonOpen();
        }
        return ConfirmRebuild(IDP_KEY_FILE_MISSING, keyTitle, FALSE);
    }
    if (keyFile.GetVersion() > 1046) {
        if (!languageSort.CollationVersionDiffers())
            return TRUE;
        return ConfirmRebuild(IDP_UPDATE_COLLATION, keyTitle, TRUE);
    }
    return ConfirmRebuild(IDP_UPDATE_KEY_FILE, GetFileTitleWithoutExt(GetPathName(), kDatabaseExtension),
                          TRUE);
}

BOOL DBDatabase::OpenDatabase(UINT nOpenFlags, CFileException* pError)
{
    SetVersion(kCurrentVersion);
    try {
        if (!BTPagedFile::OpenFile(nOpenFlags, pError))
            return FALSE;
        // A rebuild cut short is finished or undone before the key file opens.
        DBKeyFileRecovery::Resolve(*this);
    } catch (CException* e) {
        ReportOpenFailure(GetPathName(), e);
        e->Delete();
        if (IsOpen())
            Abort();
        AfxThrowUserException();
    }
    const int version = GetVersion();
    if (version < kFirstUpdatableVersion)
        OfferConversion();
    if (version < kCurrentVersion)
        UpdateVersion();
    return OpenKeyFile(nOpenFlags);
}

void DBDatabase::RebuildKeyFile(UINT progressTitleId)
{
    // The new trees' roots live in the data file's header: a data file that
    // cannot be written would leave them pointing nowhere at the next open.
    if (!BTPagedFile::IsWritable()) {
        CFileException denied(CFileException::accessDenied, -1, GetPathName());
        ReportFileException(GetPathName(), &denied, TRUE, IDP_OPEN_FAILED);
        AbandonOpen();
    }
    // The task takes its snapshot before the tables change, so a failed
    // rebuild puts everything back.
    DBIndexRebuildTask task(*this, progressTitleId);
    const DWORD now = (DWORD)time(nullptr);
    for (int i = 0; i < kSortSlotCount; ++i) {
        DBSortSpec spec = sortSlots[(size_t)i]->GetSpec();
        spec.indexBuilt = i <= 1 ? 1 : 0;
        sortSlots[(size_t)i]->SetSpec(spec);
        sortLastUsed[(size_t)i] = now;
    }
    listSortSlot = 1;
    listAscending = 1;
    languageSort.SetStoredCollationVersion(languageSort.GetCollationVersion());
    if (!task.Execute()) {
        Abort();
        AfxThrowUserException();
    }
}
