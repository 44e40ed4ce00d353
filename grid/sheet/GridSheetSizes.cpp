#include "grid/sheet/GridSheetSizes.h"
#include <algorithm>

GridSheetSizes::GridSheetSizes() : m_topHeadings{20}, m_sideHeadings{25} {}

int GridSheetSizes::SetColumnCount(int count)
{
    if (count < 0 || count > kMaxColumns)
        return 1;
    if (m_lockedColumns >= count)
        m_lockedColumns = count > 0 ? count - 1 : 0;
    const int old = (int)m_columns.size();
    m_columns.resize(count);
    for (int i = old; i < count; ++i)
        m_columns[i] =
            Column{m_defaultColumnWidth, i, m_currentSource, std::make_shared<GridCell>(m_newColumnDefault)};
    RecomputeLocked();
    RecomputeLargest();
    return 0;
}

int GridSheetSizes::SetRowCount(LONG count)
{
    if (count < 0)
        return 1;
    if (m_lockedRows >= count)
        m_lockedRows = count > 0 ? count - 1 : 0;
    if (!m_uniform && count > kUniformAbove)
        SetUniformRowHeight(true);
    m_rowCount = count;
    if (!m_uniform)
        m_rowHeights.resize(count, m_defaultRowHeight);
    RecomputeLocked();
    RecomputeLargest();
    return 0;
}

int GridSheetSizes::SetColumnWidth(int column, int width)
{
    if (column >= 0 && column < GetColumnCount()) {
        m_columns[column].width = width;
        RecomputeLocked();
        RecomputeLargest();
        return 0;
    }
    if (column < 0)
        SetSideHeadingColumnWidth(column, width);
    return 1;
}

int GridSheetSizes::GetColumnWidth(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns[column].width : 1;
}

int GridSheetSizes::GetDataColumn(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns[column].dataColumn : column;
}

GridDataSource* GridSheetSizes::GetColumnSource(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns[column].source : nullptr;
}

void GridSheetSizes::SetCurrentSource(GridDataSource* source)
{
    m_currentSource = source;
    for (Column& c : m_columns)
        c.source = source;
}

int GridSheetSizes::SetColumnDefault(int column, const GridCell& cell)
{
    if (column < 0 || column >= GetColumnCount())
        return 1;
    m_columns[column].defaultCell->CopyFrom(cell);
    return 0;
}

int GridSheetSizes::GetColumnDefault(int column, GridCell& cell) const
{
    if (column < 0 || column >= GetColumnCount())
        return 1;
    cell.CopyFrom(*m_columns[column].defaultCell);
    return 0;
}

void GridSheetSizes::SetRowHeight(LONG row, int height)
{
    if (row < 0 || row >= m_rowCount)
        return;
    if (m_uniform)
        m_defaultRowHeight = height;
    else
        m_rowHeights[row] = height;
    RecomputeLocked();
}

int GridSheetSizes::GetRowHeight(LONG row) const
{
    if (row < 0 || row >= m_rowCount)
        return 0;
    return m_uniform ? m_defaultRowHeight : m_rowHeights[row];
}

void GridSheetSizes::SetUniformRowHeight(bool on)
{
    m_uniform = on;
    if (on)
        std::vector<int>().swap(m_rowHeights);
    else if (m_rowHeights.empty())
        m_rowHeights.assign(m_rowCount, m_defaultRowHeight);
}

int GridSheetSizes::SetTopHeadingRowCount(int count)
{
    if (count < 1)
        return 1;
    m_topHeadings.resize(count, m_topHeadings.back());
    return 0;
}

int GridSheetSizes::SetSideHeadingColumnCount(int count)
{
    if (count < 1)
        return 1;
    m_sideHeadings.resize(count, m_sideHeadings.back());
    return 0;
}

int GridSheetSizes::SetTopHeadingRowHeight(int row, int height)
{
    if (row >= 0 || -row > (int)m_topHeadings.size())
        return 1;
    if (height < 0 || height > kMaxHeading)
        return 2;
    m_topHeadings[-row - 1] = height;
    return 0;
}

int GridSheetSizes::SetSideHeadingColumnWidth(int column, int width)
{
    if (column >= 0 || -column > (int)m_sideHeadings.size())
        return 1;
    if (width < 0 || width > kMaxHeading)
        return 2;
    m_sideHeadings[-column - 1] = width;
    if (m_sideHeadings.size() == 1)
        m_sideHeadingWidth = width;
    return 0;
}

int GridSheetSizes::GetTopHeadingRowHeight(int row) const
{
    return row < 0 && -row <= (int)m_topHeadings.size() ? m_topHeadings[-row - 1] : 0;
}

int GridSheetSizes::GetSideHeadingColumnWidth(int column) const
{
    return column < 0 && -column <= (int)m_sideHeadings.size() ? m_sideHeadings[-column - 1] : 0;
}

int GridSheetSizes::Rescale(std::vector<int>& sizes, int total)
{
    long long sum = 0;
    for (int s : sizes)
        sum += s;
    if (sum == 0) {
        // Nothing to scale by: an equal share each, the remainder to the outermost.
        const int n = (int)sizes.size();
        std::fill(sizes.begin(), sizes.end(), total / n);
        sizes.back() += total % n;
        return 0;
    }
    for (int& s : sizes)
        s = (int)(((long long)total * s * 2 + sum) / (2 * sum)); // halves go up
    return 0;
}

int GridSheetSizes::SetTopHeadingHeight(int height)
{
    if (height < 0 || height > kMaxHeading)
        return 1;
    m_topHeadingHeight = height;
    return Rescale(m_topHeadings, height);
}

int GridSheetSizes::SetSideHeadingWidth(int width)
{
    if (width < 0 || width > kMaxHeading)
        return 1;
    m_sideHeadingWidth = width;
    return Rescale(m_sideHeadings, width);
}

int GridSheetSizes::SetLockedColumns(int n)
{
    if (n < 0 || n > GetColumnCount())
        return 1;
    if (n == m_lockedColumns)
        return 0;
    m_lockedColumns = n;
    RecomputeLocked();
    m_leftColumn = n;
    RecomputeLargest();
    return 0;
}

int GridSheetSizes::SetLockedRows(LONG n)
{
    if (n < 0 || n > m_rowCount)
        return 1;
    if (n == m_lockedRows)
        return 0;
    m_lockedRows = n;
    RecomputeLocked();
    m_topRow = n;
    RecomputeLargest();
    return 0;
}

void GridSheetSizes::RecomputeLocked()
{
    m_lockedWidth = 0;
    for (int c = 0; c < m_lockedColumns && c < GetColumnCount(); ++c)
        m_lockedWidth += m_columns[c].width;
    m_lockedHeight = 0;
    for (LONG r = 0; r < m_lockedRows && r < m_rowCount; ++r)
        m_lockedHeight += GetRowHeight(r);
}

void GridSheetSizes::SetCellArea(int width, int height)
{
    m_cellAreaWidth = width;
    m_cellAreaHeight = height;
    RecomputeLargest();
}

void GridSheetSizes::RecomputeLargest()
{
    m_largestTopRow = m_lockedRows;
    if (m_uniform && m_defaultRowHeight > 0) {
        const LONG fit = (m_cellAreaHeight - m_lockedHeight) / m_defaultRowHeight;
        if (m_rowCount - m_lockedRows > fit)
            m_largestTopRow = std::min(m_rowCount - 1, m_rowCount - std::max<LONG>(fit, 0));
    } else if (!m_uniform) {
        long long remain = m_cellAreaHeight - m_lockedHeight;
        for (LONG r = m_rowCount - 1; r >= m_lockedRows; --r) {
            remain -= GetRowHeight(r);
            if (remain < 0) {
                m_largestTopRow = std::min(r + 1, m_rowCount - 1);
                break;
            }
        }
    }
    m_topRow = std::max(m_lockedRows, std::min(m_topRow, m_largestTopRow));

    m_largestLeftColumn = m_lockedColumns;
    long long remain = m_cellAreaWidth - m_lockedWidth;
    for (int c = GetColumnCount() - 1; c >= m_lockedColumns; --c) {
        remain -= m_columns[c].width;
        if (remain < 0) {
            m_largestLeftColumn = std::min(c + 1, GetColumnCount() - 1);
            break;
        }
    }
    m_leftColumn = std::max(m_lockedColumns, std::min(m_leftColumn, m_largestLeftColumn));
}

int GridSheetSizes::MoveColumn(int from, int to, bool before)
{
    const int boundary = before ? to : to + 1;
    if (from == boundary || from + 1 == boundary)
        return 0;
    if (from < 0 || from >= GetColumnCount() || boundary < 0 || boundary > GetColumnCount())
        return 1;
    const Column moved = m_columns[from];
    m_columns.erase(m_columns.begin() + from);
    m_columns.insert(m_columns.begin() + (boundary > from ? boundary - 1 : boundary), moved);
    RecomputeLocked();
    return 0;
}

int GridSheetSizes::FitColumnsToWidth(int first, int last, int width)
{
    if (first < 0 || first > last || last >= GetColumnCount())
        return 1;
    long long sum = 0;
    for (int c = first; c <= last; ++c)
        sum += m_columns[c].width;
    const int n = last - first + 1;
    int used = 0;
    const float factor = sum > 0 ? (float)width / (float)sum : 0.0f;
    for (int c = first; c < last; ++c) {
        // Columns of no width share the width equally rather than divide by 0.
        m_columns[c].width = sum > 0 ? (int)(factor * m_columns[c].width) : width / n;
        used += m_columns[c].width;
    }
    m_columns[last].width = width - used;
    RecomputeLocked();
    RecomputeLargest();
    return 0;
}
