// BTRecordTree: the tree kind that stores records in chunks.
//
// Key (6 bytes): u32 record number, u16 chunk number. Entry: the key, u16
// data length L, L data bytes (8 + L bytes). Keys order by record number,
// then chunk, both unsigned; the key text is the record number alone.
#pragma once

#include "database/btree/BTChunkedKeyTree.h"

class BTRecordTree : public BTChunkedKeyTree
{
public:
    enum
    {
        keySize = 6,
        headerSize = 8, // key and data length
    };

    BTRecordTree() : BTChunkedKeyTree(1) {}

    // Puts (record number, chunk) into the search key.
    static void SetSearchKey(DWORD recordNumber, WORD chunk)
    {
        FillSearchKey(&recordNumber, 1, chunk, nullptr, 0);
    }
    // Puts a whole entry into the search key (for Insert and Write).
    static void SetSearchEntry(DWORD recordNumber, WORD chunk, const void* data, int length)
    {
        FillSearchKey(&recordNumber, 1, chunk, data ? data : "", length);
    }
};
