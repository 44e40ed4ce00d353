// One expression list of a lexer table: a deterministic automaton over
// characters (bytes, and 0xFFFFFFFF for the start of the input).
//
// Stored layout (u32 little-endian words, offsets from the list's start):
//   0 magic 0x53534C58 ("XLSS") or 1, 4 size of the list, 8..39 reserved,
//   40 number of states S, 44 size again, 48 offset of the row offset array,
//   52 offset of the state information array (88), 56..87 reserved;
//   state information, 28 bytes a state: i32 token, u32 list index, u32 flags,
//   16 reserved bytes; row offset array: u32 a state; rows: u32 range count R,
//   then R x (u32 first character, u32 last character, i32 next state or -1).
// Ranges ascend; a character outside every range has no transition.
//
// The list owns a copy of its bytes.  Construction checks everything a lookup
// relies on (every offset, count and next state lies within the list) and
// raises "TPLex0104e: Invalid table, <name>" otherwise, so that lookups never
// read outside the copy.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

#include <vector>

const DWORD kLexerMagic = 0x53534C58;
const DWORD kLexerListMagicOld = 1;
const DWORD kStartOfInput = 0xFFFFFFFF;

enum LexerStateFlags
{
    lexPop = 0x08,
    lexAccepts = 0x10,
    lexPush = 0x20,
    lexIgnore = 0x40,
    lexReduceDecision = 0x100 // lookahead lists: the token field is a production
};

struct LexerStateInfo
{
    LONG token;
    DWORD list;
    DWORD flags;
};

class LexerExpressionList
{
public:
    // Copies and checks the list at data (available bytes from there on).
    LexerExpressionList(const BYTE* data, size_t available, LPCTSTR name);
    ~LexerExpressionList();
    LexerExpressionList(const LexerExpressionList&) = delete;
    LexerExpressionList& operator=(const LexerExpressionList&) = delete;

    // Bytes the list takes in its table.
    DWORD Size() const { return m_size; }
    DWORD StateCount() const { return m_stateCount; }
    // state must be below StateCount().
    LexerStateInfo Info(DWORD state) const;
    // The next state on ch, or -1 for no transition.
    LONG Next(DWORD state, DWORD ch) const;

private:
    BYTE* m_data;
    DWORD m_size;
    DWORD m_stateCount;
    const BYTE* m_infos;
    std::vector<const BYTE*> m_rows;
};
