// Painting driven by UpdateWindow and by the grid's own moves: GN_DRAWCELL once per visible cell in
// layout order, the selected flag, rows past the end, redraw off, the change notifications and the
// incremental paints after one-row moves.
#include "GridTestOwner.h"

#include <gtest/gtest.h>

namespace {

struct PaintFixture
{
    GridTestOwner owner;
    HWND grid;
    LONG rowHeight;
    explicit PaintFixture(int visible = 10, LONG rows = 30, DWORD style = 0)
    {
        grid = owner.CreateGrid(style, visible);
        rowHeight = static_cast<LONG>(::SendMessage(grid, GM_GETROWHEIGHT, 0, 0));
        const LONG widths[] = {100, 120, 140};
        GridSetup(grid, nullptr, nullptr, rows, 3, widths, 2, FALSE);
        Paint();
    }
    void Paint()
    {
        ::InvalidateRect(grid, nullptr, FALSE);
        ::UpdateWindow(grid);
    }
    void Repaint()
    {
        owner.Clear();
        Paint();
    }
    GridWndState& State() { return *reinterpret_cast<GridWndState*>(::SendMessage(grid, WM_USER, 102, 0)); }
    void Post(UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        ::PostMessage(grid, message, wParam, lParam);
        PumpMessages();
    }
    // Rows drawn since the last Clear, in order.
    std::vector<LONG> DrawnRows() const
    {
        std::vector<LONG> rows;
        for (const GridNotice& n : owner.Of(GN_DRAWCELL))
            if (rows.empty() || rows.back() != n.block.row)
                rows.push_back(n.block.row);
        return rows;
    }
};

TEST(GridPaint, EveryVisibleCellIsAskedForOnceInLayoutOrder)
{
    struct Case
    {
        WPARAM verticalLines, horizontalLines;
        LONG lefts[3], rights[3];
        LONG bottomInset;
    };
    const Case cases[] = {
        {1, 0, {0, 101, 221}, {100, 220, 360}, 0},
        {0, 0, {0, 101, 221}, {101, 221, 361}, 0},
        {1, 1, {0, 101, 221}, {100, 220, 360}, 1},
    };
    for (const Case& c : cases) {
        PaintFixture f;
        ::SendMessage(f.grid, GM_SETVERTICALLINES, c.verticalLines, 0);
        ::SendMessage(f.grid, GM_SETHORIZONTALLINES, c.horizontalLines, 0);
        f.Repaint();
        const std::vector<GridNotice> cells = f.owner.Of(GN_DRAWCELL);
        ASSERT_EQ(30u, cells.size());
        for (size_t i = 0; i < cells.size(); ++i) {
            const GridWndNotify& b = cells[i].block;
            const LONG row = static_cast<LONG>(i / 3), column = static_cast<LONG>(i % 3);
            SCOPED_TRACE(testing::Message() << "lines " << c.verticalLines << c.horizontalLines << " cell " << i);
            EXPECT_EQ(row, b.row);
            EXPECT_EQ(column, b.column);
            EXPECT_EQ(c.lefts[column], b.rect.left);
            EXPECT_EQ(c.rights[column], b.rect.right);
            EXPECT_EQ(row * f.rowHeight, b.rect.top);
            EXPECT_EQ((row + 1) * f.rowHeight - c.bottomInset, b.rect.bottom);
            EXPECT_EQ(0, b.extra);
            EXPECT_EQ(GRID_ALIGN_LEFT, b.align);
            EXPECT_EQ(0, b.flags);
            EXPECT_EQ(0, b.ownerDrawn);
            EXPECT_EQ("r" + std::to_string(row) + "c" + std::to_string(column), cells[i].text);
        }
    }
}

TEST(GridPaint, TheStretchedLastColumnRaisesItsWidthButNeverLowersIt)
{
    PaintFixture f;
    ::SendMessage(f.grid, GM_SETSTRETCHLAST, 1, 0);
    f.Repaint();
    EXPECT_EQ(600, f.owner.Of(GN_DRAWCELL)[2].block.rect.right);
    EXPECT_EQ(380, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 2, 0));
    f.owner.FitRows(f.grid, 10, 400);
    f.Repaint();
    EXPECT_EQ(400, f.owner.Of(GN_DRAWCELL)[2].block.rect.right);
    EXPECT_EQ(380, ::SendMessage(f.grid, GM_GETCOLUMNWIDTH, 2, 0));
}

TEST(GridPaint, TheSelectedFlagFollowsRowSelectAndCellMode)
{
    for (WPARAM rowSelect : {0, 1}) {
        PaintFixture f;
        ::SendMessage(f.grid, GM_SETROWSELECT, rowSelect, 0);
        ::SendMessage(f.grid, GM_SETCURRENTROW, 0, 4);
        ::SendMessage(f.grid, GM_SETCURRENTCOLUMN, 1, 0);
        f.Repaint();
        for (const GridNotice& n : f.owner.Of(GN_DRAWCELL)) {
            const bool selected = n.block.row == 4 && (rowSelect || n.block.column == 1);
            EXPECT_EQ(selected ? 1 : 0, n.block.value) << "row select " << rowSelect << " cell " << n.block.row
                                                       << "," << n.block.column;
            if (selected) {
                EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), n.block.backColor);
            }
        }
    }
}

TEST(GridPaint, PositionsPastTheLastRowAskTheOwnerForRows)
{
    PaintFixture f(50, 20);
    f.Repaint();
    EXPECT_EQ(30u, f.owner.Of(GN_PASTLASTROW).size());
    EXPECT_EQ(60u, f.owner.Of(GN_DRAWCELL).size());
    for (const GridNotice& n : f.owner.Of(GN_PASTLASTROW)) {
        EXPECT_EQ(1, n.block.value);
        EXPECT_EQ(20, n.block.extra);
    }
    bool added = false;
    f.owner.answer = [&](GridWndNotify&, LONG code, HWND) {
        if (code == GN_PASTLASTROW && !added) {
            added = true;
            ::SendMessage(f.grid, GM_ADDROWS, 0, 10);
        }
    };
    f.Repaint();
    EXPECT_EQ(21u, f.owner.Of(GN_PASTLASTROW).size()) << "the first, then one for each of positions 30 to 49";
    EXPECT_EQ(90u, f.owner.Of(GN_DRAWCELL).size()) << "rows added from the notification are drawn in the paint";
    EXPECT_EQ(29, f.owner.Of(GN_DRAWCELL).back().block.row);
}

TEST(GridPaint, RedrawOffDrawsNothingAndOnAgainRepaints)
{
    PaintFixture f;
    EXPECT_EQ(1, ::SendMessage(f.grid, GM_SETREDRAW, 0, 0));
    f.Repaint();
    EXPECT_TRUE(f.owner.Of(GN_DRAWCELL).empty());
    f.owner.Clear();
    ::SendMessage(f.grid, GM_SETREDRAW, 1, 0);
    ::UpdateWindow(f.grid);
    EXPECT_EQ(30u, f.owner.Of(GN_DRAWCELL).size());
}

TEST(GridPaint, ChangeNotificationsFollowAPaintInTheirOrder)
{
    PaintFixture f;
    ::SendMessage(f.grid, GM_SETCURRENTROW, 0, 25);
    ::SendMessage(f.grid, GM_SETCURRENTCOLUMN, 2, 0);
    f.owner.Clear();
    ::UpdateWindow(f.grid);
    std::vector<GridNotice> changes;
    for (const GridNotice& n : f.owner.notices)
        if (n.code != GN_DRAWCELL)
            changes.push_back(n);
    ASSERT_EQ(4u, changes.size());
    const LONG codes[] = {GN_ROWCHANGED, GN_COLUMNCHANGED, GN_CELLCHANGED, GN_TOPROWCHANGED};
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(codes[i], changes[i].code);
    EXPECT_EQ(25, changes[0].block.row);
    EXPECT_EQ(2, changes[0].block.column);
    EXPECT_EQ(16, changes[3].block.row) << "the top row";
    EXPECT_EQ(0, changes[3].block.column) << "the left column";
    f.Repaint();
    EXPECT_TRUE(f.owner.Of(GN_ROWCHANGED).empty()) << "nothing changed since the last paint";
}

TEST(GridPaint, OneRowMovesRepaintOnlyTheRowsConcerned)
{
    PaintFixture f;
    struct Step
    {
        UINT message;
        WPARAM wParam;
        std::vector<LONG> rows; // rows drawn
        LONG top, current;
    };
    const Step steps[] = {
        {WM_KEYDOWN, VK_DOWN, {0, 1}, 0, 1},
        {WM_KEYDOWN, VK_UP, {1, 0}, 0, 0},
        {WM_VSCROLL, SB_LINEDOWN, {9, 10}, 1, 0},
        {WM_VSCROLL, SB_LINEUP, {0, 1}, 0, 0},
    };
    for (const Step& step : steps) {
        f.owner.Clear();
        f.Post(step.message, step.wParam);
        SCOPED_TRACE(testing::Message() << step.message << " " << step.wParam);
        EXPECT_EQ(step.rows, f.DrawnRows());
        EXPECT_EQ(step.top, f.State().topRow);
        EXPECT_EQ(step.current, f.State().currentRow);
    }
    ::SendMessage(f.grid, GM_SETCURRENTROW, 0, 9);
    ::UpdateWindow(f.grid);
    f.owner.Clear();
    f.Post(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(std::vector<LONG>({9, 10}), f.DrawnRows()) << "the list scrolls one row under the current row";
    EXPECT_EQ(1, f.State().topRow);
    f.owner.Clear();
    f.Post(WM_KEYDOWN, VK_NEXT);
    EXPECT_EQ(10u, f.DrawnRows().size()) << "a jump repaints the whole area";
}

} // namespace
