// CControlBar: layout answers, delayed showing, painting, drag start and fly-by prompts.
#include "classlib/win/ControlBar.h"

#include "classlib/win/DC.h"
#include "classlib/win/DockBar.h"
#include "classlib/win/DockContext.h"
#include "classlib/win/DockState.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace {

// The timer that notices the mouse leaving a fly-by tool.
const UINT_PTR kFlyByTimer = 0xE000;
const UINT kFlyByPeriod = 200;

} // namespace

int AfxBarBorder2X()
{
    return 2 * ::GetSystemMetrics(SM_CXBORDER);
}

int AfxBarBorder2Y()
{
    return 2 * ::GetSystemMetrics(SM_CYBORDER);
}

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_NCPAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_WINDOWPOSCHANGING()
ON_WM_CANCELMODE()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_bAutoDelete(FALSE), m_cxLeftBorder(6), m_cxRightBorder(6), m_cyTopBorder(2), m_cyBottomBorder(2),
      m_cxDefaultGap(2), m_nMRUWidth(32767), m_nCount(0), m_pData(nullptr), m_nStateFlags(0), m_dwStyle(0),
      m_dwDockStyle(0), m_pDockSite(nullptr), m_pDockBar(nullptr), m_pDockContext(nullptr), m_nHitLast(-1)
{
}

CControlBar::~CControlBar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    // Without a dock context the dock bar only forgets the bar: no frame is laid out or destroyed now.
    delete m_pDockContext;
    m_pDockContext = nullptr;
    if (m_pDockBar != nullptr)
        m_pDockBar->RemoveControlBar(this);
    if (m_pDockSite != nullptr)
        m_pDockSite->RemoveControlBar(this);
}

LPCTSTR CControlBar::GetBarWndClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                               reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr)
        cs.lpszClass = GetBarWndClass();
    // Bars clip their siblings: they overlap at their edges.
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // A bar made in a frame belongs to that frame's bar list.
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (m_pDockSite == nullptr && pParent != nullptr && pParent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    if (m_nStateFlags & statusSet)
        SetStatusText(-1);
    // A bar without a window is no longer among its frame's bars.
    if (m_pDockSite != nullptr) {
        m_pDockSite->RemoveControlBar(this);
        m_pDockSite = nullptr;
    }
    CWnd::OnDestroy();
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle == dwStyle)
        return;
    const DWORD dwOldStyle = m_dwStyle;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOldStyle, dwStyle);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == nullptr)
        m_pDockContext = new CDockContext(this);
    if (m_hWndOwner == nullptr && m_hWnd != nullptr)
        m_hWndOwner = ::GetParent(m_hWnd);
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = AfxGetParentFrame(this);
    return pFrame != nullptr ? pFrame : m_pDockSite;
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar != nullptr && m_pDockBar->m_bFloating;
}

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // Nothing of its own: all of the side when stretched.
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    // A docked bar asked for its ideal size answers by the side it is docked on.
    if (nLength == -1 && !(dwMode & (LM_MRUWIDTH | LM_COMMIT)) && (dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
        return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZDOCK) != 0);
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    const int cx = AfxBarBorder2X(), cy = AfxBarBorder2Y();
    if (m_dwStyle & CBRS_BORDER_LEFT)
        rect.left += cx;
    if (m_dwStyle & CBRS_BORDER_TOP)
        rect.top += cy;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cx;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cy;
    // The gaps run along the bar: a vertical bar turns them by a quarter.
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
    const DWORD dwStyle = m_dwStyle;
    if (!(dwStyle & CBRS_BORDER_ANY))
        return;
    const COLORREF clrDark = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const int cx = rect.Width(), cy = rect.Height();
    // A dark line on each bordered side, and inside it a light one with the 3D style.
    if (dwStyle & CBRS_BORDER_LEFT)
        pDC->FillSolidRect(0, 0, 1, cy, clrDark);
    if (dwStyle & CBRS_BORDER_TOP)
        pDC->FillSolidRect(0, 0, cx, 1, clrDark);
    if (dwStyle & CBRS_BORDER_RIGHT)
        pDC->FillSolidRect(cx - 1, 0, 1, cy, clrDark);
    if (dwStyle & CBRS_BORDER_BOTTOM)
        pDC->FillSolidRect(0, cy - 1, cx, 1, clrDark);
    if (dwStyle & CBRS_BORDER_3D) {
        if (dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(1, 1, 1, cy - 2, clrLight);
        if (dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(1, 1, cx - 2, 1, clrLight);
        if (dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(cx - 2, 1, 1, cy - 2, clrLight);
        if (dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(1, cy - 2, cx - 2, 1, clrLight);
    }
    const int cx2 = AfxBarBorder2X(), cy2 = AfxBarBorder2Y();
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += cx2;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += cy2;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= cx2;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= cy2;
}

void CControlBar::DrawGripper(CDC* pDC, const CRect& rect)
{
    // Two raised lines across the bar's leading end, only while docked.
    if (!(m_dwStyle & CBRS_GRIPPER) || (m_dwStyle & CBRS_FLOATING))
        return;
    const COLORREF clrLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrDark = ::GetSysColor(COLOR_BTNSHADOW);
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        pDC->Draw3dRect(rect.left + 2, rect.top + 2, 3, rect.Height() - 4, clrLight, clrDark);
        pDC->Draw3dRect(rect.left + 6, rect.top + 2, 3, rect.Height() - 4, clrLight, clrDark);
    } else {
        pDC->Draw3dRect(rect.left + 2, rect.top + 2, rect.Width() - 4, 3, clrLight, clrDark);
        pDC->Draw3dRect(rect.left + 2, rect.top + 6, rect.Width() - 4, 3, clrLight, clrDark);
    }
}

void CControlBar::DoPaint(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    DrawBorders(pDC, rect);
    DrawGripper(pDC, rect);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::EraseNonClient()
{
    CWindowDC dc(this);
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    ScreenToClient(&rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    DrawBorders(&dc, rectWindow);
    dc.IntersectClipRect(&rectWindow);
    SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC));
}

void CControlBar::OnNcPaint()
{
    CRect rectClient, rectWindow;
    GetClientRect(&rectClient);
    GetWindowRect(&rectWindow);
    // Only a bar with a non-client area of its own has anything to paint there.
    if (rectClient.Width() != rectWindow.Width() || rectClient.Height() != rectWindow.Height())
        EraseNonClient();
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CWnd::OnWindowPosChanging(lpWndPos);
    // Border lines sit at the edges: a new size repaints the whole bar.
    if (!(lpWndPos->flags & SWP_NOSIZE) && (m_dwStyle & CBRS_BORDER_ANY))
        Invalidate();
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    DWORD dwStyle = GetStyle();
    if (!(m_nStateFlags & (delayHide | delayShow)))
        return dwStyle;
    UINT nSwp = 0;
    if (m_nStateFlags & delayHide) {
        if (dwStyle & WS_VISIBLE)
            nSwp = SWP_HIDEWINDOW;
        dwStyle &= ~WS_VISIBLE;
    } else {
        if (!(dwStyle & WS_VISIBLE))
            nSwp = SWP_SHOWWINDOW;
        dwStyle |= WS_VISIBLE;
    }
    if (nSwp == 0) {
        m_nStateFlags &= ~(delayHide | delayShow);
        return dwStyle;
    }
    // A layout that only asks leaves the delay for the real one.
    if (lpLayout != nullptr && lpLayout->hDWP == nullptr)
        return dwStyle;
    m_nStateFlags &= ~(delayHide | delayShow);
    nSwp |= SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (lpLayout != nullptr)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, nullptr, 0, 0, 0, 0, nSwp);
    else
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, nSwp);
    return dwStyle;
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD dwStyle = RecalcDelayShow(lpLayout);
    if (!(dwStyle & WS_VISIBLE) || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;
    CRect rect(lpLayout->rect);
    const CSize sizeAvail = rect.Size();
    DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (m_dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    CSize size = CalcDynamicLayout(-1, dwMode);
    size.cx = std::min(size.cx, sizeAvail.cx);
    size.cy = std::min(size.cy, sizeAvail.cy);
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            lpLayout->rect.top += size.cy;
        } else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT) {
            lpLayout->rect.left += size.cx;
        } else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    // A delay no layout has carried out yet happens now.
    if (m_nStateFlags & (delayHide | delayShow)) {
        RecalcDelayShow(nullptr);
        CFrameWnd* pFrame = GetDockingFrame();
        if (pFrame != nullptr)
            pFrame->DelayRecalcLayout();
    }
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget =
        pOwner != nullptr && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : AfxGetParentFrame(this);
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, static_cast<BOOL>(wParam));
    return 0;
}

void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pDockContext != nullptr) {
        ClientToScreen(&point);
        m_pDockContext->StartDrag(point);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (m_pDockContext != nullptr) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

INT_PTR CControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    return CWnd::OnToolHitTest(point, pTI);
}

void CControlBar::SetStatusText(INT_PTR nHit)
{
    CWnd* pFrame = m_pDockSite != nullptr ? static_cast<CWnd*>(m_pDockSite) : GetTopLevelParent();
    if (nHit == -1) {
        if (m_nStateFlags & statusSet) {
            m_nStateFlags &= ~statusSet;
            if (pFrame != nullptr && pFrame->m_hWnd != nullptr)
                pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        }
        KillTimer(kFlyByTimer);
    } else {
        m_nStateFlags |= statusSet;
        if (pFrame != nullptr)
            pFrame->SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(nHit));
        SetTimer(kFlyByTimer, kFlyByPeriod);
    }
    m_nHitLast = nHit;
}

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Fly-by prompts follow the mouse over the bar (its children included) while no button is down.
    if ((m_dwStyle & CBRS_FLYBY) && pMsg->message == WM_MOUSEMOVE &&
        !(pMsg->wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && ::GetCapture() == nullptr) {
        CPoint point(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &point, 1);
        CRect rect;
        GetClientRect(&rect);
        const INT_PTR nHit = rect.PtInRect(point) ? OnToolHitTest(point, nullptr) : -1;
        if (nHit != m_nHitLast)
            SetStatusText(nHit);
    }
    return FALSE;
}

void CControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kFlyByTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    // The prompt goes once the mouse has left the bar.
    CPoint point;
    ::GetCursorPos(&point);
    CRect rect;
    GetWindowRect(&rect);
    if (!rect.PtInRect(point))
        SetStatusText(-1);
}

void CControlBar::OnCancelMode()
{
    if (m_nStateFlags & statusSet)
        SetStatusText(-1);
    CWnd::OnCancelMode();
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_pBar = this;
    pInfo->m_nBarID = static_cast<UINT>(GetDlgCtrlID()) & 0xFFFF;
    pInfo->m_bVisible = IsVisible();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect rect;
    GetWindowRect(&rect);
    if (m_pDockBar != nullptr)
        m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_bDocking = m_pDockContext != nullptr;
    if (m_pDockContext != nullptr) {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd*)
{
    m_nMRUWidth = pInfo->m_nMRUWidth;
    CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    if (pInfo->m_bDocking && m_pDockContext != nullptr) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    // The position orders the bar within its row; the next layout sizes it.
    UINT nFlags =
        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (m_pDockBar == nullptr)
        nFlags |= SWP_NOMOVE;
    m_nStateFlags &= ~(delayHide | delayShow);
    SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, nFlags);
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND || message == WM_NOTIFY) {
        LRESULT lResult = 0;
        if (OnWndMsg(message, wParam, lParam, &lResult))
            return lResult;
        CWnd* pOwner = GetOwner();
        if (pOwner != nullptr && pOwner->m_hWnd != nullptr && pOwner->m_hWnd != m_hWnd)
            return pOwner->SendMessage(message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
