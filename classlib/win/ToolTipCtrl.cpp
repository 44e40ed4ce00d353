#include "classlib/win/ToolTipCtrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    AfxInitCommonControls(ICC_WIN95_CLASSES);
    return CWnd::CreateEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), nullptr);
}

void CToolTipCtrl::FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ZeroMemory(&ti, sizeof ti);
    ti.cbSize = kToolInfoSize;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (nIDTool == 0) {
        // The window itself is the tool.
        ti.hwnd = ::GetParent(hWnd);
        ti.uFlags = TTF_IDISHWND;
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    } else {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCTSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->GetSafeHwnd(), &ti.rect);
    ti.hinst = ::GetModuleHandle(nullptr);
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT_PTR nIDTool)
{
    return AddTool(pWnd, MAKEINTRESOURCE(nIDText), lpRectTool, nIDTool);
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    SendMessage(TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPTSTR>(lpszText);
    SendMessage(TTM_UPDATETIPTEXT, 0, reinterpret_cast<LPARAM>(&ti));
}

BOOL CToolTipCtrl::GetToolInfo(TOOLINFO& toolInfo, CWnd* pWnd, UINT_PTR nIDTool) const
{
    FillInToolInfo(toolInfo, pWnd, nIDTool);
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFO, 0, reinterpret_cast<LPARAM>(&toolInfo)));
}

void CToolTipCtrl::GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool) const
{
    char buffer[1024] = {};
    TOOLINFO ti;
    FillInToolInfo(ti, pWnd, nIDTool);
    ti.lpszText = buffer;
    SendMessage(TTM_GETTEXT, 0, reinterpret_cast<LPARAM>(&ti));
    str = buffer;
}
