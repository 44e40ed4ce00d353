#include "database/btree/BTBuffers.h"

#include "classlib/Exceptions.h"

#include <cstring>

BTKeyBuffer BTBuffers::searchKey;
BTKeyBuffer BTBuffers::separators[BTBuffers::separatorCount];
BTWorkList BTBuffers::work;

void BTWorkList::Insert(int pos, const BYTE* bytes, int len)
{
    // Overflowing the list would mean a node's bytes were not checked first.
    if (m_count >= maxItems || m_used + len > arenaSize || len < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    std::memcpy(m_arena + m_used, bytes, len);
    std::memmove(m_offset + pos + 1, m_offset + pos, (m_count - pos) * sizeof(WORD));
    std::memmove(m_length + pos + 1, m_length + pos, (m_count - pos) * sizeof(WORD));
    m_offset[pos] = (WORD)m_used;
    m_length[pos] = (WORD)len;
    m_used += len;
    ++m_count;
}

void BTWorkList::Remove(int pos)
{
    std::memmove(m_offset + pos, m_offset + pos + 1, (m_count - pos - 1) * sizeof(WORD));
    std::memmove(m_length + pos, m_length + pos + 1, (m_count - pos - 1) * sizeof(WORD));
    --m_count;
}

void BTSetSearchKeyLength(int length)
{
    if (length < 0 || length > BTNode::maxEntrySize)
        AfxThrowNotSupportedException();
    BTBuffers::searchKey.length = length;
}

void BTSetSearchKey(const void* key, int length)
{
    BTSetSearchKeyLength(length);
    std::memcpy(BTBuffers::searchKey.bytes, key, length);
}
