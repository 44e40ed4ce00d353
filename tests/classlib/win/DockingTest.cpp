// Bars docked in rows on a frame's sides, floated in mini frames, shown and hidden, and dragged by the
// mouse messages the dock context's loop reads.
#include "DockingTestSupport.h"
#include "FrameTestSupport.h"

#include "classlib/CmdUI.h"
#include "classlib/Resources.h"
#include "classlib/win/DialogBar.h"
#include "classlib/win/DialogTemplate.h"

#include <gtest/gtest.h>

namespace {

class DockingTest : public ::testing::Test, public DockingFixture
{
protected:
    RecordingApp app;

    void SetUp() override
    {
        MakeFrame(app);
        MakeBars();
    }
    void TearDown() override { Destroy(); }

    CMiniDockFrameWnd* FloatingFrameOf(CControlBar* pBar) const
    {
        if (!pBar->IsFloating())
            return nullptr;
        return static_cast<CMiniDockFrameWnd*>(AfxGetParentFrame(pBar->m_pDockBar));
    }
};

// Neighbours overlap by twice the border width and the first row and bar start that much before the
// edge (2 pixels here, as on every Windows since 4.0).
TEST_F(DockingTest, BarsOfOneRowOverlapAndWrapWhenTheFrameNarrows)
{
    ASSERT_EQ(2, AfxBarBorder2X());
    DockInOneRow();
    CDockBar* pTop = Side(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ((std::vector<int>{0, 1, 2, -1}), Entries(pTop));
    EXPECT_EQ(CRect(-2, -2, 98, 24), RectInParent(bars[0]));
    EXPECT_EQ(CRect(96, -2, 196, 24), RectInParent(bars[1]));
    EXPECT_EQ(CRect(194, -2, 294, 24), RectInParent(bars[2]));
    // One row of 26 less the overlap, plus the dock bar's own bottom border.
    EXPECT_EQ(CRect(0, 0, 480, 24), RectInParent(pTop));
    EXPECT_EQ(CRect(0, 24, 480, 280), RectInParent(pane));

    // 190 pixels: the third bar would start beyond the end and opens a second row; the second one is
    // cut, not moved.
    CRect rect;
    frame->GetWindowRect(&rect);
    frame->SetWindowPos(nullptr, 0, 0, rect.Width() - (480 - 190), rect.Height(),
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ((std::vector<int>{0, 1, -1, 2, -1}), Entries(pTop));
    EXPECT_EQ(CRect(96, -2, 196, 24), RectInParent(bars[1]));
    EXPECT_EQ(CRect(-2, 22, 98, 48), RectInParent(bars[2]));
    EXPECT_EQ(CRect(0, 0, 190, 48), RectInParent(pTop));
    EXPECT_EQ(CRect(0, 48, 190, 280), RectInParent(pane));
}

TEST_F(DockingTest, BarsOnEachSideTakeTheirRoomAroundThePane)
{
    frame->DockControlBar(bars[0], AFX_IDW_DOCKBAR_TOP);
    frame->DockControlBar(bars[1], AFX_IDW_DOCKBAR_LEFT);
    frame->DockControlBar(bars[2], AFX_IDW_DOCKBAR_BOTTOM);
    frame->RecalcLayout();
    EXPECT_EQ(CBRS_ALIGN_LEFT, bars[1]->GetBarStyle() & CBRS_ALIGN_ANY);
    // The left bar lies turned: 26 wide, 100 high.
    EXPECT_EQ(CRect(-2, -2, 24, 98), RectInParent(bars[1]));
    EXPECT_EQ(CRect(0, 24, 24, 256), RectInParent(Side(AFX_IDW_DOCKBAR_LEFT)));
    EXPECT_EQ(CRect(0, 256, 480, 280), RectInParent(Side(AFX_IDW_DOCKBAR_BOTTOM)));
    EXPECT_EQ(CRect(24, 24, 480, 256), RectInParent(pane));
}

TEST_F(DockingTest, AFloatedBarLeavesItsPlaceholderAndReDocksIntoIt)
{
    DockInOneRow();
    CDockBar* pTop = Side(AFX_IDW_DOCKBAR_TOP);
    const CRect rectBefore = RectInParent(bars[1]);
    frame->FloatControlBar(bars[1], CPoint(300, 300), CBRS_ALIGN_TOP);
    ASSERT_TRUE(bars[1]->IsFloating());
    EXPECT_EQ((std::vector<int>{0, 101, 2, -1}), Entries(pTop));
    frame->RecalcLayout();
    // The bar after it keeps its place.
    EXPECT_EQ(CRect(194, -2, 294, 24), RectInParent(bars[2]));

    frame->ReDockControlBar(bars[1], nullptr);
    frame->RecalcLayout();
    EXPECT_FALSE(bars[1]->IsFloating());
    EXPECT_EQ((std::vector<int>{0, 1, 2, -1}), Entries(pTop));
    EXPECT_EQ(rectBefore, RectInParent(bars[1]));

    // Taking a bar out with a placeholder, then without: the row goes with its last entry.
    pTop->RemoveControlBar(bars[0], -1, 1);
    EXPECT_EQ((std::vector<int>{100, 1, 2, -1}), Entries(pTop));
    pTop->RemovePlaceHolder(bars[0]);
    EXPECT_EQ((std::vector<int>{1, 2, -1}), Entries(pTop));
    frame->DockControlBar(bars[0], AFX_IDW_DOCKBAR_TOP);
    pTop->RemoveControlBar(bars[0]);
    EXPECT_EQ((std::vector<int>{1, 2, -1}), Entries(pTop));
}

TEST_F(DockingTest, DelayedHideAndShowHappenAtTheNextIdle)
{
    frame->DockControlBar(bars[0], AFX_IDW_DOCKBAR_BOTTOM);
    frame->DockControlBar(bars[1], AFX_IDW_DOCKBAR_TOP);
    frame->DockControlBar(bars[2], AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    EXPECT_EQ(CRect(0, 48, 480, 256), RectInParent(pane));

    struct Step
    {
        int nBar;
        BOOL bShow;
        CRect rectPane;
    } steps[] = {
        {0, FALSE, CRect(0, 48, 480, 280)}, // the bottom side empties
        {1, FALSE, CRect(0, 24, 480, 280)}, // one top row goes
        {0, TRUE, CRect(0, 24, 480, 256)},
        {1, TRUE, CRect(0, 48, 480, 256)},
    };
    for (const Step& step : steps) {
        TestBar* pBar = bars[step.nBar];
        frame->ShowControlBar(pBar, step.bShow, TRUE);
        EXPECT_EQ(step.bShow, pBar->IsVisible());
        EXPECT_NE(step.bShow, pBar->IsWindowVisible()) << "not before the idle time";
        app.OnIdle(0);
        EXPECT_EQ(step.bShow, pBar->IsWindowVisible());
        EXPECT_EQ(step.rectPane, RectInParent(pane)) << step.nBar << step.bShow;
    }
    // The idle update reaches every visible bar.
    EXPECT_GT(bars[2]->m_nUpdates, 0);
}

// --- dragging

enum class Drop
{
    LeftSide,
    Middle,
};

class DragTest : public DockingTest
{
protected:
    // Screen point of the frame's client area.
    CPoint ClientPoint(int x, int y) const
    {
        CPoint point(x, y);
        frame->ClientToScreen(&point);
        return point;
    }
    static LPARAM BarPoint(CWnd* pBar, CPoint screen)
    {
        pBar->ScreenToClient(&screen);
        return MAKELPARAM(screen.x, screen.y);
    }
    // Presses on the bar, moves to the screen point and ends with the message given.
    void Drag(CControlBar* pBar, CPoint target, UINT nEnd, WPARAM wEnd = 0)
    {
        pBar->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        CPoint start(10, 10);
        pBar->ClientToScreen(&start);
        pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON,
                          BarPoint(pBar, CPoint((start.x + target.x) / 2, (start.y + target.y) / 2)));
        pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(pBar, target));
        if (nEnd == WM_KEYDOWN)
            pBar->PostMessage(WM_KEYDOWN, wEnd, 0);
        else
            pBar->PostMessage(nEnd, nEnd == WM_LBUTTONUP ? 0 : MK_RBUTTON, BarPoint(pBar, target));
        pBar->PostMessage(WM_LBUTTONUP, 0, BarPoint(pBar, target)); // after a cancel: an ordinary release
        PumpPending();
    }
};

TEST_F(DragTest, DroppedOverTheLeftSideTheBarDocksThere)
{
    DockInOneRow();
    Drag(bars[0], ClientPoint(3, 140), WM_LBUTTONUP);
    EXPECT_EQ(Side(AFX_IDW_DOCKBAR_LEFT), bars[0]->m_pDockBar);
    EXPECT_EQ(CBRS_ALIGN_LEFT, bars[0]->GetBarStyle() & CBRS_ALIGN_ANY);
    EXPECT_EQ((std::vector<int>{0, -1}), Entries(Side(AFX_IDW_DOCKBAR_LEFT)));
    // Another side keeps no place for it: only a floating frame does.
    EXPECT_EQ((std::vector<int>{1, 2, -1}), Entries(Side(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, bars[0]->m_pDockContext->m_uMRUDockID);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(DragTest, DroppedInTheMiddleTheBarFloatsAndADoubleClickDocksItBack)
{
    DockInOneRow();
    const CRect rectDocked = RectInParent(bars[1]);
    const CPoint target = ClientPoint(240, 150);
    Drag(bars[1], target, WM_LBUTTONUP);
    CMiniDockFrameWnd* pFloat = FloatingFrameOf(bars[1]);
    ASSERT_NE(nullptr, pFloat);
    const HWND hWndFloat = pFloat->m_hWnd;
    EXPECT_TRUE(pFloat->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
    EXPECT_EQ("Bar Two", WindowText(pFloat));
    EXPECT_TRUE(pFloat->IsWindowVisible());
    EXPECT_TRUE(bars[1]->GetBarStyle() & CBRS_FLOATING);
    // The frame is where the feedback was, the cursor at the same place in the bar as at the press.
    CRect rectBar;
    bars[1]->GetWindowRect(&rectBar);
    EXPECT_TRUE(rectBar.PtInRect(target));
    EXPECT_EQ((std::vector<int>{0, 101, 2, -1}), Entries(Side(AFX_IDW_DOCKBAR_TOP)));
    // The caption says which bar it holds and closing it only hides.
    HMENU hSysMenu = ::GetSystemMenu(pFloat->m_hWnd, FALSE);
    EXPECT_EQ(-1, ::GetMenuState(hSysMenu, SC_SIZE, MF_BYCOMMAND));
    char close[32] = {};
    ::GetMenuString(hSysMenu, SC_CLOSE, close, sizeof close, MF_BYCOMMAND);
    EXPECT_STREQ("Hide", close);

    bars[1]->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(Side(AFX_IDW_DOCKBAR_TOP), bars[1]->m_pDockBar);
    EXPECT_EQ((std::vector<int>{0, 1, 2, -1}), Entries(Side(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_EQ(rectDocked, RectInParent(bars[1]));
    EXPECT_FALSE(::IsWindow(hWndFloat)) << "the empty floating frame is gone";

    // A second double click floats it where it floated before.
    bars[1]->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_TRUE(bars[1]->IsFloating());
    CRect rectFrame;
    FloatingFrameOf(bars[1])->GetWindowRect(&rectFrame);
    EXPECT_EQ(bars[1]->m_pDockContext->m_ptMRUFloatPos, rectFrame.TopLeft());
}

TEST_F(DragTest, ClosingTheFloatingFrameHidesItsBar)
{
    frame->DockControlBar(bars[0], AFX_IDW_DOCKBAR_TOP);
    frame->FloatControlBar(bars[0], ClientPoint(200, 100), CBRS_ALIGN_TOP);
    CMiniDockFrameWnd* pFloat = FloatingFrameOf(bars[0]);
    ASSERT_NE(nullptr, pFloat);
    pFloat->SendMessage(WM_CLOSE);
    ASSERT_TRUE(::IsWindow(pFloat->m_hWnd));
    EXPECT_FALSE(pFloat->IsWindowVisible());
    EXPECT_FALSE(bars[0]->IsWindowVisible());
    EXPECT_TRUE(bars[0]->IsFloating());
    frame->ShowControlBar(bars[0], TRUE, FALSE);
    EXPECT_TRUE(pFloat->IsWindowVisible());
}

TEST_F(DragTest, EscapeOrTheRightButtonLeavesEverythingAsItWas)
{
    const struct
    {
        UINT nEnd;
        WPARAM wEnd;
    } cancels[] = {{WM_KEYDOWN, VK_ESCAPE}, {WM_RBUTTONDOWN, 0}};
    DockInOneRow();
    for (const auto& cancel : cancels) {
        const CRect rectBefore = RectInParent(bars[0]);
        Drag(bars[0], ClientPoint(240, 150), cancel.nEnd, cancel.wEnd);
        EXPECT_EQ(Side(AFX_IDW_DOCKBAR_TOP), bars[0]->m_pDockBar) << cancel.nEnd;
        EXPECT_EQ((std::vector<int>{0, 1, 2, -1}), Entries(Side(AFX_IDW_DOCKBAR_TOP)));
        EXPECT_EQ(rectBefore, RectInParent(bars[0]));
        EXPECT_FALSE(bars[0]->m_pDockContext->m_bDragging);
        EXPECT_EQ(nullptr, ::GetCapture());
    }
}

TEST_F(DragTest, AQuitMessageEndsTheDragAndIsPostedAgain)
{
    DockInOneRow();
    bars[0]->PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::PostQuitMessage(3);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, bars[0]->m_hWnd, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
    ::DispatchMessage(&msg);
    EXPECT_EQ(Side(AFX_IDW_DOCKBAR_TOP), bars[0]->m_pDockBar);
    EXPECT_EQ(nullptr, ::GetCapture());
    ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
}

// A bar whose floating size follows what it is given.
class SizableBar : public TestBar
{
public:
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override
    {
        if ((dwMode & LM_COMMIT) && nLength >= 0) {
            if (dwMode & LM_LENGTHY)
                m_size.cy = nLength;
            else
                m_size.cx = nLength;
        }
        return m_size;
    }
};

TEST_F(DragTest, DraggingTheFloatingFramesRightEdgeWidensItsBar)
{
    auto* pBar = new SizableBar;
    pBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pBar->Create(frame, ID_BAR_THREE + 1, "Sizable",
                             WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    pBar->m_size = CSize(160, 26); // wider than a captioned window's least width
    frame->FloatControlBar(pBar, ClientPoint(100, 100), CBRS_ALIGN_TOP);
    CMiniDockFrameWnd* pFloat = FloatingFrameOf(pBar);
    ASSERT_NE(nullptr, pFloat);
    CRect rectBefore;
    pFloat->GetWindowRect(&rectBefore);
    CPoint edge(rectBefore.right - 2, rectBefore.CenterPoint().y);
    ASSERT_EQ(HTRIGHT, pFloat->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(edge.x, edge.y)));

    pFloat->PostMessage(WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(edge.x, edge.y));
    pBar->PostMessage(WM_MOUSEMOVE, MK_LBUTTON, BarPoint(pBar, edge + CPoint(40, 0)));
    pBar->PostMessage(WM_LBUTTONUP, 0, BarPoint(pBar, edge + CPoint(40, 0)));
    PumpPending();
    EXPECT_EQ(CSize(200, 26), pBar->m_size);
    CRect rectAfter;
    pFloat->GetWindowRect(&rectAfter);
    EXPECT_EQ(rectBefore.TopLeft(), rectAfter.TopLeft());
    EXPECT_EQ(rectBefore.Width() + 40, rectAfter.Width());
    EXPECT_EQ(nullptr, ::GetCapture());
}

// With CBRS_FLYBY the status bar shows the prompt of the tool under the mouse, and the idle prompt once
// the mouse is over no tool.
TEST_F(DockingTest, FlyByPromptsFollowTheMouseOverTheBar)
{
    CWnd status;
    ASSERT_TRUE(
        status.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_STATUS_BAR));
    frame->DockControlBar(bars[0], AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    bars[0]->SetBarStyle(bars[0]->GetBarStyle() | CBRS_FLYBY);
    CWnd tool;
    ASSERT_TRUE(
        tool.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(10, 4, 40, 20), bars[0], ID_FILE_OPEN));
    CString prompt, ready;
    AfxLoadStringResource(ID_FILE_OPEN, prompt);
    AfxLoadStringResource(AFX_IDS_IDLEMESSAGE, ready);
    prompt = prompt.Left(prompt.Find('\n'));

    const struct
    {
        HWND hWnd;
        CPoint point;
        CString expected;
    } moves[] = {
        {tool.m_hWnd, CPoint(5, 5), prompt},
        {bars[0]->m_hWnd, CPoint(70, 10), ready},
        {bars[0]->m_hWnd, CPoint(20, 8), prompt},
    };
    for (const auto& move : moves) {
        ::PostMessage(move.hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(move.point.x, move.point.y));
        MSG msg;
        ASSERT_TRUE(::PeekMessage(&msg, move.hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
        app.PreTranslateMessage(&msg);
        EXPECT_EQ(move.expected, CString(WindowText(&status).c_str()));
    }
    tool.DestroyWindow();
    status.DestroyWindow();
}

// --- the dialog bar

enum : UINT
{
    ID_GO = 41101,
    ID_STOP,
};

// Handles one of the bar's two buttons.
class CommandFrame : public CFrameWnd
{
public:
    int m_nGo = 0;
    void OnGo() { ++m_nGo; }
    void OnUpdateGo(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CommandFrame, CFrameWnd)
ON_COMMAND(ID_GO, OnGo)
ON_UPDATE_COMMAND_UI(ID_GO, OnUpdateGo)
END_MESSAGE_MAP()

class DialogBarTest : public ::testing::Test, public DockingFixture
{
protected:
    RecordingApp app;
    CommandFrame* pCommandFrame = new CommandFrame;
    void SetUp() override { MakeFrame(app, pCommandFrame); }
    void TearDown() override { Destroy(); }
};

TEST_F(DialogBarTest, ADialogBarStretchesAlongItsSideAndSendsCommandsToTheFrame)
{
    CDialogTemplate dlg(WS_CHILD | DS_CONTROL, 0, 0, 0, 160, 20, "", "MS Shell Dlg", 8);
    dlg.AddItem(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 4, 4, 50, 12, ID_GO, AFX_DLGCLASS_BUTTON, "Go");
    dlg.AddItem(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 60, 4, 50, 12, ID_STOP, AFX_DLGCLASS_BUTTON,
                "Stop");
    CDialogBar* pBar = new CDialogBar;
    pBar->m_bAutoDelete = TRUE;
    const UINT nID = AFX_IDW_CONTROLBAR_FIRST + 0x12;
    ASSERT_TRUE(pBar->CreateIndirect(frame, dlg.Get(), WS_CHILD | WS_VISIBLE | CBRS_TOP, nID));
    EXPECT_EQ(pBar, frame->GetControlBar(nID));
    frame->RecalcLayout();
    const int cy = pBar->m_sizeDefault.cy;
    EXPECT_GT(cy, 0);
    EXPECT_EQ(CRect(0, 0, 480, cy), RectInParent(pBar));
    EXPECT_EQ(CRect(0, cy, 480, 280), RectInParent(pane));

    // At idle time a button without a handler is greyed; the one the frame handles is not, and its
    // click reaches the frame.
    app.OnIdle(0);
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(pBar->m_hWnd, ID_GO)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(pBar->m_hWnd, ID_STOP)));
    ::SendMessage(::GetDlgItem(pBar->m_hWnd, ID_GO), BM_CLICK, 0, 0);
    EXPECT_EQ(1, pCommandFrame->m_nGo);

    // Docked on the left, it keeps the template's width and runs the side's length.
    frame->EnableDocking(CBRS_ALIGN_ANY);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    frame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
    frame->RecalcLayout();
    EXPECT_EQ(pBar->m_sizeDefault.cx, RectInParent(pBar).Width());
}

} // namespace
