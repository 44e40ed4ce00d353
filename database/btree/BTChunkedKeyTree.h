// BTChunkedKeyTree: the tree kinds whose key is a run of u32 fields and a
// u16 chunk number, with entries of the key, a u16 data length L and L bytes.
// Keys order by the fields, then the chunk, all unsigned; the key text is the
// fields alone, and the chunk number is the duplicate number.
#pragma once

#include "database/btree/BTree.h"

class BTChunkedKeyTree : public BTree
{
public:
    // Key size: 4 bytes per field and 2 for the chunk number.
    explicit BTChunkedKeyTree(int fieldCount) : m_fieldCount(fieldCount)
    {
        SetKeyOrder(keyOrderWords, fieldCount);
        SetFixedEntryLengths(0, KeySize() + 4);
    }

    int GetFieldCount() const { return m_fieldCount; }
    int KeySize() const { return 4 * m_fieldCount + 2; }

    virtual int CompareKeys(const BYTE* a, const BYTE* b) const override;
    virtual int CompareKeyText(const BYTE* a, const BYTE* b) const override;
    virtual WORD GetDuplicateNumber(const BYTE* entry) const override;
    virtual int GetEntrySize(const BYTE* entry) const override;
    virtual int GetKeySize(const BYTE* key) const override;
    virtual int GetDataSize(const BYTE* entry) const override;
    virtual BOOL IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const override;

protected:
    // Puts the fields and chunk into the search key, followed by the data
    // length and data when data is given (a whole entry for Insert and Write).
    static void FillSearchKey(const DWORD* fields, int fieldCount, WORD chunk, const void* data,
                              int length);

private:
    int m_fieldCount;
};
