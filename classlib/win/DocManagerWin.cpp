// CDocManager: the operations that need windows (file dialog, New type chooser, bringing documents
// forward).
#include "classlib/DocManager.h"

#include "classlib/DocTemplate.h"
#include "classlib/Document.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "classlib/WinApp.h"
#include "classlib/win/FileDialog.h"
#include "classlib/win/NewTypeChooser.h"
#include "classlib/win/View.h"

#include <vector>

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    CString ext;
    if (pTemplate != nullptr && pTemplate->GetDocString(ext, CDocTemplate::filterExt) && ext.Left(1) == ".")
        ext = ext.Mid(1);
    int nDefault = 0;
    const CString filter = BuildFilter(pTemplate, &nDefault);
    CFileDialog dlg(bOpenFileDialog, ext, fileName, lFlags, filter, AfxGetMainWnd());
    CString title;
    AfxLoadStringResource(nIDSTitle, title);
    dlg.m_ofn.lpstrTitle = title.IsEmpty() ? nullptr : static_cast<LPCTSTR>(title);
    dlg.m_ofn.nFilterIndex = static_cast<DWORD>(nDefault != 0 ? nDefault : 1);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    fileName = dlg.GetPathName();
    return TRUE;
}

void CDocManager::ActivateOpenDocument(CDocument* pDocument)
{
    POSITION pos = pDocument->GetFirstViewPosition();
    if (pos == nullptr) {
        // Open without a window (held by someone else): it gets one now.
        CDocTemplate* pTemplate = pDocument->GetDocTemplate();
        if (pTemplate == nullptr || pTemplate->GetFrameClass() == nullptr ||
            AfxGetDocViewServices() == nullptr)
            return;
        CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDocument, nullptr);
        if (pFrame == nullptr) {
            AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
            return;
        }
        pTemplate->InitialUpdateFrame(pFrame, pDocument);
        return;
    }
    CFrameWnd* pFrame = pDocument->GetNextView(pos)->GetParentFrame();
    if (pFrame == nullptr)
        return;
    pFrame->ActivateFrame(-1);
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd != pFrame && pMainWnd->IsFrameWnd())
        static_cast<CFrameWnd*>(pMainWnd)->ActivateFrame(-1);
}

CDocTemplate* CDocManager::ChooseNewTemplate()
{
    std::vector<CDocTemplate*> templates;
    std::vector<CString> names;
    POSITION pos = GetFirstDocTemplatePosition();
    while (pos != nullptr) {
        CDocTemplate* pTemplate = GetNextDocTemplate(pos);
        CString name;
        if (pTemplate->GetDocString(name, CDocTemplate::fileNewName)) {
            templates.push_back(pTemplate);
            names.push_back(name);
        }
    }
    if (templates.empty()) {
        pos = GetFirstDocTemplatePosition();
        return pos != nullptr ? GetNextDocTemplate(pos) : nullptr;
    }
    if (templates.size() == 1)
        return templates.front();
    const int nChosen = AfxChooseNewType(AfxGetMainWnd(), names);
    return nChosen >= 0 && nChosen < static_cast<int>(templates.size())
               ? templates[static_cast<size_t>(nChosen)]
               : nullptr;
}
