#include "database/sort/TextSpans.h"

#include "database/sort/CharacterClasses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(TextSpansTest, SeparatedItems)
{
    const struct
    {
        const char* text;
        int start;
        int end;
    } cases[] = {
        {";;  Smith", 4, 9},
        {"a/b", 0, 3},
        {"a//b", 0, 1},
        {"Smith, J. ;x", 0, 10}, // blanks before the separator stay
        {"\r\n/ ;", 5, 5},
        {"", 0, 0},
    };
    for (const auto& c : cases)
    {
        TextSpan span;
        GetSeparatedItemSpan(span, c.text);
        EXPECT_EQ(c.start, span.start) << c.text;
        EXPECT_EQ(c.end, span.end) << c.text;
    }

    const char* authors = "Smith, J.; Doe, K.//Roe, L.";
    std::vector<std::string> items;
    for (int pos = 0;;)
    {
        TextSpan span;
        GetSeparatedItemSpan(span, authors + pos);
        if (span.start == span.end)
            break;
        items.emplace_back(authors + pos + span.start, span.end - span.start);
        pos += span.end;
    }
    EXPECT_EQ((std::vector<std::string>{"Smith, J.", "Doe, K.", "Roe, L."}), items);
}

TEST(TextSpansTest, AlphaNumericRuns)
{
    TextSpan span;
    EXPECT_FALSE(FindAlphaNumericRun("--- ...", 7, 0, span));
    EXPECT_EQ(-1, span.start);
    EXPECT_EQ(-1, span.end);

    const char* text = "12 Stra\xDF" "e-9";
    EXPECT_TRUE(FindAlphaNumericRun(text, 12, 0, span));
    EXPECT_EQ(0, span.start);
    EXPECT_EQ(1, span.end); // inclusive
    EXPECT_TRUE(FindAlphaNumericRun(text, 12, 2, span));
    EXPECT_EQ(3, span.start);
    EXPECT_EQ(8, span.end);
    EXPECT_TRUE(FindAlphaNumericRun(text, 6, 2, span)); // cut by the end index
    EXPECT_EQ(5, span.end);
    EXPECT_FALSE(FindAlphaNumericRun(text, 10, 9, span));
    EXPECT_FALSE(FindAlphaNumericRun("ab", 50, 10, span)); // never past the NUL

    GetFirstWordSpan(span, ", \xC9t\xE9 2");
    EXPECT_EQ(2, span.start);
    EXPECT_EQ(5, span.end);
    GetFirstWordSpan(span, "?!");
    EXPECT_EQ(2, span.start);
    EXPECT_EQ(2, span.end);
}

TEST(TextSpansTest, TrimmedSpan)
{
    const struct
    {
        const char* text;
        int start;
        int end;
    } cases[] = {{"  a b\t\r\n", 2, 5}, {"ab", 0, 2}, {" \t ", 3, 3}, {"", 0, 0}, {"\xA0x\xA0", 0, 3}};
    for (const auto& c : cases)
    {
        TextSpan span;
        GetTrimmedSpan(span, c.text);
        EXPECT_EQ(c.start, span.start) << c.text;
        EXPECT_EQ(c.end, span.end) << c.text;
    }
}

TEST(TextSpansTest, CharacterClassesFollowCodePage1252)
{
    EXPECT_EQ('\xC9', ToUpperChar('\xE9'));
    EXPECT_EQ('\x9F', ToUpperChar('\xFF'));
    EXPECT_EQ('\xDF', ToUpperChar('\xDF')); // ß has no upper case
    EXPECT_EQ('\x9A', ToLowerChar('\x8A'));
    EXPECT_TRUE(IsAlpha('\xAA'));
    EXPECT_FALSE(IsAlpha('\xD7'));
    EXPECT_TRUE(IsAlphaNumeric('7'));
    EXPECT_FALSE(IsAlphaNumeric('\xB1')); // plus-minus
    EXPECT_TRUE(IsUpper('\xC0'));
    EXPECT_FALSE(IsUpper('\xE0'));
    char text[] = "stra\xDF" "e \xE9t\xE9";
    MakeUpper(text);
    EXPECT_STREQ("STRA\xDF" "E \xC9T\xC9", text);
    MakeLowerBuffer(text, 3);
    EXPECT_STREQ("strA\xDF" "E \xC9T\xC9", text);
}
