#include "database/sort/Collation.h"

#include <string.h>

CCollation::CCollation() : CCollation(0, FALSE)
{
}

CCollation::CCollation(WORD version, BOOL reverseAccents)
    : version(version), available(1), reverseAccents(reverseAccents)
{
    memset(tables, 0, sizeof(tables));
}

BOOL CCollation::IsAvailable() const
{
    return available;
}

BYTE CCollation::MatchDigraph(const char* text, int& pos) const
{
    return 0;
}

CDigraphCollation::CDigraphCollation(WORD version, const Digraph* digraphs, int count)
    : CCollation(version, FALSE), m_digraphs(digraphs), m_count(count)
{
}

namespace
{
char AsciiLower(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}
} // namespace

BYTE CDigraphCollation::MatchDigraph(const char* text, int& pos) const
{
    const char first = AsciiLower(text[pos]);
    if (first == '\0')
        return 0;
    const char second = AsciiLower(text[pos + 1]);
    for (int i = 0; i < m_count; ++i)
    {
        if (m_digraphs[i].first == first && m_digraphs[i].second == second)
        {
            pos += 2;
            return m_digraphs[i].weight;
        }
    }
    return 0;
}
