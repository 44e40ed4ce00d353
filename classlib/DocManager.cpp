#include "classlib/DocManager.h"

#include "classlib/DocTemplate.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"

#include <vector>

IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocManager::~CDocManager()
{
    CloseAllDocuments(TRUE);
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    ASSERT(pTemplate != nullptr);
    if (m_templateList.Find(pTemplate) == nullptr)
        m_templateList.AddTail(pTemplate);
}

POSITION CDocManager::GetFirstDocTemplatePosition() const
{
    return m_templateList.GetHeadPosition();
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
}

int CDocManager::GetDocumentCount()
{
    int n = 0;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        POSITION docPos = pTemplate->GetFirstDocPosition();
        while (docPos != nullptr) {
            pTemplate->GetNextDoc(docPos);
            ++n;
        }
    }
    return n;
}

CDocument* CDocManager::OpenDocumentFile(LPCTSTR lpszFileName)
{
    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CDocument* pMatch = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(lpszFileName, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
        }
        if (match == CDocTemplate::yesAlreadyOpen) {
            pOpenDocument = pMatch;
            break;
        }
    }
    if (pOpenDocument != nullptr) {
        ActivateOpenDocument(pOpenDocument);
        return pOpenDocument;
    }
    if (pBestTemplate == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_OPEN_DOC);
        return nullptr;
    }
    return pBestTemplate->OpenDocumentFile(lpszFileName);
}

BOOL CDocManager::SaveAllModified()
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL bEndSession)
{
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

void CDocManager::OnFileNew()
{
    CDocTemplate* pTemplate = ChooseNewTemplate();
    if (pTemplate != nullptr)
        pTemplate->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen()
{
    CString fileName;
    if (!DoPromptFileName(fileName, AFX_IDS_OPENFILE, 0x1004 /* file must exist, hide read-only */, TRUE,
                          nullptr))
        return;
    OpenDocumentFile(fileName);
}

CString CDocManager::BuildFilter(CDocTemplate* pTemplate, int* pnDefault) const
{
    // The given template's filter comes first so that the dialog starts on it.
    std::vector<CDocTemplate*> order;
    if (pTemplate != nullptr)
        order.push_back(pTemplate);
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* p = GetNextDocTemplate(pos);
        if (p != pTemplate)
            order.push_back(p);
    }
    CString filter;
    int nIndex = 0;
    if (pnDefault != nullptr)
        *pnDefault = 0;
    for (CDocTemplate* p : order) {
        CString name, ext;
        if (!p->GetDocString(name, CDocTemplate::filterName) ||
            !p->GetDocString(ext, CDocTemplate::filterExt))
            continue;
        filter += name;
        filter += "|*";
        filter += ext;
        filter += "|";
        ++nIndex;
        if (p == pTemplate && pnDefault != nullptr)
            *pnDefault = nIndex;
    }
    CString all;
    if (!AfxLoadStringResource(AFX_IDS_ALLFILTER, all))
        all = "All Files (*.*)";
    filter += all;
    filter += "|*.*|";
    return filter;
}

#ifndef _WIN32
BOOL CDocManager::DoPromptFileName(CString&, UINT, DWORD, BOOL, CDocTemplate*)
{
    return FALSE;
}

void CDocManager::ActivateOpenDocument(CDocument*) {}

CDocTemplate* CDocManager::ChooseNewTemplate()
{
    POSITION pos = GetFirstDocTemplatePosition();
    return pos != nullptr ? GetNextDocTemplate(pos) : nullptr;
}
#endif
