#include "grid/sheet/GridMemoryDataSource.h"
#include "grid/sheet/GridSourceOwner.h"
#include <algorithm>
#include <cctype>
#include <cstring>

namespace {
std::string Upper(const char* text)
{
    std::string s(text ? text : "");
    for (char& c : s)
        c = (char)std::toupper((unsigned char)c);
    return s;
}
} // namespace

GridMemoryDataSource::Row* GridMemoryDataSource::RowAt(LONG row) const
{
    if (m_rows.empty() || row < m_firstRow || row - m_firstRow >= (LONG)m_rows.size())
        return nullptr;
    return m_rows[row - m_firstRow].get();
}

int GridMemoryDataSource::NodeCount(LONG row) const
{
    const Row* r = RowAt(row);
    return r ? (int)r->cells.size() : 0;
}

GridMemoryDataSource::Row& GridMemoryDataSource::MakeRow(LONG row)
{
    if (m_rows.empty()) {
        m_firstRow = 0;
        m_rows.push_back(std::make_unique<Row>());
    }
    while (row < m_firstRow) {
        m_rows.push_front(std::make_unique<Row>());
        --m_firstRow;
    }
    while (row - m_firstRow >= (LONG)m_rows.size())
        m_rows.push_back(std::make_unique<Row>());
    return *m_rows[row - m_firstRow];
}

std::unique_ptr<GridCell>& GridMemoryDataSource::MakeNode(Row& r, int column)
{
    if (r.cells.empty()) {
        r.firstColumn = 0;
        r.cells.emplace_back();
    }
    while (column < r.firstColumn) {
        r.cells.emplace_front();
        --r.firstColumn;
    }
    while (column - r.firstColumn >= (int)r.cells.size())
        r.cells.emplace_back();
    return r.cells[column - r.firstColumn];
}

int GridMemoryDataSource::InsertRow(LONG row)
{
    if (RowAt(row))
        m_rows.insert(m_rows.begin() + (row - m_firstRow), std::make_unique<Row>());
    return 0;
}

int GridMemoryDataSource::InsertColumn(int column)
{
    if (m_rows.empty())
        return 1;
    int position = m_owner ? m_owner->GridColumnOfData(column) : -1;
    if (position < 0)
        position = column;
    for (auto& r : m_rows) {
        if (!r->HasNode(position))
            continue;
        size_t at = position - r->firstColumn;
        r->cells.emplace(r->cells.begin() + at);
        // A node linked in left of a negative column pushes the nodes before it further left.
        if (position < 0)
            --r->firstColumn;
    }
    if (m_owner)
        m_owner->ShiftDataColumns(position, +1);
    return 0;
}

int GridMemoryDataSource::DeleteRow(LONG row)
{
    if (RowAt(row))
        m_rows.erase(m_rows.begin() + (row - m_firstRow));
    if (m_rows.empty())
        m_firstRow = 0;
    return 0;
}

int GridMemoryDataSource::DeleteColumn(int column)
{
    for (auto& r : m_rows) {
        if (!r->HasNode(column))
            continue;
        size_t at = column - r->firstColumn;
        if (at + 1 == r->cells.size()) {
            r->cells[at].reset(); // the last node stays, so the row keeps its length
            continue;
        }
        r->cells.erase(r->cells.begin() + at);
        if (column < 0)
            ++r->firstColumn;
    }
    if (m_owner)
        m_owner->ShiftDataColumns(column, -1);
    return 0;
}

int GridMemoryDataSource::DeleteCell(int column, LONG row)
{
    Row* r = RowAt(row);
    if (!r || !r->HasNode(column))
        return 1;
    r->cells[column - r->firstColumn].reset();
    return 0;
}

int GridMemoryDataSource::DeleteAll()
{
    m_rows.clear();
    m_firstRow = 0;
    return -1;
}

int GridMemoryDataSource::GetCell(int column, LONG row, GridCell* cell)
{
    Row* r = RowAt(row);
    const GridCell* stored = r ? r->CellAt(column) : nullptr;
    if (!stored || !cell)
        return 1;
    cell->MergeFrom(*stored);
    return 0;
}

int GridMemoryDataSource::SetCell(int column, LONG row, GridCell* cell)
{
    if (!cell)
        return 1;
    std::unique_ptr<GridCell>& node = MakeNode(MakeRow(row), column);
    if (!node)
        node = std::make_unique<GridCell>();
    node->CopyFrom(*cell);
    return 0;
}

int GridMemoryDataSource::FindFirst(const char* text, int* column, LONG* row, int flags)
{
    if (flags & GFF_ALONGROWS) {
        *column = -1;
        *row = 0;
    } else {
        *row = -1;
    }
    return FindNext(text, column, row, flags);
}

bool GridMemoryDataSource::Matches(const GridCell* cell, const std::string& text, int flags) const
{
    if (!cell || !cell->GetText())
        return false;
    const std::string own = (flags & GFF_NOCASE) ? Upper(cell->GetText()) : std::string(cell->GetText());
    if (flags & GFF_PARTIAL)
        return own.find(text) != std::string::npos;
    return own == text;
}

int GridMemoryDataSource::FindNext(const char* text, int* column, LONG* row, int flags)
{
    const LONG rows = m_owner ? m_owner->SourceRowCount() : 0;
    const int columns = m_owner ? m_owner->SourceColumnCount() : 0;
    if (rows <= 0 || columns <= 0 || !text)
        return 1;
    const std::string search = (flags & GFF_NOCASE) ? Upper(text) : std::string(text);
    const bool along = (flags & GFF_ALONGROWS) != 0;
    const bool back = (flags & GFF_BACKWARD) != 0;
    const LONG lastRow = rows - 1;
    const int lastColumn = columns - 1;
    auto nextRow = [&](LONG r) { return back ? (r <= 0 ? lastRow : r - 1) : (r >= lastRow ? 0 : r + 1); };

    int c = *column;
    LONG r = *row;
    if (along) {
        c += back ? -1 : 1;
        if (c < 0 || c > lastColumn) {
            c = back ? lastColumn : 0;
            r = nextRow(r);
        }
    } else {
        r = nextRow(r);
    }
    if (r < 0 || r > lastRow)
        r = back ? lastRow : 0;

    for (LONG visit = 0; visit <= rows; ++visit) {
        const Row* rowNode = RowAt(r);
        if (rowNode) {
            if (along) {
                for (; c >= 0 && c <= lastColumn; c += back ? -1 : 1) {
                    if (Matches(rowNode->CellAt(c), search, flags))
                        break;
                }
            } else if (!Matches(rowNode->CellAt(c), search, flags)) {
                c = -2; // no match in this row
            }
            if (c >= 0 && c <= lastColumn) {
                *column = m_searchColumn = c;
                *row = m_searchRow = r;
                return 0;
            }
            if (!along)
                c = *column;
        }
        if (along)
            c = back ? lastColumn : 0;
        r = nextRow(r);
    }
    return 1;
}

int GridMemoryDataSource::SortBy(const int* columns, int count, int flags)
{
    if (!RowAt(0) || !RowAt(1) || !columns || count <= 0)
        return 0;
    const size_t first = (size_t)(0 - m_firstRow);
    bool exchanged = true;
    while (exchanged) {
        exchanged = false;
        for (size_t i = first; i + 1 < m_rows.size(); ++i) {
            Row& upper = *m_rows[i];
            Row& lower = *m_rows[i + 1];
            for (int k = 0; k < count; ++k) {
                const GridCell* a = upper.CellAt(columns[k]);
                const GridCell* b = lower.CellAt(columns[k]);
                int result =
                    m_owner ? m_owner->CompareCells(a, b, flags) : GridDefaultCompareCells(a, b, flags);
                if (result > 0) {
                    std::swap(upper.cells, lower.cells);
                    std::swap(upper.firstColumn, lower.firstColumn);
                    exchanged = true;
                }
                if (result != 0)
                    break;
            }
        }
    }
    return 0;
}

int GridMemoryDataSource::FindPreviousNonEmpty(int* column, LONG row)
{
    const Row* r = RowAt(row);
    if (!r || r->cells.empty())
        return 1;
    const int last = r->firstColumn + (int)r->cells.size() - 1;
    // The walk from column 0 stops at the last node it reaches.
    int start = std::max(r->firstColumn, std::min(*column, last));
    if (!r->CellAt(start))
        return 1;
    for (int c = start; c >= 0; --c) {
        const GridCell* cell = r->CellAt(c);
        if (c != *column && cell && cell->GetText() && *cell->GetText()) {
            *column = c;
            return 0;
        }
    }
    return 1;
}
