#include "grid/listbox/win/BTreeGrid.h"

#include "classlib/MessageBox.h"
#include "classlib/WinThread.h"
#include "grid/listbox/TypeAhead.h"
#include "grid/listbox/win/DrawStyledGridCell.h"

namespace {

const WORD kSelectionChanged = 1; // the list box's selection-change code
const WORD kDoubleClicked = 2;    // and its double-click code
const DWORD kTypeAheadWait = 400; // ms after the last character

// One type-ahead waits at a time in the whole program; the grid it waits for, cleared when that grid
// goes while it waits.
bool s_typeAheadBusy = false;
CBTreeGrid* s_typeAheadGrid = nullptr;

// Dispatches one waiting message through the application's pump; false when it was WM_QUIT, which is
// posted again so that the program's own loop still ends.
bool PumpOne(const MSG& peeked)
{
    if (peeked.message == WM_QUIT) {
        MSG quit;
        ::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        ::PostQuitMessage(static_cast<int>(peeked.wParam));
        return false;
    }
    if (CWinThread* thread = AfxGetThread()) {
        if (!thread->PumpMessage()) {
            ::PostQuitMessage(static_cast<int>(peeked.wParam));
            return false;
        }
        return true;
    }
    MSG msg;
    if (::GetMessage(&msg, nullptr, 0, 0) <= 0) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
    return true;
}

// Clears the busy flag and the waiting grid on every way out.
class TypeAheadTurn
{
public:
    explicit TypeAheadTurn(CBTreeGrid* grid)
    {
        s_typeAheadBusy = true;
        s_typeAheadGrid = grid;
    }
    ~TypeAheadTurn()
    {
        s_typeAheadBusy = false;
        s_typeAheadGrid = nullptr;
    }
    TypeAheadTurn(const TypeAheadTurn&) = delete;
    TypeAheadTurn& operator=(const TypeAheadTurn&) = delete;
};

} // namespace

CBTreeGrid::~CBTreeGrid()
{
    if (s_typeAheadGrid == this)
        s_typeAheadGrid = nullptr;
}

void CBTreeGrid::UseTree(BTree* tree)
{
    m_tree = tree;
    m_cursor.SetTree(tree);
}

void CBTreeGrid::Attach(HWND control, BTree* tree, LONG columnCount)
{
    CListBoxGrid::Attach(control);
    CGridRedrawGuard guard(grid);
    UseTree(tree);
    ::SendMessage(grid, GM_SETCOLUMNCOUNT, static_cast<WPARAM>(columnCount), 0);
    ::SendMessage(grid, GM_SETHORIZONTALLINES, 0, 0);
    ::SendMessage(grid, GM_SETVERTICALLINES, 0, 0);
    if (tree) {
        ::SendMessage(grid, GM_SETCURRENTROW, 0, 0);
        ::SendMessage(grid, GM_SETROWCOUNT, 0, m_cursor.CountRows());
    }
}

void CBTreeGrid::AttachColumns(HWND control, BTree* tree, BOOL twoColumns)
{
    Attach(control, tree, twoColumns ? 2 : 1);
    ::SendMessage(grid, GM_SETROWSPACING, 2, 0);
}

void CBTreeGrid::SetTree(BTree* tree)
{
    CGridRedrawGuard guard(grid);
    m_rows.Clear();
    UseTree(tree);
    if (tree) {
        ::SendMessage(grid, GM_SETCURRENTROW, 0, 0);
        ::SendMessage(grid, GM_SETROWCOUNT, 0, m_cursor.CountRows());
    }
}

void CBTreeGrid::Refresh()
{
    CGridRedrawGuard guard(grid);
    const LONG count = m_cursor.CountRows();
    LONG keep = GetCurrentRow();
    keep = keep < 0 ? 0 : keep;
    keep = keep > count ? count : keep;
    m_rows.Clear();
    ::SendMessage(grid, GM_SETROWCOUNT, 0, count);
    ::SendMessage(grid, GM_SETCURRENTROW, 0, keep);
}

LONG CBTreeGrid::GetRowCount() const
{
    return grid ? static_cast<LONG>(::SendMessage(grid, GM_GETROWCOUNT, 0, 0)) : 0;
}

LONG CBTreeGrid::GetCurrentRow() const
{
    return grid ? static_cast<LONG>(::SendMessage(grid, GM_GETCURRENTROW, 0, 0)) : -1;
}

BTreeCachedRow& CBTreeGrid::GetRow(LONG n)
{
    return m_rows.GetRow(n, GetRowCount(), m_cursor, *this);
}

void CBTreeGrid::BeginSeekWait()
{
    AfxBeginWaitCursor();
}

void CBTreeGrid::EndSeekWait()
{
    AfxEndWaitCursor();
}

void CBTreeGrid::DrawCachedCell(LONG column, LONG row, GridWndNotify& block)
{
    if (column < 0 || column >= BTreeCachedRow::kCells || !gridState)
        return;
    DrawStyledGridCell(GetRow(row).cells[column], block, *gridState);
}

BOOL CBTreeGrid::GetCurrentEntry(CObject& entry)
{
    const LONG current = GetCurrentRow();
    if (current < 0 || current >= GetRowCount() || !m_tree)
        return FALSE;
    const BTreeCachedRow& row = GetRow(current);
    if (row.page == 0)
        return FALSE; // the row could not be read
    m_cursor.Place(row.page, row.slot);
    return ReadAtCursor(entry);
}

void CBTreeGrid::OnDestroy()
{
    if (s_typeAheadGrid == this)
        s_typeAheadGrid = nullptr;
}

void CBTreeGrid::PostListNotification(WORD code)
{
    const int id = ::GetDlgCtrlID(window);
    ::PostMessage(::GetParent(window), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(window));
}

void CBTreeGrid::OnDoubleClick(LONG, GridWndNotify&)
{
    PostListNotification(kDoubleClicked);
}

void CBTreeGrid::OnEnter(LONG, GridWndNotify&)
{
    PostListNotification(kDoubleClicked);
}

void CBTreeGrid::OnRowChanged(LONG, GridWndNotify&)
{
    ::PostMessage(window, WM_COMMAND, MAKEWPARAM(LISTBOX_GRID_ID, kSelectionChanged),
                  reinterpret_cast<LPARAM>(window));
    PostListNotification(kSelectionChanged);
}

void CBTreeGrid::OnKey(LONG, GridWndNotify& block)
{
    TypeAhead(block.value);
}

void CBTreeGrid::OnDrawCell(LONG column, LONG row, GridWndNotify& block)
{
    if (row < 0 || row >= GetRowCount())
        return;
    block.align = column >= 0 && column < 2 ? columnAlign[column] : GRID_ALIGN_LEFT;
    const bool selected = block.value != 0;
    block.textColor = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    block.backColor = ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    DrawCachedCell(column, row, block);
    block.ownerDrawn = 1;
}

void CBTreeGrid::TypeAhead(LONG value)
{
    const LONG rows = GetRowCount();
    if (rows <= 0)
        return;
    switch (ClassifyTypeAheadKey(value)) {
    case typeAheadHome:
        ::SendMessage(grid, GM_SETCURRENTROW, 0, 0);
        return;
    case typeAheadEnd:
        ::SendMessage(grid, GM_SETCURRENTROW, 0, rows - 1);
        return;
    case typeAheadIgnored:
        return;
    case typeAheadAppend:
        break;
    }
    m_typed += static_cast<char>(value);
    if (s_typeAheadBusy)
        return; // the waiting one takes the longer text
    TypeAheadTurn turn(this);
    DWORD deadline = ::GetTickCount() + kTypeAheadWait;
    while (s_typeAheadGrid == this) {
        const DWORD now = ::GetTickCount();
        if (static_cast<LONG>(deadline - now) <= 0)
            break;
        MSG msg;
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, deadline - now, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_CHAR)
            deadline = msg.time + kTypeAheadWait;
        if (!PumpOne(msg))
            break;
    }
    if (s_typeAheadGrid != this)
        return; // the grid went while it waited: nothing of it is touched
    CWaitCursor wait;
    const CString typed = m_typed;
    m_typed.Empty();
    const LONG row = TypeAheadRow(m_cursor.Cursor(), typed, GetRowCount());
    if (row >= 0)
        ::SendMessage(grid, GM_SETCURRENTROW, 0, row);
}
