#include "classlib/CodePage1252.h"
#include "classlib/CString.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

// Code page 1252 written out: each upper-case letter above its lower-case
// partner, then the lower-case letters that have no upper case in the page.
const char kUpper[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\x8A\x8C\x8E\x9F"
                      "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                      "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xDE";
const char kLower[] = "abcdefghijklmnopqrstuvwxyz\x9A\x9C\x9E\xFF"
                      "\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                      "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF8\xF9\xFA\xFB\xFC\xFD\xFE";
const char kLowerOnly[] = "\x83\xAA\xB5\xBA\xDF";
const char kCaselessLetters[] = "\x88";
const char kDigits[] = "0123456789\xB2\xB3\xB9";

struct Expected
{
    int upper[256];
    int lower[256];
    bool isUpper[256];
    bool isLower[256];
    bool isAlpha[256];
    bool isDigit[256];
};

Expected BuildExpected()
{
    Expected e{};
    for (int c = 0; c < 256; ++c) {
        e.upper[c] = c;
        e.lower[c] = c;
    }
    static_assert(sizeof(kUpper) == sizeof(kLower), "pairs");
    for (size_t i = 0; i + 1 < sizeof(kUpper); ++i) {
        const int up = (unsigned char)kUpper[i];
        const int low = (unsigned char)kLower[i];
        e.lower[up] = low;
        e.upper[low] = up;
        e.isUpper[up] = true;
        e.isLower[low] = true;
    }
    for (size_t i = 0; i + 1 < sizeof(kLowerOnly); ++i)
        e.isLower[(unsigned char)kLowerOnly[i]] = true;
    for (int c = 0; c < 256; ++c)
        e.isAlpha[c] = e.isUpper[c] || e.isLower[c];
    for (size_t i = 0; i + 1 < sizeof(kCaselessLetters); ++i)
        e.isAlpha[(unsigned char)kCaselessLetters[i]] = true;
    for (size_t i = 0; i + 1 < sizeof(kDigits); ++i)
        e.isDigit[(unsigned char)kDigits[i]] = true;
    return e;
}

TEST(CodePage1252Test, EveryByteMapsAndClassifiesAsTheCodePage)
{
    const Expected e = BuildExpected();
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(e.upper[c], AnsiCharUpper(c));
        EXPECT_EQ(e.lower[c], AnsiCharLower(c));
        EXPECT_EQ(e.isUpper[c], !!AnsiIsCharUpper(c));
        EXPECT_EQ(e.isLower[c], !!AnsiIsCharLower(c));
        EXPECT_EQ(e.isAlpha[c], !!AnsiIsCharAlpha(c));
        EXPECT_EQ(e.isAlpha[c] || e.isDigit[c], !!AnsiIsCharAlphaNumeric(c));
    }
}

TEST(CodePage1252Test, BufferAndStringMappingCoverAllBytes)
{
    const Expected e = BuildExpected();
    char all[256];
    for (int c = 0; c < 256; ++c)
        all[c] = (char)c;
    char up[256];
    char low[256];
    memcpy(up, all, 256);
    memcpy(low, all, 256);
    EXPECT_EQ(256u, AnsiCharUpperBuff(up, 256));
    EXPECT_EQ(256u, AnsiCharLowerBuff(low, 256));
    CString sUp(all, 256);
    CString sLow(all, 256);
    sUp.MakeUpper();
    sLow.MakeLower();
    ASSERT_EQ(256, sUp.GetLength()); // the NUL at 0 does not end the string
    for (int c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(e.upper[c], (unsigned char)up[c]);
        EXPECT_EQ(e.lower[c], (unsigned char)low[c]);
        EXPECT_EQ(e.upper[c], (unsigned char)sUp[c]);
        EXPECT_EQ(e.lower[c], (unsigned char)sLow[c]);
        // Case-blind comparison of a byte with its partners.
        EXPECT_EQ(0, AnsiCompareNoCase(&all[c], 1, &up[c], 1));
        EXPECT_EQ(0, AnsiCompareNoCase(&all[c], 1, &low[c], 1));
    }
}

#ifdef _WIN32
// The system's own functions agree when the ANSI code page is 1252.
TEST(CodePage1252Test, AgreesWithTheSystemOnCodePage1252)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "ANSI code page is " << GetACP();
    for (int c = 1; c < 256; ++c) {
        SCOPED_TRACE(c);
        char sysUp = (char)c;
        char sysLow = (char)c;
        CharUpperBuffA(&sysUp, 1);
        CharLowerBuffA(&sysLow, 1);
        EXPECT_EQ((unsigned char)sysUp, AnsiCharUpper(c));
        EXPECT_EQ((unsigned char)sysLow, AnsiCharLower(c));
        EXPECT_EQ(!!IsCharAlphaA((CHAR)c), !!AnsiIsCharAlpha(c));
        EXPECT_EQ(!!IsCharAlphaNumericA((CHAR)c), !!AnsiIsCharAlphaNumeric(c));
        EXPECT_EQ(!!IsCharUpperA((CHAR)c), !!AnsiIsCharUpper(c));
        EXPECT_EQ(!!IsCharLowerA((CHAR)c), !!AnsiIsCharLower(c));
    }
}
#endif

} // namespace
