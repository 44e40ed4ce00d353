// BTreeCursor: a position in a B-tree: a leaf, an entry in it and a state.
//
// The cursor holds no page between calls; every step reads its leaf again
// through the tree, so a cursor stays safe while the tree changes under it:
// a slot beyond its leaf's entries counts as past that leaf's end, and a
// leaf that is no longer a leaf (freed) loses the position (past the end,
// FALSE). Pointers it hands out are valid while the caller holds the page.
//
// Moving from leaf to leaf checks that keys keep rising, so a damaged leaf
// chain raises an archive exception instead of looping.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"
#include "database/file/BTPageRef.h"

class BTree;
class BTNode;
class CObject;

class BTreeCursor
{
public:
    enum
    {
        stateOnEntry = 0,
        stateBeforeFirst = 1,
        stateAfterLast = 2,
    };

    explicit BTreeCursor(BTree* tree = nullptr)
        : m_leaf(0), m_slot(0), m_state(stateBeforeFirst), m_pTree(tree)
    {
    }

    BTree* GetTree() const { return m_pTree; }
    void SetTree(BTree* tree) { m_pTree = tree; }
    void SetPosition(DWORD leaf, int slot, int state)
    {
        m_leaf = leaf;
        m_slot = slot;
        m_state = state;
    }
    DWORD GetLeaf() const { return m_leaf; }
    int GetSlot() const { return m_slot; }
    int GetState() const { return m_state; }
    BOOL IsOnEntry() const { return m_state == stateOnEntry; }

    BOOL MoveFirst();
    // Ends on the first entry of the last key.
    BOOL MoveLast();
    BOOL Next();
    BOOL Prev();
    // The next entry whose key text differs from the current one.
    BOOL NextKey();
    // Back to the previous entry with duplicate number 0.
    BOOL PrevKey();
    // The n-th distinct key counted from 0.
    BOOL MoveToOrdinal(DWORD n);

    // The current entry and its length, the page held by hold; nullptr
    // when the cursor is not on an entry.
    const BYTE* GetEntry(BTPageRef& hold, int* length = nullptr);
    // Copies the current entry's key; returns its size (0 when not on an entry).
    int CopyKey(BYTE* buffer);
    // The first four bytes of the current entry (0 when not on an entry).
    DWORD ReadU32();
    // Reads the record of that number from a record tree (see
    // BTRecordTree::ReadBlob); the cursor is left after its last chunk.
    BOOL ReadBlob(CObject& object, DWORD recordNumber);

    // String-keyed trees (StringKeyTree).
    // Places the cursor on the first key not less than (text, 0); TRUE when
    // the text is there.
    BOOL SeekText(const char* text);
    // The text of the current entry; empty when the cursor has no tree or
    // is not on an entry.
    CString GetKeyText();
    // Reads the object stored under the current entry's text; the cursor
    // stays where it is. FALSE when it is not on an entry.
    BOOL ReadObject(CObject& object);
    // The ordinal of the first distinct key at or after the typed text's
    // key (StringKeyTree::MakeTypedTextKey), which is the number of distinct
    // keys when the text is beyond them all; -1 when the tree holds no
    // objects. Leaves the cursor there. Raises CNotSupportedException on a
    // tree of another kind.
    int GetTextPosition(const char* text);

private:
    // The cursor's leaf checked, or an empty reference (position lost:
    // the cursor is then past the end).
    BTPageRef ReadLeaf();
    void SetAfterLast() { SetPosition(0, 0, stateAfterLast); }
    // Moves to the neighbouring leaf (forward or back) whose keys must lie
    // beyond the boundary entry of the leaf left behind.
    BTPageRef StepLeaf(const BTNode& from, BOOL bForward);

    DWORD m_leaf;
    int m_slot;
    int m_state;
    BTree* m_pTree;
};
