// CScrollView: a view over a document area larger than the window, scrolled with its scroll bars.
//
// SetScrollSizes gives the area (in the mapping mode's logical units), the page and the line steps;
// the bars show only while the area does not fit the window, and positions stay within the area.
// OnPrepareDC sets the mapping mode and moves the origin by the scroll position, so OnDraw draws in
// document coordinates.
#pragma once

#include "classlib/win/View.h"

class CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)

public:
    CScrollView();

    static const SIZE sizeDefault; // page and line steps derived from the area

    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    CPoint GetScrollPosition() const;       // logical units
    CPoint GetDeviceScrollPosition() const; // pixels
    CSize GetTotalSize() const { return m_totalLog; }
    void ScrollToPosition(POINT pt); // logical units
    int GetMapMode() const { return m_nMapMode; }

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    // Scrolls by sizeScroll pixels (clamped); FALSE when nothing moved.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
    void UpdateBars();
    void ScrollToDevicePosition(POINT ptDev);
    // Pixels of a logical size in the mapping mode (absolute values).
    CSize LogicalToDevice(SIZE size) const;
    int NewPosition(int nBar, UINT nSBCode) const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    DECLARE_MESSAGE_MAP()

    int m_nMapMode;
    CSize m_totalLog;
    CSize m_totalDev;
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate;
};
