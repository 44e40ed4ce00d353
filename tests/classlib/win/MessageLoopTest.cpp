// The thread's loop: idle calls while the queue is empty, PreTranslateMessage on the way up the window
// tree, the exit code of WM_QUIT; the library's modal loop with WM_KICKIDLE and the message filter.
#include "WndTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const UINT WM_TEST_STEP = WM_APP + 1;
const UINT WM_TEST_END = WM_APP + 2;

class LoopWindow : public CWnd
{
public:
    std::vector<UINT> preTranslated;
    std::vector<LPARAM> steps;
    std::vector<LPARAM> kickIdles;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_APP)
            preTranslated.push_back(pMsg->message);
        return CWnd::PreTranslateMessage(pMsg);
    }
    LRESULT OnStep(WPARAM, LPARAM lParam)
    {
        steps.push_back(lParam);
        return 0;
    }
    LRESULT OnEnd(WPARAM wParam, LPARAM)
    {
        if (m_nFlags & WF_MODALLOOP)
            EndModalLoop(static_cast<int>(wParam));
        else
            ::PostQuitMessage(static_cast<int>(wParam));
        return 0;
    }
    LRESULT OnKickIdle(WPARAM wParam, LPARAM lParam)
    {
        EXPECT_EQ(static_cast<WPARAM>(MSGF_DIALOGBOX), wParam);
        kickIdles.push_back(lParam);
        return lParam < 2; // three idle calls, then wait
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LoopWindow, CWnd)
ON_MESSAGE(WM_TEST_STEP, OnStep)
ON_MESSAGE(WM_TEST_END, OnEnd)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class MessageLoopTest : public ::testing::Test
{
protected:
    RecordingApp app;
    LoopWindow wnd;
    CWnd child;

    void SetUp() override
    {
        PumpPending();
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "Loop", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
        ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &wnd, 3));
    }
    void TearDown() override
    {
        app.m_pMainWnd = nullptr;
        wnd.DestroyWindow();
        PumpPending();
    }
};

TEST_F(MessageLoopTest, RunIdlesPreTranslatesAndEndsWithTheQuitCode)
{
    app.m_pMainWnd = &wnd;
    wnd.PostMessage(WM_TEST_STEP, 0, 1);
    // Posted to the child: the walk up the tree offers it to the parent too.
    ::PostMessage(child.m_hWnd, WM_TEST_STEP, 0, 2);
    wnd.PostMessage(WM_TEST_END, 7);
    EXPECT_EQ(7, app.Run());

    EXPECT_EQ((std::vector<LPARAM>{1}), wnd.steps); // the child has no handler
    EXPECT_EQ((std::vector<UINT>{WM_TEST_STEP, WM_TEST_STEP, WM_TEST_END}), wnd.preTranslated);
    // The queue was not empty at first: no idle call before the messages.
    EXPECT_TRUE(app.idleCounts.empty());
}

TEST_F(MessageLoopTest, RunCallsOnIdleWithRisingCountsWhileTheQueueIsEmpty)
{
    app.m_pMainWnd = &wnd;
    // After the message the queue is empty: idle runs 0 (more wanted), then 1 (temporaries freed).
    wnd.PostMessage(WM_TEST_STEP, 0, 1);
    ::SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        ::PostQuitMessage(3);
    });
    EXPECT_EQ(3, app.Run());
    ASSERT_GE(app.idleCounts.size(), 2u);
    EXPECT_EQ(0, app.idleCounts[0]);
    EXPECT_EQ(1, app.idleCounts[1]);
}

TEST_F(MessageLoopTest, ModalLoopKicksIdleAndOffersMessagesToTheFilter)
{
    wnd.PostMessage(WM_TEST_STEP, 0, 5);
    wnd.PostMessage(WM_TEST_END, 42);
    EXPECT_EQ(42, wnd.RunModalLoop());
    EXPECT_EQ((std::vector<LPARAM>{5}), wnd.steps);
    EXPECT_TRUE(app.WasFiltered(MSGF_DIALOGBOX, WM_TEST_STEP));
    EXPECT_TRUE(app.WasFiltered(MSGF_DIALOGBOX, WM_TEST_END));
    EXPECT_FALSE(wnd.m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL));

    // With an empty queue the loop idles first (WM_KICKIDLE 0, 1, 2), then waits for its message.
    wnd.kickIdles.clear();
    ::SetTimer(wnd.m_hWnd, 3, 30, [](HWND hWnd, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(hWnd, id);
        ::PostMessage(hWnd, WM_TEST_END, 9, 0);
    });
    EXPECT_EQ(9, wnd.RunModalLoop());
    ASSERT_GE(wnd.kickIdles.size(), 3u);
    EXPECT_EQ((std::vector<LPARAM>{0, 1, 2}),
              std::vector<LPARAM>(wnd.kickIdles.begin(), wnd.kickIdles.begin() + 3));
}

TEST_F(MessageLoopTest, SystemModalLoopsReachTheFilterThroughTheHook)
{
    AfxInstallMessageFilter();
    // A message box's own loop: its messages come to the filter with the dialog code.
    ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        HWND hBox = ::FindWindow("#32770", "Filter test");
        if (hBox != nullptr)
            ::PostMessage(hBox, WM_COMMAND, IDOK, 0);
    });
    ::MessageBox(nullptr, "Text", "Filter test", MB_OK);
    EXPECT_TRUE(app.WasFiltered(MSGF_DIALOGBOX, WM_TIMER) || app.WasFiltered(MSGF_DIALOGBOX, WM_COMMAND));
}

} // namespace
