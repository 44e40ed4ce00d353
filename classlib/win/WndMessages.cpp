// CWnd: message dispatch, commands, notifications, reflection and the default handlers.
#include "classlib/win/Wnd.h"

#include "classlib/CmdUI.h"
#include "classlib/WinThread.h"
#include "classlib/win/DC.h"
#include "classlib/win/Menu.h"
#include "classlib/win/ScrollBar.h"
#include "classlib/win/ThreadState.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_COMPAREITEM()
ON_WM_DELETEITEM()
ON_WM_CTLCOLOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_INITMENUPOPUP()
ON_WM_SYSCOLORCHANGE()
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTA, 0, 0xFFFFFFFF, OnToolTipText)
ON_NOTIFY_EX_RANGE(TTN_NEEDTEXTW, 0, 0xFFFFFFFF, OnToolTipText)
END_MESSAGE_MAP()

namespace {

// A CCmdUI that only records whether the command is enabled.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

} // namespace

BOOL CWnd::DispatchWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Every colour message meets the one WM_CTLCOLOR entry.
    const UINT nMapMessage =
        (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) ? WM_CTLCOLOR : message;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries;
        while ((lpEntry = AfxFindMessageEntry(lpEntry, nMapMessage, 0, 0)) != nullptr) {
            AFX_MSGCALL call = {};
            call.message = message;
            call.wParam = wParam;
            call.lParam = lParam;
            if (lpEntry->pfnDispatch(this, call)) {
                *pResult = call.lResult;
                return TRUE;
            }
            ++lpEntry;
        }
    }
    return FALSE;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    BOOL bHandled = FALSE;
    if (message == WM_COMMAND) {
        bHandled = OnCommand(wParam, lParam);
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        bHandled = pNMHDR != nullptr && OnNotify(wParam, lParam, &lResult);
    } else {
        bHandled = DispatchWindowMessage(message, wParam, lParam, &lResult);
    }
    if (bHandled && pResult != nullptr)
        *pResult = lResult;
    return bHandled;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        // A menu item or an accelerator: a command its update handler disables does not run.
        if (nID == 0)
            return FALSE;
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        // The control itself has the first say on its notification.
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(static_cast<UINT>(pNMHDR->idFrom), static_cast<int>(MAKELONG(pNMHDR->code, WM_NOTIFY)),
                    &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != nullptr && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    LRESULT lResult = 0;
    const BOOL bHandled = OnChildNotify(msg.message, msg.wParam, msg.lParam, &lResult);
    if (bHandled && pResult != nullptr)
        *pResult = lResult;
    return bHandled;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return DispatchWindowMessage(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND: {
        const int nCode = HIWORD(wParam);
        if (OnCmdMsg(0, static_cast<int>(MAKELONG(nCode, WM_REFLECT_BASE + WM_COMMAND)), nullptr, nullptr)) {
            if (pResult != nullptr)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lResult = 0;
        AFX_NOTIFY notify = {pResult != nullptr ? pResult : &lResult, pNMHDR};
        return OnCmdMsg(0, static_cast<int>(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                        nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            AFX_CTLCOLOR ctl = {reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam),
                                message - WM_CTLCOLORMSGBOX};
            LRESULT lResult = 0;
            // A NULL brush from the control's handler means it did not colour itself.
            if (!DispatchWindowMessage(WM_REFLECT_BASE + WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&ctl),
                                       &lResult) ||
                lResult == 0)
                return FALSE;
            if (pResult != nullptr)
                *pResult = lResult;
            return TRUE;
        }
        return FALSE;
    }
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    AFX_MODULE_THREAD_STATE* pState = AfxGetModuleThreadState();
    if (pState->m_pfnFilterToolTipMessage != nullptr)
        pState->m_pfnFilterToolTipMessage(pMsg, this);
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

// --- default handlers

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

BOOL CWnd::OnNcCreate(LPCREATESTRUCT)
{
    return static_cast<BOOL>(Default());
}

#define AFX_DEFAULT_HANDLER(decl)                                                                            \
    void CWnd::decl                                                                                          \
    {                                                                                                        \
        Default();                                                                                           \
    }

AFX_DEFAULT_HANDLER(OnDestroy())
AFX_DEFAULT_HANDLER(OnClose())
AFX_DEFAULT_HANDLER(OnSize(UINT, int, int))
AFX_DEFAULT_HANDLER(OnSizing(UINT, LPRECT))
AFX_DEFAULT_HANDLER(OnMove(int, int))
AFX_DEFAULT_HANDLER(OnPaint())
AFX_DEFAULT_HANDLER(OnNcPaint())
AFX_DEFAULT_HANDLER(OnTimer(UINT_PTR))
AFX_DEFAULT_HANDLER(OnMouseMove(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnLButtonDown(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnLButtonUp(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnLButtonDblClk(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnRButtonDown(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnRButtonUp(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnRButtonDblClk(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnMButtonDown(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnMButtonUp(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnNcMouseMove(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnNcLButtonDown(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnNcLButtonUp(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnNcLButtonDblClk(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnNcRButtonDown(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnNcMButtonDown(UINT, CPoint))
AFX_DEFAULT_HANDLER(OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*))
AFX_DEFAULT_HANDLER(OnKeyDown(UINT, UINT, UINT))
AFX_DEFAULT_HANDLER(OnKeyUp(UINT, UINT, UINT))
AFX_DEFAULT_HANDLER(OnSysKeyDown(UINT, UINT, UINT))
AFX_DEFAULT_HANDLER(OnSysKeyUp(UINT, UINT, UINT))
AFX_DEFAULT_HANDLER(OnChar(UINT, UINT, UINT))
AFX_DEFAULT_HANDLER(OnSysChar(UINT, UINT, UINT))
AFX_DEFAULT_HANDLER(OnSetFocus(CWnd*))
AFX_DEFAULT_HANDLER(OnKillFocus(CWnd*))
AFX_DEFAULT_HANDLER(OnShowWindow(BOOL, UINT))
AFX_DEFAULT_HANDLER(OnEnable(BOOL))
AFX_DEFAULT_HANDLER(OnWindowPosChanging(WINDOWPOS*))
AFX_DEFAULT_HANDLER(OnWindowPosChanged(WINDOWPOS*))
AFX_DEFAULT_HANDLER(OnGetMinMaxInfo(MINMAXINFO*))
AFX_DEFAULT_HANDLER(OnCancelMode())
AFX_DEFAULT_HANDLER(OnCaptureChanged(CWnd*))
AFX_DEFAULT_HANDLER(OnActivate(UINT, CWnd*, BOOL))
AFX_DEFAULT_HANDLER(OnActivateApp(BOOL, DWORD))
AFX_DEFAULT_HANDLER(OnChildActivate())
AFX_DEFAULT_HANDLER(OnSettingChange(UINT, LPCTSTR))
AFX_DEFAULT_HANDLER(OnMenuSelect(UINT, UINT, HMENU))
AFX_DEFAULT_HANDLER(OnEnterIdle(UINT, CWnd*))
AFX_DEFAULT_HANDLER(OnSysCommand(UINT, LPARAM))
AFX_DEFAULT_HANDLER(OnDropFiles(HDROP))
AFX_DEFAULT_HANDLER(OnContextMenu(CWnd*, CPoint))
AFX_DEFAULT_HANDLER(OnEndSession(BOOL))

#undef AFX_DEFAULT_HANDLER

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

BOOL CWnd::OnMouseWheel(UINT, short, CPoint)
{
    return static_cast<BOOL>(Default());
}

LRESULT CWnd::OnNcHitTest(CPoint)
{
    return Default();
}

BOOL CWnd::OnNcActivate(BOOL)
{
    return static_cast<BOOL>(Default());
}

UINT CWnd::OnGetDlgCode()
{
    return static_cast<UINT>(Default());
}

int CWnd::OnMouseActivate(CWnd*, UINT, UINT)
{
    return static_cast<int>(Default());
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

BOOL CWnd::OnQueryEndSession()
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    // Creation and destruction of a child are told to the child first.
    if ((message == WM_CREATE || message == WM_DESTROY) && ReflectLastMsg(reinterpret_cast<HWND>(lParam)))
        return;
    Default();
}

void CWnd::OnSysColorChange()
{
    // The main window passes the change on to every window of the library below it.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this)
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
    Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->GetSafeHwnd()))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && ReflectLastMsg(pScrollBar->GetSafeHwnd()))
        return;
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        CMenu* pMenu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem));
        if (pMenu != nullptr) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU) {
        HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hWndChild != nullptr && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return static_cast<int>(lResult);
    return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd != nullptr && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (!bSysMenu && pPopupMenu != nullptr)
        AfxUpdateMenuCmdUI(this, pPopupMenu, FALSE);
}
