// CWnd: layout of bars, messages to descendants, control updates and modal loops.
#include "classlib/win/Wnd.h"

#include "classlib/CmdUI.h"
#include "classlib/WinThread.h"
#include "classlib/win/ThreadState.h"

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
    if (nAdjustType == adjustOutside) {
        // Scroll bars take room from the outside too.
        const DWORD dwStyle = GetStyle();
        if (dwStyle & WS_VSCROLL)
            lpClientRect->right += ::GetSystemMetrics(SM_CXVSCROLL);
        if (dwStyle & WS_HSCROLL)
            lpClientRect->bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    }
}

void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    if (lpLayout != nullptr && lpLayout->hDWP == nullptr)
        return; // only asking for sizes
    CRect rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(nullptr, hWndParent, reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (rectOld.EqualRect(lpRect))
        return; // already there: no needless repaint
    const UINT nFlags = SWP_NOACTIVATE | SWP_NOZORDER;
    if (lpLayout != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, nullptr, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, nFlags);
    else
        ::SetWindowPos(hWnd, nullptr, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, nFlags);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != nullptr)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    const UINT nMode = nFlags & ~reposNoPosLeftOver;
    layout.hDWP = nMode == reposQuery ? nullptr : ::BeginDeferWindowPos(8);

    // Each bar in turn takes its room from the rectangle and defers its move.
    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        const UINT nIDC = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        CWnd* pWnd = FromHandlePermanent(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && pWnd != nullptr)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nMode == reposQuery) {
        // The room left (stretching bars) or the room the bars take.
        if (bStretch)
            ::CopyRect(lpRectParam, &layout.rect);
        else
            ::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != nullptr) {
        CWnd* pLeftOver = FromHandle(hWndLeftOver);
        if (nMode == reposExtra && lpRectParam != nullptr) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        pLeftOver->CalcWindowRect(&layout.rect);
        if (!(nFlags & reposNoPosLeftOver))
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
    }

    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
}

namespace {

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
            if (pWnd != nullptr)
                AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
        } else {
            ::SendMessage(hWndChild, message, wParam, lParam);
        }
        // The child may have gone while it handled the message.
        if (bDeep && ::IsWindow(hWndChild) && ::GetTopWindow(hWndChild) != nullptr)
            SendToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

} // namespace

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    CWnd wndTemp; // stands for controls that have no object of their own
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(hWndChild));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue;
        CWnd* pCtrl = FromHandlePermanent(hWndChild);
        if (pCtrl == nullptr) {
            wndTemp.m_hWnd = hWndChild;
            pCtrl = &wndTemp;
        }
        state.m_pOther = pCtrl;
        // The control's own map has the first say.
        if (pCtrl != &wndTemp &&
            pCtrl->OnCmdMsg(state.m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr))
            continue;
        // Only push buttons are greyed for want of a handler: other controls carry data, not commands.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp) {
            const UINT nCode = static_cast<UINT>(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0));
            const UINT nStyle = static_cast<UINT>(::GetWindowLong(hWndChild, GWL_STYLE)) & 0x0F;
            bDisableTemp = (nCode & DLGC_BUTTON) &&
                           (nStyle == BS_PUSHBUTTON || nStyle == BS_DEFPUSHBUTTON || nStyle == BS_OWNERDRAW);
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
    wndTemp.m_hWnd = nullptr;
}

// --- modal loops

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL); // wake the loop up
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(m_hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    CWinThread* pThread = AfxGetThread();
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;

    while (ContinueModal()) {
        // Idle while the queue is empty.
        while (bIdle && !::PeekMessage(pMsg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndParent != nullptr && lIdleCount == 0)
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
            if (!ContinueModal())
                break;
        }
        if (!ContinueModal())
            break;

        if (!::GetMessage(pMsg, nullptr, 0, 0)) {
            // WM_QUIT: leave the loop and let the main loop see it too.
            ::PostQuitMessage(static_cast<int>(pMsg->wParam));
            m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
            return -1;
        }
        // The application's message filter sees every message of the loop, as in a dialog box.
        const BOOL bFiltered = pThread != nullptr && pThread->ProcessMessageFilter(MSGF_DIALOGBOX, pMsg);
        if (!bFiltered && pMsg->message != WM_KICKIDLE &&
            (pThread == nullptr || !pThread->PreTranslateMessage(pMsg))) {
            ::TranslateMessage(pMsg);
            ::DispatchMessage(pMsg);
        }
        if (bShowIdle && (pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_KEYDOWN)) {
            ShowWindow(SW_SHOWNORMAL);
            UpdateWindow();
            bShowIdle = FALSE;
        }
        if (pThread == nullptr || pThread->IsIdleMessage(pMsg)) {
            bIdle = TRUE;
            lIdleCount = 0;
        }
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}
