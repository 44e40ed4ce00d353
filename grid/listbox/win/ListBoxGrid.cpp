#include "grid/listbox/win/ListBoxGrid.h"

#include "grid/listbox/win/GridInternal.h"
#include "grid/listbox/win/GridWindow.h"

#include <stdlib.h>

const char kListBoxGridClassName[] = "CLGListBox";

namespace {

enum ListBoxSlot : int
{
    LISTBOX_SLOT_OBJECT = 0,
    LISTBOX_SLOT_FONT = sizeof(LONG_PTR),
    LISTBOX_SLOT_STYLE = 2 * sizeof(LONG_PTR),
    LISTBOX_EXTRA_BYTES = 3 * sizeof(LONG_PTR),
};

const DWORD kScrollBits = WS_HSCROLL | WS_VSCROLL;

CListBoxGrid* ObjectOf(HWND hWnd)
{
    return reinterpret_cast<CListBoxGrid*>(::GetWindowLongPtr(hWnd, LISTBOX_SLOT_OBJECT));
}

// The notifications of the children: which virtual call each reaches, with which argument.
enum Argument
{
    argRow,
    argColumn,
    argValue,
    argCell, // column and row
};
using Handler = void (CListBoxGrid::*)(LONG, GridWndNotify&);
using CellHandler = void (CListBoxGrid::*)(LONG, LONG, GridWndNotify&);
struct Route
{
    int child;
    LONG code;
    Handler handler;
    Argument argument;
};
const Route kRoutes[] = {
    {LISTBOX_GRID_ID, GN_ROWCHANGED, &CListBoxGrid::OnRowChanged, argRow},
    {LISTBOX_GRID_ID, GN_KEY, &CListBoxGrid::OnKey, argRow},
    {LISTBOX_GRID_ID, GN_CLICK, &CListBoxGrid::OnClick, argRow},
    {LISTBOX_GRID_ID, GN_RIGHTCLICK, &CListBoxGrid::OnRightClick, argRow},
    {LISTBOX_GRID_ID, GN_DOUBLECLICK, &CListBoxGrid::OnDoubleClick, argRow},
    {LISTBOX_GRID_ID, GN_ENTER, &CListBoxGrid::OnEnter, argRow},
    {LISTBOX_GRID_ID, GN_CLICKCURRENT, &CListBoxGrid::OnClickCurrent, argRow},
    {LISTBOX_GRID_ID, GN_KILLFOCUS, &CListBoxGrid::OnKillFocus, argRow},
    {LISTBOX_GRID_ID, GN_DROPFILES, &CListBoxGrid::OnDropFiles, argRow},
    {LISTBOX_GRID_ID, GN_PASTLASTROW, &CListBoxGrid::OnPastLastRow, argValue},
    {LISTBOX_GRID_ID, GN_BEFOREFIRSTROW, &CListBoxGrid::OnBeforeFirstRow, argValue},
    {LISTBOX_TOP_HEADING_ID, GN_DRAWCELL, &CListBoxGrid::OnDrawHeadingCell, argColumn},
    {LISTBOX_TOP_HEADING_ID, GN_CLICK, &CListBoxGrid::OnHeadingClick, argColumn},
    {LISTBOX_TOP_HEADING_ID, GN_RIGHTCLICK, &CListBoxGrid::OnHeadingRightClick, argColumn},
    {LISTBOX_TOP_HEADING_ID, GN_DOUBLECLICK, &CListBoxGrid::OnHeadingDoubleClick, argColumn},
    {LISTBOX_TOP_HEADING_ID, GN_COLUMNSIZED, &CListBoxGrid::OnColumnSized, argColumn},
    {LISTBOX_TOP_HEADING_ID, GN_COLUMNSIZING, &CListBoxGrid::OnColumnSizing, argColumn},
    {LISTBOX_TOP_HEADING_ID, GN_BEGINCOLUMNSIZE, &CListBoxGrid::OnBeginColumnSize, argColumn},
    {LISTBOX_SIDE_HEADING_ID, GN_DRAWCELL, &CListBoxGrid::OnDrawSideCell, argRow},
    {LISTBOX_SIDE_HEADING_ID, GN_CLICK, &CListBoxGrid::OnSideClick, argRow},
    {LISTBOX_SIDE_HEADING_ID, GN_RIGHTCLICK, &CListBoxGrid::OnSideRightClick, argRow},
    {LISTBOX_SIDE_HEADING_ID, GN_DOUBLECLICK, &CListBoxGrid::OnSideDoubleClick, argRow},
};

LONG ArgumentOf(Argument argument, const GridWndNotify& block)
{
    switch (argument) {
    case argColumn:
        return block.column;
    case argValue:
        return block.value;
    default:
        return block.row;
    }
}

int WindowWidth(HWND hWnd)
{
    RECT r;
    ::GetWindowRect(hWnd, &r);
    return r.right - r.left;
}

int WindowHeight(HWND hWnd)
{
    RECT r;
    ::GetWindowRect(hWnd, &r);
    return r.bottom - r.top;
}

void SetPixel2(HDC dc, int x0, int y0, int x1, int y1, HPEN pen)
{
    HGDIOBJ old = ::SelectObject(dc, pen);
    ::MoveToEx(dc, x0, y0, nullptr);
    ::LineTo(dc, x1, y1);
    ::SelectObject(dc, old);
}

} // namespace

bool RegisterListBoxGridClass(HINSTANCE instance)
{
    RegisterGridWindowClasses(instance);
    WNDCLASS wc = {};
    if (::GetClassInfo(instance, kListBoxGridClassName, &wc))
        return true;
    wc.style = CS_SAVEBITS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ListBoxGridWindowProc;
    wc.cbWndExtra = LISTBOX_EXTRA_BYTES;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kListBoxGridClassName;
    ::RegisterClass(&wc);
    return ::GetClassInfo(instance, kListBoxGridClassName, &wc) != FALSE;
}

LRESULT CALLBACK ListBoxGridWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE: {
        const CREATESTRUCT* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        ::SetWindowLongPtr(hWnd, LISTBOX_SLOT_OBJECT, 0);
        ::SetWindowLongPtr(hWnd, LISTBOX_SLOT_FONT, 0);
        ::SetWindowLongPtr(hWnd, LISTBOX_SLOT_STYLE, static_cast<LONG_PTR>(cs->style));
        ::SetWindowLong(hWnd, GWL_STYLE, static_cast<LONG>(cs->style & ~kScrollBits));
        return TRUE;
    }
    case LGM_ATTACHOBJECT:
        ::SetWindowLongPtr(hWnd, LISTBOX_SLOT_OBJECT, lParam);
        return 1;
    case WM_SETFONT:
        ::SetWindowLongPtr(hWnd, LISTBOX_SLOT_FONT, static_cast<LONG_PTR>(wParam));
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtr(hWnd, LISTBOX_SLOT_OBJECT, 0);
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    }
    if (CListBoxGrid* object = ObjectOf(hWnd))
        return object->HandleMessage(hWnd, message, wParam, lParam);
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

CListBoxGrid::~CListBoxGrid()
{
    if (window && ::IsWindow(window) && ObjectOf(window) == this)
        ::SetWindowLongPtr(window, LISTBOX_SLOT_OBJECT, 0);
    linePen.DeleteObject();
    font.DeleteObject();
}

void CListBoxGrid::InitDefaults()
{
    font.DeleteObject();
    ::SendMessage(window, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_VAR_FONT)), 1);
    ::SendMessage(grid, GM_SETROWSELECT, 1, 0);
    if (!linePen.GetSafeHandle()) {
        linePen.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNFACE));
        ::SendMessage(grid, GM_SETGRIDPEN, 0, reinterpret_cast<LPARAM>(linePen.GetSafeHandle()));
        ::SendMessage(grid, GM_SETGRIDPEN, 1, reinterpret_cast<LPARAM>(linePen.GetSafeHandle()));
    }
}

HWND CListBoxGrid::Create(DWORD style, HWND parent, int x, int y, int width, int height)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtr(parent, GWLP_HINSTANCE));
    HWND control = ::CreateWindowEx(0, kListBoxGridClassName, "", style, x, y, width, height, parent,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(LISTBOX_CONTROL_ID)),
                                    instance, nullptr);
    window = control;
    if (control)
        Attach(control);
    return control;
}

void CListBoxGrid::Attach(HWND control)
{
    window = control;
    ::SendMessage(control, LGM_ATTACHOBJECT, 0, reinterpret_cast<LPARAM>(this));
    ::SendMessage(control, LGM_CREATECHILDREN, 0, 0);
}

void CListBoxGrid::CreateChildren(HWND control)
{
    const DWORD saved = static_cast<DWORD>(::GetWindowLongPtr(control, LISTBOX_SLOT_STYLE));
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtr(control, GWLP_HINSTANCE));
    RECT client;
    ::GetClientRect(control, &client);
    auto child = [&](DWORD style, int x, int y, int cx, int cy, int id) {
        return ::CreateWindowEx(0, kGridClassName, "", style, x, y, cx, cy, control,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    grid = child(WS_CHILD | WS_CLIPCHILDREN | WS_BORDER | WS_TABSTOP | (saved & kScrollBits), 39, 19,
                 client.right - 40, client.bottom - 20, LISTBOX_GRID_ID);
    if (grid) {
        notify = reinterpret_cast<GridWndNotify*>(::SendMessage(grid, GM_GETNOTIFYBLOCK, 0, 0));
        gridState = reinterpret_cast<GridWndState*>(::SendMessage(grid, WM_USER, 102, 0));
        ::ShowWindow(grid, SW_SHOW);
    }
    const DWORD heading = WS_CHILD | WS_VISIBLE | WS_BORDER | GS_HEADING | GS_RAISED;
    if (saved & GS_HEADING)
        topHeading = child(heading, 0, 0, 20, 20, LISTBOX_TOP_HEADING_ID);
    if (saved & GS_SIDEHEADING)
        sideHeading = child(heading | GS_SIDEHEADING, 0, 0, 40, 40, LISTBOX_SIDE_HEADING_ID);
    window = control;
    gap = -1;
    ::SendMessage(control, WM_SETFONT, static_cast<WPARAM>(::GetWindowLongPtr(control, LISTBOX_SLOT_FONT)),
                  0);
    if (grid)
        GridSetup(grid, topHeading, sideHeading, 0, 0, nullptr, 3, TRUE);
    RecalcLayout(control);
}

void CListBoxGrid::DrawScreenFrame()
{
    if (!grid)
        return;
    RECT r;
    ::GetWindowRect(grid, &r);
    HDC dc = ::GetDC(nullptr);
    HPEN white = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
    HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    HPEN black = ::CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    // Outer line: shadow at top and left, white at bottom and right; inner: black, then shadow.
    const struct
    {
        int inset;
        HPEN topLeft, bottomRight;
    } lines[] = {{-2, shadow, white}, {-1, black, shadow}};
    for (const auto& line : lines) {
        const int l = r.left + line.inset, t = r.top + line.inset;
        const int rr = r.right - 1 - line.inset, b = r.bottom - 1 - line.inset;
        SetPixel2(dc, l, b, l, t, line.topLeft);
        SetPixel2(dc, l, t, rr, t, line.topLeft);
        SetPixel2(dc, rr, t, rr, b, line.bottomRight);
        SetPixel2(dc, rr, b, l - 1, b, line.bottomRight);
    }
    ::DeleteObject(white);
    ::DeleteObject(shadow);
    ::DeleteObject(black);
    ::ReleaseDC(nullptr, dc);
}

void CListBoxGrid::PaintBackground(HWND control)
{
    HDC dc = ::GetDC(control);
    RECT client;
    ::GetClientRect(control, &client);
    HBRUSH face = ::GetSysColorBrush(COLOR_BTNFACE);
    ::FillRect(dc, &client, face);
    if (topHeading && sideHeading) {
        RECT corner = {0, 0, WindowWidth(sideHeading), WindowHeight(topHeading)};
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, corner.left, corner.top, corner.right, corner.bottom);
        ::SelectObject(dc, oldBrush);
        HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
        HPEN light = ::CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        RECT frame = {corner.left + 1, corner.top + 1, corner.right - 1, corner.bottom - 1};
        GridDrawFrame(dc, frame, 2, true, shadow, light);
        RECT inside = {frame.left + 2, frame.top + 2, frame.right - 2, frame.bottom - 2};
        ::FillRect(dc, &inside, face);
        ::DeleteObject(shadow);
        ::DeleteObject(light);
    }
    ::ReleaseDC(control, dc);
}

LRESULT CListBoxGrid::OnCornerMouse(HWND, UINT message, WPARAM, LPARAM lParam)
{
    const RECT corner = {0, 0, sideHeading ? WindowWidth(sideHeading) - 1 : -1,
                         topHeading ? WindowHeight(topHeading) + 1 : 1};
    const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (!notify || !::PtInRect(&corner, p))
        return 0;
    GridWndNotify& b = *notify;
    b.row = -1;
    b.column = -1;
    b.value = GridKeyFlags();
    b.hitX = p.x;
    b.hitY = p.y;
    b.rect = corner;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        b.code = GN_CLICK;
        b.extra = message == WM_LBUTTONDOWN ? 1 : 0;
        OnCornerClick(b);
        break;
    case WM_LBUTTONDBLCLK:
        b.code = GN_DOUBLECLICK;
        b.extra = 1;
        OnCornerDoubleClick(b);
        break;
    default:
        b.code = GN_RIGHTCLICK;
        b.extra = message == WM_RBUTTONDOWN ? 1 : 0;
        OnCornerRightClick(b);
        break;
    }
    return 1;
}

void CListBoxGrid::RecalcLayout(HWND control)
{
    if (!grid)
        return;
    const int sideWidth = sideHeading ? WindowWidth(sideHeading) : -gap;
    int topHeight = -gap;
    if (topHeading) {
        LOGFONT lf = {};
        HFONT f = reinterpret_cast<HFONT>(::SendMessage(topHeading, WM_GETFONT, 0, 0));
        if (!f || !::GetObject(f, sizeof lf, &lf))
            ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
        const int height =
            abs(static_cast<int>(lf.lfHeight)) + 4 > 20 ? abs(static_cast<int>(lf.lfHeight)) + 4 : 20;
        ::SetWindowPos(topHeading, nullptr, 0, 0, 40, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        topHeight = WindowHeight(topHeading);
    }
    RECT client;
    ::GetClientRect(control, &client);
    const int f = framed ? 1 : 0;
    ::MoveWindow(grid, gap - f + sideWidth, gap - f + topHeight, client.right - sideWidth + 2 * f - gap,
                 client.bottom - topHeight + 2 * f - gap, TRUE);
    GridPlaceHeading(grid, 0, gap);
    GridPlaceHeading(grid, 1, gap);
}

void CListBoxGrid::SetFontMessage(HWND control, WPARAM f, LPARAM redraw)
{
    ::SetWindowLongPtr(control, LISTBOX_SLOT_FONT, static_cast<LONG_PTR>(f));
    if (grid)
        ::SendMessage(grid, WM_SETFONT, f, redraw);
    for (HWND heading : {topHeading, sideHeading})
        if (heading) {
            ::SendMessage(heading, WM_SETFONT, f, redraw);
            ::InvalidateRect(heading, nullptr, TRUE);
        }
    RecalcLayout(control);
}

LRESULT CListBoxGrid::Command(HWND control, WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    if (id != LISTBOX_GRID_ID && id != LISTBOX_TOP_HEADING_ID && id != LISTBOX_SIDE_HEADING_ID)
        return ::DefWindowProc(control, WM_COMMAND, wParam, lParam);
    if (!notify)
        return 1;
    GridWndNotify& b = *notify;
    const LONG code = HIWORD(wParam);
    if (id == LISTBOX_GRID_ID && code == GN_DRAWCELL) {
        OnDrawCell(b.column, b.row, b);
        return 1;
    }
    for (const Route& route : kRoutes)
        if (route.child == id && route.code == code) {
            (this->*route.handler)(ArgumentOf(route.argument, b), b);
            break;
        }
    return 1;
}

LRESULT CListBoxGrid::HandleMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        OnDestroy();
        return 1;
    case WM_SIZE:
        RecalcLayout(control);
        return 1;
    case WM_SETFOCUS:
        if (grid)
            ::SetFocus(grid);
        return ::DefWindowProc(control, message, wParam, lParam);
    case WM_PAINT:
        ::DefWindowProc(control, message, wParam, lParam);
        PaintBackground(control);
        return 0;
    case WM_SETFONT:
        SetFontMessage(control, wParam, lParam);
        return 1;
    case WM_CHAR:
        if (OnChar(wParam, lParam))
            return 0;
        return ::DefWindowProc(control, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return OnCornerMouse(control, message, wParam, lParam);
    case LGM_CREATECHILDREN:
        CreateChildren(control);
        InitDefaults();
        return 1;
    case WM_COMMAND:
        return Command(control, wParam, lParam);
    }
    return ::DefWindowProc(control, message, wParam, lParam);
}

LONG CListBoxGrid::GetColumnWidth(LONG column) const
{
    return static_cast<LONG>(::SendMessage(grid, GM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

int CListBoxGrid::FitColumns(LONG n)
{
    return grid ? GridFitColumns(grid, n) : 0;
}

void CListBoxGrid::SetFont(const LOGFONT& logFont)
{
    HFONT created = ::CreateFontIndirect(&logFont);
    if (!created)
        return;
    font.DeleteObject();
    font.Attach(created);
    if (window)
        ::SendMessage(window, WM_SETFONT, reinterpret_cast<WPARAM>(created), 1);
}

void CListBoxGrid::SetSideHeadingWidth(int width)
{
    if (!sideHeading)
        return;
    ::SetWindowPos(sideHeading, nullptr, 0, 0, width, WindowHeight(sideHeading),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout(window);
    ::InvalidateRect(window, nullptr, TRUE);
}
