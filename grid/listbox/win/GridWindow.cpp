#include "grid/listbox/win/GridWindow.h"

#include "grid/listbox/win/GridInternal.h"

#include <stddef.h>
#include <string.h>

const char kGridClassName[] = "KLXLG3220";
const char kGridEditClassName[] = "KLX_Edit";

GridWndNotify g_gridNotify;
GridAllocFunction g_gridAlloc = ::GlobalAlloc;

void* GridAllocLocked(SIZE_T bytes, HGLOBAL* block)
{
    *block = g_gridAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    void* p = *block ? ::GlobalLock(*block) : nullptr;
    if (*block && !p) {
        ::GlobalFree(*block);
        *block = nullptr;
    }
    return p;
}

void GridFreeLocked(HGLOBAL block)
{
    if (block) {
        ::GlobalUnlock(block);
        ::GlobalFree(block);
    }
}

namespace {

// The grid that handled the previous message: most messages come in runs to one grid.
HWND s_cachedWnd = nullptr;
GridWndState* s_cachedState = nullptr;

const UINT kClassStyle = CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;

bool IsHeading(HWND hWnd)
{
    return (::GetWindowLong(hWnd, GWL_STYLE) & GS_HEADING) != 0;
}

COLORREF Sys(int index)
{
    return ::GetSysColor(index);
}

// A width array of `entries` slots, the first `capacity` at the default width.
LONG* AllocWidths(LONG entries, LONG capacity, HGLOBAL* block)
{
    LONG* widths = static_cast<LONG*>(GridAllocLocked(sizeof(LONG) * entries, block));
    if (widths)
        for (LONG i = 0; i < capacity; ++i)
            widths[i] = GRID_DEFAULT_WIDTH;
    return widths;
}

BOOL CreateGridState(HWND hWnd)
{
    HGLOBAL stateBlock = nullptr, widthBlock = nullptr;
    GridWndState* s = static_cast<GridWndState*>(GridAllocLocked(sizeof(GridWndState), &stateBlock));
    LONG* widths = s ? AllocWidths(GRID_DEFAULT_CAPACITY + 1, GRID_DEFAULT_CAPACITY, &widthBlock) : nullptr;
    if (!widths) {
        GridFreeLocked(stateBlock);
        return FALSE;
    }
    s->columnWidths = widths;
    s->columnCapacity = GRID_DEFAULT_CAPACITY;
    s->self = hWnd;
    ::SetWindowLongPtr(hWnd, GRID_SLOT_BLOCK, reinterpret_cast<LONG_PTR>(stateBlock));
    ::SetWindowLongPtr(hWnd, GRID_SLOT_STATE, reinterpret_cast<LONG_PTR>(s));
    ::SetWindowLongPtr(hWnd, GRID_SLOT_WIDTHS, reinterpret_cast<LONG_PTR>(widthBlock));
    return TRUE;
}

LRESULT CreateGrid(GridWndState& s)
{
    HWND hWnd = s.self;
    s.highlight = 1;
    s.controlId = ::GetDlgCtrlID(hWnd);
    s.paintedRow = s.paintedTopRow = -1;
    s.proportionalThumb = 1;
    s.rowSpacing = 2;
    s.verticalLines = 1;
    s.notifyWindow = ::GetParent(hWnd);
    s.dragSelect = 1;
    s.redraw = 1;
    s.textMargin = 2;
    s.hitX = s.hitY = -1;
    s.shadowPen = ::CreatePen(PS_SOLID, 1, Sys(COLOR_BTNSHADOW));
    s.lightPen = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    s.frameWidth = 2;
    s.backColor = Sys(COLOR_WINDOW);
    s.textColor = Sys(COLOR_WINDOWTEXT);
    GridMeasureFont(s);
    GridLayout(s);
    s.editor =
        ::CreateWindowEx(0, kGridEditClassName, "", WS_CHILD | GES_WANTENTER | GES_WANTTAB, 1, 1, 10, 10,
                         hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(GRID_EDITOR_ID)),
                         reinterpret_cast<HINSTANCE>(::GetWindowLongPtr(hWnd, GWLP_HINSTANCE)), nullptr);
    return s.editor ? 0 : -1;
}

void DestroyGrid(HWND hWnd, GridWndState* s)
{
    if (s) {
        for (HWND heading : {s->topHeading, s->sideHeading})
            if (heading && ::IsWindow(heading))
                ::SendMessage(heading, WM_USER, GRID_USER_ATTACH, 0);
        GridFreeLocked(reinterpret_cast<HGLOBAL>(::GetWindowLongPtr(hWnd, GRID_SLOT_WIDTHS)));
        GridFreeLocked(reinterpret_cast<HGLOBAL>(::GetWindowLongPtr(hWnd, GRID_SLOT_BLOCK)));
    }
    ::SetWindowLongPtr(hWnd, GRID_SLOT_STATE, 0);
    GridForgetCached(hWnd);
}

// GM_SETCOLUMNCAPACITY: a new array of exactly that size; counts above it come down to it.
LRESULT SetColumnCapacity(GridWndState& s, LONG capacity)
{
    if (capacity < 1 || capacity > 32000)
        return s.columnCapacity;
    HGLOBAL block = nullptr;
    LONG* widths = AllocWidths(capacity, capacity, &block);
    if (!widths)
        return s.columnCapacity;
    GridFreeLocked(reinterpret_cast<HGLOBAL>(::GetWindowLongPtr(s.self, GRID_SLOT_WIDTHS)));
    ::SetWindowLongPtr(s.self, GRID_SLOT_WIDTHS, reinterpret_cast<LONG_PTR>(block));
    s.columnWidths = widths;
    s.columnCapacity = capacity;
    if (s.columnCount > capacity)
        GridSetColumnCount(s, capacity);
    GridUpdateHorizontal(s);
    GridRepaint(s, true);
    return capacity;
}

LRESULT SetCurrentColumn(GridWndState& s, LONG column)
{
    if (column >= 0 && column < s.columnCount) {
        const LONG oldLeft = s.leftColumn;
        const LONG width = s.clientRect.right - s.clientRect.left;
        if (s.rowSelect) {
            s.leftColumn = column;
        } else {
            s.currentColumn = column;
            GridMakeColumnVisible(s, width, true);
        }
        GridUpdateHorizontal(s);
        GridRepaint(s, s.leftColumn != oldLeft);
    }
    return s.rowSelect ? s.leftColumn : s.currentColumn;
}

LRESULT SetTopRow(GridWndState& s, LONG row)
{
    if (row < 0)
        return s.rowCount;
    if (row < s.rowCount) {
        s.topRow = row;
        GridRepaint(s, true);
    }
    GridUpdateVerticalThumb(s);
    return s.topRow;
}

LRESULT SetCurrentRow(GridWndState& s, LONG row)
{
    const LONG oldTop = s.topRow;
    if (GridSetCurrentRow(s, row)) {
        if (s.redraw)
            GridUpdateVerticalThumb(s);
        GridRepaint(s, s.topRow != oldTop);
    }
    return s.currentRow;
}

LRESULT SetHeading(GridWndState& s, WPARAM which, HWND heading)
{
    HWND& slot = which == 0 ? s.topHeading : s.sideHeading;
    slot = heading;
    if (heading) {
        GridHeadingAttach attach = {&s, &g_gridNotify};
        ::SendMessage(heading, WM_USER, GRID_USER_ATTACH, reinterpret_cast<LPARAM>(&attach));
    }
    return 0;
}

LRESULT SetPen(GridWndState& s, WPARAM which, HPEN pen)
{
    if (which > 1)
        return -1;
    (which == 0 ? s.verticalPen : s.horizontalPen) = pen;
    return reinterpret_cast<LRESULT>(pen);
}

LRESULT SetFramePen(HPEN& pen, COLORREF colour)
{
    if (pen)
        ::DeleteObject(pen);
    pen = ::CreatePen(PS_SOLID, 1, colour);
    return colour;
}

LONG TextWidth(GridWndState& s, const char* text)
{
    HDC dc = ::GetDC(s.self);
    HGDIOBJ old = s.font ? ::SelectObject(dc, s.font) : nullptr;
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(dc, text, lstrlen(text), &size);
    if (old)
        ::SelectObject(dc, old);
    ::ReleaseDC(s.self, dc);
    return LOWORD(size.cx);
}

LRESULT SetColumnWidth(GridWndState& s, WPARAM column, LONG width)
{
    if (column >= static_cast<WPARAM>(s.columnCapacity))
        return -1;
    if (width >= 0 && width <= GRID_MAX_WIDTH) {
        s.columnWidths[column] = width;
        if (s.fitHorizontalScroll)
            GridUpdateHorizontal(s);
    }
    GridRepaint(s, true);
    return s.columnWidths[column];
}

LRESULT SetColumnWidthChars(GridWndState& s, WPARAM column, LONG chars)
{
    if (column >= static_cast<WPARAM>(s.columnCapacity))
        return -1;
    if (chars >= 1 && chars <= s.columnCapacity - 1) {
        s.columnWidths[column] = s.textMetrics.tmAveCharWidth * chars;
        GridRepaint(s, true);
    }
    return s.columnWidths[column];
}

// Options that only store a flag (and repaint or recompute), answered from one table.
enum Effect
{
    kNothing,
    kRepaintGrid,
    kRepaintBoth,
    kThumb,
    kHorizontal,
};
enum Stored
{
    kAsGiven,
    kNonZero, // 1 for any non-zero flag
    kOnlyOne, // 1 for 1, 0 for anything else
};
struct FlagMessage
{
    UINT message;
    size_t field;
    bool fromLParam;
    Stored stored;
    Effect effect;
};
const FlagMessage kFlagMessages[] = {
    {GM_SETVERTICALLINES, offsetof(GridWndState, verticalLines), false, kAsGiven, kRepaintGrid},
    {GM_SETHIGHLIGHT, offsetof(GridWndState, highlight), false, kAsGiven, kRepaintBoth},
    {GM_SETHORIZONTALLINES, offsetof(GridWndState, horizontalLines), false, kAsGiven, kRepaintGrid},
    {GM_SETROWSELECT, offsetof(GridWndState, rowSelect), false, kAsGiven, kNothing},
    {GM_SETFRAMEWIDTH, offsetof(GridWndState, frameWidth), false, kAsGiven, kNothing},
    {GM_SETDRAGSELECT, offsetof(GridWndState, dragSelect), false, kAsGiven, kNothing},
    {GM_SETSTRETCHLAST, offsetof(GridWndState, stretchLastColumn), false, kNonZero, kNothing},
    {GM_SETUSERFLAG, offsetof(GridWndState, userFlag), false, kNonZero, kNothing},
    {GM_SETBACKCOLOR, offsetof(GridWndState, backColor), true, kAsGiven, kNothing},
    {GM_SETTEXTCOLOR, offsetof(GridWndState, textColor), true, kAsGiven, kNothing},
    {GM_SETPROPORTIONALTHUMB, offsetof(GridWndState, proportionalThumb), false, kAsGiven, kThumb},
    {GM_SETTHUMBTRACK, offsetof(GridWndState, thumbTrack), false, kAsGiven, kNothing},
    {GM_SETFITSCROLL, offsetof(GridWndState, fitHorizontalScroll), false, kAsGiven, kHorizontal},
    {GM_SETCLEARMARGIN, offsetof(GridWndState, clearMargin), false, kOnlyOne, kNothing},
    {GM_SETMULTILINE, offsetof(GridWndState, multiLine), false, kOnlyOne, kNothing},
    {GM_SETMESSAGEFILTER, offsetof(GridWndState, messageFilter), false, kOnlyOne, kNothing},
};

bool HandleFlag(GridWndState& s, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (const FlagMessage& m : kFlagMessages) {
        if (m.message != message)
            continue;
        LONG value = static_cast<LONG>(m.fromLParam ? lParam : wParam);
        if (m.stored != kAsGiven)
            value = m.stored == kNonZero ? value != 0 : value == 1;
        *reinterpret_cast<LONG*>(reinterpret_cast<BYTE*>(&s) + m.field) = value;
        switch (m.effect) {
        case kRepaintGrid:
            GridRepaint(s, false);
            break;
        case kRepaintBoth:
            GridRepaint(s, true);
            break;
        case kThumb:
            GridUpdateScrollBars(s);
            value = 1;
            break;
        case kHorizontal:
            GridUpdateHorizontal(s);
            break;
        case kNothing:
            break;
        }
        result = value;
        return true;
    }
    return false;
}

LRESULT FromEditor(GridWndState& s, WORD code)
{
    switch (code) {
    case GEN_SETFOCUS:
        GridNotify(s, GN_EDITBEGIN, s.editRow, s.editColumn, 0, 0);
        break;
    case GEN_KILLFOCUS: {
        ::ShowWindow(s.editor, SW_HIDE);
        char text[GRID_TEXT_BUFFER];
        const LRESULT got = ::SendMessage(s.editor, WM_GETTEXT, 250, reinterpret_cast<LPARAM>(text));
        if (got)
            lstrcpyn(g_gridNotify.textBuffer, text, GRID_TEXT_BUFFER);
        GridNotify(s, GN_EDITEND, s.editRow, s.editColumn, 0, 0);
        break;
    }
    case GEN_CHANGE:
        GridNotify(s, GN_EDITCHANGE, s.editRow, s.editColumn, 0, 0);
        break;
    case GEN_EXITKEY:
        GridNotify(s, GN_EDITKEY, s.editRow, s.editColumn,
                   static_cast<LONG>(::SendMessage(s.editor, GEM_GETEXITKEY, 0, 0)), 0);
        break;
    }
    return 0;
}

LRESULT GridMessageProc(GridWndState& s, UINT message, WPARAM wParam, LPARAM lParam);

LRESULT GridOwnMessage(GridWndState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LONG l = static_cast<LONG>(lParam);
    LRESULT result = 0;
    if (HandleFlag(s, message, wParam, lParam, result))
        return result;
    switch (message) {
    case GM_SETROWCOUNT:
        GridSetRowCount(s, l);
        GridUpdateScrollBars(s);
        GridRepaint(s, true);
        return s.rowCount;
    case GM_ADDROWS:
        GridAddRows(s, l);
        GridUpdateScrollBars(s);
        return s.rowCount;
    case GM_SETCOLUMNCOUNT:
        GridSetColumnCount(s, static_cast<LONG>(wParam > 0x7FFFFFFF ? 0x7FFFFFFF : wParam));
        GridUpdateHorizontal(s);
        GridRepaint(s, true);
        return s.columnCount;
    case GM_SETCOLUMNWIDTH:
        return SetColumnWidth(s, wParam, l);
    case GM_SETCOLUMNWIDTHCHARS:
        return SetColumnWidthChars(s, wParam, l);
    case GM_SETCURRENTROW:
        return SetCurrentRow(s, l);
    case GM_SETCURRENTCOLUMN:
        return SetCurrentColumn(s, static_cast<LONG>(wParam));
    case GM_GETCURRENTROW:
        return s.currentRow;
    case GM_ENABLECOLUMNSIZING:
        if (s.topHeading)
            ::SendMessage(s.topHeading, GM_ENABLECOLUMNSIZING, wParam, 0);
        return 0;
    case GM_SETROWSPACING:
        s.rowSpacing = static_cast<LONG>(wParam);
        s.rowHeight = s.textHeight + s.rowSpacing;
        GridLayout(s);
        GridRepaint(s, true);
        return s.rowSpacing;
    case GM_SETROWHEIGHT:
        s.rowHeight = static_cast<LONG>(wParam);
        GridLayout(s);
        GridRepaint(s, true);
        return s.rowHeight;
    case GM_SETHEADING:
        return SetHeading(s, wParam, reinterpret_cast<HWND>(lParam));
    case GM_GETCURRENTCOLUMN:
        return s.currentColumn;
    case GM_GETCOLUMNWIDTH:
        return wParam < static_cast<WPARAM>(s.columnCapacity) ? s.columnWidths[wParam] : -1;
    case GM_GETCELLRECT:
        GridCellRectFor(s, *reinterpret_cast<GridWndCellRect*>(lParam));
        return 0;
    case GM_GETAVGCHARWIDTH:
        return s.textMetrics.tmAveCharWidth;
    case GM_GETTEXTWIDTH:
        return TextWidth(s, reinterpret_cast<const char*>(lParam));
    case GM_GETROWCOUNT:
        return s.rowCount;
    case GM_GETCOLUMNCOUNT:
        return s.columnCount;
    case GM_GETHEADING:
        return reinterpret_cast<LRESULT>(wParam == 0 ? s.topHeading : s.sideHeading);
    case GM_GETFONT:
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case GM_GETFONTDC: {
        HDC dc = ::GetDC(s.self);
        if (s.font)
            ::SelectObject(dc, s.font);
        return reinterpret_cast<LRESULT>(dc);
    }
    case GM_GETNOTIFYBLOCK:
        return reinterpret_cast<LRESULT>(&g_gridNotify);
    case GM_GETVISIBLEROWS:
        return GridTouchingRows(s, s.clientRect.bottom - s.clientRect.top);
    case GM_SETTOPROW:
        return SetTopRow(s, l);
    case GM_GETTOPROW:
        return s.topRow;
    case GM_SETREDRAW: {
        const LONG previous = s.redraw;
        s.redraw = static_cast<LONG>(wParam);
        if (wParam)
            GridInvalidateAll(s.self);
        return previous;
    }
    case GM_SETTEXTMARGIN:
        s.textMargin = static_cast<LONG>(wParam);
        ::SendMessage(s.editor, GEM_SETMARGIN, wParam, 0);
        return s.textMargin;
    case GM_SETGRIDPEN:
        return SetPen(s, wParam, reinterpret_cast<HPEN>(lParam));
    case GM_GETROWHEIGHT:
        return s.rowHeight;
    case GM_REDRAWROW:
        GridRedrawRow(s, l, -1);
        return 0;
    case GM_REDRAWCELL:
        GridRedrawRow(s, l, static_cast<LONG>(wParam));
        return 0;
    case GM_GETHITX:
        return s.hitX;
    case GM_GETHITY:
        return s.hitY;
    case GM_GETEDITOR:
    case GM_GETEDITOR2:
        return reinterpret_cast<LRESULT>(s.editor);
    case GM_DRAWRAISEDFRAME:
    case GM_DRAWSUNKENFRAME:
        GridDrawFrame(reinterpret_cast<HDC>(wParam), *reinterpret_cast<const RECT*>(lParam), s.frameWidth,
                      message == GM_DRAWRAISEDFRAME, s.shadowPen, s.lightPen);
        return 1;
    case GM_SETNOTIFYWINDOW:
        s.notifyWindow = reinterpret_cast<HWND>(wParam);
        return wParam;
    case GM_SETCOLUMNCAPACITY:
        return SetColumnCapacity(s, static_cast<LONG>(wParam));
    case GM_SETDRAGMODE:
        GridSetDragMode(s, wParam == 1);
        return s.dragMode;
    case GM_CLEARCURRENTROW: {
        const LONG previous = s.currentRow;
        s.currentRow = -1;
        GridRedrawRow(s, previous, -1);
        return 1;
    }
    case GM_SETSHADOWCOLOR:
        return SetFramePen(s.shadowPen, static_cast<COLORREF>(lParam));
    case GM_SETLIGHTCOLOR:
        return SetFramePen(s.lightPen, static_cast<COLORREF>(lParam));
    case GM_GETEDITTEXT:
        return ::SendMessage(s.editor, WM_GETTEXT, wParam, lParam);
    case GM_SETEDITTEXT:
        return ::SendMessage(s.editor, WM_SETTEXT, 0, lParam);
    case WM_USER:
        switch (wParam) {
        case GRID_USER_STATE:
            return reinterpret_cast<LRESULT>(&s);
        case GRID_USER_NOTIFYBLOCK:
            return reinterpret_cast<LRESULT>(&g_gridNotify);
        case GRID_USER_ALIVE:
            return 1;
        case GRID_USER_USERFLAG:
            return s.userFlag;
        }
        return 0;
    case GRID_MSG_USERFLAG_A:
    case GRID_MSG_USERFLAG_B:
        return s.userFlag;
    case GRID_MSG_IDENTIFY:
        return GRID_IDENTITY;
    }
    return GridMessageProc(s, message, wParam, lParam);
}

LRESULT GridMessageProc(GridWndState& s, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = s.self;
    switch (message) {
    case WM_CREATE:
        return CreateGrid(s);
    case WM_DESTROY:
        ::DeleteObject(s.shadowPen);
        ::DeleteObject(s.lightPen);
        s.shadowPen = s.lightPen = nullptr;
        GridSetDragMode(s, false);
        return 0;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        GridMeasureFont(s);
        GridLayout(s);
        return 0;
    case WM_SIZE:
        GridLayout(s);
        return 0;
    case WM_WINDOWPOSCHANGING: {
        const WINDOWPOS* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!(pos->flags & (SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW))) {
            RECT window, client;
            ::GetWindowRect(hWnd, &window);
            ::GetClientRect(hWnd, &client);
            const LONG height = pos->cy - ((window.bottom - window.top) - client.bottom);
            s.visibleRows = height > 0 ? GridWholeRows(s, height) : 0;
        }
        return 1;
    }
    case WM_MOUSEACTIVATE:
        ::SetFocus(hWnd);
        break;
    case WM_GETDLGCODE:
        return wParam == VK_TAB ? DLGC_WANTARROWS : DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case WM_PAINT:
        GridPaint(s);
        return 0;
    case WM_SETFOCUS:
        s.hasFocus = 1;
        ::InvalidateRect(hWnd, nullptr, FALSE);
        if (!::IsChild(hWnd, reinterpret_cast<HWND>(wParam)))
            GridNotify(s, GN_SETFOCUS, s.currentRow, s.currentColumn, 0, 0);
        break;
    case WM_KILLFOCUS:
        s.hasFocus = 0;
        if (s.rowCount > 0 && !::IsRectEmpty(&s.focusRect)) {
            HDC dc = ::GetDC(hWnd);
            ::SetBkColor(dc, s.backColor);
            ::SetTextColor(dc, s.textColor);
            ::DrawFocusRect(dc, &s.focusRect);
            ::ReleaseDC(hWnd, dc);
            ::SetRectEmpty(&s.focusRect);
        }
        if (!::IsChild(hWnd, reinterpret_cast<HWND>(wParam)))
            GridNotify(s, GN_KILLFOCUS, s.currentRow, s.currentColumn, 0, 0);
        GridSetDragMode(s, false);
        return 0;
    case WM_KEYDOWN:
        return GridKeyDown(s, wParam, lParam);
    case WM_CHAR:
        return GridChar(s, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        return GridMouse(s, message, wParam, lParam);
    case WM_TIMER:
        if (wParam == GRID_DRAG_TIMER)
            GridTimer(s);
        return 0;
    case WM_VSCROLL:
        GridScrollVertical(s, LOWORD(wParam), false, static_cast<SHORT>(HIWORD(wParam)));
        return 0;
    case WM_HSCROLL:
        GridScrollHorizontal(s, LOWORD(wParam), false, static_cast<SHORT>(HIWORD(wParam)));
        return 0;
    case WM_DROPFILES:
        GridDropFiles(s, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == s.editor && s.editor)
            return FromEditor(s, HIWORD(wParam));
        GridNotify(s, GN_COMMAND, s.currentRow, s.currentColumn, LOWORD(wParam), HIWORD(wParam));
        return 0;
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

} // namespace

GridWndState* GridStateOf(HWND hWnd)
{
    if (hWnd == s_cachedWnd && s_cachedState)
        return s_cachedState;
    GridWndState* s = reinterpret_cast<GridWndState*>(::GetWindowLongPtr(hWnd, GRID_SLOT_STATE));
    if (s && !IsHeading(hWnd)) {
        s_cachedWnd = hWnd;
        s_cachedState = s;
    }
    return s;
}

void GridForgetCached(HWND hWnd)
{
    if (hWnd == s_cachedWnd) {
        s_cachedWnd = nullptr;
        s_cachedState = nullptr;
    }
}

LRESULT CALLBACK GridWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (!(cs->style & GS_HEADING) && !CreateGridState(hWnd))
            return FALSE;
        if (cs->style & GS_HEADING)
            return GridHeadingProc(hWnd, message, wParam, lParam);
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    }
    if (IsHeading(hWnd))
        return GridHeadingProc(hWnd, message, wParam, lParam);
    GridWndState* s = GridStateOf(hWnd);
    if (message == WM_NCDESTROY) {
        DestroyGrid(hWnd, s);
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    }
    if (!s)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    if (s->messageFilter) {
        g_gridNotify.code = static_cast<LONG>(message);
        g_gridNotify.value = static_cast<LONG>(wParam);
        g_gridNotify.extra = lParam;
        ::SendMessage(s->notifyWindow, WM_COMMAND, MAKEWPARAM(s->controlId, GN_MESSAGE),
                      reinterpret_cast<LPARAM>(hWnd));
        message = static_cast<UINT>(g_gridNotify.code);
        wParam = static_cast<WPARAM>(static_cast<ULONG>(g_gridNotify.value));
        lParam = g_gridNotify.extra;
    }
    return GridOwnMessage(*s, message, wParam, lParam);
}

bool RegisterGridWindowClasses(HINSTANCE instance)
{
    WNDCLASS wc = {};
    if (::GetClassInfo(instance, kGridClassName, &wc))
        return true;
    struct ClassRow
    {
        const char* name;
        WNDPROC proc;
        int extra;
    };
    const ClassRow classes[] = {{kGridClassName, GridWindowProc, GRID_EXTRA_BYTES},
                                {kGridEditClassName, GridEditWindowProc, GRID_EDIT_EXTRA_BYTES}};
    for (const ClassRow& row : classes) {
        wc = {};
        wc.style = kClassStyle;
        wc.lpfnWndProc = row.proc;
        wc.cbWndExtra = row.extra;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = row.name;
        ::RegisterClass(&wc);
    }
    return ::GetClassInfo(instance, kGridClassName, &wc) != FALSE;
}
