#include "database/text/MacintoshRuns.h"

#include "database/sort/CodePageTranslation.h"

#include <gtest/gtest.h>

#include <string.h>

namespace
{
StyledString MacText(const char* text, const char* font)
{
    StyledString s;
    s.AppendStyled(text, static_cast<int>(strlen(text)),
                   StyleRun(kStyleItalic, 11, font, 0, 0, kEncodingMacintosh));
    return s;
}
} // namespace

TEST(MacintoshRunsTest, RunIsSplitWhereTheClassChanges)
{
    StyledString s = MacText("a\xB9" "b", "Times");
    NormalizeRunFonts(s);
    EXPECT_STREQ("apb", s.text);
    ASSERT_EQ(3, s.runs.GetSize());
    const struct
    {
        const char* font;
        BYTE charSet;
    } expected[] = {{"Times", 0}, {"Symbol", 2}, {"Times", 0}};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(1, s.runs[i].length) << i;
        EXPECT_STREQ(expected[i].font, s.runs[i].fontName) << i;
        EXPECT_EQ(expected[i].charSet, s.runs[i].charSet) << i;
        EXPECT_EQ(kEncodingWindows, s.runs[i].encoding) << i;
        EXPECT_EQ(kStyleItalic, s.runs[i].style) << i;
        EXPECT_EQ(11, s.runs[i].pointSize) << i;
    }
}

TEST(MacintoshRunsTest, CharactersWithoutWindowsEquivalentStayMacintosh)
{
    // fi ligature (0xDE) and the Apple sign (0xF0) between ANSI letters.
    StyledString s;
    s.AppendStyled("x", 1, StyleRun(kStyleBold, 0, nullptr, 1));
    s += MacText("\x8E\xDE\xF0z", "Geneva");
    NormalizeRunFonts(s);
    EXPECT_STREQ("x\xE9\xDE\xF0z", s.text);
    ASSERT_EQ(4, s.runs.GetSize());
    const int lengths[] = {1, 1, 2, 1};
    const BYTE encodings[] = {0, 0, 1, 0};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(lengths[i], s.runs[i].length) << i;
        EXPECT_EQ(encodings[i], s.runs[i].encoding) << i;
    }
    EXPECT_EQ(kStyleBold, s.runs[0].style); // the run before is untouched
    // Converting again changes nothing.
    StyledString again = s;
    NormalizeRunFonts(again);
    EXPECT_EQ(s.text, again.text);
    EXPECT_TRUE(again.runs.IsEqual(s.runs));
}

TEST(MacintoshRunsTest, SymbolAndWingdingsRunsKeepTheirBytes)
{
    for (const char* font : {"wingdings", "SYMBOL"})
    {
        StyledString s = MacText("a\xB9\x8E", font);
        NormalizeRunFonts(s);
        EXPECT_STREQ("a\xB9\x8E", s.text) << font;
        ASSERT_EQ(1, s.runs.GetSize()) << font;
        EXPECT_EQ(2, s.runs[0].charSet) << font;
        EXPECT_EQ(kEncodingWindows, s.runs[0].encoding) << font;
    }
}

TEST(MacintoshRunsTest, OtherScriptsAreLeftAlone)
{
    StyledString s;
    s.AppendStyled("\x8E", 1, StyleRun(0, 0, nullptr, 1, 1, kEncodingMacintosh)); // Japanese script
    NormalizeRunFonts(s);
    EXPECT_STREQ("\x8E", s.text);
    EXPECT_EQ(kEncodingMacintosh, s.runs[0].encoding);
    EXPECT_EQ(1, s.runs[0].charSet);
}

TEST(MacintoshRunsTest, TableAgreesWithTheTextTranslationTable)
{
    // Where the run conversion gives a Windows character, the plain text
    // translation gives the same one; elsewhere it gives its filler 0x80
    // (byte 173, not-equal, is kept by the text table).
    for (int c = 0x80; c < 0x100; ++c)
    {
        const MacCharMapping& m = MacRomanToWindowsTable[c];
        if (m.cls == kMacToAnsi)
        {
            EXPECT_EQ(m.ch, g_MacToWindows[c]) << std::hex << c;
        }
        else if (c != 0xAD)
        {
            EXPECT_EQ(0x80, g_MacToWindows[c]) << std::hex << c;
        }
        if (m.cls == kMacKeep)
        {
            EXPECT_EQ(c, m.ch) << std::hex << c;
        }
    }
    for (int c = 0; c < 0x80; ++c)
    {
        EXPECT_EQ(kMacToAnsi, MacRomanToWindowsTable[c].cls);
        EXPECT_EQ(c, MacRomanToWindowsTable[c].ch);
    }
}
