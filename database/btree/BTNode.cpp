#include "database/btree/BTNode.h"

#include "classlib/Exceptions.h"
#include "database/btree/BTBytes.h"

#include <cstring>

[[noreturn]] void BTThrowDamagedNode()
{
    AfxThrowArchiveException(CArchiveException::badIndex);
}

void BTNode::Init(int kind)
{
    std::memset(m_p, 0, pageSize);
    m_p[0] = (BYTE)kind;
    PutI16(4, CapacityOf(kind));
    SetSlot(0, StartOf(kind));
}

void BTNode::CheckHeader(int expectedKind) const
{
    int kind = Kind();
    if ((kind != kindLeaf && kind != kindInner) || (expectedKind != 0 && kind != expectedKind) ||
        m_p[1] != 0)
        BTThrowDamagedNode();
    int n = Count();
    int start = Start();
    int slotsBegin = pageSize - 2 - 2 * n;
    if (n < 0 || slotsBegin < start)
        BTThrowDamagedNode();
    int end = Slot(n);
    if (Slot(0) != start || end < start || end > slotsBegin)
        BTThrowDamagedNode();
    if (Free() != Capacity() - 2 * n - (end - start))
        BTThrowDamagedNode();
}

DWORD BTNode::ChildAt(int i) const
{
    int len;
    BYTE* e = EntryAt(i, &len);
    if (len <= 4)
        BTThrowDamagedNode();
    return GetU32At(e + len - 4);
}

void BTNode::SetChildAt(int i, DWORD child)
{
    PutU32At(Entry(i) + EntryLength(i) - 4, child);
}

void BTNode::InsertEntry(int pos, const BYTE* bytes, int len)
{
    int n = Count();
    int at = Slot(pos);
    int end = Slot(n);
    BTBytes::Move(m_p + at + len, m_p + at, end - at);
    BTBytes::Copy(m_p + at, bytes, len);
    // Walk downwards so each old slot is read before its place is reused.
    for (int j = n; j >= pos; --j)
        SetSlot(j + 1, Slot(j) + len);
    PutI16(2, n + 1);
    PutI16(4, Free() - len - 2);
}

void BTNode::RemoveEntry(int pos)
{
    int n = Count();
    int at = Slot(pos);
    int len = Slot(pos + 1) - at;
    int end = Slot(n);
    BTBytes::Move(m_p + at, m_p + at + len, end - at - len);
    BTBytes::Zero(m_p + end - len, len);
    for (int j = pos + 1; j <= n; ++j)
        SetSlot(j - 1, Slot(j) - len);
    SetSlot(n, 0);
    PutI16(2, n - 1);
    PutI16(4, Free() + len + 2);
}

void BTNode::ReplaceEntry(int pos, const BYTE* bytes, int len)
{
    int n = Count();
    int at = Slot(pos);
    int oldLen = Slot(pos + 1) - at;
    int end = Slot(n);
    int delta = len - oldLen;
    BTBytes::Move(m_p + at + len, m_p + at + oldLen, end - at - oldLen);
    BTBytes::Copy(m_p + at, bytes, len);
    if (delta < 0)
        BTBytes::Zero(m_p + end + delta, -delta);
    for (int j = pos + 1; j <= n; ++j)
        SetSlot(j, Slot(j) + delta);
    PutI16(4, Free() - delta);
}

void BTNode::SetEntries(const BYTE* const* entries, const int* lengths, int count)
{
    int start = Start();
    int at = start;
    // Entries that lie back to back in the source go over as one block.
    for (int i = 0; i < count;)
    {
        const BYTE* run = entries[i];
        int bytes = 0;
        for (; i < count && entries[i] == run + bytes; ++i)
        {
            SetSlot(i, at + bytes);
            bytes += lengths[i];
        }
        BTBytes::Copy(m_p + at, run, bytes);
        at += bytes;
    }
    int slotsBegin = pageSize - 2 - 2 * count;
    BTBytes::Zero(m_p + at, slotsBegin - at);
    SetSlot(count, at);
    PutI16(2, count);
    PutI16(4, Capacity() - 2 * count - (at - start));
}
