// BTNode: a view of one B-tree node over the 2048 data bytes of a page.
//
// Stored layout (little-endian, offsets from the page start):
//   0      u8   kind: 1 inner node, 2 leaf
//   1      u8   0
//   2      i16  number of entries n
//   4      i16  free bytes
//   6      u32  previous node of the same level (0 for none)
//   10     u32  next node of the same level (0 for none)
//   14     u32  inner node only: the upper child
//   14 / 18     the entries (leaf / inner), packed in key order without gaps
//   2046-2n     slot array of n + 1 i16 offsets growing downwards: the i16 at
//               2046 - 2i is where entry i starts, the one at 2046 - 2n is
//               where the entries end
// Free bytes = capacity - 2n - (end - start), with capacity 2032 for a leaf
// and 2028 for an inner node. A leaf entry is a key and the kind's data; an
// inner entry is a separator key and the u32 offset of the child holding the
// keys above the previous separator and not above this one; the upper child
// holds the keys above the last separator.
//
// The view never trusts the page: CheckHeader validates the fixed fields and
// the slot array's ends, and EntryAt validates the slots of the entry it
// returns, so a damaged page raises an archive exception instead of leading a
// caller outside the buffer.
#pragma once

#include "classlib/Types.h"

// Raises the archive exception that reports a damaged B-tree node.
[[noreturn]] void BTThrowDamagedNode();

class BTNode
{
public:
    enum
    {
        pageSize = 2048,
        kindInner = 1,
        kindLeaf = 2,
        leafStart = 14,
        innerStart = 18,
        leafCapacity = 2032,
        innerCapacity = 2028,
        maxEntrySize = 776,      // longest leaf entry (and key)
        maxInnerEntrySize = 780, // longest key plus its child
        // Deeper than any tree can grow: a u32-addressed file of 2048-byte
        // pages has fewer than 2^21 pages, and every inner node has two
        // children or more.
        maxLevels = 32,
    };

    explicit BTNode(BYTE* data) : m_p(data) {}

    BYTE* Data() const { return m_p; }

    // A zeroed, empty node of the kind (prev, next and upper child 0).
    void Init(int kind);

    int Kind() const { return m_p[0]; }
    BOOL IsLeaf() const { return m_p[0] == kindLeaf; }
    int Count() const { return GetI16(2); }
    int Free() const { return GetI16(4); }
    DWORD Prev() const { return GetU32(6); }
    DWORD Next() const { return GetU32(10); }
    DWORD Upper() const { return GetU32(14); }
    void SetPrev(DWORD offset) { PutU32(6, offset); }
    void SetNext(DWORD offset) { PutU32(10, offset); }
    void SetUpper(DWORD offset) { PutU32(14, offset); }

    int Start() const { return IsLeaf() ? leafStart : innerStart; }
    int Capacity() const { return IsLeaf() ? leafCapacity : innerCapacity; }
    static int StartOf(int kind) { return kind == kindLeaf ? leafStart : innerStart; }
    static int CapacityOf(int kind) { return kind == kindLeaf ? leafCapacity : innerCapacity; }

    // Raw slot i (no checks); valid for 0 <= i <= Count() on a checked node.
    int Slot(int i) const { return GetI16(pageSize - 2 - 2 * i); }
    // Entry bytes of a checked node, unchecked (for the engine's own pages).
    BYTE* Entry(int i) const { return m_p + Slot(i); }
    int EntryLength(int i) const { return Slot(i + 1) - Slot(i); }
    int EntriesEnd() const { return Slot(Count()); }

    // Validates kind (any node kind when expectedKind is 0), the count, the
    // free bytes and the first and last slot; raises an archive exception.
    void CheckHeader(int expectedKind = 0) const;
    // Entry i with its length, after checking its two slots lie in order
    // inside the entry area; raises an archive exception otherwise.
    BYTE* EntryAt(int i, int* length) const
    {
        int begin = Slot(i);
        int end = Slot(i + 1);
        if (i < 0 || i >= Count() || begin < Start() || end <= begin || end > Slot(Count()))
            BTThrowDamagedNode();
        *length = end - begin;
        return m_p + begin;
    }
    // Child pointer of inner entry i (the entry's last four bytes).
    DWORD ChildAt(int i) const;
    // Child of position i in 0..n: entry i's child, or the upper child at n.
    DWORD ChildOfPosition(int i) const { return i < Count() ? ChildAt(i) : Upper(); }
    void SetChildAt(int i, DWORD child);

    // Inserts len bytes as entry pos; the caller checked the room.
    void InsertEntry(int pos, const BYTE* bytes, int len);
    // Removes entry pos.
    void RemoveEntry(int pos);
    // Replaces entry pos by len bytes; the caller checked the room.
    void ReplaceEntry(int pos, const BYTE* bytes, int len);
    // Rewrites the entry area from packed bytes: count entries whose
    // lengths are given; sets n, free bytes and the slot array.
    void SetEntries(const BYTE* const* entries, const int* lengths, int count);

    static int GetI16At(const BYTE* p) { return (short)(WORD)(p[0] | (p[1] << 8)); }
    static DWORD GetU32At(const BYTE* p)
    {
        return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
    }
    static void PutU16At(BYTE* p, int v)
    {
        p[0] = (BYTE)v;
        p[1] = (BYTE)(v >> 8);
    }
    static void PutU32At(BYTE* p, DWORD v)
    {
        p[0] = (BYTE)v;
        p[1] = (BYTE)(v >> 8);
        p[2] = (BYTE)(v >> 16);
        p[3] = (BYTE)(v >> 24);
    }

private:
    int GetI16(int at) const { return GetI16At(m_p + at); }
    DWORD GetU32(int at) const { return GetU32At(m_p + at); }
    void PutI16(int at, int v) { PutU16At(m_p + at, v); }
    void PutU32(int at, DWORD v) { PutU32At(m_p + at, v); }
    void SetSlot(int i, int v) { PutI16(pageSize - 2 - 2 * i, v); }

    BYTE* m_p;
};

