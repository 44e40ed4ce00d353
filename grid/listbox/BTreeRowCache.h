// BTreeRowCache: the last rows a B-tree grid showed, read on demand through its row cursor.
//
// Row n lives only in slot n % kRows. Reading a row prefers, in order: the row itself, one step
// forward from row n - 1, one step back from row n + 1, the first or the last key, and only then a
// positioned seek (with the filler's wait shown). A neighbour slot holding another row than the one
// beside n is emptied on the way. A failed move leaves the row empty (no cells, position 0/0) but
// still numbered n, so it is not read again until the cache is cleared.
//
// Raises: what the cursor or the filler raise; the slot is then left empty and unnumbered.
#pragma once

#include "database/text/StyledString.h"

class BTreeRowCursor;

struct BTreeCachedRow
{
    enum
    {
        kCells = 3
    };
    LONG row = -1; // -1: empty
    StyledString cells[kCells];
    DWORD page = 0; // the cursor's position at the row's entry
    WORD slot = 0;

    void Empty();
};

// What the grid supplies: the cells of the entry under the cursor, and a wait shown around a seek.
class BTreeRowFiller
{
public:
    virtual void FillRow(BTreeRowCursor& cursor, BTreeCachedRow& row) = 0;
    virtual void BeginSeekWait() {}
    virtual void EndSeekWait() {}

protected:
    ~BTreeRowFiller() = default;
};

class BTreeRowCache
{
public:
    enum
    {
        kRows = 100
    };

    // The row n (0 <= n < rowCount) read as above.
    BTreeCachedRow& GetRow(LONG n, LONG rowCount, BTreeRowCursor& cursor, BTreeRowFiller& filler);
    // Every slot empty.
    void Clear();
    const BTreeCachedRow& Slot(int i) const { return m_rows[i]; }

private:
    // Empties the slot of `neighbour` unless it holds that row or nothing; true when it holds it.
    bool Holds(LONG neighbour);
    BTreeCachedRow m_rows[kRows];
};
