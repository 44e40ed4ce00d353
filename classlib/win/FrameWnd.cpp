// CFrameWnd, and the services through which documents and templates reach frames and views.
#include "classlib/win/FrameWnd.h"

#include "classlib/CmdUI.h"
#include "classlib/DocTemplate.h"
#include "classlib/Document.h"
#include "classlib/Resources.h"
#include "classlib/WinApp.h"
#include "classlib/win/Menu.h"
#include "classlib/win/ThreadState.h"
#include "classlib/win/View.h"

#include <cstdio>
#include <vector>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd* AfxGetParentFrame(const CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return nullptr;
    for (HWND hWnd = ::GetParent(pWnd->m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pParent = CWnd::FromHandlePermanent(hWnd);
        if (pParent != nullptr && pParent->IsFrameWnd())
            return static_cast<CFrameWnd*>(pParent);
        if (!(::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    return nullptr;
}

namespace {

// A resource string's first "\n"-separated part: a frame's title, a command's prompt.
CString FirstLine(const CString& text)
{
    const int nEnd = text.Find('\n');
    return nEnd < 0 ? text : text.Left(nEnd);
}

// What documents and templates ask of the window half.
class CFrameDocViewServices : public CDocViewServices
{
public:
    void UpdateView(CView* pView, CView* pSender, LPARAM lHint, CObject* pHint) override
    {
        pView->OnUpdate(pSender, lHint, pHint);
    }

    void CloseDocumentFrames(CDocument* pDocument) override
    {
        // Destroying a frame removes views from the list: collect the frames first.
        for (CFrameWnd* pFrame : FramesOf(pDocument)) {
            if (CWnd::FromHandlePermanent(pFrame->m_hWnd) != pFrame)
                continue; // gone with an earlier one
            pDocument->PreCloseFrame(pFrame);
            pFrame->DestroyWindow();
        }
        // A view outside any frame goes by itself: none may outlive the document it points at.
        std::vector<HWND> views;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != nullptr)
            views.push_back(pDocument->GetNextView(pos)->m_hWnd);
        for (HWND hWnd : views) {
            if (CWnd::FromHandlePermanent(hWnd) != nullptr)
                ::DestroyWindow(hWnd);
        }
    }

    CFrameWnd* CreateNewFrame(CDocTemplate* pTemplate, CDocument* pDocument, CFrameWnd* pOther) override
    {
        CRuntimeClass* pFrameClass = pTemplate->GetFrameClass();
        if (pFrameClass == nullptr || !pFrameClass->IsDerivedFrom(RUNTIME_CLASS(CFrameWnd)))
            return nullptr;
        CCreateContext context;
        context.m_pCurrentFrame = pOther;
        context.m_pCurrentDoc = pDocument;
        context.m_pNewViewClass = pTemplate->GetViewClass();
        context.m_pNewDocTemplate = pTemplate;
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(pFrameClass->CreateObject());
        if (pFrame == nullptr)
            return nullptr;
        // A failed load has deleted the frame object already.
        if (!pFrame->LoadFrame(pTemplate->GetResourceID(), WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr,
                               &context))
            return nullptr;
        return pFrame;
    }

    void InitialUpdateFrame(CDocTemplate*, CFrameWnd* pFrame, CDocument* pDocument,
                            BOOL bMakeVisible) override
    {
        pFrame->InitialUpdateFrame(pDocument, bMakeVisible);
    }

    void DestroyFrame(CFrameWnd* pFrame) override { pFrame->DestroyWindow(); }

    CFrameWnd* GetViewFrame(CView* pView) override { return pView->GetParentFrame(); }

    void UpdateFrameCounts(CDocument* pDocument) override
    {
        std::vector<CFrameWnd*> frames = FramesOf(pDocument);
        // One frame carries no number; several are numbered in the order of their views.
        int nFrame = frames.size() > 1 ? 1 : 0;
        for (CFrameWnd* pFrame : frames) {
            pFrame->m_nWindow = nFrame;
            if (nFrame != 0)
                ++nFrame;
            pFrame->OnUpdateFrameTitle(TRUE);
        }
    }

private:
    static std::vector<CFrameWnd*> FramesOf(CDocument* pDocument)
    {
        std::vector<CFrameWnd*> frames;
        POSITION pos = pDocument->GetFirstViewPosition();
        while (pos != nullptr) {
            CFrameWnd* pFrame = pDocument->GetNextView(pos)->GetParentFrame();
            if (pFrame == nullptr)
                continue;
            bool bSeen = false;
            for (CFrameWnd* p : frames)
                bSeen = bSeen || p == pFrame;
            if (!bSeen)
                frames.push_back(pFrame);
        }
        return frames;
    }
};

CFrameDocViewServices g_frameServices;

// Every program that can make frames gives its documents and templates windows.
struct InstallServices
{
    InstallServices() { AfxSetDocViewServices(&g_frameServices); }
} g_installServices;

} // namespace

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_ACTIVATE()
ON_WM_INITMENUPOPUP()
ON_WM_MENUSELECT()
ON_WM_DROPFILES()
ON_WM_QUERYENDSESSION()
ON_WM_ENDSESSION()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_RECALCPARENT, OnRecalcParent)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
    : m_rectBorder(0, 0, 0, 0), m_pFloatingFrameClass(nullptr), m_nIdleFlags(0), m_bAutoMenuEnable(TRUE),
      m_nWindow(-1), m_hMenuDefault(nullptr), m_hAccelTable(nullptr), m_nIDHelp(0), m_nIDTracking(0),
      m_nIDLastMessage(0), m_lpfnCloseProc(nullptr), m_pViewActive(nullptr), m_hMenuAlt(nullptr),
      m_bInRecalcLayout(FALSE), m_bPreviewMode(FALSE)
{
}

CFrameWnd::~CFrameWnd()
{
    // A menu the window no longer carries is not destroyed with it.
    if (m_hMenuDefault != nullptr && ::IsMenu(m_hMenuDefault) &&
        (m_hWnd == nullptr || ::GetMenu(m_hWnd) != m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
    ReleaseControlBars();
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == nullptr) {
        // Frames repaint whole when resized; their panes cover the background.
        cs.lpszClass = AfxRegisterWndClass(
            CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), ::LoadIcon(nullptr, IDI_APPLICATION));
    }
    if ((cs.style & FWS_ADDTOTITLE) && m_strTitle.IsEmpty() && cs.lpszName != nullptr)
        m_strTitle = cs.lpszName;
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    // A program without that menu gets a frame without one; child frames carry none.
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr && !(dwStyle & WS_CHILD))
        hMenu = ::LoadMenu(::GetModuleHandle(nullptr), lpszMenuName);
    m_strTitle = lpszWindowName;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT; // Windows places it
    if (!::EqualRect(&rect, &rectDefault)) {
        x = rect.left;
        y = rect.top;
        cx = rect.right - rect.left;
        cy = rect.bottom - rect.top;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(),
                  hMenu, pContext)) {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    if (hMenu != nullptr)
        m_hMenuDefault = hMenu;
    return TRUE;
}

void CFrameWnd::LoadTitle(UINT nIDResource)
{
    m_nIDHelp = nIDResource;
    CString strings;
    if (AfxLoadStringResource(nIDResource, strings))
        m_strTitle = FirstLine(strings);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    LoadTitle(nIDResource);
    if (m_strTitle.IsEmpty() && AfxGetApp() != nullptr && !(dwDefaultStyle & WS_CHILD))
        m_strTitle = AfxGetApp()->m_pszAppName;
    const CString title = m_strTitle;
    HINSTANCE hInstance = ::GetModuleHandle(nullptr);
    // The icon, when the program has one under that id, becomes the class's.
    HICON hIcon = ::LoadIcon(hInstance, MAKEINTRESOURCE(nIDResource));
    LPCTSTR lpszClass = nullptr;
    if (hIcon != nullptr)
        lpszClass =
            AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW),
                                reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), hIcon);
    if (!Create(lpszClass, title, dwDefaultStyle, rectDefault, pParentWnd, MAKEINTRESOURCE(nIDResource), 0,
                pContext))
        return FALSE; // the object is gone with its window
    m_strTitle = title;
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAccelerators(hInstance, MAKEINTRESOURCE(nIDResource));
    if (pContext == nullptr)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

CCreateContext* CFrameWnd::ContextFromCreate(LPCREATESTRUCT lpcs)
{
    if (lpcs->dwExStyle & WS_EX_MDICHILD) {
        auto* pMdi = static_cast<MDICREATESTRUCT*>(lpcs->lpCreateParams);
        return pMdi != nullptr ? reinterpret_cast<CCreateContext*>(pMdi->lParam) : nullptr;
    }
    return static_cast<CCreateContext*>(lpcs->lpCreateParams);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // A menu given another way (PreCreateWindow) is the frame's own as well.
    if (m_hMenuDefault == nullptr && !(lpcs->style & WS_CHILD))
        m_hMenuDefault = lpcs->hMenu;
    return OnCreateHelper(lpcs, ContextFromCreate(lpcs));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    // Bars and panes exist now: place them before the first paint.
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr ||
        !pContext->m_pNewViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return nullptr;
    CWnd* pView = static_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (pView == nullptr)
        return nullptr;
    // The view deletes itself should its window fail (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    if (pView->GetExStyle() & WS_EX_CLIENTEDGE)
        ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return pView;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    // Bars asked to lay out while a layout runs would start it again from inside.
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr; // no view is active while the old one is told
    if (bNotify && pViewOld != nullptr && CWnd::FromHandlePermanent(pViewOld->m_hWnd) == pViewOld)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != nullptr)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != nullptr ? pView->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) {
        ShowWindow(nCmdShow);
        BringWindowToTop();
    } else {
        BringWindowToTop();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = GetActiveView();
    if (pView == nullptr) {
        CWnd* pPane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pPane != nullptr && pPane->IsKindOf(RUNTIME_CLASS(CView))) {
            pView = static_cast<CView*>(pPane);
            SetActiveView(pView, FALSE);
        }
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible) {
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == nullptr && !(GetStyle() & WS_CHILD)) {
            // The program's first frame opens as the program was asked to start.
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != nullptr)
        AfxGetDocViewServices()->UpdateFrameCounts(pDoc);
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && pDoc != nullptr)
        UpdateFrameTitleForDocument(pDoc->GetTitle());
    else
        UpdateFrameTitleForDocument(nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString title;
    if (lpszDocName == nullptr) {
        title = m_strTitle;
    } else {
        CString doc = lpszDocName;
        if (m_nWindow > 0) {
            char number[16];
            std::snprintf(number, sizeof number, ":%d", m_nWindow);
            doc += number;
        }
        if (m_strTitle.IsEmpty())
            title = doc;
        else if (GetStyle() & FWS_PREFIXTITLE)
            title = doc + " - " + m_strTitle;
        else
            title = m_strTitle + " - " + doc;
    }
    AfxSetWindowText(m_hWnd, title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_bPreviewMode) {
        DelayUpdateFrameMenu(hMenuAlt); // done when the preview ends
        return;
    }
    if (hMenuAlt == nullptr)
        hMenuAlt = m_hMenuDefault;
    if (hMenuAlt != nullptr && ::GetMenu(m_hWnd) != hMenuAlt)
        ::SetMenu(m_hWnd, hMenuAlt);
}

void CFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    m_hMenuAlt = hMenuAlt;
    m_nIdleFlags |= idleMenu;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    return m_hAccelTable;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString text;
    AfxLoadStringResource(nID, text);
    rMessage = FirstLine(text);
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    CView* pView = GetActiveView();
    if (pView != nullptr && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        HACCEL hAccel = GetDefaultAccelerator();
        return hAccel != nullptr && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
    }
    return FALSE;
}

BOOL CFrameWnd::IsLastFrameOf(CDocument* pDoc) const
{
    POSITION pos = pDoc->GetFirstViewPosition();
    while (pos != nullptr) {
        if (pDoc->GetNextView(pos)->GetParentFrame() != this)
            return FALSE;
    }
    return TRUE;
}

void CFrameWnd::OnClose()
{
    if (m_lpfnCloseProc != nullptr && !(*m_lpfnCloseProc)(this))
        return;
    CWinApp* pApp = AfxGetApp();
    CDocument* pDoc = GetActiveDocument();
    if (pDoc != nullptr && !pDoc->CanCloseFrame(this))
        return;
    if (pApp != nullptr && pApp->m_pMainWnd == this) {
        // The main window closes every document first; any of them may refuse (the active one has
        // been asked already).
        if (pDoc == nullptr && !pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        if (CWnd::FromHandlePermanent(m_hWnd) != this)
            return; // a document's closing took this frame with it
        DestroyWindow();
        return;
    }
    if (pDoc != nullptr && pDoc->m_bAutoDelete && IsLastFrameOf(pDoc)) {
        // The document goes with its last frame (and takes the frame with it).
        pDoc->OnCloseDocument();
        return;
    }
    if (pDoc != nullptr)
        pDoc->PreCloseFrame(this);
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // Shared menus (a template's) belong to others: only the frame's own goes with the window.
    if (m_hMenuDefault != nullptr && !(GetStyle() & WS_CHILD)) {
        if (::GetMenu(m_hWnd) != m_hMenuDefault)
            ::SetMenu(m_hWnd, m_hMenuDefault);
        if (::GetMenu(m_hWnd) == m_hMenuDefault)
            m_hMenuDefault = nullptr; // destroyed by Windows with the window
    }
    CWnd::OnDestroy();
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    // The pane and bars follow the frame; nothing to place while minimised.
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != nullptr && ::IsWindow(m_pViewActive->m_hWnd))
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    // Floating bars look active exactly while their frame is.
    if (!(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(nState != WA_INACTIVE ? FS_ACTIVATE : FS_DEACTIVATE);
    CView* pView = GetActiveView();
    if (pView != nullptr)
        pView->OnActivateFrame(nState, this);
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    if (!bSysMenu && pPopupMenu != nullptr)
        AfxUpdateMenuCmdUI(this, pPopupMenu, m_bAutoMenuEnable);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    UINT nIDTracking = 0;
    if (nFlags == 0xFFFF && hSysMenu == nullptr)
        nIDTracking = AFX_IDS_IDLEMESSAGE; // the menu closed
    else if (nItemID != 0 && !(nFlags & (MF_SEPARATOR | MF_POPUP)))
        nIDTracking = nItemID;
    if (nIDTracking != m_nIDTracking) {
        m_nIDTracking = nIDTracking;
        SendMessage(WM_SETMESSAGESTRING, nIDTracking);
    }
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT nIDLast = m_nIDLastMessage;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != nullptr) {
        CString message;
        if (lParam != 0)
            message = reinterpret_cast<LPCTSTR>(lParam);
        else if (wParam != 0)
            GetMessageString(static_cast<UINT>(wParam), message);
        pMessageBar->SetWindowText(message);
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return nIDLast;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    return OnSetMessageString(wParam != 0 ? wParam : AFX_IDS_IDLEMESSAGE, lParam);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if ((m_nIdleFlags & idleMenu) && !m_bPreviewMode) {
        m_nIdleFlags &= ~idleMenu;
        OnUpdateFrameMenu(m_hMenuAlt);
    }
    if (m_nIdleFlags & idleTitle) {
        m_nIdleFlags &= ~idleTitle;
        OnUpdateFrameTitle(TRUE);
    }
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    return 0;
}

LRESULT CFrameWnd::OnRecalcParent(WPARAM, LPARAM)
{
    RecalcLayout();
    return 0;
}

void CFrameWnd::OnDropFiles(HDROP hDropInfo)
{
    SetActiveWindow();
    CWinApp* pApp = AfxGetApp();
    const UINT nFiles = ::DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < nFiles && pApp != nullptr; ++i) {
        char path[MAX_PATH] = {};
        ::DragQueryFile(hDropInfo, i, path, MAX_PATH);
        pApp->OpenDocumentFile(path);
    }
    ::DragFinish(hDropInfo);
}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
        return pApp->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    CWinApp* pApp = AfxGetApp();
    if (bEnding && pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->CloseAllDocuments(TRUE);
}
