// What a data source may ask of the grid it is attached to: the current sheet's counts and column
// table, and the grid's cell comparison for sorts. The grid implements it; tests give their own.
#pragma once
#include "classlib/Types.h"

class GridCell;

class GridSourceOwner
{
public:
    virtual ~GridSourceOwner() = default;
    virtual LONG SourceRowCount() const = 0;
    virtual int SourceColumnCount() const = 0;
    // The grid column whose data column is dataColumn, or -1 when none is.
    virtual int GridColumnOfData(int dataColumn) const = 0;
    // Adds delta to every data column at or past from (columns inserted or deleted in the source).
    virtual void ShiftDataColumns(int from, int delta) = 0;
    // Above 0 when first sorts after second under the sort flags; either may be null (no cell).
    virtual int CompareCells(const GridCell* first, const GridCell* second, int flags) = 0;
};

// The grid's default comparison: flag 0x2 swaps the cells first; a missing cell, then a cell without
// text, sorts first; data types 2, 3 and 5 compare as numbers, others byte by byte.
int GridDefaultCompareCells(const GridCell* first, const GridCell* second, int flags);
