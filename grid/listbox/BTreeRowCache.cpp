#include "grid/listbox/BTreeRowCache.h"

#include "grid/listbox/BTreeRowCursor.h"

void BTreeCachedRow::Empty()
{
    row = -1;
    for (StyledString& cell : cells)
        cell.Empty();
    page = 0;
    slot = 0;
}

void BTreeRowCache::Clear()
{
    for (BTreeCachedRow& r : m_rows)
        r.Empty();
}

bool BTreeRowCache::Holds(LONG neighbour)
{
    BTreeCachedRow& r = m_rows[neighbour % kRows];
    if (r.row == neighbour)
        return true;
    if (r.row != -1)
        r.Empty();
    return false;
}

namespace {

// Ends the seek wait on every exit.
class SeekWait
{
public:
    explicit SeekWait(BTreeRowFiller& filler) : m_filler(filler) { m_filler.BeginSeekWait(); }
    ~SeekWait() { m_filler.EndSeekWait(); }
    SeekWait(const SeekWait&) = delete;
    SeekWait& operator=(const SeekWait&) = delete;

private:
    BTreeRowFiller& m_filler;
};

} // namespace

BTreeCachedRow& BTreeRowCache::GetRow(LONG n, LONG rowCount, BTreeRowCursor& cursor, BTreeRowFiller& filler)
{
    BTreeCachedRow& r = m_rows[n % kRows];
    if (r.row == n)
        return r;
    r.Empty();
    BOOL moved = FALSE;
    if (n > 0 && Holds(n - 1)) {
        const BTreeCachedRow& before = m_rows[(n - 1) % kRows];
        cursor.Place(before.page, before.slot);
        moved = cursor.NextKey();
    } else if (Holds(n + 1)) {
        const BTreeCachedRow& after = m_rows[(n + 1) % kRows];
        cursor.Place(after.page, after.slot);
        moved = cursor.PrevKey();
    } else if (n == 0) {
        moved = cursor.MoveFirst();
    } else if (n == rowCount - 1) {
        moved = cursor.MoveLast();
    } else {
        SeekWait wait(filler);
        moved = cursor.MoveToOrdinal(static_cast<DWORD>(n));
    }
    if (moved) {
        r.page = cursor.GetPage();
        r.slot = cursor.GetSlot();
        filler.FillRow(cursor, r);
    }
    r.row = n;
    return r;
}
