#include "database/btree/BTChunkedKeyTree.h"

#include "classlib/Exceptions.h"

#include <cstring>

namespace
{
WORD GetU16(const BYTE* p)
{
    return (WORD)(p[0] | (p[1] << 8));
}
} // namespace

int BTChunkedKeyTree::CompareKeyText(const BYTE* a, const BYTE* b) const
{
    for (int i = 0; i < m_fieldCount; ++i)
    {
        DWORD x = BTNode::GetU32At(a + 4 * i);
        DWORD y = BTNode::GetU32At(b + 4 * i);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return 0;
}

int BTChunkedKeyTree::CompareKeys(const BYTE* a, const BYTE* b) const
{
    int c = CompareKeyText(a, b);
    int at = 4 * m_fieldCount;
    return c != 0 ? c : (int)GetU16(a + at) - (int)GetU16(b + at);
}

WORD BTChunkedKeyTree::GetDuplicateNumber(const BYTE* entry) const
{
    return GetU16(entry + 4 * m_fieldCount);
}

int BTChunkedKeyTree::GetEntrySize(const BYTE* entry) const
{
    return KeySize() + 2 + GetU16(entry + KeySize());
}

int BTChunkedKeyTree::GetKeySize(const BYTE*) const
{
    return KeySize();
}

int BTChunkedKeyTree::GetDataSize(const BYTE* entry) const
{
    return GetU16(entry + KeySize()) + 2;
}

BOOL BTChunkedKeyTree::IsValidEntry(const BYTE* entry, int length, BOOL bLeaf) const
{
    if (!bLeaf)
        return length == KeySize() + 4;
    return length >= KeySize() + 2 && GetEntrySize(entry) == length;
}

void BTChunkedKeyTree::FillSearchKey(const DWORD* fields, int fieldCount, WORD chunk,
                                     const void* data, int length)
{
    int keySize = 4 * fieldCount + 2;
    if (length < 0)
        AfxThrowNotSupportedException();
    BTSetSearchKeyLength(data ? keySize + 2 + length : keySize);
    BYTE* p = BTGetSearchKey();
    for (int i = 0; i < fieldCount; ++i)
        BTNode::PutU32At(p + 4 * i, fields[i]);
    BTNode::PutU16At(p + keySize - 2, chunk);
    if (data)
    {
        BTNode::PutU16At(p + keySize, length);
        std::memcpy(p + keySize + 2, data, length);
    }
}
