// The toolkit bar's gripper buttons (tool tips, presses and releases by posted mouse messages), its context
// menu and its child windows' layout, on a frame with toolkit dock bars.
#include "LTDockingTestSupport.h"

#include "classlib/win/Menu.h"
#include "classlib/win/Static.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

LPARAM PointParam(CPoint pt)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(pt.x)),
                      static_cast<WORD>(static_cast<short>(pt.y)));
}

// A frame that records what the bar's context menu asks it and closes the menu again.
class MenuFrame : public CFrameWnd
{
public:
    std::vector<UINT> m_ids;
    std::vector<BOOL> m_checked;
    CControlBar* m_pAsker = nullptr;

protected:
    static void CALLBACK CloseMenu(HWND, UINT, UINT_PTR nID, DWORD)
    {
        ::KillTimer(nullptr, nID);
        ::EndMenu();
    }
    LRESULT OnBarMenu(WPARAM wParam, LPARAM lParam)
    {
        m_pAsker = reinterpret_cast<CControlBar*>(wParam);
        auto* pMenu = reinterpret_cast<CMenu*>(lParam);
        for (UINT i = 0; i < pMenu->GetMenuItemCount(); ++i) {
            const UINT nID = pMenu->GetMenuItemID(static_cast<int>(i));
            m_ids.push_back(nID);
            m_checked.push_back((pMenu->GetMenuState(nID, MF_BYCOMMAND) & MF_CHECKED) != 0);
        }
        ::SetTimer(nullptr, 0, 20, CloseMenu);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MenuFrame, CFrameWnd)
ON_MESSAGE(WM_LTBAR_CONTEXTMENU, OnBarMenu)
END_MESSAGE_MAP()

class LTControlBarGripperTest : public ::testing::Test, public LTDockingFixture
{
protected:
    RecordingApp app;
    MenuFrame* menuFrame = nullptr;

    void SetUp() override
    {
        menuFrame = new MenuFrame;
        MakeToolkitFrame(app, 480, 280, menuFrame);
    }
    void TearDown() override { Destroy(); }

    LTControlBar* GripperBar(UINT nID, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS)
    {
        return MakeBar(nID, BAR_EX_GRIPPER | BAR_EX_HIDE_BUTTON | BAR_EX_EXPAND_BUTTON, CSize(200, 40),
                       CSize(40, 120), dwStyle);
    }
    static void Click(CWnd* pWnd, CPoint down, CPoint up)
    {
        ::PostMessage(pWnd->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(down));
        ::PostMessage(pWnd->m_hWnd, WM_LBUTTONUP, 0, PointParam(up));
        PumpPending();
    }
};

TEST_F(LTControlBarGripperTest, GripperButtonsAreToolsWithTheirTexts)
{
    LTControlBar* pOne = GripperBar(ID_BAR_ONE);
    LTControlBar* pTwo = GripperBar(ID_BAR_TWO, WS_CHILD | WS_VISIBLE | CBRS_TOP);
    DockRow(AFX_IDW_DOCKBAR_TOP, {pOne, pTwo});
    frame->RecalcLayout();
    pOne->UpdateGripperButtons();
    // Inside the two-pixel borders: the strip starts 3 below, the buttons 2 in from the strip's left.
    EXPECT_EQ(CRect(4, 5, 15, 16), pOne->m_rcHideBtn);
    EXPECT_EQ(CRect(4, 18, 15, 29), pOne->m_rcExpandBtn);

    const struct
    {
        CPoint at;
        BOOL bExpanded; // the bar has been given its row
        INT_PTR nHit;
        const char* text;
    } cases[] = {
        {CPoint(9, 10), FALSE, LT_TOOL_HIDE, "Hide docked window"},
        {CPoint(9, 23), FALSE, LT_TOOL_EXPAND, "Expand docked window"},
        {CPoint(9, 23), TRUE, LT_TOOL_EXPAND, "Contract docked window"},
        {CPoint(100, 20), FALSE, -1, nullptr},
        {CPoint(9, 17), FALSE, -1, nullptr}, // between the buttons
    };
    LTDockBar* pTop = LTSide(AFX_IDW_DOCKBAR_TOP);
    for (const auto& c : cases) {
        if (c.bExpanded)
            pTop->ExpandContractBar(pOne, 1);
        TOOLINFO ti = {};
        EXPECT_EQ(c.nHit, pOne->OnToolHitTest(c.at, &ti)) << c.at.x << "," << c.at.y;
        if (c.text != nullptr) {
            ASSERT_NE(nullptr, ti.lpszText);
            EXPECT_EQ(std::string(c.text), std::string(ti.lpszText));
            EXPECT_EQ(c.nHit == LT_TOOL_HIDE ? pOne->m_rcHideBtn : pOne->m_rcExpandBtn, CRect(ti.rect));
            EXPECT_EQ(pOne->m_hWnd, ti.hwnd);
            std::free(ti.lpszText);
        }
    }
    // Without CBRS_TOOLTIPS no tool is hit; nor on a floating bar, which has no gripper.
    TOOLINFO ti = {};
    EXPECT_EQ(-1, pTwo->OnToolHitTest(CPoint(9, 10), &ti));
    frame->FloatControlBar(pOne, CPoint(300, 300), CBRS_ALIGN_TOP);
    EXPECT_EQ(-1, pOne->OnToolHitTest(CPoint(9, 10), &ti));
}

TEST_F(LTControlBarGripperTest, PressingAndReleasingTheButtons)
{
    LTControlBar* pOne = GripperBar(ID_BAR_ONE);
    LTControlBar* pTwo = GripperBar(ID_BAR_TWO);
    DockRow(AFX_IDW_DOCKBAR_TOP, {pOne, pTwo});
    frame->RecalcLayout();
    pOne->UpdateGripperButtons();
    const CPoint hide = pOne->m_rcHideBtn.CenterPoint();
    const CPoint expand = pOne->m_rcExpandBtn.CenterPoint();
    const CPoint outside(150, 20);

    // Released outside: only redrawn released.
    Click(pOne, hide, outside);
    EXPECT_TRUE(pOne->IsVisible());
    EXPECT_FALSE(pOne->m_bHidePressed);
    EXPECT_EQ(nullptr, ::GetCapture());
    Click(pOne, expand, outside);
    EXPECT_FLOAT_EQ(0.5f, pOne->m_fPctWidth);
    EXPECT_FALSE(pOne->m_bExpandPressed);

    // Released inside the expand button: the row goes to the bar, then back to equal shares.
    Click(pOne, expand, expand);
    EXPECT_NEAR(0.95f, pOne->m_fPctWidth, 1e-6);
    pOne->UpdateGripperButtons();
    EXPECT_FALSE(pOne->m_bShowExpand) << "the button now offers to contract";
    Click(pOne, expand, expand);
    EXPECT_FLOAT_EQ(0.5f, pOne->m_fPctWidth);
    EXPECT_FLOAT_EQ(0.5f, pTwo->m_fPctWidth);

    // Released inside the hide button: the bar hides.
    Click(pOne, hide, hide);
    EXPECT_FALSE(pOne->IsVisible());

    // Alone in its row the expand button is inactive.
    frame->RecalcLayout();
    pTwo->UpdateGripperButtons();
    EXPECT_FALSE(pTwo->m_bExpandEnabled);
    ::PostMessage(pTwo->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(pTwo->m_rcExpandBtn.CenterPoint()));
    PumpPending();
    EXPECT_FALSE(pTwo->IsFloating()) << "a double click on a button does not float the bar";
}

TEST_F(LTControlBarGripperTest, TheContextMenuAsksTheFrameAndItsCommandsAct)
{
    LTControlBar* pBar = MakeBar(ID_BAR_ONE, BAR_EX_CONTEXT_MENU, CSize(200, 40));
    LTSide(AFX_IDW_DOCKBAR_TOP)->DockControlBar(pBar);
    frame->RecalcLayout();
    CRect rect;
    pBar->GetWindowRect(&rect);
    pBar->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pBar->m_hWnd), PointParam(rect.CenterPoint()));
    EXPECT_EQ(pBar, menuFrame->m_pAsker);
    EXPECT_EQ((std::vector<UINT>{ID_LTBAR_ALLOWDOCKING, ID_LTBAR_HIDE}), menuFrame->m_ids);
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), menuFrame->m_checked);

    // Allow Docking off: the bar floats and may dock nowhere; on again: its sides come back.
    pBar->SendMessage(WM_COMMAND, ID_LTBAR_ALLOWDOCKING);
    EXPECT_TRUE(pBar->IsFloating());
    EXPECT_EQ(0u, pBar->m_dwDockStyle & CBRS_ALIGN_ANY);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_ANY), pBar->m_dwMRUDockingState & CBRS_ALIGN_ANY);
    menuFrame->m_checked.clear();
    menuFrame->m_ids.clear();
    pBar->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pBar->m_hWnd), PointParam(rect.CenterPoint()));
    EXPECT_EQ((std::vector<BOOL>{FALSE, FALSE}), menuFrame->m_checked);
    pBar->SendMessage(WM_COMMAND, ID_LTBAR_ALLOWDOCKING);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_ANY), pBar->m_dwDockStyle & CBRS_ALIGN_ANY);
    pBar->SendMessage(WM_COMMAND, ID_LTBAR_HIDE);
    EXPECT_FALSE(pBar->IsVisible());

    // Without the style the frame is never asked.
    LTControlBar* pPlain = MakeBar(ID_BAR_TWO, 0, CSize(200, 40));
    menuFrame->m_pAsker = nullptr;
    pPlain->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(pPlain->m_hWnd), PointParam(CPoint(60, 60)));
    EXPECT_EQ(nullptr, menuFrame->m_pAsker);
}

TEST_F(LTControlBarGripperTest, ChildWindowsFollowTheBarsSize)
{
    enum Kind
    {
        scale,
        scaleWithMargins,
        fill,
        fillWithGripper,
        none
    };
    const struct
    {
        Kind kind;
        CSize size; // the bar's new client size
        CRect first, second;
    } cases[] = {
        {scale, CSize(400, 200), CRect(40, 20, 200, 100), CRect(200, 100, 400, 200)},
        // Scaled into the area inside the margins, then offset by the margins once more.
        {scaleWithMargins, CSize(420, 220), CRect(60, 40, 220, 120), CRect(220, 120, 420, 220)},
        {fill, CSize(300, 60), CRect(0, 0, 300, 60), CRect(100, 50, 200, 100)},
        // A bar at the top reserves the gripper on its left and the inset elsewhere.
        {fillWithGripper, CSize(300, 60), CRect(17, 3, 297, 57), CRect(100, 50, 200, 100)},
        // A zero width leaves them alone.
        {scale, CSize(0, 200), CRect(20, 10, 100, 50), CRect(100, 50, 200, 100)},
        {none, CSize(400, 200), CRect(20, 10, 100, 50), CRect(100, 50, 200, 100)},
    };
    for (const auto& c : cases) {
        DWORD dwEx = 0;
        if (c.kind == fill)
            dwEx = BAR_EX_FILL_CHILD;
        else if (c.kind == fillWithGripper)
            dwEx = BAR_EX_FILL_CHILD | BAR_EX_GRIPPER;
        else if (c.kind == scaleWithMargins)
            dwEx = BAR_EX_MARGINS;
        auto* pBar = new LTControlBar;
        pBar->m_bAutoDelete = TRUE;
        // Not docked: sized only by the test.
        ASSERT_TRUE(pBar->Create(frame, "Children", WS_CHILD | CBRS_TOP, dwEx, ID_BAR_THREE));
        pBar->SetWindowPos(nullptr, 0, 0, 200, 100, SWP_NOZORDER | SWP_NOACTIVATE);
        CStatic first, second;
        first.Create("", WS_CHILD | WS_VISIBLE, CRect(20, 10, 100, 50), pBar, 1);
        second.Create("", WS_CHILD | WS_VISIBLE, CRect(100, 50, 200, 100), pBar, 2);
        if (c.kind == scale || c.kind == scaleWithMargins)
            pBar->SetExBarStyle(dwEx | BAR_EX_SCALE_CHILDREN, FALSE);
        EXPECT_EQ(c.kind == scale || c.kind == scaleWithMargins, pBar->m_pChildLayout != nullptr);
        pBar->SetWindowPos(nullptr, 0, 0, c.size.cx, c.size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(c.first, RectInParent(&first)) << c.kind << " " << c.size.cx;
        EXPECT_EQ(c.second, RectInParent(&second)) << c.kind << " " << c.size.cx;
        // Clearing the bit frees the snapshot; the children stay where they are.
        pBar->SetExBarStyle(dwEx, FALSE);
        EXPECT_EQ(nullptr, pBar->m_pChildLayout);
        first.DestroyWindow();
        second.DestroyWindow();
        pBar->DestroyWindow();
    }
}

} // namespace
