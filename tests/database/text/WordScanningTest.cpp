#include "database/text/WordScanning.h"

#include <gtest/gtest.h>

#include <string>

TEST(WordScanningTest, EncodedWordSpan)
{
    const struct
    {
        std::string text;
        int start;
        int end;
    } cases[] = {
        {", ab1 cd", 2, 5},
        {"a\x81\xA0" "b", 0, 4},          // the ANSI no-break space joins the word
        {"...", 3, 3},
        {"", 0, 0},
        {"  \x81\xE9t\x81\xE9", 2, 7},    // ANSI letter é
        {"\x81\xD7x", 2, 3},              // ANSI multiplication sign is not a letter
        {"\x82\x8Au", 0, 3},              // Macintosh ä
        {"\x82\xA5x", 2, 3},              // Macintosh bullet is not a letter
        {"\x83" "a\x83\xE1", 0, 2},       // Symbol: letters, not 0xE1
        {"-\x94\xE1-", 1, 3},             // Greek: no table, a word character
        {"x\x81", 0, 1},                  // a lead before the NUL ends the scan
        {"-\x81", 2, 2},                  // ... and a text without a word ends at the NUL
    };
    for (const auto& c : cases)
    {
        TextSpan span = {-9, -9};
        EXPECT_EQ(&span, &GetEncodedWordSpan(span, c.text.c_str()));
        EXPECT_EQ(c.start, span.start) << c.text;
        EXPECT_EQ(c.end, span.end) << c.text;
    }
}

TEST(WordScanningTest, WalkingWordsAlwaysEnds)
{
    const char* text = "Jones, A.B. \x81\xC9tude-2\x81";
    std::string words;
    int pos = 0;
    for (int guard = 0; guard < 20; ++guard)
    {
        TextSpan span;
        GetEncodedWordSpan(span, text + pos);
        if (span.start == span.end)
            break;
        words += std::string(text + pos + span.start, span.end - span.start) + "|";
        pos += span.end;
    }
    EXPECT_EQ("Jones|A|B|\x81\xC9tude|2|", words);
}

TEST(WordScanningTest, ClassTables)
{
    const unsigned char* ansi = GetWordClassTable(0x81);
    ASSERT_NE(nullptr, ansi);
    int letters = 0;
    for (int c = 0; c < 256; ++c)
        letters += ansi[c] == kWordLetter;
    EXPECT_EQ(52 + 5 + 23 + 31 + 8, letters);
    EXPECT_EQ(kWordDigit, ansi['7']);
    EXPECT_EQ(kNotWord, ansi[0xF7]);
    EXPECT_EQ(GetWordClassTable('a'), GetWordClassTable(0x7F));
    EXPECT_EQ(kNotWord, GetWordClassTable('a')[0xE9]);
    EXPECT_EQ(kWordLetter, GetWordClassTable(0x82)[0xBF]);
    EXPECT_EQ(nullptr, GetWordClassTable(0x84));
    EXPECT_EQ(nullptr, GetWordClassTable(0xFF));
}

TEST(WordScanningTest, SlashItemSpan)
{
    const struct
    {
        const char* text;
        int start;
        int end;
    } cases[] = {
        {" / Smith J /Jones", 3, 11}, // blanks after the item stay
        {"\r\n//Doe\rRoe", 4, 7},
        {"a b", 0, 3},
        {" / ", 3, 3},
        {"", 0, 0},
    };
    for (const auto& c : cases)
    {
        TextSpan span;
        GetSlashItemSpan(span, c.text);
        EXPECT_EQ(c.start, span.start) << c.text;
        EXPECT_EQ(c.end, span.end) << c.text;
    }
}
