// CDockBar: the bar array, docking and removing bars, and the row layout.
#include "classlib/win/DockBar.h"

#include "classlib/win/DockContext.h"
#include "classlib/win/DockState.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating), m_bLayoutQuery(FALSE), m_rectLayout(0, 0, 0, 0)
{
    m_bAutoDelete = TRUE;
    m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
    m_arrBars.Add(nullptr);
}

CDockBar::~CDockBar()
{
    // Bars still here outlive the dock bar only as undocked objects.
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != nullptr && pBar->m_pDockBar == this)
            pBar->m_pDockBar = nullptr;
    }
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    return CWnd::Create(GetBarWndClass(), nullptr, (dwStyle & ~CBRS_ALL) | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                        pParentWnd, nID);
}

int CDockBar::GetDockedCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        nCount += GetDockedControlBar(i) != nullptr ? 1 : 0;
    return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
    int nCount = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        nCount += pBar != nullptr && pBar->IsVisible() ? 1 : 0;
    }
    return nCount;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
    void* pEntry = m_arrBars[nPos];
    return IsPlaceHolder(pEntry) ? nullptr : static_cast<CControlBar*>(pEntry);
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) const
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (i != nPosExclude && m_arrBars[i] == pBar)
            return i;
    }
    return -1;
}

void CDockBar::RemoveEntry(int nPos)
{
    m_arrBars.RemoveAt(nPos);
    if (nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == nullptr && m_arrBars[nPos] == nullptr)
        m_arrBars.RemoveAt(nPos);
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid)
{
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int nOverlap = bHorz ? AfxBarBorder2Y() : AfxBarBorder2X();
    const int nMid = bHorz ? ptMid.y : ptMid.x;
    const int nLead = bHorz ? rect.left : rect.top;
    if (nMid < 0) {
        // Above (before) the first row: a new first row.
        m_arrBars.InsertAt(1, static_cast<void*>(nullptr));
        m_arrBars.InsertAt(1, pBarIns);
        return 1;
    }
    int nRowStart = -nOverlap; // where the row being walked begins across the rows
    int nThickness = 0;        // its thickest visible bar
    int nRowFirst = 1;         // its first entry
    int nInsAfter = 0;         // the entry the bar would follow in it
    for (int nPos = 1; nPos < m_arrBars.GetSize(); ++nPos) {
        if (m_arrBars[nPos] != nullptr) {
            CControlBar* pBar = GetDockedControlBar(nPos);
            if (pBar != nullptr && pBar != pBarIns && pBar->IsVisible()) {
                CRect rectBar;
                pBar->GetWindowRect(&rectBar);
                ScreenToClient(&rectBar);
                nThickness = std::max(nThickness, bHorz ? rectBar.Height() : rectBar.Width());
                if (nLead > (bHorz ? rectBar.left : rectBar.top))
                    nInsAfter = nPos;
            }
            continue;
        }
        const int nRowEnd = nRowStart + nThickness - nOverlap;
        if (nThickness > 0 && nMid < nRowEnd) {
            const int nIns = nInsAfter > 0 ? nInsAfter + 1 : nRowFirst;
            m_arrBars.InsertAt(nIns, pBarIns);
            return nIns;
        }
        if (nThickness > 0)
            nRowStart = nRowEnd;
        nThickness = 0;
        nInsAfter = 0;
        nRowFirst = nPos + 1;
    }
    // Beyond the rows: a new last row.
    m_arrBars.Add(pBarIns);
    m_arrBars.Add(nullptr);
    return static_cast<int>(m_arrBars.GetSize()) - 2;
}

void CDockBar::AttachBar(CControlBar* pBar, int nPos, BOOL bKeepPlace)
{
    DWORD dwStyle = pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating) {
        dwStyle |= CBRS_FLOATING;
        // A floating frame for one bar is named after it and sized as it is.
        m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED);
        if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
            CString text;
            pBar->GetWindowText(text);
            AfxSetWindowText(m_hWnd, text);
        }
    }
    pBar->SetBarStyle(dwStyle);

    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (::GetParent(pBar->m_hWnd) != m_hWnd)
        pBar->SetParent(this);
    pBar->m_pDockBar = this;
    if (pOldDockBar == this) {
        RemoveControlBar(pBar, nPos, 0);
    } else if (pOldDockBar != nullptr) {
        // A bar leaving a side for a floating frame keeps its place on that side.
        pOldDockBar->RemoveControlBar(pBar, -1,
                                      bKeepPlace && m_bFloating && !pOldDockBar->m_bFloating ? 1 : 0);
    }
    RemovePlaceHolder(pBar);
    if (!m_bFloating && pBar->m_pDockContext != nullptr) {
        const UINT nID = static_cast<UINT>(GetDlgCtrlID());
        if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM)
            pBar->m_pDockContext->m_uMRUDockID = nID;
    }
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame != nullptr)
        pFrame->DelayRecalcLayout();
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this && (lpRect == nullptr || rectBar.EqualRect(lpRect)))
        return; // already there
    int nPos;
    CPoint ptPos(-AfxBarBorder2X(), -AfxBarBorder2Y()); // just off the edge
    if (lpRect != nullptr) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        nPos = Insert(pBar, rect, rect.CenterPoint());
        ptPos = rect.TopLeft();
    } else {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
        nPos = static_cast<int>(m_arrBars.GetSize()) - 2;
    }
    AttachBar(pBar, nPos);
    pBar->SetWindowPos(nullptr, ptPos.x, ptPos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (lpRect != nullptr && pBar->m_pDockContext != nullptr && !m_bFloating)
        pBar->m_pDockContext->m_rectMRUDockPos = CRect(ptPos, rectBar.Size());
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    const int nPos =
        FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID() & 0xFFFF)));
    if (nPos <= 0) {
        DockControlBar(pBar, lpRect);
        return;
    }
    m_arrBars[nPos] = pBar;
    AttachBar(pBar, nPos);
    if (lpRect != nullptr) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (pBar->IsVisible())
        pBar->DelayShow(TRUE);
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
    void* pId = reinterpret_cast<void*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID() & 0xFFFF));
    if (pId == nullptr)
        return;
    for (int nPos = FindBar(static_cast<CControlBar*>(pId)); nPos > 0;
         nPos = FindBar(static_cast<CControlBar*>(pId)))
        RemoveEntry(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    void* pId = reinterpret_cast<void*>(
        static_cast<UINT_PTR>(pBar->GetSafeHwnd() != nullptr ? pBar->GetDlgCtrlID() & 0xFFFF : 0));
    if (nAddPlaceHolder == 1 && pId != nullptr && FindBar(static_cast<CControlBar*>(pId)) <= 0) {
        m_arrBars[nPos] = pId; // one placeholder per bar: an existing one keeps the place
    } else {
        RemoveEntry(nPos);
        if (nAddPlaceHolder == -1 && pId != nullptr)
            RemovePlaceHolder(pBar);
    }
    if (pBar->m_pDockBar == this)
        pBar->m_pDockBar = nullptr;
    // A bar being destroyed (its dock context is gone first) changes no frame.
    if (pBar->m_pDockContext == nullptr || m_hWnd == nullptr)
        return FALSE;
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == nullptr)
        return FALSE;
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        if (GetDockedCount() == 0) {
            pFrame->DestroyWindow();
            return TRUE;
        }
        pFrame->ShowWindow(SW_HIDE);
    } else {
        pFrame->DelayRecalcLayout();
    }
    return FALSE;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    CSize sizeMax;
    if (!m_rectLayout.IsRectEmpty()) {
        sizeMax = m_rectLayout.Size();
    } else {
        CRect rectParent;
        ::GetClientRect(::GetParent(m_hWnd), &rectParent);
        sizeMax = rectParent.Size();
    }
    const int cxOverlap = AfxBarBorder2X(), cyOverlap = AfxBarBorder2Y();
    // Along the rows (a) and across them (b), whatever the side.
    const int nOverlapA = bHorz ? cxOverlap : cyOverlap;
    const int nOverlapB = bHorz ? cyOverlap : cxOverlap;
    const int nMaxA = bHorz ? sizeMax.cx : sizeMax.cy;

    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
    int a = -nOverlapA, b = -nOverlapB; // where the next bar goes
    int nThickness = 0;                 // of the row being laid out
    int nLengthMax = 0, nBreadth = 0;
    BOOL bWrapped = FALSE; // the bar at hand has just opened a row
    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
        if (m_arrBars[nPos] == nullptr) {
            if (nThickness != 0) {
                b += nThickness - nOverlapB;
                nBreadth = std::max(nBreadth, b);
                a = -nOverlapA;
                nThickness = 0;
            }
            continue;
        }
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar == nullptr)
            continue; // a placeholder
        if (!pBar->IsVisible()) {
            pBar->RecalcDelayShow(&layout);
            continue;
        }
        DWORD dwMode = LM_VERTDOCK;
        if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
            dwMode = LM_HORZ | LM_MRUWIDTH;
        else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
            dwMode = LM_HORZ | LM_HORZDOCK;
        const CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
        const int nLenA = bHorz ? sizeBar.cx : sizeBar.cy;
        const int nLenB = bHorz ? sizeBar.cy : sizeBar.cx;
        CRect rectBar;
        pBar->GetWindowRect(&rectBar);
        ScreenToClient(&rectBar);
        int nStartA = a;
        if (bWrapped) {
            bWrapped = FALSE; // it starts its new row
        } else if (!m_bFloating) {
            // Where it was dropped, when that is further along.
            nStartA = std::max<int>(a, bHorz ? rectBar.left : rectBar.top);
            // Back inside the side when it would run past its end.
            if (nStartA + nLenA > nMaxA)
                nStartA = std::max(nMaxA - (nLenA - nOverlapA), a);
            // Wholly beyond the end and not first in its row: it opens the next row.
            if (nStartA >= nMaxA - nOverlapA && m_arrBars[nPos - 1] != nullptr) {
                m_arrBars.InsertAt(nPos, static_cast<void*>(nullptr));
                bWrapped = TRUE;
                --nPos; // the new row end comes next, then this bar again
                continue;
            }
        }
        const CRect rect = bHorz ? CRect(CPoint(nStartA, b), sizeBar) : CRect(CPoint(b, nStartA), sizeBar);
        if (rect != rectBar) {
            if (!m_bLayoutQuery && !m_bFloating && pBar->m_pDockContext != nullptr)
                pBar->m_pDockContext->m_rectMRUDockPos = rect;
            AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
        }
        a = nStartA + nLenA - nOverlapA;
        nThickness = std::max(nThickness, nLenB);
        nLengthMax = std::max(nLengthMax, a);
        pBar->RecalcDelayShow(&layout);
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);

    if (bHorz) {
        sizeFixed.cx = std::max<LONG>(sizeFixed.cx, nLengthMax);
        sizeFixed.cy = std::max<LONG>(sizeFixed.cy, nBreadth);
    } else {
        sizeFixed.cx = std::max<LONG>(sizeFixed.cx, nBreadth);
        sizeFixed.cy = std::max<LONG>(sizeFixed.cy, nLengthMax);
    }
    // The dock bar's own border lines.
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
        sizeFixed.cx += rectInside.left - rectInside.right;
    if ((!bStretch || bHorz) && sizeFixed.cy != 0)
        sizeFixed.cy += rectInside.top - rectInside.bottom;
    return sizeFixed;
}

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    m_bLayoutQuery = lpLayout->hDWP == nullptr;
    m_rectLayout = lpLayout->rect;
    const LRESULT lResult = CControlBar::OnSizeParent(wParam, lParam);
    m_bLayoutQuery = FALSE;
    m_rectLayout.SetRectEmpty();
    return lResult;
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

void CDockBar::DoPaint(CDC* pDC)
{
    CControlBar::DoPaint(pDC);
}

void CDockBar::GetBarInfo(CControlBarInfo* pInfo)
{
    CControlBar::GetBarInfo(pInfo);
    pInfo->m_bDockBar = TRUE;
    pInfo->m_bFloating = m_bFloating;
    pInfo->m_bDocking = FALSE;
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (m_bFloating) {
        // A floating dock bar is saved as its frame: where it is and whether it shows.
        CWnd* pFrame = GetParent();
        CRect rect;
        pFrame->GetWindowRect(&rect);
        pInfo->m_pointPos = rect.TopLeft();
        pInfo->m_bVisible = pFrame->IsWindowVisible();
    }
    pInfo->m_arrBarID.RemoveAll();
    for (int i = 1; i < m_arrBars.GetSize(); ++i) {
        void* pEntry = m_arrBars[i];
        if (pEntry == nullptr)
            pInfo->m_arrBarID.Add(0);
        else if (IsPlaceHolder(pEntry))
            pInfo->m_arrBarID.Add(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pEntry)) |
                                  CControlBarInfo::placeHolderFlag);
        else if (const UINT nID =
                     static_cast<UINT>(static_cast<CControlBar*>(pEntry)->GetDlgCtrlID()) & 0xFFFF)
            pInfo->m_arrBarID.Add(nID);
    }
}

void CDockBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    // The rows as saved; ids of bars the frame does not have are left out.
    std::vector<void*> entries{nullptr};
    std::vector<CControlBar*> bars;
    for (int i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
        const DWORD dwID = pInfo->m_arrBarID[i];
        if (dwID == 0) {
            if (entries.back() != nullptr)
                entries.push_back(nullptr);
        } else if (dwID & CControlBarInfo::placeHolderFlag) {
            entries.push_back(reinterpret_cast<void*>(static_cast<UINT_PTR>(dwID & 0xFFFF)));
        } else if (CControlBar* pBar = pFrameWnd->GetControlBar(dwID & 0xFFFF)) {
            if (!pBar->IsDockBar() && std::find(bars.begin(), bars.end(), pBar) == bars.end()) {
                entries.push_back(pBar);
                bars.push_back(pBar);
            }
        }
    }
    if (entries.back() != nullptr)
        entries.push_back(nullptr);
    // Bars here the state does not name stay, each in a row of its own after the saved ones.
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != nullptr && std::find(bars.begin(), bars.end(), pBar) == bars.end()) {
            entries.push_back(pBar);
            entries.push_back(nullptr);
        }
    }
    m_arrBars.RemoveAll();
    for (void* pEntry : entries)
        m_arrBars.Add(pEntry);
    for (CControlBar* pBar : bars) {
        if (pBar->m_pDockBar == this)
            continue;
        // The saved rows say where placeholders are.
        AttachBar(pBar, FindBar(pBar), FALSE);
    }
    if (!m_bFloating)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (pInfo->m_bVisible ? SWP_SHOWWINDOW : 0));
}
