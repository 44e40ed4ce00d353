// The window-free half of a B-tree grid's type-ahead: what a key value does, and which row a typed
// text selects.
#pragma once

#include "classlib/Types.h"

class BTreeCursor;

enum TypeAheadKey
{
    typeAheadIgnored,
    typeAheadHome,   // key value -36
    typeAheadEnd,    // key value -35
    typeAheadAppend, // a digit or an ASCII letter, appended to the typed text
};

// The key value of a GN_KEY notification, taken as a whole 32-bit value: a character code (0-255) or a
// named key as its negative virtual-key code. A character such as 0xDC is never a named key.
TypeAheadKey ClassifyTypeAheadKey(LONG value);

// The row of the first distinct key at or after the typed text (compared as the tree's collation
// compares typed text), the last row when the text lies past every key; -1 without rows.
LONG TypeAheadRow(BTreeCursor& cursor, const char* typed, LONG rowCount);
