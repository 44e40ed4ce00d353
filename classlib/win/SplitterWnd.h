// CSplitterWnd: a static splitter, a window that divides its area into rows and columns of panes.
//
// CreateStatic makes the splitter (normally as a frame's pane, id AFX_IDW_PANE_FIRST) with a fixed grid;
// the panes are its children with the ids AFX_IDW_PANE_FIRST + 16 * row + col: views made by CreateView,
// or existing windows moved under the splitter and given those ids. Each row and column has an ideal
// and a minimum size; RecalcLayout gives every row and column but the last its ideal size (a size under
// the minimum hides it: size 0), the last one the rest, with a splitter bar of m_cxSplitter (m_cySplitter)
// pixels between neighbours. Dragging a bar with the mouse sets the ideal size of the row or column
// before it.
#pragma once

#include "classlib/win/View.h"

class CSplitterWnd : public CWnd
{
    DECLARE_DYNAMIC(CSplitterWnd)

public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    // nRows, nCols: 1 to 16.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // A view of pViewClass in the pane; its column (row) starts at sizeInit's width (height).
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
    // TRUE when pWnd is a pane of this splitter (with its row and column).
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const;
    // The pane that is its frame's active view, else NULL.
    CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr) const;

    virtual void RecalcLayout();

    int m_cxSplitter; // width of a vertical bar
    int m_cySplitter; // height of a horizontal bar

protected:
    struct CRowColInfo
    {
        int nMinSize;
        int nIdealSize;
        int nCurSize;
    };
    // Sizes along one axis: all but the last take their ideal (0 when under the minimum), the last the rest.
    static void LayoutRowCol(CRowColInfo* pInfo, int nMax, int nSize, int nGap);
    // The bar under point (client coordinates): 0 none, 1 + col for a vertical bar after col,
    // 101 + row for a horizontal bar after row.
    int HitTest(CPoint pt) const;
    void StopTracking(BOOL bAccept);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCancelMode();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    int m_nRows;
    int m_nCols;
    CRowColInfo* m_pRowInfo;
    CRowColInfo* m_pColInfo;
    int m_htTrack; // the bar being dragged (HitTest code), 0 when not tracking
    CPoint m_ptTrackOffset;
};
