// The data source every sheet owns: cells kept in memory, rows and cells made on demand when written.
//
// Rows exist only between the first and the last row ever written (heading rows, negative, included);
// within a row, cell nodes exist between its leftmost and rightmost written cells, and a node may be
// empty (no cell). Numbers are counted from each row's column-0 node, so deleting or inserting a node
// left of column 0 moves the nodes further left, as it would in a linked list. Row and column counts are
// not answered (-1): the grid's own counts decide the shape. Searches and column insertion and deletion
// ask the owner for the current sheet's counts and column table; without an owner a search finds nothing.
#pragma once
#include "grid/sheet/GridCell.h"
#include "grid/sheet/GridDataSource.h"
#include <deque>
#include <memory>

class GridMemoryDataSource : public GridDataSource
{
public:
    GridMemoryDataSource() = default;
    ~GridMemoryDataSource() override { DeleteAll(); }
    GridMemoryDataSource(const GridMemoryDataSource&) = delete;
    GridMemoryDataSource& operator=(const GridMemoryDataSource&) = delete;

    int AppendRow() override { return 0; }
    int AppendColumn() override { return 0; }
    int InsertRow(LONG row) override;
    int InsertColumn(int column) override;
    int DeleteRow(LONG row) override;
    int DeleteColumn(int column) override;
    int DeleteCell(int column, LONG row) override;
    int DeleteAll() override;

    // 1 when the row, the node or its cell is missing; else the stored attributes are merged in.
    int GetCell(int column, LONG row, GridCell* cell) override;
    // Makes rows and nodes as needed; the stored cell takes the given mask and attributes.
    int SetCell(int column, LONG row, GridCell* cell) override;
    // The text is not changed (case-blind searches work on a copy).
    int FindFirst(const char* text, int* column, LONG* row, int flags) override;
    int FindNext(const char* text, int* column, LONG* row, int flags) override;
    // A stable bubble sort of rows 0 and later through the owner's comparison.
    int SortBy(const int* columns, int count, int flags) override;
    int SortByColumn(int column, int flags) override { return SortBy(&column, 1, flags); }
    int FindPreviousNonEmpty(int* column, LONG row) override;

    // Whether a row node exists, and how many cell nodes a row has (for tests and the benchmark).
    bool HasRow(LONG row) const { return RowAt(row) != nullptr; }
    int NodeCount(LONG row) const;

private:
    struct Row
    {
        int firstColumn = 0; // number of cells.front()
        std::deque<std::unique_ptr<GridCell>> cells;
        bool HasNode(int column) const
        {
            return !cells.empty() && column >= firstColumn && column < firstColumn + (int)cells.size();
        }
        GridCell* CellAt(int column) const
        {
            return HasNode(column) ? cells[column - firstColumn].get() : nullptr;
        }
    };
    Row* RowAt(LONG row) const;
    Row& MakeRow(LONG row);
    std::unique_ptr<GridCell>& MakeNode(Row& r, int column);
    bool Matches(const GridCell* cell, const std::string& text, int flags) const;

    LONG m_firstRow = 0;
    std::deque<std::unique_ptr<Row>> m_rows;
    // Where the last search stood.
    int m_searchColumn = 0;
    LONG m_searchRow = 0;
};
