// BTCountHints: the entry count a tree last saw in each of its nodes, by
// page offset, so that a descent can fetch the line it will search in a
// node before the node's header arrives. Only a hint, kept in memory: a
// stale or missing count costs a useless fetch, never a wrong answer, since
// the search itself reads the node's own count. Pages lie at least 1024
// bytes apart in both file modes, so offset / 1024 names one page.
#pragma once

#include "classlib/Types.h"

#include <new>
#include <vector>

class BTCountHints
{
public:
    enum : DWORD
    {
        // Two bytes a node, at most 2 MiB: nodes past the first GiB of a
        // file go without hints.
        maxNodes = 1u << 20,
    };

    // The count last seen at the offset, 0 when none.
    int Get(DWORD offset) const
    {
        size_t i = offset >> 10;
        return i < m_counts.size() ? m_counts[i] : 0;
    }

    void Set(DWORD offset, int count)
    {
        size_t i = offset >> 10;
        if (i >= m_counts.size() && !Grow(i))
            return;
        if (m_counts[i] != (WORD)count)
            m_counts[i] = (WORD)count;
    }

private:
    // Room for node i, doubling; FALSE past the cap or without memory (a
    // hint is never worth a failed operation).
    bool Grow(size_t i)
    {
        if (i >= maxNodes)
            return false;
        size_t size = m_counts.size() < 1024 ? 1024 : 2 * m_counts.size();
        while (size <= i)
            size *= 2;
        if (size > maxNodes)
            size = maxNodes;
        try
        {
            m_counts.resize(size);
        }
        catch (const std::bad_alloc&)
        {
            return false;
        }
        return true;
    }

    std::vector<WORD> m_counts;
};
