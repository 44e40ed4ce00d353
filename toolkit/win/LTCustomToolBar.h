// LTCustomToolBar: the program's toolbar, a toolkit control bar (BAR_EX_TOOLBAR_LAYOUT always set) that owns
// a list of ToolBarButton objects drawn from one strip bitmap (one image per command, left to right).
//
// Buttons are laid out in rows: a docked horizontal bar in one row, a vertical one in one column, a floating
// or size-dynamic bar wrapped to a width (WrapButtons: a row breaks at its last separator, which closes the
// row and adds (2 x separator width) / 3 below it, else before the button that overflows; a button wider
// than the width stays alone) and then balanced (BalanceRows) so that the widest row is not the first
// without need. An empty bar is one default button (image width + 7 by image height + 7), less 2 each way
// while floating. Sizes are cached per situation (docked horizontally, vertically, floating) and laid out
// again when dirty (after creation and after every change of the button list).
//
// Mouse: a press on an enabled button presses it and captures the mouse (the owner is sent
// WM_SETMESSAGESTRING with the command); the release sends the idle prompt and, when released over the
// button, WM_COMMAND (command id, 0) to the owner. In the flat look (BAR_EX_FLAT_BORDERS) the button under
// the mouse is hot, followed by timer LTTB_HOT_TIMER every 100 ms until no button is hot.
//
// Removing the last button of a user toolbar (id above LTTB_LAST_DEFAULT_ID) destroys the bar after the call
// has returned (a posted message): RemoveButton answers FALSE and the bar stays usable until then.
//
// Bitmap: the bar owns it (and its command list) when it loaded them itself (m_bOwnsBitmap); SetBitmap takes
// one owned by someone else (the manager), who must keep it until the bar goes.
#pragma once

#include "classlib/Array.h"
#include "classlib/win/GdiObject.h"
#include "toolkit/win/LTControlBar.h"
#include "toolkit/win/ToolBarButton.h"

#include <memory>
#include <vector>

class LTToolBarManager;
class LTCustomToolBarInfoEx;

#define LTTB_HOT_TIMER 0xE002
#define LTTB_LAST_DEFAULT_ID 59423
#define LTTB_BAR_TYPE_ID 14946

// One row of a wrap: its last button, whether that is a separator closing the row, its width.
struct LTWrapRow
{
    int nLast;
    BOOL bSeparator;
    int nWidth;
};

class LTCustomToolBar : public LTControlBar
{
    DECLARE_DYNCREATE(LTCustomToolBar)

public:
    LTCustomToolBar();
    ~LTCustomToolBar() override;

    BOOL CreateBarWindow(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID,
                         LPCTSTR lpszTitle = nullptr);
    BOOL CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszTitle, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                  const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext = nullptr) override;

    // A bitmap and command list owned by someone else; every button recomputes its size.
    void SetBitmap(HBITMAP hBitmap, const UINT* pCommands, UINT nCommands, int nImageWidth, int nImageHeight);
    // Takes a bitmap and command list of its own (freed with the bar).
    void SetOwnBitmap(HBITMAP hBitmap, const UINT* pCommands, UINT nCommands, int nImageWidth,
                      int nImageHeight);
    void ReplaceBitmapHandle(HBITMAP hBitmap) { m_hBitmap = hBitmap; }

    // Ids of 0 are separators; NULL or 0 empties the bar.
    BOOL SetButtons(const UINT* pIDs, int nCount);
    void InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoRelayout = FALSE);
    // FALSE when the bar is going (an emptied user toolbar).
    BOOL RemoveButton(int nIndex, BOOL bNoRelayout = FALSE);
    ToolBarButton* CreateButton(UINT nID, LTCustomToolBar* pOwner = nullptr);
    ToolBarButton* CreateSeparator(LTCustomToolBar* pOwner = nullptr);
    int CommandToIndex(UINT nID) const;
    UINT GetButtonCommand(int nIndex) const;
    // The image of the command, or the list's length when it has none.
    UINT FindImageIndex(UINT nID) const;
    void GetButtonRect(int nIndex, LPRECT lpRect) const;
    int HitTest(CPoint point, LPRECT lpRect = nullptr) const;
    void InvalidateButton(int nIndex);
    void UpdateButton(int nIndex);
    // To every button of the command on this bar (or, with bAllBars, on every bar of the manager).
    void SendButtonMessage(UINT nID, UINT nCode, const void* pData, BOOL bAllBars);
    void SetCustomizeMode(BOOL bOn) { m_bCustomize = bOn; }
    int GetCustomizeSelection() const { return m_nSelection; }
    void NotifyManager(UINT nCode);
    ToolBarDrawContext* GetDrawContext();
    CSize CalcLayout(int nLength, DWORD dwMode);
    int GetButtonCount() const { return static_cast<int>(m_buttons.size()); }
    ToolBarButton* GetButton(int nIndex) const { return m_buttons[static_cast<size_t>(nIndex)]; }

    // Rows of buttons within nWidth (+2).
    std::vector<LTWrapRow> WrapButtons(int nWidth) const;
    // Wraps to the length (a width, or a height with bByHeight), balances the rows and sets the wrap bits;
    // answers the size of the buttons.
    CSize CalcWrappedSize(int nLength, BOOL bByHeight);
    virtual void BalanceRows(std::vector<LTWrapRow>& rows);
    BOOL CanPushGroupDown(std::vector<LTWrapRow> rows, size_t nRow, int nLimit) const;
    virtual BOOL IsCopyDrag() const { return ::GetKeyState(VK_CONTROL) < 0; }
    virtual BOOL AcceptsDrops() const { return TRUE; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;
    // While the manager customises, a floating bar to be hidden goes at once (through WM_NODELAYHIDE).
    void DelayShow(BOOL bShow) override;
    // A new side, floating state or sizing style lays the buttons out again (and tells them).
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    void AddGripperSize(CSize* pSize, BOOL bHorz) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    BOOL m_bOwnsBitmap;
    UINT m_nBitmapCommands;
    HBITMAP m_hBitmap;
    LPCTSTR m_lpszBitmapResource;
    std::vector<UINT> m_commands;
    int m_nImageHeight;
    int m_nImageWidth;
    int m_nSepWidth;
    int m_nSelection; // the pressed button, or the selected one in customise mode
    int m_nHot;
    BOOL m_bCustomize;
    std::unique_ptr<ToolBarDrawContext> m_pOwnContext;
    DWORD m_dwOrientation;
    BOOL m_bDirtyHorz, m_bDirtyVert, m_bDirtyFloat;
    CSize m_sizeHorzTB, m_sizeVertTB, m_sizeFloatTB;
    int m_nWidest;
    std::vector<ToolBarButton*> m_buttons;

    // The title and one record per button (0 for separators, with the data the button saves).
    void GetButtonsInfo(LTCustomToolBarInfoEx* pInfo);
    // Replaces the buttons by the records (and the title when the saved one is not empty).
    void SetButtonsInfo(const LTCustomToolBarInfoEx* pInfo);

    // The bar's toolbar manager, or NULL.
    LTToolBarManager* GetToolBarManager() const;

protected:
    // The window in the toolbar class (no class style, arrow, button face); managers hear of it.
    BOOL MakeWindow(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle);
    void MarkDirty() { m_bDirtyHorz = m_bDirtyVert = m_bDirtyFloat = TRUE; }
    void DeleteButtons();
    void FreeOwnBitmap();
    // Positions the buttons from the inside's top-left corner, row after row by the wrap bits.
    void PlaceButtons(const CRect& rectInside);
    int HeightOf(const std::vector<LTWrapRow>& rows) const;
    void ApplyWrap(const std::vector<LTWrapRow>& rows);
    void SendToOwner(UINT message, WPARAM wParam, LPARAM lParam);
    void UpdateHot(CPoint point);
    void SetHot(int nIndex);
    void RelayoutNow();

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    afx_msg void OnSysColorChange();
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg LRESULT OnDestroySelf(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNoDelayHide(WPARAM wParam, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()
};
