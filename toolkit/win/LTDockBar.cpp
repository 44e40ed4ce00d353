// LTDockBar: row shares, toolbar and sizable rows, splitters and their drags, docking and removing.
#include "toolkit/win/LTDockBar.h"

#include "classlib/List.h"
#include "classlib/win/DC.h"
#include "classlib/win/DockContext.h"
#include "classlib/win/MiniFrameWnd.h"
#include "toolkit/win/LTControlBar.h"
#include "toolkit/win/LTGlobalData.h"

#include <algorithm>
#include <climits>

IMPLEMENT_DYNCREATE(LTDockBar, CDockBar)

BOOL LTDockBar::s_bNoRedraw = TRUE;

namespace {

const int kSplit = LTDockSplitter::kThickness;
const int kLine = 2;
// The class library's split-bar cursors.
const UINT kHorzSplitCursor = 30980;
const UINT kVertSplitCursor = 30981;

LTControlBar* AsToolkitBar(CControlBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(LTControlBar)) ? static_cast<LTControlBar*>(pBar)
                                                                          : nullptr;
}

// Laid out like a toolbar: plain class-library bars and toolkit bars with the toolbar layout.
BOOL IsToolbarKind(CControlBar* pBar)
{
    LTControlBar* pLT = AsToolkitBar(pBar);
    return pLT == nullptr || (pLT->GetExBarStyle() & BAR_EX_TOOLBAR_LAYOUT) != 0;
}

BOOL IsFlatToolbar(CControlBar* pBar)
{
    LTControlBar* pLT = AsToolkitBar(pBar);
    return pLT != nullptr && (pLT->GetExBarStyle() & (BAR_EX_TOOLBAR_LAYOUT | BAR_EX_FLAT_BORDERS)) ==
                                 (BAR_EX_TOOLBAR_LAYOUT | BAR_EX_FLAT_BORDERS);
}

HCURSOR LoadSplitCursor(UINT nID, LPCTSTR lpszFallback)
{
    HCURSOR hCursor = ::LoadCursor(::GetModuleHandle(nullptr), MAKEINTRESOURCE(nID));
    return hCursor != nullptr ? hCursor : ::LoadCursor(nullptr, lpszFallback);
}

CRect WindowRectIn(CWnd* pWnd, CWnd* pParent)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

} // namespace

void LTDockSplitter::Paint(CDC* pDC) const
{
    const LTGlobalData& data = LTGetGlobalData();
    const CRect& r = m_rect;
    if (m_nOrient == horzBand) {
        pDC->FillSolidRect(r.left, r.top + 1, r.Width(), r.Height() - 3, data.clrBtnFace);
        pDC->FillSolidRect(r.left, r.top, r.Width(), 1, data.clrBtnHilite);
        pDC->FillSolidRect(r.left, r.bottom - 2, r.Width(), 1, data.clrBtnShadow);
        pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, data.clrWindowFrame);
    } else {
        pDC->FillSolidRect(r.left + 1, r.top, r.Width() - 3, r.Height(), data.clrBtnFace);
        pDC->FillSolidRect(r.left, r.top, 1, r.Height(), data.clrBtnHilite);
        pDC->FillSolidRect(r.right - 2, r.top, 1, r.Height(), data.clrBtnShadow);
        pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), data.clrWindowFrame);
    }
}

void LTDockLine::Paint(CDC* pDC) const
{
    const LTGlobalData& data = LTGetGlobalData();
    if (m_nOrient == 0) {
        pDC->FillSolidRect(m_rect.left, m_rect.top, m_rect.Width(), 1, data.clrBtnShadow);
        pDC->FillSolidRect(m_rect.left, m_rect.top + 1, m_rect.Width(), 1, data.clrBtnHilite);
    } else {
        pDC->FillSolidRect(m_rect.left, m_rect.top, 1, m_rect.Height(), data.clrBtnShadow);
        pDC->FillSolidRect(m_rect.left + 1, m_rect.top, 1, m_rect.Height(), data.clrBtnHilite);
    }
}

BEGIN_MESSAGE_MAP(LTDockBar, CDockBar)
ON_WM_CREATE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

LTDockBar::LTDockBar(BOOL bFloating, BOOL bMDIChild)
    : CDockBar(bFloating), m_bMDIChild(bMDIChild), m_pSizeParent(nullptr), m_pKeepBar(nullptr),
      m_bPainting(FALSE), m_bRowsChanged(FALSE), m_fMinPct(0.08f), m_nLayoutLength(0), m_nLastDockRow(-1)
{
}

LTDockBar::~LTDockBar() = default;

BOOL LTDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    return CDockBar::PreCreateWindow(cs);
}

int LTDockBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CDockBar::OnCreate(lpcs) == -1)
        return -1;
    LTGlobalData& data = LTGetGlobalData();
    if (data.hcurHSplit == nullptr)
        data.hcurHSplit = LoadSplitCursor(kHorzSplitCursor, IDC_SIZEWE);
    if (data.hcurVSplit == nullptr)
        data.hcurVSplit = LoadSplitCursor(kVertSplitCursor, IDC_SIZENS);
    return 0;
}

CFrameWnd* LTDockBar::DockingFrame() const
{
    return m_hWnd != nullptr ? GetDockingFrame() : nullptr;
}

int LTDockBar::RowLength() const
{
    CRect rect;
    GetClientRect(&rect);
    return IsHorzDock() ? rect.Width() : rect.Height();
}

void LTDockBar::RowBounds(int nPos, int* pnFirst, int* pnEnd) const
{
    int nFirst = nPos;
    while (nFirst > 1 && m_arrBars[nFirst - 1] != nullptr)
        --nFirst;
    int nEnd = nPos;
    while (nEnd < m_arrBars.GetSize() && m_arrBars[nEnd] != nullptr)
        ++nEnd;
    *pnFirst = nFirst;
    *pnEnd = nEnd;
}

// ---- shares of a row

void LTDockBar::NormalizeRowPercentages(int nRowStart, CControlBar* pKeep, int* pnSizable, int* pnToolbar)
{
    const int nLength = m_nLayoutLength > 0 ? m_nLayoutLength : RowLength();
    m_fMinPct = nLength > 0 ? std::min(1.0f, 18.0f / static_cast<float>(nLength)) : 0.08f;
    std::vector<LTControlBar*> shares; // visible toolkit bars, the kept one left out
    LTControlBar* pKept = nullptr;
    int nSizable = 0, nToolbar = 0;
    for (int i = nRowStart; i < m_arrBars.GetSize() && m_arrBars[i] != nullptr; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        ++(IsToolbarKind(pBar) ? nToolbar : nSizable);
        LTControlBar* pLT = AsToolkitBar(pBar);
        if (pLT == nullptr)
            continue;
        if (pBar == pKeep)
            pKept = pLT;
        else
            shares.push_back(pLT);
    }
    if (pnSizable != nullptr)
        *pnSizable = nSizable;
    if (pnToolbar != nullptr)
        *pnToolbar = nToolbar;

    float fOthers = 0.0f;
    for (LTControlBar* pLT : shares)
        fOthers += pLT->m_fPctWidth;
    if (pKept != nullptr) {
        // The kept bar keeps its share (within the minimum and 0.95); the others divide the rest in
        // proportion, or take the minimum when they have none (an expanded bar's row).
        if (shares.empty()) {
            pKept->m_fPctWidth = 1.0f;
            return;
        }
        const float fKept = std::min(std::max(pKept->m_fPctWidth, m_fMinPct), 0.95f);
        pKept->m_fPctWidth = fKept;
        const float fRest = 1.0f - fKept;
        for (LTControlBar* pLT : shares) {
            const float f = fOthers > 0.0f ? pLT->m_fPctWidth * fRest / fOthers : 0.0f;
            pLT->m_fPctWidth = std::max(f, m_fMinPct);
        }
        return;
    }
    for (LTControlBar* pLT : shares) {
        const float f =
            fOthers > 0.0f ? pLT->m_fPctWidth / fOthers : 1.0f / static_cast<float>(shares.size());
        pLT->m_fPctWidth = std::max(f, m_fMinPct);
    }
}

BOOL LTDockBar::IsBarExpanded(CControlBar* pBar)
{
    const int nPos = FindBar(pBar);
    if (nPos <= 0)
        return FALSE;
    int nFirst, nEnd;
    RowBounds(nPos, &nFirst, &nEnd);
    const float fLimit = m_fMinPct + 0.0001f;
    BOOL bThisAbove = FALSE;
    for (int i = nFirst; i < nEnd; ++i) {
        LTControlBar* pLT = AsToolkitBar(GetDockedControlBar(i));
        if (pLT == nullptr || !pLT->IsVisible())
            continue;
        const BOOL bAbove = pLT->m_fPctWidth > fLimit;
        if (pLT == pBar)
            bThisAbove = bAbove;
        else if (bAbove)
            return FALSE;
    }
    return bThisAbove;
}

BOOL LTDockBar::IsBarAloneInRow(CControlBar* pBar)
{
    const int nPos = FindBar(pBar);
    if (nPos <= 0)
        return TRUE;
    int nFirst, nEnd;
    RowBounds(nPos, &nFirst, &nEnd);
    for (int i = nFirst; i < nEnd; ++i) {
        CControlBar* pOther = GetDockedControlBar(i);
        if (pOther != nullptr && pOther != pBar && pOther->IsVisible())
            return FALSE;
    }
    return TRUE;
}

void LTDockBar::GetRowBars(CPtrList* pList, CControlBar* pBar)
{
    const int nPos = FindBar(pBar);
    if (nPos <= 0)
        return;
    int nFirst, nEnd;
    RowBounds(nPos, &nFirst, &nEnd);
    for (int i = nPos - 1; i >= nFirst; --i) {
        if (CControlBar* pOther = GetDockedControlBar(i))
            pList->AddTail(pOther);
    }
    for (int i = nPos; i < nEnd; ++i) {
        if (CControlBar* pOther = GetDockedControlBar(i))
            pList->AddTail(pOther);
    }
}

void LTDockBar::ExpandContractBar(CControlBar* pBar, int nCode)
{
    const int nPos = FindBar(pBar);
    if (nPos <= 0 || (nCode != 1 && nCode != 2))
        return;
    int nFirst, nEnd;
    RowBounds(nPos, &nFirst, &nEnd);
    for (int i = nFirst; i < nEnd; ++i) {
        if (LTControlBar* pLT = AsToolkitBar(GetDockedControlBar(i)))
            pLT->m_fPctWidth = nCode == 1 ? (pLT == pBar ? 1.0f : 0.0f) : 0.1f;
    }
    // Contracting keeps no bar: the row's bars end with equal shares.
    m_pKeepBar = nCode == 1 ? pBar : nullptr;
    NormalizeRowPercentages(nFirst, m_pKeepBar, nullptr, nullptr);
    RedrawFollowing(nPos);
    if (CFrameWnd* pFrame = DockingFrame())
        pFrame->DelayRecalcLayout();
}

void LTDockBar::NoteBarChanged(CControlBar* pBar)
{
    m_pKeepBar = pBar;
}

// ---- redrawing

void LTDockBar::AddRowToRedraw(CControlBar* pBar)
{
    if (pBar == nullptr)
        return;
    for (int i = 0; i < m_arrRedraw.GetSize(); ++i) {
        if (m_arrRedraw[i] == pBar)
            return;
    }
    m_arrRedraw.Add(pBar);
}

void LTDockBar::RedrawFollowing(int nPos)
{
    const BOOL bBackwards = (m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_ALIGN_RIGHT)) != 0;
    if (bBackwards) {
        for (int i = nPos - 1; i > 0; --i)
            AddRowToRedraw(GetDockedControlBar(i));
    } else {
        for (int i = nPos + 1; i < m_arrBars.GetSize(); ++i)
            AddRowToRedraw(GetDockedControlBar(i));
    }
}

void LTDockBar::FlushRedraw()
{
    if (m_arrRedraw.GetSize() == 0 || m_hWnd == nullptr)
        return;
    m_bPainting = TRUE;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    m_bPainting = FALSE;
}

void LTDockBar::DoPaint(CDC* pDC)
{
    for (const auto& pLine : m_lines)
        pLine->Paint(pDC);
    for (const auto& pSplitter : m_splitters)
        pSplitter->Paint(pDC);
    if (m_bPainting) {
        // Only bars still docked here: a destroyed bar leaves through the base class.
        for (int i = 0; i < m_arrRedraw.GetSize(); ++i) {
            auto* pBar = static_cast<CControlBar*>(m_arrRedraw[i]);
            if (FindBar(pBar) > 0 && pBar->m_hWnd != nullptr)
                ::RedrawWindow(pBar->m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
        }
        m_arrRedraw.RemoveAll();
        m_bRowsChanged = FALSE;
    }
    CDockBar::DoPaint(pDC);
}

// ---- splitter and line objects

LTDockSplitter* LTDockBar::AddSplitter(int nOrient, int nKind, const CRect& rect, int nIndex)
{
    for (const auto& pSplitter : m_splitters) {
        if (!pSplitter->m_bInUse && pSplitter->m_rect == rect && pSplitter->m_nKind == nKind) {
            pSplitter->m_bInUse = TRUE;
            pSplitter->m_nOrient = nOrient;
            pSplitter->m_nIndex = nIndex;
            return pSplitter.get();
        }
    }
    auto pSplitter = std::make_unique<LTDockSplitter>();
    pSplitter->m_nOrient = nOrient;
    pSplitter->m_nKind = nKind;
    pSplitter->m_rect = rect;
    pSplitter->m_nIndex = nIndex;
    m_splitters.push_back(std::move(pSplitter));
    return m_splitters.back().get();
}

void LTDockBar::AddRowLine(int nOrient, const CRect& rect)
{
    for (const auto& pLine : m_lines) {
        if (!pLine->m_bInUse && pLine->m_rect == rect) {
            pLine->m_bInUse = TRUE;
            pLine->m_nOrient = nOrient;
            return;
        }
    }
    auto pLine = std::make_unique<LTDockLine>();
    pLine->m_nOrient = nOrient;
    pLine->m_rect = rect;
    m_lines.push_back(std::move(pLine));
}

LTDockSplitter* LTDockBar::SplitterAt(CPoint point) const
{
    for (const auto& pSplitter : m_splitters) {
        if (pSplitter->m_rect.PtInRect(point))
            return pSplitter.get();
    }
    return nullptr;
}

// ---- row layout

namespace {

// Moves a bar within the layout's batch; the size stays when only the position changed.
void MoveBar(HDWP* phDWP, CControlBar* pBar, const CRect& rect, const CRect& rectOld)
{
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | (LTDockBar::s_bNoRedraw ? SWP_NOREDRAW : 0);
    if (rect.Size() == rectOld.Size())
        nFlags |= SWP_NOSIZE;
    if (*phDWP != nullptr)
        *phDWP = ::DeferWindowPos(*phDWP, pBar->m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                  rect.Height(), nFlags);
    else
        ::SetWindowPos(pBar->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
}

} // namespace

CSize LTDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeMax;
    if (!m_rectLayout.IsRectEmpty()) {
        sizeMax = m_rectLayout.Size();
    } else {
        CRect rectParent;
        ::GetClientRect(::GetParent(m_hWnd), &rectParent);
        sizeMax = rectParent.Size();
    }
    const int nAvail = bHorz ? sizeMax.cx : sizeMax.cy;
    const int nOverlap = LTGetGlobalData().bNewLook ? 2 : 1;
    const BOOL bQuery = m_bLayoutQuery;
    const BOOL bFarSide = (m_dwStyle & (CBRS_ALIGN_BOTTOM | CBRS_ALIGN_RIGHT)) != 0;
    m_nLayoutLength = nAvail;

    AFX_SIZEPARENTPARAMS layout = {};
    if (!bQuery) {
        layout.hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
        for (const auto& pSplitter : m_splitters)
            pSplitter->m_bInUse = FALSE;
        for (const auto& pLine : m_lines)
            pLine->m_bInUse = FALSE;
    }

    int b = 0;              // where the next row begins across the rows
    int nFirstOffset = 0;   // how far the first row starts before the edge
    int nMaxOverlap = 0;    // the largest overlap of the rows' bars
    int nLengthMax = 0;     // the longest row
    int nFirstChanged = -1; // the first bar whose size changed
    BOOL bAnyVisible = FALSE;
    BOOL bPrevSizable = FALSE;
    BOOL bWrapped = FALSE; // the row begins with a bar that has just wrapped
    // Along and across as rectangles.
    auto makeRect = [bHorz](int a, int bb, int nLen, int nThick) {
        return bHorz ? CRect(a, bb, a + nLen, bb + nThick) : CRect(bb, a, bb + nThick, a + nLen);
    };

    for (int nPos = 1; nPos < m_arrBars.GetSize();) {
        int nFirst, nEnd;
        RowBounds(nPos, &nFirst, &nEnd);
        int nSizable = 0, nToolbar = 0;
        NormalizeRowPercentages(nFirst, m_pKeepBar, &nSizable, &nToolbar);
        std::vector<int> visible;
        BOOL bRowHasFlat = FALSE;
        for (int i = nFirst; i < nEnd; ++i) {
            CControlBar* pBar = GetDockedControlBar(i);
            if (pBar == nullptr)
                continue;
            if (!pBar->IsVisible()) {
                pBar->RecalcDelayShow(&layout);
                continue;
            }
            visible.push_back(i);
            bRowHasFlat |= IsFlatToolbar(pBar);
        }
        if (visible.empty()) {
            nPos = nEnd + 1;
            bWrapped = FALSE;
            continue;
        }
        const BOOL bSizable = nSizable > 0;
        const BOOL bFlatRow = IsFlatToolbar(GetDockedControlBar(visible.front()));
        if (!bAnyVisible) {
            if (bSizable)
                nFirstOffset = bRowHasFlat ? 3 : (bFarSide ? -1 : 0);
            else
                nFirstOffset = bFlatRow ? 1 : nOverlap;
            b = -nFirstOffset;
        } else if (bFlatRow && bPrevSizable) {
            b += 1;
        }
        bAnyVisible = TRUE;
        const int nVisible = static_cast<int>(visible.size());

        // First pass: each bar's size (committed in a sizable row) and the row's thickness.
        std::vector<CSize> sizes;
        int nThickness = 0;
        for (int i : visible) {
            CControlBar* pBar = GetDockedControlBar(i);
            DWORD dwMode;
            if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
                dwMode = LM_HORZ | LM_MRUWIDTH;
            else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
                dwMode = LM_HORZDOCK | LM_HORZ;
            else
                dwMode = LM_VERTDOCK | LM_LENGTHY;
            CSize size;
            if (bSizable) {
                CRect rectBar = WindowRectIn(pBar, this);
                const int nLength = m_bFloating ? (bHorz ? rectBar.Width() : rectBar.Height())
                                                : nAvail - kSplit * nVisible + kSplit;
                size = pBar->CalcDynamicLayout(nLength, dwMode | LM_STRETCH | LM_COMMIT);
            } else {
                if (LTControlBar* pLT = AsToolkitBar(pBar))
                    pLT->ModifyExBarStyle(0, BAR_EX_3D_BORDERS, FALSE);
                size = pBar->CalcDynamicLayout(-1, dwMode);
            }
            sizes.push_back(size);
            nThickness = std::max<int>(nThickness, bHorz ? size.cy : size.cx);
        }

        if (!bSizable) {
            // A toolbar row: ideal sizes, positions kept where dropped, wrapping.
            const int nRowOverlap = bFlatRow ? 0 : nOverlap;
            int a = bFlatRow ? -1 : -nOverlap;
            BOOL bWrapNext = FALSE;
            for (int k = 0; k < nVisible; ++k) {
                const int i = visible[static_cast<size_t>(k)];
                CControlBar* pBar = GetDockedControlBar(i);
                const int nBarOverlap = IsFlatToolbar(pBar) ? 0 : nOverlap;
                const int nLen = bHorz ? sizes[static_cast<size_t>(k)].cx : sizes[static_cast<size_t>(k)].cy;
                const int nThick =
                    bHorz ? sizes[static_cast<size_t>(k)].cy : sizes[static_cast<size_t>(k)].cx;
                const CRect rectOld = WindowRectIn(pBar, this);
                int nStart = a;
                if (k == 0 && bWrapped) {
                    // It starts the row it wrapped into.
                } else if (!m_bFloating) {
                    nStart = std::max<int>(a, bHorz ? rectOld.left : rectOld.top);
                    if (nStart + nLen > nAvail)
                        nStart = std::max(nAvail - (nLen - nBarOverlap), a);
                    if (nStart >= nAvail - nBarOverlap && k > 0) {
                        m_arrBars.InsertAt(i, static_cast<void*>(nullptr));
                        nEnd = i;
                        bWrapNext = TRUE;
                        break;
                    }
                }
                const CRect rect = makeRect(nStart, b, nLen, nThick);
                if (rect != rectOld && !bQuery) {
                    if (!m_bFloating && pBar->m_pDockContext != nullptr)
                        pBar->m_pDockContext->m_rectMRUDockPos = rect;
                    MoveBar(&layout.hDWP, pBar, rect, rectOld);
                }
                pBar->RecalcDelayShow(&layout);
                a = nStart + nLen - nBarOverlap;
                nLengthMax = std::max(nLengthMax, a);
            }
            bWrapped = bWrapNext;
            b += nThickness - nRowOverlap;
            nMaxOverlap = std::max(nMaxOverlap, nRowOverlap);
            bPrevSizable = FALSE;
            nPos = nEnd + 1;
            continue;
        }

        // A sizable row: the line on the outer side, the row splitter on the inner side.
        const BOOL bTopOrLeft = !bFarSide;
        int bBars = b;
        if (!m_bFloating) {
            const int nOrientRow = bHorz ? LTDockSplitter::horzBand : LTDockSplitter::vertBand;
            const CRect rectFirst = makeRect(0, b, nAvail, bTopOrLeft ? kLine : kSplit);
            const CRect rectSecond = makeRect(0, b + (bTopOrLeft ? kLine : kSplit) + nThickness, nAvail,
                                              bTopOrLeft ? kSplit : kLine);
            if (!bQuery) {
                if (bTopOrLeft) {
                    AddRowLine(bHorz ? 0 : 1, rectFirst);
                    AddSplitter(nOrientRow, LTDockSplitter::rowSplitter, rectSecond, nFirst);
                } else {
                    AddSplitter(nOrientRow, LTDockSplitter::rowSplitter, rectFirst, nFirst);
                    AddRowLine(bHorz ? 0 : 1, rectSecond);
                }
            }
            bBars = b + (bTopOrLeft ? kLine : kSplit);
        }
        int a = 0;
        for (int k = 0; k < nVisible; ++k) {
            const int i = visible[static_cast<size_t>(k)];
            CControlBar* pBar = GetDockedControlBar(i);
            if (LTControlBar* pLT = AsToolkitBar(pBar))
                pLT->ModifyExBarStyle(BAR_EX_3D_BORDERS, 0, FALSE);
            const int nLen = bHorz ? sizes[static_cast<size_t>(k)].cx : sizes[static_cast<size_t>(k)].cy;
            const CRect rect = makeRect(a, bBars, nLen, nThickness);
            const CRect rectOld = WindowRectIn(pBar, this);
            if (rect != rectOld && !bQuery) {
                if (!m_bFloating && pBar->m_pDockContext != nullptr)
                    pBar->m_pDockContext->m_rectMRUDockPos = rect;
                MoveBar(&layout.hDWP, pBar, rect, rectOld);
                AddRowToRedraw(pBar);
                if (nFirstChanged < 0 && rect.Size() != rectOld.Size())
                    nFirstChanged = i;
            }
            pBar->RecalcDelayShow(&layout);
            a += nLen;
            if (k + 1 < nVisible) {
                if (!bQuery && !m_bFloating)
                    AddSplitter(bHorz ? LTDockSplitter::vertBand : LTDockSplitter::horzBand,
                                LTDockSplitter::barSplitter, makeRect(a, bBars, kSplit, nThickness), i);
                a += kSplit;
            }
        }
        nLengthMax = std::max(nLengthMax, a);
        b = m_bFloating ? b + nThickness : b + kLine + nThickness + kSplit;
        bPrevSizable = TRUE;
        bWrapped = FALSE;
        nPos = nEnd + 1;
    }

    if (!bQuery) {
        if (layout.hDWP != nullptr)
            ::EndDeferWindowPos(layout.hDWP);
        m_splitters.erase(
            std::remove_if(m_splitters.begin(), m_splitters.end(),
                           [](const std::unique_ptr<LTDockSplitter>& p) { return !p->m_bInUse; }),
            m_splitters.end());
        m_lines.erase(std::remove_if(m_lines.begin(), m_lines.end(),
                                     [](const std::unique_ptr<LTDockLine>& p) { return !p->m_bInUse; }),
                      m_lines.end());
        if (nFirstChanged > 0)
            RedrawFollowing(nFirstChanged);
    }

    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    const int nThicknessAll = bAnyVisible ? b + nFirstOffset + nMaxOverlap + 2 : 0;
    if (bHorz) {
        sizeFixed.cx = std::max<LONG>(sizeFixed.cx, nLengthMax);
        sizeFixed.cy = nThicknessAll;
    } else {
        sizeFixed.cx = nThicknessAll;
        sizeFixed.cy = std::max<LONG>(sizeFixed.cy, nLengthMax);
    }
    CRect rectInside(0, 0, 0, 0);
    CalcInsideRect(rectInside, bHorz);
    if (bHorz && (!bStretch) && sizeFixed.cx != 0)
        sizeFixed.cx += rectInside.left - rectInside.right;
    if (!bHorz && (!bStretch) && sizeFixed.cy != 0)
        sizeFixed.cy += rectInside.top - rectInside.bottom;
    if (!bQuery)
        m_pKeepBar = nullptr;
    m_nLayoutLength = 0;
    return sizeFixed;
}

LRESULT LTDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    const BOOL bNoRedraw = s_bNoRedraw;
    if (bNoRedraw)
        s_bNoRedraw = m_bRowsChanged;
    m_pSizeParent = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const LRESULT lResult = CDockBar::OnSizeParent(wParam, lParam);
    m_pSizeParent = nullptr;
    s_bNoRedraw = bNoRedraw;
    return lResult;
}

// ---- splitters: limits, tracking, moves

void LTDockBar::CalcSplitterLimits(LTDockSplitter* pSplitter)
{
    const BOOL bHorz = IsHorzDock();
    int nFirst, nEnd;
    RowBounds(std::max(1, pSplitter->m_nIndex), &nFirst, &nEnd);
    const CRect& s = pSplitter->m_rect;
    if (pSplitter->m_nKind == LTDockSplitter::rowSplitter) {
        int nRow = 0;
        for (int i = nFirst; i < nEnd; ++i) {
            CControlBar* pBar = GetDockedControlBar(i);
            if (pBar != nullptr && pBar->IsVisible()) {
                const CRect rect = WindowRectIn(pBar, this);
                nRow = std::max<int>(nRow, bHorz ? rect.Height() : rect.Width());
            }
        }
        // The client area the frame leaves after all bars, here.
        CRect rectClient(0, 0, 0, 0);
        if (CFrameWnd* pFrame = DockingFrame()) {
            pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectClient);
            ::MapWindowPoints(pFrame->m_hWnd, m_hWnd, reinterpret_cast<LPPOINT>(&rectClient), 2);
        }
        const int nMin = kMinRowThickness;
        if (m_dwStyle & CBRS_ALIGN_TOP) {
            pSplitter->m_nMin = s.top - nRow + nMin;
            pSplitter->m_nMax = std::max<int>(rectClient.bottom - nMin, s.bottom);
        } else if (m_dwStyle & CBRS_ALIGN_BOTTOM) {
            pSplitter->m_nMin = std::min<int>(rectClient.top + nMin, s.top);
            pSplitter->m_nMax = s.top + nRow - nMin;
        } else if (m_dwStyle & CBRS_ALIGN_LEFT) {
            pSplitter->m_nMin = s.left - nRow + nMin;
            pSplitter->m_nMax = std::max<int>(rectClient.right - nMin, s.right);
        } else {
            pSplitter->m_nMin = std::min<int>(rectClient.left + nMin, s.left);
            pSplitter->m_nMax = s.left + nRow - nMin;
        }
        return;
    }
    int nBefore = 0, nAfter = 0;
    for (int i = nFirst; i < nEnd; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar == nullptr || !pBar->IsVisible())
            continue;
        ++(i <= pSplitter->m_nIndex ? nBefore : nAfter);
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    pSplitter->m_nMin = (bHorz ? rectClient.left : rectClient.top) + kMinBarLimit * nBefore;
    pSplitter->m_nMax = (bHorz ? rectClient.right : rectClient.bottom) - kMinBarLimit * nAfter;
}

int LTDockBar::TrackSplitter(LTDockSplitter* pSplitter, CPoint point)
{
    // The band's leading coordinate moves along this axis.
    const BOOL bAlongX = pSplitter->m_nOrient == LTDockSplitter::vertBand;
    const CRect rectStart = pSplitter->m_rect;
    const int nStart = bAlongX ? rectStart.left : rectStart.top;
    const int nThick = bAlongX ? rectStart.Width() : rectStart.Height();
    const int nGrab = (bAlongX ? point.x : point.y) - nStart;
    const int nLow = pSplitter->m_nMin;
    const int nHigh = std::max(nLow, pSplitter->m_nMax - nThick);

    SetCapture();
    HDC hDC = ::GetDCEx(::GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE);
    CDC* pDC = CDC::FromHandle(hDC);
    const CSize sizeFrame(5, 5);
    auto screenRect = [this, &rectStart, bAlongX, nStart](int nLead) {
        CRect rect = rectStart;
        rect.OffsetRect(bAlongX ? nLead - nStart : 0, bAlongX ? 0 : nLead - nStart);
        ClientToScreen(&rect);
        return rect;
    };
    int nLead = nStart;
    CRect rectLast = screenRect(nLead);
    pDC->DrawDragRect(&rectLast, sizeFrame, nullptr, CSize(0, 0));
    pSplitter->m_bTracking = TRUE;
    int nResult = 0;
    BOOL bDone = FALSE;
    while (!bDone && ::GetCapture() == m_hWnd) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
            if (msg.hwnd != m_hWnd)
                ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
            nLead = std::min(std::max(static_cast<int>(bAlongX ? pt.x : pt.y) - nGrab, nLow), nHigh);
            const CRect rect = screenRect(nLead);
            pDC->DrawDragRect(&rect, sizeFrame, &rectLast, sizeFrame);
            rectLast = rect;
            break;
        }
        case WM_LBUTTONUP:
            nResult = nLead - nStart;
            bDone = TRUE;
            break;
        case WM_RBUTTONDOWN:
            bDone = TRUE;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bDone = TRUE;
            break;
        default:
            ::DispatchMessage(&msg);
            break;
        }
    }
    pDC->DrawDragRect(&rectLast, CSize(0, 0), &rectLast, sizeFrame);
    ::ReleaseDC(::GetDesktopWindow(), hDC);
    pSplitter->m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return nResult;
}

void LTDockBar::ApplySplitterMove(LTDockSplitter* pSplitter, int nDelta)
{
    const BOOL bHorz = IsHorzDock();
    int nFirst, nEnd;
    RowBounds(std::max(1, pSplitter->m_nIndex), &nFirst, &nEnd);
    std::vector<int> visible;
    for (int i = nFirst; i < nEnd; ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar != nullptr && pBar->IsVisible())
            visible.push_back(i);
    }
    if (visible.empty())
        return;
    m_bRowsChanged = TRUE;
    AddRowToRedraw(GetDockedControlBar(visible.front()));

    if (pSplitter->m_nKind == LTDockSplitter::rowSplitter) {
        // Towards the client area thickens the row.
        const int d = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_LEFT)) ? -nDelta : nDelta;
        for (int i : visible) {
            CControlBar* pBar = GetDockedControlBar(i);
            const CRect rect = WindowRectIn(pBar, this);
            const int nNew = std::max((bHorz ? rect.Height() : rect.Width()) - d, kMinRowThickness);
            pBar->CalcDynamicLayout(nNew, bHorz ? (LM_HORZDOCK | LM_HORZ | LM_LENGTHY | LM_COMMIT)
                                                : (LM_VERTDOCK | LM_COMMIT));
            AddRowToRedraw(pBar);
        }
        return;
    }

    const int nVisible = static_cast<int>(visible.size());
    const int nAvail = RowLength() - kSplit * nVisible + kSplit;
    std::vector<int> lengths;
    for (int i : visible) {
        const CRect rect = WindowRectIn(GetDockedControlBar(i), this);
        lengths.push_back(bHorz ? rect.Width() : rect.Height());
    }
    const auto it = std::find(visible.begin(), visible.end(), pSplitter->m_nIndex);
    if (it == visible.end() || it + 1 == visible.end())
        return;
    const int k = static_cast<int>(it - visible.begin());
    std::vector<bool> changed(lengths.size(), false);
    // The bar on the far side of the move grows by what its neighbours on the near side give up.
    const int nWanted = std::abs(nDelta);
    const int nGrow = nDelta < 0 ? k + 1 : k;
    const int nStep = nDelta < 0 ? -1 : 1;
    int nTaken = 0;
    for (int j = nDelta < 0 ? k : k + 1; j >= 0 && j < nVisible && nTaken < nWanted; j += nStep) {
        const int nGive =
            std::min(nWanted - nTaken, std::max(0, lengths[static_cast<size_t>(j)] - kMinBarLength));
        if (nGive > 0) {
            lengths[static_cast<size_t>(j)] -= nGive;
            nTaken += nGive;
            changed[static_cast<size_t>(j)] = true;
        }
    }
    if (nTaken == 0)
        return;
    lengths[static_cast<size_t>(nGrow)] += nTaken;
    changed[static_cast<size_t>(nGrow)] = true;
    for (int j = 0; j < nVisible; ++j) {
        if (!changed[static_cast<size_t>(j)])
            continue;
        CControlBar* pBar = GetDockedControlBar(visible[static_cast<size_t>(j)]);
        const int nLen = lengths[static_cast<size_t>(j)];
        pBar->CalcDynamicLayout(nLen, bHorz ? (LM_HORZDOCK | LM_HORZ | LM_COMMIT)
                                            : (LM_VERTDOCK | LM_LENGTHY | LM_COMMIT));
        if (LTControlBar* pLT = AsToolkitBar(pBar))
            pLT->m_fPctWidth = nAvail > 0 ? static_cast<float>(nLen) / static_cast<float>(nAvail) : 0.0f;
        AddRowToRedraw(pBar);
    }
}

// ---- mouse

void LTDockBar::OnMouseMove(UINT nFlags, CPoint point)
{
    const LTGlobalData& data = LTGetGlobalData();
    LTDockSplitter* pSplitter = SplitterAt(point);
    if (pSplitter == nullptr)
        ::SetCursor(data.hcurArrow);
    else
        ::SetCursor(pSplitter->m_nOrient == LTDockSplitter::vertBand ? data.hcurHSplit : data.hcurVSplit);
    CDockBar::OnMouseMove(nFlags, point);
}

BOOL LTDockBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // Over the client area the cursor is the mouse move's.
    if (nHitTest == HTCLIENT)
        return TRUE;
    return CDockBar::OnSetCursor(pWnd, nHitTest, message);
}

void LTDockBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    LTDockSplitter* pSplitter = SplitterAt(point);
    if (pSplitter == nullptr) {
        CDockBar::OnLButtonDown(nFlags, point);
        return;
    }
    CalcSplitterLimits(pSplitter);
    const int nDelta = TrackSplitter(pSplitter, point);
    if (nDelta == 0)
        return;
    ApplySplitterMove(pSplitter, nDelta);
    if (CFrameWnd* pFrame = DockingFrame())
        pFrame->DelayRecalcLayout(TRUE);
}

// ---- docking and removing

int LTDockBar::InsertBarInRow(CControlBar* pIns, CPoint ptMid)
{
    const BOOL bHorz = IsHorzDock();
    const int nMidAcross = bHorz ? ptMid.y : ptMid.x;
    const int nMidAlong = bHorz ? ptMid.x : ptMid.y;
    BOOL bFirstRow = TRUE;
    for (int nPos = 1; nPos < m_arrBars.GetSize();) {
        int nFirst, nEnd;
        RowBounds(nPos, &nFirst, &nEnd);
        int nLow = INT_MAX, nHigh = INT_MIN, nInsAfter = 0;
        BOOL bSizable = FALSE;
        for (int i = nFirst; i < nEnd; ++i) {
            CControlBar* pBar = GetDockedControlBar(i);
            if (pBar == nullptr || pBar == pIns || !pBar->IsVisible())
                continue;
            const CRect rect = WindowRectIn(pBar, this);
            nLow = std::min<int>(nLow, bHorz ? rect.top : rect.left);
            nHigh = std::max<int>(nHigh, bHorz ? rect.bottom : rect.right);
            bSizable |= !IsToolbarKind(pBar);
            if ((bHorz ? rect.CenterPoint().x : rect.CenterPoint().y) < nMidAlong)
                nInsAfter = i;
        }
        if (nLow <= nHigh) {
            if (bFirstRow && nMidAcross < nLow) {
                m_arrBars.InsertAt(1, static_cast<void*>(nullptr));
                m_arrBars.InsertAt(1, pIns);
                return 1;
            }
            bFirstRow = FALSE;
            if (nMidAcross < nHigh + (bSizable ? kLine + kSplit : 0)) {
                const int nIns = nInsAfter > 0 ? nInsAfter + 1 : nFirst;
                m_arrBars.InsertAt(nIns, pIns);
                return nIns;
            }
        }
        nPos = nEnd + 1;
    }
    m_arrBars.Add(pIns);
    m_arrBars.Add(nullptr);
    return static_cast<int>(m_arrBars.GetSize()) - 2;
}

void LTDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    CRect rectBar;
    pBar->GetWindowRect(&rectBar);
    if (pBar->m_pDockBar == this) {
        if (lpRect == nullptr || rectBar.EqualRect(lpRect))
            return;
        if (!IsToolbarKind(pBar)) {
            // Dropped where it already is in its row: nothing moves.
            const int nCur = FindBar(pBar);
            CRect rect(lpRect);
            ScreenToClient(&rect);
            CPtrArray saved;
            saved.Copy(m_arrBars);
            const int nIns = InsertBarInRow(pBar, rect.CenterPoint());
            m_arrBars.Copy(saved);
            if (nIns == nCur || nIns == nCur + 1)
                return;
        }
    }
    if (CDockBar* pOld = pBar->m_pDockBar) {
        if (pOld->m_hWnd != nullptr) {
            CRect rectOld = rectBar;
            pOld->ScreenToClient(&rectOld);
            pOld->InvalidateRect(&rectOld);
        }
    }
    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    int nPos;
    if (lpRect != nullptr) {
        CRect rect(lpRect);
        ScreenToClient(&rect);
        nPos = InsertBarInRow(pBar, rect.CenterPoint());
        m_bRowsChanged = TRUE;
        RedrawFollowing(nPos);
        AttachBar(pBar, nPos);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        m_arrBars.Add(pBar);
        m_arrBars.Add(nullptr);
        nPos = static_cast<int>(m_arrBars.GetSize()) - 2;
        AttachBar(pBar, nPos);
        pBar->SetWindowPos(nullptr, -AfxBarBorder2X(), -AfxBarBorder2Y(), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void LTDockBar::DockBarAt(CControlBar* pBar, LPCRECT lpRect)
{
    DockControlBar(pBar, lpRect);
    m_pKeepBar = pBar;
    if (m_bFloating) {
        if (CFrameWnd* pFrame = DockingFrame())
            pFrame->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME, SWP_NOMOVE | SWP_NOSIZE);
    }
}

void LTDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    const int nPos =
        FindBar(reinterpret_cast<CControlBar*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID() & 0xFFFF)));
    if (nPos <= 0) {
        DockControlBar(pBar, lpRect);
    } else {
        m_arrBars[nPos] = pBar;
        AttachBar(pBar, nPos);
        if (lpRect != nullptr) {
            CRect rect(lpRect);
            ScreenToClient(&rect);
            pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (pBar->IsVisible())
            pBar->DelayShow(TRUE);
    }
    m_pKeepBar = pBar;
}

BOOL LTDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude)
{
    const int nPos = FindBar(pBar, nPosExclude);
    if (nPos <= 0)
        return FALSE;
    RedrawFollowing(nPos);
    for (int i = 0; i < m_arrRedraw.GetSize(); ++i) {
        if (m_arrRedraw[i] == pBar) {
            m_arrRedraw.RemoveAt(i);
            break;
        }
    }
    if (m_pKeepBar == pBar)
        m_pKeepBar = nullptr;
    return CDockBar::RemoveControlBar(pBar, nPosExclude, 1);
}

CRect LTDockBar::CalcDockingRect(CControlBar* pBar, const CRect& rectDrag, int x, int y)
{
    const BOOL bHorz = IsHorzDock();
    CPoint ptMid = rectDrag.CenterPoint();
    ScreenToClient(&ptMid);
    const int nMidAcross = bHorz ? ptMid.y : ptMid.x;
    // The row under the middle, its share sum and thickness.
    int nRow = -1, nRowIndex = 0;
    float fSum = 0.0f;
    int nThick = 0, nOthers = 0;
    for (int nPos = 1; nPos < m_arrBars.GetSize(); ++nRowIndex) {
        int nFirst, nEnd;
        RowBounds(nPos, &nFirst, &nEnd);
        int nLow = INT_MAX, nHigh = INT_MIN;
        float fRowSum = 0.0f;
        int nRowThick = 0, nRowOthers = 0;
        for (int i = nFirst; i < nEnd; ++i) {
            CControlBar* pOther = GetDockedControlBar(i);
            if (pOther == nullptr || pOther == pBar || !pOther->IsVisible())
                continue;
            const CRect rect = WindowRectIn(pOther, this);
            nLow = std::min<int>(nLow, bHorz ? rect.top : rect.left);
            nHigh = std::max<int>(nHigh, bHorz ? rect.bottom : rect.right);
            nRowThick = std::max<int>(nRowThick, bHorz ? rect.Height() : rect.Width());
            if (LTControlBar* pLT = AsToolkitBar(pOther))
                fRowSum += pLT->m_fPctWidth;
            ++nRowOthers;
        }
        if (nRowOthers > 0 && nMidAcross >= nLow && nMidAcross < nHigh) {
            nRow = nRowIndex;
            fSum = fRowSum;
            nThick = nRowThick;
            nOthers = nRowOthers;
            break;
        }
        nPos = nEnd + 1;
    }
    CRect rect = rectDrag;
    if (nRow >= 0 && nRow == m_nLastDockRow && nOthers > 0) {
        rect = m_rectLastDock;
        rect.OffsetRect(x - m_ptLastDock.x, y - m_ptLastDock.y);
    } else if (!IsToolbarKind(pBar)) {
        CRect rectClient;
        GetClientRect(&rectClient);
        ClientToScreen(&rectClient);
        const int nLength = RowLength();
        if (nOthers == 0) {
            if (bHorz) {
                rect.left = rectClient.left;
                rect.right = rectClient.left + nLength;
            } else {
                rect.top = rectClient.top;
                rect.bottom = rectClient.top + nLength;
            }
        } else {
            const float fPct = static_cast<LTControlBar*>(pBar)->m_fPctWidth;
            const int nLen = static_cast<int>(fPct / (fSum + fPct) * static_cast<float>(nLength));
            // The cursor keeps its place within the rectangle.
            if (bHorz) {
                const int nOff = rectDrag.Width() > 0 ? (x - rectDrag.left) * nLen / rectDrag.Width() : 0;
                const int nOffY = rectDrag.Height() > 0 ? (y - rectDrag.top) * nThick / rectDrag.Height() : 0;
                rect = CRect(x - nOff, y - nOffY, x - nOff + nLen, y - nOffY + nThick);
            } else {
                const int nOff = rectDrag.Height() > 0 ? (y - rectDrag.top) * nLen / rectDrag.Height() : 0;
                const int nOffX = rectDrag.Width() > 0 ? (x - rectDrag.left) * nThick / rectDrag.Width() : 0;
                rect = CRect(x - nOffX, y - nOff, x - nOffX + nThick, y - nOff + nLen);
            }
        }
    }
    m_nLastDockRow = nRow;
    m_rectLastDock = rect;
    m_ptLastDock = CPoint(x, y);
    return rect;
}
