#include "classlib/Document.h"

#include "classlib/Archive.h"
#include "classlib/DocTemplate.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "classlib/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
ON_COMMAND(ID_FILE_SAVE, OnFileSave)
ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

namespace {

CDocViewServices* g_pDocViewServices = nullptr;

} // namespace

CDocViewServices* AfxSetDocViewServices(CDocViewServices* pServices)
{
    CDocViewServices* pOld = g_pDocViewServices;
    g_pDocViewServices = pServices;
    return pOld;
}

CDocViewServices* AfxGetDocViewServices()
{
    return g_pDocViewServices;
}

CDocument::CDocument() : m_bAutoDelete(TRUE), m_bEmbedded(FALSE), m_pDocTemplate(nullptr), m_bModified(FALSE)
{
}

CDocument::~CDocument()
{
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    if (g_pDocViewServices != nullptr)
        g_pDocViewServices->UpdateFrameCounts(this);
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    // Kept full, so that every spelling of the path finds the document.
    m_strPathName = AfxFullPath(lpszPathName);
    m_bEmbedded = FALSE;
    SetTitle(AfxGetFileTitle(m_strPathName));
    if (bAddToMRU && AfxGetApp() != nullptr)
        AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView)
{
    ASSERT(pView != nullptr);
    if (m_viewList.Find(pView) != nullptr)
        return;
    m_viewList.AddTail(pView);
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (g_pDocViewServices == nullptr)
        return;
    // A view may close itself while updating: walk a copy.
    CPtrList views;
    views.AddTail(&m_viewList);
    POSITION pos = views.GetHeadPosition();
    while (pos != nullptr) {
        CView* pView = static_cast<CView*>(views.GetNext(pos));
        if (pView != pSender)
            g_pDocViewServices->UpdateView(pView, pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    // The last view gone closes an auto-deleting document.
    if (m_viewList.IsEmpty() && m_bAutoDelete) {
        OnCloseDocument();
        return;
    }
    if (g_pDocViewServices != nullptr)
        g_pDocViewServices->UpdateFrameCounts(this);
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError)) {
        delete pFile;
        return nullptr;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    if (pFile == nullptr)
        return;
    if (bAbort) {
        pFile->Abort();
    } else {
        try {
            pFile->Close();
        } catch (...) {
            delete pFile;
            throw;
        }
    }
    delete pFile;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == nullptr) {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }
    DeleteContents();
    SetModifiedFlag(TRUE); // dirty while loading, so a failed load is never taken for a clean document
    try {
        CArchive loadArchive(pFile, CArchive::load | CArchive::bNoFlushOnDelete);
        loadArchive.m_pDocument = this;
        AfxBeginWaitCursor();
        Serialize(loadArchive);
        loadArchive.Close();
        AfxEndWaitCursor();
        ReleaseFile(pFile, FALSE);
    } catch (CException* e) {
        AfxEndWaitCursor();
        ReleaseFile(pFile, TRUE);
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile =
        GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == nullptr) {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    try {
        CArchive saveArchive(pFile, CArchive::store | CArchive::bNoFlushOnDelete);
        saveArchive.m_pDocument = this;
        AfxBeginWaitCursor();
        Serialize(saveArchive);
        saveArchive.Close();
        AfxEndWaitCursor();
        ReleaseFile(pFile, FALSE);
    } catch (CException* e) {
        AfxEndWaitCursor();
        ReleaseFile(pFile, TRUE);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // Frames closing would otherwise delete the document under our feet.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    if (g_pDocViewServices != nullptr)
        g_pDocViewServices->CloseDocumentFrames(this);
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    AfxReportSaveLoadException(lpszPathName, e, bSaving, nIDPDefault);
}

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    CString name;
    if (m_strPathName.IsEmpty()) {
        name = m_strTitle;
        if (name.IsEmpty())
            name.LoadString(AFX_IDS_UNTITLED);
    } else {
        name = AfxGetFileTitle(m_strPathName);
    }
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_ASK_TO_SAVE, name);
    switch (AfxMessageBox(prompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE; // the changes are given up with the document
    default:
        return FALSE;
    }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Without the window half no frame shows the document; with it, only the last frame asks to save.
    if (g_pDocViewServices != nullptr) {
        POSITION pos = GetFirstViewPosition();
        while (pos != nullptr) {
            if (g_pDocViewServices->GetViewFrame(GetNextView(pos)) != pFrame)
                return TRUE;
        }
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

BOOL CDocument::DoFileSave()
{
    if (m_strPathName.IsEmpty())
        return DoSave(nullptr);
    CFileStatus status;
    if (CFile::GetStatus(m_strPathName, status) && (status.m_attribute & CFile::readOnly) != 0)
        return DoSave(nullptr);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString newName = lpszPathName;
    if (newName.IsEmpty()) {
        newName = m_strPathName;
        if (bReplace && newName.IsEmpty()) {
            newName = m_strTitle;
            CString ext;
            if (m_pDocTemplate != nullptr && m_pDocTemplate->GetDocString(ext, CDocTemplate::filterExt) &&
                !ext.IsEmpty())
                newName += ext;
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == nullptr ||
            !pApp->DoPromptFileName(newName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                    0x806 /* hide read-only, path must exist, confirm overwrite */, FALSE,
                                    m_pDocTemplate))
            return FALSE;
    }
    if (!OnSaveDocument(newName)) {
        if (lpszPathName == nullptr) {
            // A file made by a failed "Save As" is not left behind.
            try {
                CFile::Remove(newName);
            } catch (CException* e) {
                e->Delete();
            }
        }
        return FALSE;
    }
    if (bReplace)
        SetPathName(newName);
    return TRUE;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

void CDocument::OnFileSave()
{
    DoFileSave();
}

void CDocument::OnFileSaveAs()
{
    DoSave(nullptr);
}

UINT AfxGetSaveLoadPrompt(CException* e, BOOL bSaving, UINT nIDPDefault)
{
    if (e == nullptr)
        return nIDPDefault;
    if (e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return 0;
    if (e->IsKindOf(RUNTIME_CLASS(CArchiveException))) {
        switch (static_cast<CArchiveException*>(e)->m_cause) {
        case CArchiveException::endOfFile:
        case CArchiveException::badIndex:
        case CArchiveException::badClass:
        case CArchiveException::badSchema:
            return AFX_IDP_FAILED_INVALID_FORMAT;
        default:
            return nIDPDefault;
        }
    }
    if (e->IsKindOf(RUNTIME_CLASS(CFileException))) {
        switch (static_cast<CFileException*>(e)->m_cause) {
        case CFileException::generic:
        case CFileException::tooManyOpenFiles:
        case CFileException::invalidFile:
        case CFileException::directoryFull:
        case CFileException::badSeek:
        case CFileException::hardIO:
            return bSaving ? AFX_IDP_FAILED_IO_ERROR_WRITE : AFX_IDP_FAILED_IO_ERROR_READ;
        case CFileException::fileNotFound:
        case CFileException::badPath:
            return AFX_IDP_FAILED_INVALID_PATH;
        case CFileException::accessDenied:
            return bSaving ? AFX_IDP_FAILED_ACCESS_WRITE : AFX_IDP_FAILED_ACCESS_READ;
        case CFileException::diskFull:
            return AFX_IDP_FAILED_DISK_FULL;
        default:
            return nIDPDefault;
        }
    }
    return nIDPDefault;
}

void AfxReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving, UINT nIDPDefault)
{
    if (e != nullptr && e->IsKindOf(RUNTIME_CLASS(CFileException))) {
        CFileException* fe = static_cast<CFileException*>(e);
        if (fe->m_strFileName.IsEmpty())
            fe->m_strFileName = lpszPathName;
    }
    const UINT nIDP = AfxGetSaveLoadPrompt(e, bSaving, nIDPDefault);
    if (nIDP == 0)
        return;
    CString prompt;
    AfxFormatString1(prompt, nIDP, AfxGetFileTitle(lpszPathName));
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDP);
}

CString AfxGetFileTitle(LPCTSTR lpszPathName)
{
    const CString path(lpszPathName);
    int start = path.GetLength();
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != '/' && path[start - 1] != ':')
        --start;
    CString title = path.Mid(start);
    if (title.GetLength() > 255)
        title = title.Left(255);
    return title;
}

BOOL AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2)
{
    const CString path1 = AfxFullPath(lpszPath1);
    const CString path2 = AfxFullPath(lpszPath2);
    if (path1.IsEmpty() || path2.IsEmpty())
        return FALSE;
    return path1.CompareNoCase(path2) == 0;
}
