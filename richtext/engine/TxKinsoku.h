// Line-break classes of double-byte scripts: which characters may not begin and which may not end
// a line, per character set (128, 129, 134 and 136; other sets have no such rules).
#pragma once

#include <cstdint>

enum : uint32_t
{
    kTxClassNoEnd = 0x10000,   // may not end a line
    kTxClassNoBegin = 0x20000, // may not begin a line
};

// One character set's two tables, each sorted ascending. Single-byte codes are below 0x100.
struct TxKinsokuTables
{
    int32_t charset;
    const uint16_t* noBegin;
    int32_t noBeginCount;
    const uint16_t* noEnd;
    int32_t noEndCount;
};

// The tables of a character set (its low 12 bits), null for a set without rules.
const TxKinsokuTables* TxKinsokuFor(int32_t charset);

// The character at text (byteCount 2 for a double-byte character, read high byte first) classified
// for a style of this character set: flags with kTxClassNoBegin added when the code may not begin
// a line, else kTxClassNoEnd when it may not end one; unchanged for other sets and codes.
uint32_t TxDbcsLineBreakClass(const uint8_t* text, int32_t byteCount, int32_t charset, uint32_t flags);
