#include "classlib/DocTemplate.h"

#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"

#include <cstdio>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass), m_pViewClass(pViewClass)
{
    LoadTemplate();
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0)
        AfxLoadStringResource(m_nIDResource, m_strDocStrings);
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(pDoc != nullptr && pDoc->m_pDocTemplate == nullptr);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(pDoc != nullptr && pDoc->m_pDocTemplate == this);
    pDoc->m_pDocTemplate = nullptr;
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    // Walk to the index-th "\n"-separated part.
    const char* p = m_strDocStrings;
    for (int i = 0; i < static_cast<int>(index); ++i) {
        p = std::strchr(p, '\n');
        if (p == nullptr) {
            rString.Empty();
            return FALSE;
        }
        ++p;
    }
    const char* end = std::strchr(p, '\n');
    rString = end ? CString(p, static_cast<int>(end - p)) : CString(p);
    return !rString.IsEmpty();
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = nullptr;
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        CDocument* pDoc = GetNextDoc(pos);
        if (AfxComparePath(pDoc->GetPathName(), lpszPathName)) {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString ext;
    if (GetDocString(ext, filterExt) && lpszPathName != nullptr) {
        const char* dot = std::strrchr(lpszPathName, '.');
        const char* sep = std::strrchr(lpszPathName, '\\');
        if (dot != nullptr && (sep == nullptr || dot > sep) && ext.CompareNoCase(dot) == 0)
            return yesAttemptNative;
    }
    return yesAttemptForeign;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    if (m_pDocClass == nullptr)
        return nullptr;
    CObject* pObject = m_pDocClass->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    ASSERT(pObject->IsKindOf(RUNTIME_CLASS(CDocument)));
    CDocument* pDocument = static_cast<CDocument*>(pObject);
    AddDocument(pDocument);
    return pDocument;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CDocViewServices* pServices = AfxGetDocViewServices();
    return pServices ? pServices->CreateNewFrame(this, pDoc, pOther) : nullptr;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    if (CDocViewServices* pServices = AfxGetDocViewServices())
        pServices->InitialUpdateFrame(this, pFrame, pDoc, bMakeVisible);
}

BOOL CDocTemplate::SaveAllModified()
{
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr) {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // Closing deletes documents and so edits the list: collect them first.
    std::vector<CDocument*> docs;
    POSITION pos = GetFirstDocPosition();
    while (pos != nullptr)
        docs.push_back(GetNextDoc(pos));
    for (CDocument* pDoc : docs)
        pDoc->OnCloseDocument();
}

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                     CRuntimeClass* pViewClass)
    : CDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass), m_nUntitledCount(0)
{
#ifdef _WIN32
    if (nIDResource != 0) {
        HINSTANCE hInstance = ::GetModuleHandle(nullptr);
        m_hMenuShared = ::LoadMenu(hInstance, MAKEINTRESOURCE(nIDResource));
        m_hAccelTable = ::LoadAccelerators(hInstance, MAKEINTRESOURCE(nIDResource));
    }
#endif
}

CMultiDocTemplate::~CMultiDocTemplate()
{
#ifdef _WIN32
    if (m_hMenuShared != nullptr)
        ::DestroyMenu(m_hMenuShared);
#endif
    POSITION pos = m_docList.GetHeadPosition();
    while (pos != nullptr)
        static_cast<CDocument*>(m_docList.GetNext(pos))->m_pDocTemplate = nullptr;
}

POSITION CMultiDocTemplate::GetFirstDocPosition() const
{
    return m_docList.GetHeadPosition();
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& rPos) const
{
    return static_cast<CDocument*>(m_docList.GetNext(rPos));
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    CDocTemplate::RemoveDocument(pDoc);
    POSITION pos = m_docList.Find(pDoc);
    if (pos != nullptr)
        m_docList.RemoveAt(pos);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* pDocument)
{
    CString title;
    if (GetDocString(title, docName)) {
        char number[16];
        std::snprintf(number, sizeof number, "%u", m_nUntitledCount + 1);
        title += number;
    } else {
        title.LoadString(AFX_IDS_UNTITLED);
    }
    pDocument->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible)
{
    CDocument* pDocument = CreateNewDocument();
    if (pDocument == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return nullptr;
    }

    CFrameWnd* pFrame = nullptr;
    if (HasWindows()) {
        // The frame must not delete the document should it fail half-way.
        const BOOL bAutoDelete = pDocument->m_bAutoDelete;
        pDocument->m_bAutoDelete = FALSE;
        pFrame = CreateNewFrame(pDocument, nullptr);
        pDocument->m_bAutoDelete = bAutoDelete;
        if (pFrame == nullptr) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            delete pDocument;
            return nullptr;
        }
    }

    // Without a frame nobody else deletes a document that failed to load.
    auto abandon = [&]() {
        if (pFrame != nullptr)
            AfxGetDocViewServices()->DestroyFrame(pFrame);
        else
            delete pDocument;
    };

    // The document reports its own failures; anything it lets pass is
    // reported here, once, and the half-made document goes.
    BOOL bLoaded = FALSE;
    try {
        if (lpszPathName == nullptr) {
            SetDefaultTitle(pDocument);
            if (!bMakeVisible)
                pDocument->m_bEmbedded = TRUE;
            bLoaded = pDocument->OnNewDocument();
            if (bLoaded)
                ++m_nUntitledCount;
        } else {
            CWaitCursor wait;
            bLoaded = pDocument->OnOpenDocument(lpszPathName);
            if (bLoaded)
                pDocument->SetPathName(lpszPathName);
        }
    } catch (CException* e) {
        pDocument->ReportSaveLoadException(lpszPathName != nullptr ? lpszPathName : "", e, FALSE,
                                           lpszPathName != nullptr ? AFX_IDP_FAILED_TO_OPEN_DOC
                                                                   : AFX_IDP_FAILED_TO_CREATE_DOC);
        e->Delete();
        bLoaded = FALSE;
    }
    if (!bLoaded) {
        abandon();
        return nullptr;
    }

    if (pFrame != nullptr)
        InitialUpdateFrame(pFrame, pDocument, bMakeVisible);
    return pDocument;
}
