#include "database/parser/LexerTable.h"

#include "database/parser/TPException.h"
#include "database/parser/TableResource.h"
#include "database/parser/TableWords.h"

#include <new>
#include <string.h>

LexerTable::LexerTable(const void* data, size_t size, LPCTSTR name)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    if (size < sizeof m_header)
        TPRaise(tpLexInvalidTable, name);
    memcpy(m_header, bytes, sizeof m_header);
    const DWORD magic = TableWord(m_header + 4);
    const DWORD count = TableWord(m_header);
    // Every list takes at least its own header: a count beyond that is damage.
    if ((magic != 0 && magic != kLexerMagic) || count == 0 || count > size / 88)
        TPRaise(tpLexInvalidTable, name);
    try
    {
        m_lists.reserve(count);
        size_t at = sizeof m_header;
        for (DWORD i = 0; i < count; ++i)
        {
            LexerExpressionList* list = new (std::nothrow) LexerExpressionList(bytes + at, size - at, name);
            if (list == nullptr)
                TPRaiseOutOfStorage();
            m_lists.push_back(list);
            at += list->Size();
        }
    }
    catch (...)
    {
        for (LexerExpressionList* list : m_lists)
            delete list;
        throw;
    }
}

LexerTable::~LexerTable()
{
    for (LexerExpressionList* list : m_lists)
        delete list;
}

LexerTable* LexerTable::FromResource(UINT nID, LPCTSTR lpszType)
{
    const TableResource resource = FindTableResource(lpszType, nID, tpLexResourceNotFound);
    LexerTable* table = new (std::nothrow) LexerTable(resource.data, resource.size, resource.name);
    if (table == nullptr)
        TPRaiseOutOfStorage();
    return table;
}
