// Context menus.
#include "app/core/win/ContextMenu.h"

#include "classlib/win/Wnd.h"

POINT ContextMenuPoint(CWnd* pWnd, int x, int y)
{
    POINT point = {x, y};
    if (x == -1 && y == -1) {
        point.x = point.y = 5;
        ::ClientToScreen(pWnd->m_hWnd, &point);
    }
    return point;
}

BOOL ShowContextMenu(CWnd* pWnd, int x, int y, UINT nMenuID)
{
    const POINT point = ContextMenuPoint(pWnd, x, y);
    HMENU hMenu = ::LoadMenu(::GetModuleHandle(nullptr), MAKEINTRESOURCE(nMenuID));
    if (hMenu == nullptr)
        return FALSE;
    HWND hWndOwner = pWnd->m_hWnd;
    while ((::GetWindowLong(hWndOwner, GWL_STYLE) & WS_CHILD) && ::GetParent(hWndOwner) != nullptr)
        hWndOwner = ::GetParent(hWndOwner);
    const BOOL bResult = ::TrackPopupMenu(::GetSubMenu(hMenu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x,
                                          point.y, 0, hWndOwner, nullptr);
    ::DestroyMenu(hMenu);
    return bResult;
}
