// Word lookup, hex keys, count texts and line arrays.
#include "app/core/LineStringArray.h"
#include "app/core/StringHelpers.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

TEST(StringHelpers, FindWordNoCaseComparesWholeEntries)
{
    CLineStringArray list("a\nan\nthe\nLes");
    const char* text = "THE end";
    EXPECT_EQ(2, FindWordNoCase(text, 3, list));
    EXPECT_EQ(3, FindWordNoCase("les", 3, list));
    EXPECT_EQ(0, FindWordNoCase("A", 1, list));
    EXPECT_EQ(-1, FindWordNoCase("th", 2, list)); // a prefix of an entry is not the entry
    EXPECT_EQ(-1, FindWordNoCase("them", 4, list));
    EXPECT_EQ(-1, FindWordNoCase("a", 1, CStringArray()));
}

TEST(StringHelpers, FormatHex8WritesEightUpperCaseDigits)
{
    char buffer[10];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_STREQ("000000FF", FormatHex8(buffer, 255));
    EXPECT_EQ('x', buffer[9]); // exactly nine bytes written
    EXPECT_STREQ("FFFFFFFF", FormatHex8(buffer, 0xFFFFFFFFu));
    EXPECT_STREQ("00000000", FormatHex8(buffer, 0));
    EXPECT_STREQ("12AB34CD", FormatHex8(buffer, 0x12AB34CDu));
}

TEST(StringHelpers, CountTextPicksTheLineForTheCount)
{
    EXPECT_STREQ("1 record", FormatCountText("1 record\n%d records", 1));
    EXPECT_STREQ("0 records", FormatCountText("1 record\n%d records", 0));
    EXPECT_STREQ("2 records", FormatCountText("1 record\n%d records", 2));
    EXPECT_STREQ("only", FormatCountText("only", 5));
    EXPECT_STREQ("%s stays", FormatCountText("one\n%s stays", 3)); // data, not a format
    EXPECT_STREQ("-12", LongToString(-12));
}

TEST(LineStringArray, SplitsAtLineFeedsKeepingEmptyLines)
{
    const struct
    {
        const char* text;
        int count;
        const char* last;
    } cases[] = {
        {"a\nan\nthe", 3, "the"}, {"a\n", 2, ""}, {"", 1, ""}, {"\n\n", 3, ""}, {"one", 1, "one"},
    };
    for (const auto& c : cases) {
        CLineStringArray lines(c.text);
        ASSERT_EQ(c.count, lines.GetSize()) << c.text;
        EXPECT_STREQ(c.last, lines[c.count - 1]);
    }
    EXPECT_EQ(0, CLineStringArray(nullptr).GetSize());
}

TEST(LineStringArray, CopiesAreDeep)
{
    CLineStringArray original("x\ny");
    CLineStringArray copy(original);
    CLineStringArray assigned;
    assigned = original;
    original[0] = "changed";
    EXPECT_STREQ("x", copy[0]);
    EXPECT_STREQ("x", assigned[0]);
    EXPECT_EQ(2, assigned.GetSize());
}

// A string resource's lines appended in order, empty lines kept; a missing string appends nothing.
TEST(StringHelpers, AppendResourceLinesAddsEveryLineOfTheString)
{
    CStringArray lines;
    lines.Add("first");
    AppendResourceLines(lines, 4101); // two paragraphs, an empty line between
    ASSERT_EQ(4, lines.GetSize());
    EXPECT_STREQ("first", lines[0]);
    EXPECT_EQ(0, std::strncmp(lines[1], "An error occurred", 17));
    EXPECT_STREQ("", lines[2]);
    EXPECT_STREQ("Would you like to continue with this operation?", lines[3]);

    AppendResourceLines(lines, 4110); // the tab of the second line is kept
    ASSERT_EQ(6, lines.GetSize());
    EXPECT_STREQ("\t\\/:*?\"<>|", lines[5]);

    AppendResourceLines(lines, 1); // no such string
    EXPECT_EQ(6, lines.GetSize());
}

} // namespace
