// LTControlBar: the toolkit's dockable bar, on the class library's CControlBar.
//
// Adds a remembered size for each docking situation (docked top or bottom, docked left or right,
// floating), a share of its row (m_fPctWidth) used by the dock bars' row layout and as the stretch factor
// of CalcDynamicLayout, an extended style word (BAR_EX_*), inner margins and a gripper.
//
// The bar style is always masked with LT_BAR_STYLE_MASK when stored by Create or CreateEx, so only the
// CBRS_* bits and the gripper bit survive. The three sizes start as the process-wide default (300 x 180)
// when the window is made.
//
// The gripper may carry a hide button (BAR_EX_HIDE_BUTTON: hides the bar through its frame) and an expand
// button (BAR_EX_EXPAND_BUTTON: asks its LTDockBar to give it the row, or equal shares back); the buttons
// show tool tips (ids LT_TOOL_HIDE, LT_TOOL_EXPAND) with CBRS_TOOLTIPS. With BAR_EX_CONTEXT_MENU the right
// button shows "Allow Docking" and "Hide", extended by OnExtendContextMenu and by the dock site frame
// (sent WM_LTBAR_CONTEXTMENU with the bar and the menu). With BAR_EX_SCALE_CHILDREN the child windows keep
// their proportions on every resize (a snapshot of their rectangles taken when the bit is set); with
// BAR_EX_FILL_CHILD the first child fills the inside area.
//
// Still to come on this base: the extended bar records of the saved layout and floating as an MDI child.
#pragma once

#include "classlib/Array.h"
#include "classlib/win/ControlBar.h"

class CMenu;
class CControlBarInfo;
class LTControlBarManager;

#define LT_BAR_STYLE_MASK 0x0040FFFFL

// Extended bar styles (stored as "ExStyle" in the profile).
#define BAR_EX_CONTEXT_MENU 0x0001
#define BAR_EX_SCALE_CHILDREN 0x0002
#define BAR_EX_TOOLBAR_LAYOUT 0x0004
#define BAR_EX_3D_BORDERS 0x0008
#define BAR_EX_MARGINS 0x0010
#define BAR_EX_MDI_FLOAT 0x0020
#define BAR_EX_FILL_CHILD 0x0040
#define BAR_EX_FLAT_BORDERS 0x0100
#define BAR_EX_GRIPPER 0x0200
#define BAR_EX_HIDE_BUTTON 0x0400
#define BAR_EX_EXPAND_BUTTON 0x0800
#define BAR_EX_TRANSPARENT_BUTTONS 0x1000

// Commands of the bar's context menu (their texts are in the string table).
#define ID_LTBAR_ALLOWDOCKING 45097
#define ID_LTBAR_HIDE 45098
#define ID_LTBAR_MDIFLOAT 45099
// Sent to the dock site frame before the context menu shows: wParam the bar, lParam the CMenu*.
#define WM_LTBAR_CONTEXTMENU (WM_USER + 800)
// Tool ids of the gripper buttons.
#define LT_TOOL_HIDE 1024
#define LT_TOOL_EXPAND 2048

// The measures of a bar's gripper: a vertical strip at the left end of a bar docked top or bottom
// (horizontal gripper), a horizontal strip along the top of one docked left or right (vertical gripper).
class LTGripperMetrics
{
public:
    LTGripperMetrics();
    virtual ~LTGripperMetrics() = default;
    // Sums of the five measures of each gripper: 17 each by default.
    virtual int GetHorzWidth() const;
    virtual int GetVertHeight() const;

    int m_nHorz[5]; // leading margin, first line, gap, second line, trailing margin
    int m_nVert[5];
    int m_nInset; // how far the strip stays off the bar's other sides
    CString m_strHide;
    CString m_strExpand;
    CString m_strContract;
};

class LTControlBar : public CControlBar
{
    DECLARE_DYNCREATE(LTControlBar)

public:
    LTControlBar();
    ~LTControlBar() override;

    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszTitle, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszTitle, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                          const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext = nullptr);
    // The client rectangle less the gripper (docked only) and the margins (BAR_EX_MARGINS).
    virtual void GetInsideRect(RECT* pRect);
    virtual void SetExBarStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    void ModifyExBarStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE)
    {
        SetExBarStyle((m_dwExStyle & ~dwRemove) | dwAdd, bRedraw);
    }
    DWORD GetExBarStyle() const { return m_dwExStyle; }
    void DrawBorders(CDC* pDC, CRect& rect) override;
    // Hooks for the toolkit frames and subclasses; empty here.
    virtual void OnBeforeDock() {}
    virtual void OnBeforeFloat() {}
    virtual void OnBeforeMDIFloat() {}
    virtual void GetBarInfoEx(CControlBarInfo*) {}
    virtual void SetBarInfoEx(CControlBarInfo*, CFrameWnd*) {}
    virtual void OnExtendContextMenu(CMenu*) {}
    virtual void AddGripperSize(CSize* pSize, BOOL bHorz);
    // Places the buttons (their bits set) and draws the lines; nothing while floating or undocked.
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    virtual void DrawHideButton(CDC* pDC, CRect& rect, BOOL bHorz);
    virtual void DrawHideButtonPressed(CDC* pDC);
    virtual void DrawHideButtonNormal(CDC* pDC);
    virtual void DrawExpandButton(CDC* pDC, CRect& rect, BOOL bHorz);
    virtual void DrawExpandButtonPressed(CDC* pDC);
    virtual void DrawExpandButtonNormal(CDC* pDC);
    // Asks the dock bar whether the bar is expanded (the button offers "contract") and alone in its row
    // (the button is disabled).
    virtual void UpdateExpandButtonState(BOOL bHorz);

    void DoPaint(CDC* pDC) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    // Places the gripper buttons for the bar's present size and side, as painting would.
    void UpdateGripperButtons();
    // Docked in (or being) a toolkit dock bar of a floating MDI child frame.
    BOOL IsMDIChildFloat() const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // Without BAR_EX_FLAT_BORDERS the class library's; with it one pixel per bordered side, and the
    // gripper's room (while docked) in place of the leading gap.
    void CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bReserveGripper) const;

    // Whether the bar lies along the top or bottom side.
    BOOL IsDockedHorz() const { return !IsFloating() && (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    CSize m_szHorz;  // docked top or bottom
    CSize m_szVert;  // docked left or right
    CSize m_szFloat; // floating
    DWORD m_dwMRUDockingState;
    float m_fPctWidth;
    float m_fSavePctWidth;
    DWORD m_dwExStyle;
    CRect m_rcMargins;
    LTControlBarManager* m_pBarManager; // the toolbar manager that owns the bar, or NULL
    LTGripperMetrics m_gripper;
    CRect m_rcHideBtn;
    BOOL m_bHidePressed;
    CRect m_rcExpandBtn;
    BOOL m_bExpandPressed;
    BOOL m_bExpandEnabled;
    BOOL m_bShowExpand; // the button offers "expand", else "contract"
    BOOL m_bExpandHorz;
    // Element 0: the client rectangle when taken (no window); then each child and its rectangle.
    CPtrArray* m_pChildLayout;

    // The size every bar starts with.
    static CSize s_sizeDefault;

protected:
    void TakeChildSnapshot();
    void FreeChildSnapshot();
    // Docked, or floating in a mini dock frame: the class library's drag and double click apply.
    BOOL CanDragOrToggle() const;
    // Redraws a pressed button released.
    void ReleaseButtons();
    // The gripper strip's rectangle inside the borders (client coordinates).
    CRect GripperBase() const;
    // Places the hide and expand buttons (their bits set) at the head of the strip and leaves the strip
    // after them.
    void PlaceGripperButtons(CRect& strip, BOOL bHorz);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnHide();
    afx_msg void OnAllowDocking();
    DECLARE_MESSAGE_MAP()
};
