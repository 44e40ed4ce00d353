// BTreeRowCursor: the moves a B-tree grid makes to read its rows, over one BTreeCursor. The moves are
// virtual so that a test can count which ones a read took; the grid never holds a page between calls.
//
// A row is a distinct key of the tree (its entry with duplicate number 0); a position is the cursor's
// (leaf page, slot).
#pragma once

#include "database/btree/BTreeCursor.h"

class BTree;

class BTreeRowCursor
{
public:
    explicit BTreeRowCursor(BTree* tree = nullptr) : m_cursor(tree) {}
    virtual ~BTreeRowCursor() = default;

    BTree* GetTree() const { return m_cursor.GetTree(); }
    void SetTree(BTree* tree) { m_cursor = BTreeCursor(tree); }
    BTreeCursor& Cursor() { return m_cursor; }

    // Back on the entry a row was read from.
    virtual void Place(DWORD page, WORD slot) { m_cursor.SetPosition(page, slot, BTreeCursor::stateOnEntry); }
    virtual BOOL NextKey() { return m_cursor.NextKey(); }
    virtual BOOL PrevKey() { return m_cursor.PrevKey(); }
    virtual BOOL MoveFirst() { return m_cursor.MoveFirst(); }
    // The first entry of the last key.
    virtual BOOL MoveLast() { return m_cursor.MoveLast(); }
    // The n-th distinct key (through the tree's position index when it has one).
    virtual BOOL MoveToOrdinal(DWORD n) { return m_cursor.MoveToOrdinal(n); }

    DWORD GetPage() const { return m_cursor.GetLeaf(); }
    WORD GetSlot() const { return static_cast<WORD>(m_cursor.GetSlot()); }

    // The tree's number of distinct keys (0 without a tree): the rows a grid over it has. Not the entry
    // count: an object stored in several chunks is one key. Through the position index when there is
    // one, else by counting the leaves; a damaged leaf chain raises an archive exception.
    LONG CountRows();

private:
    BTreeCursor m_cursor;
};
