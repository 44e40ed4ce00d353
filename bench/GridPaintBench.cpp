// The grid's paint cost through a trivial owner: full paints of 60 rows x 6 columns, and one-row
// scrolls (the incremental paint that moves the pixels and draws the uncovered rows). Goals: a full
// paint under 1 ms, a one-row scroll under 0.2 ms.
#include "bench/support/BenchReport.h"

#include "grid/listbox/win/GridWindow.h"

#include <windows.h>

#include <stdio.h>

namespace {

long long s_cells = 0;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == GN_DRAWCELL) {
        GridWndNotify* b = reinterpret_cast<GridWndNotify*>(
            ::SendMessage(reinterpret_cast<HWND>(lParam), GM_GETNOTIFYBLOCK, 0, 0));
        sprintf(b->textBuffer, "Row %d, column %d", static_cast<int>(b->row), static_cast<int>(b->column));
        b->text = b->textBuffer;
        ++s_cells;
        return 0;
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}

void Run()
{
    HINSTANCE instance = ::GetModuleHandle(nullptr);
    RegisterGridWindowClasses(instance);
    WNDCLASS wc = {};
    wc.lpfnWndProc = OwnerProc;
    wc.hInstance = instance;
    wc.lpszClassName = "GridBenchOwner";
    ::RegisterClass(&wc);
    HWND owner = ::CreateWindowEx(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 1000, 1200, nullptr,
                                  nullptr, instance, nullptr);
    HWND grid = ::CreateWindowEx(0, "KLXLG3220", "", WS_CHILD | WS_VISIBLE, 0, 0, 960, 100, owner,
                                 reinterpret_cast<HMENU>(120), instance, nullptr);
    const LONG rowHeight = static_cast<LONG>(::SendMessage(grid, GM_GETROWHEIGHT, 0, 0));
    ::MoveWindow(grid, 0, 0, 960, 60 * rowHeight, TRUE);
    const LONG widths[] = {160, 160, 160, 160, 160, 150};
    GridSetup(grid, nullptr, nullptr, 100000, 6, widths, 2, FALSE);
    ::UpdateWindow(grid);

    const int paints = 2000;
    s_cells = 0;
    BenchClock clock;
    for (int i = 0; i < paints; ++i) {
        ::InvalidateRect(grid, nullptr, FALSE);
        ::UpdateWindow(grid);
    }
    const double full = clock.Seconds();
    BenchPrintRate("full paints of 60 rows x 6 columns", paints, full);
    BenchPrintValue("full paint", full / paints * 1000.0, "ms");
    BenchPrintValue("cells asked per full paint", static_cast<double>(s_cells) / paints, "cells");

    const int scrolls = 20000;
    s_cells = 0;
    clock.Restart();
    for (int i = 0; i < scrolls; ++i)
        ::SendMessage(grid, WM_VSCROLL, (i / 1000) % 2 ? SB_LINEUP : SB_LINEDOWN, 0);
    const double scrolled = clock.Seconds();
    BenchPrintRate("one-row scrolls", scrolls, scrolled);
    BenchPrintValue("one-row scroll", scrolled / scrolls * 1000.0, "ms");
    BenchPrintValue("cells asked per scroll", static_cast<double>(s_cells) / scrolls, "cells");
    ::DestroyWindow(owner);
}

} // namespace

int main()
{
    return BenchMain(Run);
}
