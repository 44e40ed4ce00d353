// BTBuffers: the process-wide buffers of the B-tree engine.
//
// The search key holds the key (or, for Insert and Write, the whole entry)
// that the next tree operation reads; callers fill it, then call exactly one
// operation. The separator buffers carry keys with their child offsets up to
// a parent while a split, merge or redistribution settles. The work list
// holds the entries of the nodes being redistributed.
//
// All of it is shared by every tree and unlocked: the engine runs on one
// thread and its operations are not reentrant.
#pragma once

#include "classlib/Types.h"
#include "database/btree/BTNode.h"

// A key or entry with its length.
struct BTKeyBuffer
{
    int length;
    BYTE bytes[BTNode::maxInnerEntrySize];
};

// Entries of up to four nodes in key order: a byte arena and the position
// and length of each entry in it. Entries are only ever appended to the
// arena; the item list is reordered freely.
class BTWorkList
{
public:
    enum
    {
        arenaSize = 16384,
        maxItems = 4096,
    };

    void Clear() { m_used = m_count = 0; }
    int Count() const { return m_count; }
    BYTE* Item(int i) { return m_arena + m_offset[i]; }
    int Length(int i) const { return m_length[i]; }

    // Copies len bytes in as item pos (0..Count()).
    void Insert(int pos, const BYTE* bytes, int len);
    void Append(const BYTE* bytes, int len) { Insert(m_count, bytes, len); }
    // Copies the entries of a checked node in as items pos, pos + 1, ...,
    // their bytes as one block.
    void InsertEntries(int pos, const BTNode& node);
    void Remove(int pos);

private:
    // Moves the items from index from to the end so that they start at to.
    void MoveItems(int from, int to);

    BYTE m_arena[arenaSize];
    WORD m_offset[maxItems];
    WORD m_length[maxItems];
    int m_used = 0;
    int m_count = 0;
};

class BTBuffers
{
public:
    enum
    {
        separatorCount = 3,
    };

    static BTKeyBuffer searchKey;
    static BTKeyBuffer separators[separatorCount];
    static BTWorkList work;
};

// Fills the search key; raises CNotSupportedException for a key longer
// than the longest entry.
void BTSetSearchKey(const void* key, int length);
inline BYTE* BTGetSearchKey() { return BTBuffers::searchKey.bytes; }
inline int BTGetSearchKeyLength() { return BTBuffers::searchKey.length; }
// For keys built straight into BTGetSearchKey().
void BTSetSearchKeyLength(int length);
