#include "database/text/StyledString.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
StyledString Bold(const char* text)
{
    StyledString s;
    s.AppendStyled(text, static_cast<int>(strlen(text)), StyleRun(kStyleBold, 0, nullptr, 0));
    return s;
}

// "lengths:styles" of the runs, for compact expectations: "3b 2p" etc.
std::string Describe(const StyledString& s)
{
    std::string out;
    for (int i = 0; i < s.runs.GetSize(); ++i)
    {
        if (i > 0)
            out += ' ';
        out += std::to_string(s.runs[i].length);
        const WORD st = s.runs[i].style;
        out += st == 0 ? "p" : st == kStyleBold ? "b" : st == kStyleItalic ? "i" : "?";
    }
    return out;
}

void ExpectValid(const StyledString& s)
{
    EXPECT_EQ(s.GetLength(), s.runs.TotalLength()) << s.text;
}
} // namespace

TEST(StyledStringTest, Construction)
{
    EXPECT_EQ("", Describe(StyledString()));
    EXPECT_EQ("", Describe(StyledString("")));
    EXPECT_EQ("3p", Describe(StyledString("abc")));
    StyledString s = Bold("xy");
    s.SetPlainText("hello");
    EXPECT_EQ("5p", Describe(s));
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(0, s.runs.GetSize());
}

TEST(StyledStringTest, JoiningMergesOnlyEqualNeighbours)
{
    StyledString s = Bold("abc");
    s += Bold("de");
    EXPECT_EQ("5b", Describe(s));
    s += StyledString("fg");
    EXPECT_EQ("5b 2p", Describe(s));
    s += s; // appending itself
    EXPECT_STREQ("abcdefgabcdefg", s.text);
    EXPECT_EQ("5b 2p 5b 2p", Describe(s));
    const StyledString joined = ConcatStyledStrings(StyledString("a"), StyledString("b"));
    EXPECT_EQ("2p", Describe(joined));
}

TEST(StyledStringTest, MidLeftRightCarryTheirRuns)
{
    StyledString s = Bold("abc");
    s += StyledString("def");
    const StyledString mid = s.Mid(2, 3);
    EXPECT_STREQ("cde", mid.text);
    EXPECT_EQ("1b 2p", Describe(mid));

    const struct
    {
        int start;
        int count;
        const char* text;
        const char* runs;
    } midCases[] = {
        {-3, 2, "ab", "2b"}, {4, 99, "ef", "2p"}, {6, 1, "", ""}, {10, 1, "", ""}, {1, -1, "", ""},
    };
    for (const auto& c : midCases)
    {
        const StyledString m = s.Mid(c.start, c.count);
        EXPECT_STREQ(c.text, m.text) << c.start << "," << c.count;
        EXPECT_EQ(c.runs, Describe(m)) << c.start << "," << c.count;
    }
    EXPECT_EQ("3b 1p", Describe(s.Left(4)));
    EXPECT_EQ("", Describe(s.Left(-1)));
    EXPECT_EQ("3b 3p", Describe(s.Left(60)));
    EXPECT_EQ("1b 3p", Describe(s.Right(4)));
    EXPECT_STREQ("cdef", s.Right(4).text);
    EXPECT_EQ("3b 3p", Describe(s.Right(60)));
}

TEST(StyledStringTest, Appending)
{
    StyledString s;
    s.AppendChar('a');
    EXPECT_EQ("1p", Describe(s));
    s.AppendCharWithStyle('b', kStyleBold);
    s.AppendCharWithStyle('c', kStyleBold); // extends the bold run
    EXPECT_EQ("1p 2b", Describe(s));
    s.AppendCharWithStyle('d', 0);           // no style: a new run
    EXPECT_EQ("1p 2b 1p", Describe(s));
    s.AppendText("ef");
    s.AppendText("");
    s.AppendChar('\0');
    EXPECT_STREQ("abcdef", s.text);
    EXPECT_EQ("1p 2b 3p", Describe(s));

    // The new run of AppendCharWithStyle copies the other attributes.
    StyledString t;
    t.AppendStyled("x", 1, StyleRun(kStyleItalic, 14, "Arial", 1, 238));
    t.AppendCharWithStyle('y', kStyleBold);
    ASSERT_EQ(2, t.runs.GetSize());
    EXPECT_STREQ("Arial", t.runs[1].fontName);
    EXPECT_EQ(14, t.runs[1].pointSize);
    EXPECT_EQ(238, t.runs[1].charSet);

    StyledString u;
    u.AppendCharWithStyle('z', kStyleItalic);
    EXPECT_EQ("1i", Describe(u));
    u.AppendStyled("zz", 2, StyleRun(kStyleItalic, 0, nullptr, 2));
    u.AppendStyled("q", 0, StyleRun());
    EXPECT_EQ("3i", Describe(u));
    // The appended run covers the bytes actually appended, never past a NUL.
    u.AppendStyled("ab\0cd", 5, StyleRun(kStyleBold, 0, nullptr, 5));
    EXPECT_STREQ("zzzab", u.text);
    EXPECT_EQ("3i 2b", Describe(u));
}

TEST(StyledStringTest, ReplaceRangeGivesTheTextTheRunAtItsStart)
{
    StyledString s = Bold("abc");
    s += StyledString("def");
    s.ReplaceRange(3, 4, "XYZ", 3); // the plain run holds position 3
    EXPECT_STREQ("abcXYZef", s.text);
    EXPECT_EQ("3b 5p", Describe(s));
    s.ReplaceRange(1, 5, "", 0);     // removal across the boundary
    EXPECT_STREQ("aZef", s.text);
    EXPECT_EQ("1b 3p", Describe(s));
    s.ReplaceRange(4, 4, "!", 1);    // at the end: appended to the last run
    EXPECT_EQ("1b 4p", Describe(s));
    // Out-of-range requests change nothing.
    s.ReplaceRange(-1, 2, "x", 1);
    s.ReplaceRange(3, 2, "x", 1);
    s.ReplaceRange(0, 9, "x", 1);
    EXPECT_STREQ("aZef!", s.text);
    ExpectValid(s);
}

TEST(StyledStringTest, ReplaceAll)
{
    StyledString s("aa");
    EXPECT_EQ(-1, s.ReplaceAll("a", "aa")); // ends although the replacement holds the text
    EXPECT_STREQ("aaaa", s.text);
    EXPECT_EQ("4p", Describe(s));

    StyledString t = Bold("x-y");
    t += StyledString("-z");
    t.ReplaceAll("-", "--");
    EXPECT_STREQ("x--y--z", t.text);
    // Plain replacements merge with the plain neighbours only.
    EXPECT_EQ("1b 2p 1b 3p", Describe(t));

    StyledString u("a\tb\tc");
    u.ReplaceAll("\t", "");
    EXPECT_STREQ("abc", u.text);
    EXPECT_EQ("3p", Describe(u));
    u.ReplaceAll("", "x"); // an empty search text replaces nothing
    EXPECT_STREQ("abc", u.text);
}

TEST(StyledStringTest, TrimRight)
{
    StyledString s = Bold("Smith");
    s += StyledString(" J. ");
    s.TrimRight(" .");
    EXPECT_STREQ("Smith J", s.text);
    EXPECT_EQ("5b 2p", Describe(s));
    StyledString all(". .");
    all.TrimRight(" .");
    EXPECT_TRUE(all.IsEmpty());
    EXPECT_EQ(0, all.runs.GetSize());
}

TEST(StyledStringTest, CopiesAreDeep)
{
    StyledString a = Bold("abc");
    StyledString b(a);
    StyledString c;
    c = a;
    a.AppendText("d");
    a.runs[0].style = kStyleItalic;
    EXPECT_STREQ("abc", b.text);
    EXPECT_EQ("3b", Describe(b));
    EXPECT_EQ("3b", Describe(c));
    c = c;
    EXPECT_EQ("3b", Describe(c));
}
