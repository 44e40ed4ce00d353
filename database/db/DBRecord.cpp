#include "database/db/DBRecord.h"

#include "app/core/DiskSpace.h"
#include "app/core/SettingsCatalogue.h"
#include "classlib/Archive.h"
#include "classlib/ClassLibIds.h"
#include "classlib/DocTemplate.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "classlib/Time.h"
#include "classlib/WinApp.h"
#include "database/db/DBRecordTemplate.h"
#include "database/db/DefaultWorkform.h"
#include "database/db/FieldSet.h"
#include "database/db/IDBDocument.h"
#include "database/db/RecordId.h"
#include "database/text/StyledStringArchive.h"
#include "database/text/WorkformInfo.h"

#include <cstring>

IMPLEMENT_DYNCREATE(DBRecord, CDocument)

namespace {
const BYTE kAuthorFields[] = {1, 7, 16, 30};
const BYTE kTitleFields[] = {4, 9, 11, 32};
const BYTE kDateFields[] = {12, 20, 21};
const BYTE kAuthorOrTitleFields[] = {1, 4, 7, 9, 11, 16, 30, 32};

const BYTE kAuthorRole[] = {1, 7};
const BYTE kTitleRole[] = {4, 9, 10, 11};
const BYTE kDateRole[] = {20, 21};
const BYTE kAuthorOrTitleRole[] = {1, 4, 7, 9, 10, 11};

CString DecimalText(int32_t value)
{
    CString text;
    text.Format("%d", static_cast<int>(value));
    return text;
}
} // namespace

DBRecord::DBRecord()
    : m_database(nullptr), m_created(0), m_modified(0), m_recordNumber(-1), m_workformId(-1),
      m_recordIdNumber(-1), m_userCount(0), m_addToMarked(FALSE)
{
}

DBRecord::~DBRecord() = default;

uint32_t DBRecord::Now()
{
    return static_cast<uint32_t>(CTime::GetCurrentTime().GetTime());
}

// ---- fields -----------------------------------------------------------------

int32_t DBRecord::SetRecordNumber(int32_t number)
{
    m_recordNumber = number;
    return number;
}

void DBRecord::SetWorkformId(int16_t id)
{
    m_workformId = id;
    SetModifiedFlag(TRUE);
}

void DBRecord::SetRecordIdNumber(int32_t number)
{
    m_recordIdNumber = number;
    SetModifiedFlag(TRUE);
    m_recordId.SetPlainText(DecimalText(number));
}

int32_t DBRecord::SetRecordIdText(const char* text)
{
    m_recordId.SetPlainText(text);
    SetModifiedFlag(TRUE);
    m_recordIdNumber = ParseRecordId(m_recordId.text);
    return m_recordIdNumber;
}

StyledString* DBRecord::FieldAt(BYTE n)
{
    if (n == kRecordIdField)
        return &m_recordId;
    if (n <= kFieldCount)
        return &m_fields[n - 1];
    return nullptr;
}

const StyledString* DBRecord::FirstFilled(const BYTE* fields, int count) const
{
    for (int i = 0; i < count; ++i) {
        if (!m_fields[fields[i] - 1].IsEmpty())
            return &m_fields[fields[i] - 1];
    }
    return &m_fields[fields[0] - 1];
}

const StyledString* DBRecord::Find(BYTE n) const
{
    switch (n) {
    case kRoleAuthor:
        return FirstFilled(kAuthorFields, sizeof kAuthorFields);
    case kRoleTitle:
        return FirstFilled(kTitleFields, sizeof kTitleFields);
    case kRoleDate:
        return FirstFilled(kDateFields, sizeof kDateFields);
    case kRoleAuthorOrTitle:
        return FirstFilled(kAuthorOrTitleFields, sizeof kAuthorOrTitleFields);
    default:
        if (n == kRecordIdField)
            return &m_recordId;
        return n <= kFieldCount ? &m_fields[n - 1] : nullptr;
    }
}

const StyledString& DBRecord::GetField(BYTE n) const
{
    static const StyledString none;
    const StyledString* field = Find(n);
    return field != nullptr ? *field : none;
}

StyledString& DBRecord::GetField(BYTE n)
{
    if (const StyledString* field = Find(n))
        return const_cast<StyledString&>(*field);
    m_noField.Empty(); // whatever a caller wrote into it last time
    return m_noField;
}

BYTE DBRecord::ResolveFieldRole(BYTE code) const
{
    auto firstFilled = [this](const BYTE* fields, int count) {
        return static_cast<BYTE>(FirstFilled(fields, count) - m_fields + 1);
    };
    switch (code) {
    case kRoleAuthor:
        return firstFilled(kAuthorRole, sizeof kAuthorRole);
    case kRoleTitle:
        return firstFilled(kTitleRole, sizeof kTitleRole);
    case kRoleDate:
        return firstFilled(kDateRole, sizeof kDateRole);
    case kRoleAuthorOrTitle:
        return firstFilled(kAuthorOrTitleRole, sizeof kAuthorOrTitleRole);
    default:
        return code;
    }
}

void DBRecord::SetField(const StyledString& value, BYTE n)
{
    StyledString* field = FieldAt(n);
    if (field == nullptr)
        return;
    *field = value;
    SetModifiedFlag(TRUE);
}

BOOL DBRecord::IsEmpty() const
{
    for (const StyledString& field : m_fields) {
        if (!field.IsEmpty())
            return FALSE;
    }
    return TRUE;
}

uint32_t DBRecord::GetTextLength() const
{
    uint32_t length = 0;
    for (const StyledString& field : m_fields)
        length += static_cast<uint32_t>(field.GetLength());
    return length;
}

// ---- record stream ------------------------------------------------------------

// Layout: see DBRecord.h.
void DBRecord::WriteFields(CArchive& ar) const
{
    for (int i = 0; i < kFieldCount; ++i) {
        if (m_fields[i].IsEmpty())
            continue;
        ar << static_cast<BYTE>(i);
        WriteStyledString(ar, m_fields[i]);
    }
    ar << static_cast<BYTE>(kEndOfFields);
}

// Fields are read into the strings the record holds, whose buffers are kept:
// one record object reading many records allocates little.
// With `wanted`, the reading ends after the last wanted field, fields being
// stored in ascending order; FALSE then (the rest of the stream unread).
BOOL DBRecord::ReadFields(CArchive& ar, const FieldSet* wanted)
{
    int last = kFieldCount;
    if (wanted != nullptr && !wanted->Contains(kRecordIdField)) {
        while (last > 0 && !wanted->Contains(last))
            --last;
    }
    uint64_t filled = 0;
    BOOL complete = TRUE;
    for (;;) {
        BYTE index;
        ar >> index;
        if (index == kEndOfFields)
            break;
        if (index >= kFieldCount)
            AfxThrowArchiveException(CArchiveException::badIndex);
        if (index >= last) {
            complete = FALSE;
            break;
        }
        if (wanted != nullptr && !wanted->Contains(index + 1)) {
            SkipStyledString(ar);
            continue;
        }
        ReadStyledString(ar, m_fields[index]);
        filled |= uint64_t(1) << index;
    }
    for (int i = 0; i < kFieldCount; ++i) {
        if (!(filled & (uint64_t(1) << i)))
            EmptyField(m_fields[i]);
    }
    return complete;
}

void DBRecord::EmptyField(StyledString& field)
{
    if (!field.text.IsEmpty() || !field.runs.IsEmpty())
        field.Empty();
}

void DBRecord::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(kStreamMarker) << static_cast<WORD>(kStreamVersion);
        ar << m_created << m_modified;
        ar << m_workformId << m_recordIdNumber;
        WriteFields(ar);
        WriteStyledString(ar, m_recordId);
        return;
    }
    Load(ar, nullptr);
}

void DBRecord::LoadFields(CArchive& ar, const FieldSet& wanted)
{
    Load(ar, &wanted);
}

void DBRecord::Load(CArchive& ar, const FieldSet* wanted)
{
    try {
        WORD first;
        ar >> first;
        WORD version = 0;
        if (first == kStreamMarker) {
            ar >> version >> m_created >> m_modified >> m_workformId;
        } else {
            m_workformId = static_cast<int16_t>(first);
        }
        ar >> m_recordIdNumber;
        if (!ReadFields(ar, wanted))
            EmptyField(m_recordId);
        else if (version >= 2)
            ReadStyledString(ar, m_recordId);
        else
            m_recordId.SetPlainText(DecimalText(m_recordIdNumber));
    } catch (CException*) {
        // Nothing of the record read before, nor half of this one, stays.
        EmptyField(m_recordId);
        for (StyledString& field : m_fields)
            EmptyField(field);
        throw;
    }
}

void DBRecord::DeleteContents()
{
    m_recordNumber = -1;
    m_workformId = -1;
    m_recordIdNumber = -1;
    m_created = m_modified = Now();
    m_recordId.Empty();
    for (StyledString& field : m_fields)
        field.Empty();
}

// ---- loading and saving ---------------------------------------------------------

BOOL DBRecord::InitNewRecord()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_recordNumber = -1;
    m_workformId = GetDefaultWorkform().GetId();
    CString id = m_database->GetNextRecordId();

    // An ID already shown by another open record goes up by the increment,
    // and the walk starts again. An increment that changes nothing (0) still
    // has to give a different ID: one is added then.
    CDocTemplate* const docTemplate = GetDocTemplate();
    POSITION pos = docTemplate != nullptr ? docTemplate->GetFirstDocPosition() : nullptr;
    const StyledString plainId(id);
    StyledString candidate(plainId);
    while (pos != nullptr) {
        CDocument* doc = docTemplate->GetNextDoc(pos);
        if (doc == this || !doc->IsKindOf(RUNTIME_CLASS(DBRecord)))
            continue;
        const StyledString& other = static_cast<DBRecord*>(doc)->m_recordId;
        if (other.text != candidate.text || !other.runs.IsEqual(candidate.runs))
            continue;
        const CString before = candidate.text;
        CString bumped = before;
        m_database->AddRecordIdIncrement(bumped);
        if (bumped == before)
            IncrementDecimalText(bumped, bumped.GetLength());
        candidate.SetPlainText(bumped);
        pos = docTemplate->GetFirstDocPosition();
    }
    m_recordId = candidate;
    m_recordIdNumber = ParseRecordId(m_recordId.text);
    return TRUE;
}

BOOL DBRecord::LoadRecord(int32_t number)
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    try {
        if (m_database->HoldsRecord(number)) {
            m_database->ReadRecord(*this, number);
            return TRUE;
        }
        CString prompt;
        AfxFormatString1(prompt, IDP_RECORD_DELETED, m_database->GetDatabasePathName());
        AfxMessageBox(prompt, MB_OK, IDP_RECORD_DELETED);
        return FALSE;
    } catch (CException* e) {
        // No half-read record is left behind.
        DeleteContents();
        ReportFileError(number, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
}

// Saving needs twice the record's text length free on the data file's drive.
void DBRecord::CheckFreeSpace()
{
    const CString path = m_database->GetDatabasePathName();
    const uint64_t needed = 2 * static_cast<uint64_t>(GetTextLength());
    if (GetFreeDiskSpace(path) < needed)
        AfxThrowFileException(CFileException::diskFull, -1, path);
}

BOOL DBRecord::SaveRecord(int32_t number, UINT flags)
{
    try {
        if (!UpdateFromViews(TRUE))
            return FALSE;
        if ((flags & kSaveDropDuplicate) != 0 && m_database->FindDuplicateOf(*this))
            return TRUE;
        if ((flags & kSaveAskDuplicate) != 0 && number == -1 && m_database->FindDuplicateOf(*this) &&
            AfxMessageBox(IDP_CONFIRM_DUPLICATE, MB_YESNO) != IDYES)
            return FALSE;
        CheckFreeSpace();
        if (number == -1) {
            m_created = m_modified = Now();
            const int32_t newNumber = m_database->GetNextFreeRecordNumber();
            m_database->AddRecord(*this, newNumber);
            if (GetDocTemplate() != nullptr && GetDocTemplate()->IsKindOf(RUNTIME_CLASS(DBRecordTemplate)))
                static_cast<DBRecordTemplate*>(GetDocTemplate())->NoteNewRecord(newNumber);
            if (m_addToMarked)
                m_database->AddToMarkedRecords(newNumber);
        } else {
            m_modified = Now();
            m_database->UpdateRecord(*this);
        }
        SetModifiedFlag(FALSE);
        return TRUE;
    } catch (CException* e) {
        ReportFileError(number, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
}

BOOL DBRecord::WriteRecordAt(int32_t number)
{
    try {
        CheckFreeSpace();
        m_database->AddRecord(*this, number);
        return TRUE;
    } catch (CException* e) {
        ReportFileError(number, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
}

UINT DBRecord::GetFileErrorPrompt(CException* e, BOOL saving, UINT defaultPrompt)
{
    return AfxGetSaveLoadPrompt(e, saving, defaultPrompt);
}

void DBRecord::ReportFileError(int32_t, CException* e, BOOL saving, UINT defaultPrompt)
{
    const UINT prompt = GetFileErrorPrompt(e, saving, defaultPrompt);
    if (prompt == 0)
        return;
    const CString path = m_database != nullptr ? m_database->GetDatabasePathName() : CString();
    CString text;
    AfxFormatString1(text, prompt, AfxGetFileTitle(path));
    AfxMessageBox(text, MB_ICONEXCLAMATION, prompt);
}

UINT DBRecord::DuplicateFlags() const
{
    return AfxGetApp() != nullptr && Settings::WarnDuplicates.Get() != 0 ? UINT(kSaveAskDuplicate) : 0u;
}

BOOL DBRecord::PromptAndSave(BOOL ask)
{
    if (!IsModified())
        return TRUE;
    if (ask) {
        const int answer = AfxMessageBox(IDP_SAVE_RECORD_CHANGES, MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return FALSE;
        if (answer == IDNO)
            return TRUE;
    }
    CWaitCursor wait;
    if (!SaveRecord(m_recordNumber, DuplicateFlags()))
        return FALSE;
    m_database->FlushIfWritable();
    m_database->NotifyRecordsChanged();
    return TRUE;
}

void DBRecord::OnSaveRecordCommand()
{
    CWaitCursor wait;
    SaveRecord(m_recordNumber, DuplicateFlags());
    m_database->FlushIfWritable();
    m_database->NotifyRecordsChanged();
}

BOOL DBRecord::UpdateViewData(CView*, BOOL)
{
    return TRUE;
}

BOOL DBRecord::UpdateFromViews(BOOL save)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        if (!UpdateViewData(GetNextView(pos), save))
            return FALSE;
    }
    return ValidateRecordId();
}

BOOL DBRecord::ValidateRecordId()
{
    if (GetViewCount() == 0 || IsValidRecordId(m_recordId.text))
        return TRUE;
    AfxMessageBox(IDP_INVALID_RECORD_ID, MB_OK);
    return FALSE;
}

BOOL DBRecord::IsValidRecordId(const char* text)
{
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    return length >= 1 && length <= kMaxRecordIdLength;
}

// ---- lifetime -------------------------------------------------------------------

void DBRecord::AddRef()
{
    ++m_userCount;
}

void DBRecord::Release()
{
    ASSERT(m_userCount > 0);
    if (--m_userCount == 0 && GetViewCount() == 0 && m_bAutoDelete)
        OnCloseDocument();
}

void DBRecord::OnCloseDocument()
{
    const BOOL autoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    if (AfxGetDocViewServices() != nullptr)
        AfxGetDocViewServices()->CloseDocumentFrames(this);
    m_bAutoDelete = autoDelete;
    if (m_userCount > 0)
        return;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

BOOL DBRecord::SaveModified()
{
    return PromptAndSave(TRUE);
}

BOOL DBRecord::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (nCode != CN_COMMAND || (nID != ID_FILE_CLOSE && nID != ID_FILE_SAVE && nID != ID_SAVE_RECORD))
        return CDocument::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (pHandlerInfo != nullptr)
        return TRUE; // only asked whether the command is handled here
    if (nID == ID_FILE_CLOSE)
        OnFileClose();
    else
        OnSaveRecordCommand();
    return TRUE;
}
