// A parse table ("YACC" resource, or a file of the same layout).
//
// Layout (u32 little-endian words unless marked i32; offsets from the start):
//   0  magic 0x53535943 ("CYSS"), or 1 (the same), or 0 (the row offsets
//      are ignored and the rows are walked one after another instead)
//   4  productions (low 16 bits) | embedded lookahead lists (high 16 bits)
//   8  number of states S
//   12 offset of the first state row
//   16 offset of the production table
//   20 S state row offsets
//   production table: per production u32 right-hand-side length, i32 left side
//   state rows: u32 flags, u32 goto count G, u32 action count A,
//      A x (u32 action word, i32 token), G x (u32 target, i32 nonterminal),
//      and an error entry (u32 state, i32 -2) when flag 0x2 is set; a row with
//      flag 0x8 is only its 12 header bytes.  Rows need not be contiguous.
//   embedded lookahead lists right after the last row, as lexer lists.
// Action word: bit 30 shift (argument: state), 29 reduce (production),
// 28 accept, 27 resolve by lookahead (list index), none of them error; the
// argument is bits 0-26; bit 31 marks a synchronising token.
//
// The table owns a copy of its bytes.  Loading checks that every row and
// count lies within the table ("TPYacc0111e: Error reading table, <name>"
// otherwise, also for a bad magic); the targets of actions and gotos are
// checked by the driver when it follows them.
#pragma once

#include "database/parser/LexerExpressionList.h"

#include <vector>

const DWORD kParserMagic = 0x53535943;

enum ParserRowFlags
{
    rowSyncMarked = 0x1, // action words with bit 31 are synchronising tokens
    rowErrorEntry = 0x2,
    rowAllSync = 0x4,
    rowEmpty = 0x8
};

enum ParserActionBits
{
    actionSync = 0x80000000,
    actionShift = 0x40000000,
    actionReduce = 0x20000000,
    actionAccept = 0x10000000,
    actionResolve = 0x08000000,
    actionArgumentMask = 0x07FFFFFF
};

// One state's row, read in place.
struct ParserRow
{
    DWORD flags;
    DWORD gotoCount;
    DWORD actionCount;
    const BYTE* actions; // actionCount entries, then gotoCount, then the error entry

    DWORD ActionWord(DWORD i) const;
    LONG ActionToken(DWORD i) const;
    DWORD GotoTarget(DWORD i) const;
    LONG GotoSymbol(DWORD i) const;
    BOOL HasErrorEntry() const { return (flags & rowErrorEntry) != 0; }
    DWORD ErrorState() const;
    // The index of the action entry for token, or -1.
    LONG FindAction(LONG token) const;
};

class ParserTable
{
public:
    // Copies the table out of size bytes at data; name goes into the messages.
    ParserTable(const void* data, size_t size, LPCTSTR name);
    ~ParserTable();
    ParserTable(const ParserTable&) = delete;
    ParserTable& operator=(const ParserTable&) = delete;

    // The table of the program's resource (type, nID): "TPYacc0114e: Resource
    // not found, <nID>" when there is none.  The caller owns it.
    static ParserTable* FromResource(UINT nID, LPCTSTR lpszType = "YACC");
    // The table in a file: "TPYacc0101e: Open file failed, <path>" when it
    // cannot be read.  The caller owns it.
    static ParserTable* FromFile(LPCTSTR lpszPath);

    DWORD StateCount() const { return (DWORD)m_rows.size(); }
    DWORD ProductionCount() const { return m_productionCount; }
    DWORD Size() const { return m_size; }
    // p must be below ProductionCount().
    DWORD ProductionLength(DWORD p) const;
    LONG ProductionSymbol(DWORD p) const;
    // "TPYacc0114e: Invalid state specified, <state>" past the last state.
    ParserRow Row(DWORD state) const;

    int LookaheadListCount() const { return (int)m_lookaheadLists.size(); }
    const LexerExpressionList& LookaheadList(int index) const { return *m_lookaheadLists[index]; }

private:
    void Relocate(LPCTSTR name);

    BYTE* m_data;
    DWORD m_size;
    DWORD m_productionCount;
    const BYTE* m_productions;
    std::vector<ParserRow> m_rows;
    std::vector<LexerExpressionList*> m_lookaheadLists;
};
