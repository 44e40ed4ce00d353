// A sheet's shape: counts, widths and heights, headings, locked rows and columns, column moves and fits.
#include "grid/sheet/GridSheetSizes.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(GridSheetSizes, CountsClampLockedColumnsAndRows)
{
    struct
    {
        int columns, locked, newColumns;
        int result, lockedAfter;
    } cases[] = {
        {10, 4, 3, 0, 2}, {10, 4, 4, 0, 3},     {10, 4, 5, 0, 4},
        {10, 4, 0, 0, 0}, {10, 4, 32001, 1, 4}, {10, 4, -1, 1, 4},
    };
    for (const auto& tc : cases) {
        GridSheetSizes s;
        s.SetColumnCount(tc.columns);
        ASSERT_EQ(0, s.SetLockedColumns(tc.locked));
        EXPECT_EQ(tc.result, s.SetColumnCount(tc.newColumns)) << tc.newColumns;
        EXPECT_EQ(tc.lockedAfter, s.GetLockedColumns()) << tc.newColumns;
        EXPECT_EQ(75 * tc.lockedAfter, s.GetLockedWidth()) << tc.newColumns;
    }
    GridSheetSizes s;
    s.SetRowCount(10);
    s.SetLockedRows(5);
    s.SetRowCount(5);
    EXPECT_EQ(4, s.GetLockedRows());
    EXPECT_EQ(80, s.GetLockedHeight());
    EXPECT_EQ(1, s.SetLockedRows(6));
    EXPECT_EQ(1, s.SetRowCount(-1));
}

TEST(GridSheetSizes, ManyRowsSwitchToUniformHeights)
{
    GridSheetSizes s;
    s.SetRowCount(64000);
    EXPECT_FALSE(s.IsUniform());
    s.SetRowHeight(3, 33);
    EXPECT_EQ(33, s.GetRowHeight(3));
    EXPECT_EQ(20, s.GetRowHeight(4));
    s.SetRowCount(64001);
    ASSERT_TRUE(s.IsUniform());
    s.SetRowHeight(7, 31);
    for (LONG r : {0L, 7L, 64000L})
        EXPECT_EQ(31, s.GetRowHeight(r)) << r;
    EXPECT_EQ(0, s.GetRowHeight(64001));
    s.SetUniformRowHeight(false);
    EXPECT_EQ(31, s.GetRowHeight(5)) << "a new table takes the default height";
}

TEST(GridSheetSizes, SideHeadingColumnWidthAnswersOneYetSetsIt)
{
    GridSheetSizes s;
    s.SetColumnCount(3);
    EXPECT_EQ(0, s.SetColumnWidth(1, 50));
    EXPECT_EQ(50, s.GetColumnWidth(1));
    EXPECT_EQ(1, s.SetColumnWidth(-1, 60));
    EXPECT_EQ(60, s.GetSideHeadingColumnWidth(-1));
    EXPECT_EQ(60, s.GetSideHeadingWidth()) << "the only side column sets the side width";
    EXPECT_EQ(1, s.SetColumnWidth(3, 10));
    EXPECT_EQ(1, s.GetColumnWidth(3));
    EXPECT_EQ(1, s.SetSideHeadingColumnWidth(-2, 10));
    EXPECT_EQ(2, s.SetSideHeadingColumnWidth(-1, 1025));
    EXPECT_EQ(1, s.SetTopHeadingRowHeight(0, 10));
}

TEST(GridSheetSizes, HeadingTotalsRescaleRoundingHalvesUp)
{
    struct
    {
        std::vector<int> before;
        int total;
        std::vector<int> after;
    } cases[] = {
        {{20}, 30, {30}},           {{10, 30}, 30, {8, 23}}, // 7.5 -> 8, 22.5 -> 23
        {{1, 1, 1}, 10, {3, 3, 3}},                          // 3.33
        {{0, 0, 0}, 10, {3, 3, 4}}, // no sum: equal shares, the outermost takes the rest
        {{5, 0}, 0, {0, 0}},
    };
    for (const auto& tc : cases) {
        GridSheetSizes s;
        s.SetTopHeadingRowCount((int)tc.before.size());
        s.SetSideHeadingColumnCount((int)tc.before.size());
        for (size_t k = 0; k < tc.before.size(); ++k) {
            s.SetTopHeadingRowHeight(-(int)k - 1, tc.before[k]);
            s.SetSideHeadingColumnWidth(-(int)k - 1, tc.before[k]);
        }
        ASSERT_EQ(0, s.SetTopHeadingHeight(tc.total));
        ASSERT_EQ(0, s.SetSideHeadingWidth(tc.total));
        for (size_t k = 0; k < tc.after.size(); ++k) {
            EXPECT_EQ(tc.after[k], s.GetTopHeadingRowHeight(-(int)k - 1)) << tc.total << " row " << k;
            EXPECT_EQ(tc.after[k], s.GetSideHeadingColumnWidth(-(int)k - 1)) << tc.total << " column " << k;
        }
    }
    GridSheetSizes s;
    EXPECT_EQ(1, s.SetTopHeadingHeight(1025));
    EXPECT_EQ(1, s.SetSideHeadingWidth(-1));
}

TEST(GridSheetSizes, MoveColumnCarriesItsDataColumn)
{
    struct
    {
        int from, to;
        bool before;
        int result;
        std::vector<int> order; // data columns by grid column
    } cases[] = {
        {2, 5, true, 0, {0, 1, 3, 4, 2, 5}},  {5, 2, true, 0, {0, 1, 5, 2, 3, 4}},
        {2, 5, false, 0, {0, 1, 3, 4, 5, 2}}, {2, 2, true, 0, {0, 1, 2, 3, 4, 5}},
        {2, 3, true, 0, {0, 1, 2, 3, 4, 5}},  {6, 2, true, 1, {0, 1, 2, 3, 4, 5}},
        {2, 6, false, 1, {0, 1, 2, 3, 4, 5}},
    };
    for (const auto& tc : cases) {
        GridSheetSizes s;
        s.SetColumnCount(6);
        for (int c = 0; c < 6; ++c)
            s.SetColumnWidth(c, 10 + c);
        EXPECT_EQ(tc.result, s.MoveColumn(tc.from, tc.to, tc.before)) << tc.from << "->" << tc.to;
        for (int c = 0; c < 6; ++c) {
            EXPECT_EQ(tc.order[c], s.GetDataColumn(c)) << tc.from << "->" << tc.to << " at " << c;
            EXPECT_EQ(10 + tc.order[c], s.GetColumnWidth(c)) << "the width travels with it";
        }
    }
}

TEST(GridSheetSizes, FitColumnsToWidthGivesTheRestToTheLast)
{
    GridSheetSizes s;
    s.SetColumnCount(4);
    s.SetColumnWidth(0, 30);
    s.SetColumnWidth(1, 30);
    s.SetColumnWidth(2, 40);
    EXPECT_EQ(0, s.FitColumnsToWidth(0, 2, 101));
    EXPECT_EQ(30, s.GetColumnWidth(0));
    EXPECT_EQ(30, s.GetColumnWidth(1));
    EXPECT_EQ(41, s.GetColumnWidth(2));
    EXPECT_EQ(75, s.GetColumnWidth(3));
    EXPECT_EQ(1, s.FitColumnsToWidth(2, 1, 100));
    EXPECT_EQ(1, s.FitColumnsToWidth(0, 4, 100));
    s.SetColumnWidth(0, 0);
    s.SetColumnWidth(1, 0);
    EXPECT_EQ(0, s.FitColumnsToWidth(0, 1, 51));
    EXPECT_EQ(25, s.GetColumnWidth(0));
    EXPECT_EQ(26, s.GetColumnWidth(1));
}

TEST(GridSheetSizes, LargestTopRowFillsTheCellAreaWithMixedHeights)
{
    GridSheetSizes s;
    s.SetRowCount(10);
    s.SetColumnCount(2);
    s.SetRowHeight(9, 50);
    s.SetRowHeight(8, 30);
    struct
    {
        int height;
        LONG locked;
        LONG largest;
    } cases[] = {
        {79, 0, 9}, {80, 0, 8}, {100, 0, 7}, {99, 0, 8}, {500, 0, 0}, {120, 2, 6}, {0, 0, 9},
    };
    for (const auto& tc : cases) {
        s.SetLockedRows(tc.locked);
        s.SetCellArea(200, tc.height + s.GetLockedHeight());
        EXPECT_EQ(tc.largest, s.GetLargestTopRow()) << tc.height << " locked " << tc.locked;
        EXPECT_GE(s.GetTopRow(), tc.locked);
        EXPECT_LE(s.GetTopRow(), tc.largest);
    }
    s.SetLockedRows(0);
    s.SetCellArea(150, 100);
    EXPECT_EQ(0, s.GetLargestLeftColumn()) << "both columns fit";
    s.SetCellArea(149, 100);
    EXPECT_EQ(1, s.GetLargestLeftColumn());
}

} // namespace
