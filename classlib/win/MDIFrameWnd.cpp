#include "classlib/win/MDIFrameWnd.h"

#include "classlib/CmdUI.h"
#include "classlib/DocTemplate.h"
#include "classlib/Document.h"
#include "classlib/MessageBox.h"
#include "classlib/win/MDIChildWnd.h"
#include "classlib/win/Menu.h"
#include "classlib/win/View.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
ON_COMMAND_EX(ID_WINDOW_ARRANGE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_CASCADE, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_HORZ, OnMDIWindowCmd)
ON_COMMAND_EX(ID_WINDOW_TILE_VERT, OnMDIWindowCmd)
ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
ON_UPDATE_COMMAND_UI(ID_WINDOW_ARRANGE, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_CASCADE, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_HORZ, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_TILE_VERT, OnUpdateMDIWindowCmd)
ON_UPDATE_COMMAND_UI(ID_WINDOW_NEW, OnUpdateMDIWindowCmd)
END_MESSAGE_MAP()

CMDIFrameWnd::CMDIFrameWnd() : m_hWndMDIClient(nullptr) {}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    return CreateClient(lpcs, CMenu::FromHandle(FindWindowMenu(::GetMenu(m_hWnd))));
}

HMENU CMDIFrameWnd::FindWindowMenu(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    const int nCount = ::GetMenuItemCount(hMenu);
    // The popup that holds the window commands...
    for (int i = nCount - 1; i >= 0; --i) {
        HMENU hPopup = ::GetSubMenu(hMenu, i);
        if (hPopup == nullptr)
            continue;
        const int nItems = ::GetMenuItemCount(hPopup);
        for (int j = 0; j < nItems; ++j) {
            const UINT nID = ::GetMenuItemID(hPopup, j);
            if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_SPLIT)
                return hPopup;
        }
    }
    // ...else the one before the last (the last is Help).
    return nCount >= 2 ? ::GetSubMenu(hMenu, nCount - 2) : nullptr;
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu->GetSafeHmenu();
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // The client is the frame's pane, so bars are laid out around it.
    m_hWndMDIClient = ::CreateWindowEx(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                       WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS |
                                           WS_VSCROLL | WS_HSCROLL | MDIS_ALLCHILDSTYLES,
                                       0, 0, 0, 0, m_hWnd,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(AFX_IDW_PANE_FIRST)),
                                       ::GetModuleHandle(nullptr), &ccs);
    return m_hWndMDIClient != nullptr;
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProc(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(pWndActivate->GetSafeHwnd()), 0);
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient == nullptr
                    ? nullptr
                    : reinterpret_cast<HWND>(::SendMessage(m_hWndMDIClient, WM_MDIGETACTIVE, 0,
                                                           reinterpret_cast<LPARAM>(&bMaximized)));
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)))
        bMaximized = FALSE, pWnd = nullptr;
    if (pbMaximized != nullptr)
        *pbMaximized = bMaximized;
    return static_cast<CMDIChildWnd*>(pWnd);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    ::SendMessage(m_hWndMDIClient, WM_MDIRESTORE, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()), 0);
}

void CMDIFrameWnd::MDINext()
{
    ::SendMessage(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

void CMDIFrameWnd::MDICascade()
{
    ::SendMessage(m_hWndMDIClient, WM_MDICASCADE, 0, 0);
}

void CMDIFrameWnd::MDITile(int nType)
{
    ::SendMessage(m_hWndMDIClient, WM_MDITILE, static_cast<WPARAM>(nType), 0);
}

void CMDIFrameWnd::MDIIconArrange()
{
    ::SendMessage(m_hWndMDIClient, WM_MDIICONARRANGE, 0, 0);
}

HMENU CMDIFrameWnd::MDISetMenu(HMENU hFrameMenu, HMENU hWindowMenu)
{
    HMENU hOld = ::GetMenu(m_hWnd);
    if (hFrameMenu != hOld || hWindowMenu != nullptr) {
        ::SendMessage(m_hWndMDIClient, WM_MDISETMENU, reinterpret_cast<WPARAM>(hFrameMenu),
                      reinterpret_cast<LPARAM>(hWindowMenu));
        ::DrawMenuBar(m_hWnd);
    }
    return hOld;
}

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive != nullptr ? static_cast<CFrameWnd*>(pActive) : this;
}

void CMDIFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
    CDocument* pDoc = CFrameWnd::GetActiveDocument();
    if (pDoc == nullptr && pActive != nullptr)
        pDoc = pActive->GetActiveDocument();
    // A maximised child's name is in the caption already ("Frame - [Child]", by Windows).
    if (bAddToTitle && pActive != nullptr && !bMaximized && pDoc != nullptr)
        UpdateFrameTitleForDocument(pDoc->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_bPreviewMode) {
        DelayUpdateFrameMenu(hMenuAlt); // done when the preview ends
        return;
    }
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != nullptr) {
        pActive->OnUpdateFrameMenu(TRUE, pActive, hMenuAlt);
        return;
    }
    if (hMenuAlt == nullptr)
        hMenuAlt = m_hMenuDefault;
    if (hMenuAlt != nullptr)
        MDISetMenu(hMenuAlt, FindWindowMenu(hMenuAlt));
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // The active child (its view and document, itself, the application) comes first; the application
    // has been asked then, so it is not asked twice.
    // A print preview in this frame is its own active view and comes first.
    CView* pView = GetActiveView();
    if (m_bPreviewMode && pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive == nullptr)
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    if (pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // Ctrl+F4, Ctrl+F6 and the child's system menu keys, then the frame's own accelerators.
    if (MDIGetActive() != nullptr && ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return m_hAccelTable != nullptr && ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg);
}

BOOL CMDIFrameWnd::OnMDIWindowCmd(UINT nID)
{
    switch (nID) {
    case ID_WINDOW_ARRANGE:
        MDIIconArrange();
        return TRUE;
    case ID_WINDOW_CASCADE:
        MDICascade();
        return TRUE;
    case ID_WINDOW_TILE_HORZ:
        MDITile(MDITILE_HORIZONTAL);
        return TRUE;
    case ID_WINDOW_TILE_VERT:
        MDITile(MDITILE_VERTICAL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CMDIFrameWnd::OnUpdateMDIWindowCmd(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(MDIGetActive() != nullptr);
}

void CMDIFrameWnd::OnWindowNew()
{
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDoc = pActive != nullptr ? pActive->GetActiveDocument() : nullptr;
    CDocTemplate* pTemplate = pDoc != nullptr ? pDoc->GetDocTemplate() : nullptr;
    if (pTemplate == nullptr)
        return;
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(pDoc, pActive);
    if (pFrame == nullptr) {
        AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
        return;
    }
    pTemplate->InitialUpdateFrame(pFrame, pDoc);
}
