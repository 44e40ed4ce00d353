// The progress window behind ProgressDialog, driven by messages as a user would: when it shows, its bar,
// Stop, Esc and Enter, a quit message during the work, and the owner and wait cursor afterwards.
#include "classlib/win/WndTestSupport.h"

#include "app/core/ProgressDialog.h"
#include "app/core/win/ProgressWindow.h"
#include "classlib/MessageBox.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

const UINT kCaptionID = 5250; // "Searching Database..."

DWORD g_now = 0;
DWORD TestClock()
{
    return g_now;
}

class ProgressWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previousFactory = SetProgressDisplayFactory(MakeProgressWindow);
        m_previousClock = SetProgressClock(TestClock);
        g_now = 1000;
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                                     nullptr, nullptr));
        m_app.m_pMainWnd = &m_owner;
    }
    void TearDown() override
    {
        SetProgressDisplayFactory(m_previousFactory);
        SetProgressClock(m_previousClock);
        m_app.m_pMainWnd = nullptr;
        m_owner.DestroyWindow();
        PumpPending();
    }
    static HWND Window() { return ::FindWindow(MAKEINTATOM(0x8002), "Searching Database..."); }
    static int BarPos() { return static_cast<int>(::SendDlgItemMessage(Window(), 2209, PBM_GETPOS, 0, 0)); }

    RecordingApp m_app;
    CWnd m_owner;
    ProgressDisplayFactory m_previousFactory = nullptr;
    ProgressClock m_previousClock = nullptr;
};

TEST_F(ProgressWindowTest, ShowsOnlyForSlowWorkStillBelowAFifth)
{
    const struct
    {
        int firstPos;  // done before the time runs out
        DWORD elapsed; // at the next SetPos
        BOOL shown;
        BOOL laterShown; // after a further step, 5 s on
    } cases[] = {
        {10, 600, TRUE, TRUE},   // 10 % after 600 ms
        {25, 600, FALSE, FALSE}, // a quarter done: ends soon, never shown
        {10, 500, FALSE, TRUE},  // not yet past 500 ms: decided at the next step, still at 11 %
        {19, 501, TRUE, TRUE},   {20, 501, FALSE, FALSE},
    };
    for (const auto& c : cases) {
        g_now = 1000;
        auto* pDialog = new ProgressDialog(0, 100, kCaptionID);
        ASSERT_NE(nullptr, Window());
        EXPECT_FALSE(::IsWindowVisible(Window())) << "hidden at first";
        EXPECT_TRUE(pDialog->SetPos(c.firstPos));
        g_now += c.elapsed;
        EXPECT_TRUE(pDialog->SetPos(c.firstPos + 1));
        EXPECT_EQ(c.shown, ::IsWindowVisible(Window())) << c.firstPos << " at " << c.elapsed;
        // The decision is taken once, at the first step past the time.
        g_now += 5000;
        pDialog->SetPos(c.firstPos + 2);
        EXPECT_EQ(c.laterShown, ::IsWindowVisible(Window())) << c.firstPos;
        delete pDialog;
        EXPECT_EQ(nullptr, Window());
    }
}

TEST_F(ProgressWindowTest, TheBarFollowsTheWorkAndTheOwnerWaits)
{
    const int nCursorsBefore = AfxGetWaitCursorCount();
    auto* pDialog = new ProgressDialog(0, 3, kCaptionID);
    EXPECT_FALSE(::IsWindowEnabled(m_owner.m_hWnd)) << "nothing else starts meanwhile";
    EXPECT_EQ(nCursorsBefore + 1, AfxGetWaitCursorCount());
    const struct
    {
        int pos;
        int bar;
    } steps[] = {{0, 0}, {1, 3333}, {2, 6666}, {3, 10000}};
    for (const auto& s : steps) {
        EXPECT_TRUE(pDialog->SetPos(s.pos));
        EXPECT_EQ(s.bar, BarPos()) << s.pos;
    }
    delete pDialog;
    EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd));
    EXPECT_EQ(nCursorsBefore, AfxGetWaitCursorCount());
}

TEST_F(ProgressWindowTest, StopAndEscapeAskToStopAndEnterDoesNothing)
{
    const struct
    {
        const char* what;
        UINT message;
        WPARAM wParam;
        bool toButton; // posted to the Stop button rather than to the window
        BOOL goesOn;
    } cases[] = {
        {"Stop clicked", BM_CLICK, 0, true, FALSE},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, true, FALSE},
        {"Enter", WM_KEYDOWN, VK_RETURN, true, TRUE},
        {"Stop command", WM_COMMAND, IDCANCEL, false, FALSE},
    };
    for (const auto& c : cases) {
        auto* pDialog = new ProgressDialog(0, 10, kCaptionID);
        HWND hWnd = Window();
        ASSERT_NE(nullptr, hWnd);
        EXPECT_TRUE(pDialog->SetPos(1));
        ::PostMessage(c.toButton ? ::GetDlgItem(hWnd, IDCANCEL) : hWnd, c.message, c.wParam, 0);
        EXPECT_EQ(c.goesOn, pDialog->SetPos(2)) << c.what;
        EXPECT_TRUE(::IsWindow(hWnd)) << c.what << ": the window stays until the work ends";
        EXPECT_EQ(c.goesOn, pDialog->SetPos(3)) << c.what << ": a stop is never taken back";
        delete pDialog;
        EXPECT_FALSE(::IsWindow(hWnd));
        EXPECT_TRUE(::IsWindowEnabled(m_owner.m_hWnd)) << c.what;
    }
}

TEST_F(ProgressWindowTest, AQuitDuringTheWorkIsPostedAgain)
{
    auto* pDialog = new ProgressDialog(0, 10, kCaptionID);
    ::PostMessage(m_owner.m_hWnd, WM_NULL, 0, 0);
    ::PostQuitMessage(7);
    EXPECT_TRUE(pDialog->SetPos(1));
    delete pDialog;
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program still ends";
    EXPECT_EQ(0u, msg.wParam);
}

} // namespace
