// Toolkit dock bars in a frame: toolbar rows, sizable rows with their shares, splitters and lines, splitter
// drags by posted mouse messages, removing bars and floating dock bars.
#include "LTDockingTestSupport.h"
#include "MemoryPicture.h"

#include "classlib/win/DC.h"
#include "toolkit/win/LTGlobalData.h"

#include <gtest/gtest.h>

namespace {

class LTDockBarTest : public ::testing::Test, public LTDockingFixture
{
protected:
    RecordingApp app;

    void SetUp() override { MakeToolkitFrame(app); }
    void TearDown() override { Destroy(); }

    void Remake()
    {
        Destroy();
        ltBars.clear();
        MakeToolkitFrame(app);
    }

    static CRect RectOf(const CWnd* pWnd) { return RectInParent(pWnd); }
    static int Thickness(LTDockBar* pSide)
    {
        const CRect rect = RectOf(pSide);
        return pSide->IsHorzDock() ? rect.Height() : rect.Width();
    }
    static const LTDockSplitter* FindSplitter(LTDockBar* pSide, int nKind, int nNth = 0)
    {
        for (const auto& pSplitter : pSide->m_splitters) {
            if (pSplitter->m_nKind == nKind && nNth-- == 0)
                return pSplitter.get();
        }
        return nullptr;
    }

    // A press at from, a move to to and then the release (or Escape, or the right button), all posted to
    // the dock bar and dispatched.
    static void Drag(LTDockBar* pSide, CPoint from, CPoint to, UINT nEnd = WM_LBUTTONUP)
    {
        auto lParam = [](CPoint pt) {
            return MAKELPARAM(static_cast<WORD>(static_cast<short>(pt.x)),
                              static_cast<WORD>(static_cast<short>(pt.y)));
        };
        ::PostMessage(pSide->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, lParam(from));
        ::PostMessage(pSide->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, lParam(to));
        if (nEnd == WM_KEYDOWN)
            ::PostMessage(pSide->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        else
            ::PostMessage(pSide->m_hWnd, nEnd, 0, lParam(to));
        PumpPending();
    }
};

TEST_F(LTDockBarTest, ToolbarRowsWrapAndOverlapByTheirBorders)
{
    // Three toolbar bars of 250 in a side of 480: the third starts beyond the end and opens a row.
    const struct
    {
        DWORD dwExStyle;
        CRect rects[3];
        int nThickness;
    } cases[] = {
        {BAR_EX_TOOLBAR_LAYOUT,
         {CRect(-2, -2, 248, 24), CRect(246, -2, 496, 24), CRect(-2, 22, 248, 48)},
         52},
        {BAR_EX_TOOLBAR_LAYOUT | BAR_EX_FLAT_BORDERS,
         {CRect(-1, -1, 249, 25), CRect(249, -1, 499, 25), CRect(-1, 25, 249, 51)},
         54},
    };
    for (const auto& c : cases) {
        Remake();
        std::vector<LTControlBar*> row;
        for (UINT i = 0; i < 3; ++i)
            row.push_back(MakeBar(ID_BAR_ONE + i, c.dwExStyle, CSize(250, 26)));
        DockRow(AFX_IDW_DOCKBAR_TOP, row);
        frame->RecalcLayout();
        LTDockBar* pTop = LTSide(AFX_IDW_DOCKBAR_TOP);
        EXPECT_EQ((std::vector<int>{0, 1, -1, 2, -1}), LTEntries(pTop)) << c.dwExStyle;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(c.rects[i], RectOf(row[static_cast<size_t>(i)])) << c.dwExStyle << " bar " << i;
        EXPECT_EQ(c.nThickness, Thickness(pTop)) << c.dwExStyle;
        // Toolbar rows draw their bars' borders in 3-D and have no splitters.
        EXPECT_TRUE(row[0]->GetExBarStyle() & BAR_EX_3D_BORDERS);
        EXPECT_TRUE(pTop->m_splitters.empty());
    }
}

TEST_F(LTDockBarTest, FirstRowsStartBeforeTheEdgeByTheirKind)
{
    enum Layout
    {
        oneToolbar,
        oneFlat,
        sizableAndFlat, // one row
        sizableOnly,
        sizableOnBottom,
        flatAfterSizable // two rows
    };
    const struct
    {
        Layout layout;
        CRect first;  // the first bar docked
        CRect second; // the second, when there is one
        int nThickness;
    } cases[] = {
        {oneToolbar, CRect(-2, -2, 98, 24), CRect(), 28},
        {oneFlat, CRect(-1, -1, 99, 25), CRect(), 28},
        // 3 before the edge, less the 2-pixel line above the row.
        {sizableAndFlat, CRect(0, -1, 237, 39), CRect(243, -1, 480, 39), 50},
        {sizableOnly, CRect(0, 2, 480, 42), CRect(), 50},
        // 1 pixel in, after the row splitter.
        {sizableOnBottom, CRect(0, 7, 480, 47), CRect(), 50},
        // The flat toolbar's row begins 1 pixel after the sizable row's splitter.
        {flatAfterSizable, CRect(0, 2, 480, 42), CRect(-1, 49, 99, 75), 77},
    };
    for (const auto& c : cases) {
        Remake();
        const BOOL bToolbarFirst = c.layout == oneToolbar || c.layout == oneFlat;
        const DWORD dwFirst = c.layout == oneToolbar ? BAR_EX_TOOLBAR_LAYOUT
                              : c.layout == oneFlat  ? BAR_EX_TOOLBAR_LAYOUT | BAR_EX_FLAT_BORDERS
                                                     : 0;
        LTControlBar* pFirst = MakeBar(ID_BAR_ONE, dwFirst, CSize(100, bToolbarFirst ? 26 : 40));
        LTControlBar* pSecond = nullptr;
        if (c.layout == sizableAndFlat || c.layout == flatAfterSizable)
            pSecond = MakeBar(ID_BAR_TWO, BAR_EX_TOOLBAR_LAYOUT | BAR_EX_FLAT_BORDERS, CSize(100, 26));
        const UINT nSide = c.layout == sizableOnBottom ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_TOP;
        if (c.layout == sizableAndFlat) {
            DockRow(nSide, {pFirst, pSecond});
        } else {
            LTSide(nSide)->DockControlBar(pFirst);
            if (pSecond != nullptr)
                LTSide(nSide)->DockControlBar(pSecond);
        }
        frame->RecalcLayout();
        EXPECT_EQ(c.first, RectOf(pFirst)) << c.layout;
        if (pSecond != nullptr)
            EXPECT_EQ(c.second, RectOf(pSecond)) << c.layout;
        EXPECT_EQ(c.nThickness, Thickness(LTSide(nSide))) << c.layout;
    }

    // Without a visible bar a dock bar takes no room.
    for (LTControlBar* pBar : ltBars)
        frame->ShowControlBar(pBar, FALSE, FALSE);
    frame->RecalcLayout();
    EXPECT_EQ(0, Thickness(LTSide(AFX_IDW_DOCKBAR_TOP)));
}

TEST_F(LTDockBarTest, SizableRowsPlaceSplittersAndLinesByTheirSide)
{
    // Two sizable bars on one side of a 480 x 280 client area: 6-pixel splitters, 2-pixel lines.
    const struct
    {
        UINT nSide;
        CRect bars[2];
        CRect barSplitter, rowSplitter, line;
    } cases[] = {
        {AFX_IDW_DOCKBAR_TOP,
         {CRect(0, 2, 237, 42), CRect(243, 2, 480, 42)},
         CRect(237, 2, 243, 42),
         CRect(0, 42, 480, 48),
         CRect(0, 0, 480, 2)},
        {AFX_IDW_DOCKBAR_BOTTOM,
         {CRect(0, 7, 237, 47), CRect(243, 7, 480, 47)},
         CRect(237, 7, 243, 47),
         CRect(0, 1, 480, 7),
         CRect(0, 47, 480, 49)},
        {AFX_IDW_DOCKBAR_LEFT,
         {CRect(2, 0, 42, 137), CRect(2, 143, 42, 280)},
         CRect(2, 137, 42, 143),
         CRect(42, 0, 48, 280),
         CRect(0, 0, 2, 280)},
        {AFX_IDW_DOCKBAR_RIGHT,
         {CRect(7, 0, 47, 137), CRect(7, 143, 47, 280)},
         CRect(7, 137, 47, 143),
         CRect(1, 0, 7, 280),
         CRect(47, 0, 49, 280)},
    };
    for (const auto& c : cases) {
        Remake();
        LTControlBar* pOne = MakeBar(ID_BAR_ONE, 0, CSize(100, 40), CSize(40, 100));
        LTControlBar* pTwo = MakeBar(ID_BAR_TWO, 0, CSize(100, 40), CSize(40, 100));
        DockRow(c.nSide, {pOne, pTwo});
        frame->RecalcLayout();
        LTDockBar* pSide = LTSide(c.nSide);
        EXPECT_EQ(c.bars[0], RectOf(pOne)) << c.nSide;
        EXPECT_EQ(c.bars[1], RectOf(pTwo)) << c.nSide;
        EXPECT_FLOAT_EQ(0.5f, pOne->m_fPctWidth);
        ASSERT_EQ(2u, pSide->m_splitters.size()) << c.nSide;
        ASSERT_EQ(1u, pSide->m_lines.size()) << c.nSide;
        const LTDockSplitter* pBarSplitter = FindSplitter(pSide, LTDockSplitter::barSplitter);
        const LTDockSplitter* pRowSplitter = FindSplitter(pSide, LTDockSplitter::rowSplitter);
        ASSERT_NE(nullptr, pBarSplitter);
        ASSERT_NE(nullptr, pRowSplitter);
        EXPECT_EQ(c.barSplitter, pBarSplitter->m_rect) << c.nSide;
        EXPECT_EQ(c.rowSplitter, pRowSplitter->m_rect) << c.nSide;
        EXPECT_EQ(c.line, pSide->m_lines[0]->m_rect) << c.nSide;
        EXPECT_EQ(1, pBarSplitter->m_nIndex);
        EXPECT_EQ(1, pRowSplitter->m_nIndex);
        // Sizable bars lose the 3-D borders; a second layout reuses the same splitter objects.
        EXPECT_FALSE(pOne->GetExBarStyle() & BAR_EX_3D_BORDERS);
        frame->RecalcLayout();
        EXPECT_EQ(pBarSplitter, FindSplitter(pSide, LTDockSplitter::barSplitter)) << c.nSide;
    }
}

TEST_F(LTDockBarTest, SharesAreNormalisedAroundTheKeptBar)
{
    std::vector<LTControlBar*> row;
    for (UINT i = 0; i < 3; ++i)
        row.push_back(MakeBar(ID_BAR_ONE + i, 0, CSize(100, 40)));
    DockRow(AFX_IDW_DOCKBAR_TOP, row);
    LTDockBar* pTop = LTSide(AFX_IDW_DOCKBAR_TOP);
    const float fMin = 18.0f / 480.0f;
    const float fThird = 1.0f / 3.0f;
    const struct
    {
        float before[3];
        int nKeep; // -1: none
        float after[3];
    } cases[] = {
        {{1.0f, 1.0f, 1.0f}, -1, {fThird, fThird, fThird}},
        {{0.0f, 0.0f, 0.0f}, -1, {fThird, fThird, fThird}},
        {{0.5f, 0.3f, 0.2f}, 0, {0.5f, 0.3f, 0.2f}},
        {{0.5f, 2.0f, 2.0f}, 0, {0.5f, 0.25f, 0.25f}},
        // The others sum to less than the kept bar's share: they divide the rest.
        {{0.6f, 0.1f, 0.1f}, 0, {0.6f, 0.2f, 0.2f}},
        {{0.0f, 0.6f, 0.0f}, 1, {fMin, 0.6f, fMin}},
        // Capped at 0.95, the others at least the minimum.
        {{0.98f, 0.5f, 0.5f}, 0, {0.95f, fMin, fMin}},
        {{0.01f, 1.0f, 1.0f}, 0, {fMin, 0.5f * (1.0f - fMin), 0.5f * (1.0f - fMin)}},
        {{0.02f, 0.0f, 1.0f}, -1, {fMin, fMin, 1.0f / 1.02f}},
    };
    for (const auto& c : cases) {
        for (int i = 0; i < 3; ++i)
            row[static_cast<size_t>(i)]->m_fPctWidth = c.before[i];
        int nSizable = -1, nToolbar = -1;
        pTop->NormalizeRowPercentages(1, c.nKeep < 0 ? nullptr : row[static_cast<size_t>(c.nKeep)], &nSizable,
                                      &nToolbar);
        EXPECT_EQ(3, nSizable);
        EXPECT_EQ(0, nToolbar);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(c.after[i], row[static_cast<size_t>(i)]->m_fPctWidth, 1e-5)
                << c.before[0] << "," << c.before[1] << "," << c.before[2] << " keep " << c.nKeep << " bar "
                << i;
            EXPECT_GE(row[static_cast<size_t>(i)]->m_fPctWidth, 0.0f);
        }
    }
    EXPECT_FLOAT_EQ(fMin, pTop->m_fMinPct);

    // Expanding gives the bar 0.95 and the others the minimum; contracting equal shares.
    pTop->ExpandContractBar(row[1], 1);
    EXPECT_NEAR(0.95f, row[1]->m_fPctWidth, 1e-6);
    EXPECT_NEAR(fMin, row[0]->m_fPctWidth, 1e-6);
    EXPECT_NEAR(fMin, row[2]->m_fPctWidth, 1e-6);
    EXPECT_TRUE(pTop->IsBarExpanded(row[1]));
    EXPECT_FALSE(pTop->IsBarExpanded(row[0]));
    frame->RecalcLayout();
    // The expanded bar keeps its share through the layout: 0.95 of 480 less two splitters.
    EXPECT_EQ(static_cast<int>(468 * 0.95f), RectOf(row[1]).Width());
    pTop->ExpandContractBar(row[1], 2);
    for (LTControlBar* pBar : row)
        EXPECT_NEAR(fThird, pBar->m_fPctWidth, 1e-6);
    EXPECT_FALSE(pTop->IsBarExpanded(row[1]));

    // Row queries: the bars of a row, the nearest before first.
    CPtrList list;
    pTop->GetRowBars(&list, row[1]);
    ASSERT_EQ(3, list.GetCount());
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(row[0], list.GetNext(pos));
    EXPECT_EQ(row[1], list.GetNext(pos));
    EXPECT_EQ(row[2], list.GetNext(pos));
    EXPECT_FALSE(pTop->IsBarAloneInRow(row[0]));
}

TEST_F(LTDockBarTest, DraggedSplittersMoveLengthsWithinTheirLimits)
{
    const struct
    {
        int nBars;
        int nSplitter; // bar splitter index, or -1 for the row splitter
        CPoint to;
        UINT nEnd;
        int lengths[3]; // committed along the row (bar splitters) or the row's thickness
    } cases[] = {
        {2, 0, CPoint(200, 20), WM_LBUTTONUP, {197, 277}},
        {2, 0, CPoint(300, 20), WM_LBUTTONUP, {297, 177}},
        // No bar shorter than the limit of 24 pixels per bar before or after the splitter.
        {2, 0, CPoint(-100, 20), WM_LBUTTONUP, {24, 450}},
        {2, 0, CPoint(900, 20), WM_LBUTTONUP, {450, 24}},
        // The nearer bar gives up to 18 pixels first, the next one the rest.
        {3, 1, CPoint(-100, 20), WM_LBUTTONUP, {24, 18, 426}},
        // Escape or the right button change nothing.
        {2, 0, CPoint(200, 20), WM_KEYDOWN, {237, 237}},
        {2, 0, CPoint(200, 20), WM_RBUTTONDOWN, {237, 237}},
        // The row splitter below a top row: down thickens the row, never below 19.
        {2, -1, CPoint(100, 75), WM_LBUTTONUP, {70, 70}},
        {2, -1, CPoint(100, -100), WM_LBUTTONUP, {19, 19}},
        {2, -1, CPoint(100, 75), WM_KEYDOWN, {40, 40}},
    };
    for (const auto& c : cases) {
        Remake();
        std::vector<LTControlBar*> row;
        for (int i = 0; i < c.nBars; ++i)
            row.push_back(MakeBar(ID_BAR_ONE + static_cast<UINT>(i), 0, CSize(100, 40)));
        DockRow(AFX_IDW_DOCKBAR_TOP, row);
        frame->RecalcLayout();
        LTDockBar* pTop = LTSide(AFX_IDW_DOCKBAR_TOP);
        const LTDockSplitter* pSplitter = c.nSplitter < 0
                                              ? FindSplitter(pTop, LTDockSplitter::rowSplitter)
                                              : FindSplitter(pTop, LTDockSplitter::barSplitter, c.nSplitter);
        ASSERT_NE(nullptr, pSplitter);
        std::vector<float> pctBefore;
        for (LTControlBar* pBar : row)
            pctBefore.push_back(pBar->m_fPctWidth);
        const CPoint from = pSplitter->m_rect.CenterPoint();
        const CPoint to = c.nSplitter < 0 ? CPoint(from.x, from.y + (c.to.y - 45)) : CPoint(c.to.x, from.y);
        Drag(pTop, from, to, c.nEnd);
        EXPECT_EQ(nullptr, ::GetCapture());
        const int nAvail = 480 - 6 * c.nBars + 6;
        for (int i = 0; i < c.nBars; ++i) {
            LTControlBar* pBar = row[static_cast<size_t>(i)];
            const int nLength = c.nSplitter < 0 ? pBar->m_szHorz.cy : pBar->m_szHorz.cx;
            EXPECT_EQ(c.lengths[i], nLength) << "bars " << c.nBars << " to " << c.to.x << "," << c.to.y
                                             << " end " << c.nEnd << " bar " << i;
            if (c.nSplitter >= 0 && c.nEnd == WM_LBUTTONUP)
                EXPECT_NEAR(static_cast<float>(c.lengths[i]) / static_cast<float>(nAvail), pBar->m_fPctWidth,
                            1e-5);
            if (c.nEnd != WM_LBUTTONUP)
                EXPECT_EQ(pctBefore[static_cast<size_t>(i)], pBar->m_fPctWidth);
        }
        // The next layout shows the committed lengths.
        frame->RecalcLayout();
        for (int i = 0; i < c.nBars; ++i) {
            const CRect rect = RectOf(row[static_cast<size_t>(i)]);
            EXPECT_NEAR(c.lengths[i], c.nSplitter < 0 ? rect.Height() : rect.Width(), 1) << i;
        }
    }
}

TEST_F(LTDockBarTest, RemovedBarsLeaveAPlaceholder)
{
    LTControlBar* pOne = MakeBar(ID_BAR_ONE, BAR_EX_TOOLBAR_LAYOUT, CSize(100, 26));
    LTControlBar* pTwo = MakeBar(ID_BAR_TWO, BAR_EX_TOOLBAR_LAYOUT, CSize(100, 26));
    DockRow(AFX_IDW_DOCKBAR_TOP, {pOne, pTwo});
    LTDockBar* pTop = LTSide(AFX_IDW_DOCKBAR_TOP);
    EXPECT_FALSE(pTop->RemoveControlBar(pOne));
    EXPECT_EQ((std::vector<int>{100, 1, -1}), LTEntries(pTop));
    EXPECT_EQ(nullptr, pOne->m_pDockBar);
    // It comes back to its place.
    pTop->ReDockControlBar(pOne);
    EXPECT_EQ((std::vector<int>{0, 1, -1}), LTEntries(pTop));
    EXPECT_EQ(pTop, pOne->m_pDockBar);
    // A placeholder elsewhere keeps the place: no second one is left.
    pTop->m_arrBars.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(ID_BAR_TWO)));
    pTop->m_arrBars.Add(nullptr);
    EXPECT_FALSE(pTop->RemoveControlBar(pTwo));
    EXPECT_EQ((std::vector<int>{0, -1, 101, -1}), LTEntries(pTop));
}

TEST_F(LTDockBarTest, AFloatingDockBarHidesItsFrameThenGoesWithItsLastBar)
{
    LTControlBar* pOne = MakeBar(ID_BAR_ONE, 0, CSize(100, 40));
    LTControlBar* pTwo = MakeBar(ID_BAR_TWO, 0, CSize(100, 40));
    auto* pFloat = new CFrameWnd;
    ASSERT_TRUE(pFloat->Create(nullptr, "Floating", WS_POPUP | WS_CAPTION, CRect(300, 300, 500, 400), frame));
    pFloat->ShowWindow(SW_SHOWNA);
    auto* pDockBar = new LTDockBar(TRUE);
    ASSERT_TRUE(pDockBar->Create(pFloat, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_FLOAT));
    pDockBar->DockControlBar(pOne);
    pDockBar->DockControlBar(pTwo);
    EXPECT_TRUE(pOne->IsFloating());
    const HWND hWndFloat = pFloat->m_hWnd;
    pTwo->ShowWindow(SW_HIDE);
    // The last visible bar goes: the frame hides.
    EXPECT_FALSE(pDockBar->RemoveControlBar(pOne));
    EXPECT_TRUE(::IsWindow(hWndFloat));
    EXPECT_FALSE(::IsWindowVisible(hWndFloat));
    // The last bar goes: the frame goes with it (and its bars with their windows).
    ltBars.clear();
    EXPECT_TRUE(pDockBar->RemoveControlBar(pTwo));
    EXPECT_FALSE(::IsWindow(hWndFloat));
}

TEST_F(LTDockBarTest, DropFeedbackTakesTheRowsShare)
{
    LTControlBar* pOne = MakeBar(ID_BAR_ONE, 0, CSize(100, 40));
    LTControlBar* pTwo = MakeBar(ID_BAR_TWO, 0, CSize(100, 40));
    DockRow(AFX_IDW_DOCKBAR_TOP, {pOne, pTwo});
    frame->RecalcLayout();
    LTDockBar* pTop = LTSide(AFX_IDW_DOCKBAR_TOP);
    CPoint origin(0, 0);
    pTop->ClientToScreen(&origin);
    LTControlBar* pSizable = MakeBar(ID_BAR_THREE, 0, CSize(100, 40));
    LTControlBar* pToolbar = MakeBar(ID_BAR_THREE + 1, BAR_EX_TOOLBAR_LAYOUT, CSize(100, 26));
    // Dragged 100 x 30 with the cursor a quarter along it and a third down.
    auto drag = [&origin](int x, int y) {
        return CRect(origin.x + x, origin.y + y, origin.x + x + 100, origin.y + y + 30);
    };
    const struct
    {
        LTControlBar* pBar;
        CRect rectDrag; // screen
        CPoint cursor;  // screen
        CRect expected; // screen
    } cases[] = {
        // Into the row: its share of the length (1 / (1 + 1) x 480), the row's thickness, the cursor
        // keeping its place.
        {pSizable, drag(50, 5), drag(50, 5).TopLeft() + CSize(25, 10),
         CRect(origin.x + 75 - 60, origin.y + 15 - 13, origin.x + 75 - 60 + 240, origin.y + 15 - 13 + 40)},
        // Below the rows: the whole length.
        {pSizable, drag(50, 200), drag(50, 200).TopLeft() + CSize(25, 10),
         CRect(origin.x, origin.y + 200, origin.x + 480, origin.y + 230)},
        // A toolbar keeps the dragged rectangle.
        {pToolbar, drag(50, 5), drag(50, 5).TopLeft() + CSize(25, 10), drag(50, 5)},
    };
    // Each case over another row than the one before: none follows the previous feedback.
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, pTop->CalcDockingRect(c.pBar, c.rectDrag, c.cursor.x, c.cursor.y))
            << c.rectDrag.left << "," << c.rectDrag.top;
    pTop->CalcDockingRect(pSizable, drag(50, 200), origin.x, origin.y + 200);
    // Again over the same row: the rectangle follows the cursor.
    const CRect rectDrag = drag(50, 5);
    const CPoint cursor = rectDrag.TopLeft() + CSize(25, 10);
    const CRect first = pTop->CalcDockingRect(pSizable, rectDrag, cursor.x, cursor.y);
    CRect moved = rectDrag;
    moved.OffsetRect(10, 3);
    EXPECT_EQ(first + CPoint(10, 3), pTop->CalcDockingRect(pSizable, moved, cursor.x + 10, cursor.y + 3));
}

TEST_F(LTDockBarTest, SplittersAndLinesPaintTheirEdges)
{
    LTControlBar* pOne = MakeBar(ID_BAR_ONE, 0, CSize(100, 40));
    LTControlBar* pTwo = MakeBar(ID_BAR_TWO, 0, CSize(100, 40));
    DockRow(AFX_IDW_DOCKBAR_TOP, {pOne, pTwo});
    frame->RecalcLayout();
    const LTGlobalData& data = LTGetGlobalData();
    MemoryPicture picture(480, 60);
    LTSide(AFX_IDW_DOCKBAR_TOP)->DoPaint(&picture.dc);
    const struct
    {
        CPoint at;
        COLORREF colour;
    } pixels[] = {
        // The line above the row: shadow then highlight.
        {CPoint(100, 0), data.clrBtnShadow},
        {CPoint(100, 1), data.clrBtnHilite},
        // The row splitter at 42..47: highlight, face, shadow, frame.
        {CPoint(100, 42), data.clrBtnHilite},
        {CPoint(100, 44), data.clrBtnFace},
        {CPoint(100, 46), data.clrBtnShadow},
        {CPoint(100, 47), data.clrWindowFrame},
        // The bar splitter at 237..242 across.
        {CPoint(237, 20), data.clrBtnHilite},
        {CPoint(239, 20), data.clrBtnFace},
        {CPoint(241, 20), data.clrBtnShadow},
        {CPoint(242, 20), data.clrWindowFrame},
        {CPoint(100, 20), MemoryPicture::kBackground},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(p.colour, picture.dc.GetPixel(p.at.x, p.at.y)) << p.at.x << "," << p.at.y;
}

} // namespace
