// CWnd: tooltips of a window's child controls, kept in one tooltip control per thread.
//
// A window with tooltips enabled is asked on every mouse message (through the thread's tooltip filter,
// called from PreTranslateMessage) which tool lies under the mouse (OnToolHitTest); when the tool changes,
// the thread's tooltip control forgets the old one and learns the new one, and every mouse message is
// relayed to it. Tool texts come back through TTN_NEEDTEXT, answered from the string table.
#include "classlib/win/Wnd.h"

#include "classlib/Resources.h"
#include "classlib/win/ThreadState.h"
#include "classlib/win/ToolTipCtrl.h"

#include <cstdlib>

CString AfxLoadToolTipText(UINT nID)
{
    CString full;
    if (nID == 0 || !AfxLoadStringResource(nID, full))
        return CString();
    const int nFirst = full.Find('\n');
    if (nFirst < 0)
        return CString();
    CString tip = full.Mid(nFirst + 1);
    const int nSecond = tip.Find('\n');
    return nSecond < 0 ? tip : tip.Left(nSecond);
}

void CWnd::FilterToolTipThunk(MSG* pMsg, CWnd* pWnd)
{
    pWnd->FilterToolTipMessage(pMsg);
}

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    const BOOL bWasEnabled = (m_nFlags & WF_TOOLTIPS) != 0;
    AFX_MODULE_THREAD_STATE* pState = AfxGetModuleThreadState();
    if (bEnable) {
        m_nFlags |= WF_TOOLTIPS;
        // The filter runs for every message: install it with the first window that wants tips.
        if (pState->m_pfnFilterToolTipMessage == nullptr)
            pState->m_pfnFilterToolTipMessage = &CWnd::FilterToolTipThunk;
    } else {
        m_nFlags &= ~WF_TOOLTIPS;
        if (pState->m_hWndLastHit == m_hWnd)
            CancelToolTips(FALSE);
    }
    return bWasEnabled;
}

namespace {

void RemoveLastTool(AFX_THREAD_STATE* pState)
{
    if (pState->m_pToolTip != nullptr && pState->m_nLastHit != -1 && ::IsWindow(pState->m_pToolTip->m_hWnd)) {
        TOOLINFO ti = pState->m_lastInfo;
        ti.cbSize = CToolTipCtrl::kToolInfoSize;
        pState->m_pToolTip->SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
    }
    pState->m_nLastHit = -1;
    pState->m_hWndLastHit = nullptr;
}

BOOL IsToolTipMessage(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
           message == WM_RBUTTONUP || message == WM_MBUTTONUP || message == WM_LBUTTONDOWN ||
           message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN || message == WM_NCLBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN || message == WM_NCMBUTTONDOWN || message == WM_KEYDOWN ||
           message == WM_SYSKEYDOWN;
}

} // namespace

void CWnd::CancelToolTips(BOOL bKeys)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pToolTip != nullptr && ::IsWindow(pState->m_pToolTip->m_hWnd))
        pState->m_pToolTip->SendMessage(TTM_POP);
    RemoveLastTool(pState);
    if (bKeys) {
        // Keys end the tip: swallow nothing, just hide it.
        ::ReleaseCapture();
    }
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!IsToolTipMessage(pMsg->message))
        return;
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    // The walk from the message's window upward calls the filter once per window: act once per message.
    const MSG& last = pState->m_msgLastFiltered;
    if (pState->m_pLastFiltered == pMsg && last.hwnd == pMsg->hwnd && last.message == pMsg->message &&
        last.wParam == pMsg->wParam && last.lParam == pMsg->lParam && last.time == pMsg->time &&
        last.pt.x == pMsg->pt.x && last.pt.y == pMsg->pt.y)
        return;
    pState->m_pLastFiltered = pMsg;
    pState->m_msgLastFiltered = *pMsg;

    // The nearest window (the message's own or a parent) that shows tips.
    CWnd* pOwner = nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && (pWnd->m_nFlags & WF_TOOLTIPS)) {
            pOwner = pWnd;
            break;
        }
    }
    if (pOwner == nullptr) {
        CancelToolTips(FALSE);
        return;
    }

    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) {
        CancelToolTips(TRUE);
        return;
    }

    // One tooltip control per thread, owned by the top-level window of the tips.
    HWND hWndTop = pOwner->GetTopLevelParent()->GetSafeHwnd();
    if (pState->m_pToolTip != nullptr &&
        (!::IsWindow(pState->m_pToolTip->m_hWnd) || pState->m_hWndToolTipOwner != hWndTop)) {
        RemoveLastTool(pState);
        pState->m_pToolTip->DestroyWindow();
        delete pState->m_pToolTip;
        pState->m_pToolTip = nullptr;
    }
    if (pState->m_pToolTip == nullptr) {
        auto* pToolTip = new CToolTipCtrl;
        if (!pToolTip->Create(FromHandle(hWndTop), TTS_ALWAYSTIP)) {
            delete pToolTip;
            return;
        }
        pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        pState->m_pToolTip = pToolTip;
        pState->m_hWndToolTipOwner = hWndTop;
    }
    CToolTipCtrl* pToolTip = pState->m_pToolTip;

    CPoint point = pMsg->pt;
    pOwner->ScreenToClient(&point);
    TOOLINFO ti = {};
    ti.cbSize = CToolTipCtrl::kToolInfoSize;
    const INT_PTR nHit = pOwner->OnToolHitTest(point, &ti);
    if (pState->m_hWndLastHit != pOwner->m_hWnd || pState->m_nLastHit != nHit) {
        RemoveLastTool(pState);
        if (nHit != -1) {
            ti.cbSize = CToolTipCtrl::kToolInfoSize;
            ti.hinst = ::GetModuleHandle(nullptr);
            pToolTip->SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti));
            pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
            pState->m_lastInfo = ti;
            pState->m_lastInfo.lpszText = nullptr; // copied by the control
            pState->m_hWndLastHit = pOwner->m_hWnd;
            pState->m_nLastHit = nHit;
        } else {
            pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        }
        // A text given by the hit test was made with malloc for the control to copy.
        if (ti.lpszText != LPSTR_TEXTCALLBACK && ti.lpszText != nullptr && !IS_INTRESOURCE(ti.lpszText))
            std::free(ti.lpszText);
    }
    if (nHit != -1) {
        MSG msg = *pMsg;
        pToolTip->SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // The visible child window under the point is the tool; its control id is the tool's id.
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (!(::GetWindowLong(hWndChild, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT rect;
        ::GetWindowRect(hWndChild, &rect);
        if (!::PtInRect(&rect, screen))
            continue;
        const int nID = ::GetDlgCtrlID(hWndChild);
        if (nID == 0 || nID == -1)
            return -1;
        if (pTI != nullptr) {
            pTI->hwnd = m_hWnd;
            pTI->uId = reinterpret_cast<UINT_PTR>(hWndChild);
            pTI->uFlags |= TTF_IDISHWND;
            pTI->lpszText = LPSTR_TEXTCALLBACK;
            // Buttons keep their tip where the mouse is; other controls get it centred below.
            if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
                pTI->uFlags |= TTF_CENTERTIP;
        }
        return nID;
    }
    return -1;
}

BOOL CWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pTTTA = reinterpret_cast<TOOLTIPTEXTA*>(pNMHDR);
    auto* pTTTW = reinterpret_cast<TOOLTIPTEXTW*>(pNMHDR);
    UINT_PTR nID = pNMHDR->idFrom;
    const UINT uFlags = pNMHDR->code == TTN_NEEDTEXTA ? pTTTA->uFlags : pTTTW->uFlags;
    if (uFlags & TTF_IDISHWND)
        nID = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(nID)));
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_strTipText = AfxLoadToolTipText(static_cast<UINT>(nID));
    // Texts longer than the notification's own buffer are handed over by pointer.
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        pTTTA->hinst = nullptr;
        pTTTA->szText[0] = '\0';
        pTTTA->lpszText = const_cast<LPSTR>(pState->m_strTipText.GetString());
    } else {
        const int n = ::MultiByteToWideChar(CP_ACP, 0, pState->m_strTipText, -1, pState->m_szTipTextW,
                                            static_cast<int>(_countof(pState->m_szTipTextW)));
        if (n == 0)
            pState->m_szTipTextW[0] = 0;
        pState->m_szTipTextW[_countof(pState->m_szTipTextW) - 1] = 0;
        pTTTW->hinst = nullptr;
        pTTTW->szText[0] = 0;
        pTTTW->lpszText = pState->m_szTipTextW;
    }
    if (pResult != nullptr)
        *pResult = 0;
    // Tips stay above other pop-up windows.
    ::SetWindowPos(pNMHDR->hwndFrom, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}
