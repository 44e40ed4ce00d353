// DateTokens: the token stage of the date parser.
//
// The upper-cased text of a date is cut into alternating word and separator
// tokens; each token gets a class byte that says what it can stand for (a
// year, a month, a day, an era mark...). The list then finds where a range is
// split and narrows ambiguous classes, stretch by stretch, so that the scan of
// DateValue can read the year, month and day off the classes.
//
// Class bytes: 0x40 marks a word, 0x80 a separator. A word's bits 1, 2 and 4
// say it can be a year, a month or a day; bit 8 marks an era ("AD", "BC") or a
// year written with an era or a letter. Words alternate with separators, so
// with a text that starts with a word the words are at the even positions.
#pragma once

#include "classlib/Types.h"

enum DateTokenClass : BYTE
{
    dtcWord = 0x40,          // a word that fits no rule
    dtcYear = 0x41,          // "A"
    dtcMonth = 0x42,         // "B": a month or season
    dtcDay = 0x44,           // "D"
    dtcDayOrYear = 0x45,     // "E": a number 13-31
    dtcMonthOrDay = 0x46,    // "F": a one-digit number
    dtcAnyPart = 0x47,       // "G": a two-digit number below 13
    dtcEra = 0x48,           // "H": "AD", "BC", "A", "B" and the "D"/"C" of "A.D."/"B.C."
    dtcYearWithEra = 0x49,   // "I": a year with "AD", "BC" or a letter attached
    dtcCompact = 0x60,       // six digits YYMMDD
    dtcSeparator = 0x80,
    dtcRangeSeparator = 0x90 // a separator that can split a range
};

enum : BYTE
{
    kDateYearBit = 0x01,
    kDateMonthBit = 0x02,
    kDateDayBit = 0x04,
    kDateEraBit = 0x08,
    kDateRoleBits = 0x07
};

struct DateToken
{
    short start;  // first character in the list's text
    short length;
    BYTE cls;     // DateTokenClass, or a word class narrowed by resolution
};

class DateTokenList
{
public:
    enum
    {
        kMaxText = 255, // characters read of a date
        kMaxCandidates = 10
    };

    DateTokenList();

    // Upper-cases up to kMaxText characters of text (fewer at a NUL), cuts
    // them into tokens and classifies every token.
    void Read(const char* text, int length);

    int GetCount() const { return m_count; }
    const DateToken& operator[](int i) const { return m_tokens[i]; }
    // The token's characters (not NUL-terminated).
    const char* TextOf(int i) const { return m_text + m_tokens[i].start; }
    bool TokenIs(int i, const char* word) const;

    // The position of the range separator that splits the dates, or -1.
    int FindRangeSplit() const;
    // Narrows the classes of tokens first..last; leaveAlone (or -1) keeps a
    // token from being assigned a role when no definite token decides it.
    void Resolve(int first, int last, int leaveAlone);
    // Resolves the whole list, or both sides of a split and then aligns the
    // split's two neighbours.
    void ResolveAll(int split);

    static bool IsDefinite(BYTE cls);
    static bool IsYearClass(BYTE cls) { return (cls & 0xF7) == dtcYear; }
    static bool IsWord(BYTE cls) { return (cls & 0xC0) == 0x40; }
    static bool IsSeparatorChar(char ch);

    // Month or season number (1-17) of a month name prefix of at least three
    // characters or of a roman month numeral; 0 for anything else.
    static int MonthOfName(const char* word, int length);

private:
    void Cut();
    BYTE ClassifyWord(int i) const;
    BYTE ClassifySeparator(int i) const;
    int PickCandidate(const int* candidates, int count) const;
    bool SameText(int a, int b) const;
    void AlignNeighbours(int split);

    char m_text[kMaxText + 1];
    int m_length;
    int m_count;
    DateToken m_tokens[kMaxText];
};

// Character tests of date words, shared with the scan.
bool IsDateDigit(char ch);
// The word of length characters ends in tail.
bool DateWordEndsWith(const char* word, int length, const char* tail);
