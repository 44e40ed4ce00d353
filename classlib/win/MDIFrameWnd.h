// CMDIFrameWnd: the main frame of a multiple-document program (its children: MDIChildWnd.h).
//
// The MDI frame's client area is an MDI client window (pane AFX_IDW_PANE_FIRST, so bars are laid out
// around it); its window menu is the popup of the current menu that holds ID_WINDOW_* items (else the
// second-to-last popup), where the MDI client lists the children. The active child's template menu
// (shared by every frame of that template) replaces the frame's own menu while the child is active; the
// frame's menu comes back when the last child goes. Messages the frame does not handle go to
// DefFrameProc, so the MDI client's own behaviour (window menu items, maximised child's system menu,
// Ctrl+F6) stays.
//
// Commands go to the active child first (its view, document, itself, the application), then to this
// frame (and to the application only when no child is active, as the child asked it already). The title adds
// the active child's document unless that child is maximised (Windows then shows "Frame - [Child]" itself).
#pragma once

#include "classlib/win/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)

public:
    CMDIFrameWnd();

    HWND m_hWndMDIClient;

    // Makes the MDI client (with pWindowMenu as the window menu).
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of hMenu where the children are listed, or NULL.
    static HMENU FindWindowMenu(HMENU hMenu);

    // The MDI client's operations.
    void MDIActivate(CWnd* pWndActivate);
    // The active child (and whether it is maximised), or NULL.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    void MDICascade();
    void MDITile(int nType = MDITILE_HORIZONTAL);
    void MDIIconArrange();
    // Puts hMenu on the frame with hWindowMenu as the window menu; the menu that was there.
    HMENU MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu);

    CFrameWnd* GetActiveFrame() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnWindowNew();
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
