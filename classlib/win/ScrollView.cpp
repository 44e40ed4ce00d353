#include "classlib/win/ScrollView.h"

#include "classlib/win/DC.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

CScrollView::CScrollView()
    : m_nMapMode(MM_TEXT), m_totalLog(0, 0), m_totalDev(0, 0), m_pageDev(0, 0), m_lineDev(0, 0),
      m_bInsideUpdate(FALSE)
{
}

CSize CScrollView::LogicalToDevice(SIZE size) const
{
    if (m_nMapMode == MM_TEXT)
        return CSize(size.cx, size.cy);
    HDC hDC = ::GetDC(nullptr);
    ::SetMapMode(hDC, m_nMapMode);
    POINT pts[2] = {{0, 0}, {size.cx, size.cy}};
    ::LPtoDP(hDC, pts, 2);
    ::ReleaseDC(nullptr, hDC);
    const int cx = pts[1].x - pts[0].x, cy = pts[1].y - pts[0].y;
    return CSize(cx < 0 ? -cx : cx, cy < 0 ? -cy : cy);
}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = CSize(sizeTotal.cx, sizeTotal.cy);
    m_totalDev = LogicalToDevice(sizeTotal);
    m_pageDev = LogicalToDevice(sizePage);
    m_lineDev = LogicalToDevice(sizeLine);
    // Defaults: a tenth of the area per page, a tenth of a page per line.
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd != nullptr) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    POINT pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT) {
        HDC hDC = ::GetDC(nullptr);
        ::SetMapMode(hDC, m_nMapMode);
        ::DPtoLP(hDC, &pt, 1);
        ::ReleaseDC(nullptr, hDC);
    }
    return CPoint(pt.x, pt.y);
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_nMapMode != MM_TEXT) {
        HDC hDC = ::GetDC(nullptr);
        ::SetMapMode(hDC, m_nMapMode);
        ::LPtoDP(hDC, &pt, 1);
        ::ReleaseDC(nullptr, hDC);
        pt.x = pt.x < 0 ? -pt.x : pt.x;
        pt.y = pt.y < 0 ? -pt.y : pt.y;
    }
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    const CPoint old = GetDeviceScrollPosition();
    SetScrollPos(SB_HORZ, ptDev.x);
    SetScrollPos(SB_VERT, ptDev.y);
    const CPoint now = GetDeviceScrollPosition(); // clamped by the bars
    if (now != old)
        ScrollWindow(old.x - now.x, old.y - now.y);
}

void CScrollView::UpdateBars()
{
    if (m_bInsideUpdate || m_hWnd == nullptr)
        return;
    m_bInsideUpdate = TRUE;
    // Whether a bar is needed depends on the room the other one takes: settle both from the room
    // without bars.
    CRect client;
    GetClientRect(&client);
    CSize room(client.Width(), client.Height());
    if (GetStyle() & WS_VSCROLL)
        room.cx += ::GetSystemMetrics(SM_CXVSCROLL);
    if (GetStyle() & WS_HSCROLL)
        room.cy += ::GetSystemMetrics(SM_CYHSCROLL);
    BOOL bHorz = m_totalDev.cx > room.cx;
    BOOL bVert = m_totalDev.cy > room.cy;
    if (bHorz && !bVert)
        bVert = m_totalDev.cy > room.cy - ::GetSystemMetrics(SM_CYHSCROLL);
    if (bVert && !bHorz)
        bHorz = m_totalDev.cx > room.cx - ::GetSystemMetrics(SM_CXVSCROLL);
    if (bVert)
        room.cx -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (bHorz)
        room.cy -= ::GetSystemMetrics(SM_CYHSCROLL);

    const CPoint old = GetDeviceScrollPosition();
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE;
    info.nMin = 0;
    info.nMax = bHorz ? m_totalDev.cx - 1 : 0;
    info.nPage = bHorz ? static_cast<UINT>(room.cx) : 0;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
    info.nMax = bVert ? m_totalDev.cy - 1 : 0;
    info.nPage = bVert ? static_cast<UINT>(room.cy) : 0;
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    ShowScrollBar(SB_HORZ, bHorz);
    ShowScrollBar(SB_VERT, bVert);
    // A shrunk area or a grown window may leave the old position outside: the bars clamped it.
    const CPoint now = GetDeviceScrollPosition();
    if (now != old)
        ScrollWindow(old.x - now.x, old.y - now.y);
    m_bInsideUpdate = FALSE;
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    ::SetMapMode(pDC->m_hDC, m_nMapMode);
    if (pInfo == nullptr) {
        const CPoint pos = GetDeviceScrollPosition();
        ::SetViewportOrgEx(pDC->m_hDC, -pos.x, -pos.y, nullptr);
    }
    CView::OnPrepareDC(pDC, pInfo);
}

int CScrollView::NewPosition(int nBar, UINT nSBCode) const
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(m_hWnd, nBar, &info);
    const int nPage = nBar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
    const int nLine = nBar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    switch (nSBCode) {
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return info.nMax;
    case SB_LINEUP:
        return info.nPos - nLine;
    case SB_LINEDOWN:
        return info.nPos + nLine;
    case SB_PAGEUP:
        return info.nPos - nPage;
    case SB_PAGEDOWN:
        return info.nPos + nPage;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return info.nTrackPos; // the full 32-bit position, not the message's 16 bits
    default:
        return info.nPos;
    }
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    const CPoint old = GetDeviceScrollPosition();
    const CPoint want(old.x + sizeScroll.cx, old.y + sizeScroll.cy);
    if (!bDoScroll)
        return want != old;
    ScrollToDevicePosition(want);
    return GetDeviceScrollPosition() != old;
}

void CScrollView::OnHScroll(UINT nSBCode, UINT, CScrollBar*)
{
    const CPoint pos = GetDeviceScrollPosition();
    OnScrollBy(CSize(NewPosition(SB_HORZ, nSBCode) - pos.x, 0));
}

void CScrollView::OnVScroll(UINT nSBCode, UINT, CScrollBar*)
{
    const CPoint pos = GetDeviceScrollPosition();
    OnScrollBy(CSize(0, NewPosition(SB_VERT, nSBCode) - pos.y));
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    // Three lines per notch.
    return OnScrollBy(CSize(0, -zDelta * 3 * m_lineDev.cy / WHEEL_DELTA));
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}
