// CDockBar: the bar on one side of a frame (or inside a floating frame) that holds docked bars in rows.
//
// m_arrBars is the bar array: entry 0 is always NULL; a NULL entry ends a row; any other entry is either
// a docked bar or a placeholder, a small integer (the control id, below 0x10000) that remembers where a
// hidden or floated bar used to be so that it comes back to the same row and place. Every docked bar has
// m_pDockBar pointing here, is a child window of this dock bar and carries the dock bar's alignment (and
// CBRS_FLOATING exactly when the dock bar floats).
//
// Layout (CalcFixedLayout, asked through WM_SIZEPARENT): rows of bars from the leading edge, each bar at
// its ideal size; the first bar of a row and the first row start AfxBarBorder2X/Y before the edge,
// neighbours overlap by that much; a bar keeps a position further along than the layout would give it
// (where it was dropped), is pushed back so that it ends inside the side when it would run past, and a bar
// that would start beyond the side's end opens a new row (a NULL entry is inserted). The answer's
// thickness is the rows' thickness less the overlaps, plus the dock bar's own border; 0 with no visible
// bar. m_bLayoutQuery and m_rectLayout hold the layout question being answered.
//
// A floating dock bar (m_bFloating) lives in a CMiniDockFrameWnd: the frame is hidden when no bar in it is
// visible and destroyed when none is left (RemoveControlBar answers TRUE then).
#pragma once

#include "classlib/Array.h"
#include "classlib/win/ControlBar.h"

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)

public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // dwStyle: window styles and the alignment (CBRS_ALIGN_*, borders, CBRS_FLOAT_MULTI).
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    BOOL m_bFloating;
    BOOL m_bLayoutQuery;
    CRect m_rectLayout;
    CPtrArray m_arrBars;

    BOOL IsDockBar() const override { return TRUE; }
    // Bars (placeholders left out).
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The bar at nPos, or NULL for a row end or a placeholder.
    CControlBar* GetDockedControlBar(int nPos) const;
    // Where pBar (or a placeholder, given as its id cast to a pointer) is, outside nPosExclude; -1.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    // Whether the entry is a placeholder id rather than a bar.
    static BOOL IsPlaceHolder(const void* pEntry)
    {
        return pEntry != nullptr && reinterpret_cast<UINT_PTR>(pEntry) < 0x10000;
    }

    // Docks pBar here: at lpRect (screen) in the row and place nearest to its middle, or in a new row
    // at the end. The bar leaves its previous dock bar (a side one keeps its placeholder when the bar
    // goes to a floating frame); its placeholders here go.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Puts pBar in place of its placeholder (or as DockControlBar does when there is none).
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes pBar out (its entry at a position other than nPosExclude). nAddPlaceHolder 1 leaves its id
    // there (any other placeholder of it goes), -1 also drops its placeholders, 0 only removes it; an
    // emptied row goes. Answers TRUE when that destroyed the floating frame.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    // Inserts pBar by the rectangle (client coordinates) and its middle point; answers its position.
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    void GetBarInfo(CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

protected:
    // Makes pBar a child of this dock bar with its alignment and takes it from its previous dock bar
    // (which keeps a placeholder when bKeepPlace and the bar goes from a side to a floating frame).
    void AttachBar(CControlBar* pBar, int nPos, BOOL bKeepPlace = TRUE);

    // Takes entry nPos out, and the row end after it when the row is left empty.
    void RemoveEntry(int nPos);

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
