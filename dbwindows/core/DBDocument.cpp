#include "dbwindows/core/DBDocument.h"

#include "app/core/ErrorReport.h"
#include "bibliography/setup/BibliographySetup.h"
#include "bibliography/setup/CopyFormattedSetup.h"
#include "bibliography/setup/SubjectBibliographySetup.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "database/db/DBRecord.h"
#include "database/sort/DBSortIndex.h"
#include "database/sort/DBSortUpdater.h"
#include "dbwindows/core/RecordListLayout.h"

#include <algorithm>
#include <ctime>

IMPLEMENT_DYNCREATE(DBDocument, CPDocument)

DBDocument::DBDocument()
    : m_recordTemplate(new DBRecordTemplate(IDR_RECORD, RUNTIME_CLASS(DBRecord), nullptr, nullptr)),
      m_warnReadOnly(TRUE)
{
}

DBDocument::~DBDocument()
{
    // Records still held elsewhere forget the template that goes away.
    m_recordTemplate.reset();
    if (m_database.IsOpen())
        m_database.Abort();
}

void DBDocument::OnCloseDocument()
{
    m_recordTemplate->CloseAllDocuments(FALSE);
    CPDocument::OnCloseDocument();
}

BOOL DBDocument::SaveModified()
{
    return m_recordTemplate->SaveAllModified();
}

DBRecord* DBDocument::OpenRecord(int32_t recordNumber, UINT /*flags*/)
{
    POSITION pos = m_recordTemplate->GetFirstDocPosition();
    while (pos != nullptr && recordNumber != -1) {
        DBRecord* open = static_cast<DBRecord*>(m_recordTemplate->GetNextDoc(pos));
        if (open->GetDatabase() == this && open->GetRecordNumber() == recordNumber)
            return open;
    }
    DBRecord* record = static_cast<DBRecord*>(m_recordTemplate->CreateNewDocument());
    if (record == nullptr)
        return nullptr;
    record->SetDatabase(this);
    const BOOL loaded = recordNumber == -1 ? record->InitNewRecord() : record->LoadRecord(recordNumber);
    if (!loaded) {
        delete record;
        return nullptr;
    }
    return record;
}

// ---- records as their documents reach them ----

void DBDocument::ReadRecord(DBRecord& record, int32_t recordNumber)
{
    m_database.ReadRecord(record, recordNumber);
}

void DBDocument::AddRecord(DBRecord& record, int32_t recordNumber)
{
    m_database.AddRecord(record, recordNumber);
}

void DBDocument::UpdateRecord(DBRecord& record)
{
    m_database.UpdateRecord(record);
}

void DBDocument::FlushIfWritable()
{
    try {
        m_database.FlushIfWritable();
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
    }
}

void DBDocument::NotifyRecordsChanged()
{
    UpdateAllViewsAndNotify(nullptr, hintRecordsChanged, nullptr);
}

// ---- delimited import ----

namespace {

DBDocument::DelimitedImporter g_delimitedImporter = nullptr;

} // namespace

DBDocument::DelimitedImporter DBDocument::SetDelimitedImporter(DelimitedImporter importer)
{
    DelimitedImporter previous = g_delimitedImporter;
    g_delimitedImporter = importer;
    return previous;
}

void DBDocument::ImportDelimitedFile(const char* path, const CDelimitedFormat& format, int charSet)
{
    if (g_delimitedImporter == nullptr)
        return;
    CFile file;
    try {
        CFileException* error = new CFileException;
        if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, error)) {
            error->m_strFileName = path;
            throw error;
        }
        error->Delete();
        g_delimitedImporter(*this, file, format, charSet);
    } catch (CException* e) {
        ReportException(e);
        e->Delete();
    }
    if (file.IsOpenHandle())
        file.Abort();
}

// ---- sorts ----

BOOL DBDocument::IsSmallSet(const DBRecordSet& set)
{
    const int count = set.GetCount();
    const int all = m_database.GetAllRecords().GetCount();
    if (count == 0 || set == m_database.GetAllRecords())
        return FALSE;
    return count < kSmallSetLimit || all / count > kSmallSetRatio;
}

BOOL DBDocument::IsSortReady(int sortId, const DBRecordSet& set)
{
    if (m_database.GetSortSpec(sortId).indexBuilt)
        return TRUE;
    if (set.GetCount() == 0 || set == m_database.GetAllRecords())
        return FALSE;
    return IsSmallSet(set);
}

BOOL DBDocument::PrepareSort(int sortId, const DBRecordSet& set)
{
    if (IsSmallSet(set))
        return TRUE;
    AgeSortIndexes(sortId);
    if (m_database.GetSortSpec(sortId).indexBuilt)
        return TRUE;
    if (!BuildSortSlotIndex(m_database, sortId, m_database.GetAllRecords()))
        return FALSE;
    UpdateAllViewsAndNotify(nullptr, hintSortsChanged, nullptr);
    POSITION pos = m_recordTemplate->GetFirstDocPosition();
    while (pos != nullptr)
        m_recordTemplate->GetNextDoc(pos)->UpdateAllViews(nullptr, hintSortsChanged, nullptr);
    return TRUE;
}

DBSortKeyTree* DBDocument::GetSortIndex(int sortId, const DBRecordSet& set)
{
    if (IsSmallSet(set))
        return m_database.FindOrCreateSortIndex(sortId, set);
    AgeSortIndexes(sortId);
    return &m_database.GetSortSlotTree(sortId);
}

void DBDocument::DropSortIndex(int slot)
{
    m_database.GetSortSlotTree(slot).RemoveAll();
    DBSortSpec spec = m_database.GetSortSpec(slot);
    spec.indexBuilt = 0;
    m_database.SetSortSpec(slot, spec);
}

void DBDocument::AgeSortIndexes(int sortId)
{
    const DWORD now = (DWORD)time(nullptr);
    m_database.SetSortLastUsed(sortId, now);
    const int count = m_database.GetSortSlotCount();
    std::vector<int> old;
    int built = 0;
    for (int slot = 1; slot < count; ++slot) {
        if (!m_database.GetSortSpec(slot).indexBuilt)
            continue;
        ++built;
        if (slot != sortId && now - m_database.GetSortLastUsed(slot) > (DWORD)kOldIndexAge)
            old.push_back(slot);
    }
    // Oldest first.
    std::sort(old.begin(), old.end(),
              [this](int a, int b) { return m_database.GetSortLastUsed(a) < m_database.GetSortLastUsed(b); });
    if (built > kKeptIndexesBeforeAging) {
        for (int slot : old) {
            DropSortIndex(slot);
            --built;
        }
    }
    while (built > kMostKeptIndexes) {
        CWaitCursor wait;
        int oldest = -1;
        for (int slot = 1; slot < count; ++slot) {
            if (!m_database.GetSortSpec(slot).indexBuilt || m_database.GetSortLastUsed(slot) >= now)
                continue;
            if (oldest == -1 || m_database.GetSortLastUsed(slot) < m_database.GetSortLastUsed(oldest))
                oldest = slot;
        }
        if (oldest == -1)
            break;
        DropSortIndex(oldest);
        --built;
    }
}

// ---- read-only warnings and record windows ----

int DBDocument::WarnReadOnlyOnce(UINT messageId)
{
    if (!IsReadOnly() || !m_warnReadOnly)
        return 0;
    m_warnReadOnly = FALSE;
    return AfxMessageBox(messageId, MB_OK);
}

BOOL DBDocument::CommitRecordWindows()
{
    POSITION pos = m_recordTemplate->GetFirstDocPosition();
    while (pos != nullptr) {
        DBRecord* record = static_cast<DBRecord*>(m_recordTemplate->GetNextDoc(pos));
        if (!record->UpdateFromViews(TRUE) || !record->ValidateRecordId())
            return FALSE;
    }
    return TRUE;
}

// ---- setups and stored objects ----

BOOL DBDocument::LoadStoredObject(CObject& object, DWORD id)
{
    try {
        return m_database.LoadObject(object, id);
    } catch (CException* e) {
        // An unreadable object leaves what was read over the defaults.
        e->Delete();
        return FALSE;
    }
}

void DBDocument::SaveStoredObject(CObject& object, DWORD id)
{
    if (IsReadOnly() || !m_database.IsOpen())
        return;
    m_database.SaveObject(object, id);
}

template <class T> BOOL DBDocument::GetSetup(std::unique_ptr<T>& slot, DWORD id, T& out)
{
    if (!slot) {
        slot.reset(new T);
        LoadStoredObject(*slot, id);
    }
    out = *slot;
    return TRUE;
}

template <class T> void DBDocument::SetSetup(std::unique_ptr<T>& slot, DWORD id, const T& in)
{
    if (!slot)
        slot.reset(new T);
    *slot = in;
    SaveStoredObject(*slot, id);
}

BOOL DBDocument::GetBibliographySetup(BibliographySetup& setup)
{
    return GetSetup(m_bibliographySetup, DBDatabase::kObjectBibliographySetup, setup);
}

void DBDocument::SetBibliographySetup(const BibliographySetup& setup)
{
    SetSetup(m_bibliographySetup, DBDatabase::kObjectBibliographySetup, setup);
}

BOOL DBDocument::GetSubjectBibliographySetup(SubjectBibliographySetup& setup)
{
    return GetSetup(m_subjectSetup, DBDatabase::kObjectSubjectSetup, setup);
}

void DBDocument::SetSubjectBibliographySetup(const SubjectBibliographySetup& setup)
{
    SetSetup(m_subjectSetup, DBDatabase::kObjectSubjectSetup, setup);
}

BOOL DBDocument::GetCopyFormattedSetup(CopyFormattedSetup& setup)
{
    return GetSetup(m_copyFormattedSetup, DBDatabase::kObjectCopyFormattedSetup, setup);
}

void DBDocument::SetCopyFormattedSetup(const CopyFormattedSetup& setup)
{
    SetSetup(m_copyFormattedSetup, DBDatabase::kObjectCopyFormattedSetup, setup);
}

BOOL DBDocument::GetPreviewSetup(BibliographySetup& setup)
{
    return GetSetup(m_previewSetup, DBDatabase::kObjectPreviewLayout, setup);
}

void DBDocument::SetPreviewSetup(const BibliographySetup& setup)
{
    SetSetup(m_previewSetup, DBDatabase::kObjectPreviewLayout, setup);
}

BOOL DBDocument::GetRecordListLayout(RecordListLayout& layout)
{
    return GetSetup(m_recordListLayout, DBDatabase::kObjectRecordListLayout, layout);
}

void DBDocument::SetRecordListLayout(const RecordListLayout& layout)
{
    SetSetup(m_recordListLayout, DBDatabase::kObjectRecordListLayout, layout);
}
