// CDocManager: the operations that need windows (file dialog, New type chooser, bringing documents
// forward).
#include "classlib/DocManager.h"

#include "classlib/DocTemplate.h"
#include "classlib/Document.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"
#include "classlib/WinApp.h"
#include "classlib/win/DocFileDialog.h"
#include "classlib/win/NewTypeChooser.h"
#include "classlib/win/View.h"

#include <vector>

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                                   CDocTemplate* pTemplate)
{
    CDocFileDialogRequest request;
    request.bOpen = bOpenFileDialog;
    AfxLoadStringResource(nIDSTitle, request.title);
    int nDefault = 0;
    request.filter = BuildFilter(pTemplate, &nDefault);
    request.nFilterIndex = nDefault != 0 ? nDefault : 1;
    CString ext;
    if (pTemplate != nullptr && pTemplate->GetDocString(ext, CDocTemplate::filterExt))
        request.defaultExt = ext[0] == '.' ? ext.Mid(1) : ext;
    request.flags = lFlags;
    request.pOwner = AfxGetMainWnd();
    return AfxRunDocFileDialog(request, fileName);
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
