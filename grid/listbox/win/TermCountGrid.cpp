#include "grid/listbox/win/TermCountGrid.h"

#include "database/db/DBRecordSet.h"

#include <stdio.h>

void CTermCountGrid::FillRow(BTreeRowCursor&, BTreeCachedRow& row)
{
    DBRecordSet set;
    if (!ReadAtCursor(set))
        return;
    row.cells[0] = set.name;
    char count[16];
    snprintf(count, sizeof count, "%d", set.GetCount());
    row.cells[1].SetPlainText(count);
}

BOOL CTermCountGrid::GetCurrentText(StyledString& out)
{
    DBRecordSet set;
    if (!GetCurrentEntry(set))
        return FALSE;
    out = set.name;
    return TRUE;
}

void CTermCountGrid::RecalcLayout(HWND control)
{
    CBTreeGrid::RecalcLayout(control);
    if (!grid)
        return;
    const LONG countWidth =
        static_cast<LONG>(::SendMessage(grid, GM_GETTEXTWIDTH, 0, reinterpret_cast<LPARAM>("00000")));
    RECT client;
    ::GetClientRect(grid, &client);
    ::SendMessage(grid, GM_SETCOLUMNWIDTH, 0, client.right - countWidth - 2);
    ::SendMessage(grid, GM_SETCOLUMNWIDTH, 1, countWidth);
}
