// Headings: their cells through GN_DRAWCELL, clicks, column sizing by the mouse, and the placing and
// fitting functions.
#include "GridTestOwner.h"

#include <gtest/gtest.h>

namespace {

struct HeadingFixture
{
    GridTestOwner owner;
    HWND grid, top, side;
    LONG rowHeight;
    HeadingFixture(DWORD raised = GS_RAISED)
    {
        grid = owner.CreateGrid(0, 10);
        top = owner.CreateHeading(raised, 121, 40, 30, 600, 24);
        side = owner.CreateHeading(GS_SIDEHEADING | raised, 122, 0, 60, 36, 200);
        const LONG widths[] = {100, 120, 140};
        GridSetup(grid, top, side, 30, 3, widths, 2, TRUE);
        rowHeight = static_cast<LONG>(::SendMessage(grid, GM_GETROWHEIGHT, 0, 0));
        GridPlaceHeading(grid, 1, 0);
        Update();
        owner.Clear();
    }
    void Update()
    {
        for (HWND w : {grid, top, side})
            ::UpdateWindow(w);
    }
    void Post(UINT message, WPARAM wParam, int x, int y)
    {
        ::PostMessage(top, message, wParam, MAKELPARAM(x, y));
        PumpMessages();
    }
    std::vector<GridNotice> From(HWND sender, LONG code) const
    {
        std::vector<GridNotice> out;
        for (const GridNotice& n : owner.Of(code))
            if (n.sender == sender)
                out.push_back(n);
        return out;
    }
};

TEST(GridHeadings, CellsAreDrawnThroughTheOwnerWithTheRaisedLook)
{
    for (DWORD raised : {static_cast<DWORD>(GS_RAISED), 0ul}) {
        HeadingFixture f(raised);
        for (HWND w : {f.top, f.side})
            ::InvalidateRect(w, nullptr, FALSE);
        f.Update();
        const std::vector<GridNotice> topCells = f.From(f.top, GN_DRAWCELL);
        ASSERT_EQ(3u, topCells.size());
        const LONG lefts[] = {0, 101, 221}, rights[] = {100, 220, 360};
        for (LONG c = 0; c < 3; ++c) {
            const GridWndNotify& b = topCells[c].block;
            EXPECT_EQ(121, topCells[c].id);
            EXPECT_EQ(c, b.column);
            EXPECT_EQ(0, b.row);
            EXPECT_EQ(0, b.value);
            EXPECT_EQ(GRID_ALIGN_CENTER, b.align);
            EXPECT_EQ(raised ? 1 : 0, b.flags);
            EXPECT_EQ(lefts[c], b.rect.left);
            EXPECT_EQ(rights[c], b.rect.right);
            EXPECT_EQ(::GetSysColor(raised ? COLOR_BTNFACE : COLOR_WINDOW), b.backColor);
            EXPECT_EQ("H" + std::to_string(c), topCells[c].text);
        }
        const std::vector<GridNotice> sideCells = f.From(f.side, GN_DRAWCELL);
        ASSERT_EQ(10u, sideCells.size());
        for (LONG r = 0; r < 10; ++r) {
            EXPECT_EQ(r, sideCells[r].block.row);
            EXPECT_EQ(1, sideCells[r].block.value);
            EXPECT_EQ(GRID_ALIGN_CENTER, sideCells[r].block.align);
            EXPECT_EQ(r * f.rowHeight, sideCells[r].block.rect.top);
        }
    }
}

TEST(GridHeadings, TheSideHeadingFollowsOneRowScrolls)
{
    HeadingFixture f;
    ::PostMessage(f.grid, WM_VSCROLL, SB_LINEDOWN, 0);
    PumpMessages();
    std::vector<GridNotice> cells = f.From(f.side, GN_DRAWCELL);
    ASSERT_FALSE(cells.empty());
    EXPECT_LE(cells.size(), 2u) << "only the uncovered rows";
    EXPECT_EQ(10, cells.back().block.row);
    f.owner.Clear();
    ::PostMessage(f.grid, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 15), 0);
    PumpMessages();
    EXPECT_EQ(10u, f.From(f.side, GN_DRAWCELL).size()) << "a jump repaints the heading";
    EXPECT_EQ(15, f.From(f.side, GN_DRAWCELL).front().block.row);
}

TEST(GridHeadings, ClicksReportTheColumnOrRow)
{
    HeadingFixture f;
    ::SendMessage(f.grid, GM_ENABLECOLUMNSIZING, 0, 0);
    struct Case
    {
        HWND HeadingFixture::*window;
        UINT message;
        int x, y;
        LONG code, row, column, extra;
    };
    const Case cases[] = {
        {&HeadingFixture::top, WM_LBUTTONDOWN, 150, 5, GN_CLICK, 0, 1, 1},
        {&HeadingFixture::top, WM_LBUTTONUP, 150, 5, GN_CLICK, 0, 1, 0},
        {&HeadingFixture::top, WM_LBUTTONDBLCLK, 300, 5, GN_DOUBLECLICK, 0, 2, 1},
        {&HeadingFixture::top, WM_RBUTTONDOWN, 50, 5, GN_RIGHTCLICK, 0, 0, 1},
        {&HeadingFixture::top, WM_RBUTTONUP, 50, 5, GN_RIGHTCLICK, 0, 0, 0},
        {&HeadingFixture::side, WM_LBUTTONDOWN, 5, 0, GN_CLICK, 3, 0, 1},
    };
    for (const Case& c : cases) {
        f.owner.Clear();
        const int y = c.window == &HeadingFixture::side ? 3 * f.rowHeight + 2 : c.y;
        ::PostMessage(f.*c.window, c.message, 0, MAKELPARAM(c.x, y));
        PumpMessages();
        ASSERT_EQ(1u, f.owner.notices.size()) << c.message;
        const GridNotice& n = f.owner.notices[0];
        EXPECT_EQ(c.code, n.code);
        EXPECT_EQ(f.*c.window, n.sender);
        EXPECT_EQ(c.row, n.block.row);
        EXPECT_EQ(c.column, n.block.column);
        EXPECT_EQ(c.extra, n.block.extra);
    }
}

TEST(GridHeadings, ColumnsAreSizedByDraggingTheirBorder)
{
    HeadingFixture f;
    bool refuse = true;
    f.owner.answer = [&](GridWndNotify& b, LONG code, HWND) {
        if (code == GN_BEGINCOLUMNSIZE && refuse)
            b.value = 0;
    };
    f.Post(WM_MOUSEMOVE, 0, 103, 5);
    f.Post(WM_LBUTTONDOWN, MK_LBUTTON, 103, 5);
    ASSERT_EQ(1u, f.owner.Of(GN_BEGINCOLUMNSIZE).size());
    EXPECT_EQ(0, f.owner.Of(GN_BEGINCOLUMNSIZE)[0].block.column);
    EXPECT_EQ(1, f.owner.Of(GN_BEGINCOLUMNSIZE)[0].block.value);
    f.Post(WM_MOUSEMOVE, MK_LBUTTON, 140, 5);
    f.Post(WM_LBUTTONUP, 0, 140, 5);
    EXPECT_TRUE(f.owner.Of(GN_COLUMNSIZING).empty()) << "a refused sizing does not start";
    EXPECT_EQ(100, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 0, 0));

    refuse = false;
    f.owner.Clear();
    f.Post(WM_MOUSEMOVE, 0, 101, 5);
    f.Post(WM_LBUTTONDOWN, MK_LBUTTON, 101, 5);
    const int moves[] = {130, 20, -50, 160};
    const LONG widths[] = {130, 20, 0, 160};
    for (int x : moves)
        f.Post(WM_MOUSEMOVE, MK_LBUTTON, x, 5);
    f.Post(WM_LBUTTONUP, 0, 160, 5);
    const std::vector<GridNotice> sizing = f.owner.Of(GN_COLUMNSIZING);
    ASSERT_EQ(4u, sizing.size());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(widths[i], sizing[i].block.value) << "move to " << moves[i];
        EXPECT_EQ(0, sizing[i].block.column);
    }
    ASSERT_EQ(1u, f.owner.Of(GN_COLUMNSIZED).size());
    EXPECT_EQ(160, f.owner.Of(GN_COLUMNSIZED)[0].block.value);
    EXPECT_EQ(160, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(160, ::SendMessage(f.top, GM_GETCOLUMNWIDTH, 0, 0)) << "the heading passes the query on";

    f.owner.answer = [&](GridWndNotify& b, LONG code, HWND) {
        if (code == GN_COLUMNSIZING)
            b.value = -7;
    };
    f.Post(WM_MOUSEMOVE, 0, 161, 5);
    f.Post(WM_LBUTTONDOWN, MK_LBUTTON, 161, 5);
    f.Post(WM_MOUSEMOVE, MK_LBUTTON, 180, 5);
    f.Post(WM_LBUTTONUP, 0, 180, 5);
    EXPECT_EQ(0, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 0, 0)) << "an owner's negative width becomes 0";
}

TEST(GridHeadings, PlacingAndFittingFollowTheGrid)
{
    HeadingFixture f;
    RECT gridClient;
    ::GetClientRect(f.grid, &gridClient);
    struct Case
    {
        int which, gap;
        RECT want; // in the owner's client coordinates
    };
    const Case cases[] = {
        {0, 0, {40, 36, 40 + gridClient.right, 60}},
        {0, 5, {40, 31, 40 + gridClient.right, 55}},
        {1, 3, {1, 60, 37, 60 + gridClient.bottom}},
    };
    for (const Case& c : cases) {
        GridPlaceHeading(f.grid, c.which, c.gap);
        HWND heading = c.which == 0 ? f.top : f.side;
        RECT r;
        ::GetWindowRect(heading, &r);
        ::MapWindowPoints(nullptr, f.owner.hWnd(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(c.want.left, r.left) << c.which << " gap " << c.gap;
        EXPECT_EQ(c.want.top, r.top);
        EXPECT_EQ(c.want.right, r.right);
        EXPECT_EQ(c.want.bottom, r.bottom);
    }

    EXPECT_EQ(1, GridFitColumns(f.grid, 0));
    // 100/120/140 in 600: 27%, 33% and 38% give 162, 198 and 228; 12 pixels left, 4 to each.
    EXPECT_EQ(166, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(202, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 1, 0));
    EXPECT_EQ(232, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 2, 0));
    EXPECT_EQ(1, GridFitColumns(f.grid, 1));
    EXPECT_EQ(600, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(202, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 1, 0));
    EXPECT_EQ(0, GridFitColumns(f.grid, 201));
}

} // namespace
