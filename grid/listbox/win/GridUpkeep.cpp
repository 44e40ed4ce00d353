// Notifications, repaint requests, scroll bars and the layout after size and font changes.
#include "grid/listbox/win/GridInternal.h"
#include "grid/listbox/win/GridWindow.h"

LONG GridKeyFlags()
{
    return (::GetKeyState(VK_CONTROL) < 0 ? 1 : 0) | (::GetKeyState(VK_SHIFT) < 0 ? 2 : 0);
}

void GridSend(GridWndState& s, LONG code)
{
    g_gridNotify.code = code;
    ::SendMessage(s.notifyWindow, WM_COMMAND, MAKEWPARAM(s.controlId, code),
                  reinterpret_cast<LPARAM>(s.self));
}

void GridNotify(GridWndState& s, LONG code, LONG row, LONG column, LONG value, LONG_PTR extra)
{
    g_gridNotify.row = row;
    g_gridNotify.column = column;
    g_gridNotify.value = value;
    g_gridNotify.extra = extra;
    GridSend(s, code);
}

void GridRepaint(GridWndState& s, bool sideHeading)
{
    if (!s.redraw || !::IsWindowVisible(s.self))
        return;
    ::InvalidateRect(s.self, nullptr, FALSE);
    if (sideHeading && s.sideHeading)
        ::InvalidateRect(s.sideHeading, nullptr, FALSE);
}

void GridUpdateVerticalThumb(GridWndState& s)
{
    if (!(::GetWindowLong(s.self, GWL_STYLE) & WS_VSCROLL))
        return;
    const GridThumb thumb = GridVerticalThumb(s);
    // Most one-row moves leave a proportional thumb where it is; redrawing the bar for nothing costs
    // more than the rows painted.
    if (::GetScrollPos(s.self, SB_VERT) != thumb.position)
        ::SetScrollPos(s.self, SB_VERT, thumb.position, TRUE);
}

void GridUpdateScrollBars(GridWndState& s)
{
    GridUpdateScrollRange(s);
    if (!(::GetWindowLong(s.self, GWL_STYLE) & WS_VSCROLL))
        return;
    const GridThumb thumb = GridVerticalThumb(s);
    ::SetScrollRange(s.self, SB_VERT, thumb.minimum, thumb.maximum, FALSE);
    ::SetScrollPos(s.self, SB_VERT, thumb.position, TRUE);
}

void GridUpdateHorizontal(GridWndState& s)
{
    if (!(::GetWindowLong(s.self, GWL_STYLE) & WS_HSCROLL))
        return;
    LONG maximum = GridHorizontalMax(s, s.clientRect.right - s.clientRect.left);
    if (maximum <= 0)
        maximum = 1; // an empty range would hide the bar
    ::SetScrollRange(s.self, SB_HORZ, 0, maximum, FALSE);
    ::SetScrollPos(s.self, SB_HORZ, s.leftColumn < 0 ? 0 : s.leftColumn, TRUE);
}

void GridLayout(GridWndState& s)
{
    ::GetClientRect(s.self, &s.clientRect);
    s.visibleRows = GridWholeRows(s, s.clientRect.bottom - s.clientRect.top);
    GridUpdateScrollBars(s);
    GridUpdateHorizontal(s);
    GridRepaint(s, true);
}

void GridMeasureFont(GridWndState& s)
{
    HDC dc = ::GetDC(s.self);
    HGDIOBJ old = s.font ? ::SelectObject(dc, s.font) : nullptr;
    ::GetTextMetrics(dc, &s.textMetrics);
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(s.self, dc);
    s.textHeight = s.textMetrics.tmHeight;
    s.rowHeight = s.textHeight + s.rowSpacing;
}

void GridInvalidateAll(HWND grid)
{
    ::InvalidateRect(grid, nullptr, FALSE);
    for (WPARAM which : {0, 1})
        if (HWND heading = reinterpret_cast<HWND>(::SendMessage(grid, GM_GETHEADING, which, 0)))
            ::InvalidateRect(heading, nullptr, FALSE);
}

int GridSetup(HWND grid, HWND topHeading, HWND sideHeading, LONG rowCount, LONG columnCount,
              const LONG* widths, LONG rowSpacing, BOOL sizingEnabled)
{
    ::SendMessage(grid, GM_SETHEADING, 0, reinterpret_cast<LPARAM>(topHeading));
    ::SendMessage(grid, GM_SETHEADING, 1, reinterpret_cast<LPARAM>(sideHeading));
    ::SendMessage(grid, GM_ENABLECOLUMNSIZING, sizingEnabled, 0);
    ::SendMessage(grid, GM_SETROWSPACING, rowSpacing, 0);
    ::SendMessage(grid, GM_SETCOLUMNCOUNT, columnCount, 0);
    ::SendMessage(grid, GM_SETROWCOUNT, 0, rowCount);
    if (widths)
        for (LONG c = 0; c < columnCount; ++c)
            ::SendMessage(grid, GM_SETCOLUMNWIDTH, c, widths[c]);
    GridInvalidateAll(grid);
    return 1;
}

int GridFitColumns(HWND grid, LONG n)
{
    const LONG count = static_cast<LONG>(::SendMessage(grid, GM_GETCOLUMNCOUNT, 0, 0));
    if (count <= 0 || n > GRID_DEFAULT_CAPACITY)
        return 0;
    if (n <= 0 || n > count)
        n = count;
    LONG widths[GRID_DEFAULT_CAPACITY];
    LONG fitted[GRID_DEFAULT_CAPACITY];
    for (LONG c = 0; c < n; ++c)
        widths[c] = static_cast<LONG>(::SendMessage(grid, GM_GETCOLUMNWIDTH, c, 0));
    RECT client;
    ::GetClientRect(grid, &client);
    GridFitWidths(widths, n, client.right, fitted);
    for (LONG c = 0; c < n; ++c)
        ::SendMessage(grid, GM_SETCOLUMNWIDTH, c, fitted[c]);
    GridInvalidateAll(grid);
    return 1;
}

void GridPlaceHeading(HWND grid, int which, int gap)
{
    HWND heading = reinterpret_cast<HWND>(::SendMessage(grid, GM_GETHEADING, which, 0));
    if (!heading)
        return;
    RECT gridWindow, gridClient, headingWindow, headingClient;
    ::GetWindowRect(grid, &gridWindow);
    ::GetClientRect(grid, &gridClient);
    ::GetWindowRect(heading, &headingWindow);
    ::GetClientRect(heading, &headingClient);
    const int headingWidth = headingWindow.right - headingWindow.left;
    const int headingHeight = headingWindow.bottom - headingWindow.top;
    POINT at;
    int cx, cy;
    if (which == 0) {
        at = {gridWindow.left, gridWindow.top - headingHeight - gap};
        cx = gridClient.right + (headingWidth - headingClient.right);
        cy = headingHeight;
    } else {
        at = {gridWindow.left - headingWidth - gap, gridWindow.top};
        cx = headingWidth;
        cy = gridClient.bottom + (headingHeight - headingClient.bottom);
    }
    if (HWND parent = ::GetParent(heading))
        ::ScreenToClient(parent, &at);
    ::MoveWindow(heading, at.x, at.y, cx, cy, TRUE);
}
