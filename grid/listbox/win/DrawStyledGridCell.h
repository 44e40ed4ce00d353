// Draws a styled string into a grid cell as the block of a GN_DRAWCELL gives it (device context,
// rectangle, colours, align): the rectangle filled with the background, then each style run in turn at
// the current position, from 2 pixels inside the left edge, or inside the right edge when the align has
// the right bit (2), the runs then laid out leftwards. Runs with no font name, no style bits and the
// grid font's character set are drawn in the grid font already selected; the others in a font of the
// cache (face from the run or the record list's font setting, the list's point size, the run's bold,
// italic and underline and character set; an empty face when that face lacks the character set).
// Only the string's text is drawn: a run reaching past its end is cut there.
//
// Returns the text alignment the context had, which it gets back.
#pragma once

#include "grid/listbox/GridState.h"

#include <windows.h>

class StyledString;

UINT DrawStyledGridCell(const StyledString& text, GridWndNotify& block, const GridWndState& gridState);
