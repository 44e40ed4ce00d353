// CWinThread: the message loop, idle processing and the message filter of the Windows build.
#include "classlib/WinThread.h"

#include "classlib/Exceptions.h"
#include "classlib/win/DC.h"
#include "classlib/win/GdiObject.h"
#include "classlib/win/Menu.h"
#include "classlib/win/ThreadState.h"
#include "classlib/win/Wnd.h"

namespace {

LRESULT CALLBACK MsgFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CWinThread* pThread = AfxGetThread();
    // Messages of the system's own loops (menus, message boxes, dialog boxes of the system).
    if (code >= 0 && pThread != nullptr &&
        pThread->ProcessMessageFilter(code, reinterpret_cast<LPMSG>(lParam)))
        return 1;
    return ::CallNextHookEx(pState->m_hHookOldMsgFilter, code, wParam, lParam);
}

struct IdleWalk
{
    HWND hWndMain;
};

BOOL CALLBACK UpdateOwnedPopup(HWND hWnd, LPARAM lParam)
{
    const auto* walk = reinterpret_cast<const IdleWalk*>(lParam);
    if (hWnd == walk->hWndMain || !::IsWindowVisible(hWnd))
        return TRUE;
    // Popups that belong to the main window (floating bars, tool windows) get the update too.
    HWND hWndOwner = hWnd;
    while ((hWndOwner = ::GetWindow(hWndOwner, GW_OWNER)) != nullptr && hWndOwner != walk->hWndMain)
        ;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (hWndOwner == walk->hWndMain && pWnd != nullptr) {
        AfxCallWndProc(pWnd, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        pWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
    return TRUE;
}

} // namespace

void AfxInstallMessageFilter()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldMsgFilter == nullptr)
        pState->m_hHookOldMsgFilter =
            ::SetWindowsHookEx(WH_MSGFILTER, MsgFilterHook, nullptr, ::GetCurrentThreadId());
}

int CWinThread::Run()
{
    AfxInstallMessageFilter();
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessage(&pState->m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&pState->m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&pState->m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG& msg = pState->m_msgCur;
    if (!::GetMessage(&msg, nullptr, 0, 0)) {
        m_nExitCode = static_cast<int>(msg.wParam);
        return FALSE;
    }
    if (msg.message != WM_KICKIDLE && !PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    // The window tree from the message's window up to the main window.
    if (CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg))
        return TRUE;
    // A modeless window outside the main window's tree still lets the main window see the message.
    if (pMainWnd != nullptr && pMsg->hwnd != nullptr) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // The same mouse position again is no news.
        if (pState->m_ptCursorLast.x == pMsg->pt.x && pState->m_ptCursorLast.y == pMsg->pt.y &&
            pMsg->message == pState->m_nMsgLast)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    // Paints and the caret's blink timer come all the time.
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        // Idle-time state of the main window, its descendants and its popups.
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
            IdleWalk walk = {pMainWnd->m_hWnd};
            ::EnumThreadWindows(::GetCurrentThreadId(), UpdateOwnedPopup, reinterpret_cast<LPARAM>(&walk));
        }
        return lCount == 0;
    }
    if (lCount == 1) {
        // Temporary wrappers live until here.
        AfxGetThreadState()->DeleteTempMaps();
    }
    return FALSE;
}

BOOL CWinThread::ProcessMessageFilter(int code, LPMSG lpMsg)
{
    if (lpMsg == nullptr)
        return FALSE;
    if (code == MSGF_DIALOGBOX || code == MSGF_MENU) {
        // F1 in a dialog box or menu asks the window it belongs to for help.
        if (lpMsg->message == WM_KEYDOWN && lpMsg->wParam == VK_F1 && lpMsg->hwnd != nullptr) {
            CWnd* pWnd = CWnd::FromHandle(lpMsg->hwnd)->GetTopLevelParent();
            if (pWnd != nullptr && CWnd::FromHandlePermanent(pWnd->m_hWnd) != nullptr &&
                pWnd->SendMessage(WM_COMMANDHELP, 0, 0))
                return TRUE;
        }
        // Tips keep working inside dialog boxes.
        if (code == MSGF_DIALOGBOX && lpMsg->hwnd != nullptr) {
            AFX_MODULE_THREAD_STATE* pState = AfxGetModuleThreadState();
            if (pState->m_pfnFilterToolTipMessage != nullptr)
                pState->m_pfnFilterToolTipMessage(lpMsg, CWnd::FromHandle(lpMsg->hwnd));
        }
    }
    return FALSE;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    // A window that fails to be created is refused; a failed paint must still validate its area.
    if (pMsg->message == WM_CREATE)
        return -1;
    if (pMsg->message == WM_PAINT)
        ::ValidateRect(pMsg->hwnd, nullptr);
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONEXCLAMATION);
    return 0;
}
