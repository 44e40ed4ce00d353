// CMiniDockFrameWnd: the small floating frame that holds floating bars in its own dock bar.
//
// Create makes an owned popup (caption, system menu without Size and with "Hide" in place of Close, a
// sizing frame, caption kept active with its owner) around a visible dock bar with id AFX_IDW_DOCKBAR_FLOAT.
// The dock bar is made as a child of the dock site first, so that it enters that frame's bar list, and
// then moved into this frame. The frame snaps to its bars (FWS_SNAPTOBARS): RecalcLayout sizes the window
// around them and takes the dock bar's text as caption.
//
// Closing hides the bars instead (the frame follows its bars: the dock bar hides it when none is visible
// and destroys it when none is left). A press on the caption drags the first bar (unless several share
// the frame, CBRS_FLOAT_MULTI), one on a sizing border resizes it, a double click on the caption docks it
// back. WM_FLOATSTATUS from the dock site makes the caption look active (FS_ACTIVATE) or not
// (FS_DEACTIVATE). The object deletes itself with its window; the dock bar inside is not deleted apart.
#pragma once

#include "classlib/win/DockBar.h"
#include "classlib/win/MiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)

public:
    CMiniDockFrameWnd();

    // dwStyle: the bar style of the floating (alignment, CBRS_FLOAT_MULTI, CBRS_SIZE_DYNAMIC).
    virtual BOOL Create(CWnd* pParent, DWORD dwStyle);
    void RecalcLayout(BOOL bNotify = TRUE) override;

    CDockBar m_wndDockBar;

protected:
    // The first bar of the dock bar, or NULL.
    CControlBar* FirstBar() const;

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
