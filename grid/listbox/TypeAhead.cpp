#include "grid/listbox/TypeAhead.h"

#include "database/btree/BTreeCursor.h"

TypeAheadKey ClassifyTypeAheadKey(LONG value)
{
    if (value == -36)
        return typeAheadHome;
    if (value == -35)
        return typeAheadEnd;
    const bool digit = value >= '0' && value <= '9';
    const bool letter = (value >= 'A' && value <= 'Z') || (value >= 'a' && value <= 'z');
    return digit || letter ? typeAheadAppend : typeAheadIgnored;
}

LONG TypeAheadRow(BTreeCursor& cursor, const char* typed, LONG rowCount)
{
    if (rowCount <= 0)
        return -1;
    const int position = cursor.GetTextPosition(typed);
    if (position < 0)
        return -1;
    return position >= rowCount ? rowCount - 1 : position;
}
