// BTResourceTree: the tree kind that stores named resources in chunks.
//
// Key (10 bytes): u32 type, u32 ID, u16 chunk number. Entry: the key, u16
// data length L, L data bytes (12 + L bytes). Keys order by type, ID and
// chunk, all unsigned; the key text is type and ID.
#pragma once

#include "database/btree/BTChunkedKeyTree.h"

class BTResourceTree : public BTChunkedKeyTree
{
public:
    enum
    {
        keySize = 10,
        headerSize = 12, // key and data length
    };

    BTResourceTree() : BTChunkedKeyTree(2) {}

    // Puts (type, ID, chunk) into the search key.
    static void SetSearchKey(DWORD type, DWORD id, WORD chunk)
    {
        const DWORD fields[2] = {type, id};
        FillSearchKey(fields, 2, chunk, nullptr, 0);
    }
    // Puts a whole entry into the search key (for Insert and Write).
    static void SetSearchEntry(DWORD type, DWORD id, WORD chunk, const void* data, int length)
    {
        const DWORD fields[2] = {type, id};
        FillSearchKey(fields, 2, chunk, data ? data : "", length);
    }
};
