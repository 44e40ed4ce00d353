#include "database/file/FileDocTemplate.h"

#include "classlib/Archive.h"
#include "classlib/ClassLibIds.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"
#include "database/file/DocHeader.h"

IMPLEMENT_DYNAMIC(CFileDocTemplate, CMultiDocTemplate)

CFileDocTemplate::CFileDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                   CRuntimeClass* pViewClass, WORD docType, WORD maxVersion)
    : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_docType(docType),
      m_maxVersion(maxVersion)
{
}

BOOL CFileDocTemplate::CheckHeader(CArchive& ar)
{
    return CheckDocumentHeader(ar, m_docType, m_maxVersion);
}

CDocTemplate::Confidence CFileDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    const Confidence plain = CMultiDocTemplate::MatchDocType(lpszPathName, rpDocMatch);
    if (plain == noAttempt || rpDocMatch != nullptr)
        return plain;

    // Whatever goes wrong while peeking stays here: the file then keeps the
    // plain confidence and its open reports the failure.
    CFile file;
    CFileException error;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &error))
        return plain;
    try {
        if (file.GetLength() == 0)
            return plain;
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        const BOOL accepted = CheckHeader(ar);
        ar.Close();
        return accepted ? yesAttemptNative : noAttempt;
    } catch (CException* e) {
        e->Delete();
        return plain;
    }
}

CDocument* CFileDocTemplate::FindOpenDocument(LPCTSTR lpszPathName) const
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && AfxComparePath(pDoc->GetPathName(), lpszPathName))
            return pDoc;
    }
    return nullptr;
}

CDocument* CFileDocTemplate::OpenDocumentFileEx(LPCTSTR lpszPathName, UINT nFlags)
{
    const BOOL wantFrame = (nFlags & CFileBasedDocument::OpenNoFrame) == 0;
    const BOOL makeFrame = wantFrame && HasWindows();

    if (lpszPathName != nullptr && (nFlags & CFileBasedDocument::OpenCreateNew) == 0) {
        CDocument* pOpen = FindOpenDocument(lpszPathName);
        if (pOpen != nullptr) {
            CFileBasedDocument* pFileDoc = DYNAMIC_DOWNCAST(CFileBasedDocument, pOpen);
            if (pFileDoc != nullptr && (nFlags & CFileBasedDocument::OpenForWriting) != 0 &&
                pFileDoc->IsReadOnly()) {
                CFileException denied(CFileException::accessDenied, -1, lpszPathName);
                pOpen->ReportSaveLoadException(lpszPathName, &denied, TRUE, AFX_IDP_FAILED_ACCESS_WRITE);
                return nullptr;
            }
            if (makeFrame && pOpen->GetViewCount() == 0) {
                CFrameWnd* pFrame = CreateNewFrame(pOpen, nullptr);
                if (pFrame == nullptr) {
                    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
                    return nullptr;
                }
                InitialUpdateFrame(pFrame, pOpen, TRUE);
                if (AfxGetApp() != nullptr)
                    AfxGetApp()->AddToRecentFileList(pOpen->GetPathName());
            }
            return pOpen;
        }
    }

    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }

    if (!LoadNewDocument(pDocument, lpszPathName, nFlags)) {
        delete pDocument;
        return nullptr;
    }

    if (makeFrame && pDocument->GetViewCount() == 0) {
        const BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == nullptr) {
            AfxRestoreWaitCursor();
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            delete pDocument;
            return nullptr;
        }
        InitialUpdateFrame(pFrame, pDocument, TRUE);
    }
    return pDocument;
}

BOOL CFileDocTemplate::LoadNewDocument(CDocument* pDocument, LPCTSTR lpszPathName, UINT nFlags)
{
    // The document reports its own failures; anything it lets pass is
    // reported here, once, and the caller drops the half-made document.
    try {
        if (lpszPathName == nullptr) {
            SetDefaultTitle(pDocument);
            if (!pDocument->OnNewDocument())
                return FALSE;
            ++m_nUntitledCount;
            return TRUE;
        }
        CFileBasedDocument* pFileDoc = DYNAMIC_DOWNCAST(CFileBasedDocument, pDocument);
        CWaitCursor wait;
        const BOOL opened = pFileDoc != nullptr ? pFileDoc->OpenFile(lpszPathName, nFlags)
                                                : pDocument->OnOpenDocument(lpszPathName);
        if (!opened)
            return FALSE;
        const BOOL wantFrame = (nFlags & CFileBasedDocument::OpenNoFrame) == 0;
        pDocument->SetPathName(lpszPathName,
                               wantFrame && (nFlags & CFileBasedDocument::OpenNoRecentList) == 0);
        return TRUE;
    } catch (CException* e) {
        pDocument->ReportSaveLoadException(lpszPathName != nullptr ? lpszPathName : "", e, FALSE,
                                           lpszPathName != nullptr ? AFX_IDP_FAILED_TO_OPEN_DOC
                                                                   : AFX_IDP_FAILED_TO_CREATE_DOC);
        e->Delete();
        return FALSE;
    }
}

void CFileDocTemplate::ShowDocument(CDocument* pDocument)
{
    if (!HasWindows())
        return;
    const BOOL bAutoDelete = pDocument->m_bAutoDelete;
    pDocument->m_bAutoDelete = FALSE;
    CFrameWnd* pFrame = CreateNewFrame(pDocument, nullptr);
    pDocument->m_bAutoDelete = bAutoDelete;
    if (pFrame == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        delete pDocument;
        return;
    }
    InitialUpdateFrame(pFrame, pDocument, TRUE);
}

void CFileDocTemplate::UpdateAllDocuments(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CFileBasedDocument* pDoc = DYNAMIC_DOWNCAST(CFileBasedDocument, GetNextDoc(pos));
        if (pDoc != nullptr)
            pDoc->UpdateAllViewsAndNotify(pSender, lHint, pHint);
    }
}
