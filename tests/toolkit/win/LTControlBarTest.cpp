// The toolkit bar's remembered sizes, inside rectangles, borders and gripper, on a frame's dock bars.
#include "toolkit/win/LTControlBar.h"

#include "classlib/win/DC.h"
#include "MemoryPicture.h"
#include "classlib/win/DockingTestSupport.h"
#include "toolkit/win/LTGlobalData.h"

#include <gtest/gtest.h>

namespace {

class LTControlBarTest : public ::testing::Test, public DockingFixture
{
protected:
    RecordingApp app;
    LTControlBar* bar = nullptr;

    void SetUp() override
    {
        MakeFrame(app);
        bar = new LTControlBar;
        bar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(
            bar->Create(frame, "Tools", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, 0, ID_BAR_ONE));
        bar->EnableDocking(CBRS_ALIGN_ANY);
        bar->m_szHorz = CSize(200, 40);
        bar->m_szVert = CSize(40, 200);
        bar->m_szFloat = CSize(200, 40);
        frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
        frame->RecalcLayout();
    }
    void TearDown() override { Destroy(); }
};

TEST_F(LTControlBarTest, StyleAboveTheBarBitsIsDroppedAndSizesStartAtTheDefault)
{
    LTControlBar other;
    ASSERT_TRUE(other.Create(frame, "Other", WS_CHILD | CBRS_LEFT | CBRS_GRIPPER | WS_HSCROLL, BAR_EX_MARGINS,
                             ID_BAR_TWO));
    EXPECT_EQ(static_cast<DWORD>(CBRS_LEFT | CBRS_GRIPPER), other.GetBarStyle());
    EXPECT_EQ(static_cast<DWORD>(BAR_EX_MARGINS), other.GetExBarStyle());
    EXPECT_EQ(CSize(300, 180), other.m_szHorz);
    EXPECT_EQ(CSize(300, 180), other.m_szVert);
    EXPECT_EQ(CSize(300, 180), other.m_szFloat);
    EXPECT_EQ(1.0f, other.m_fPctWidth);
    other.DestroyWindow();
}

TEST_F(LTControlBarTest, DynamicLayoutStoresCommittedLengthsByDockingSituation)
{
    struct Case
    {
        DWORD dwMode;
        int nLength;
        CSize horz, vert, flt; // the sizes afterwards
        CSize result;
    } cases[] = {
        {LM_COMMIT | LM_HORZDOCK | LM_HORZ, 250, {250, 40}, {40, 200}, {200, 40}, {250, 40}},
        {LM_COMMIT | LM_HORZDOCK | LM_HORZ | LM_LENGTHY, 30, {200, 30}, {40, 200}, {200, 40}, {200, 30}},
        {LM_COMMIT | LM_HORZDOCK | LM_HORZ | LM_STRETCH, 500, {250, 40}, {40, 200}, {200, 40}, {250, 40}},
        {LM_COMMIT | LM_VERTDOCK, 50, {200, 40}, {50, 200}, {200, 40}, {50, 200}},
        {LM_COMMIT | LM_VERTDOCK | LM_LENGTHY, 90, {200, 40}, {40, 90}, {200, 40}, {40, 90}},
        {LM_COMMIT | LM_HORZ, 120, {200, 40}, {40, 200}, {120, 40}, {120, 40}},
        {LM_COMMIT | LM_HORZ | LM_LENGTHY, 70, {200, 40}, {40, 200}, {200, 70}, {200, 70}},
        {LM_HORZDOCK | LM_HORZ, 999, {200, 40}, {40, 200}, {200, 40}, {200, 40}},
        {LM_VERTDOCK, 999, {200, 40}, {40, 200}, {200, 40}, {40, 200}},
        {LM_HORZ | LM_MRUWIDTH, 999, {200, 40}, {40, 200}, {200, 40}, {200, 40}},
    };
    for (const Case& c : cases) {
        bar->m_szHorz = CSize(200, 40);
        bar->m_szVert = CSize(40, 200);
        bar->m_szFloat = CSize(200, 40);
        bar->m_fPctWidth = 0.5f; // a stretched length is the bar's share of it
        bar->m_nMRUWidth = 7;
        EXPECT_EQ(c.result, bar->CalcDynamicLayout(c.nLength, c.dwMode)) << c.dwMode;
        EXPECT_EQ(c.horz, bar->m_szHorz) << c.dwMode;
        EXPECT_EQ(c.vert, bar->m_szVert) << c.dwMode;
        EXPECT_EQ(c.flt, bar->m_szFloat) << c.dwMode;
        EXPECT_EQ((c.dwMode & (LM_COMMIT | LM_HORZDOCK | LM_VERTDOCK | LM_LENGTHY)) == LM_COMMIT ? 120u : 7u,
                  bar->m_nMRUWidth)
            << c.dwMode;
    }
}

TEST_F(LTControlBarTest, InsideRectanglesLeaveRoomForGripperBordersAndMargins)
{
    enum Place
    {
        top,
        left,
        floating
    };
    const struct
    {
        DWORD dwExStyle;
        Place place;
        CRect inside; // GetInsideRect
    } cases[] = {
        {0, top, CRect(0, 0, 200, 40)},
        {BAR_EX_GRIPPER, top, CRect(17, 3, 197, 37)},
        {BAR_EX_GRIPPER, left, CRect(3, 17, 37, 197)},
        {BAR_EX_GRIPPER, floating, CRect(0, 0, 200, 40)},
        {BAR_EX_GRIPPER | BAR_EX_MARGINS, top, CRect(27, 13, 187, 27)},
        {BAR_EX_MARGINS, floating, CRect(10, 10, 190, 30)},
    };
    for (const auto& c : cases) {
        if (c.place == floating)
            frame->FloatControlBar(bar, CPoint(200, 200), CBRS_ALIGN_TOP);
        else
            frame->DockControlBar(bar, c.place == top ? AFX_IDW_DOCKBAR_TOP : AFX_IDW_DOCKBAR_LEFT);
        frame->RecalcLayout();
        bar->SetExBarStyle(c.dwExStyle, FALSE);
        CRect rect;
        bar->GetInsideRect(&rect);
        EXPECT_EQ(c.inside, rect) << c.dwExStyle << " " << c.place;
    }

    // Flat borders: one pixel per bordered side, and the gripper's room in place of the leading gap.
    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(static_cast<DWORD>(CBRS_BORDER_ANY), bar->GetBarStyle() & CBRS_BORDER_ANY);
    const struct
    {
        DWORD dwExStyle;
        BOOL bFloating, bHorz, bReserve;
        CRect inside;
    } flat[] = {
        {BAR_EX_FLAT_BORDERS | BAR_EX_GRIPPER, FALSE, TRUE, TRUE, CRect(18, 3, 193, 37)},
        {BAR_EX_FLAT_BORDERS, FALSE, TRUE, TRUE, CRect(7, 3, 193, 37)},
        {BAR_EX_FLAT_BORDERS | BAR_EX_GRIPPER, TRUE, TRUE, TRUE, CRect(7, 3, 193, 37)},
        {BAR_EX_FLAT_BORDERS | BAR_EX_GRIPPER, FALSE, FALSE, TRUE, CRect(3, 18, 197, 33)},
        {BAR_EX_FLAT_BORDERS | BAR_EX_GRIPPER, FALSE, FALSE, FALSE, CRect(3, 7, 197, 33)},
        {BAR_EX_GRIPPER, FALSE, TRUE, TRUE, CRect(8, 4, 192, 36)}, // the class library's
    };
    for (const auto& c : flat) {
        if (c.bFloating)
            frame->FloatControlBar(bar, CPoint(200, 200), CBRS_ALIGN_TOP);
        else
            frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
        bar->SetExBarStyle(c.dwExStyle, FALSE);
        CRect rect(0, 0, 200, 40);
        bar->CalcInsideRect(rect, c.bHorz, c.bReserve);
        EXPECT_EQ(c.inside, rect) << c.dwExStyle << c.bFloating << c.bHorz << c.bReserve;
    }
}

TEST_F(LTControlBarTest, TheGripperIsTwoRaisedLinesAlongTheLeadingEnd)
{
    const LTGlobalData& data = LTGetGlobalData();
    const COLORREF hi = data.clrBtnHilite, sh = data.clrBtnShadow, bg = MemoryPicture::kBackground;
    // Pixels across the strip: at 3 (before), 4 and 6 (first line's edges), 7 (gap), 8 and 10, 11 (after).
    const int across[] = {3, 4, 6, 7, 8, 10, 11};
    const struct
    {
        UINT nSide; // 0: floating
        COLORREF expected[7];
    } cases[] = {
        {AFX_IDW_DOCKBAR_TOP, {bg, hi, sh, bg, hi, sh, bg}},
        {AFX_IDW_DOCKBAR_LEFT, {bg, hi, sh, bg, hi, sh, bg}},
        {0, {bg, bg, bg, bg, bg, bg, bg}},
    };
    for (const auto& c : cases) {
        if (c.nSide == 0)
            frame->FloatControlBar(bar, CPoint(200, 200), CBRS_ALIGN_TOP);
        else
            frame->DockControlBar(bar, c.nSide);
        MemoryPicture picture;
        bar->DrawGripper(&picture.dc, CRect(0, 0, 40, 40));
        for (int i = 0; i < 7; ++i) {
            // Across the lines in the middle of the strip's length.
            const COLORREF colour = c.nSide == AFX_IDW_DOCKBAR_LEFT ? picture.dc.GetPixel(20, across[i])
                                                                    : picture.dc.GetPixel(across[i], 20);
            EXPECT_EQ(c.expected[i], colour) << c.nSide << " at " << across[i];
        }
    }

    // Flat borders take one pixel per bordered side and draw no line.
    frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    bar->SetExBarStyle(BAR_EX_FLAT_BORDERS, FALSE);
    MemoryPicture picture;
    CRect rect(0, 0, 40, 40);
    bar->DrawBorders(&picture.dc, rect);
    EXPECT_EQ(CRect(1, 1, 39, 39), rect);
    EXPECT_EQ(bg, picture.dc.GetPixel(0, 20));
}

} // namespace
