// CWnd: handle map, creation, subclassing, the window procedure and destruction.
#include "classlib/win/Wnd.h"

#include "classlib/Exceptions.h"
#include "classlib/WinThread.h"
#include "classlib/win/DC.h"
#include "classlib/win/Menu.h"
#include "classlib/win/ThreadState.h"

#include <cstdio>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

CWnd::CWnd() : m_hWnd(nullptr), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0) {}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_hWndOwner(nullptr), m_nFlags(0), m_pfnSuper(nullptr), m_nModalResult(0)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) {
        // The object goes first: the window must not outlive it and call into freed memory.
        ::DestroyWindow(m_hWnd);
        if (m_hWnd != nullptr)
            Detach();
    }
}

HWND CWnd::GetSafeHwnd() const
{
    const CWnd* self = AfxLaunderThis(this);
    return self == nullptr ? nullptr : self->m_hWnd;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return AfxGetThreadState()->WindowMap().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    return AfxGetThreadState()->WindowMap().LookupPermanent(hWnd);
}

void CWnd::DeleteTempMap()
{
    AfxGetThreadState()->WindowMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    ASSERT(m_hWnd == nullptr);
    AfxGetThreadState()->WindowMap().AttachPermanent(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    AfxGetThreadState()->WindowMap().DetachPermanent(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

// --- window classes

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<std::string> s_names; // node-based: the strings never move
    char name[128];
    std::snprintf(name, sizeof name, "Lv:%p:%x:%p:%p:%p", static_cast<void*>(::GetModuleHandle(nullptr)),
                  nClassStyle, static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                  static_cast<void*>(hIcon));
    auto it = s_names.find(name);
    if (it != s_names.end())
        return it->c_str();
    WNDCLASS wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = ::GetModuleHandle(nullptr);
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    if (!AfxRegisterClass(&wc))
        AfxThrowMemoryException();
    return s_names.insert(name).first->c_str();
}

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    WNDCLASS existing;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

// --- creation

namespace {

LPCTSTR g_lpszExpectedClass = nullptr; // class of the window whose creation is hooked

// TRUE when hWnd is of the class the hook waits for (other windows may be made on the way, such as the
// input-method window of the thread).
BOOL IsExpectedClass(HWND hWnd)
{
    if (g_lpszExpectedClass == nullptr)
        return TRUE;
    if (IS_INTRESOURCE(g_lpszExpectedClass))
        return static_cast<ATOM>(::GetClassLongPtr(hWnd, GCW_ATOM)) ==
               static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(g_lpszExpectedClass));
    char name[256] = {};
    ::GetClassName(hWnd, name, sizeof name);
    return lstrcmpi(name, g_lpszExpectedClass) == 0;
}

LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (code == HCBT_CREATEWND && pState->m_pWndInit != nullptr) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (IsExpectedClass(hWnd)) {
            CWnd* pWndInit = pState->m_pWndInit;
            pState->m_pWndInit = nullptr;
            pWndInit->Attach(hWnd);
            pWndInit->PreSubclassWindow();
            WNDPROC* ppfnSuper = pWndInit->GetSuperWndProcAddr();
            auto oldProc = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
            if (oldProc != &AfxWndProc)
                *ppfnSuper = oldProc;
        }
    }
    return ::CallNextHookEx(pState->m_hHookOldCbtFilter, code, wParam, lParam);
}

} // namespace

void AfxHookWindowCreate(CWnd* pWnd, LPCTSTR lpszClassName)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter == nullptr) {
        pState->m_hHookOldCbtFilter =
            ::SetWindowsHookEx(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
        if (pState->m_hHookOldCbtFilter == nullptr)
            AfxThrowMemoryException();
    }
    pState->m_pWndInit = pWnd;
    g_lpszExpectedClass = lpszClassName;
}

BOOL AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    g_lpszExpectedClass = nullptr;
    if (pState->m_pWndInit != nullptr) {
        pState->m_pWndInit = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        // Double clicks reach every window of the library; children paint their own background.
        cs.lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                (cs.style & WS_CHILD) ? nullptr : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                    int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = ::GetModuleHandle(nullptr);
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this, cs.lpszClass);
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    AfxUnhookWindowCreate();
    // A window refused in WM_CREATE has been destroyed already (and a self-deleting object is gone).
    return hWnd != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

// --- subclassing

WNDPROC* CWnd::GetSuperWndProcAddr()
{
    return &m_pfnSuper;
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    auto oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (oldProc != &AfxWndProc)
        *ppfnSuper = oldProc;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (*ppfnSuper != nullptr) {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(*ppfnSuper));
        *ppfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::PostNcDestroy() {}

// --- the window procedure

const MSG* CWnd::GetCurrentMessage()
{
    return &AfxGetThreadState()->m_lastSentMsg;
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    if (pfnSuper != nullptr)
        return ::CallWindowProc(pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG oldState = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMsg;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        CWinThread* pThread = AfxGetThread();
        const MSG msg = pState->m_lastSentMsg;
        lResult = pThread != nullptr ? pThread->ProcessWndProcException(e, &msg) : 0;
        e->Delete();
    }
    pState->m_lastSentMsg = oldState;
    return lResult;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

void CWnd::OnNcDestroy()
{
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr) {
        if (pThread->m_pMainWnd == this) {
            // The main window going ends the thread's loop.
            pThread->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
        if (pThread->m_pActiveWnd == this)
            pThread->m_pActiveWnd = nullptr;
    }
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hWndLastHit == m_hWnd)
        CancelToolTips(FALSE);
    Default();
    // The window is gone: restore nothing, just forget it.
    Detach();
    m_pfnSuper = nullptr;
    PostNcDestroy();
}
