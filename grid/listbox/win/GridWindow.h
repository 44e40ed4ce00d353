// The grid engine's windows: the grid class "KLXLG3220" (grids and their top and side headings, told
// apart by the style bits GS_HEADING and GS_SIDEHEADING) and the masked cell editor "KLX_Edit". A grid
// stores no cell contents: it asks its owner for every cell it paints (GN_DRAWCELL) and reports every
// user action as a WM_COMMAND notification whose details lie in the one notification block of the
// process (GM_GETNOTIFYBLOCK). The owner drives it only with the GM_* messages of GridMessages.h.
//
// Window extra bytes (pointer-sized slots): grid: 0 the state's memory block, 1 the state's address,
// 2 the column-width array's block; heading and editor: 0 the block, 1 the state's address. A window
// whose state cannot be allocated is not created (CreateWindow answers null).
#pragma once

#include "grid/listbox/GridState.h"

#include <windows.h>

extern const char kGridClassName[];   // "KLXLG3220"
extern const char kGridEditClassName[]; // "KLX_Edit"

// Registers both classes once per process; true when the grid class exists afterwards.
bool RegisterGridWindowClasses(HINSTANCE instance);

// Attaches the headings (either may be null), enables column sizing, sets the spacing, the counts and,
// when widths is not null, the first columnCount widths; then invalidates grid and headings. Answers 1.
int GridSetup(HWND grid, HWND topHeading, HWND sideHeading, LONG rowCount, LONG columnCount,
              const LONG* widths, LONG rowSpacing, BOOL sizingEnabled);
// Shares the client width out over the first n columns (all when n is 0 or above the count) in
// proportion to their widths; 0 without columns or for n above 200.
int GridFitColumns(HWND grid, LONG n);
// Invalidates the grid and both headings.
void GridInvalidateAll(HWND grid);
// Places the top (which 0) or side heading beside the grid, gap pixels away.
void GridPlaceHeading(HWND grid, int which, int gap);

// The window procedures, for subclassing owners.
LRESULT CALLBACK GridWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GridEditWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
