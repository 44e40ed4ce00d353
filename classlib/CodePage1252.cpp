#include "classlib/CodePage1252.h"

#include <string.h>

namespace {

constexpr void AddPair(CodePage1252Table& t, int up, int low)
{
    t.charClass[up] = CP1252_UPPER | CP1252_ALPHA;
    t.charClass[low] = CP1252_LOWER | CP1252_ALPHA;
    t.lower[up] = (BYTE)low;
    t.upper[low] = (BYTE)up;
}

constexpr CodePage1252Table BuildTable()
{
    CodePage1252Table t{};
    for (int c = 0; c < 256; ++c) {
        t.charClass[c] = 0;
        t.upper[c] = (BYTE)c;
        t.lower[c] = (BYTE)c;
    }
    for (int c = '0'; c <= '9'; ++c)
        t.charClass[c] = CP1252_DIGIT;
    t.charClass[0xB2] = t.charClass[0xB3] = t.charClass[0xB9] = CP1252_DIGIT; // superscript 2, 3, 1
    t.charClass[0x88] = CP1252_ALPHA; // modifier circumflex: a letter without case
    for (int c = 'A'; c <= 'Z'; ++c)
        AddPair(t, c, c + 0x20);
    AddPair(t, 0x8A, 0x9A); // S caron
    AddPair(t, 0x8C, 0x9C); // OE ligature
    AddPair(t, 0x8E, 0x9E); // Z caron
    AddPair(t, 0x9F, 0xFF); // Y diaeresis
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) // multiplication sign
            AddPair(t, c, c + 0x20);
    }
    // f with hook, feminine and masculine ordinals, micro sign, sharp s
    const int lowerOnly[] = {0x83, 0xAA, 0xB5, 0xBA, 0xDF};
    for (int c : lowerOnly)
        t.charClass[c] = CP1252_LOWER | CP1252_ALPHA;
    return t;
}

} // namespace

constexpr CodePage1252Table g_CodePage1252 = BuildTable();

UINT AnsiCharUpperBuff(char* lpsz, UINT cchLength)
{
    for (UINT i = 0; i < cchLength; ++i)
        lpsz[i] = (char)g_CodePage1252.upper[(BYTE)lpsz[i]];
    return cchLength;
}

UINT AnsiCharLowerBuff(char* lpsz, UINT cchLength)
{
    for (UINT i = 0; i < cchLength; ++i)
        lpsz[i] = (char)g_CodePage1252.lower[(BYTE)lpsz[i]];
    return cchLength;
}

int AnsiCompareNoCase(const char* p1, int n1, const char* p2, int n2)
{
    const int n = n1 < n2 ? n1 : n2;
    for (int i = 0; i < n; ++i) {
        const int c1 = g_CodePage1252.lower[(BYTE)p1[i]];
        const int c2 = g_CodePage1252.lower[(BYTE)p2[i]];
        if (c1 != c2)
            return c1 - c2;
    }
    return n1 - n2 < 0 ? -1 : (n1 > n2 ? 1 : 0);
}

int AnsiCompareNoCase(const char* psz1, const char* psz2)
{
    return AnsiCompareNoCase(psz1, (int)strlen(psz1), psz2, (int)strlen(psz2));
}
