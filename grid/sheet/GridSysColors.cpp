#include "grid/sheet/GridSysColors.h"

namespace {
GridSysColorSource g_source = nullptr;

COLORREF PlatformColor(int index)
{
#ifdef _WIN32
    return ::GetSysColor(index);
#else
    switch (index) {
    case COLOR_WINDOW:
        return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT:
        return RGB(0, 120, 215);
    case COLOR_HIGHLIGHTTEXT:
        return RGB(255, 255, 255);
    case COLOR_BTNFACE:
        return RGB(240, 240, 240);
    default:
        return RGB(0, 0, 0);
    }
#endif
}
} // namespace

COLORREF GridSysColor(int index)
{
    return g_source ? g_source(index) : PlatformColor(index);
}

GridSysColorSource SetGridSysColorSource(GridSysColorSource source)
{
    GridSysColorSource old = g_source;
    g_source = source;
    return old;
}
