// CDockContext: dragging a bar to a side or into a floating frame, resizing a floating bar, toggling.
#include "classlib/win/DockContext.h"

#include "classlib/win/DC.h"
#include "classlib/win/DockBar.h"
#include "classlib/win/MiniDockFrameWnd.h"

#include <algorithm>

namespace {

BOOL IsHorz(DWORD dwStyle)
{
    return (dwStyle & CBRS_ORIENT_HORZ) != 0;
}

BOOL IsVert(DWORD dwStyle)
{
    return (dwStyle & CBRS_ORIENT_VERT) != 0;
}

// The loop reads the point of a mouse message from the message itself: posted and real ones alike.
CPoint ScreenPoint(const MSG& msg)
{
    CPoint point(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    ::ClientToScreen(msg.hwnd, &point);
    return point;
}

} // namespace

CDockContext::CDockContext(CControlBar* pBar)
    : m_ptLast(0, 0), m_rectLast(0, 0, 0, 0), m_sizeLast(0, 0), m_bDitherLast(FALSE),
      m_rectDragHorz(0, 0, 0, 0), m_rectDragVert(0, 0, 0, 0), m_rectFrameDragHorz(0, 0, 0, 0),
      m_rectFrameDragVert(0, 0, 0, 0), m_rectRequestedSize(m_rectDragHorz), m_rectActualSize(m_rectDragVert),
      m_rectActualFrameSize(m_rectFrameDragHorz), m_rectFrameBorders(m_rectFrameDragVert), m_pBar(pBar),
      m_pDockSite(pBar->m_pDockSite), m_dwDockStyle(0), m_dwOverDockStyle(0), m_dwStyle(0), m_bFlip(FALSE),
      m_bForceFrame(FALSE), m_pDC(nullptr), m_bDragging(FALSE), m_nHitTest(0), m_uMRUDockID(0),
      m_rectMRUDockPos(0, 0, 0, 0), m_dwMRUFloatStyle(0), m_ptMRUFloatPos(-1, -1)
{
}

CDockContext::~CDockContext()
{
    if (m_pDC != nullptr)
        CancelLoop();
}

void CDockContext::AdjustRectangle(CRect& rect, CPoint pt)
{
    const int nXOffset = pt.x < rect.left ? pt.x - rect.left : pt.x > rect.right ? pt.x - rect.right : 0;
    const int nYOffset = pt.y < rect.top ? pt.y - rect.top : pt.y > rect.bottom ? pt.y - rect.bottom : 0;
    rect.OffsetRect(nXOffset, nYOffset);
}

void CDockContext::CalcFrameBorders(CRect& rect)
{
    ::AdjustWindowRectEx(&rect, WS_POPUP | WS_CAPTION | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    rect.InflateRect(-AfxBarBorder2X(), -AfxBarBorder2Y());
}

void CDockContext::InitLoop()
{
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bDitherLast = FALSE;
    m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;
    m_bFlip = ::GetKeyState(VK_SHIFT) < 0;
    // Feedback is drawn on the desktop, which stays still meanwhile.
    HWND hWndDesktop = ::GetDesktopWindow();
    ::LockWindowUpdate(hWndDesktop);
    m_pDC = new CDC;
    m_pDC->Attach(::GetDCEx(hWndDesktop, nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE));
}

void CDockContext::CancelLoop()
{
    if (m_pDC == nullptr)
        return;
    DrawFocusRect(TRUE);
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    ::LockWindowUpdate(nullptr);
    ::ReleaseDC(::GetDesktopWindow(), m_pDC->Detach());
    delete m_pDC;
    m_pDC = nullptr;
}

void CDockContext::StartDrag(CPoint pt)
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite == nullptr)
        return;
    m_bDragging = TRUE;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;
    InitLoop();
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptLast = pt;
    if (m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED)) {
        // The bar says its size in each situation.
        const BOOL bDynamic = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
        const int nLength = bDynamic ? 0 : -1;
        const CSize sizeHorz = m_pBar->CalcDynamicLayout(nLength, LM_HORZ | LM_HORZDOCK);
        const CSize sizeVert = m_pBar->CalcDynamicLayout(nLength, LM_VERTDOCK);
        const CSize sizeFloatHorz = bDynamic ? m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH) : sizeHorz;
        const CSize sizeFloatVert = bDynamic ? sizeFloatHorz : sizeVert;
        m_rectDragHorz = CRect(rect.TopLeft(), sizeHorz);
        m_rectDragVert = CRect(rect.TopLeft(), sizeVert);
        m_rectFrameDragHorz = CRect(rect.TopLeft(), sizeFloatHorz);
        m_rectFrameDragVert = CRect(rect.TopLeft(), sizeFloatVert);
    } else {
        // The current rectangle for the current orientation; the other one centred on the cursor.
        const BOOL bHorz = IsHorz(m_dwStyle);
        const CSize size = m_pBar->CalcDynamicLayout(-1, bHorz ? LM_VERTDOCK : LM_HORZ | LM_HORZDOCK);
        if (bHorz) {
            m_rectDragHorz = rect;
            m_rectDragVert = CRect(CPoint(pt.x - rect.Height() / 2, rect.top), size);
        } else {
            m_rectDragVert = rect;
            m_rectDragHorz = CRect(CPoint(rect.left, pt.y - rect.Width() / 2), size);
        }
        m_rectFrameDragHorz = m_rectDragHorz;
        m_rectFrameDragVert = m_rectDragVert;
    }
    CalcFrameBorders(m_rectFrameDragHorz);
    CalcFrameBorders(m_rectFrameDragVert);
    AdjustRectangle(m_rectDragHorz, pt);
    AdjustRectangle(m_rectDragVert, pt);
    AdjustRectangle(m_rectFrameDragHorz, pt);
    AdjustRectangle(m_rectFrameDragVert, pt);
    m_dwOverDockStyle = CanDock();
    Move(pt);
    Track();
}

void CDockContext::Move(CPoint pt)
{
    const CPoint ptOffset = pt - m_ptLast;
    m_rectDragHorz.OffsetRect(ptOffset);
    m_rectDragVert.OffsetRect(ptOffset);
    m_rectFrameDragHorz.OffsetRect(ptOffset);
    m_rectFrameDragVert.OffsetRect(ptOffset);
    m_ptLast = pt;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    DrawFocusRect();
}

void CDockContext::OnKey(int nChar, BOOL bDown)
{
    if (nChar == VK_CONTROL)
        UpdateState(&m_bForceFrame, bDown);
    if (nChar == VK_SHIFT)
        UpdateState(&m_bFlip, bDown);
}

void CDockContext::UpdateState(BOOL* pFlag, BOOL bNewValue)
{
    if (*pFlag == bNewValue)
        return;
    *pFlag = bNewValue;
    m_bFlip = m_bFlip && (m_dwDockStyle & CBRS_ORIENT_ANY) != 0;
    Move(m_ptLast);
}

DWORD CDockContext::CanDock()
{
    const BOOL bStyleHorz = IsHorz(m_dwStyle) != m_bFlip;
    DWORD dwDock = 0;
    // The orientation the bar has first.
    if (bStyleHorz && IsHorz(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
    else if (IsVert(m_dwDockStyle))
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
    if (m_bFlip)
        return dwDock;
    // The other one only when both rectangles agree on the side.
    if (dwDock == 0 && IsHorz(m_dwDockStyle)) {
        const DWORD dwCurr = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_VERT);
        dwDock = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_VERT);
        dwDock = dwDock == dwCurr ? dwDock : 0;
    }
    if (dwDock == 0 && IsVert(m_dwDockStyle)) {
        const DWORD dwCurr = m_pDockSite->CanDock(m_rectDragHorz, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
        dwDock = m_pDockSite->CanDock(m_rectDragVert, m_dwDockStyle & ~CBRS_ORIENT_HORZ);
        dwDock = dwDock == dwCurr ? dwDock : 0;
    }
    return dwDock;
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
    CDockBar* pDockBar = nullptr;
    if (IsHorz(dwOverDockStyle) &&
        m_pDockSite->CanDock(m_rectDragHorz, dwOverDockStyle & ~CBRS_ORIENT_VERT, &pDockBar) != 0)
        return pDockBar;
    if (IsVert(dwOverDockStyle) &&
        m_pDockSite->CanDock(m_rectDragVert, dwOverDockStyle & ~CBRS_ORIENT_HORZ, &pDockBar) != 0)
        return pDockBar;
    return nullptr;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    if (m_pDC == nullptr)
        return;
    CSize size(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
    CRect rect;
    BOOL bDither = FALSE;
    if (m_bDragging && m_dwOverDockStyle != 0) {
        // Docking: a thin white frame of the docked size, one pixel inside.
        rect = IsHorz(m_dwOverDockStyle) ? m_rectDragHorz : m_rectDragVert;
        rect.InflateRect(-1, -1);
    } else {
        // Floating: a thick halftone frame of the floating frame.
        if (!m_bDragging)
            rect = m_rectActualFrameSize;
        else
            rect = IsHorz(m_dwStyle) != m_bFlip ? m_rectFrameDragHorz : m_rectFrameDragVert;
        size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
        bDither = TRUE;
    }
    if (bRemoveRect)
        size = CSize(0, 0);
    CBrush* pWhite = CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CBrush* pDither = CDC::GetHalftoneBrush();
    m_pDC->DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, bDither ? pDither : pWhite,
                        m_bDitherLast ? pDither : pWhite);
    m_rectLast = rect;
    m_sizeLast = size;
    m_bDitherLast = bDither;
}

BOOL CDockContext::Track()
{
    if (::GetCapture() != nullptr) {
        CancelLoop();
        return FALSE;
    }
    ::SetCapture(m_pBar->m_hWnd);
    while (::GetCapture() == m_pBar->m_hWnd) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            if (m_bDragging)
                EndDrag();
            else
                EndResize();
            return TRUE;
        case WM_MOUSEMOVE:
            if (m_bDragging)
                Move(ScreenPoint(msg));
            else
                Stretch(ScreenPoint(msg));
            break;
        case WM_KEYUP:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), FALSE);
            break;
        case WM_KEYDOWN:
            if (m_bDragging)
                OnKey(static_cast<int>(msg.wParam), TRUE);
            if (msg.wParam == VK_ESCAPE) {
                CancelLoop();
                m_bDragging = FALSE;
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            m_bDragging = FALSE;
            return FALSE;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    CancelLoop();
    m_bDragging = FALSE;
    return FALSE;
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_dwOverDockStyle != 0) {
        CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
        if (pDockBar != nullptr) {
            const CRect rect = IsVert(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
            const UINT nID = static_cast<UINT>(pDockBar->GetDlgCtrlID());
            if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM) {
                m_uMRUDockID = nID;
                m_rectMRUDockPos = rect;
                pDockBar->ScreenToClient(&m_rectMRUDockPos);
            }
            m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
            m_pDockSite->RecalcLayout();
        }
    } else if ((m_dwStyle & CBRS_SIZE_DYNAMIC) || IsHorz(m_dwStyle) != m_bFlip) {
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragHorz.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    } else {
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (m_dwDockStyle & CBRS_FLOAT_MULTI);
        m_ptMRUFloatPos = m_rectFrameDragVert.TopLeft();
        m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    }
    m_bDragging = FALSE;
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite == nullptr)
        return;
    m_bDragging = FALSE;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    m_dwStyle = m_pBar->m_dwStyle;
    InitLoop();
    // Corners work as the side edge they belong to.
    switch (nHitTest) {
    case HTTOPLEFT:
    case HTBOTTOMLEFT:
        nHitTest = HTLEFT;
        break;
    case HTTOPRIGHT:
    case HTBOTTOMRIGHT:
        nHitTest = HTRIGHT;
        break;
    default:
        break;
    }
    m_nHitTest = nHitTest;
    m_ptLast = pt;
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    const CSize size = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    m_rectRequestedSize = CRect(rect.TopLeft(), size);
    m_rectActualSize = CRect(rect.TopLeft(), size);
    CRect rectFrame = m_rectActualSize;
    CalcFrameBorders(rectFrame);
    m_rectActualFrameSize = rectFrame;
    // The borders as the frame's size less the bar's, kept in the rectangle's extent.
    m_rectFrameBorders = CRect(0, 0, rectFrame.Width() - size.cx, rectFrame.Height() - size.cy);
    Stretch(pt);
    Track();
}

void CDockContext::Stretch(CPoint pt)
{
    const CPoint ptOffset = pt - m_ptLast;
    DWORD dwMode = LM_HORZ | LM_COMMIT;
    int nLength;
    switch (m_nHitTest) {
    case HTLEFT:
        m_rectRequestedSize.left += ptOffset.x;
        nLength = m_rectRequestedSize.Width();
        break;
    case HTRIGHT:
        m_rectRequestedSize.right += ptOffset.x;
        nLength = m_rectRequestedSize.Width();
        break;
    case HTTOP:
        m_rectRequestedSize.top += ptOffset.y;
        nLength = m_rectRequestedSize.Height();
        dwMode |= LM_LENGTHY;
        break;
    default:
        m_rectRequestedSize.bottom += ptOffset.y;
        nLength = m_rectRequestedSize.Height();
        dwMode |= LM_LENGTHY;
        break;
    }
    const CSize size = m_pBar->CalcDynamicLayout(std::max(0, nLength), dwMode);
    CRect& rectFrame = m_rectActualFrameSize;
    const int cxFrame = size.cx + m_rectFrameBorders.Width();
    const int cyFrame = size.cy + m_rectFrameBorders.Height();
    // A left or top edge keeps the opposite side still.
    if (m_nHitTest == HTLEFT || m_nHitTest == HTTOP) {
        rectFrame.left = rectFrame.right - cxFrame;
        rectFrame.top = rectFrame.bottom - cyFrame;
    } else {
        rectFrame.right = rectFrame.left + cxFrame;
        rectFrame.bottom = rectFrame.top + cyFrame;
    }
    m_rectActualSize = CRect(rectFrame.TopLeft(), size);
    m_ptLast = pt;
    DrawFocusRect();
}

void CDockContext::EndResize()
{
    CancelLoop();
    m_pBar->CalcDynamicLayout(m_rectActualSize.Width(), LM_HORZ | LM_COMMIT);
    m_pDockSite->FloatControlBar(m_pBar, m_rectActualFrameSize.TopLeft(),
                                 CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI) | CBRS_SIZE_DYNAMIC);
}

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite == nullptr)
        return;
    if (m_pBar->IsFloating()) {
        // Back where it was docked last, when it may dock at all.
        if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        CRect rect = m_rectMRUDockPos;
        CDockBar* pDockBar = nullptr;
        if (m_uMRUDockID != 0) {
            pDockBar = static_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
            if (pDockBar != nullptr)
                pDockBar->ClientToScreen(&rect);
        }
        m_pDockSite->ReDockControlBar(m_pBar, pDockBar, pDockBar != nullptr ? &rect : nullptr);
        m_pDockSite->RecalcLayout();
        return;
    }
    CPoint ptFloat = m_ptMRUFloatPos;
    if (ptFloat.x < 0 || ptFloat.y < 0) {
        // Never floated: where it is docked now.
        ptFloat = m_rectMRUDockPos.TopLeft();
        m_pBar->GetParent()->ClientToScreen(&ptFloat);
    }
    m_pDockSite->FloatControlBar(m_pBar, ptFloat,
                                 m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP);
}
