// The system colours that absent cell colours fall back to, read at the time of each call.
//
// The Windows build asks the platform; the native build answers from a fixed table. Tests may put their
// own source in place (SetGridSysColorSource) to show that a getter reads the colour of the moment;
// passing null restores the platform's.
#pragma once
#include "classlib/Types.h"

#ifndef COLOR_WINDOW
#define COLOR_WINDOW 5
#define COLOR_WINDOWTEXT 8
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_BTNFACE 15
#endif

typedef COLORREF (*GridSysColorSource)(int index);

COLORREF GridSysColor(int index);
// Returns the previous source (null for the platform's).
GridSysColorSource SetGridSysColorSource(GridSysColorSource source);
