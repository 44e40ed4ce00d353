// How the spreadsheet grid reads and writes one cell of a sheet, layering defaults, the data source,
// the read hook, the format object and the style cell.
//
// A full read starts from the heading default (heading cells and columns past the table) or the
// column's default cell; a row past the end stops there, without asking the source or the hook. The
// source is the column's own (else the sheet's current one) and is asked with the column's data column.
// Writes go through the write hook with the grid column, then to the source with the data column.
#pragma once
#include "grid/sheet/GridCell.h"
#include "grid/sheet/GridSheetSizes.h"

class GridDataSource;

class GridCellHooks
{
public:
    virtual ~GridCellHooks() = default;
    virtual void CellRead(int /*dataColumn*/, LONG /*row*/, GridCell& /*cell*/) {}
    virtual void CellWrite(int /*column*/, LONG /*row*/, GridCell& /*cell*/) {}
};

struct GridCellAccess
{
    GridSheetSizes& sheet;
    GridDataSource* currentSource;
    const GridCell& headingDefault;
    GridCellHooks& hooks;

    // The full read; always 0.
    int GetCell(int column, LONG row, GridCell& cell) const;
    // The source's cell alone: 1 for a column past the table, else the source's answer.
    int GetDataCell(int column, LONG row, GridCell& cell) const;
    int SetCell(int column, LONG row, GridCell& cell) const;
};
