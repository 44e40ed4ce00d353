// A frame's print preview mode: what it puts away while a preview holds it, and gives back after.
#include "classlib/win/FrameWnd.h"

#include "classlib/ClassLibIds.h"
#include "classlib/win/ControlBar.h"
#include "classlib/win/DockBar.h"
#include "classlib/win/PreviewView.h"

void CFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (bPreview) {
        if (m_bPreviewMode)
            return;
        m_bPreviewMode = TRUE;
        pState->hMenu = ::GetMenu(m_hWnd);
        ::SetMenu(m_hWnd, nullptr);
        pState->hAccelTable = m_hAccelTable;
        m_hAccelTable = nullptr;
        pState->lpfnCloseProcOld = m_lpfnCloseProc;
        m_lpfnCloseProc = pState->lpfnCloseProc;
        pState->pViewActiveOld = GetActiveView();
        // The bars the user sees go; dock bars follow their bars and the status bar stays.
        pState->hiddenBars.clear();
        POSITION pos = m_listControlBars.GetHeadPosition();
        while (pos != nullptr) {
            auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
            if (pBar->IsKindOf(RUNTIME_CLASS(CDockBar)) || pBar->GetDlgCtrlID() == AFX_IDW_STATUS_BAR ||
                !pBar->IsVisible())
                continue;
            pState->hiddenBars.push_back(pBar->m_hWnd);
        }
        for (HWND hWndBar : pState->hiddenBars)
            ShowControlBar(static_cast<CControlBar*>(CWnd::FromHandlePermanent(hWndBar)), FALSE, FALSE);
        // The pane steps aside for the preview, which takes its id.
        CWnd* pPane = GetDlgItem(pState->nIDMainPane);
        if (pPane != nullptr) {
            pPane->ShowWindow(SW_HIDE);
            pPane->SetDlgCtrlID(AFX_IDW_PANE_SAVE);
        }
        return;
    }
    if (!m_bPreviewMode)
        return;
    m_bPreviewMode = FALSE;
    CWnd* pPane = GetDlgItem(AFX_IDW_PANE_SAVE);
    if (pPane != nullptr) {
        pPane->SetDlgCtrlID(pState->nIDMainPane);
        pPane->ShowWindow(SW_SHOW);
    }
    for (HWND hWndBar : pState->hiddenBars) {
        auto* pBar = dynamic_cast<CControlBar*>(CWnd::FromHandlePermanent(hWndBar));
        if (pBar != nullptr)
            ShowControlBar(pBar, TRUE, FALSE);
    }
    pState->hiddenBars.clear();
    m_lpfnCloseProc = pState->lpfnCloseProcOld;
    m_hAccelTable = pState->hAccelTable;
    ::SetMenu(m_hWnd, pState->hMenu);
    CView* pView = pState->pViewActiveOld;
    if (pView != nullptr && ::IsWindow(pView->m_hWnd))
        SetActiveView(pView);
    RecalcLayout();
    // Everything the preview covered is drawn again.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}
