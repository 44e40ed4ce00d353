#include "classlib/win/MDIChildWnd.h"

#include "classlib/DocTemplate.h"
#include "classlib/Document.h"
#include "classlib/Resources.h"
#include "classlib/WinApp.h"
#include "classlib/win/View.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
ON_WM_SIZE()
ON_WM_SETFOCUS()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(nullptr) {}

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndClient = ::GetParent(m_hWnd);
    CWnd* pFrame = hWndClient != nullptr ? FromHandlePermanent(::GetParent(hWndClient)) : nullptr;
    if (pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return nullptr;
    return static_cast<CMDIFrameWnd*>(pFrame);
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, LPCTSTR, DWORD dwExStyle, CCreateContext* pContext)
{
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    if (pParentWnd == nullptr || !pParentWnd->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) {
        PostNcDestroy(); // no MDI frame to live in
        return FALSE;
    }
    CMDIFrameWnd* pFrame = static_cast<CMDIFrameWnd*>(pParentWnd);
    m_strTitle = lpszWindowName;

    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle | WS_EX_MDICHILD;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    if (EqualRect(&rect, &rectDefault)) {
        cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    } else {
        cs.x = rect.left;
        cs.y = rect.top;
        cs.cx = rect.right - rect.left;
        cs.cy = rect.bottom - rect.top;
    }
    cs.hwndParent = pFrame->m_hWndMDIClient;
    cs.hInstance = ::GetModuleHandle(nullptr);
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // A child shown at once opens maximised when the active one is.
    BOOL bMaximized = FALSE;
    pFrame->MDIGetActive(&bMaximized);
    if (bMaximized && (cs.style & WS_VISIBLE))
        cs.style |= WS_MAXIMIZE;

    MDICREATESTRUCT mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_CHILD | WS_POPUP);
    mcs.lParam = reinterpret_cast<LPARAM>(cs.lpCreateParams);
    AfxHookWindowCreate(this, cs.lpszClass);
    HWND hWnd = reinterpret_cast<HWND>(
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    AfxUnhookWindowCreate();
    return hWnd != nullptr;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext)
{
    LoadTitle(nIDResource);
    // Every child of a template shows the template's menu; others load their own.
    CDocTemplate* pTemplate = pContext != nullptr ? pContext->m_pNewDocTemplate : nullptr;
    if (pTemplate != nullptr && pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate))) {
        m_hMenuShared = static_cast<CMultiDocTemplate*>(pTemplate)->m_hMenuShared;
        m_hAccelTable = static_cast<CMultiDocTemplate*>(pTemplate)->m_hAccelTable;
    } else {
        HINSTANCE hInstance = ::GetModuleHandle(nullptr);
        m_hMenuDefault = ::LoadMenu(hInstance, MAKEINTRESOURCE(nIDResource)); // owned
        m_hMenuShared = m_hMenuDefault;
        m_hAccelTable = ::LoadAccelerators(hInstance, MAKEINTRESOURCE(nIDResource));
    }
    const CString title = m_strTitle;
    if (!Create(nullptr, title, dwDefaultStyle, rectDefault, pParentWnd, nullptr, 0, pContext))
        return FALSE; // the object is gone
    m_strTitle = title;
    return TRUE;
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::MDIDestroy()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr) {
        ::DestroyWindow(m_hWnd);
        return;
    }
    HWND hWndFrame = pFrame->m_hWnd;
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
    // This object is gone; the frame takes its own menu and title back when no child is left.
    if (CWnd::FromHandlePermanent(hWndFrame) == pFrame && pFrame->MDIGetActive() == nullptr) {
        pFrame->OnUpdateFrameMenu(nullptr);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CMDIChildWnd::MDIActivate()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr)
        pFrame->MDIActivate(this);
}

void CMDIChildWnd::MDIMaximize()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr)
        pFrame->MDIMaximize(this);
}

void CMDIChildWnd::MDIRestore()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr)
        pFrame->MDIRestore(this);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProc(m_hWnd, message, wParam, lParam);
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    const BOOL bVisibleThen = IsWindowVisible();
    if (nCmdShow == -1) {
        BOOL bMaximized = FALSE;
        CMDIChildWnd* pActive = pFrame != nullptr ? pFrame->MDIGetActive(&bMaximized) : nullptr;
        if (!bVisibleThen)
            nCmdShow =
                (pActive != nullptr && pActive != this && bMaximized) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (pFrame == nullptr)
        return;
    pFrame->MDIActivate(this);
    // Activation told the menus only when this child was not active already.
    if (pFrame->MDIGetActive() == this) {
        OnUpdateFrameMenu(TRUE, this, nullptr);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr)
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    if (!bAddToTitle || pDoc == nullptr) {
        AfxSetWindowText(m_hWnd, m_strTitle);
        return;
    }
    CString title = pDoc->GetTitle();
    if (m_nWindow > 0) {
        char number[16];
        wsprintf(number, ":%d", m_nWindow);
        title += number;
    }
    AfxSetWindowText(m_hWnd, title);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == nullptr)
        return;
    if (pFrame->IsInPreviewMode()) {
        pFrame->DelayUpdateFrameMenu(nullptr); // the active child's menu, when the preview ends
        return;
    }
    if (bActivate) {
        if (hMenuAlt == nullptr)
            hMenuAlt = m_hMenuShared != nullptr ? m_hMenuShared : pFrame->GetDefaultMenu();
        if (hMenuAlt != nullptr)
            pFrame->MDISetMenu(hMenuAlt, CMDIFrameWnd::FindWindowMenu(hMenuAlt));
    } else if (pActivateWnd == nullptr) {
        // The last child went inactive: the frame's own menu comes back.
        HMENU hMenu = pFrame->GetDefaultMenu();
        if (hMenu != nullptr)
            pFrame->MDISetMenu(hMenu, CMDIFrameWnd::FindWindowMenu(hMenu));
    }
}

CWnd* CMDIChildWnd::GetMessageBar()
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    return pFrame != nullptr ? pFrame->GetMessageBar() : nullptr;
}

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The child's accelerators send their commands to the MDI frame, which routes them back here.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != nullptr &&
        pFrame != nullptr)
        return ::TranslateAccelerator(pFrame->m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM lParam)
{
    Default();
    HWND hWndActivate = reinterpret_cast<HWND>(lParam);
    const BOOL bActivate = hWndActivate == m_hWnd;
    CView* pView = GetActiveView();
    if (pView != nullptr)
        pView->OnActivateView(bActivate, pView, pView);
    // Switching between children: the one activated puts up its menu.
    if (bActivate || hWndActivate == nullptr)
        OnUpdateFrameMenu(bActivate, CWnd::FromHandle(hWndActivate), nullptr);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr)
        pFrame->OnUpdateFrameTitle(TRUE);
    return 0;
}

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    Default(); // the MDI client keeps its own record of maximised children
    CFrameWnd::OnSize(nType, cx, cy);
    // Maximising or restoring the active child changes what the main title shows.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != nullptr && pFrame->MDIGetActive() == this)
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnSetFocus(CWnd* pOldWnd)
{
    Default(); // activates this child when it is not the active one
    CFrameWnd::OnSetFocus(pOldWnd);
}
