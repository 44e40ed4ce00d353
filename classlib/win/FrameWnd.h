// CFrameWnd: a frame window that holds a view (or a splitter of views), bars, a menu and a title.
//
// LoadFrame makes the frame from one resource id: its menu, icon and accelerators (each when the program
// has one) and the first part of its string as the title. WM_CREATE creates the client area
// (OnCreateClient: the context's view as pane AFX_IDW_PANE_FIRST) and lays it out. RecalcLayout places
// the control bars (children with ids in the bar range) around the pane; it never re-enters itself, and
// DelayRecalcLayout leaves the work to the next idle time (WM_IDLEUPDATECMDUI), which also carries out
// delayed menu and title updates.
//
// Commands go to the active view (which passes them to its document), then the frame's own map, then
// the application. The title, with FWS_ADDTOTITLE, is "App - Doc" (or "Doc - App" with FWS_PREFIXTITLE);
// a document shown in several frames is named "Doc:1", "Doc:2"... Closing the frame asks its document
// (the last frame of a modified document offers to save); closing the main window saves and closes every
// document first. Frames live on the heap: the object deletes itself when its window is destroyed, and
// also when LoadFrame or Create fails.
#pragma once

#include "classlib/List.h"
#include "classlib/win/Wnd.h"

class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;
class CDocument;
class CDocTemplate;
class CView;
class CFrameWnd;
struct CPrintPreviewState;

// WM_FLOATSTATUS flags: what a floating frame is told about its dock site.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

// Frame styles, in the low word of the window style.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// What a frame (and its views) are made for: passed as the creation parameter of frames and views.
struct CCreateContext
{
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

// The frame that holds pWnd (its nearest frame ancestor), or NULL.
CFrameWnd* AfxGetParentFrame(const CWnd* pWnd);

class CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)

public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault; // lets Windows choose the position and size

    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr,
                        LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                        CCreateContext* pContext = nullptr);
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    BOOL IsFrameWnd() const override { return TRUE; }

    // Client area.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // A view of the context's view class as child nID of this frame; NULL when it cannot be made.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }
    // Room around the pane kept free of bars (the pane's border).
    CRect m_rectBorder;

    // Views and documents.
    CView* GetActiveView() const { return m_pViewActive; }
    // Makes pView the active view: it gets the focus and OnActivateView (bNotify) calls.
    void SetActiveView(CView* pView, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: this frame (an MDI frame answers its active child).
    virtual CFrameWnd* GetActiveFrame() { return this; }
    CFrameWnd* GetParentFrame() const { return AfxGetParentFrame(this); }

    // Showing.
    // nCmdShow -1: shown normally when hidden, restored when minimised; brought to the top.
    virtual void ActivateFrame(int nCmdShow = -1);
    // First pane view becomes active when none is, every view gets WM_INITIALUPDATE, then the frame is
    // shown (bMakeVisible) and retitled.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    // Title.
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    const CString& GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    // Menu: the default menu or hMenuAlt.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    void DelayUpdateFrameMenu(HMENU hMenuAlt);
    HMENU GetDefaultMenu() const { return m_hMenuDefault; }
    virtual HACCEL GetDefaultAccelerator();

    // Print preview (FrameWndPreview.cpp): entering puts the menu, accelerators, visible control bars
    // (all but the status bar) and the pane away in pState and installs its close procedure; leaving
    // gives them back from pState, the active view too.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    BOOL IsInPreviewMode() const { return m_bPreviewMode; }

    // Status prompts: the first line of string nID; the bar that shows them (child AFX_IDW_STATUS_BAR).
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    virtual CWnd* GetMessageBar();

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Control bars and docking (classlib/win/FrameWndDocking.cpp, classlib/win/ControlBar.h).
    // The bars whose dock site this frame is (dock bars and floating frames' dock bars too), in the
    // order they were made; a bar enters at its WM_CREATE and leaves when its window or object goes.
    CPtrList m_listControlBars;
    // The class of the floating frames (CMiniDockFrameWnd, set by EnableDocking when still NULL).
    CRuntimeClass* m_pFloatingFrameClass;
    // The dock bar ids and styles of the four sides, in the order they are searched.
    static const DWORD dwDockBarMap[4][2];
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // The bar of the list with that control id, or NULL.
    CControlBar* GetControlBar(UINT nID);
    // Makes the dock bars of the sides named (CBRS_ALIGN_*) that are not there yet; throws the
    // resource exception when one cannot be made.
    void EnableDocking(DWORD dwDockStyle);
    // Docks pBar on the dock bar with that id (0: the first side the bar allows), at lpRect (screen) or
    // in a row of its own after the others.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Puts pBar back where its placeholder is (on pDockBar, or the first side holding one).
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats pBar in a floating frame whose window is at point (screen); dwStyle holds the alignment
    // (CBRS_ALIGN_TOP or CBRS_ALIGN_LEFT) and CBRS_FLOAT_MULTI.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle);
    // Shows or hides pBar at once or (bDelay) at the next layout; a floating frame follows its bars.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // The side (CBRS_ALIGN_*) among dwDockStyle whose dock bar rect (screen) touches, or 0.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // Tells the floating frames of this frame (WM_FLOATSTATUS) to look active, inactive...
    void NotifyFloatingWindows(DWORD dwFlags);
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    void SaveBarState(LPCTSTR lpszProfileName) const;
    void LoadBarState(LPCTSTR lpszProfileName);

    enum IdleFlags
    {
        idleMenu = 1,
        idleTitle = 2,
        idleNotify = 4,
        idleLayout = 8
    };
    UINT m_nIdleFlags;
    BOOL m_bAutoMenuEnable; // menu items without a handler are greyed
    int m_nWindow;          // this frame's number among its document's frames; 0 when it is the only one
    HMENU m_hMenuDefault;   // the frame's own menu (owned)
    HACCEL m_hAccelTable;
    UINT m_nIDHelp;
    UINT m_nIDTracking; // the command whose prompt the status bar shows
    UINT m_nIDLastMessage;
    // Called first when the frame is asked to close; FALSE keeps it open (print preview uses it).
    BOOL(CALLBACK* m_lpfnCloseProc)(CFrameWnd* pFrameWnd);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // The creation context of a WM_CREATE (MDI children carry it inside their MDICREATESTRUCT).
    static CCreateContext* ContextFromCreate(LPCREATESTRUCT lpcs);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // m_strTitle from the first part of string nIDResource (kept when there is none); the help id.
    void LoadTitle(UINT nIDResource);
    // Whether the closing frame is the last one of its document.
    BOOL IsLastFrameOf(CDocument* pDoc) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CView* m_pViewActive;
    CString m_strTitle;
    HMENU m_hMenuAlt; // menu asked for by a delayed menu update
    BOOL m_bInRecalcLayout;
    BOOL m_bPreviewMode; // menu updates wait while a preview holds the frame

private:
    // Bars that outlive the frame object no longer point at it.
    void ReleaseControlBars();
};
