// Painting a grid: every cell asked of the owner (GN_DRAWCELL), whole paints, incremental paints after
// a move of one row, and the change notifications compared with what was painted last.
#include "grid/listbox/win/GridInternal.h"

#include <string.h>

namespace {

LONG ClientWidth(const GridWndState& s)
{
    return s.clientRect.right - s.clientRect.left;
}

LONG ClientHeight(const GridWndState& s)
{
    return s.clientRect.bottom - s.clientRect.top;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    ::SetBkColor(dc, colour);
    ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Line(HDC dc, HPEN pen, int x1, int y1, int x2, int y2)
{
    HGDIOBJ old = pen ? ::SelectObject(dc, pen) : nullptr;
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
    if (old)
        ::SelectObject(dc, old);
}

LONG DrawCheckBox(HDC dc, const GridWndState& s, const RECT& cell, bool checked)
{
    const LONG side = 2 * s.textHeight / 3;
    const LONG margin = (s.rowHeight - side) / 2;
    const GridWndNotify& b = g_gridNotify;
    LONG offset = 0;
    if (b.align == GRID_ALIGN_CENTER && (!b.text || !*b.text))
        offset = ((cell.right - cell.left) - side) / 2 - margin;
    if (offset < 0)
        offset = 0;
    Fill(dc, cell, b.backColor);
    const LONG left = cell.left + margin + offset;
    const LONG top = cell.top + margin;
    HBRUSH brush = ::CreateSolidBrush(b.backColor);
    HGDIOBJ oldBrush = ::SelectObject(dc, brush);
    ::Rectangle(dc, left, top, left + side, top + side);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(brush);
    if (checked) {
        for (int d = -1; d <= 1; ++d) {
            Line(dc, nullptr, left + 2, top + 2 + d, left + side - 2, top + side - 2 + d);
            Line(dc, nullptr, left + 2, top + side - 3 + d, left + side - 2, top + 1 + d);
        }
    }
    return side + 2 * margin + offset;
}

void DrawCellText(HDC dc, const GridWndState& s, const RECT& cell, LONG textY)
{
    const GridWndNotify& b = g_gridNotify;
    const char* text = b.text ? b.text : "";
    const int length = lstrlen(text);
    if (s.multiLine) {
        Fill(dc, cell, b.backColor);
        RECT r = cell;
        const UINT format = b.align == GRID_ALIGN_CENTER ? DT_CENTER : (b.align == GRID_ALIGN_RIGHT ? DT_RIGHT : DT_LEFT);
        ::DrawText(dc, text, length, &r, format | DT_NOPREFIX);
        return;
    }
    LONG x = cell.left + s.textMargin;
    if (b.align == GRID_ALIGN_RIGHT)
        x = cell.right - s.textMargin - 1;
    else if (b.align == GRID_ALIGN_CENTER)
        x = (cell.left + cell.right) / 2;
    ::SetTextAlign(dc, static_cast<UINT>(b.align));
    ::ExtTextOut(dc, x, textY, ETO_OPAQUE | ETO_CLIPPED, &cell, text, length, nullptr);
    ::SetTextAlign(dc, TA_LEFT);
}

// The cell after the owner answered GN_DRAWCELL, unless it drew the cell itself.
void DrawCellBody(HDC dc, GridWndState& s, RECT cell, LONG textY)
{
    const GridWndNotify& b = g_gridNotify;
    ::SetTextColor(dc, b.textColor);
    ::SetBkColor(dc, b.backColor);
    const LONG left = cell.left;
    if (b.bitmap)
        cell.left += GridDrawCellBitmap(dc, b.bitmap, cell, 2, b.backColor);
    if (b.flags & (GRID_CELL_CHECKED | GRID_CELL_UNCHECKED))
        cell.left += DrawCheckBox(dc, s, cell, (b.flags & GRID_CELL_CHECKED) != 0);
    DrawCellText(dc, s, cell, textY);
    cell.left = left;
    if (s.clearMargin) {
        RECT margin = cell;
        if (b.align == GRID_ALIGN_RIGHT)
            margin.right = cell.left + s.textMargin;
        else
            margin.left = cell.right - s.textMargin;
        Fill(dc, margin, b.backColor);
    }
    if (b.flags & (GRID_CELL_RAISED | GRID_CELL_SUNKEN)) {
        RECT frame = cell;
        frame.right -= 1;
        GridDrawFrame(dc, frame, s.frameWidth, (b.flags & GRID_CELL_RAISED) != 0, s.shadowPen, s.lightPen);
    }
}

bool Selected(const GridWndState& s, LONG row, LONG column)
{
    return row == s.currentRow && (s.rowSelect || column == s.currentColumn);
}

// Draws one row at its position; column >= 1 draws only that column's cell.
void DrawRow(HDC dc, GridWndState& s, const RECT& rowRect, LONG row, LONG column)
{
    const LONG textY = rowRect.top + (rowRect.bottom - s.textHeight - rowRect.top) / 2;
    const LONG cellBottom = rowRect.bottom - (s.horizontalLines ? 1 : 0);
    GridCellWalk walk(s, ClientWidth(s));
    GridCellSpan span;
    RECT focus = {0, 0, 0, 0};
    while (walk.Next(span)) {
        if (column >= 1 && span.column != column)
            continue;
        const bool selected = Selected(s, row, span.column);
        const bool lit = selected && s.highlight;
        GridWndNotify& b = g_gridNotify;
        b.value = selected ? 1 : 0;
        b.extra = 0;
        b.column = span.column;
        b.row = row;
        b.textColor = lit ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : s.textColor;
        b.backColor = lit ? ::GetSysColor(COLOR_HIGHLIGHT) : s.backColor;
        b.align = GRID_ALIGN_LEFT;
        b.flags = 0;
        b.bitmap = nullptr;
        b.ownerDrawn = 0;
        b.dc = dc;
        b.rect = {span.left, rowRect.top, span.right, cellBottom};
        if (!b.text)
            b.text = b.textBuffer;
        GridSend(s, GN_DRAWCELL);
        const RECT cell = b.rect;
        if (!b.ownerDrawn)
            DrawCellBody(dc, s, cell, textY);
        if (s.verticalLines)
            Line(dc, s.verticalPen, span.right, rowRect.top, span.right, rowRect.bottom);
        if (s.horizontalLines)
            Line(dc, s.horizontalPen, span.left, rowRect.bottom - 1, span.right + 1, rowRect.bottom - 1);
        if (span.column == s.currentColumn)
            focus = {span.left, rowRect.top, span.right, rowRect.bottom};
    }
    if (walk.LastRight() < ClientWidth(s)) {
        const RECT rest = {walk.LastRight() + 1, rowRect.top, ClientWidth(s), rowRect.bottom};
        Fill(dc, rest, s.backColor);
    }
    if (s.hasFocus && row == s.currentRow) {
        if (s.rowSelect)
            focus = {0, rowRect.top, walk.LastRight() < ClientWidth(s) ? walk.LastRight() : ClientWidth(s),
                     rowRect.bottom};
        if (!::IsRectEmpty(&focus)) {
            ::SetBkColor(dc, s.backColor);
            ::SetTextColor(dc, s.textColor);
            ::DrawFocusRect(dc, &focus);
            s.focusRect = focus;
        }
    }
}

RECT RowRect(const GridWndState& s, LONG position)
{
    return {0, position * s.rowHeight, ClientWidth(s), (position + 1) * s.rowHeight};
}

// Draws the row at a position, or only fills it past the last row.
void DrawPosition(HDC dc, GridWndState& s, LONG position)
{
    const LONG row = s.topRow + position;
    const RECT rect = RowRect(s, position);
    if (row < s.rowCount)
        DrawRow(dc, s, rect, row, -1);
    else
        Fill(dc, rect, s.backColor);
}

void FullPaint(HDC dc, GridWndState& s)
{
    LONG drawn = 0; // positions drawn from the top
    for (LONG position = 0; position * s.rowHeight < ClientHeight(s); ++position) {
        const LONG row = s.topRow + position;
        // The owner may add rows here; they are drawn in this paint.
        if (row >= s.rowCount)
            GridNotify(s, GN_PASTLASTROW, row, s.currentColumn, 1, s.rowCount);
        if (row < s.rowCount) {
            DrawRow(dc, s, RowRect(s, position), row, -1);
            drawn = position + 1;
        }
    }
    const RECT rest = {0, drawn * s.rowHeight, ClientWidth(s), ClientHeight(s)};
    if (rest.top < rest.bottom)
        Fill(dc, rest, s.backColor);
}

void IncrementalPaint(HDC dc, GridWndState& s)
{
    const LONG touching = GridTouchingRows(s, ClientHeight(s));
    RECT client = s.clientRect;
    if (s.topRow == s.paintedTopRow) {
        const LONG previous = s.paintedRow - s.topRow;
        if (s.paintedRow != s.currentRow && previous >= 0 && previous < touching)
            DrawPosition(dc, s, previous);
        const LONG current = s.currentRow - s.topRow;
        if (current >= 0 && current < touching)
            DrawPosition(dc, s, current);
    } else if (s.topRow == s.paintedTopRow - 1) {
        ::ScrollDC(dc, 0, s.rowHeight, &client, &client, nullptr, nullptr);
        DrawPosition(dc, s, 0);
        if (touching > 1)
            DrawPosition(dc, s, 1);
    } else if (s.topRow == s.paintedTopRow + 1) {
        ::ScrollDC(dc, 0, -s.rowHeight, &client, &client, nullptr, nullptr);
        for (LONG position = s.visibleRows - 2 < 0 ? 0 : s.visibleRows - 2; position < touching; ++position)
            DrawPosition(dc, s, position);
    } else {
        FullPaint(dc, s);
    }
}

void SendChanges(GridWndState& s)
{
    const bool row = s.currentRow != s.paintedRow;
    const bool column = s.currentColumn != s.paintedColumn;
    const LONG flags = GridKeyFlags();
    if (row)
        GridNotify(s, GN_ROWCHANGED, s.currentRow, s.currentColumn, flags, 0);
    if (column)
        GridNotify(s, GN_COLUMNCHANGED, s.currentRow, s.currentColumn, flags, 0);
    if (row || column)
        GridNotify(s, GN_CELLCHANGED, s.currentRow, s.currentColumn, flags, 0);
    if (s.topRow != s.paintedTopRow)
        GridNotify(s, GN_TOPROWCHANGED, s.topRow, s.leftColumn, flags, 0);
    if (s.leftColumn != s.paintedLeftColumn)
        GridNotify(s, GN_LEFTCOLUMNCHANGED, s.topRow, s.leftColumn, flags, 0);
    s.paintedRow = s.currentRow;
    s.paintedColumn = s.currentColumn;
    s.paintedTopRow = s.topRow;
    s.paintedLeftColumn = s.leftColumn;
}

HDC PrepareDC(HDC dc, const GridWndState& s)
{
    if (s.font)
        ::SelectObject(dc, s.font);
    return dc;
}

} // namespace

void GridPaint(GridWndState& s)
{
    HWND hWnd = s.self;
    const bool requested = ::GetUpdateRect(hWnd, nullptr, FALSE) != FALSE;
    if (!s.redraw)
        ::ValidateRect(hWnd, nullptr); // a requested paint draws nothing while redraw is off
    if (s.rowCount <= 0 || s.columnCount <= 0) {
        if (requested && s.redraw) {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(hWnd, &ps);
            Fill(dc, s.clientRect, s.backColor);
            ::EndPaint(hWnd, &ps);
        }
        return;
    }
    if (requested && s.redraw) {
        ::InvalidateRect(hWnd, nullptr, FALSE);
        PAINTSTRUCT ps;
        HDC dc = PrepareDC(::BeginPaint(hWnd, &ps), s);
        FullPaint(dc, s);
        ::EndPaint(hWnd, &ps);
    } else if (!requested) {
        HDC dc = PrepareDC(::GetDC(hWnd), s);
        IncrementalPaint(dc, s);
        ::ReleaseDC(hWnd, dc);
    }
    SendChanges(s);
}

void GridRedrawRow(GridWndState& s, LONG row, LONG column)
{
    const LONG touching = GridTouchingRows(s, ClientHeight(s));
    if (row < 0 || row >= s.rowCount || row < s.topRow || row >= s.topRow + touching || s.columnCount <= 0)
        return;
    HDC dc = PrepareDC(::GetDC(s.self), s);
    DrawRow(dc, s, RowRect(s, row - s.topRow), row, column);
    ::ReleaseDC(s.self, dc);
}

void GridDrawFrame(HDC dc, const RECT& rect, LONG width, bool raised, HPEN shadowPen, HPEN lightPen)
{
    HPEN first = raised ? lightPen : shadowPen;
    HPEN second = raised ? shadowPen : lightPen;
    for (LONG i = 0; i < width; ++i) {
        const LONG l = rect.left + i, t = rect.top + i, r = rect.right - 1 - i, b = rect.bottom - 1 - i;
        Line(dc, first, l, t, r, t);
        Line(dc, first, l, t, l, b);
        Line(dc, second, l, b, r + 1, b);
        Line(dc, second, r, t, r, b);
    }
}

LONG GridDrawCellBitmap(HDC dc, HBITMAP bitmap, const RECT& cell, LONG border, COLORREF backColor)
{
    BITMAP info;
    if (!::GetObject(bitmap, sizeof info, &info))
        return 0;
    const LONG height = cell.bottom - cell.top;
    LONG width = info.bmWidth;
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    if (info.bmHeight > height - 2 * border + 4) {
        const LONG target = height - 2 * border;
        const LONG percent = info.bmHeight > 0 ? target * 100 / info.bmHeight : 100;
        width = info.bmWidth * percent / 100;
        const RECT strip = {cell.left, cell.top, cell.left + width + 2 * border, cell.bottom};
        Fill(dc, strip, backColor);
        ::StretchBlt(dc, cell.left + border, cell.top + border, width, target, memory, 0, 0, info.bmWidth,
                     info.bmHeight, SRCCOPY);
    } else {
        const RECT strip = {cell.left, cell.top, cell.left + width + 2 * border, cell.bottom};
        Fill(dc, strip, backColor);
        ::BitBlt(dc, cell.left + border, cell.top + (height - info.bmHeight) / 2, info.bmWidth, info.bmHeight,
                 memory, 0, 0, SRCCOPY);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return width + 2 * border;
}
