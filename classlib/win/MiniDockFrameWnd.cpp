// CMiniDockFrameWnd: creation around its dock bar, snapping to the bars, and the caption's mouse.
#include "classlib/win/MiniDockFrameWnd.h"

#include "classlib/Resources.h"
#include "classlib/win/DockContext.h"
#include "classlib/win/Menu.h"

#include <vector>

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
ON_WM_NCHITTEST()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
    m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // No layout until the dock bar is in place.
    m_bInRecalcLayout = TRUE;
    DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE |
                    MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        dwStyle &= ~MFS_MOVEFRAME;
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", dwStyle, CRect(0, 0, 0, 0), pParent)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    HMENU hSysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    if (hSysMenu != nullptr) {
        ::DeleteMenu(hSysMenu, SC_SIZE, MF_BYCOMMAND);
        CString hide;
        if (AfxLoadStringResource(AFX_IDS_HIDE, hide)) {
            ::DeleteMenu(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
            ::AppendMenu(hSysMenu, MF_STRING | MF_ENABLED, SC_CLOSE, hide);
        }
    }
    DWORD dwDockStyle = (dwBarStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // Made under the dock site, so that it is among that frame's bars, then moved in here.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        m_bInRecalcLayout = FALSE;
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (GetStyle() & FWS_SNAPTOBARS) {
        // The window takes the size its bars ask for.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, nullptr, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    CString text;
    m_wndDockBar.GetWindowText(text);
    AfxSetWindowText(m_hWnd, text);
    m_bInRecalcLayout = FALSE;
}

CControlBar* CMiniDockFrameWnd::FirstBar() const
{
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i))
            return pBar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::OnClose()
{
    // Closing hides the bars; the dock bar then hides the frame.
    std::vector<CControlBar*> bars;
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i) {
        if (CControlBar* pBar = m_wndDockBar.GetDockedControlBar(i))
            bars.push_back(pBar);
    }
    for (CControlBar* pBar : bars) {
        if (pBar->m_pDockSite != nullptr)
            pBar->m_pDockSite->ShowControlBar(pBar, FALSE, FALSE);
    }
}

LRESULT CMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    const LRESULT nHit = CMiniFrameWnd::OnNcHitTest(point);
    if (nHit < HTSIZEFIRST || nHit > HTSIZELAST)
        return nHit;
    // A bar of fixed size moves by its borders; otherwise corners work as edges.
    if (GetStyle() & MFS_MOVEFRAME)
        return HTCAPTION;
    switch (nHit) {
    case HTTOPLEFT:
    case HTBOTTOMLEFT:
        return HTLEFT;
    case HTTOPRIGHT:
    case HTBOTTOMRIGHT:
        return HTRIGHT;
    default:
        return nHit;
    }
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = FirstBar();
    const BOOL bSingle = !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI);
    if (pBar != nullptr && pBar->m_pDockContext != nullptr) {
        if (nHitTest == HTCAPTION && bSingle) {
            BringWindowToTop();
            pBar->m_pDockContext->StartDrag(point);
            return;
        }
        if (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST) {
            BringWindowToTop();
            pBar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = FirstBar();
    if (nHitTest == HTCAPTION && !(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) && pBar != nullptr &&
        pBar->m_pDockContext != nullptr) {
        pBar->m_pDockContext->ToggleDocking();
        return;
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

LRESULT CMiniDockFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    // The caption follows the dock site's activation.
    if (wParam & FS_ACTIVATE)
        DefWindowProc(WM_NCACTIVATE, TRUE, 0);
    else if (wParam & FS_DEACTIVATE)
        DefWindowProc(WM_NCACTIVATE, FALSE, 0);
    return 0;
}
