#include "grid/listbox/win/TermGrid.h"

#include "classlib/WinApp.h"
#include "database/db/DBRecordSet.h"
#include "database/db/ListEntry.h"
#include "database/db/ListFile.h"
#include "grid/listbox/ColumnWidthsSetting.h"

#include <string.h>

namespace {

const char kSection[] = "Term List Options";
const char kWidthsKey[] = "Column Widths.1";
const LONG kEscape = -27;

// The text alone, as one plain run when it is not empty.
void PlainCell(StyledString& cell, const StyledString& from)
{
    cell.SetPlainText(from.text);
}

} // namespace

CTermGrid::CTermGrid() : widths{375, 174}
{
    titles[0] = "Term";
    titles[1] = "Note";
}

bool CTermGrid::IsJournalList() const
{
    return listDocument && listDocument->GetDocumentType() == CListFile::kJournalListType;
}

void CTermGrid::Attach(HWND control, BTree* tree)
{
    CBTreeGrid::Attach(control, tree, 2);
    if (CWinApp* app = AfxGetApp())
        ParseColumnWidths(app->GetProfileString(kSection, kWidthsKey, nullptr), widths[0], widths[1]);
}

void CTermGrid::RememberWidths()
{
    widths[0] = GetColumnWidth(0);
    widths[1] = GetColumnWidth(1);
}

void CTermGrid::ShowIndexTerms(BTree* tree)
{
    if (listDocument) {
        RememberWidths();
        listDocument = nullptr;
    }
    SetTree(tree);
    ::SendMessage(grid, GM_SETSTRETCHLAST, 1, 0);
    ::SendMessage(grid, GM_SETCOLUMNCOUNT, 1, 0);
    FitColumns(1);
}

void CTermGrid::ShowListTerms(CListFile* list, BTree* tree)
{
    CGridRedrawGuard guard(grid);
    if (listDocument)
        RememberWidths();
    listDocument = list;
    SetTree(tree);
    ::SendMessage(grid, GM_SETSTRETCHLAST, 0, 0);
    ::SendMessage(grid, GM_SETCOLUMNCOUNT, 2, 0);
    ::SendMessage(grid, GM_SETCOLUMNWIDTH, 0, widths[0]);
    ::SendMessage(grid, GM_SETCOLUMNWIDTH, 1, widths[1]);
    FitColumns(2);
    ::SendMessage(grid, GM_SETSTRETCHLAST, 1, 0);
}

void CTermGrid::FillRow(BTreeRowCursor&, BTreeCachedRow& row)
{
    if (listDocument) {
        CListEntry entry;
        if (ReadAtCursor(entry)) {
            PlainCell(row.cells[0], entry.strings[0]);
            PlainCell(row.cells[1], entry.strings[IsJournalList() ? 2 : 1]);
        }
        return;
    }
    DBRecordSet set;
    if (ReadAtCursor(set))
        PlainCell(row.cells[0], set.name);
}

BOOL CTermGrid::GetCurrentText(StyledString& out)
{
    if (listDocument) {
        CListEntry entry;
        if (!GetCurrentEntry(entry))
            return FALSE;
        out = entry.strings[0];
        return TRUE;
    }
    DBRecordSet set;
    if (!GetCurrentEntry(set))
        return FALSE;
    out = set.name;
    return TRUE;
}

BOOL CTermGrid::GetSelectedNote(StyledString& out)
{
    if (!listDocument)
        return FALSE;
    CListEntry entry;
    if (!GetCurrentEntry(entry))
        return FALSE;
    out = entry.strings[IsJournalList() ? 2 : 1];
    return !out.IsEmpty();
}

void CTermGrid::OnDestroy()
{
    CBTreeGrid::OnDestroy();
    if (listDocument)
        RememberWidths();
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileString(kSection, kWidthsKey, FormatColumnWidths(widths[0], widths[1]));
}

void CTermGrid::OnKey(LONG, GridWndNotify& block)
{
    if (block.value == kEscape) {
        ::PostMessage(::GetParent(window), WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(window));
        return;
    }
    TypeAhead(block.value);
}

void CTermGrid::OnDrawHeadingCell(LONG column, GridWndNotify& block)
{
    const CString& title = titles[((column % 2) + 2) % 2];
    strncpy(block.textBuffer, title, sizeof block.textBuffer - 1);
    block.textBuffer[sizeof block.textBuffer - 1] = '\0';
    block.text = block.textBuffer;
    block.align = GRID_ALIGN_LEFT;
}
