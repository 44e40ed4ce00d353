// A single frame: titles, bar layout (at once and delayed to idle time, never re-entered), status
// prompts, the close hook and closing documents with their frame.
#include "FrameTestSupport.h"

#include "classlib/win/MiniFrameWnd.h"

#include <gtest/gtest.h>

namespace {

// A bar that takes a fixed height at the top of its frame and counts the layouts it saw.
class TopBar : public CWnd
{
public:
    int m_nLayouts = 0;
    CFrameWnd* m_pReenter = nullptr; // asks its frame to lay out again from inside the layout
    LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        ++m_nLayouts;
        if (m_pReenter != nullptr)
            m_pReenter->RecalcLayout();
        auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.right, pLayout->rect.top + 20);
        AfxRepositionWindow(pLayout, m_hWnd, &rect);
        pLayout->rect.top += 20;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TopBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

BOOL CALLBACK RefuseClose(CFrameWnd*)
{
    g_frameTrace += "close proc;";
    return FALSE;
}

class FrameWndTest : public ::testing::Test
{
protected:
    FrameApp app;
    CMessageBoxScript boxes;
    CFrameWnd* frame = nullptr;
    HWND hWndFrame = nullptr;
    TraceDoc* doc = nullptr;

    void Make(DWORD dwStyle)
    {
        doc = new TraceDoc;
        doc->SetTitle("Report");
        CCreateContext context;
        context.m_pCurrentDoc = doc;
        context.m_pNewViewClass = RUNTIME_CLASS(TraceView);
        frame = new CFrameWnd;
        ASSERT_TRUE(
            frame->Create(nullptr, "Editor", dwStyle, CRect(0, 0, 400, 300), nullptr, nullptr, 0, &context));
        hWndFrame = frame->m_hWnd;
        frame->InitialUpdateFrame(doc, TRUE);
    }
    void SetUp() override { g_frameTrace.clear(); }
    void TearDown() override
    {
        if (::IsWindow(hWndFrame))
            ::DestroyWindow(hWndFrame);
        app.m_pMainWnd = nullptr;
        PumpPending();
    }
    CRect ViewRect() const
    {
        CRect rect;
        frame->GetActiveView()->GetWindowRect(&rect);
        frame->ScreenToClient(&rect);
        return rect;
    }
};

TEST_F(FrameWndTest, TitleAddsTheActiveDocument)
{
    Make(WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE);
    EXPECT_EQ("Editor - Report", WindowText(frame));
    doc->SetTitle("Summary");
    EXPECT_EQ("Editor - Summary", WindowText(frame));
    EXPECT_EQ(1, FirstViewOf(doc)->m_initialUpdates);
    EXPECT_EQ(doc, frame->GetActiveDocument());
}

TEST_F(FrameWndTest, PrefixTitleAndFramesWithoutAddToTitle)
{
    Make(WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | FWS_PREFIXTITLE);
    EXPECT_EQ("Report - Editor", WindowText(frame));
    ::DestroyWindow(hWndFrame);
    Make(WS_OVERLAPPEDWINDOW);
    EXPECT_EQ("Editor", WindowText(frame));
}

TEST_F(FrameWndTest, BarsTakeTheirRoomAndThePaneTheRest)
{
    Make(WS_OVERLAPPEDWINDOW);
    TopBar bar;
    ASSERT_TRUE(
        bar.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), frame, AFX_IDW_TOOLBAR));
    frame->RecalcLayout();
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_EQ(CRect(0, 20, client.right, client.bottom), ViewRect());
    EXPECT_EQ(1, bar.m_nLayouts);

    // Delayed: nothing until the idle update.
    frame->DelayRecalcLayout();
    EXPECT_EQ(1, bar.m_nLayouts);
    frame->SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_EQ(2, bar.m_nLayouts);
    frame->SendMessage(WM_IDLEUPDATECMDUI);
    EXPECT_EQ(2, bar.m_nLayouts); // done once

    // A layout asked for from inside a layout does not start another.
    bar.m_pReenter = frame;
    frame->RecalcLayout();
    EXPECT_EQ(3, bar.m_nLayouts);
    bar.m_pReenter = nullptr;
    bar.DestroyWindow();
}

TEST_F(FrameWndTest, StatusPromptsShowTheFirstLineOfTheCommandsString)
{
    Make(WS_OVERLAPPEDWINDOW);
    CWnd status;
    ASSERT_TRUE(status.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), frame,
                                AFX_IDW_STATUS_BAR));
    frame->SendMessage(WM_SETMESSAGESTRING, ID_FILE_NEW);
    EXPECT_EQ("Create a new document", WindowText(&status));
    frame->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>("Counting..."));
    EXPECT_EQ("Counting...", WindowText(&status));

    // Menu selection shows the item's prompt; the closed menu the idle prompt.
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_SAVE, MF_STRING), 0);
    EXPECT_EQ("Save the active document", WindowText(&status));
    frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ("Ready", WindowText(&status));
}

TEST_F(FrameWndTest, CloseHookAndTheDocumentsLastFrame)
{
    Make(WS_OVERLAPPEDWINDOW);
    frame->m_lpfnCloseProc = RefuseClose;
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ("close proc;", g_frameTrace);
    EXPECT_TRUE(::IsWindow(hWndFrame));

    frame->m_lpfnCloseProc = nullptr;
    const int nDestroyed = TraceDoc::s_destroyed;
    frame->SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hWndFrame));
    EXPECT_EQ(nDestroyed + 1, TraceDoc::s_destroyed);
}

TEST_F(FrameWndTest, TheMainWindowAsksOnceForItsModifiedDocument)
{
    Make(WS_OVERLAPPEDWINDOW);
    app.m_pMainWnd = frame;
    doc->SetModifiedFlag();
    const int nDestroyed = TraceDoc::s_destroyed;
    boxes.PushAnswer(IDNO);
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(1, boxes.CallCount());
    EXPECT_FALSE(::IsWindow(hWndFrame));
    EXPECT_EQ(nDestroyed + 1, TraceDoc::s_destroyed);
    EXPECT_EQ(nullptr, app.m_pMainWnd);
}

TEST_F(FrameWndTest, ActivateFrameShowsAndRestores)
{
    doc = new TraceDoc;
    CCreateContext context;
    context.m_pCurrentDoc = doc;
    context.m_pNewViewClass = RUNTIME_CLASS(TraceView);
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Hidden", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, nullptr,
                              0, &context));
    hWndFrame = frame->m_hWnd;
    frame->InitialUpdateFrame(doc, FALSE);
    EXPECT_FALSE(frame->IsWindowVisible());
    frame->ActivateFrame();
    EXPECT_TRUE(frame->IsWindowVisible());
    frame->ShowWindow(SW_MINIMIZE);
    frame->ActivateFrame();
    EXPECT_FALSE(frame->IsIconic());
}

TEST_F(FrameWndTest, MiniFrameIsAToolWindowOwnedByItsParent)
{
    Make(WS_OVERLAPPEDWINDOW);
    CMiniFrameWnd* mini = new CMiniFrameWnd;
    ASSERT_TRUE(mini->Create(nullptr, "Palette", WS_POPUP | WS_CAPTION | MFS_THICKFRAME | MFS_SYNCACTIVE,
                             CRect(10, 10, 110, 110), frame));
    EXPECT_TRUE(mini->GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(mini->GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(hWndFrame, ::GetWindow(mini->m_hWnd, GW_OWNER));
    mini->DestroyWindow(); // deletes itself
}

} // namespace
