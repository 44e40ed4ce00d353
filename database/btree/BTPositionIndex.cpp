#include "database/btree/BTPositionIndex.h"

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTree.h"

BTPositionIndex::~BTPositionIndex()
{
    if (m_pTree && m_pTree->GetPositionIndex() == this)
        m_pTree->AttachPositionIndex(nullptr);
}

int BTPositionIndex::Find(DWORD leaf) const
{
    int n = (int)m_entries.size();
    // Changes cluster on a few leaves, so try the last hit and its neighbours.
    for (int i = m_hint - 1; i <= m_hint + 1; ++i)
        if (i >= 0 && i < n && m_entries[i].leaf == leaf)
            return m_hint = i;
    for (int i = 0; i < n; ++i)
        if (m_entries[i].leaf == leaf)
            return m_hint = i;
    return -1;
}

void BTPositionIndex::InsertAfter(DWORD left, DWORD leaf)
{
    if (m_entries.empty())
        return;
    int at = 0;
    if (left != 0)
    {
        int i = FindOrForget(left);
        if (i < 0)
            return;
        at = i + 1;
    }
    try
    {
        m_entries.insert(m_entries.begin() + at, Entry{leaf, 0});
    }
    catch (const std::bad_alloc&)
    {
        // Called in the middle of a split, which must not stop half-way: an
        // empty index is rebuilt when next used.
        m_entries.clear();
        m_entries.shrink_to_fit();
        return;
    }
    m_hint = at;
}

void BTPositionIndex::Add(DWORD leaf, DWORD count)
{
    AfxTranslateBadAlloc([&] { m_entries.push_back(Entry{leaf, count}); });
}

int BTPositionIndex::FindOrForget(DWORD leaf)
{
    int i = m_entries.empty() ? -1 : Find(leaf);
    if (i < 0)
        m_entries.clear(); // no longer complete: rebuilt when next used
    return i;
}

void BTPositionIndex::Remove(DWORD leaf)
{
    int i = FindOrForget(leaf);
    if (i >= 0)
        m_entries.erase(m_entries.begin() + i);
}

void BTPositionIndex::SetCount(DWORD leaf, DWORD count)
{
    int i = FindOrForget(leaf);
    if (i >= 0)
        m_entries[i].count = count;
}

static void PutBigEndian(BYTE* p, DWORD v)
{
    p[0] = (BYTE)(v >> 24);
    p[1] = (BYTE)(v >> 16);
    p[2] = (BYTE)(v >> 8);
    p[3] = (BYTE)v;
}

static DWORD GetBigEndian(const BYTE* p)
{
    return ((DWORD)p[0] << 24) | ((DWORD)p[1] << 16) | ((DWORD)p[2] << 8) | (DWORD)p[3];
}

void BTPositionIndex::Serialize(CArchive& ar)
{
    BYTE pair[8];
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD)m_entries.size());
        for (const Entry& e : m_entries)
        {
            PutBigEndian(pair, e.leaf);
            PutBigEndian(pair + 4, e.count);
            ar.Write(pair, 8);
        }
    }
    else
    {
        m_entries.clear();
        m_hint = 0;
        try
        {
            DWORD n = ar.ReadCount();
            for (DWORD i = 0; i < n; ++i)
            {
                if (ar.Read(pair, 8) != 8)
                    AfxThrowArchiveException(CArchiveException::endOfFile);
                Add(GetBigEndian(pair), GetBigEndian(pair + 4));
            }
        }
        catch (CException*)
        {
            m_entries.clear(); // a part of an index would pass for all of it
            throw;
        }
    }
}
