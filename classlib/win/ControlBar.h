// CControlBar: the base of every bar a frame lays out around its pane (dialog bars, dock bars, the
// toolkit's toolbars and status bar).
//
// A bar keeps its bar style (CBRS_*) in m_dwStyle, apart from the window style: the Create functions of
// derived classes take both in one word and strip CBRS_ALL before making the window. A bar that is a
// child of a frame (or of a dock bar whose dock site is a frame) is in that frame's bar list from WM_CREATE
// to its destruction, so the frame finds it by id (GetControlBar) and saves its state.
//
// Layout: a bar placed directly in a frame takes its room in WM_SIZEPARENT on the side its CBRS_ALIGN_*
// bits name, sized by CalcDynamicLayout; a docked bar is placed by its dock bar (CDockBar), which asks the
// same question. CalcFixedLayout's answer here is "nothing, or all of the side when stretched"; derived
// classes answer their own sizes. The layout modes (LM_*) of CalcDynamicLayout are fixed numbers.
//
// Showing: DelayShow records a show or hide that the next layout (normally at idle time, through the
// frame's DelayRecalcLayout) carries out; IsVisible already answers what it will be. WM_IDLEUPDATECMDUI
// carries out a delay still pending and then lets OnUpdateCmdUI update the bar's items through its owner
// frame (or its parent frame).
//
// Mouse: with a dock context (EnableDocking), a left press starts a drag (CDockContext::StartDrag) and a
// double click swaps docked and floating (ToggleDocking). With CBRS_FLYBY the frame's status bar shows the
// prompt of the tool under the mouse (OnToolHitTest) until the mouse leaves it.
//
// Lifetime: the destructor destroys the window, leaves the dock bar it is in and frees its dock context;
// with m_bAutoDelete the object deletes itself when its window is destroyed. Bars must go before their
// dock site frame's bar list is destroyed (the frame destroys its children first, so this holds for bars
// that are child windows).
#pragma once

#include "classlib/win/ControlBarIds.h"
#include "classlib/win/FrameWnd.h"

class CDockBar;
class CDockContext;
class CControlBarInfo;

// Bar styles (CControlBar::m_dwStyle).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_NOALIGN 0x00000000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
// Every bit that is a bar style and never a window style.
#define CBRS_ALL 0x0040FFFFL
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Layout modes of CalcDynamicLayout.
#define LM_STRETCH 0x01  // stretch to the whole side
#define LM_HORZ 0x02     // horizontal, else vertical
#define LM_MRUWIDTH 0x04 // the most recently used (floating) width
#define LM_HORZDOCK 0x08 // docked on the top or bottom
#define LM_VERTDOCK 0x10 // docked on the left or right
#define LM_LENGTHY 0x20  // the length given is the height, else the width
#define LM_COMMIT 0x40   // remember the size asked for

// Twice the system's border width and height: the overlap of neighbouring bars and the width of a
// bar's border line pair.
int AfxBarBorder2X();
int AfxBarBorder2Y();

class CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)

public:
    CControlBar();
    ~CControlBar() override;

    // Gaps between the bar's edges (inside its border lines) and its contents.
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    void SetBorders(LPCRECT lpRect) { SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    CRect GetBorders() const
    {
        return CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    }
    int GetCount() const { return m_nCount; }

    DWORD GetBarStyle() const { return m_dwStyle; }
    // Stores the style and tells OnBarStyleChange when it changed.
    void SetBarStyle(DWORD dwStyle);
    // The sides (CBRS_ALIGN_*, with CBRS_FLOAT_MULTI) the bar may be docked on; 0 allows none. Makes the
    // dock context on first use and sets the owner to the parent when none is set.
    void EnableDocking(DWORD dwDockStyle);

    // The frame that lays the bar out: its floating frame while it floats, else the frame it is docked
    // in (or placed directly in).
    CFrameWnd* GetDockingFrame() const;
    BOOL IsFloating() const;
    // Visible as the next layout will leave it (a delayed show or hide counts).
    virtual BOOL IsVisible() const;
    virtual BOOL IsDockBar() const { return FALSE; }

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);
    // Draws the CBRS_BORDER_* lines and leaves rect inside them.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void DrawGripper(CDC* pDC, const CRect& rect);
    virtual void DelayShow(BOOL bShow);
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // rect (client coordinates) less the border lines and the gaps.
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // Bar state: what GetDockState saves of the bar and what SetDockState gives back.
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    // Carries out a delayed show or hide as part of a layout (deferred into lpLayout->hDWP, or at once
    // when there is no layout); answers the window style the bar will have.
    DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    // Paints the non-client area: the borders of the window rectangle and the erased background.
    void EraseNonClient();

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands and notifications of the bar's controls that the bar does not take go to its owner.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    enum StateFlags
    {
        delayHide = 1,
        delayShow = 2,
        tempHide = 4,
        statusSet = 8 // the status bar shows this bar's fly-by prompt
    };

    BOOL m_bAutoDelete;
    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_cxDefaultGap;
    UINT m_nMRUWidth; // the floating width a size-dynamic bar had last
    int m_nCount;     // items of a derived bar (buttons, panes)
    void* m_pData;    // their storage, owned by the derived class
    UINT m_nStateFlags;
    DWORD m_dwStyle;     // CBRS_* styles
    DWORD m_dwDockStyle; // sides it may dock on
    CFrameWnd* m_pDockSite;
    CDockBar* m_pDockBar;
    CDockContext* m_pDockContext;

    // The window class of bars: double clicks, the arrow, button-face background.
    static LPCTSTR GetBarWndClass();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // Shows the status prompt of tool nHit (-1: the idle prompt again).
    void SetStatusText(INT_PTR nHit);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnCancelMode();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    INT_PTR m_nHitLast; // the fly-by tool shown last
};
