// Tooltips of child controls: the hit test names the control, the thread's tooltip control learns the
// tool as the mouse moves over it, and the text comes from the second part of the command's string.
#include "WndTestSupport.h"

#include "classlib/win/Button.h"
#include "classlib/win/ThreadState.h"
#include "classlib/win/ToolTipCtrl.h"

#include <gtest/gtest.h>

namespace {

class ToolTipTest : public ::testing::Test
{
protected:
    RecordingApp app;
    CWnd owner;
    CButton newButton;
    CButton plainButton;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Tips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                   nullptr, nullptr));
        ASSERT_TRUE(
            newButton.Create("New", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 40), &owner, ID_FILE_NEW));
        ASSERT_TRUE(plainButton.Create("Plain", WS_CHILD | WS_VISIBLE, CRect(70, 10, 120, 40), &owner, 1234));
        owner.EnableToolTips(TRUE);
    }
    void TearDown() override
    {
        CWnd::CancelToolTips();
        owner.DestroyWindow();
        PumpPending();
    }
    MSG MouseMoveAt(CWnd* pWnd, CPoint client, DWORD time)
    {
        MSG msg = {};
        msg.hwnd = pWnd->m_hWnd;
        msg.message = WM_MOUSEMOVE;
        msg.lParam = MAKELPARAM(client.x, client.y);
        msg.time = time;
        POINT screen = client;
        pWnd->ClientToScreen(&screen);
        msg.pt = screen;
        return msg;
    }
};

TEST_F(ToolTipTest, HitTestNamesTheChildControl)
{
    TOOLINFO ti = {};
    EXPECT_EQ(ID_FILE_NEW, owner.OnToolHitTest(CPoint(20, 20), &ti));
    EXPECT_EQ(owner.m_hWnd, ti.hwnd);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(newButton.m_hWnd), ti.uId);
    EXPECT_TRUE(ti.uFlags & TTF_IDISHWND);
    EXPECT_EQ(LPSTR_TEXTCALLBACK, ti.lpszText);
    EXPECT_EQ(-1, owner.OnToolHitTest(CPoint(200, 150), nullptr));
}

TEST_F(ToolTipTest, TextComesFromTheSecondPartOfTheCommandString)
{
    EXPECT_STREQ("New", AfxLoadToolTipText(ID_FILE_NEW));
    EXPECT_STREQ("", AfxLoadToolTipText(ID_INDICATOR_CAPS)); // a string without a tip
    EXPECT_STREQ("", AfxLoadToolTipText(1234));              // no string at all

    TOOLTIPTEXTA ttt = {};
    ttt.hdr.hwndFrom = owner.m_hWnd;
    ttt.hdr.idFrom = reinterpret_cast<UINT_PTR>(newButton.m_hWnd);
    ttt.hdr.code = TTN_NEEDTEXTA;
    ttt.uFlags = TTF_IDISHWND;
    owner.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ttt));
    EXPECT_STREQ("New", ttt.lpszText);
}

TEST_F(ToolTipTest, MouseMovesInstallTheToolInTheThreadsTooltip)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    ASSERT_NE(nullptr, pState->m_pfnFilterToolTipMessage);

    // Over the button: the message goes through the pre-translation walk, as the loop does it.
    MSG msg = MouseMoveAt(&newButton, CPoint(5, 5), 1000);
    CWnd::WalkPreTranslateTree(owner.m_hWnd, &msg);
    ASSERT_NE(nullptr, pState->m_pToolTip);
    CToolTipCtrl* pTip = pState->m_pToolTip;
    EXPECT_EQ(1, pTip->GetToolCount());
    TOOLINFO ti;
    ASSERT_TRUE(pTip->GetToolInfo(ti, &newButton));
    EXPECT_EQ(owner.m_hWnd, ti.hwnd);
    // The control asks the owner for the text of a callback tool.
    CString text;
    pTip->GetText(text, &newButton);
    EXPECT_STREQ("New", text);

    // Off every control: the tool goes.
    msg = MouseMoveAt(&owner, CPoint(250, 150), 1010);
    CWnd::WalkPreTranslateTree(owner.m_hWnd, &msg);
    EXPECT_EQ(0, pTip->GetToolCount());

    // With tips off no tool is installed.
    owner.EnableToolTips(FALSE);
    msg = MouseMoveAt(&newButton, CPoint(5, 5), 1020);
    CWnd::WalkPreTranslateTree(owner.m_hWnd, &msg);
    EXPECT_EQ(0, pTip->GetToolCount());
}

} // namespace
