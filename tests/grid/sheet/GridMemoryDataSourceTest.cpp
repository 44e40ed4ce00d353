// The sheet's memory data source: cells made on demand, row and column edits, find and sort.
#include "grid/sheet/GridMemoryDataSource.h"
#include "tests/grid/sheet/SheetOwnerStub.h"
#include <gtest/gtest.h>
#include <string>

namespace {

void Put(GridMemoryDataSource& src, int column, LONG row, const char* text)
{
    GridCell cell;
    cell.SetText(text);
    ASSERT_EQ(0, src.SetCell(column, row, &cell));
}

std::string Text(GridMemoryDataSource& src, int column, LONG row)
{
    GridCell cell;
    if (src.GetCell(column, row, &cell) != 0)
        return "<none>";
    return cell.GetText() ? cell.GetText() : "<no text>";
}

TEST(GridMemoryDataSource, FreshSourceHasNothing)
{
    GridMemoryDataSource src;
    GridCell cell;
    EXPECT_EQ(1, src.GetCell(0, 0, &cell));
    EXPECT_EQ(1, src.GetCell(-1, -1, &cell));
    EXPECT_EQ(0, src.InsertRow(0));
    EXPECT_FALSE(src.HasRow(0));
    EXPECT_EQ(1, src.InsertColumn(0));
    EXPECT_EQ(1, src.DeleteCell(0, 0));
    EXPECT_EQ(-1, src.GetRowCount());
    EXPECT_EQ(-1, src.GetColumnCount());
}

TEST(GridMemoryDataSource, SetCellMakesRowsAndNodesUpToIt)
{
    GridMemoryDataSource src;
    Put(src, 3, 5, "x");
    for (LONG r = 0; r <= 5; ++r)
        EXPECT_TRUE(src.HasRow(r)) << r;
    EXPECT_FALSE(src.HasRow(6));
    EXPECT_EQ(4, src.NodeCount(5));
    EXPECT_EQ("x", Text(src, 3, 5));
    EXPECT_EQ("<none>", Text(src, 2, 5)) << "node without a cell";
    EXPECT_EQ("<none>", Text(src, 3, 4)) << "row without cells";
}

TEST(GridMemoryDataSource, ReadMergesOverDefaultsAndWriteReplacesTheMask)
{
    GridMemoryDataSource src;
    GridCell stored;
    stored.SetText("t");
    stored.SetBackColor(RGB(1, 2, 3));
    src.SetCell(0, 0, &stored);

    GridCell read;
    read.SetAlignment(0x24);
    ASSERT_EQ(0, src.GetCell(0, 0, &read));
    EXPECT_EQ(0x24, read.GetAlignment()) << "defaults underneath stay";
    EXPECT_EQ(RGB(1, 2, 3), read.GetBackColor());

    GridCell textOnly;
    textOnly.SetText("u");
    src.SetCell(0, 0, &textOnly);
    GridCell again;
    src.GetCell(0, 0, &again);
    EXPECT_FALSE(again.IsSet(0x100)) << "a write carries the given mask, dropping absent attributes";
    EXPECT_STREQ("u", again.GetText());
}

TEST(GridMemoryDataSource, HeadingCellStaysPutWhenSorting)
{
    SheetOwnerStub owner(3, 2);
    GridMemoryDataSource src;
    src.Attach(&owner, 0);
    Put(src, -1, -1, "heading");
    Put(src, 0, 0, "c");
    Put(src, 0, 1, "a");
    Put(src, 0, 2, "b");
    EXPECT_EQ(0, src.SortByColumn(0, 0));
    EXPECT_EQ("heading", Text(src, -1, -1));
    EXPECT_EQ("a", Text(src, 0, 0));
    EXPECT_EQ("b", Text(src, 0, 1));
    EXPECT_EQ("c", Text(src, 0, 2));
}

TEST(GridMemoryDataSource, RowAndColumnEditsShiftCellsAndDataColumns)
{
    struct
    {
        const char* name;
        void (*edit)(GridMemoryDataSource&);
        // Texts expected at (column, row 0) for columns 0..3, and at (0, rows 0..2).
        const char* row0[4];
        const char* column0[3];
        int dataColumns[3];
    } cases[] = {
        {"insert row 1",
         [](GridMemoryDataSource& s) { s.InsertRow(1); },
         {"a", "b", "c", "<none>"},
         {"a", "<none>", "x"},
         {0, 1, 2}},
        {"delete row 0",
         [](GridMemoryDataSource& s) { s.DeleteRow(0); },
         {"x", "<none>", "<none>", "<none>"},
         {"x", "<none>", "<none>"},
         {0, 1, 2}},
        {"insert column 1",
         [](GridMemoryDataSource& s) { s.InsertColumn(1); },
         {"a", "<none>", "b", "c"},
         {"a", "x", "<none>"},
         {0, 2, 3}},
        {"delete column 0",
         [](GridMemoryDataSource& s) { s.DeleteColumn(0); },
         {"b", "c", "<none>", "<none>"},
         {"b", "<none>", "<none>"},
         {-1, 0, 1}},
        {"delete last column",
         [](GridMemoryDataSource& s) { s.DeleteColumn(2); },
         {"a", "b", "<none>", "<none>"},
         {"a", "x", "<none>"},
         {0, 1, 1}},
        {"delete cell",
         [](GridMemoryDataSource& s) { s.DeleteCell(1, 0); },
         {"a", "<none>", "c", "<none>"},
         {"a", "x", "<none>"},
         {0, 1, 2}},
    };
    for (const auto& tc : cases) {
        SheetOwnerStub owner(3, 3);
        GridMemoryDataSource src;
        src.Attach(&owner, 0);
        Put(src, 0, 0, "a");
        Put(src, 1, 0, "b");
        Put(src, 2, 0, "c");
        Put(src, 0, 1, "x");
        tc.edit(src);
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(tc.row0[c], Text(src, c, 0)) << tc.name << " column " << c;
        for (int r = 0; r < 3; ++r)
            EXPECT_EQ(tc.column0[r], Text(src, 0, r)) << tc.name << " row " << r;
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(tc.dataColumns[c], owner.dataColumns[c]) << tc.name << " data column " << c;
    }
}

TEST(GridMemoryDataSource, DeletingARowsLastCellKeepsItsNode)
{
    GridMemoryDataSource src;
    Put(src, 0, 0, "a");
    Put(src, 1, 0, "b");
    Put(src, 0, 1, "only");
    src.DeleteColumn(1);
    EXPECT_EQ(2, src.NodeCount(0)) << "the row does not shrink";
    EXPECT_EQ("<none>", Text(src, 1, 0));
    src.DeleteColumn(0);
    EXPECT_EQ(1, src.NodeCount(0));
    EXPECT_EQ("<none>", Text(src, 0, 0)) << "what was column 1 was emptied before";
    EXPECT_EQ(1, src.NodeCount(1));
    EXPECT_EQ("<none>", Text(src, 0, 1));
}

TEST(GridMemoryDataSource, DeletingAllRowsStartsAgainAtRowZero)
{
    GridMemoryDataSource src;
    Put(src, 0, 2, "a");
    for (LONG r = 2; r >= 0; --r)
        src.DeleteRow(r);
    EXPECT_FALSE(src.HasRow(0));
    Put(src, 0, 1, "b");
    EXPECT_TRUE(src.HasRow(0));
    EXPECT_EQ("b", Text(src, 0, 1));
    EXPECT_EQ(-1, src.DeleteAll());
    EXPECT_FALSE(src.HasRow(0));
}

// A 3 x 3 sheet:
//   row 0: apple  Bar    x
//   row 1: -      bar    pineapple
//   row 2: BAR    -      apple
struct FindFixture : ::testing::Test
{
    SheetOwnerStub owner{3, 3};
    GridMemoryDataSource src;
    void SetUp() override
    {
        src.Attach(&owner, 0);
        Put(src, 0, 0, "apple");
        Put(src, 1, 0, "Bar");
        Put(src, 2, 0, "x");
        Put(src, 1, 1, "bar");
        Put(src, 2, 1, "pineapple");
        Put(src, 0, 2, "BAR");
        Put(src, 2, 2, "apple");
    }
};

TEST_F(FindFixture, FlagsAndDirectionsWrap)
{
    struct
    {
        const char* text;
        int flags;
        int column;
        LONG row;
        int foundColumn; // -1: nothing found
        LONG foundRow;
    } cases[] = {
        // whole text, case kept
        {"bar", 0, 1, 0, 1, 1},
        {"bar", 0, 1, 1, 1, 1}, // wraps round to itself
        {"BAR", 0, 1, 0, -1, 0},
        // whole text, case ignored, down the column wrapping from the last row
        {"bar", 0x2, 1, 1, 1, 0},
        // partial, case kept
        {"apple", 0x1, 2, 1, 2, 2},
        {"apple", 0x1, 2, 2, 2, 1},
        // partial, case ignored
        {"AR", 0x3, 0, 0, 0, 2},
        // backwards down the column: from row 0 the search starts at the last row
        {"apple", 0x4, 2, 0, 2, 2},
        {"Bar", 0x6, 1, 0, 1, 1},
        // along rows, forward and backward, wrapping rows
        {"apple", 0x8, 0, 0, 2, 2},
        {"apple", 0x9, 2, 2, 0, 0},
        {"x", 0xC, 0, 0, 2, 0},
        {"bar", 0xE, 0, 2, 1, 1},
        {"nothing", 0x3, 0, 0, -1, 0},
    };
    for (const auto& tc : cases) {
        int column = tc.column;
        LONG row = tc.row;
        int result = src.FindNext(tc.text, &column, &row, tc.flags);
        if (tc.foundColumn < 0) {
            EXPECT_EQ(1, result) << tc.text << " flags " << tc.flags;
            continue;
        }
        ASSERT_EQ(0, result) << tc.text << " flags " << tc.flags;
        EXPECT_EQ(tc.foundColumn, column) << tc.text << " flags " << tc.flags;
        EXPECT_EQ(tc.foundRow, row) << tc.text << " flags " << tc.flags;
    }
}

TEST_F(FindFixture, FindFirstStartsAtTheTopAndLeavesTheTextAlone)
{
    char text[] = "bar";
    int column = 1;
    LONG row = 2;
    ASSERT_EQ(0, src.FindFirst(text, &column, &row, 0x2));
    EXPECT_EQ(1, column);
    EXPECT_EQ(0, row);
    EXPECT_STREQ("bar", text);
    column = 2;
    row = 2;
    ASSERT_EQ(0, src.FindFirst("x", &column, &row, 0x8));
    EXPECT_EQ(2, column);
    EXPECT_EQ(0, row);
}

TEST(GridMemoryDataSource, FindWithoutOwnerOrRowsFindsNothing)
{
    GridMemoryDataSource src;
    Put(src, 0, 0, "a");
    int column = 0;
    LONG row = 0;
    EXPECT_EQ(1, src.FindNext("a", &column, &row, 0));
    SheetOwnerStub empty(0, 1);
    src.Attach(&empty, 0);
    EXPECT_EQ(1, src.FindNext("a", &column, &row, 0));
}

TEST(GridMemoryDataSource, SortIsStableBubbleSortThroughTheGrid)
{
    struct
    {
        int flags;
        const char* expected[4];
    } cases[] = {
        {0x2, {"10", "9", "2", "<none>"}},
        {0, {"<none>", "2", "9", "10"}},
    };
    for (const auto& tc : cases) {
        SheetOwnerStub owner(4, 2);
        GridMemoryDataSource src;
        src.Attach(&owner, 0);
        const double numbers[] = {9, 10, 2};
        for (LONG r = 0; r < 3; ++r) {
            GridCell cell;
            cell.SetNumber(numbers[r]);
            cell.SetDecimals(0);
            cell.SetNumber(numbers[r]);
            src.SetCell(0, r, &cell);
        }
        Put(src, 1, 3, "row without a key"); // row 3 has no cell in column 0
        src.SortByColumn(0, tc.flags);
        EXPECT_LT(0, owner.comparisons);
        for (LONG r = 0; r < 4; ++r)
            EXPECT_EQ(tc.expected[r], Text(src, 0, r)) << "flags " << tc.flags << " row " << r;
    }
}

TEST(GridMemoryDataSource, EqualKeysKeepTheirOrderAndLaterKeysDecide)
{
    SheetOwnerStub owner(4, 2);
    GridMemoryDataSource src;
    src.Attach(&owner, 0);
    const char* rows[][2] = {{"b", "1"}, {"a", "2"}, {"b", "0"}, {"a", "1"}};
    for (LONG r = 0; r < 4; ++r) {
        Put(src, 0, r, rows[r][0]);
        Put(src, 1, r, rows[r][1]);
    }
    const int oneKey[] = {0};
    src.SortBy(oneKey, 1, 0);
    const char* stable[] = {"2", "1", "1", "0"};
    for (LONG r = 0; r < 4; ++r)
        EXPECT_EQ(stable[r], Text(src, 1, r)) << r;
    const int twoKeys[] = {0, 1};
    src.SortBy(twoKeys, 2, 0);
    const char* both[] = {"1", "2", "0", "1"};
    for (LONG r = 0; r < 4; ++r)
        EXPECT_EQ(both[r], Text(src, 1, r)) << r;
}

TEST(GridMemoryDataSource, PreviousNonEmptyWalksLeft)
{
    GridMemoryDataSource src;
    Put(src, 0, 0, "a");
    Put(src, 1, 0, "");
    Put(src, 3, 0, "d");
    struct
    {
        int column;
        int result;
        int found;
    } cases[] = {{3, 0, 0}, {9, 0, 3}, {0, 1, 0}, {2, 1, 2}}; // past the end: the last node counts
    for (const auto& tc : cases) {
        int column = tc.column;
        EXPECT_EQ(tc.result, src.FindPreviousNonEmpty(&column, 0)) << tc.column;
        EXPECT_EQ(tc.found, column) << tc.column;
    }
    int column = 3;
    EXPECT_EQ(1, src.FindPreviousNonEmpty(&column, 5));
}

} // namespace
