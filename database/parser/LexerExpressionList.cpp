#include "database/parser/LexerExpressionList.h"

#include "database/parser/TPException.h"
#include "database/parser/TableWords.h"

#include <string.h>

namespace {

const DWORD kListHeader = 88;
const DWORD kInfoSize = 28;
const DWORD kRangeSize = 12;

[[noreturn]] void Invalid(LPCTSTR name)
{
    TPRaise(tpLexInvalidTable, name);
}

} // namespace

LexerExpressionList::LexerExpressionList(const BYTE* data, size_t available, LPCTSTR name)
    : m_data(nullptr), m_size(0), m_stateCount(0), m_infos(nullptr)
{
    if (available < kListHeader)
        Invalid(name);
    m_size = TableWord(data + 4);
    const DWORD magic = TableWord(data);
    if ((magic != kLexerMagic && magic != kLexerListMagicOld) || m_size < kListHeader || m_size > available)
        Invalid(name);
    m_data = static_cast<BYTE*>(TPAlloc(m_size));
    memcpy(m_data, data, m_size);
    try
    {
        m_stateCount = TableWord(m_data + 40);
        const DWORD rowOffsets = TableWord(m_data + 48);
        const DWORD infos = TableWord(m_data + 52);
        if (m_stateCount == 0 || !TableSpanFits(infos, m_stateCount, kInfoSize, m_size) ||
            !TableSpanFits(rowOffsets, m_stateCount, 4, m_size))
            Invalid(name);
        m_infos = m_data + infos;
        m_rows.reserve(m_stateCount);
        for (DWORD s = 0; s < m_stateCount; ++s)
        {
            const DWORD at = TableWord(m_data + rowOffsets + 4 * s);
            if (!TableSpanFits(at, 1, 4, m_size) ||
                !TableSpanFits(at + 4ull, TableWord(m_data + at), kRangeSize, m_size))
                Invalid(name);
            const BYTE* row = m_data + at;
            for (DWORD r = 0, n = TableWord(row); r < n; ++r)
            {
                const LONG next = TableSignedWord(row + 4 + kRangeSize * r + 8);
                if (next < -1 || (next >= 0 && (DWORD)next >= m_stateCount))
                    Invalid(name);
            }
            m_rows.push_back(row);
        }
    }
    catch (...)
    {
        TPFree(m_data);
        throw;
    }
}

LexerExpressionList::~LexerExpressionList()
{
    TPFree(m_data);
}

LexerStateInfo LexerExpressionList::Info(DWORD state) const
{
    const BYTE* p = m_infos + kInfoSize * state;
    return LexerStateInfo{TableSignedWord(p), TableWord(p + 4), TableWord(p + 8)};
}

LONG LexerExpressionList::Next(DWORD state, DWORD ch) const
{
    const BYTE* row = m_rows[state];
    const DWORD count = TableWord(row);
    for (DWORD r = 0; r < count; ++r)
    {
        const BYTE* range = row + 4 + kRangeSize * r;
        if (ch < TableWord(range))
            break; // ranges ascend: ch lies before this one, in no range
        if (ch <= TableWord(range + 4))
            return TableSignedWord(range + 8);
    }
    return -1;
}
