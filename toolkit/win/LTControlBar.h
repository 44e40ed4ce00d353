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
// Still to come on this base: the gripper's hide and expand buttons, the context menu, proportional child
// layout and the extended bar records.
#pragma once

#include "classlib/win/ControlBar.h"

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
    void DrawGripper(CDC* pDC, const CRect& rect) override;
    virtual void AddGripperSize(CSize* pSize, BOOL bHorz);

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
    void* m_pBarManager;
    LTGripperMetrics m_gripper;

    // The size every bar starts with.
    static CSize s_sizeDefault;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()
};
