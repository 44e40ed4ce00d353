// What the grid's window files share: the state lookup, the notification sender, repainting and the
// scroll-bar upkeep. Not for owners.
#pragma once

#include "grid/listbox/GridGeometry.h"

#include <windows.h>

enum GridSlot : int
{
    GRID_SLOT_BLOCK = 0,
    GRID_SLOT_STATE = sizeof(LONG_PTR),
    GRID_SLOT_WIDTHS = 2 * sizeof(LONG_PTR),
    GRID_EXTRA_BYTES = 3 * sizeof(LONG_PTR),
    GRID_EDIT_EXTRA_BYTES = 2 * sizeof(LONG_PTR),
};

extern GridWndNotify g_gridNotify;

// Every state block of the grid's windows comes from g_gridAlloc (GlobalAlloc unless a test puts a
// failing one in its place), zero-filled and locked; null, with *block null, when it cannot be had.
using GridAllocFunction = HGLOBAL(WINAPI*)(UINT flags, SIZE_T bytes);
extern GridAllocFunction g_gridAlloc;
void* GridAllocLocked(SIZE_T bytes, HGLOBAL* block);
void GridFreeLocked(HGLOBAL block);

GridWndState* GridStateOf(HWND hWnd);
GridWndHeadingState* GridHeadingOf(HWND hWnd);
void GridForgetCached(HWND hWnd);

// Bit 0 Control held, bit 1 Shift held.
LONG GridKeyFlags();
// Sends the block's current contents as notification code to the notify window.
void GridSend(GridWndState& s, LONG code);
// Fills row, column, value and extra, then sends.
void GridNotify(GridWndState& s, LONG code, LONG row, LONG column, LONG value, LONG_PTR extra);

// Repaint: invalidate the grid (and the side heading) when redraw is on and the grid is visible.
void GridRepaint(GridWndState& s, bool sideHeading);
void GridUpdateScrollBars(GridWndState& s);
void GridUpdateVerticalThumb(GridWndState& s);
void GridUpdateHorizontal(GridWndState& s);
// Client rectangle, visible rows and scroll range after a size or row-height change; repaints.
void GridLayout(GridWndState& s);
void GridMeasureFont(GridWndState& s);

// Painting (GridPaint.cpp).
void GridPaint(GridWndState& s);
void GridRedrawRow(GridWndState& s, LONG row, LONG column);
void GridDrawFrame(HDC dc, const RECT& rect, LONG width, bool raised, HPEN shadowPen, HPEN lightPen);
LONG GridDrawCellBitmap(HDC dc, HBITMAP bitmap, const RECT& cell, LONG border, COLORREF backColor);

// Input (GridInput.cpp).
void GridScrollVertical(GridWndState& s, int direction, bool keyboard, LONG thumb);
void GridScrollHorizontal(GridWndState& s, int direction, bool dragSelect, LONG thumb);
LRESULT GridKeyDown(GridWndState& s, WPARAM key, LPARAM data);
LRESULT GridChar(GridWndState& s, WPARAM ch, LPARAM data);
LRESULT GridMouse(GridWndState& s, UINT message, WPARAM keys, LPARAM point);
void GridTimer(GridWndState& s);
void GridDropFiles(GridWndState& s, HDROP drop);
void GridSetDragMode(GridWndState& s, bool on);

// Headings (GridHeading.cpp).
LRESULT GridHeadingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
