#include "grid/listbox/GridGeometry.h"

namespace {

LONG RowHeight(const GridWndState& s)
{
    return s.rowHeight > 0 ? s.rowHeight : 1;
}

LONG ClientWidth(const GridWndState& s)
{
    return s.clientRect.right - s.clientRect.left;
}

LONG ClientHeight(const GridWndState& s)
{
    return s.clientRect.bottom - s.clientRect.top;
}

LONG Clamp(LONG v, LONG lo, LONG hi)
{
    return v < lo ? lo : (v > hi ? hi : v);
}

// Current and top row after a change of the row count.
void ClampRows(GridWndState& s)
{
    if (s.rowCount <= 0) {
        s.rowCount = 0;
        s.currentRow = s.topRow = -1;
    } else {
        s.currentRow = Clamp(s.currentRow, 0, s.rowCount - 1);
        s.topRow = Clamp(s.topRow, 0, s.rowCount - 1);
    }
    GridUpdateScrollRange(s);
}

// The top row follows the current row: never below it, never more than a page above it.
void FollowCurrent(GridWndState& s)
{
    if (s.currentRow < s.topRow)
        s.topRow = s.currentRow;
    if (s.currentRow >= s.topRow + s.visibleRows)
        s.topRow = s.currentRow - s.visibleRows + 1;
    if (s.topRow < 0)
        s.topRow = 0;
}

} // namespace

LONG GridWholeRows(const GridWndState& s, LONG clientHeight)
{
    return clientHeight > 0 ? clientHeight / RowHeight(s) : 0;
}

LONG GridTouchingRows(const GridWndState& s, LONG clientHeight)
{
    return clientHeight > 0 ? (clientHeight + RowHeight(s) - 1) / RowHeight(s) : 0;
}

void GridUpdateScrollRange(GridWndState& s)
{
    s.scrollRange = s.rowCount - s.visibleRows > 0 ? s.rowCount - s.visibleRows : 0;
}

void GridSetRowCount(GridWndState& s, LONG count)
{
    if (count < 0)
        return;
    if (s.rowCount == 0)
        s.currentRow = s.topRow = 0;
    s.rowCount = count;
    ClampRows(s);
}

void GridAddRows(GridWndState& s, LONG delta)
{
    if (s.rowCount == 0)
        s.currentRow = s.topRow = 0;
    const LONGLONG count = static_cast<LONGLONG>(s.rowCount) + delta;
    s.rowCount = count < 0 ? 0 : (count > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(count));
    ClampRows(s);
}

bool GridSetCurrentRow(GridWndState& s, LONG row)
{
    if (s.rowCount <= 0 || row > s.rowCount - 1)
        return false;
    s.currentRow = row < 0 ? 0 : row;
    FollowCurrent(s);
    return true;
}

void GridSetColumnCount(GridWndState& s, LONG count)
{
    s.columnCount = Clamp(count, 0, s.columnCapacity);
    if (s.columnCount == 0) {
        s.leftColumn = s.currentColumn = -1;
        return;
    }
    s.leftColumn = Clamp(s.leftColumn, 0, s.columnCount - 1);
    s.currentColumn = Clamp(s.currentColumn, 0, s.columnCount - 1);
}

GridThumb GridVerticalThumb(const GridWndState& s)
{
    const LONG top = s.topRow < 0 ? 0 : s.topRow;
    if (!s.proportionalThumb) {
        const int position = top == 0 ? 0 : (top >= s.rowCount - s.visibleRows ? 2 : 1);
        return {0, 2, position};
    }
    if (s.scrollRange == 0)
        return {0, 1, 0};
    if (s.scrollRange <= 100)
        return {0, static_cast<int>(s.scrollRange), static_cast<int>(top)};
    // 64 bits: top x 100 overflows 32 bits from 21 million rows on.
    const LONGLONG position = static_cast<LONGLONG>(top) * 100 / s.scrollRange - 1;
    return {0, 99, position < 0 ? 0 : static_cast<int>(position)};
}

LONG GridTopFromThumb(const GridWndState& s, LONG position)
{
    if (s.scrollRange <= 100)
        return position;
    const LONGLONG top = static_cast<LONGLONG>(position) * s.scrollRange / 99;
    return top > s.scrollRange ? s.scrollRange : static_cast<LONG>(top);
}

LONG GridHorizontalMax(const GridWndState& s, LONG clientWidth)
{
    if (s.columnCount <= 0)
        return 0;
    if (!s.fitHorizontalScroll)
        return s.columnCount - 1;
    LONGLONG sum = 0;
    LONG first = s.columnCount;
    while (first > 0 && sum + s.columnWidths[first - 1] <= clientWidth)
        sum += s.columnWidths[--first];
    return first < s.columnCount ? first : s.columnCount - 1;
}

void GridMakeColumnVisible(GridWndState& s, LONG clientWidth, bool orEqual)
{
    if (s.currentColumn < s.leftColumn) {
        s.leftColumn = s.currentColumn;
        return;
    }
    for (;;) {
        LONGLONG sum = 0;
        for (LONG c = s.leftColumn; c <= s.currentColumn; ++c)
            sum += s.columnWidths[c];
        const bool tooWide = orEqual ? sum >= clientWidth : sum > clientWidth;
        if (!tooWide || s.leftColumn >= s.currentColumn)
            return;
        ++s.leftColumn;
    }
}

GridCellWalk::GridCellWalk(GridWndState& s, LONG clientWidth)
    : m_s(s), m_clientWidth(clientWidth), m_column(s.leftColumn < 0 ? 0 : s.leftColumn)
{
}

bool GridCellWalk::Next(GridCellSpan& cell)
{
    if (m_column >= m_s.columnCount)
        return false;
    const LONG left = m_first ? 0 : m_lastRight + (m_s.verticalLines ? 1 : 0);
    if (left >= m_clientWidth)
        return false;
    const LONG base = m_first ? 0 : m_lastRight;
    LONG right = base + m_s.columnWidths[m_column] + (m_first && !m_s.verticalLines ? 1 : 0);
    if (m_s.stretchLastColumn && m_column == m_s.columnCount - 1) {
        right = m_clientWidth;
        if (right - base > m_s.columnWidths[m_column])
            m_s.columnWidths[m_column] = right - base;
    }
    cell = {m_column, left, right};
    m_lastRight = right;
    m_first = false;
    ++m_column;
    return true;
}

bool GridHitTest(GridWndState& s, LONG x, LONG y, GridHit& hit)
{
    if (x < 0 || y < 0 || x >= ClientWidth(s) || y >= ClientHeight(s) || s.rowCount <= 0 || s.columnCount <= 0)
        return false;
    const LONG position = y / RowHeight(s);
    const LONGLONG row = static_cast<LONGLONG>(s.topRow) + position;
    if (row >= s.rowCount)
        return false;
    GridCellWalk walk(s, ClientWidth(s));
    GridCellSpan cell;
    while (walk.Next(cell)) {
        if (x <= cell.right) {
            hit.row = static_cast<LONG>(row);
            hit.column = cell.column;
            hit.cell = {cell.left, position * RowHeight(s), cell.right, (position + 1) * RowHeight(s)};
            hit.hitX = x - cell.left;
            hit.hitY = y - hit.cell.top;
            return true;
        }
    }
    return false;
}

void GridCellRectFor(const GridWndState& s, GridWndCellRect& r)
{
    r.left = r.top = r.right = r.bottom = r.visibility = 0;
    const LONG touching = GridTouchingRows(s, ClientHeight(s));
    if (s.columnCount <= 0 || s.topRow < 0 || r.row < s.topRow || r.row >= s.topRow + touching)
        return;
    const LONG column = r.column < s.leftColumn ? s.leftColumn : r.column;
    if (column >= s.columnCount)
        return;
    LONGLONG left = 1;
    for (LONG c = s.leftColumn; c < column; ++c)
        left += s.columnWidths[c];
    r.top = (r.row - s.topRow) * RowHeight(s);
    r.bottom = r.top + RowHeight(s);
    r.left = static_cast<LONG>(left);
    r.right = r.left + s.columnWidths[column] - 1;
    if (r.left < ClientWidth(s))
        r.visibility = r.right < ClientWidth(s) ? 1 : 2;
}

void GridFitWidths(const LONG* widths, LONG n, LONG clientWidth, LONG* out)
{
    LONGLONG sum = 0;
    for (LONG i = 0; i < n; ++i)
        sum += widths[i];
    LONGLONG used = 0;
    for (LONG i = 0; i < n; ++i) {
        const LONGLONG share = sum > 0 ? widths[i] * 100LL / sum : 100 / n;
        out[i] = static_cast<LONG>(static_cast<LONGLONG>(clientWidth) * share / 100);
        used += out[i];
    }
    for (LONGLONG left = clientWidth - used; left > 0;)
        for (LONG i = 0; i < n && left > 0; ++i, --left)
            ++out[i];
}

void GridMoveVertical(GridWndState& s, int direction, bool keyboard, LONG thumbPosition,
                      const GridNotifyFn& notify)
{
    const LONG visible = s.visibleRows > 0 ? s.visibleRows : 1;
    const bool line = direction == GRID_LINE_UP || direction == GRID_LINE_DOWN;
    const LONG step = line ? 1 : visible;
    if (keyboard) {
        if (direction > GRID_PAGE_DOWN || s.rowCount <= 0)
            return;
        LONGLONG row = s.currentRow;
        if (direction == GRID_LINE_UP || direction == GRID_PAGE_UP) {
            row -= step;
            if (row < 0) {
                notify(GN_BEFOREFIRSTROW, static_cast<LONG>(-row), s.rowCount);
                row = 0;
            }
        } else {
            row += step;
            if (row > s.rowCount - 1) {
                notify(GN_PASTLASTROW, static_cast<LONG>(row - (s.rowCount - 1)), s.rowCount);
                if (row > s.rowCount - 1)
                    row = s.rowCount - 1;
            }
        }
        if (s.rowCount <= 0)
            return;
        s.currentRow = row < 0 ? 0 : static_cast<LONG>(row);
        FollowCurrent(s);
        return;
    }
    if (s.rowCount <= 0)
        return;
    LONGLONG top = s.topRow;
    switch (direction) {
    case GRID_LINE_UP:
    case GRID_PAGE_UP:
        top -= step;
        if (top < 0) {
            notify(GN_BEFOREFIRSTROW, static_cast<LONG>(-top), s.rowCount);
            top = 0;
        }
        break;
    case GRID_LINE_DOWN:
    case GRID_PAGE_DOWN: {
        top += step;
        const LONG last = s.rowCount - s.visibleRows;
        if (top > last) {
            notify(GN_PASTLASTROW, static_cast<LONG>(top - last), s.rowCount);
            if (top > s.rowCount - s.visibleRows)
                top = s.rowCount - s.visibleRows;
        }
        break;
    }
    case GRID_THUMB_TRACK:
        if (!s.thumbTrack)
            return;
        [[fallthrough]];
    case GRID_THUMB_POSITION:
        if (s.scrollRange == 0)
            return;
        top = GridTopFromThumb(s, thumbPosition);
        break;
    default:
        return;
    }
    if (s.rowCount <= 0)
        return;
    s.topRow = static_cast<LONG>(Clamp(static_cast<LONG>(top < 0 ? 0 : top), 0, s.rowCount - 1));
}
