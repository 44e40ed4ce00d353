// CCmdUI: the state of one user-interface item (menu item, button, control, status pane) that a
// command-update handler (ON_UPDATE_COMMAND_UI) sets.
//
// DoUpdate asks the target for the handler of m_nID and lets it call Enable, SetCheck, SetRadio or SetText;
// with bDisableIfNoHndler an item whose command has no handler at all is disabled. A handler that calls
// ContinueRouting lets the search go on to the next target. Derived classes (status bar panes, toolbar
// buttons) replace the four virtual operations to act on their own items.
//
// The class is declared here so that portable command targets can name it; its operations work on
// windows and menus and are built in the Windows build only (classlib/win/CmdUI.cpp).
#pragma once

#include "classlib/Types.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID;
    UINT m_nIndex;        // menu item position or pane index
    CMenu* m_pMenu;       // the menu of the item, or NULL
    CMenu* m_pSubMenu;    // the popup the item opens, or NULL
    CMenu* m_pParentMenu; // for popups: the menu that holds them
    CWnd* m_pOther;       // the window of the item (not a menu), or NULL
    BOOL m_bEnableChanged;
    BOOL m_bContinueRouting;
    UINT m_nIndexMax; // menu items: the count, updated when the menu changes

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
};

// Updates every item of pPopup through pTarget's handlers (popups by their first item's command).
void AfxUpdateMenuCmdUI(CCmdTarget* pTarget, CMenu* pPopup, BOOL bDisableIfNoHndler);
