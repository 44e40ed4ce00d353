#include "classlib/CmdUI.h"

#include "classlib/CmdTarget.h"
#include "classlib/win/Menu.h"
#include "classlib/win/Wnd.h"

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(nullptr), m_pSubMenu(nullptr), m_pParentMenu(nullptr), m_pOther(nullptr),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return; // a popup's own item follows its contents, not a handler
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr) {
        // Disabling the control with the focus would leave the keyboard nowhere: move it on first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd) {
            HWND hWndParent = ::GetParent(m_pOther->m_hWnd);
            if (hWndParent != nullptr)
                ::SendMessage(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr) {
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck));
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
    if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
        // A menu item shows a bullet instead of a check mark.
        MENUITEMINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        if (m_pMenu->GetMenuItemInfo(m_nIndex, &info, TRUE)) {
            info.fType |= MFT_RADIOCHECK;
            m_pMenu->SetMenuItemInfo(m_nIndex, &info, TRUE);
        }
    }
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr)
            return;
        // Keep the item's state: ModifyMenu takes it from the flags.
        const UINT nState =
            m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    } else if (m_pOther != nullptr) {
        AfxSetWindowText(m_pOther->m_hWnd, lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE; // separators and items that ask for no update
    m_bEnableChanged = FALSE;
    const BOOL bResult = pTarget->OnCmdMsg(m_nID, static_cast<int>(CN_UPDATE_COMMAND_UI), this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info = {nullptr, nullptr};
        const BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}

BOOL AfxCmdUIHandled(CCmdUI* pCmdUI)
{
    const BOOL bHandled = !pCmdUI->m_bContinueRouting;
    pCmdUI->m_bContinueRouting = FALSE;
    return bHandled;
}

void AfxUpdateMenuCmdUI(CCmdTarget* pTarget, CMenu* pPopup, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    state.m_pMenu = pPopup;
    state.m_nIndexMax = pPopup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = pPopup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0)
            continue; // separator
        if (state.m_nID == static_cast<UINT>(-1)) {
            // A popup: its item follows the first command inside it.
            CMenu* pSub = pPopup->GetSubMenu(static_cast<int>(state.m_nIndex));
            if (pSub == nullptr || (state.m_nID = pSub->GetMenuItemID(0)) == 0 ||
                state.m_nID == static_cast<UINT>(-1))
                continue;
            state.m_pSubMenu = pSub;
            state.DoUpdate(pTarget, FALSE);
            state.m_pSubMenu = nullptr;
        } else {
            state.m_pSubMenu = nullptr;
            state.DoUpdate(pTarget, bDisableIfNoHndler && state.m_nID < 0xF000);
        }
        // A handler may have added or removed items: follow the menu's new length.
        state.m_nIndexMax = pPopup->GetMenuItemCount();
    }
}
