// CView's side of print preview: starting it in the frame and ending it.
#include "classlib/win/View.h"

#include "classlib/ClassLibIds.h"
#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"
#include "classlib/win/DialogBar.h"
#include "classlib/win/DialogTemplate.h"
#include "classlib/win/PreviewDC.h"
#include "classlib/win/PreviewView.h"
#include "classlib/win/PrintInfo.h"

namespace {

// The class library's own preview bar: the page, zoom, print and close buttons in a row.
BOOL CreateDefaultPreviewBar(CDialogBar* pBar, CFrameWnd* pFrame)
{
    struct Button
    {
        WORD nID;
        const char* text;
    };
    static const Button buttons[] = {
        {AFX_ID_PREVIEW_PRINT, "&Print..."}, {AFX_ID_PREVIEW_NEXT, "&Next Page"},
        {AFX_ID_PREVIEW_PREV, "Pre&v Page"}, {AFX_ID_PREVIEW_NUMPAGE, "&Two Page"},
        {AFX_ID_PREVIEW_ZOOMIN, "Zoom &In"}, {AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out"},
        {AFX_ID_PREVIEW_CLOSE, "&Close"},
    };
    const short cxButton = 44;
    const short nCount = static_cast<short>(sizeof(buttons) / sizeof(buttons[0]));
    CDialogTemplate dlg(WS_CHILD | DS_CONTROL, 0, 0, 0, static_cast<short>(4 + nCount * (cxButton + 4)), 18,
                        "", "MS Shell Dlg", 8);
    for (short i = 0; i < nCount; ++i) {
        dlg.AddItem(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                    static_cast<short>(4 + i * (cxButton + 4)), 2, cxButton, 14, buttons[i].nID,
                    AFX_DLGCLASS_BUTTON, buttons[i].text);
    }
    return pBar->CreateIndirect(pFrame, dlg.Get(), WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_PREVIEW_BAR);
}

BOOL CreatePreviewBar(CDialogBar* pBar, CFrameWnd* pFrame, UINT nIDResource)
{
    if (nIDResource == AFX_IDD_PREVIEW_TOOLBAR &&
        ::FindResource(::GetModuleHandle(nullptr), MAKEINTRESOURCE(nIDResource), RT_DIALOG) == nullptr)
        return CreateDefaultPreviewBar(pBar, pFrame);
    return pBar->Create(pFrame, nIDResource, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_PREVIEW_BAR);
}

// The frame a preview takes over: the main window when it is a frame (an MDI program's views preview in
// the main frame), else the view's own.
CFrameWnd* PreviewFrame(CView* pView)
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain != nullptr && pMain->IsFrameWnd())
        return static_cast<CFrameWnd*>(pMain);
    return pView->GetParentFrame();
}

} // namespace

BOOL CView::DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                           CPrintPreviewState* pState)
{
    CFrameWnd* pFrame = PreviewFrame(this);
    if (pFrame == nullptr || pPrintView == nullptr || pState == nullptr || pPreviewViewClass == nullptr ||
        !pPreviewViewClass->IsDerivedFrom(RUNTIME_CLASS(CPreviewView)) || pFrame->IsInPreviewMode())
        return FALSE;
    auto* pView = static_cast<CPreviewView*>(pPreviewViewClass->CreateObject());
    if (pView == nullptr)
        return FALSE;
    pView->m_pOrigView = this;
    pFrame->OnSetPreviewMode(TRUE, pState);

    auto* pBar = new CDialogBar;
    pBar->m_bAutoDelete = TRUE;
    pView->m_pToolBar = pBar;
    BOOL bStarted = FALSE;
    BOOL bViewMade = FALSE;
    try {
        if (CreatePreviewBar(pBar, pFrame, nIDResource)) {
            CCreateContext context;
            context.m_pCurrentFrame = pFrame;
            context.m_pLastView = this;
            // The view deletes itself should its window fail.
            bViewMade = pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), pFrame,
                                      AFX_IDW_PANE_FIRST, &context);
            bStarted = bViewMade && pView->SetPrintView(pPrintView);
        }
    } catch (CException*) {
        bStarted = FALSE;
        // Reported by the caller's command handling; the frame is given back first.
        if (!bViewMade)
            delete pView;
        else if (::IsWindow(pView->m_hWnd))
            pView->DestroyWindow();
        if (::IsWindow(pBar->m_hWnd))
            pBar->DestroyWindow();
        else
            delete pBar;
        pFrame->OnSetPreviewMode(FALSE, pState);
        throw;
    }
    if (!bStarted) {
        if (bViewMade) {
            if (pView->m_bPrintingBegun)
                pPrintView->OnEndPrinting(pView->m_pPreviewDC, pView->m_pPreviewInfo);
            pView->DestroyWindow();
        } else if (pBar->m_hWnd == nullptr || !::IsWindow(pBar->m_hWnd)) {
            // The view never got a window (the bar failed first).
            delete pView;
        }
        if (::IsWindow(pBar->m_hWnd))
            pBar->DestroyWindow();
        else
            delete pBar;
        pFrame->OnSetPreviewMode(FALSE, pState);
        return FALSE;
    }
    pView->m_pPreviewState = pState;
    pFrame->SetActiveView(pView);
    pFrame->RecalcLayout();
    pBar->OnUpdateCmdUI(pFrame, TRUE);
    pView->UpdateWindow();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    if (pView->m_bPrintingBegun) {
        pView->m_bPrintingBegun = FALSE;
        OnEndPrinting(pDC, pInfo);
    }
    CFrameWnd* pFrame = pView->GetParentFrame();
    if (pView->m_pToolBar != nullptr && ::IsWindow(pView->m_pToolBar->m_hWnd))
        pView->m_pToolBar->DestroyWindow();
    pView->m_pToolBar = nullptr;
    CPrintPreviewState* pState = pView->m_pPreviewState;
    pView->m_pPreviewState = nullptr;
    if (pFrame != nullptr && pFrame->GetActiveView() == pView)
        pFrame->SetActiveView(nullptr, FALSE);
    pView->DestroyWindow(); // the preview object goes with it
    if (pFrame != nullptr && pState != nullptr)
        pFrame->OnSetPreviewMode(FALSE, pState);
    delete pState;
}

void CView::OnFilePrintPreview()
{
    auto* pState = new CPrintPreviewState;
    if (!DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, this, RUNTIME_CLASS(CPreviewView), pState)) {
        AfxMessageBox(AFX_IDP_COMMAND_FAILURE);
        delete pState;
    }
}
