// Selected blocks: clicks, keys, right clicks, enumeration and the repaints they ask for.
#include "grid/sheet/GridSelection.h"
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

struct RecordingHost : GridSelectionHost
{
    int columns = 5;
    bool shift = false, control = false;
    std::vector<std::string> repaints;
    int SelectionColumnCount() const override { return columns; }
    bool ShiftHeld() const override { return shift; }
    bool ControlHeld() const override { return control; }
    void RepaintRange(int l, LONG t, int r, LONG b) override
    {
        repaints.push_back(std::to_string(l) + "," + std::to_string(t) + "-" + std::to_string(r) + "," +
                           std::to_string(b));
    }
    void RepaintAll() override { repaints.push_back("all"); }
};

typedef std::vector<std::pair<int, LONG>> Cells;

Cells Enumerate(GridSelection& sel, int currentColumn, LONG currentRow)
{
    Cells out;
    int c;
    LONG r;
    for (int res = sel.EnumFirstSelected(currentColumn, currentRow, &c, &r); res == 0;
         res = sel.EnumNextSelected(&c, &r))
        out.emplace_back(c, r);
    return out;
}

TEST(GridSelection, ShiftKeyExtendsFromTheAnchorAndAPlainKeyCollapses)
{
    RecordingHost host;
    GridSelection sel(host);
    sel.SetMode(GSM_CELLS);
    sel.SelectByKey(1, 1);
    host.shift = true;
    sel.SelectByKey(1, 2);
    sel.SelectByKey(1, 3);
    ASSERT_EQ(1u, sel.Blocks().size());
    EXPECT_EQ(1, sel.AnchorColumn());
    EXPECT_EQ(1, sel.AnchorRow()) << "the anchor stays where the block began";
    EXPECT_EQ(1, sel.Blocks()[0].top);
    EXPECT_EQ(3, sel.Blocks()[0].bottom);
    EXPECT_EQ("1,1-1,3", host.repaints.back());
    host.shift = false;
    host.repaints.clear();
    sel.SelectByKey(1, 4);
    ASSERT_EQ(1u, sel.Blocks().size());
    EXPECT_EQ(4, sel.AnchorRow());
    EXPECT_EQ((Cells{{1, 4}}), Enumerate(sel, 1, 4));
    EXPECT_EQ((std::vector<std::string>{"1,1-1,3", "all"}), host.repaints)
        << "the old block and, as it was extended, the whole grid";
}

TEST(GridSelection, ControlClickAddsABlockAndEnumerationDeliversEachCellOnceInRowOrder)
{
    RecordingHost host;
    GridSelection sel(host);
    sel.SetMode(GSM_CELLS);
    sel.SelectByClick(0, 0, 0);
    sel.SelectByClick(1, 1, GKF_SHIFT);
    sel.SelectByClick(1, 1, GKF_CONTROL); // repeated click: nothing
    EXPECT_EQ(1u, sel.Blocks().size());
    sel.SelectByClick(2, 1, GKF_CONTROL);
    sel.ExtendTo(1, 2);
    ASSERT_EQ(2u, sel.Blocks().size());
    const Cells expected = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 1}, {1, 2}, {2, 2}};
    EXPECT_EQ(expected, Enumerate(sel, 1, 2));
    int index = -1;
    EXPECT_EQ(1, sel.IsSelected(1, 1, &index));
    EXPECT_EQ(1, index) << "the last block holding the cell";
    EXPECT_EQ(0, sel.IsSelected(2, 0));
    int c;
    LONG r;
    EXPECT_EQ(1, sel.EnumNextSelected(&c, &r)) << "stays ended";
}

TEST(GridSelection, RepeatedClickChangesNothing)
{
    RecordingHost host;
    GridSelection sel(host);
    sel.SetMode(GSM_CELLS);
    sel.SelectByClick(2, 2, 0);
    sel.SelectByClick(3, 3, GKF_SHIFT);
    const auto blocks = sel.Blocks().size();
    const auto repaints = host.repaints.size();
    sel.SelectByClick(3, 3, 0);
    EXPECT_EQ(blocks, sel.Blocks().size());
    EXPECT_EQ(3, sel.Blocks()[0].right);
    EXPECT_EQ(repaints, host.repaints.size());
}

TEST(GridSelection, RightClickKeepsASelectedCellAndRestartsElsewhere)
{
    RecordingHost host;
    GridSelection sel(host);
    sel.SetMode(GSM_CELLS);
    sel.SelectByClick(0, 0, 0);
    sel.SelectByClick(2, 2, GKF_SHIFT);
    sel.SelectByRightClick(1, 1);
    EXPECT_EQ(2, sel.Blocks()[0].right);
    sel.SelectByRightClick(4, 4);
    ASSERT_EQ(1u, sel.Blocks().size());
    EXPECT_EQ(4, sel.Blocks()[0].left);
    EXPECT_EQ("0,0-2,2", host.repaints[host.repaints.size() - 2]);
}

TEST(GridSelection, RowBlocksSpanEveryColumn)
{
    RecordingHost host;
    GridSelection sel(host);
    sel.SetMode(GSM_ROWS);
    sel.SelectByClick(2, 1, 0);
    sel.SelectByClick(3, 2, GKF_SHIFT);
    const auto& b = sel.Blocks().back();
    EXPECT_EQ(0, b.left);
    EXPECT_EQ(host.columns - 1, b.right);
    Cells cells = Enumerate(sel, 2, 1);
    EXPECT_EQ(size_t(2 * host.columns), cells.size());
    EXPECT_EQ(std::make_pair(host.columns - 1, LONG(2)), cells.back()) << "nothing past the last column";
}

TEST(GridSelection, WithoutBlocksTheCurrentCellIsTheSelection)
{
    RecordingHost host;
    GridSelection sel(host);
    EXPECT_EQ((Cells{{3, 7}}), Enumerate(sel, 3, 7));
    sel.Clear();
    EXPECT_TRUE(host.repaints.empty()) << "nothing was marked";
}

} // namespace
