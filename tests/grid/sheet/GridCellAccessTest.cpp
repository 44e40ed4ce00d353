// Reading a cell through its layers and writing it through the hook and the data source.
#include "grid/sheet/GridCellAccess.h"
#include "grid/sheet/GridMemoryDataSource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct RecordingSource : GridMemoryDataSource
{
    std::vector<std::string> calls;
    int GetCell(int c, LONG r, GridCell* cell) override
    {
        calls.push_back("get " + std::to_string(c) + "," + std::to_string(r));
        return GridMemoryDataSource::GetCell(c, r, cell);
    }
    int SetCell(int c, LONG r, GridCell* cell) override
    {
        calls.push_back("set " + std::to_string(c) + "," + std::to_string(r));
        return GridMemoryDataSource::SetCell(c, r, cell);
    }
};

struct RecordingHooks : GridCellHooks
{
    std::vector<std::string>* log;
    COLORREF readColour = 0;
    void CellRead(int c, LONG r, GridCell& cell) override
    {
        log->push_back("read " + std::to_string(c) + "," + std::to_string(r));
        if (readColour)
            cell.SetTextColor(readColour);
    }
    void CellWrite(int c, LONG r, GridCell&) override
    {
        log->push_back("write " + std::to_string(c) + "," + std::to_string(r));
    }
};

struct Upcase : GridCellFormat
{
    void Apply(GridCell& cell) override { cell.SetLabel("formatted"); }
};

struct CellAccessFixture : ::testing::Test
{
    GridSheetSizes sheet;
    RecordingSource source;
    GridCell heading;
    RecordingHooks hooks;
    GridCellAccess access{sheet, &source, heading, hooks};
    void SetUp() override
    {
        hooks.log = &source.calls;
        heading.SetAlignment(0x24);
        sheet.SetCurrentSource(&source);
        sheet.SetColumnCount(3);
        sheet.SetRowCount(4);
        GridCell def;
        def.SetBackColor(RGB(1, 1, 1));
        def.SetAlignment(2);
        sheet.SetColumnDefault(1, def);
    }
};

TEST_F(CellAccessFixture, LayersOverrideExactlyWhatTheyCarry)
{
    GridCell stored;
    stored.SetText("data");
    stored.SetBackColor(RGB(2, 2, 2));
    source.GridMemoryDataSource::SetCell(1, 2, &stored);
    hooks.readColour = RGB(3, 3, 3);
    GridCell cell;
    access.GetCell(1, 2, cell);
    EXPECT_STREQ("data", cell.GetText());
    EXPECT_EQ(RGB(2, 2, 2), cell.GetBackColor()) << "the source over the column default";
    EXPECT_EQ(2, cell.GetAlignment()) << "the column default where the source has nothing";
    EXPECT_EQ(RGB(3, 3, 3), cell.GetTextColor()) << "the hook after the source";
    EXPECT_EQ((std::vector<std::string>{"get 1,2", "read 1,2"}), source.calls);

    GridCell style;
    style.SetBackColor(RGB(4, 4, 4));
    Upcase format;
    stored.SetStyleCell(&style);
    stored.SetFormatObject(&format);
    source.GridMemoryDataSource::SetCell(1, 2, &stored);
    access.GetCell(1, 2, cell);
    EXPECT_EQ(RGB(4, 4, 4), cell.GetBackColor()) << "the style cell last";
    EXPECT_STREQ("formatted", cell.GetLabel());
    EXPECT_STREQ("data", cell.GetText());
}

TEST_F(CellAccessFixture, RowsPastTheEndAndHeadingsGetDefaults)
{
    struct
    {
        int column;
        LONG row;
        WORD alignment;
        bool asked;
    } cases[] = {
        {1, 4, 2, false},    // column default only
        {0, 9, 0, false},    // no default cell attributes
        {-1, 0, 0x24, true}, // heading column
        {1, -1, 0x24, true}, // heading row
        {3, 0, 0x24, true},  // past the columns
        {3, 4, 0x24, false},
    };
    for (const auto& tc : cases) {
        source.calls.clear();
        GridCell cell;
        cell.SetText("stale");
        EXPECT_EQ(0, access.GetCell(tc.column, tc.row, cell));
        EXPECT_EQ(nullptr, cell.GetText()) << tc.column << "," << tc.row;
        EXPECT_EQ(tc.alignment, cell.GetAlignment()) << tc.column << "," << tc.row;
        EXPECT_EQ(tc.asked, !source.calls.empty()) << tc.column << "," << tc.row;
    }
}

TEST_F(CellAccessFixture, MovedColumnsAskForTheirDataColumn)
{
    sheet.MoveColumn(0, 2, false); // grid columns now show data columns 1, 2, 0
    GridCell cell;
    cell.SetText("x");
    access.SetCell(2, 1, cell);
    EXPECT_EQ((std::vector<std::string>{"write 2,1", "set 0,1"}), source.calls);
    source.calls.clear();
    GridCell read;
    access.GetCell(2, 1, read);
    EXPECT_STREQ("x", read.GetText());
    EXPECT_EQ((std::vector<std::string>{"get 0,1", "read 0,1"}), source.calls);
    GridCell data;
    data.SetAlignment(7);
    EXPECT_EQ(0, access.GetDataCell(2, 1, data));
    EXPECT_EQ(0, data.GetAlignment()) << "no defaults in a data read";
    EXPECT_EQ(1, access.GetDataCell(3, 1, data));
}

} // namespace
