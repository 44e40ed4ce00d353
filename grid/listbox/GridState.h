// The records behind the grid's windows: the state of a grid, the state of a heading, the one
// notification block of the process and the answer record of GM_GETCELLRECT.
//
// A grid keeps its state in a zero-filled movable global block that stays locked for the window's
// life; the window's extra bytes hold the block's handle, the state's address and the width array's
// handle (pointer-sized slots). The field order is the grid's interface: owners read and write some of
// these fields through the state's address (editColumn, editRow, userFlag). Invariants kept by every
// message: columnCount <= columnCapacity; currentRow and topRow are -1 exactly when rowCount is 0;
// currentColumn and leftColumn are -1 exactly when columnCount is 0.
#pragma once

#include "classlib/Types.h"
#include "grid/listbox/GridMessages.h"

struct GridWndState
{
    HFONT font;
    LONG rowHeight;
    LONG textHeight;
    LONG hasFocus;
    LONG highlight;
    LONG rowSelect;
    LONG visibleRows;
    LONG controlId;
    LONG currentRow;
    LONG paintedRow;
    LONG rowCount;
    LONG topRow;
    LONG paintedTopRow;
    LONG scrollRange;
    LONG proportionalThumb;
    LONG columnCount;
    LONG* columnWidths;
    LONG columnCapacity;
    LONG leftColumn;
    LONG paintedLeftColumn;
    LONG currentColumn;
    LONG paintedColumn;
    LONG rowSpacing;
    LONG verticalLines;
    LONG horizontalLines;
    HWND topHeading;
    HWND sideHeading;
    HWND notifyWindow;
    HWND self;
    HWND editor;
    RECT clientRect;
    LONG dragSelect;
    LONG redraw;
    LONG textMargin;
    LONG clearMargin;
    LONG multiLine;
    HPEN horizontalPen;
    HPEN verticalPen;
    LONG messageFilter;
    LONG stretchLastColumn;
    LONG editColumn;
    LONG editRow;
    LONG userFlag;
    LONG hitX;
    LONG hitY;
    RECT hitRect;
    HPEN shadowPen;
    HPEN lightPen;
    LONG frameWidth;
    COLORREF backColor;
    COLORREF textColor;
    LONG thumbTrack;
    LONG fitHorizontalScroll;
    LONG dragMode;
    RECT focusRect;
#ifdef _WIN32
    TEXTMETRICA textMetrics;
#else
    BYTE textMetrics[56]; // the platform record, opaque to the portable code
#endif
};

// ONE block serves every grid window of the process; valid only while a notification is handled.
struct GridWndNotify
{
    LONG code;
    LONG value;
    LONG_PTR extra; // also the address of the dropped file names
    LONG column;
    LONG row;
    COLORREF textColor;
    COLORREF backColor;
    LONG align;
    char* text;
    LONG flags;
    HBITMAP bitmap;
    LONG ownerDrawn;
    HDC dc;
    RECT rect;
    LONG hitX;
    LONG hitY;
    char textBuffer[GRID_TEXT_BUFFER];
};

struct GridWndCellRect
{
    LONG column;
    LONG row;
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
    LONG visibility; // 0 not visible, 1 wholly visible horizontally, 2 partly visible
};

// What a grid hands a heading when it attaches it (WM_USER 101).
struct GridHeadingAttach
{
    GridWndState* state;
    GridWndNotify* block;
};

struct GridWndHeadingState
{
    GridWndNotify* block;
    GridWndState* grid; // null while detached
    HFONT font;
    LONG textHeight;
    LONG sizingState; // 0 idle, 1 over a border, 2 dragging a border
    LONG sizingColumn;
    LONG borderX;
    LONG startWidth;
    LONG sizingEnabled;
    LONG raised;
    LONG frameWidth;
    LONG linesFlag;
    LONG controlId;
    LONG paintedTopRow;
    HWND self;
    COLORREF backColor;
    COLORREF textColor;
};
