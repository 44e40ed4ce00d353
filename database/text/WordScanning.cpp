#include "database/text/WordScanning.h"

namespace
{
struct ClassRange
{
    int first;
    int last;
    unsigned char cls;
};

struct WordClassTable
{
    unsigned char cls[256]{};

    template <int N>
    constexpr explicit WordClassTable(const ClassRange (&ranges)[N])
    {
        for (const ClassRange& r : ranges)
        {
            for (int c = r.first; c <= r.last; ++c)
                cls[c] = r.cls;
        }
    }
};

constexpr ClassRange kAsciiRanges[] = {
    {0x30, 0x39, kWordDigit}, {0x41, 0x5A, kWordLetter}, {0x61, 0x7A, kWordLetter}};

constexpr ClassRange kAnsiRanges[] = {
    {0x30, 0x39, kWordDigit}, {0x41, 0x5A, kWordLetter}, {0x61, 0x7A, kWordLetter},
    {0x8A, 0x8A, kWordLetter}, {0x8C, 0x8C, kWordLetter}, {0x9A, 0x9A, kWordLetter},
    {0x9C, 0x9C, kWordLetter}, {0x9F, 0x9F, kWordLetter}, {0xC0, 0xD6, kWordLetter},
    {0xD8, 0xF6, kWordLetter}, {0xF8, 0xFF, kWordLetter}};

constexpr ClassRange kMacRomanRanges[] = {
    {0x30, 0x39, kWordDigit}, {0x41, 0x5A, kWordLetter}, {0x61, 0x7A, kWordLetter},
    {0x80, 0x9F, kWordLetter}, {0xA7, 0xA7, kWordLetter}, {0xAE, 0xAF, kWordLetter},
    {0xB9, 0xB9, kWordLetter}, {0xBD, 0xBF, kWordLetter}, {0xCB, 0xCF, kWordLetter},
    {0xD8, 0xD9, kWordLetter}, {0xDE, 0xDF, kWordLetter}, {0xE5, 0xEF, kWordLetter},
    {0xF1, 0xF4, kWordLetter}};

constexpr WordClassTable kAscii(kAsciiRanges);
constexpr WordClassTable kAnsi(kAnsiRanges);
constexpr WordClassTable kMacRoman(kMacRomanRanges);

bool IsLead(unsigned char b)
{
    return b >= 0x80;
}

const unsigned char* Bytes(const char* text)
{
    return reinterpret_cast<const unsigned char*>(text);
}

// Whether the character at p (not the NUL, not a lead before the NUL) is
// part of a word.
bool IsWordCharacter(const unsigned char* p)
{
    if (!IsLead(p[0]))
        return kAscii.cls[p[0]] != kNotWord;
    if (p[0] == 0x81 && p[1] == 0xA0)
        return true;
    const unsigned char* table = GetWordClassTable(p[0]);
    return table == nullptr || table[p[1]] != kNotWord;
}

// The end of the text for the scanners: the NUL, or a lead byte just before it.
bool AtTextEnd(const unsigned char* p)
{
    return p[0] == 0 || (IsLead(p[0]) && p[1] == 0);
}

int CharacterSize(const unsigned char* p)
{
    return IsLead(p[0]) ? 2 : 1;
}

bool IsSlashItemSeparator(char c)
{
    return c == '/' || c == '\n' || c == '\r';
}
} // namespace

const unsigned char* GetWordClassTable(unsigned char selector)
{
    if (selector < 0x80)
        return kAscii.cls;
    switch (selector)
    {
    case 0x81:
        return kAnsi.cls;
    case 0x82:
        return kMacRoman.cls;
    case 0x83:
        return kAscii.cls; // Symbol: the same letters and digits
    default:
        return nullptr;
    }
}

TextSpan& GetEncodedWordSpan(TextSpan& span, const char* encoded)
{
    const unsigned char* text = Bytes(encoded);
    int p = 0;
    while (!AtTextEnd(text + p) && !IsWordCharacter(text + p))
        p += CharacterSize(text + p);
    if (AtTextEnd(text + p))
    {
        // No word: both offsets at the NUL, past a dangling lead byte, so a
        // caller that continues from the end always moves on.
        if (text[p] != 0)
            ++p;
        span.start = span.end = p;
        return span;
    }
    span.start = p;
    while (!AtTextEnd(text + p) && IsWordCharacter(text + p))
        p += CharacterSize(text + p);
    span.end = p;
    return span;
}

TextSpan& GetSlashItemSpan(TextSpan& span, const char* text)
{
    int p = 0;
    while (text[p] == ' ' || IsSlashItemSeparator(text[p]))
        ++p;
    span.start = p;
    while (text[p] != '\0' && !IsSlashItemSeparator(text[p]))
        ++p;
    span.end = p;
    return span;
}
