// The shape of one sheet: its columns (width, data column), row heights, heading rows and columns,
// locked rows and columns, and the largest top row and left column that still fill the cell area.
//
// Rows beyond 64,000 switch the sheet to uniform heights, where no table is kept and every row has the
// default height. Locked widths and heights are kept as sums and recomputed by every call that changes
// them. Indices out of range are refused with a code and change nothing.
#pragma once
#include "grid/sheet/GridCell.h"
#include <memory>
#include <vector>

class GridDataSource;

class GridSheetSizes
{
public:
    // A column entry moves whole: its width, source, default cell and data column go together.
    struct Column
    {
        int width;
        int dataColumn;
        GridDataSource* source;
        std::shared_ptr<GridCell> defaultCell;
    };
    enum
    {
        kMaxColumns = 32000,
        kUniformAbove = 64000,
        kMaxHeading = 1024
    };

    GridSheetSizes();

    // 1 outside 0-32000. New columns take the default width and their own index as data column.
    int SetColumnCount(int count);
    // 1 for a negative count.
    int SetRowCount(LONG count);
    int GetColumnCount() const { return (int)m_columns.size(); }
    LONG GetRowCount() const { return m_rowCount; }

    // A data column: 0. A side heading column -k: sets it and answers 1, as any other column does.
    int SetColumnWidth(int column, int width);
    // 1 for a column outside the table.
    int GetColumnWidth(int column) const;
    int GetDataColumn(int column) const;
    // The column's source, or null outside the table. New columns take the current source.
    GridDataSource* GetColumnSource(int column) const;
    void SetCurrentSource(GridDataSource* source);
    // Copied into each new column's default cell.
    GridCell& NewColumnDefault() { return m_newColumnDefault; }
    // 1 for a column outside the table.
    int SetColumnDefault(int column, const GridCell& cell);
    int GetColumnDefault(int column, GridCell& cell) const;
    void SetRowHeight(LONG row, int height);
    int GetRowHeight(LONG row) const;
    void SetUniformRowHeight(bool on);
    bool IsUniform() const { return m_uniform; }
    int GetDefaultRowHeight() const { return m_defaultRowHeight; }

    int SetTopHeadingRowCount(int count);
    int SetSideHeadingColumnCount(int count);
    // 1 for a bad index, 2 for a value outside 0-1024.
    int SetTopHeadingRowHeight(int row, int height);
    int SetSideHeadingColumnWidth(int column, int width);
    int GetTopHeadingRowHeight(int row) const;
    int GetSideHeadingColumnWidth(int column) const;
    // 1 outside 0-1024; every heading row (column) is rescaled to the new total.
    int SetTopHeadingHeight(int height);
    int SetSideHeadingWidth(int width);
    int GetTopHeadingHeight() const { return m_topHeadingHeight; }
    int GetSideHeadingWidth() const { return m_sideHeadingWidth; }

    // 1 when n is negative or exceeds the count.
    int SetLockedColumns(int n);
    int SetLockedRows(LONG n);
    int GetLockedColumns() const { return m_lockedColumns; }
    LONG GetLockedRows() const { return m_lockedRows; }
    int GetLockedWidth() const { return m_lockedWidth; }
    int GetLockedHeight() const { return m_lockedHeight; }

    // The cell area's size, which the largest top row and left column depend on.
    void SetCellArea(int width, int height);
    LONG GetLargestTopRow() const { return m_largestTopRow; }
    int GetLargestLeftColumn() const { return m_largestLeftColumn; }
    LONG GetTopRow() const { return m_topRow; }
    int GetLeftColumn() const { return m_leftColumn; }

    // Moves a whole column entry so that it lands before the column at the boundary (to, or to + 1
    // when before is clear). 0 when done or nothing to do, 1 for indices out of range.
    int MoveColumn(int from, int to, bool before);
    // Scales the columns first-last to the given width; the last takes what remains.
    int FitColumnsToWidth(int first, int last, int width);

private:
    static int Rescale(std::vector<int>& sizes, int total);
    void RecomputeLocked();
    void RecomputeLargest();

    std::vector<Column> m_columns;
    GridDataSource* m_currentSource = nullptr;
    GridCell m_newColumnDefault;
    int m_defaultColumnWidth = 75;
    LONG m_rowCount = 0;
    std::vector<int> m_rowHeights; // empty in uniform mode
    int m_defaultRowHeight = 20;
    bool m_uniform = false;
    std::vector<int> m_topHeadings;  // [k - 1] is row -k
    std::vector<int> m_sideHeadings; // [k - 1] is column -k
    int m_topHeadingHeight = 20;
    int m_sideHeadingWidth = 40;
    int m_lockedColumns = 0;
    LONG m_lockedRows = 0;
    int m_lockedWidth = 0;
    int m_lockedHeight = 0;
    int m_cellAreaWidth = 0;
    int m_cellAreaHeight = 0;
    LONG m_topRow = 0;
    int m_leftColumn = 0;
    LONG m_largestTopRow = 0;
    int m_largestLeftColumn = 0;
};
