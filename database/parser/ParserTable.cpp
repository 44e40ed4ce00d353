#include "database/parser/ParserTable.h"

#include "classlib/File.h"
#include "database/parser/TPException.h"
#include "database/parser/TableResource.h"
#include "database/parser/TableWords.h"

#include <new>
#include <string.h>

namespace {

const DWORD kHeader = 20;
const DWORD kRowHeader = 12;
const DWORD kEntry = 8;

// A table file larger than this is no table of ours.
const DWORD kMaxFileSize = 64u * 1024 * 1024;

[[noreturn]] void Unreadable(LPCTSTR name)
{
    TPRaise(tpYaccReadTable, name);
}

ParserTable* NewTable(const void* data, size_t size, LPCTSTR name)
{
    ParserTable* table = new (std::nothrow) ParserTable(data, size, name);
    if (table == nullptr)
        TPRaiseOutOfStorage();
    return table;
}

} // namespace

DWORD ParserRow::ActionWord(DWORD i) const
{
    return TableWord(actions + kEntry * i);
}

LONG ParserRow::ActionToken(DWORD i) const
{
    return TableSignedWord(actions + kEntry * i + 4);
}

DWORD ParserRow::GotoTarget(DWORD i) const
{
    return TableWord(actions + kEntry * (actionCount + i)) & actionArgumentMask;
}

LONG ParserRow::GotoSymbol(DWORD i) const
{
    return TableSignedWord(actions + kEntry * (actionCount + i) + 4);
}

DWORD ParserRow::ErrorState() const
{
    return TableWord(actions + kEntry * (actionCount + gotoCount)) & actionArgumentMask;
}

LONG ParserRow::FindAction(LONG token) const
{
    for (DWORD i = 0; i < actionCount; ++i)
        if (ActionToken(i) == token)
            return (LONG)i;
    return -1;
}

ParserTable::ParserTable(const void* data, size_t size, LPCTSTR name)
    : m_data(nullptr), m_size(0), m_productionCount(0), m_productions(nullptr)
{
    if (size < kHeader || size > 0xFFFFFFFFu)
        Unreadable(name);
    m_size = (DWORD)size;
    m_data = static_cast<BYTE*>(TPAlloc(m_size));
    memcpy(m_data, data, m_size);
    try
    {
        Relocate(name);
    }
    catch (...)
    {
        for (LexerExpressionList* list : m_lookaheadLists)
            delete list;
        TPFree(m_data);
        throw;
    }
}

ParserTable::~ParserTable()
{
    for (LexerExpressionList* list : m_lookaheadLists)
        delete list;
    TPFree(m_data);
}

void ParserTable::Relocate(LPCTSTR name)
{
    const DWORD magic = TableWord(m_data);
    if (magic != kParserMagic && magic != 1 && magic != 0)
        Unreadable(name);
    const DWORD counts = TableWord(m_data + 4);
    m_productionCount = counts & 0xFFFF;
    const DWORD listCount = counts >> 16;
    const DWORD stateCount = TableWord(m_data + 8);
    if (kHeader + 4ull * (stateCount + 2ull * m_productionCount) >= 0xFFFFFFFFull)
        TPRaise(tpYaccTableTooBig);
    const DWORD productions = TableWord(m_data + 16);
    if (stateCount == 0 || !TableSpanFits(kHeader, stateCount, 4, m_size) ||
        !TableSpanFits(productions, m_productionCount, kEntry, m_size))
        Unreadable(name);
    m_productions = m_data + productions;

    // Rows: through the offset array, or one after another from the first.
    m_rows.reserve(stateCount);
    ULONGLONG at = TableWord(m_data + 12);
    ULONGLONG end = at;
    for (DWORD s = 0; s < stateCount; ++s)
    {
        if (magic != 0)
            at = TableWord(m_data + kHeader + 4 * s);
        if (!TableSpanFits(at, 1, kRowHeader, m_size))
            Unreadable(name);
        ParserRow row;
        row.flags = TableWord(m_data + at);
        const BOOL empty = (row.flags & rowEmpty) != 0;
        row.gotoCount = empty ? 0 : TableWord(m_data + at + 4);
        row.actionCount = empty ? 0 : TableWord(m_data + at + 8);
        if (empty)
            row.flags &= ~(DWORD)rowErrorEntry;
        row.actions = m_data + at + kRowHeader;
        const ULONGLONG entries = (ULONGLONG)row.gotoCount + row.actionCount + (row.HasErrorEntry() ? 1 : 0);
        if (!TableSpanFits(at + kRowHeader, entries, kEntry, m_size))
            Unreadable(name);
        m_rows.push_back(row);
        end = at + kRowHeader + kEntry * entries;
        at = end;
    }

    // Embedded lookahead lists follow the last row.
    for (DWORD i = 0; i < listCount; ++i)
    {
        LexerExpressionList* list = new (std::nothrow) LexerExpressionList(m_data + end, m_size - end, name);
        if (list == nullptr)
            TPRaiseOutOfStorage();
        m_lookaheadLists.push_back(list);
        end += list->Size();
    }
}

DWORD ParserTable::ProductionLength(DWORD p) const
{
    return TableWord(m_productions + kEntry * p);
}

LONG ParserTable::ProductionSymbol(DWORD p) const
{
    return TableSignedWord(m_productions + kEntry * p + 4);
}

ParserRow ParserTable::Row(DWORD state) const
{
    if (state >= m_rows.size())
        TPRaise(tpYaccInvalidState, (LONG)state);
    return m_rows[state];
}

ParserTable* ParserTable::FromResource(UINT nID, LPCTSTR lpszType)
{
    const TableResource resource = FindTableResource(lpszType, nID, tpYaccResourceNotFound);
    return NewTable(resource.data, resource.size, resource.name);
}

ParserTable* ParserTable::FromFile(LPCTSTR lpszPath)
{
    CFile file;
    if (!file.Open(lpszPath, CFile::modeRead | CFile::shareDenyWrite))
        TPRaise(tpYaccOpenFile, lpszPath);
    BYTE* bytes = nullptr;
    UINT got = 0;
    try
    {
        const DWORD length = file.GetLength();
        if (length > kMaxFileSize)
            Unreadable(lpszPath);
        bytes = static_cast<BYTE*>(TPAlloc(length));
        got = length ? file.Read(bytes, length) : 0;
        file.Close();
    }
    catch (CException* e)
    {
        TPFree(bytes);
        if (e->IsKindOf(RUNTIME_CLASS(TPException)))
            throw;
        e->Delete();
        TPRaise(tpYaccOpenFile, lpszPath);
    }
    try
    {
        ParserTable* table = NewTable(bytes, got, lpszPath);
        TPFree(bytes);
        return table;
    }
    catch (...)
    {
        TPFree(bytes);
        throw;
    }
}
