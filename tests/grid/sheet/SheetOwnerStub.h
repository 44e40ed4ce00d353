// A grid stand-in for data sources: counts, a column table of data columns, and the default comparison,
// recording each comparison.
#pragma once
#include "grid/sheet/GridCell.h"
#include "grid/sheet/GridSourceOwner.h"
#include <numeric>
#include <vector>

struct SheetOwnerStub : GridSourceOwner
{
    SheetOwnerStub(LONG rowCount, int columnCount) : rows(rowCount), dataColumns(columnCount)
    {
        std::iota(dataColumns.begin(), dataColumns.end(), 0);
    }
    LONG SourceRowCount() const override { return rows; }
    int SourceColumnCount() const override { return (int)dataColumns.size(); }
    int GridColumnOfData(int dataColumn) const override
    {
        for (size_t i = 0; i < dataColumns.size(); ++i)
            if (dataColumns[i] == dataColumn)
                return (int)i;
        return -1;
    }
    void ShiftDataColumns(int from, int delta) override
    {
        for (int& d : dataColumns)
            if (d >= from)
                d += delta;
    }
    int CompareCells(const GridCell* a, const GridCell* b, int flags) override
    {
        ++comparisons;
        return GridDefaultCompareCells(a, b, flags);
    }
    LONG rows;
    std::vector<int> dataColumns;
    int comparisons = 0;
};
