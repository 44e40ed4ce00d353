// The grid's window-free arithmetic: counts and clamped positions, the thumb maps, vertical moves with
// their notifications, the cell layout, GM_GETCELLRECT and the fitting of columns.
#include "grid/listbox/GridGeometry.h"

#include <gtest/gtest.h>

#include <string.h>

#include <vector>

namespace {

struct State
{
    GridWndState s;
    LONG widths[GRID_DEFAULT_CAPACITY + 1];
    State(LONG rows = 0, LONG visible = 10)
    {
        memset(&s, 0, sizeof s);
        for (LONG& w : widths)
            w = GRID_DEFAULT_WIDTH;
        s.columnWidths = widths;
        s.columnCapacity = GRID_DEFAULT_CAPACITY;
        s.rowHeight = 10;
        s.visibleRows = visible;
        s.clientRect = {0, 0, 400, visible * 10};
        s.proportionalThumb = 1;
        s.verticalLines = 1;
        GridSetRowCount(s, rows);
    }
};

TEST(GridRows, CountsClampTheCurrentAndTopRow)
{
    State st;
    GridWndState& s = st.s;
    struct Step
    {
        char op; // c: set count, a: add rows, r: set current row
        LONG arg;
        LONG rows, current, top;
    };
    const Step steps[] = {
        {'c', 0, 0, -1, -1},   {'c', 5, 5, 0, 0},    {'r', 4, 5, 4, 0},    {'c', 3, 3, 2, 0},
        {'c', -1, 3, 2, 0},    {'r', 3, 3, 2, 0},    {'r', -7, 3, 0, 0},   {'a', -10, 0, -1, -1},
        {'r', 0, 0, -1, -1},   {'a', 3, 3, 0, 0},    {'c', 100, 100, 0, 0}, {'r', 50, 100, 50, 41},
        {'r', 45, 100, 45, 41}, {'r', 30, 100, 30, 30}, {'c', 20, 20, 19, 19},
    };
    for (const Step& step : steps) {
        if (step.op == 'c')
            GridSetRowCount(s, step.arg);
        else if (step.op == 'a')
            GridAddRows(s, step.arg);
        else
            GridSetCurrentRow(s, step.arg);
        SCOPED_TRACE(testing::Message() << step.op << " " << step.arg);
        EXPECT_EQ(step.rows, s.rowCount);
        EXPECT_EQ(step.current, s.currentRow);
        EXPECT_EQ(step.top, s.topRow);
        EXPECT_EQ(s.rowCount > 10 ? s.rowCount - 10 : 0, s.scrollRange);
    }
}

TEST(GridColumns, CountIsClampedToTheCapacityAndPositionsFollow)
{
    State st;
    GridWndState& s = st.s;
    GridSetColumnCount(s, 500);
    EXPECT_EQ(200, s.columnCount);
    s.currentColumn = 150;
    s.leftColumn = 120;
    GridSetColumnCount(s, 100);
    EXPECT_EQ(99, s.currentColumn);
    EXPECT_EQ(99, s.leftColumn);
    GridSetColumnCount(s, 0);
    EXPECT_EQ(-1, s.currentColumn);
    EXPECT_EQ(-1, s.leftColumn);
    GridSetColumnCount(s, 3);
    EXPECT_EQ(0, s.currentColumn);
    EXPECT_EQ(0, s.leftColumn);
}

TEST(GridThumb, MapsTopRowsOfAnyCount)
{
    struct Case
    {
        LONG rows, visible, top, proportional;
        int minimum, maximum, position;
    };
    const Case cases[] = {
        {1000, 40, 960, 1, 0, 99, 99}, {1000, 40, 0, 1, 0, 99, 0},   {1000, 40, 480, 1, 0, 99, 49},
        {80, 40, 0, 1, 0, 40, 0},      {80, 40, 17, 1, 0, 40, 17},   {80, 40, 40, 1, 0, 40, 40},
        {30, 40, 0, 1, 0, 1, 0},       {80, 40, 0, 0, 0, 2, 0},      {80, 40, 17, 0, 0, 2, 1},
        {80, 40, 40, 0, 0, 2, 2},      {0x7FFFFFFF, 40, 0x7FFFFFFF - 40, 1, 0, 99, 99},
        {2000000000, 40, 1000000000, 1, 0, 99, 49},
    };
    for (const Case& c : cases) {
        State st(c.rows, c.visible);
        st.s.topRow = c.top;
        st.s.proportionalThumb = c.proportional;
        const GridThumb t = GridVerticalThumb(st.s);
        SCOPED_TRACE(testing::Message() << c.rows << " rows, top " << c.top);
        EXPECT_EQ(c.minimum, t.minimum);
        EXPECT_EQ(c.maximum, t.maximum);
        EXPECT_EQ(c.position, t.position);
    }
    State big(1000, 40);
    EXPECT_EQ(960, GridTopFromThumb(big.s, 99));
    EXPECT_EQ(0, GridTopFromThumb(big.s, 0));
    State huge(0x7FFFFFFF, 40);
    EXPECT_EQ(0x7FFFFFFF - 40, GridTopFromThumb(huge.s, 99));
    EXPECT_EQ((0x7FFFFFFFLL - 40) * 50 / 99, GridTopFromThumb(huge.s, 50));
}

struct Sent
{
    LONG code, value, extra;
    bool operator==(const Sent& o) const { return code == o.code && value == o.value && extra == o.extra; }
};

TEST(GridVertical, MovesByLinePageAndThumbWithTheirNotifications)
{
    struct Case
    {
        LONG rows, visible, top, current;
        int direction;
        bool keyboard;
        LONG thumb;
        LONG wantTop, wantCurrent;
        std::vector<Sent> sent;
    };
    const Case cases[] = {
        {100, 10, 0, 0, GRID_LINE_DOWN, true, 0, 0, 1, {}},
        {100, 10, 0, 9, GRID_LINE_DOWN, true, 0, 1, 10, {}},
        {100, 10, 5, 5, GRID_LINE_UP, true, 0, 4, 4, {}},
        {100, 10, 0, 0, GRID_LINE_UP, true, 0, 0, 0, {{GN_BEFOREFIRSTROW, 1, 100}}},
        {100, 10, 90, 99, GRID_LINE_DOWN, true, 0, 90, 99, {{GN_PASTLASTROW, 1, 100}}},
        {100, 10, 0, 3, GRID_PAGE_DOWN, true, 0, 4, 13, {}},
        {100, 10, 90, 95, GRID_PAGE_DOWN, true, 0, 90, 99, {{GN_PASTLASTROW, 6, 100}}},
        {100, 10, 0, 4, GRID_PAGE_UP, true, 0, 0, 0, {{GN_BEFOREFIRSTROW, 6, 100}}},
        {100, 10, 0, 0, GRID_LINE_DOWN, false, 0, 1, 0, {}},
        {100, 10, 90, 95, GRID_LINE_DOWN, false, 0, 90, 95, {{GN_PASTLASTROW, 1, 100}}},
        {100, 10, 0, 0, GRID_LINE_UP, false, 0, 0, 0, {{GN_BEFOREFIRSTROW, 1, 100}}},
        {100, 10, 85, 0, GRID_PAGE_DOWN, false, 0, 90, 0, {{GN_PASTLASTROW, 5, 100}}},
        {100, 10, 4, 0, GRID_PAGE_UP, false, 0, 0, 0, {{GN_BEFOREFIRSTROW, 6, 100}}},
        {1000, 40, 0, 0, GRID_THUMB_POSITION, false, 99, 960, 0, {}},
        {80, 40, 0, 0, GRID_THUMB_POSITION, false, 25, 25, 0, {}},
        {30, 40, 0, 0, GRID_THUMB_POSITION, false, 1, 0, 0, {}},
        {1000, 40, 0, 0, GRID_THUMB_TRACK, false, 50, 0, 0, {}},
    };
    for (const Case& c : cases) {
        State st(c.rows, c.visible);
        st.s.topRow = c.top;
        st.s.currentRow = c.current;
        std::vector<Sent> sent;
        GridMoveVertical(st.s, c.direction, c.keyboard, c.thumb,
                         [&](LONG code, LONG value, LONG extra) { sent.push_back({code, value, extra}); });
        SCOPED_TRACE(testing::Message() << c.rows << "/" << c.visible << " top " << c.top << " current "
                                        << c.current << " direction " << c.direction << " keyboard "
                                        << c.keyboard);
        EXPECT_EQ(c.wantTop, st.s.topRow);
        EXPECT_EQ(c.wantCurrent, st.s.currentRow);
        EXPECT_TRUE(sent == c.sent);
    }
}

TEST(GridVertical, AnOwnerThatAddsRowsPastTheEndLetsTheMoveThrough)
{
    State st(10, 10);
    st.s.currentRow = 9;
    GridMoveVertical(st.s, GRID_LINE_DOWN, true, 0, [&](LONG code, LONG, LONG) {
        if (code == GN_PASTLASTROW)
            GridAddRows(st.s, 5);
    });
    EXPECT_EQ(10, st.s.currentRow);
    EXPECT_EQ(1, st.s.topRow);
}

std::vector<GridCellSpan> Layout(GridWndState& s, LONG clientWidth)
{
    std::vector<GridCellSpan> cells;
    GridCellWalk walk(s, clientWidth);
    GridCellSpan span;
    while (walk.Next(span))
        cells.push_back(span);
    return cells;
}

TEST(GridLayout, CellsFollowTheWidthsLinesAndStretching)
{
    struct Case
    {
        LONG verticalLines, stretch, left, clientWidth;
        std::vector<LONG> spans; // column, left, right triples
    };
    const Case cases[] = {
        {1, 0, 0, 400, {0, 0, 50, 1, 51, 110, 2, 111, 180}},
        {0, 0, 0, 400, {0, 0, 51, 1, 51, 111, 2, 111, 181}},
        {1, 0, 1, 400, {1, 0, 60, 2, 61, 130}},
        {1, 0, 0, 100, {0, 0, 50, 1, 51, 110}},
        {1, 1, 0, 400, {0, 0, 50, 1, 51, 110, 2, 111, 400}},
    };
    for (const Case& c : cases) {
        State st;
        GridWndState& s = st.s;
        GridSetColumnCount(s, 3);
        st.widths[0] = 50;
        st.widths[1] = 60;
        st.widths[2] = 70;
        s.verticalLines = c.verticalLines;
        s.stretchLastColumn = c.stretch;
        s.leftColumn = c.left;
        std::vector<LONG> got;
        for (const GridCellSpan& cell : Layout(s, c.clientWidth)) {
            got.push_back(cell.column);
            got.push_back(cell.left);
            got.push_back(cell.right);
        }
        EXPECT_EQ(c.spans, got) << "lines " << c.verticalLines << " stretch " << c.stretch;
    }
}

TEST(GridLayout, StretchingRaisesTheLastWidthButNeverLowersIt)
{
    State st;
    GridWndState& s = st.s;
    GridSetColumnCount(s, 2);
    st.widths[0] = 50;
    st.widths[1] = 60;
    s.stretchLastColumn = 1;
    Layout(s, 300);
    EXPECT_EQ(250, st.widths[1]);
    Layout(s, 120);
    EXPECT_EQ(250, st.widths[1]);
}

TEST(GridLayout, CellRectsAndHitsAgree)
{
    State st(100, 10);
    GridWndState& s = st.s;
    GridSetColumnCount(s, 4);
    st.widths[0] = 100;
    st.widths[1] = 150;
    st.widths[2] = 200;
    st.widths[3] = 50;
    s.topRow = 20;
    struct Case
    {
        LONG column, row;
        GridWndCellRect want;
    };
    const Case cases[] = {
        {0, 20, {0, 20, 1, 0, 100, 10, 1}},   {1, 25, {1, 25, 101, 50, 250, 60, 1}},
        {2, 29, {2, 29, 251, 90, 450, 100, 2}}, {3, 20, {3, 20, 451, 0, 500, 10, 0}},
        {0, 19, {0, 19, 0, 0, 0, 0, 0}},      {0, 30, {0, 30, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        GridWndCellRect r = {};
        r.column = c.column;
        r.row = c.row;
        GridCellRectFor(s, r);
        EXPECT_EQ(0, memcmp(&c.want, &r, sizeof r)) << c.column << "," << c.row << ": " << r.left << " " << r.top
                                                     << " " << r.right << " " << r.bottom << " " << r.visibility;
    }
    s.leftColumn = 1;
    GridWndCellRect r = {};
    r.column = 0;
    r.row = 20;
    GridCellRectFor(s, r);
    EXPECT_EQ(1, r.left) << "a column left of the left column gives the left column's rectangle";
    EXPECT_EQ(150, r.right);

    s.leftColumn = 0;
    GridHit hit;
    ASSERT_TRUE(GridHitTest(s, 120, 55, hit));
    EXPECT_EQ(25, hit.row);
    EXPECT_EQ(1, hit.column);
    EXPECT_EQ(19, hit.hitX);
    EXPECT_EQ(5, hit.hitY);
    EXPECT_FALSE(GridHitTest(s, -1, 5, hit));
    EXPECT_FALSE(GridHitTest(s, 5, 100, hit));
    GridSetRowCount(s, 22);
    s.topRow = 20;
    EXPECT_FALSE(GridHitTest(s, 5, 25, hit)) << "a position past the last row";
    st.widths[2] = 100;
    st.widths[3] = 20;
    EXPECT_FALSE(GridHitTest(s, 395, 5, hit)) << "right of the last column";
}

TEST(GridLayout, HorizontalMaximumAndVisibility)
{
    State st;
    GridWndState& s = st.s;
    GridSetColumnCount(s, 5);
    for (LONG i = 0; i < 5; ++i)
        st.widths[i] = 100;
    EXPECT_EQ(4, GridHorizontalMax(s, 250));
    s.fitHorizontalScroll = 1;
    EXPECT_EQ(3, GridHorizontalMax(s, 250));
    EXPECT_EQ(0, GridHorizontalMax(s, 600));
    s.currentColumn = 3;
    GridMakeColumnVisible(s, 250, false);
    EXPECT_EQ(2, s.leftColumn);
    s.leftColumn = 0;
    GridMakeColumnVisible(s, 200, true);
    EXPECT_EQ(3, s.leftColumn) << "reaching the width exactly advances once more";
    s.currentColumn = 1;
    GridMakeColumnVisible(s, 200, true);
    EXPECT_EQ(1, s.leftColumn);
}

TEST(GridFit, SharesTheClientWidthInWholePercentages)
{
    struct Case
    {
        std::vector<LONG> widths;
        LONG clientWidth;
        std::vector<LONG> want;
    };
    const Case cases[] = {
        {{100, 100, 100}, 301, {101, 100, 100}},
        {{1, 1, 1}, 10, {4, 3, 3}},
        {{0, 0, 0, 0}, 103, {26, 26, 26, 25}},
        {{300, 100}, 400, {300, 100}},
        {{50, 30, 20}, 7, {4, 2, 1}},
        {{10, 20}, 0, {0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<LONG> got(c.widths.size());
        GridFitWidths(c.widths.data(), static_cast<LONG>(c.widths.size()), c.clientWidth, got.data());
        EXPECT_EQ(c.want, got) << "client width " << c.clientWidth;
    }
}

} // namespace
