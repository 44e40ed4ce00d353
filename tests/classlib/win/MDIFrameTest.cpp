// An MDI frame with two templates: documents open into child frames with their views; activation
// switches the shared menus, titles and command target; windows on one document are numbered; the last
// view closing closes its document; commands pass the active child before the main frame.
#include "FrameTestSupport.h"

#include "classlib/DocManager.h"
#include "classlib/DocTemplate.h"
#include "classlib/win/FileDialog.h"
#include "classlib/win/NewTypeChooser.h"
#include "classlib/win/PreviewView.h"
#include "classlib/win/PrintDialog.h"

#include <gtest/gtest.h>

#include <cstring>

#include <shlobj.h>

namespace {

class TestMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(TestMainFrame)

public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        cs.hMenu = MakeTestMenu("main");
        return CMDIFrameWnd::PreCreateWindow(cs);
    }
    BOOL OnTrace(UINT)
    {
        g_frameTrace += "main;";
        return FALSE;
    }
    void OnChildAndMain() { g_frameTrace += "main;"; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(TestMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(TestMainFrame, CMDIFrameWnd)
ON_COMMAND_EX(ID_TRACE, OnTrace)
ON_COMMAND(ID_CHILD_AND_MAIN, OnChildAndMain)
END_MESSAGE_MAP()

// A view whose window refuses to be made.
class BrokenView : public TraceView
{
    DECLARE_DYNCREATE(BrokenView)

public:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(BrokenView, TraceView)

BEGIN_MESSAGE_MAP(BrokenView, TraceView)
ON_WM_CREATE()
END_MESSAGE_MAP()

class MdiFrameTest : public ::testing::Test
{
protected:
    FrameApp app;
    CMessageBoxScript boxes;
    TestMainFrame* main = nullptr;
    HWND hWndMain = nullptr;
    CMultiDocTemplate* notes = nullptr;
    CMultiDocTemplate* sketches = nullptr;

    void SetUp() override
    {
        g_frameTrace.clear();
        TraceDoc::s_destroyed = 0;
        notes = new CMultiDocTemplate(0, RUNTIME_CLASS(TraceDoc), RUNTIME_CLASS(TraceChild),
                                      RUNTIME_CLASS(TraceView));
        notes->SetDocStrings("\nNote\nNote\nNotes (*.nte)\n.nte\n\n");
        notes->m_hMenuShared = MakeTestMenu("notes");
        sketches = new CMultiDocTemplate(0, RUNTIME_CLASS(SketchDoc), RUNTIME_CLASS(TraceChild),
                                         RUNTIME_CLASS(TraceView));
        sketches->SetDocStrings("\nSketch\nSketch\nSketches (*.skt)\n.skt\n\n");
        sketches->m_hMenuShared = MakeTestMenu("sketches");
        app.AddDocTemplate(notes);
        app.AddDocTemplate(sketches);

        main = new TestMainFrame;
        ASSERT_TRUE(main->LoadFrame(0));
        hWndMain = main->m_hWnd;
        app.m_pMainWnd = main;
        main->ShowWindow(SW_SHOWNORMAL);
    }
    void TearDown() override
    {
        if (::IsWindow(hWndMain))
            ::DestroyWindow(hWndMain);
        app.m_pMainWnd = nullptr;
        PumpPending();
    }
    HMENU MainMenu() const { return ::GetMenu(hWndMain); }
    CMDIChildWnd* ChildOf(CDocument* pDoc) const { return static_cast<CMDIChildWnd*>(FirstFrameOf(pDoc)); }
};

TEST_F(MdiFrameTest, TemplatesOpenDocumentsIntoChildFramesWithTheirViews)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    CDocument* sketch = sketches->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, note);
    ASSERT_NE(nullptr, sketch);
    for (CDocument* pDoc : {note, sketch}) {
        ASSERT_EQ(1, pDoc->GetViewCount());
        TraceView* pView = FirstViewOf(pDoc);
        ASSERT_TRUE(pView->IsKindOf(RUNTIME_CLASS(TraceView)));
        EXPECT_EQ(1, pView->m_initialUpdates);
        EXPECT_EQ(AFX_IDW_PANE_FIRST, pView->GetDlgCtrlID());
        CMDIChildWnd* pChild = ChildOf(pDoc);
        ASSERT_TRUE(pChild != nullptr && pChild->IsKindOf(RUNTIME_CLASS(TraceChild)));
        EXPECT_EQ(main, pChild->GetMDIFrame());
        EXPECT_EQ(pView, pChild->GetActiveView());
        EXPECT_TRUE(pChild->IsWindowVisible());
    }
    EXPECT_EQ("Note1", WindowText(ChildOf(note)));
    EXPECT_EQ("Sketch1", WindowText(ChildOf(sketch)));
    // The last opened is active: its template's menu and its document in the main title.
    EXPECT_EQ(ChildOf(sketch), main->MDIGetActive());
    EXPECT_EQ(sketches->m_hMenuShared, MainMenu());
    EXPECT_EQ("Lorvane5 - Sketch1", WindowText(main));
    // The view fills its child's client area.
    CRect client, view;
    ChildOf(note)->GetClientRect(&client);
    FirstViewOf(note)->GetWindowRect(&view);
    EXPECT_EQ(client.Size(), view.Size());
}

TEST_F(MdiFrameTest, ActivationSwitchesMenuTitleAndCommandTarget)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    CDocument* sketch = sketches->OpenDocumentFile(nullptr);
    ASSERT_TRUE(note != nullptr && sketch != nullptr);

    main->MDIActivate(ChildOf(note));
    EXPECT_EQ(ChildOf(note), main->MDIGetActive());
    EXPECT_EQ(notes->m_hMenuShared, MainMenu());
    EXPECT_EQ("Lorvane5 - Note1", WindowText(main));
    main->SendMessage(WM_COMMAND, ID_WHO);
    EXPECT_EQ("Note1;", g_frameTrace);

    g_frameTrace.clear();
    main->MDIActivate(ChildOf(sketch));
    EXPECT_EQ(sketches->m_hMenuShared, MainMenu());
    main->SendMessage(WM_COMMAND, ID_WHO);
    EXPECT_EQ("Sketch1;", g_frameTrace);
}

TEST_F(MdiFrameTest, SecondWindowIsNumberedAndTheLastViewClosesTheDocument)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, note);
    CMDIChildWnd* first = ChildOf(note);
    main->SendMessage(WM_COMMAND, ID_WINDOW_NEW);
    ASSERT_EQ(2, note->GetViewCount());
    CMDIChildWnd* second = main->MDIGetActive();
    ASSERT_TRUE(second != nullptr && second != first);
    EXPECT_EQ("Note1:1", WindowText(first));
    EXPECT_EQ("Note1:2", WindowText(second));
    EXPECT_EQ(1, static_cast<TraceView*>(second->GetActiveView())->m_initialUpdates);
    // Both windows hear of changes but the one that made them.
    note->UpdateAllViews(second->GetActiveView(), 7);
    EXPECT_EQ(7, static_cast<TraceView*>(first->GetActiveView())->m_lastHint);
    EXPECT_NE(7, static_cast<TraceView*>(second->GetActiveView())->m_lastHint);

    // One of two windows closes: the document stays and its window loses the number.
    second->SendMessage(WM_CLOSE);
    EXPECT_EQ(1, note->GetViewCount());
    EXPECT_EQ(0, TraceDoc::s_destroyed);
    EXPECT_EQ("Note1", WindowText(first));

    // The last one takes the document with it; the main frame gets its own menu and title back.
    first->SendMessage(WM_CLOSE);
    EXPECT_EQ(1, TraceDoc::s_destroyed);
    EXPECT_EQ(0, notes->GetDocumentCount());
    EXPECT_EQ(nullptr, main->MDIGetActive());
    EXPECT_EQ(main->GetDefaultMenu(), MainMenu());
    EXPECT_EQ("Lorvane5", WindowText(main));
    EXPECT_EQ(0, boxes.CallCount());
}

TEST_F(MdiFrameTest, ClosingAModifiedDocumentsLastWindowAsksFirst)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, note);
    note->SetModifiedFlag();
    CMDIChildWnd* child = ChildOf(note);
    boxes.PushAnswer(IDCANCEL);
    child->SendMessage(WM_CLOSE);
    ASSERT_EQ(1, boxes.CallCount());
    EXPECT_EQ(AFX_IDP_ASK_TO_SAVE, boxes.LastCall().helpId);
    EXPECT_EQ(0, TraceDoc::s_destroyed); // cancelled: nothing closed
    EXPECT_TRUE(::IsWindow(child->m_hWnd));

    boxes.PushAnswer(IDNO);
    child->SendMessage(WM_CLOSE);
    EXPECT_EQ(1, TraceDoc::s_destroyed);
}

TEST_F(MdiFrameTest, CommandsPassTheActiveChildBeforeTheMainFrame)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, note);
    main->SendMessage(WM_COMMAND, ID_TRACE);
    EXPECT_EQ("view;doc;child;app;main;", g_frameTrace);

    g_frameTrace.clear();
    main->SendMessage(WM_COMMAND, ID_CHILD_AND_MAIN);
    EXPECT_EQ("child;", g_frameTrace);

    // Without a child: the main frame, then the application.
    ChildOf(note)->SendMessage(WM_CLOSE);
    g_frameTrace.clear();
    main->SendMessage(WM_COMMAND, ID_TRACE);
    EXPECT_EQ("main;app;", g_frameTrace);
}

TEST_F(MdiFrameTest, NewChildOpensMaximisedWhenTheActiveOneIs)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, note);
    main->MDIMaximize(ChildOf(note));
    BOOL bMaximized = FALSE;
    main->MDIGetActive(&bMaximized);
    EXPECT_TRUE(bMaximized);
    // A maximised child's document is not added again (Windows shows it in brackets).
    EXPECT_EQ(std::string::npos, WindowText(main).find("Lorvane5 - Note1"));

    CDocument* sketch = sketches->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, sketch);
    EXPECT_TRUE(ChildOf(sketch)->IsZoomed());

    main->MDIRestore(ChildOf(sketch));
    EXPECT_FALSE(ChildOf(sketch)->IsZoomed());
    CDocument* another = notes->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, another);
    EXPECT_FALSE(ChildOf(another)->IsZoomed());
}

TEST_F(MdiFrameTest, OpeningAFileThatIsOpenBringsItsWindowForward)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, note);
    note->SetPathName("C:\\notes\\plan.nte", FALSE);
    EXPECT_EQ("plan.nte", WindowText(ChildOf(note))); // retitled with the path
    CDocument* sketch = sketches->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, sketch);
    EXPECT_EQ(ChildOf(sketch), main->MDIGetActive());

    EXPECT_EQ(note, app.OpenDocumentFile("c:\\NOTES\\plan.nte"));
    EXPECT_EQ(ChildOf(note), main->MDIGetActive());
    EXPECT_EQ(1, note->GetViewCount());
}

// A drop of the files' paths, as the shell sends it.
HDROP MakeDrop(const char* path)
{
    const size_t n = std::strlen(path);
    HGLOBAL hGlobal = ::GlobalAlloc(GHND, sizeof(DROPFILES) + n + 2);
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(hGlobal));
    pDrop->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES), path, n);
    ::GlobalUnlock(hGlobal);
    return static_cast<HDROP>(hGlobal);
}

TEST_F(MdiFrameTest, DroppedFilesAreOpened)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    ASSERT_NE(nullptr, note);
    note->SetPathName("C:\\notes\\dropped.nte", FALSE);
    ASSERT_NE(nullptr, sketches->OpenDocumentFile(nullptr));
    main->DragAcceptFiles();
    main->SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop("C:\\notes\\dropped.nte")));
    EXPECT_EQ(ChildOf(note), main->MDIGetActive());
    EXPECT_EQ(1, notes->GetDocumentCount());
}

TEST_F(MdiFrameTest, ClosingTheMainWindowClosesEveryDocument)
{
    CDocument* note = notes->OpenDocumentFile(nullptr);
    ASSERT_TRUE(note != nullptr && sketches->OpenDocumentFile(nullptr) != nullptr);
    note->SetModifiedFlag();

    boxes.PushAnswer(IDCANCEL);
    main->SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(hWndMain)); // the user kept the modified document
    EXPECT_EQ(0, TraceDoc::s_destroyed);

    boxes.PushAnswer(IDNO);
    main->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWndMain));
    EXPECT_EQ(2, TraceDoc::s_destroyed);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

TEST_F(MdiFrameTest, AFrameThatCannotBeMadeLeavesNothingOpen)
{
    CMultiDocTemplate* broken = new CMultiDocTemplate(0, RUNTIME_CLASS(TraceDoc), RUNTIME_CLASS(TraceChild),
                                                      RUNTIME_CLASS(BrokenView));
    broken->SetDocStrings("\nBroken\n\n\n\n\n");
    app.AddDocTemplate(broken);
    EXPECT_EQ(nullptr, broken->OpenDocumentFile(nullptr));
    ASSERT_EQ(1, boxes.CallCount());
    EXPECT_EQ(AFX_IDP_FAILED_TO_CREATE_DOC, boxes.LastCall().helpId);
    EXPECT_EQ(0, broken->GetDocumentCount());
    EXPECT_EQ(1, TraceDoc::s_destroyed);
    EXPECT_EQ(nullptr, main->MDIGetActive());
    EXPECT_EQ(nullptr, ::GetWindow(main->m_hWndMDIClient, GW_CHILD));
}

TEST_F(MdiFrameTest, SharedMenusOutliveTheMainWindow)
{
    ASSERT_NE(nullptr, notes->OpenDocumentFile(nullptr));
    ASSERT_EQ(notes->m_hMenuShared, MainMenu());
    ::DestroyWindow(hWndMain);
    EXPECT_TRUE(::IsMenu(notes->m_hMenuShared)); // the template's, not the window's
}

// What the prompt asked the file dialog for, copied while it ran.
struct FileDialogRequest
{
    BOOL bOpen = FALSE;
    CString title;
    CString filter; // with '|' for the NULs
    DWORD nFilterIndex = 0;
    CString defaultExt;
    DWORD flags = 0;
    HWND hWndOwner = nullptr;
    CString initialName;
};

INT_PTR g_answer = IDOK;

FileDialogRequest g_request;

INT_PTR AnswerDialog(CFileDialog& dlg)
{
    const OPENFILENAME& ofn = dlg.m_ofn;
    g_request.bOpen = dlg.IsOpenFileDialog();
    g_request.title = ofn.lpstrTitle;
    g_request.filter.Empty();
    for (const char* p = ofn.lpstrFilter; p != nullptr && *p != '\0'; p += lstrlen(p) + 1)
        g_request.filter += CString(p) + "|";
    g_request.nFilterIndex = ofn.nFilterIndex;
    g_request.defaultExt = ofn.lpstrDefExt;
    g_request.flags = ofn.Flags;
    g_request.hWndOwner = ofn.hwndOwner;
    g_request.initialName = ofn.lpstrFile;
    if (g_answer != IDOK)
        return g_answer;
    lstrcpyn(ofn.lpstrFile, "C:\\drafts\\tree.skt", static_cast<int>(ofn.nMaxFile));
    return IDOK;
}

TEST_F(MdiFrameTest, FileDialogOffersEveryTemplatesFilterWithTheGivenOneFirst)
{
    CFileDialog::MODALHOOK pfnOld = CFileDialog::SetModalHook(AnswerDialog);
    g_answer = IDOK;
    CString name = "tree";
    const BOOL bChosen = app.DoPromptFileName(name, AFX_IDS_SAVEFILE, OFN_HIDEREADONLY, FALSE, sketches);
    const FileDialogRequest saved = g_request;
    g_answer = IDCANCEL;
    CString kept = "kept";
    const BOOL bCancelled = app.DoPromptFileName(kept, AFX_IDS_OPENFILE, OFN_FILEMUSTEXIST, TRUE, notes);
    CFileDialog::SetModalHook(pfnOld);

    EXPECT_TRUE(bChosen);
    EXPECT_STREQ("C:\\drafts\\tree.skt", name);
    EXPECT_FALSE(saved.bOpen);
    EXPECT_STREQ("tree", saved.initialName);
    EXPECT_STREQ("Save As", saved.title);
    EXPECT_STREQ("Sketches (*.skt)|*.skt|Notes (*.nte)|*.nte|All Files (*.*)|*.*|", saved.filter);
    EXPECT_EQ(1u, saved.nFilterIndex);
    EXPECT_STREQ("skt", saved.defaultExt);
    const DWORD asked = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_OVERWRITEPROMPT | OFN_EXPLORER;
    EXPECT_EQ(static_cast<DWORD>(OFN_HIDEREADONLY | OFN_EXPLORER), saved.flags & asked);
    EXPECT_EQ(main->m_hWnd, saved.hWndOwner);

    EXPECT_FALSE(bCancelled);
    EXPECT_STREQ("kept", kept);
    EXPECT_TRUE(g_request.bOpen);
    EXPECT_STREQ("Open", g_request.title);
    EXPECT_STREQ("Notes (*.nte)|*.nte|Sketches (*.skt)|*.skt|All Files (*.*)|*.*|", g_request.filter);
    EXPECT_EQ(1u, g_request.nFilterIndex);
    EXPECT_STREQ("nte", g_request.defaultExt);
    EXPECT_EQ(static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_EXPLORER), g_request.flags & asked);
}

int g_pickIndex = 0; // -1: cancel

void CALLBACK PickNewType(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    HWND hDlg = ::FindWindow("#32770", "New");
    if (hDlg == nullptr)
        return;
    ::KillTimer(nullptr, nIDEvent);
    if (g_pickIndex < 0) {
        ::PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    ::SendDlgItemMessage(hDlg, AFX_IDC_NEWTYPE_LIST, LB_SETCURSEL, static_cast<WPARAM>(g_pickIndex), 0);
    ::PostMessage(hDlg, WM_COMMAND, IDOK, 0);
}

TEST_F(MdiFrameTest, FileNewAsksWhichKindOfDocument)
{
    g_pickIndex = 1;
    ::SetTimer(nullptr, 0, 20, PickNewType);
    app.OnFileNew();
    EXPECT_EQ(0, notes->GetDocumentCount());
    ASSERT_EQ(1, sketches->GetDocumentCount());
    EXPECT_EQ("Lorvane5 - Sketch1", WindowText(main));

    g_pickIndex = -1;
    ::SetTimer(nullptr, 0, 20, PickNewType);
    app.OnFileNew();
    EXPECT_EQ(0, notes->GetDocumentCount());
    EXPECT_EQ(1, sketches->GetDocumentCount());
}

} // namespace

namespace {

// The main frame previews a child's view: its commands reach the preview before any child, and a child
// activated meanwhile does not bring the menu back before the preview ends.
TEST_F(MdiFrameTest, APreviewHoldsTheMainFrameUntilItCloses)
{
    CPrintDialog probe(FALSE);
    if (!probe.GetDefaults())
        GTEST_SKIP() << "no default printer";
    CDocument* note = notes->OpenDocumentFile(nullptr);
    CDocument* sketch = sketches->OpenDocumentFile(nullptr);
    ASSERT_TRUE(note != nullptr && sketch != nullptr);
    const HMENU hMenuBefore = MainMenu();
    FirstViewOf(sketch)->OnFilePrintPreview();
    auto* pPreview = dynamic_cast<CPreviewView*>(main->GetActiveView());
    ASSERT_NE(nullptr, pPreview);
    EXPECT_EQ(main, pPreview->GetParentFrame());
    EXPECT_EQ(nullptr, MainMenu());
    EXPECT_FALSE(::IsWindowVisible(main->m_hWndMDIClient));

    main->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN, 0);
    EXPECT_EQ(static_cast<UINT>(CPreviewView::ZOOM_MIDDLE), pPreview->GetZoomState());
    main->MDIActivate(ChildOf(note));
    main->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(nullptr, MainMenu());

    main->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0);
    EXPECT_EQ(nullptr, main->GetActiveView());
    EXPECT_TRUE(::IsWindowVisible(main->m_hWndMDIClient));
    EXPECT_EQ(hMenuBefore, MainMenu());
    EXPECT_EQ(AFX_IDW_PANE_FIRST, ::GetDlgCtrlID(main->m_hWndMDIClient));
    // Then the menu follows the child that became active meanwhile.
    main->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(notes->m_hMenuShared, MainMenu());
}

} // namespace
