// A collation: the weight tables of one sort language.
//
// A weight table has 256 entries of 4 bytes, indexed by a character byte:
//   byte 0  extra leading primary weight, 0 = none (the Macintosh tables give
//           mathematical symbols the key of the Symbol-font character:
//           0x83 here, the Symbol character in byte 1)
//   byte 1  primary weight (the letter), never 0 for a character
//   byte 2  secondary weight (the accent), 2 = no accent
//   byte 3  tertiary weight (the case), 2 = upper case or caseless, 3 = lower
//           case; kExpansionMark instead marks an expansion, which stands for
//           the two characters in bytes 1 and 2 of the table whose lead byte is
//           in byte 0 (0 = the plain table), weighed by their own entries.
//
// tables[] is indexed by the lead byte of the stored encoding; entry 0 serves
// bytes below 0x80. A lead byte whose entry is NULL has no table: its
// characters keep their two raw bytes as primary weight.
//
// Collations are process-wide constants: one static instance per language,
// built once with the language registry, never deleted.
#pragma once

#include "classlib/Object.h"

typedef BYTE CollationWeights[4];

const BYTE kExpansionMark = 0x81;
const BYTE kNoWeight = 2; // an accent or case weight that says nothing

class CCollation : public CObject
{
public:
    // A collation without tables: the raw-byte order of languages 254 and 255.
    CCollation();
    CCollation(WORD version, BOOL reverseAccents);

    virtual BOOL IsAvailable() const;
    // When a digraph with a primary weight of its own starts at text[pos],
    // advances pos past its two letters and returns the weight; else 0.
    virtual BYTE MatchDigraph(const char* text, int& pos) const;

    // The table for a lead byte (0 for bytes below 0x80), or NULL.
    const CollationWeights* GetTable(BYTE lead) const { return tables[lead]; }
    void SetTable(BYTE lead, const CollationWeights* table) { tables[lead] = table; }

    WORD version;
    int available;
    const CollationWeights* tables[256];
    int reverseAccents; // accents are weighed from the end of the text (French)
};

// A collation with two-letter digraphs that sort as letters of their own
// ('ch' in Czech, 'ch' and 'll' in Spanish), matched in any letter case.
class CDigraphCollation : public CCollation
{
public:
    struct Digraph
    {
        char first, second; // lower case
        BYTE weight;
    };

    CDigraphCollation(WORD version, const Digraph* digraphs, int count);

    BYTE MatchDigraph(const char* text, int& pos) const override;

private:
    const Digraph* m_digraphs;
    int m_count;
};
