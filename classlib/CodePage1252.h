// Character classes and case mapping of Windows code page 1252, one table for
// both builds, so that case-blind work never depends on the machine's locale.
//
// Letters with both cases: A-Z, 0x8A/0x9A, 0x8C/0x9C, 0x8E/0x9E, 0x9F/0xFF,
// 0xC0-0xDE/0xE0-0xFE (not 0xD7/0xF7).  Lower-case letters without an upper
// case in the code page: 0x83, 0xAA, 0xB5, 0xBA, 0xDF.  A letter without case:
// 0x88 (modifier circumflex).  Digits: 0-9 and the superscripts 0xB2, 0xB3,
// 0xB9.  Alphanumeric means letter or digit.
#pragma once

#include "classlib/Types.h"

enum : BYTE
{
    CP1252_UPPER = 0x01,
    CP1252_LOWER = 0x02,
    CP1252_DIGIT = 0x04,
    CP1252_ALPHA = 0x08
};

struct CodePage1252Table
{
    BYTE charClass[256]; // CP1252_* bits of each byte value
    BYTE upper[256];     // upper-case partner, or the byte itself
    BYTE lower[256];     // lower-case partner, or the byte itself
};
// Constant-initialised: usable from other static initialisers.
extern const CodePage1252Table g_CodePage1252;

inline int AnsiCharUpper(int ch)
{
    return g_CodePage1252.upper[(BYTE)ch];
}
inline int AnsiCharLower(int ch)
{
    return g_CodePage1252.lower[(BYTE)ch];
}
inline BOOL AnsiIsCharAlpha(int ch)
{
    return (g_CodePage1252.charClass[(BYTE)ch] & CP1252_ALPHA) != 0;
}
inline BOOL AnsiIsCharAlphaNumeric(int ch)
{
    return (g_CodePage1252.charClass[(BYTE)ch] & (CP1252_ALPHA | CP1252_DIGIT)) != 0;
}
inline BOOL AnsiIsCharUpper(int ch)
{
    return (g_CodePage1252.charClass[(BYTE)ch] & CP1252_UPPER) != 0;
}
inline BOOL AnsiIsCharLower(int ch)
{
    return (g_CodePage1252.charClass[(BYTE)ch] & CP1252_LOWER) != 0;
}

// Map cchLength bytes in place; return cchLength.
UINT AnsiCharUpperBuff(char* lpsz, UINT cchLength);
UINT AnsiCharLowerBuff(char* lpsz, UINT cchLength);

// Compares counted byte strings after mapping both to lower case (so '_' sorts
// before letters, as stricmp does); unsigned bytes, a shorter prefix first.
// Returns <0, 0 or >0.
int AnsiCompareNoCase(const char* p1, int n1, const char* p2, int n2);
// The same for NUL-terminated strings.
int AnsiCompareNoCase(const char* psz1, const char* psz2);
