// CBTreeGrid: a list-box grid whose rows are the distinct keys of a B-tree, in key order, read on demand
// through one cursor into a cache of the last 100 rows shown. Towards its dialog or view it behaves as a
// list box: a new current row posts the selection-change notification (code 1) and a double click or
// Enter the double-click one (code 2), both as WM_COMMAND with the control's ID to its parent. Letters
// and digits typed within 400 ms of each other select the first key at or after the typed text.
//
// The tree must outlive the grid's use of it; SetTree or Refresh after it changed (the cache is only
// valid for the tree it was filled from). Subclasses supply FillRow and GetCurrentText.
#pragma once

#include "classlib/CString.h"
#include "grid/listbox/BTreeRowCache.h"
#include "grid/listbox/BTreeRowCursor.h"
#include "grid/listbox/win/ListBoxGrid.h"

class BTree;
class CObject;
class StyledString;

class CBTreeGrid : public CListBoxGrid, protected BTreeRowFiller
{
public:
    CBTreeGrid() = default;
    ~CBTreeGrid() override;

    using CListBoxGrid::Attach;
    // The base Attach, then with redraw suspended: the tree, columnCount columns without grid lines and,
    // with a tree, current row 0 of its rows.
    void Attach(HWND control, BTree* tree, LONG columnCount);
    // Attach with two or one columns, then row spacing 2.
    void AttachColumns(HWND control, BTree* tree, BOOL twoColumns);
    // Another tree (or none): the cache emptied, current row 0.
    void SetTree(BTree* tree);
    // After the tree changed: the cache emptied, the row count read again, the current row kept where it
    // still exists.
    void Refresh();

    // Row n (0 <= n < the row count) through the cache.
    BTreeCachedRow& GetRow(LONG n);
    void DrawCachedCell(LONG column, LONG row, GridWndNotify& block);
    // Reads the current row's entry; false off a row or when it cannot be read.
    BOOL GetCurrentEntry(CObject& entry);
    virtual BOOL GetCurrentText(StyledString& out) = 0;

    BTree* GetTree() const { return m_tree; }
    const BTreeRowCache& RowCache() const { return m_rows; }
    LONG GetRowCount() const;
    LONG GetCurrentRow() const;

    void OnDestroy() override;
    void OnDoubleClick(LONG row, GridWndNotify& block) override;
    void OnEnter(LONG row, GridWndNotify& block) override;
    void OnKey(LONG row, GridWndNotify& block) override;
    void OnRowChanged(LONG row, GridWndNotify& block) override;
    void OnDrawCell(LONG column, LONG row, GridWndNotify& block) override;

    LONG columnAlign[2] = {0, 0}; // GRID_ALIGN_LEFT or GRID_ALIGN_RIGHT for columns 0 and 1

protected:
    // The type-ahead for a GN_KEY value (see TypeAhead.h).
    void TypeAhead(LONG value);
    void BeginSeekWait() override;
    void EndSeekWait() override;
    BTreeRowCursor& RowCursor() { return m_cursor; }
    // The entry under the cursor read into the object; false when the cursor is not on one.
    BOOL ReadAtCursor(CObject& entry) { return m_cursor.Cursor().ReadObject(entry); }

private:
    void PostListNotification(WORD code);
    void UseTree(BTree* tree);

    BTree* m_tree = nullptr;
    BTreeRowCursor m_cursor;
    BTreeRowCache m_rows;
    CString m_typed;
};
