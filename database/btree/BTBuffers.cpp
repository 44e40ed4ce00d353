#include "database/btree/BTBuffers.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTBytes.h"

#include <cstring>

BTKeyBuffer BTBuffers::searchKey;
BTKeyBuffer BTBuffers::separators[BTBuffers::separatorCount];
BTWorkList BTBuffers::work;

void BTWorkList::Insert(int pos, const BYTE* bytes, int len)
{
    // Overflowing the list would mean a node's bytes were not checked first.
    if (m_count >= maxItems || m_used + len > arenaSize || len < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    BTBytes::Copy(m_arena + m_used, bytes, len);
    MoveItems(pos, pos + 1);
    m_offset[pos] = (WORD)m_used;
    m_length[pos] = (WORD)len;
    m_used += len;
    ++m_count;
}

void BTWorkList::InsertEntries(int pos, const BTNode& node)
{
    int n = node.Count();
    int begin = node.Slot(0);
    int bytes = node.Slot(n) - begin;
    if (n <= 0)
        return;
    if (m_count + n > maxItems || m_used + bytes > arenaSize || bytes < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    BTBytes::Copy(m_arena + m_used, node.Data() + begin, bytes);
    MoveItems(pos, pos + n);
    int base = m_used - begin;
    for (int i = 0; i < n; ++i)
    {
        int at = node.Slot(i);
        m_offset[pos + i] = (WORD)(base + at);
        m_length[pos + i] = (WORD)(node.Slot(i + 1) - at);
    }
    m_used += bytes;
    m_count += n;
}

void BTWorkList::Remove(int pos)
{
    MoveItems(pos + 1, pos);
    --m_count;
}

void BTWorkList::MoveItems(int from, int to)
{
    int items = m_count - from;
    BTBytes::Move(reinterpret_cast<BYTE*>(m_offset + to), reinterpret_cast<BYTE*>(m_offset + from),
                  items * (int)sizeof(WORD));
    BTBytes::Move(reinterpret_cast<BYTE*>(m_length + to), reinterpret_cast<BYTE*>(m_length + from),
                  items * (int)sizeof(WORD));
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
    BTBytes::Copy(BTBuffers::searchKey.bytes, static_cast<const BYTE*>(key), length);
}
