#include "grid/sheet/GridCellAccess.h"
#include "grid/sheet/GridDataSource.h"

namespace {
bool InTable(const GridSheetSizes& sheet, int column)
{
    return column >= 0 && column < sheet.GetColumnCount();
}
} // namespace

int GridCellAccess::GetCell(int column, LONG row, GridCell& cell) const
{
    cell.SetMask(0);
    if (column < 0 || row < 0 || column >= sheet.GetColumnCount())
        cell.CopyFrom(headingDefault);
    else
        sheet.GetColumnDefault(column, cell);
    if (row >= sheet.GetRowCount())
        return 0;
    GridDataSource* source = InTable(sheet, column) ? sheet.GetColumnSource(column) : nullptr;
    if (!source)
        source = currentSource;
    const int dataColumn = sheet.GetDataColumn(column);
    if (source)
        source->GetCell(dataColumn, row, &cell);
    hooks.CellRead(dataColumn, row, cell);
    if (GridCellFormat* format = cell.GetFormatObject())
        format->Apply(cell);
    if (const GridCell* style = cell.GetStyleCell())
        cell.MergeFrom(*style);
    return 0;
}

int GridCellAccess::GetDataCell(int column, LONG row, GridCell& cell) const
{
    if (column >= sheet.GetColumnCount())
        return 1;
    cell.SetMask(0);
    GridDataSource* source = InTable(sheet, column) ? sheet.GetColumnSource(column) : nullptr;
    if (!source)
        source = currentSource;
    return source ? source->GetCell(sheet.GetDataColumn(column), row, &cell) : -1;
}

int GridCellAccess::SetCell(int column, LONG row, GridCell& cell) const
{
    hooks.CellWrite(column, row, cell);
    GridDataSource* source = InTable(sheet, column) ? sheet.GetColumnSource(column) : nullptr;
    if (!source)
        source = currentSource;
    if (source)
        source->SetCell(sheet.GetDataColumn(column), row, &cell);
    return 0;
}
