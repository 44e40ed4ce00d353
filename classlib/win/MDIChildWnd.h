// CMDIChildWnd: a document frame inside an MDI frame's client area.
//
// A child is created through WM_MDICREATE (PreCreateWindow still sees and may change every parameter);
// it opens maximised when the active child is maximised. While active it puts its template's shared menu
// on the MDI frame; the frame's own menu returns when the last child goes. Its title is its document's
// ("name:2" for a second window on the same document); destroying it goes through WM_MDIDESTROY.
// Messages it does not handle go to DefMDIChildProc.
#pragma once

#include "classlib/win/MDIFrameWnd.h"

class CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)

public:
    CMDIChildWnd();

    // pParentWnd: the MDI frame (NULL: the program's main window).
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                CCreateContext* pContext = nullptr) override;
    // Takes its menu and accelerators from the context's template (shared) or from the resource.
    BOOL LoadFrame(UINT nIDResource,
                   DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL DestroyWindow() override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    void ActivateFrame(int nCmdShow = -1) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // Puts this child's menu (hMenuAlt, else its shared menu, else the MDI frame's) on the MDI frame when
    // activating; the MDI frame's own when the last child deactivates.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    void OnUpdateFrameMenu(HMENU hMenuAlt) override { OnUpdateFrameMenu(TRUE, this, hMenuAlt); }
    CWnd* GetMessageBar() override;
    HACCEL GetDefaultAccelerator() override { return m_hAccelTable; }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    HMENU m_hMenuShared; // the template's menu (not owned)

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
