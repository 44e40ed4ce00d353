// The top (column) and side (row) headings of a grid: windows of the grid's class that paint through
// GN_DRAWCELL from the grid's layout, report clicks, and let the user size columns on the top heading.
#include "grid/listbox/win/GridInternal.h"

namespace {

enum : LONG
{
    kIdle = 0,
    kOverBorder = 1,
    kDragging = 2,
    kBorderReach = 6,
};

bool IsSide(HWND hWnd)
{
    return (::GetWindowLong(hWnd, GWL_STYLE) & GS_SIDEHEADING) != 0;
}

LONG Coordinate(WORD word)
{
    return word > 32000 ? static_cast<LONG>(word) - 65536 : word;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    ::SetBkColor(dc, colour);
    ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Send(GridWndHeadingState& h, LONG code)
{
    g_gridNotify.code = code;
    ::SendMessage(h.grid->notifyWindow, WM_COMMAND, MAKEWPARAM(h.controlId, code),
                  reinterpret_cast<LPARAM>(h.self));
}

void Report(GridWndHeadingState& h, LONG code, LONG row, LONG column, LONG value, LONG_PTR extra)
{
    g_gridNotify.row = row;
    g_gridNotify.column = column;
    g_gridNotify.value = value;
    g_gridNotify.extra = extra;
    Send(h, code);
}

HFONT FontOf(const GridWndHeadingState& h)
{
    return h.font ? h.font : (h.grid ? h.grid->font : nullptr);
}

void Measure(GridWndHeadingState& h)
{
    HDC dc = ::GetDC(h.self);
    HGDIOBJ old = FontOf(h) ? ::SelectObject(dc, FontOf(h)) : nullptr;
    TEXTMETRIC tm;
    ::GetTextMetrics(dc, &tm);
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(h.self, dc);
    h.textHeight = tm.tmHeight;
}

// One heading cell through GN_DRAWCELL; side headings anchor text differently.
void DrawCell(HDC dc, GridWndHeadingState& h, const RECT& rect, LONG row, LONG column, bool side)
{
    GridWndNotify& b = g_gridNotify;
    b.value = side ? 1 : 0;
    b.extra = 0;
    b.column = column;
    b.row = row;
    b.textColor = h.textColor;
    b.backColor = h.backColor;
    b.align = GRID_ALIGN_CENTER;
    b.flags = h.raised ? LONG(GRID_CELL_RAISED) : 0;
    b.bitmap = nullptr;
    b.ownerDrawn = 0;
    b.dc = dc;
    b.rect = rect;
    if (!b.text)
        b.text = b.textBuffer;
    Send(h, GN_DRAWCELL);
    if (b.ownerDrawn)
        return;
    RECT cell = b.rect;
    ::SetTextColor(dc, b.textColor);
    ::SetBkColor(dc, b.backColor);
    const LONG left = cell.left;
    if (b.bitmap)
        cell.left += GridDrawCellBitmap(dc, b.bitmap, cell, h.frameWidth + 2, b.backColor);
    const char* text = b.text ? b.text : "";
    const LONG y = cell.top + (cell.bottom - cell.top - h.textHeight) / 2;
    LONG x = (cell.left + cell.right) / 2;
    if (b.align == GRID_ALIGN_LEFT)
        x = side ? cell.left + h.frameWidth + 1 : cell.left + 3;
    else if (b.align == GRID_ALIGN_RIGHT)
        x = side ? cell.right - 1 : cell.right - 2;
    if (h.grid->multiLine) {
        Fill(dc, cell, b.backColor);
        RECT r = cell;
        ::DrawText(
            dc, text, lstrlen(text), &r,
            (b.align == GRID_ALIGN_CENTER ? DT_CENTER : (b.align == GRID_ALIGN_RIGHT ? DT_RIGHT : DT_LEFT)) |
                DT_NOPREFIX);
    } else {
        ::SetTextAlign(dc, static_cast<UINT>(b.align));
        ::ExtTextOut(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &cell, text, lstrlen(text), nullptr);
        ::SetTextAlign(dc, TA_LEFT);
    }
    cell.left = left;
    if (b.flags & (GRID_CELL_RAISED | GRID_CELL_SUNKEN)) {
        GridDrawFrame(dc, cell, h.frameWidth, (b.flags & GRID_CELL_RAISED) != 0, h.grid->shadowPen,
                      h.grid->lightPen);
    } else if (h.linesFlag) {
        if (side) {
            ::MoveToEx(dc, cell.left, cell.bottom - 1, nullptr);
            ::LineTo(dc, cell.right, cell.bottom - 1);
        } else {
            ::MoveToEx(dc, cell.right, cell.top, nullptr);
            ::LineTo(dc, cell.right, cell.bottom);
        }
    }
}

void PaintTop(HDC dc, GridWndHeadingState& h, const RECT& client)
{
    GridCellWalk walk(*h.grid, client.right);
    GridCellSpan span;
    while (walk.Next(span))
        DrawCell(dc, h, {span.left, client.top, span.right, client.bottom}, 0, span.column, false);
    if (walk.LastRight() + 1 < client.right)
        Fill(dc, {walk.LastRight() + 1, client.top, client.right, client.bottom}, h.backColor);
}

void PaintSidePosition(HDC dc, GridWndHeadingState& h, const RECT& client, LONG position)
{
    const GridWndState& g = *h.grid;
    const RECT rect = {client.left, position * g.rowHeight, client.right, (position + 1) * g.rowHeight};
    const LONG row = g.topRow + position;
    if (row >= 0 && row < g.rowCount)
        DrawCell(dc, h, rect, row, -1, true);
    else
        Fill(dc, rect, h.backColor);
}

void PaintSide(HDC dc, GridWndHeadingState& h, const RECT& client, bool incremental)
{
    const GridWndState& g = *h.grid;
    const LONG touching = GridTouchingRows(g, client.bottom);
    RECT area = client;
    if (incremental && g.topRow == h.paintedTopRow - 1) {
        ::ScrollDC(dc, 0, g.rowHeight, &area, &area, nullptr, nullptr);
        PaintSidePosition(dc, h, client, 0);
    } else if (incremental && g.topRow == h.paintedTopRow + 1) {
        ::ScrollDC(dc, 0, -g.rowHeight, &area, &area, nullptr, nullptr);
        for (LONG p = g.visibleRows - 1 < 0 ? 0 : g.visibleRows - 1; p < touching; ++p)
            PaintSidePosition(dc, h, client, p);
    } else if (!incremental || g.topRow != h.paintedTopRow) {
        for (LONG p = 0; p < touching; ++p)
            PaintSidePosition(dc, h, client, p);
    }
    h.paintedTopRow = g.topRow;
}

void Paint(GridWndHeadingState& h)
{
    HWND hWnd = h.self;
    const bool requested = ::GetUpdateRect(hWnd, nullptr, FALSE) != FALSE;
    PAINTSTRUCT ps;
    HDC dc = requested ? ::BeginPaint(hWnd, &ps) : ::GetDC(hWnd);
    RECT client;
    ::GetClientRect(hWnd, &client);
    const bool side = IsSide(hWnd);
    if (!h.grid || (!side && h.grid->columnCount <= 0)) {
        Fill(dc, client, h.backColor);
    } else if (h.grid->redraw) {
        if (FontOf(h))
            ::SelectObject(dc, FontOf(h));
        if (side)
            PaintSide(dc, h, client, !requested);
        else
            PaintTop(dc, h, client);
    }
    if (requested)
        ::EndPaint(hWnd, &ps);
    else
        ::ReleaseDC(hWnd, dc);
}

// The column under x from the grid's left column, -1 when none; its span in *cell.
LONG ColumnAt(GridWndHeadingState& h, LONG x, GridCellSpan* cell)
{
    RECT client;
    ::GetClientRect(h.self, &client);
    GridCellWalk walk(*h.grid, client.right);
    GridCellSpan span;
    while (walk.Next(span))
        if (x >= span.left && x <= span.right) {
            if (cell)
                *cell = span;
            return span.column;
        }
    return -1;
}

// The column whose right border is within reach of x (the rightmost such), or -1.
LONG BorderAt(GridWndHeadingState& h, LONG x, LONG* borderX)
{
    RECT client;
    ::GetClientRect(h.self, &client);
    GridCellWalk walk(*h.grid, client.right);
    GridCellSpan span;
    LONG found = -1;
    while (walk.Next(span))
        if (x >= span.right - kBorderReach && x <= span.right + kBorderReach) {
            found = span.column;
            *borderX = span.right;
        }
    return found;
}

void EndHover(GridWndHeadingState& h)
{
    h.sizingState = kIdle;
    if (::GetCapture() == h.self)
        ::ReleaseCapture();
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
}

void Hover(GridWndHeadingState& h, LONG x, LONG y)
{
    RECT client;
    ::GetClientRect(h.self, &client);
    LONG borderX = 0;
    const LONG column = y >= 0 && y < client.bottom ? BorderAt(h, x, &borderX) : -1;
    if (column < 0) {
        if (h.sizingState == kOverBorder)
            EndHover(h);
        return;
    }
    h.sizingState = kOverBorder;
    h.sizingColumn = column;
    h.borderX = borderX;
    if (::GetCapture() != h.self)
        ::SetCapture(h.self);
    ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
}

void DragBorder(GridWndHeadingState& h, LONG x)
{
    RECT client;
    ::GetClientRect(h.self, &client);
    x = x < 0 ? 0 : (x >= client.right ? client.right - 1 : x);
    const LONG width = h.startWidth + x - h.borderX;
    GridWndState& g = *h.grid;
    g.columnWidths[h.sizingColumn] = width < 0 ? 0 : width;
    Report(h, GN_COLUMNSIZING, 0, h.sizingColumn, width, 0);
    g.columnWidths[h.sizingColumn] = g_gridNotify.value < 0 ? 0 : g_gridNotify.value;
    ::InvalidateRect(h.self, nullptr, FALSE);
    ::UpdateWindow(h.self);
}

void EndDrag(GridWndHeadingState& h, LONG x, LONG y)
{
    GridWndState& g = *h.grid;
    h.sizingState = kOverBorder;
    if (g.editor && ::GetFocus() == g.editor) {
        GridWndCellRect r = {};
        r.column = g.currentColumn;
        r.row = g.currentRow;
        GridCellRectFor(g, r);
        ::MoveWindow(g.editor, r.left, r.top, r.right - r.left,
                     r.bottom - r.top - (g.horizontalLines ? 1 : 0), TRUE);
    }
    Report(h, GN_COLUMNSIZED, 0, h.sizingColumn, g.columnWidths[h.sizingColumn], 0);
    if (g.fitHorizontalScroll)
        GridUpdateHorizontal(g);
    ::InvalidateRect(g.self, nullptr, FALSE);
    Hover(h, x, y);
}

LRESULT Mouse(GridWndHeadingState& h, UINT message, LPARAM point)
{
    if (!h.grid)
        return 0;
    const LONG x = Coordinate(LOWORD(point));
    const LONG y = Coordinate(HIWORD(point));
    const bool side = IsSide(h.self);
    if (!side && h.sizingEnabled) {
        if (message == WM_MOUSEMOVE) {
            if (h.sizingState == kDragging)
                DragBorder(h, x);
            else
                Hover(h, x, y);
            return 0;
        }
        if (message == WM_LBUTTONDOWN && h.sizingState == kOverBorder) {
            Report(h, GN_BEGINCOLUMNSIZE, 0, h.sizingColumn, 1, 0);
            if (g_gridNotify.value != 0) {
                h.sizingState = kDragging;
                h.startWidth = h.grid->columnWidths[h.sizingColumn];
            }
            return 0;
        }
        if (message == WM_LBUTTONUP && h.sizingState == kDragging) {
            EndDrag(h, x, y);
            return 0;
        }
    }
    if (message == WM_MOUSEMOVE)
        return 0;
    LONG row = 0, column = -1;
    if (side) {
        const LONG at = h.grid->topRow + y / (h.grid->rowHeight > 0 ? h.grid->rowHeight : 1);
        if (y < 0 || at >= h.grid->rowCount)
            return 0;
        row = at;
        column = 0;
    } else {
        column = ColumnAt(h, x, nullptr);
    }
    const LONG flags = GridKeyFlags();
    switch (message) {
    case WM_LBUTTONDOWN:
        Report(h, GN_CLICK, row, column, flags, 1);
        break;
    case WM_LBUTTONUP:
        Report(h, GN_CLICK, row, column, flags, 0);
        break;
    case WM_LBUTTONDBLCLK:
        Report(h, GN_DOUBLECLICK, row, column, flags, 1);
        break;
    case WM_RBUTTONDOWN:
        Report(h, GN_RIGHTCLICK, row, column, flags, 1);
        break;
    case WM_RBUTTONUP:
        Report(h, GN_RIGHTCLICK, row, column, flags, 0);
        break;
    }
    return 0;
}

BOOL CreateHeadingState(HWND hWnd, const CREATESTRUCT* cs)
{
    HGLOBAL block = nullptr;
    GridWndHeadingState* h =
        static_cast<GridWndHeadingState*>(GridAllocLocked(sizeof(GridWndHeadingState), &block));
    if (!h)
        return FALSE;
    h->block = &g_gridNotify;
    h->self = hWnd;
    h->raised = (cs->style & GS_RAISED) ? 1 : 0;
    h->frameWidth = 2;
    h->linesFlag = 1;
    h->paintedTopRow = -1;
    h->controlId = static_cast<LONG>(reinterpret_cast<INT_PTR>(cs->hMenu));
    h->backColor = ::GetSysColor(h->raised ? COLOR_BTNFACE : COLOR_WINDOW);
    h->textColor = ::GetSysColor(h->raised ? COLOR_BTNTEXT : COLOR_WINDOWTEXT);
    ::SetWindowLongPtr(hWnd, GRID_SLOT_BLOCK, reinterpret_cast<LONG_PTR>(block));
    ::SetWindowLongPtr(hWnd, GRID_SLOT_STATE, reinterpret_cast<LONG_PTR>(h));
    Measure(*h);
    return TRUE;
}

void DestroyHeadingState(HWND hWnd)
{
    GridFreeLocked(reinterpret_cast<HGLOBAL>(::GetWindowLongPtr(hWnd, GRID_SLOT_BLOCK)));
    ::SetWindowLongPtr(hWnd, GRID_SLOT_STATE, 0);
}

} // namespace

GridWndHeadingState* GridHeadingOf(HWND hWnd)
{
    return reinterpret_cast<GridWndHeadingState*>(::GetWindowLongPtr(hWnd, GRID_SLOT_STATE));
}

LRESULT GridHeadingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        if (!CreateHeadingState(hWnd, reinterpret_cast<const CREATESTRUCT*>(lParam)))
            return FALSE;
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    }
    GridWndHeadingState* h = GridHeadingOf(hWnd);
    if (message == WM_NCDESTROY) {
        DestroyHeadingState(hWnd);
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    }
    if (!h)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    const bool side = IsSide(hWnd);
    switch (message) {
    case WM_USER:
        if (wParam == GRID_USER_ATTACH) {
            const GridHeadingAttach* attach = reinterpret_cast<const GridHeadingAttach*>(lParam);
            h->grid = attach ? attach->state : nullptr;
            h->block = attach ? attach->block : &g_gridNotify;
            h->paintedTopRow = -1;
            if (!attach)
                EndHover(*h);
            ::InvalidateRect(hWnd, nullptr, FALSE);
            return 0;
        }
        return 0;
    case WM_SETFONT:
        h->font = reinterpret_cast<HFONT>(wParam);
        Measure(*h);
        ::InvalidateRect(hWnd, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(h->font);
    case GM_GETNOTIFYBLOCK:
        return reinterpret_cast<LRESULT>(&g_gridNotify);
    case GM_GETAVGCHARWIDTH: {
        HDC dc = ::GetDC(hWnd);
        HGDIOBJ old = h->font ? ::SelectObject(dc, h->font) : nullptr;
        TEXTMETRIC tm;
        ::GetTextMetrics(dc, &tm);
        if (old)
            ::SelectObject(dc, old);
        ::ReleaseDC(hWnd, dc);
        return tm.tmAveCharWidth;
    }
    case GM_SETFRAMEWIDTH:
        h->frameWidth = static_cast<LONG>(wParam);
        return h->frameWidth;
    case GM_SETBACKCOLOR:
        h->backColor = static_cast<COLORREF>(lParam);
        return lParam;
    case GM_SETTEXTCOLOR:
        h->textColor = static_cast<COLORREF>(lParam);
        return lParam;
    case WM_PAINT:
        Paint(*h);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return Mouse(*h, message, lParam);
    case WM_SETCURSOR:
        if (h->sizingState != kIdle) {
            ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
            return TRUE;
        }
        break;
    }
    if (!side) {
        switch (message) {
        case GM_ENABLECOLUMNSIZING:
            h->sizingEnabled = wParam != 0;
            return 0;
        case GM_SETVERTICALLINES:
            h->linesFlag = static_cast<LONG>(wParam);
            return wParam;
        case GM_SETCOLUMNCOUNT:
        case GM_GETCOLUMNWIDTH:
        case GM_GETCOLUMNCOUNT:
            return h->grid ? ::SendMessage(h->grid->self, message, wParam, lParam) : 0;
        }
    } else if (message == GM_SETHORIZONTALLINES) {
        h->linesFlag = static_cast<LONG>(wParam);
        return wParam;
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}
