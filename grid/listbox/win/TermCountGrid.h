// CTermCountGrid: a B-tree grid over a term index or the group tree showing each entry's name (with its
// runs) and its record count, right-aligned in a column as wide as "00000"; the name column takes the
// rest of the grid's width.
#pragma once

#include "grid/listbox/win/BTreeGrid.h"

class CTermCountGrid : public CBTreeGrid
{
public:
    CTermCountGrid() { columnAlign[1] = GRID_ALIGN_RIGHT; }

    BOOL GetCurrentText(StyledString& out) override;
    void RecalcLayout(HWND control) override;

protected:
    void FillRow(BTreeRowCursor& cursor, BTreeCachedRow& row) override;
};
