// CWnd: attribute and geometry operations that need more than one call.
#include "classlib/win/Wnd.h"

#include "classlib/win/DC.h"
#include "classlib/win/Menu.h"

#include <string>

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != nullptr ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWnd = m_hWnd;
    HWND hWndParent;
    while ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) && (hWndParent = ::GetParent(hWnd)) != nullptr)
        hWnd = hWndParent;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetParentOwner() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) &&
           (hWndT = ::GetParent(hWndParent)) != nullptr)
        hWndParent = hWndT;
    // A popup's owner stands in for a parent.
    if (hWndParent == m_hWnd && (hWndT = ::GetWindow(m_hWnd, GW_OWNER)) != nullptr)
        return FromHandle(hWndT);
    return FromHandle(hWndParent == m_hWnd ? ::GetParent(m_hWnd) : hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    HWND hWndOwner = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != nullptr)
        hWndOwner = hWndT;
    return FromHandle(hWndOwner);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return GetDescendantWindow(m_hWnd, nID, bOnlyPerm);
}

CWnd* CWnd::GetDescendantWindow(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    // Direct children first, then deeper.
    HWND hWndChild = ::GetDlgItem(hWnd, nID);
    if (hWndChild != nullptr) {
        if (::GetTopWindow(hWndChild) != nullptr) {
            CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
            if (pWnd != nullptr)
                return pWnd;
        }
        CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
        if (pWnd != nullptr)
            return pWnd;
    }
    for (hWndChild = ::GetTopWindow(hWnd); hWndChild != nullptr;
         hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (::GetTopWindow(hWndChild) != nullptr) {
            CWnd* pWnd = GetDescendantWindow(hWndChild, nID, bOnlyPerm);
            if (pWnd != nullptr)
                return pWnd;
        }
    }
    return nullptr;
}

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE));
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_STYLE, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_EXSTYLE));
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_EXSTYLE, static_cast<LONG>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int nLen = ::GetWindowTextLength(m_hWnd);
    std::string buffer(static_cast<size_t>(nLen) + 1, '\0');
    ::GetWindowText(m_hWnd, &buffer[0], nLen + 1);
    rString = buffer.c_str();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != nullptr)
        FromHandle(hWnd)->GetWindowText(rString);
    return rString.GetLength();
}

void AfxSetWindowText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    if (lpszNew == nullptr)
        lpszNew = "";
    const int nNewLen = lstrlen(lpszNew);
    char szOld[256] = {};
    // Only short texts are compared; longer ones are simply set.
    if (nNewLen >= static_cast<int>(sizeof szOld) ||
        ::GetWindowText(hWndCtrl, szOld, sizeof szOld) != nNewLen || lstrcmp(szOld, lpszNew) != 0)
        ::SetWindowText(hWndCtrl, lpszNew);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner != nullptr ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD)
        hWndCenter = ::GetParent(m_hWnd);
    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcArea, 0);
    if (hWndCenter == nullptr || !::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter))
        rcCenter = rcArea;
    else
        ::GetWindowRect(hWndCenter, &rcCenter);
    int x = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (GetStyle() & WS_CHILD) {
        POINT pt = {x, y};
        ::ScreenToClient(hWndCenter, &pt);
        x = pt.x;
        y = pt.y;
    } else {
        // Keep a top-level window on the work area.
        if (x + rcDlg.Width() > rcArea.right)
            x = rcArea.right - rcDlg.Width();
        if (x < rcArea.left)
            x = rcArea.left;
        if (y + rcDlg.Height() > rcArea.bottom)
            y = rcArea.bottom - rcDlg.Height();
        if (y < rcArea.top)
            y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase)
{
    ::InvalidateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, static_cast<HRGN>(prgnUpdate->GetSafeHandle()), flags);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc());
}

CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint)
{
    return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint));
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu());
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBox(m_hWnd, lpszText, lpszCaption != nullptr ? lpszCaption : "Lorvane 5", nType);
}
