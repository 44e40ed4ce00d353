// The window-free arithmetic of a grid: row and column counts with the clamping of the current, top
// and left positions, the vertical thumb maps, horizontal ranges, the cell layout of a row, hit tests,
// GM_GETCELLRECT and the fitting of columns. The window procedure calls these and then repaints; none
// of them draws or sends anything, except GridMoveVertical, which reports through its callback.
#pragma once

#include "grid/listbox/GridState.h"

#include <functional>

// Rows wholly inside a client area of that height; rows touching it.
LONG GridWholeRows(const GridWndState& s, LONG clientHeight);
LONG GridTouchingRows(const GridWndState& s, LONG clientHeight);

// scrollRange = rowCount - visibleRows, at least 0.
void GridUpdateScrollRange(GridWndState& s);

// GM_SETROWCOUNT (a negative count changes nothing) and GM_ADDROWS: counts and clamped positions.
void GridSetRowCount(GridWndState& s, LONG count);
void GridAddRows(GridWndState& s, LONG delta);
// GM_SETCURRENTROW: false (nothing changed) without rows or for a row past the last; else the current
// row moves and the top row follows it.
bool GridSetCurrentRow(GridWndState& s, LONG row);

// GM_SETCOLUMNCOUNT: count clamped to the capacity, left and current column clamped to it.
void GridSetColumnCount(GridWndState& s, LONG count);

// The vertical scroll bar: range and thumb position.
struct GridThumb
{
    int minimum;
    int maximum;
    int position;
};
GridThumb GridVerticalThumb(const GridWndState& s);
// The top row a thumb position shows (proportional thumb), within 0..scrollRange.
LONG GridTopFromThumb(const GridWndState& s, LONG position);

// The largest left column: columnCount - 1, or with fitHorizontalScroll the first column from which all
// remaining columns fit in the client width.
LONG GridHorizontalMax(const GridWndState& s, LONG clientWidth);
// Moves the left column so that the current column is visible: the left column advances while the
// widths from it through the current column exceed the client width (or reach it, when orEqual).
void GridMakeColumnVisible(GridWndState& s, LONG clientWidth, bool orEqual);

// One laid-out cell of a row: its column and horizontal extent (the vertical line, when drawn, stands
// at right).
struct GridCellSpan
{
    LONG column;
    LONG left;
    LONG right;
};

// Walks the cells of a row from the left column in layout order. With stretchLastColumn on, the last
// column reaches the client's right edge and its stored width is raised (never lowered) to match.
class GridCellWalk
{
public:
    GridCellWalk(GridWndState& s, LONG clientWidth);
    bool Next(GridCellSpan& cell);
    // The right edge of the last cell walked (-1 before the first).
    LONG LastRight() const { return m_lastRight; }

private:
    GridWndState& m_s;
    LONG m_clientWidth;
    LONG m_column;
    LONG m_lastRight = -1;
    bool m_first = true;
};

// The cell under a client point: false outside the client area, on a row position at or past the row
// count, or right of the last column.
struct GridHit
{
    LONG row;
    LONG column;
    RECT cell;
    LONG hitX;
    LONG hitY;
};
bool GridHitTest(GridWndState& s, LONG x, LONG y, GridHit& hit);

// GM_GETCELLRECT over the state's client rectangle.
void GridCellRectFor(const GridWndState& s, GridWndCellRect& r);

// GridFitColumns's widths: the first n widths shared out over the client width in whole percentages,
// the pixels left over handed out one at a time from the first column.
void GridFitWidths(const LONG* widths, LONG n, LONG clientWidth, LONG* out);

// Directions of GridMoveVertical.
enum GridVerticalMove
{
    GRID_LINE_UP = 0,
    GRID_LINE_DOWN = 1,
    GRID_PAGE_UP = 2,
    GRID_PAGE_DOWN = 3,
    GRID_THUMB_POSITION = 4,
    GRID_THUMB_TRACK = 5,
};
// Sends GN_PASTLASTROW or GN_BEFOREFIRSTROW (code, value, extra) when a move goes past an end; the
// owner may add rows from there, and the clamp reads the row count after the notification.
using GridNotifyFn = std::function<void(LONG code, LONG value, LONG extra)>;
// Keyboard mode moves the current row (the top row follows); scroll-bar mode moves the top row.
void GridMoveVertical(GridWndState& s, int direction, bool keyboard, LONG thumbPosition,
                      const GridNotifyFn& notify);
