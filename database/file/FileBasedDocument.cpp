#include "database/file/FileBasedDocument.h"

#include "app/core/Paths.h"
#include "app/core/SettingsCatalogue.h"
#include "classlib/Archive.h"
#include "classlib/ClassLibIds.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"
#include "database/file/DocHeader.h"
#include "database/file/FileDocumentDialogs.h"

IMPLEMENT_DYNAMIC(CFileBasedDocument, CDocument)

namespace
{
const char kReadOnlySuffix[] = " (Read-Only)";

// The wait cursor of a save; ended before any message is shown.
class SaveWaitCursor
{
public:
    SaveWaitCursor() { AfxBeginWaitCursor(); }
    ~SaveWaitCursor() { End(); }
    void End()
    {
        if (m_on)
            AfxEndWaitCursor();
        m_on = false;
    }
    void Begin()
    {
        if (!m_on)
            AfxBeginWaitCursor();
        m_on = true;
    }

private:
    bool m_on = true;
};
} // namespace

CFileBasedDocument::CFileBasedDocument() : m_refCount(0), m_headerType(0), m_headerVersion(0) {}

CFileBasedDocument::~CFileBasedDocument() = default;

CString& CFileBasedDocument::GetTitleText()
{
    return GetFileObject()->GetTitleText();
}

CString& CFileBasedDocument::GetCommentsText()
{
    return GetFileObject()->GetCommentsText();
}

long CFileBasedDocument::AddRef()
{
    return ++m_refCount;
}

long CFileBasedDocument::Release()
{
    ASSERT(m_refCount > 0);
    const long count = --m_refCount;
    if (count == 0 && GetViewCount() == 0 && m_bAutoDelete)
        OnCloseDocument();
    return count;
}

BOOL CFileBasedDocument::IsReadOnly()
{
    CPFile* file = GetFileObject();
    return file->IsOpen() && !file->IsWritable();
}

void CFileBasedDocument::UpdateAllViewsAndNotify(CView* pSender, LPARAM lHint, CObject* pHint)
{
    UpdateAllViews(pSender, lHint, pHint);
    Notify(static_cast<long>(lHint), pHint);
}

BOOL CFileBasedDocument::UpdateViewData(CView*, BOOL)
{
    return TRUE;
}

BOOL CFileBasedDocument::UpdateViewsData(BOOL bSave)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr) {
        if (!UpdateViewData(GetNextView(pos), bSave))
            return FALSE;
    }
    return TRUE;
}

// Header layout: see DocHeader.h. The type and version are kept even when the
// file is then refused for them.
void CFileBasedDocument::Serialize(CArchive& ar)
{
    CPFile* file = GetFileObject();
    if (ar.IsStoring()) {
        const WORD type = GetDocumentType();
        const WORD version = GetDocumentVersion();
        StoreDocumentHeader(ar, GetHeaderCodeA(), GetHeaderCodeB(), type, version, file->GetTitleText(),
                            file->GetCommentsText());
        m_headerType = type;
        m_headerVersion = version;
        return;
    }
    LoadDocumentHeader(ar, GetHeaderCodeA(), GetHeaderCodeB(), GetDocumentType(), GetDocumentVersion(), m_headerType,
                       m_headerVersion, file->GetTitleText(), file->GetCommentsText());
}

void CFileBasedDocument::SetTitle(LPCTSTR lpszTitle)
{
    CString title(lpszTitle);
    if (IsReadOnly())
        title += kReadOnlySuffix;
    CDocument::SetTitle(title);
}

void CFileBasedDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    CDocument::SetPathName(lpszPathName, bAddToMRU);
    SetTitle(GetFileTitleWithoutExt(m_strPathName, GetFileExtension(m_strPathName)));
}

void CFileBasedDocument::SetModifiedFlag(BOOL bModified)
{
    CDocument::SetModifiedFlag(bModified);
    Notify(hintModifiedChanged, nullptr);
}

BOOL CFileBasedDocument::OnNewDocument()
{
    m_headerType = GetDocumentType();
    m_headerVersion = GetDocumentVersion();
    return CDocument::OnNewDocument();
}

BOOL CFileBasedDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    const bool readOnly = AfxGetApp() != nullptr && Settings::OpenFilesReadOnly.Get() != 0;
    return OpenFile(lpszPathName, readOnly ? static_cast<UINT>(OpenReadOnly) : 0u);
}

BOOL CFileBasedDocument::OpenReadWriteElseReadOnly(CFileException* pError)
{
    CPFile* file = GetFileObject();
    CFileException exclusiveError;
    if (file->OpenFile(modeWriteExclusive, &exclusiveError))
        return TRUE;
    return file->OpenFile(modeReadDenyWrite, pError);
}

BOOL CFileBasedDocument::ReopenQuietly()
{
    try {
        CFileException error;
        if (OpenReadWriteElseReadOnly(&error))
            return TRUE;
    } catch (CException* e) {
        AbortFileQuietly();
        e->Delete();
    }
    // Without its file the document keeps nothing that refers to it.
    DeleteContentsQuietly();
    return FALSE;
}

CException* CFileBasedDocument::OpenExclusive(CFileException* pError)
{
    try {
        return GetFileObject()->OpenFile(modeWriteExclusive, pError) ? nullptr : pError;
    } catch (CException* e) {
        AbortFileQuietly();
        return e;
    }
}

// Reports a failure that OpenExclusive handed back, and frees it.
static void ReportOpenFailure(CFileBasedDocument* doc, LPCTSTR lpszPathName, CException* failure,
                              CFileException* pError, BOOL bSaving, UINT nIDPDefault)
{
    doc->ReportSaveLoadException(lpszPathName, failure, bSaving, nIDPDefault);
    if (failure != pError)
        failure->Delete();
}

BOOL CFileBasedDocument::OpenFile(LPCTSTR lpszPathName, UINT nFlags)
{
    // Whatever the file object or the load raises (a damaged or newer header
    // among them) is a failed load, reported here and nowhere else.
    try {
        return OpenAndLoad(lpszPathName, nFlags);
    } catch (CException* e) {
        AbortFileQuietly();
        DeleteContentsQuietly();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
}

BOOL CFileBasedDocument::OpenAndLoad(LPCTSTR lpszPathName, UINT nFlags)
{
    CPFile* file = GetFileObject();
    file->SetPathName(AfxFullPath(lpszPathName));
    BOOL created = FALSE;
    if ((nFlags & OpenCreateNew) != 0 || ((nFlags & OpenCreateIfMissing) != 0 && !file->Exists())) {
        CDocument::SetPathName(lpszPathName, FALSE);
        DeleteContents();
        file->CreateNew();
        created = TRUE;
    }

    CFileException error;
    const BOOL opened = (nFlags & OpenReadOnly) != 0 ? file->OpenFile(modeReadDenyWrite, &error)
                                                     : OpenReadWriteElseReadOnly(&error);
    if (!opened) {
        ReportSaveLoadException(lpszPathName, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }

    // A file created anew that its file object left empty holds no header yet:
    // give it the new document's, so that it can be opened again.
    if (created && file->GetLength() == 0 && file->IsWritable()) {
        StoreToFile();
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    LoadFromFile();
    return TRUE;
}

void CFileBasedDocument::AbortFileQuietly()
{
    try {
        GetFileObject()->Abort();
    } catch (CException* e) {
        e->Delete();
    }
}

void CFileBasedDocument::DeleteContentsQuietly()
{
    try {
        DeleteContents();
    } catch (CException* e) {
        e->Delete();
    }
}

void CFileBasedDocument::LoadFromFile()
{
    CPFile* file = GetFileObject();
    DeleteContents();
    SetModifiedFlag(TRUE);
    file->SeekToBegin();
    CArchive ar(file, CArchive::load | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
    SetModifiedFlag(FALSE);
}

void CFileBasedDocument::StoreToFile()
{
    CPFile* file = GetFileObject();
    file->SeekToBegin();
    CArchive ar(file, CArchive::store | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    Serialize(ar);
    ar.Close();
    file->FlushIfWritable();
}

// Save As: the open file is copied to the new path and reopened there. When
// the copy cannot be opened, the document goes back to its old file.
BOOL CFileBasedDocument::SaveToOtherPath(LPCTSTR lpszPathName)
{
    CPFile* file = GetFileObject();
    const CString oldPath = file->GetPathName();
    file->CopyTo(lpszPathName);
    file->Close();
    file->SetPathName(AfxFullPath(lpszPathName));
    CFileException error;
    CException* failure = OpenExclusive(&error);
    if (failure == nullptr)
        return TRUE;
    file->SetPathName(oldPath);
    ReopenQuietly();
    AfxEndWaitCursor();
    ReportOpenFailure(this, lpszPathName, failure, &error, TRUE, AFX_IDP_INVALID_FILENAME);
    AfxBeginWaitCursor();
    return FALSE;
}

BOOL CFileBasedDocument::SaveToNewFile(LPCTSTR lpszPathName)
{
    CPFile* file = GetFileObject();
    file->SetPathName(AfxFullPath(lpszPathName));
    file->CreateNew();
    CFileException error;
    if (!file->OpenFile(modeWriteExclusive, &error)) {
        AfxEndWaitCursor();
        ReportSaveLoadException(lpszPathName, &error, TRUE, AFX_IDP_INVALID_FILENAME);
        AfxBeginWaitCursor();
        return FALSE;
    }
    CDocument::SetPathName(lpszPathName, FALSE);
    if (GetTitleText().IsEmpty()) {
        BOOL changed = FALSE;
        AfxEndWaitCursor();
        const BOOL ok = EditProperties(&changed);
        AfxBeginWaitCursor();
        if (!ok) {
            file->Remove();
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CFileBasedDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (!UpdateViewsData(TRUE))
        return FALSE;
    SaveWaitCursor wait;
    CPFile* file = GetFileObject();
    try {
        if (!file->IsOpen()) {
            if (!SaveToNewFile(lpszPathName))
                return FALSE;
        } else if (!AfxComparePath(file->GetPathName(), lpszPathName)) {
            if (!SaveToOtherPath(lpszPathName))
                return FALSE;
        }
        StoreToFile();
        SetModifiedFlag(FALSE);
        return TRUE;
    } catch (CException* e) {
        wait.End();
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
}

void CFileBasedDocument::OnCloseDocument()
{
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    if (AfxGetDocViewServices() != nullptr)
        AfxGetDocViewServices()->CloseDocumentFrames(this);
    m_bAutoDelete = bAutoDelete;
    if (m_refCount > 0)
        return;

    DeleteContents();
    CPFile* file = GetFileObject();
    try {
        file->Close();
    } catch (CException* e) {
        ReportSaveLoadException(file->GetPathName(), e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
    }
    if (m_bAutoDelete)
        delete this;
}

BOOL CFileBasedDocument::SaveModified()
{
    if (!UpdateViewsData(TRUE))
        return FALSE;
    return CDocument::SaveModified();
}

BOOL CFileBasedDocument::EditProperties(BOOL* pChanged)
{
    *pChanged = FALSE;
    const CString& path = GetFileObject()->GetPathName();
    FilePropertiesFields fields;
    fields.fileName = AfxGetFileTitle(path);
    fields.folder = GetFileFolder(path);
    fields.comments = GetCommentsText().Left(FilePropertiesFields::maxComments);
    fields.readOnly = IsReadOnly();
    CFileDocumentDialogs* dialogs = GetFileDocumentDialogs();
    if (dialogs == nullptr || !dialogs->RunFileProperties(fields))
        return FALSE;
    if (fields.readOnly)
        return TRUE;
    const CString comments = fields.comments.Left(FilePropertiesFields::maxComments);
    if (comments != GetCommentsText()) {
        GetCommentsText() = comments;
        *pChanged = TRUE;
    }
    return TRUE;
}

void CFileBasedDocument::DoFileProperties()
{
    UpdateViewsData(TRUE);
    BOOL changed = FALSE;
    if (!EditProperties(&changed) || !changed)
        return;
    SetModifiedFlag(TRUE);
    // The window keeps its file name while the header has no title of its own.
    if (!GetTitleText().IsEmpty())
        SetTitle(GetTitleText());
    UpdateAllViewsAndNotify(nullptr, hintPropertiesChanged, nullptr);
}

void CFileBasedDocument::DoFileRename()
{
    if (!CanRename())
        return;
    CFileDocumentDialogs* dialogs = GetFileDocumentDialogs();
    CString newName;
    if (dialogs == nullptr || !dialogs->RunRename(m_strPathName, newName))
        return;
    RenameFile(BuildRenamedPath(m_strPathName, newName));
}

BOOL CFileBasedDocument::RenameFile(const CString& newPath)
{
    CPFile* file = GetFileObject();
    const CString oldPath = file->GetPathName();
    try {
        file->Close();
    } catch (CException* e) {
        ReportSaveLoadException(oldPath, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        if (!file->IsOpen())
            ReopenQuietly();
        return FALSE;
    }

    try {
        file->RenameTo(newPath);
    } catch (CException* e) {
        ReopenQuietly();
        SetPathName(oldPath, FALSE);
        ReportSaveLoadException(newPath, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }

    file->SetPathName(newPath);
    CFileException error;
    CException* failure = OpenExclusive(&error);
    if (failure == nullptr) {
        SetPathName(newPath, TRUE);
        return TRUE;
    }

    // The file cannot be opened under its new name: move it back; when that
    // fails too, keep it under the new name, open however it can be.
    BOOL renamed = TRUE;
    try {
        file->RenameTo(oldPath);
        file->SetPathName(oldPath);
        renamed = FALSE;
    } catch (CException* e) {
        e->Delete();
    }
    ReopenQuietly();
    SetPathName(file->GetPathName(), renamed);
    ReportOpenFailure(this, newPath, failure, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return renamed;
}
