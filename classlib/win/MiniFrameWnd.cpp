#include "classlib/win/MiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_WM_NCACTIVATE()
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                           CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
                             const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strTitle = lpWindowName;
    if (dwStyle & (MFS_THICKFRAME | MFS_4THICKFRAME))
        dwStyle |= WS_THICKFRAME;
    // Child mini frames carry their id; popups are owned by pParentWnd and have no menu.
    HMENU hMenuOrID = (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left,
                          rect.top, rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                          hMenuOrID);
}

BOOL CMiniFrameWnd::OnNcActivate(BOOL bActive)
{
    if ((GetStyle() & MFS_SYNCACTIVE) && !bActive) {
        // Looks active as long as the owner's top-level window is.
        CWnd* pOwner = GetOwner();
        HWND hWndTop = pOwner != nullptr ? ::GetAncestor(pOwner->m_hWnd, GA_ROOT) : nullptr;
        if (hWndTop != nullptr && hWndTop == ::GetActiveWindow())
            bActive = TRUE;
    }
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    // A blocked system menu keeps its close box but does not open.
    const UINT nCommand = nID & 0xFFF0;
    if ((GetStyle() & MFS_BLOCKSYSMENU) && (nCommand == SC_MOUSEMENU || nCommand == SC_KEYMENU))
        return;
    CFrameWnd::OnSysCommand(nID, lParam);
}
