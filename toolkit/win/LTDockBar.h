// LTDockBar: the toolkit's dock bar, on the class library's CDockBar.
//
// Keeps the base's bar array (NULL ends a row, a small integer is a placeholder) and lays out two kinds of
// rows:
//   toolbar rows: only bars with BAR_EX_TOOLBAR_LAYOUT or plain class-library bars, each at its ideal size,
//     wrapped into a new row when one no longer fits (as the base does);
//   sizable rows: at least one LTControlBar without that bit; every visible bar takes its share
//     (m_fPctWidth) of the row's length less the 6-pixel bar splitters between bars, all at the row's
//     thickness; a 2-pixel separator line lies on the row's outer side and a 6-pixel row splitter on its
//     inner side (towards the frame's client area).
// The shares of a row are normalised at each layout (NormalizeRowPercentages): every share is at least the
// minimum (18 pixels of the row's length), the kept bar (m_pKeepBar) keeps its share, capped at 0.95, and
// the others divide the rest in proportion (or take the minimum when they have none); without a kept bar
// they are scaled to sum to one.
//
// Splitters are dragged with the left button (a modal loop on this thread, the mouse captured): no bar
// gets shorter than 18 pixels, no row thinner than 19, nor the client area left less than 19; Escape or the
// right button cancels and changes nothing.
//
// Bars whose rectangle changed go to the redraw list, redrawn at the next paint (FlushRedraw). Splitter and
// line objects are owned here and reused between layouts when their rectangle is the same.
//
// Thickness answered by CalcFixedLayout: 0 with no visible bar; otherwise where the next row would start,
// plus the first row's edge offset, the largest overlap of its bars and 2.
#pragma once

#include "classlib/win/DockBar.h"

#include <memory>
#include <vector>

class CPtrList;

// A draggable band: between a sizable row and the client area (row splitter) or between two bars of a row
// (bar splitter).
class LTDockSplitter
{
public:
    enum
    {
        horzBand = 0, // spans the row horizontally: dragged up and down
        vertBand = 1
    };
    enum
    {
        rowSplitter = 0,
        barSplitter = 1
    };
    static const int kThickness = 6;

    virtual ~LTDockSplitter() = default;
    // Button face with a highlight line first, a shadow line two pixels before the end and a frame line
    // at the end, across the band.
    virtual void Paint(CDC* pDC) const;

    int m_nOrient = horzBand;
    int m_nKind = rowSplitter;
    CRect m_rect;
    int m_nIndex = 0; // the row's first entry (row splitter) or the bar before it (bar splitter)
    BOOL m_bInUse = TRUE;
    int m_nMin = 0, m_nMax = 0; // limits of the band's leading edge and trailing edge while tracked
    CRect m_rectTrack;
    CSize m_sizeLast;
    BOOL m_bTracking = FALSE;
    BOOL m_bDrawn = FALSE;
};

// The 2-pixel line on a sizable row's outer side: a shadow line followed by a highlight line.
class LTDockLine
{
public:
    void Paint(CDC* pDC) const;

    int m_nOrient = 0; // 0 horizontal, 1 vertical
    CRect m_rect;
    BOOL m_bInUse = TRUE;
};

class LTDockBar : public CDockBar
{
    DECLARE_DYNCREATE(LTDockBar)

public:
    // (FALSE, FALSE) on a frame's side; (TRUE, FALSE) in a floating frame; (TRUE, TRUE) in a floating MDI
    // child frame.
    explicit LTDockBar(BOOL bFloating = FALSE, BOOL bMDIChild = FALSE);
    ~LTDockBar() override;

    // Only this bar of its row has a share above the minimum.
    virtual BOOL IsBarExpanded(CControlBar* pBar);
    // No other visible bar shares its row.
    virtual BOOL IsBarAloneInRow(CControlBar* pBar);
    // Docks as DockControlBar, at the row and place InsertBarInRow gives, and makes the docking frame
    // sizable by a thick frame.
    virtual void DockBarAt(CControlBar* pBar, LPCRECT lpRect);
    // The bars of pBar's row: those before it nearest first, then pBar and those after it.
    virtual void GetRowBars(CPtrList* pList, CControlBar* pBar);
    // nCode 1: pBar takes the row (0.95, the others the minimum); 2: every bar of the row an equal share.
    virtual void ExpandContractBar(CControlBar* pBar, int nCode);
    // pBar's share is kept at the next layout.
    virtual void NoteBarChanged(CControlBar* pBar);
    virtual void FlushRedraw();
    virtual LTDockSplitter* AddSplitter(int nOrient, int nKind, const CRect& rect, int nIndex);
    virtual void CalcSplitterLimits(LTDockSplitter* pSplitter);
    virtual void AddRowLine(int nOrient, const CRect& rect);
    virtual void AddRowToRedraw(CControlBar* pBar);
    virtual void NormalizeRowPercentages(int nRowStart, CControlBar* pKeep, int* pnSizable, int* pnToolbar);
    // Inserts pBar into the array at the row and place nearest to ptMid (client coordinates); answers its
    // position.
    virtual int InsertBarInRow(CControlBar* pBar, CPoint ptMid);
    // Where pBar would land when dropped with rectDrag (screen) and the cursor at (x, y) (screen).
    virtual CRect CalcDockingRect(CControlBar* pBar, const CRect& rectDrag, int x, int y);
    virtual void ApplySplitterMove(LTDockSplitter* pSplitter, int nDelta);

    // Replace the base's (which stay the class library's for its own callers).
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Always leaves a placeholder (unless one exists elsewhere); TRUE when the floating frame was destroyed.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;

    // The splitter under point (client coordinates), or NULL.
    LTDockSplitter* SplitterAt(CPoint point) const;
    // Tracks pSplitter from point (client) until the button goes up (the distance moved) or the drag is
    // cancelled (0).
    int TrackSplitter(LTDockSplitter* pSplitter, CPoint point);
    // The length of the rows: the client width, or the height on the left and right.
    int RowLength() const;
    BOOL IsHorzDock() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    CPtrArray m_arrRedraw;
    std::vector<std::unique_ptr<LTDockLine>> m_lines;
    std::vector<std::unique_ptr<LTDockSplitter>> m_splitters;
    BOOL m_bMDIChild;
    AFX_SIZEPARENTPARAMS* m_pSizeParent;
    CControlBar* m_pKeepBar;
    BOOL m_bPainting;
    BOOL m_bRowsChanged;
    float m_fMinPct;

    // Moves made by layouts do not redraw while this is set (TRUE at start).
    static BOOL s_bNoRedraw;

    static const int kMinBarLength = 18;
    static const int kMinRowThickness = 19;
    static const int kMinBarLimit = 24;

private:
    int m_nLayoutLength; // the row length of the layout under way (0: the client's)
    // The drop feedback of the previous CalcDockingRect.
    int m_nLastDockRow;
    CRect m_rectLastDock;
    CPoint m_ptLastDock;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // First and one-past-last entry of the row holding nPos.
    void RowBounds(int nPos, int* pnFirst, int* pnEnd) const;
    CFrameWnd* DockingFrame() const;
    // Bars after pBar in its row (before it on the bottom and right) go to the redraw list.
    void RedrawFollowing(int nPos);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
