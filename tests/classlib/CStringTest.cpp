#include "classlib/CString.h"
#include "classlib/ClassLibIds.h"
#include "classlib/Exceptions.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

std::string Str(const CString& s)
{
    return std::string((LPCTSTR)s, (size_t)s.GetLength());
}

int Sign(int n)
{
    return n < 0 ? -1 : (n > 0 ? 1 : 0);
}

struct ExtractCase
{
    const char* op;
    int a;
    int b;
    const char* expected;
};

TEST(CStringTest, ExtractionClampsStartAndCount)
{
    const CString s("abcdef");
    const ExtractCase cases[] = {
        {"Mid", 2, 3, "cde"},       {"Mid", -3, 2, "ab"},      {"Mid", 4, 100, "ef"},   {"Mid", 6, 1, ""},
        {"Mid", 100, 1, ""},        {"Mid", 1, -5, ""},        {"Mid", 0, 6, "abcdef"}, {"Mid1", 3, 0, "def"},
        {"Mid1", -1, 0, "abcdef"},  {"Mid1", 6, 0, ""},        {"Mid1", 7, 0, ""},      {"Left", 2, 0, "ab"},
        {"Left", -1, 0, ""},        {"Left", 99, 0, "abcdef"}, {"Right", 2, 0, "ef"},   {"Right", -4, 0, ""},
        {"Right", 99, 0, "abcdef"},
    };
    for (const ExtractCase& c : cases) {
        CString r;
        if (strcmp(c.op, "Mid") == 0)
            r = s.Mid(c.a, c.b);
        else if (strcmp(c.op, "Mid1") == 0)
            r = s.Mid(c.a);
        else if (strcmp(c.op, "Left") == 0)
            r = s.Left(c.a);
        else
            r = s.Right(c.a);
        EXPECT_EQ(c.expected, Str(r)) << c.op << "(" << c.a << ", " << c.b << ")";
    }
}

TEST(CStringTest, EditingClampsIndexes)
{
    const ExtractCase cases[] = {
        {"Insert", 2, 0, "abXYcdef"},  {"Insert", -5, 0, "XYabcdef"}, {"Insert", 6, 0, "abcdefXY"},
        {"Insert", 50, 0, "abcdefXY"}, {"Delete", 1, 2, "adef"},      {"Delete", -2, 2, "cdef"},
        {"Delete", 4, 99, "abcd"},     {"Delete", 6, 1, "abcdef"},    {"Delete", 2, 0, "abcdef"},
        {"Delete", 2, -1, "abcdef"},
    };
    for (const ExtractCase& c : cases) {
        CString s("abcdef");
        const int n = strcmp(c.op, "Insert") == 0 ? s.Insert(c.a, "XY") : s.Delete(c.a, c.b);
        EXPECT_EQ(c.expected, Str(s)) << c.op << "(" << c.a << ", " << c.b << ")";
        EXPECT_EQ((int)strlen(c.expected), n);
    }
}

TEST(CStringTest, FindRespectsStartAndLength)
{
    const CString s("abcabc");
    EXPECT_EQ(1, s.Find('b'));
    EXPECT_EQ(4, s.Find('b', 2));
    EXPECT_EQ(-1, s.Find('b', 6));
    EXPECT_EQ(-1, s.Find('b', 60));
    EXPECT_EQ(0, s.Find('a', -3));
    EXPECT_EQ(3, s.Find("abc", 1));
    EXPECT_EQ(-1, s.Find("abcd"));
    EXPECT_EQ(-1, s.Find("c", 6));
    EXPECT_EQ(4, s.ReverseFind('b'));
    EXPECT_EQ(-1, s.ReverseFind('z'));
    EXPECT_EQ(2, s.FindOneOf("xyc"));
    EXPECT_EQ(-1, s.FindOneOf(""));
}

TEST(CStringTest, LengthIsCountedNotTerminated)
{
    CString s("a\0b\0c", 5);
    EXPECT_EQ(5, s.GetLength());
    EXPECT_EQ(3, s.Find('\0', 2));
    EXPECT_EQ(4, s.Find('c'));
    CString t = s + s;
    EXPECT_EQ(10, t.GetLength());
    EXPECT_TRUE(s != CString("a"));
    EXPECT_EQ(2, s.Remove('\0'));
    EXPECT_EQ("abc", Str(s));
}

TEST(CStringTest, ComparisonsAreUnsignedAndOrdered)
{
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_GT(CString("abc").Compare("ab"), 0);
    EXPECT_EQ(0, CString("").Compare(nullptr));
    EXPECT_GT(CString("\xE9").Compare("z"), 0); // 0xE9 is above 'z' unsigned
    EXPECT_TRUE(CString("a") < "b");
    EXPECT_TRUE("b" > CString("a"));
    EXPECT_TRUE(CString("x") == "x");
}

struct NoCaseCase
{
    const char* a;
    const char* b;
    int sign;
};

TEST(CStringTest, CompareNoCaseFoldsCodePage1252)
{
    const NoCaseCase cases[] = {
        {"ABC", "abc", 0},
        {"\xC9T\xC9", "\xE9t\xE9", 0},               // E acute
        {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", 0}, // S caron, OE, Z caron, Y diaeresis
        {"\xDF", "\xDF", 0},                         // sharp s has no upper case
        {"\xD7", "\xF7", -1},                        // times and divide are not a case pair
        {"_", "A", -1},                              // folded to lower case, as stricmp does
        {"\xC0", "Z", 1},                            // bytes compared unsigned after folding
        {"abc", "ABCD", -1},
        {"\xC4rger", "\xE4RGER", 0},
    };
    for (const NoCaseCase& c : cases) {
        EXPECT_EQ(c.sign, Sign(CString(c.a).CompareNoCase(c.b))) << c.a << " vs " << c.b;
        EXPECT_EQ(-c.sign, Sign(CString(c.b).CompareNoCase(CString(c.a)))) << c.b << " vs " << c.a;
    }
}

TEST(CStringTest, MakeUpperAndLowerUseCodePage1252)
{
    CString s("stra\xDF"
              "e \xE9t\xE9 \xFF \x9C \xB5");
    s.MakeUpper();
    EXPECT_EQ("STRA\xDF"
              "E \xC9T\xC9 \x9F \x8C \xB5",
              Str(s));
    s.MakeLower();
    EXPECT_EQ("stra\xDF"
              "e \xE9t\xE9 \xFF \x9C \xB5",
              Str(s));
}

TEST(CStringTest, FormatUsesPrintfFormats)
{
    CString s;
    const CString name("world");
    s.Format("%s, %d|%5.2f|%-4s|%04X|%c|%u|%ld|%%", (LPCTSTR)name, -42, 3.14159, "ab", 0xBEEFu, 'Z', 7u,
             123456789L);
    EXPECT_EQ("world, -42| 3.14|ab  |BEEF|Z|7|123456789|%", Str(s));
    s.Format("%lld", 1234567890123LL);
    EXPECT_EQ("1234567890123", Str(s));
    // Formatting its own text into itself.
    s = "abc";
    s.Format("[%s]", (LPCTSTR)s);
    EXPECT_EQ("[abc]", Str(s));
    // Longer than any fixed buffer.
    s.Format("%3000s", "x");
    EXPECT_EQ(3000, s.GetLength());
    EXPECT_EQ('x', s[2999]);
    s.AppendFormat("%d", 5);
    EXPECT_EQ(3001, s.GetLength());
}

TEST(CStringTest, BufferAccess)
{
    CString s("abc");
    char* p = s.GetBuffer(10);
    EXPECT_EQ(0, strcmp(p, "abc"));
    strcpy(p, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ("0123456789", Str(s));
    p = s.GetBuffer(0);
    p[2] = 'X';
    s.ReleaseBuffer(4);
    EXPECT_EQ("01X3", Str(s));
    p = s.GetBufferSetLength(6);
    EXPECT_EQ(6, s.GetLength());
    memcpy(p, "ab\0cde", 6);
    s.ReleaseBuffer(6);
    EXPECT_EQ(6, s.GetLength());
    CString empty;
    empty.GetBuffer(0)[0] = '\0';
    empty.ReleaseBuffer();
    EXPECT_TRUE(empty.IsEmpty());
}

TEST(CStringTest, TrimReplaceAndSelfReferences)
{
    CString s(" \t\r\nab c \n");
    s.TrimLeft();
    s.TrimRight();
    EXPECT_EQ("ab c", Str(s));
    s = "xxabxx";
    s.TrimLeft('x');
    s.TrimRight("xy");
    EXPECT_EQ("ab", Str(s));
    s = "aXbXXc";
    EXPECT_EQ(3, s.Replace("X", "--"));
    EXPECT_EQ("a--b----c", Str(s));
    EXPECT_EQ(0, s.Replace("", "z"));
    EXPECT_EQ(1, s.Replace("----", ""));
    EXPECT_EQ(1, s.Replace("--", "X"));
    EXPECT_EQ("aXbc", Str(s));
    s += s; // appending itself
    EXPECT_EQ("aXbcaXbc", Str(s));
    s = (LPCTSTR)s + 2; // assigning its own tail
    EXPECT_EQ("bcaXbc", Str(s));
    EXPECT_EQ("bca", Str(s.SpanExcluding("X")));
    EXPECT_EQ("bc", Str(s.SpanIncluding("cb")));
    CString r("abc");
    r.MakeReverse();
    EXPECT_EQ("cba", Str(r));
    EXPECT_EQ("zzz", Str(CString('z', 3)));
    r.Insert(1, '\0'); // a NUL is a character like any other
    EXPECT_EQ(std::string("c\0ba", 4), Str(r));
    EXPECT_EQ("", Str(CString((LPCTSTR) nullptr)));
}

} // namespace

namespace {

TEST(CStringTest, LoadStringReadsTheStringTable)
{
    CString s("old");
    EXPECT_TRUE(s.LoadString(AFX_IDP_FILE_NOT_FOUND));
    EXPECT_EQ(CString("%1 was not found."), s);
    EXPECT_FALSE(s.LoadString(0xFFF0));
    EXPECT_TRUE(s.IsEmpty());
}

} // namespace
