#include "database/sort/ReplaceAllText.h"

#include <gtest/gtest.h>

TEST(ReplaceAllTextTest, ControlCodePairs)
{
    const struct
    {
        const char* text;
        const char* searched;
        const char* replacement;
        const char* expected;
        int count;
    } cases[] = {
        {"a\tb\tc\t", "\t", "^t", "a^tb^tc^t", 3},
        {"a^tb^t", "^t", "\t", "a\tb\t", 2},
        {"x\r\ny", "\r", "^p", "x^p\ny", 1},
        {"x^l^l", "^l", "\n", "x\n\n", 2},
        {"none", "\t", "^t", "none", 0},
        {"", "\t", "^t", "", 0},
    };
    for (const auto& c : cases)
    {
        CString text(c.text);
        EXPECT_EQ(c.count, ReplaceAllText(text, c.searched, c.replacement)) << c.text;
        EXPECT_STREQ(c.expected, text) << c.text;
    }
}

TEST(ReplaceAllTextTest, ReplacementContainingTheSearchedTextEnds)
{
    CString text("aa");
    EXPECT_EQ(2, ReplaceAllText(text, "a", "aa"));
    EXPECT_STREQ("aaaa", text);

    CString other("^t^t");
    EXPECT_EQ(2, ReplaceAllText(other, "^t", "x^ty"));
    EXPECT_STREQ("x^tyx^ty", other);

    CString empty("abc");
    EXPECT_EQ(0, ReplaceAllText(empty, "", "x"));
    EXPECT_STREQ("abc", empty);
}
