// ToolBarWndButton: a toolbar button that hosts a child window of its bar in place of its image, and
// ToolBarComboButton, the toolkit's combo box hosted so.
//
// The map entry's data block (20 bytes): u32 window control id, u32 window style, u16 full width, u16
// minimum width (0: not resizable), u16 drop height, six bytes not read. The window is made by Init; the
// bar's owner (else its parent) is then sent WM_SECTOOLBARWNDNOTIFY (wParam: id in the low word,
// LTWBN_CREATED in the high word; lParam: the window).
//
// On a horizontal bar the window is shown, the button as wide as the full width and the window
// (full width - 4) wide at x + 2, centred across; on a vertical bar the window is hidden and the button
// is an ordinary image button, until the bar is horizontal again. The saved data is the full width (u16).
// A combo box's edit field (CBS_DROPDOWN) turns Enter into LTWBN_ENTER and swallows it.
//
// The window goes with the button (or with the bar's window, whichever goes first).
#pragma once

#include "classlib/win/ComboBox.h"
#include "classlib/win/Edit.h"
#include "toolkit/win/ToolBarButton.h"

// Button message LTBM_WNDMESSAGE's data: the message sent to the hosted window.
struct LTWndButtonMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class ToolBarWndButton : public ToolBarButton
{
public:
    ToolBarWndButton();

    virtual void OnWindowLButtonDown(UINT nFlags, CPoint point);
    virtual CWnd* GetWnd() = 0;
    virtual BOOL CreateWnd(LTCustomToolBar* pBar, DWORD dwStyle, const RECT& rect, UINT nID) = 0;

    void Init(LTCustomToolBar* pBar, const BYTE* pData) override;
    void SetOrientation(DWORD dwVertBits) override;
    void SetPosition(int x, int y) override;
    void Invalidate(BOOL bErase) override;
    void RecalcSize() override;
    void Draw(CDC* pDC, ToolBarDrawContext* pContext) override;
    INT_PTR OnToolHitTest(int x, int y, TOOLINFO* pTI) override;
    void OnButtonMessage(UINT nCode, const void* pData) override;
    void SaveData(std::vector<BYTE>& data) const override;
    void LoadData(const BYTE* pData, UINT nLength) override;

    // WM_SECTOOLBARWNDNOTIFY with the code to the bar's owner.
    void Notify(UINT nCode);

    BOOL m_bWndShown;
    int m_nFullWidth;
    int m_nMinWidth;
    int m_nDropHeight;
    int m_nWndHeight;

protected:
    // The window across the button: at x + 2, centred when its height is known.
    void PlaceWindow(UINT nFlags);
};

class ToolBarComboButton;

// The edit field of a combo button.
class ToolBarComboEdit : public CEdit
{
public:
    ToolBarComboButton* m_pButton = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class ToolBarComboButton : public CComboBox, public ToolBarWndButton
{
public:
    ~ToolBarComboButton() override;

    CWnd* GetWnd() override { return this; }
    // A style without a kind becomes CBS_DROPDOWNLIST; a drop-down's edit field is subclassed.
    BOOL CreateWnd(LTCustomToolBar* pBar, DWORD dwStyle, const RECT& rect, UINT nID) override;
    void RecalcSize() override;
    const ToolBarButtonClass* GetButtonClass() const override;

    ToolBarComboEdit m_edit;
    CFont m_font;

    static const ToolBarButtonClass classToolBarComboButton;
};
