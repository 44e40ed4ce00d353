// Scrolling, keys, the mouse, row dragging and dropped files of a grid.
#include "grid/listbox/win/GridInternal.h"

#include <shellapi.h>

#include <string.h>

#include <string>
#include <vector>

namespace {

GridNotifyFn Notifier(GridWndState& s)
{
    return [&s](LONG code, LONG value, LONG extra) { GridNotify(s, code, s.currentRow, s.currentColumn, value, extra); };
}

void DirectPaint(HWND hWnd)
{
    ::SendMessage(hWnd, WM_PAINT, 0, 0);
}

// Coordinates of a mouse message; words above 32000 count as negative.
LONG Coordinate(WORD word)
{
    return word > 32000 ? static_cast<LONG>(word) - 65536 : word;
}

// The cell under a client point, for reports that do not select: -1 and -1 outside.
GridHit HitOrNone(GridWndState& s, LONG x, LONG y)
{
    GridHit hit;
    if (!GridHitTest(s, x, y, hit)) {
        hit.row = hit.column = -1;
        hit.hitX = hit.hitY = -1;
        hit.cell = {0, 0, 0, 0};
    }
    return hit;
}

void NotifyHit(GridWndState& s, LONG code, const GridHit& hit, LONG_PTR extra)
{
    g_gridNotify.hitX = hit.hitX;
    g_gridNotify.hitY = hit.hitY;
    g_gridNotify.rect = hit.cell;
    GridNotify(s, code, hit.row, hit.column, GridKeyFlags(), extra);
}

// -1 no cell there; 0 the cell painted as current; 1 a new current cell.
int SelectAt(GridWndState& s, LONG x, LONG y)
{
    GridHit hit;
    if (!GridHitTest(s, x, y, hit))
        return -1;
    s.hitX = hit.hitX;
    s.hitY = hit.hitY;
    s.hitRect = hit.cell;
    s.currentRow = hit.row;
    s.currentColumn = hit.column;
    if (s.currentRow == s.paintedRow && s.currentColumn == s.paintedColumn)
        return 0;
    GridUpdateVerticalThumb(s);
    GridUpdateHorizontal(s);
    return 1;
}

bool ButtonHeld()
{
    return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

bool MessageWaiting()
{
    MSG msg;
    return ::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
}

// The mouse held outside the client area: move one step at a time while nothing else happens.
void AutoScroll(GridWndState& s, LONG x, LONG y)
{
    do {
        if (y < 0)
            GridScrollVertical(s, GRID_LINE_UP, true, 0);
        else if (y >= s.clientRect.bottom)
            GridScrollVertical(s, GRID_LINE_DOWN, true, 0);
        else if (x < 0)
            GridScrollHorizontal(s, GRID_LINE_UP, true, 0);
        else
            GridScrollHorizontal(s, GRID_LINE_DOWN, true, 0);
    } while (ButtonHeld() && !MessageWaiting() && ::GetCapture() == s.self);
}

bool NamedKey(WPARAM key)
{
    switch (key) {
    case VK_BACK:
    case VK_TAB:
    case VK_ESCAPE:
    case VK_END:
    case VK_HOME:
    case VK_INSERT:
    case VK_DELETE:
        return true;
    }
    return key >= VK_F1 && key <= VK_F10;
}

} // namespace

void GridScrollVertical(GridWndState& s, int direction, bool keyboard, LONG thumb)
{
    const LONG oldTop = s.topRow;
    GridMoveVertical(s, direction, keyboard, thumb, Notifier(s));
    if (s.topRow != oldTop) {
        const LONG moved = s.topRow - s.paintedTopRow;
        if (moved > 1 || moved < -1 || s.paintedTopRow < 0) {
            GridRepaint(s, true);
            ::UpdateWindow(s.self);
            if (s.sideHeading)
                ::UpdateWindow(s.sideHeading);
        } else {
            if (s.sideHeading)
                DirectPaint(s.sideHeading);
            if (s.currentRow == s.paintedRow)
                DirectPaint(s.self);
        }
        GridUpdateVerticalThumb(s);
    }
    if (s.currentRow != s.paintedRow)
        DirectPaint(s.self);
}

void GridScrollHorizontal(GridWndState& s, int direction, bool dragSelect, LONG thumb)
{
    if (s.columnCount <= 0)
        return;
    const LONG oldLeft = s.leftColumn;
    const LONG width = s.clientRect.right - s.clientRect.left;
    const bool left = direction == 0 || direction == 2;
    const bool right = direction == 1 || direction == 3;
    if (dragSelect) {
        if (left && s.currentColumn > 0)
            --s.currentColumn;
        if (right && s.currentColumn < s.columnCount - 1)
            ++s.currentColumn;
        GridMakeColumnVisible(s, width, false);
    } else if (left) {
        if (s.leftColumn > 0)
            --s.leftColumn;
    } else if (right) {
        if (s.leftColumn < GridHorizontalMax(s, width))
            ++s.leftColumn;
    } else if (direction == GRID_THUMB_POSITION) {
        if (thumb >= 0 && thumb <= GridHorizontalMax(s, width))
            s.leftColumn = thumb;
    }
    if (s.leftColumn != oldLeft) {
        if (s.redraw)
            ::InvalidateRect(s.self, nullptr, FALSE);
        if (s.topHeading) {
            ::InvalidateRect(s.topHeading, nullptr, FALSE);
            ::UpdateWindow(s.topHeading);
        }
        GridUpdateHorizontal(s);
    }
    if (s.currentColumn != s.paintedColumn)
        DirectPaint(s.self);
}

LRESULT GridKeyDown(GridWndState& s, WPARAM key, LPARAM data)
{
    GridNotify(s, GN_KEYDOWN, s.currentRow, s.currentColumn, static_cast<LONG>(key), data);
    switch (key) {
    case VK_DOWN:
        GridScrollVertical(s, GRID_LINE_DOWN, true, 0);
        return 0;
    case VK_UP:
        GridScrollVertical(s, GRID_LINE_UP, true, 0);
        return 0;
    case VK_NEXT:
        GridScrollVertical(s, GRID_PAGE_DOWN, true, 0);
        return 0;
    case VK_PRIOR:
        GridScrollVertical(s, GRID_PAGE_UP, true, 0);
        return 0;
    case VK_RETURN:
        if (s.rowCount > 0 && s.columnCount > 0)
            GridNotify(s, GN_ENTER, s.currentRow, s.currentColumn, GridKeyFlags(), 0);
        return 0;
    }
    if (NamedKey(key))
        GridNotify(s, GN_KEY, s.currentRow, s.currentColumn, -static_cast<LONG>(key), data);
    return 0;
}

LRESULT GridChar(GridWndState& s, WPARAM ch, LPARAM data)
{
    if (ch == ' ' || (ch < 256 && ::IsCharAlphaNumeric(static_cast<char>(ch))))
        GridNotify(s, GN_KEY, s.currentRow, s.currentColumn, static_cast<LONG>(ch), data);
    return 0;
}

LRESULT GridMouse(GridWndState& s, UINT message, WPARAM keys, LPARAM point)
{
    const LONG x = Coordinate(LOWORD(point));
    const LONG y = Coordinate(HIWORD(point));
    switch (message) {
    case WM_LBUTTONDOWN: {
        ::SetCapture(s.self);
        const int selected = SelectAt(s, x, y);
        GridHit hit = {s.currentRow, s.currentColumn, s.hitRect, s.hitX, s.hitY};
        if (selected == 1) {
            NotifyHit(s, GN_CLICK, hit, 1);
            DirectPaint(s.self);
        } else if (selected == 0) {
            NotifyHit(s, GN_CLICKCURRENT, hit, 1);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (keys != MK_LBUTTON || !s.dragSelect || s.dragMode)
            return 0;
        if (x < 0 || y < 0 || x >= s.clientRect.right || y >= s.clientRect.bottom)
            AutoScroll(s, x, y);
        else if (SelectAt(s, x, y) == 1)
            DirectPaint(s.self);
        return 0;
    case WM_LBUTTONUP: {
        if (::GetCapture() == s.self)
            ::ReleaseCapture();
        const GridHit hit = HitOrNone(s, x, y);
        if (s.dragMode) {
            GridSetDragMode(s, false);
            NotifyHit(s, GN_DRAG, hit, 0);
        } else {
            NotifyHit(s, GN_CLICK, hit, 0);
        }
        return 0;
    }
    case WM_LBUTTONDBLCLK:
        NotifyHit(s, GN_DOUBLECLICK, HitOrNone(s, x, y), 1);
        return 0;
    }
    return 0;
}

void GridSetDragMode(GridWndState& s, bool on)
{
    if (on) {
        ::SetCapture(s.self);
        ::SetTimer(s.self, GRID_DRAG_TIMER, 100, nullptr);
    } else if (s.dragMode) {
        if (::GetCapture() == s.self)
            ::ReleaseCapture();
        ::KillTimer(s.self, GRID_DRAG_TIMER);
    }
    s.dragMode = on ? 1 : 0;
}

void GridTimer(GridWndState& s)
{
    if (!s.dragMode)
        return;
    POINT at;
    ::GetCursorPos(&at);
    ::ScreenToClient(s.self, &at);
    NotifyHit(s, GN_DRAG, HitOrNone(s, at.x, at.y), GRID_DRAG_TIMER);
}

void GridDropFiles(GridWndState& s, HDROP drop)
{
    const UINT count = ::DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    // One block of names and one array of their addresses, freed after the notification.
    std::vector<size_t> offsets;
    std::string names;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFile(drop, i, nullptr, 0);
        std::string name(length + 1, '\0');
        ::DragQueryFile(drop, i, &name[0], length + 1);
        offsets.push_back(names.size());
        names.append(name.c_str(), strlen(name.c_str()) + 1);
    }
    std::vector<char*> addresses;
    for (size_t offset : offsets)
        addresses.push_back(&names[offset]);
    POINT at;
    ::DragQueryPoint(drop, &at);
    const GridHit hit = HitOrNone(s, at.x, at.y);
    g_gridNotify.textBuffer[0] = '\0';
    if (count > 0)
        lstrcpyn(g_gridNotify.textBuffer, addresses[0], GRID_TEXT_BUFFER);
    g_gridNotify.hitX = hit.hitX;
    g_gridNotify.hitY = hit.hitY;
    GridNotify(s, GN_DROPFILES, hit.row, hit.column, static_cast<LONG>(count),
               reinterpret_cast<LONG_PTR>(addresses.empty() ? nullptr : addresses.data()));
    ::DragFinish(drop);
}
