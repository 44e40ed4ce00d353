// A lexer table ("LEXX" resource): a 36-byte header, then its expression
// lists one after another.
//
// Header (u32 little-endian): 0 number of lists, 4 magic 0x53534C58 ("XLSS")
// or 0, 8..35 reserved.  Each list is laid out as LexerExpressionList tells.
// A damaged table raises "TPLex0104e: Invalid table, <name>"; a missing
// resource "TPLex0108e: Resource not found, <name>" (a numeric name written
// as its decimal number).  The table holds at least one list.
#pragma once

#include "database/parser/LexerExpressionList.h"

#include <vector>

class LexerTable
{
public:
    // Copies the table out of size bytes at data; name goes into the messages.
    LexerTable(const void* data, size_t size, LPCTSTR name);
    ~LexerTable();
    LexerTable(const LexerTable&) = delete;
    LexerTable& operator=(const LexerTable&) = delete;

    // The table of the program's resource (type, nID); the caller owns it.
    static LexerTable* FromResource(UINT nID, LPCTSTR lpszType = "LEXX");

    int ListCount() const { return (int)m_lists.size(); }
    const LexerExpressionList& List(int index) const { return *m_lists[index]; }

private:
    BYTE m_header[36];
    std::vector<LexerExpressionList*> m_lists;
};
