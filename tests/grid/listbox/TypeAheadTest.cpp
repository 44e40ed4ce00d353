// The window-free type-ahead (what each key value does, which row a typed text selects in a list's
// collation) and the remembered column widths as the profile keeps them.
#include "TermListFixture.h"

#include "grid/listbox/ColumnWidthsSetting.h"
#include "grid/listbox/TypeAhead.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(TypeAhead, KeyValuesAreWholeValuesNeverCharactersTakenForNamedKeys)
{
    const struct
    {
        LONG value;
        TypeAheadKey expected;
    } cases[] = {
        {-36, typeAheadHome},
        {-35, typeAheadEnd},
        {-27, typeAheadIgnored},
        {-13, typeAheadIgnored},
        {'a', typeAheadAppend},
        {'Z', typeAheadAppend},
        {'0', typeAheadAppend},
        {'9', typeAheadAppend},
        {' ', typeAheadIgnored},
        {'-', typeAheadIgnored},
        {'@', typeAheadIgnored},
        {'[', typeAheadIgnored},
        {0xDC, typeAheadIgnored},
        {0xDD, typeAheadIgnored},
        {0xE5, typeAheadIgnored},
        {0xC9, typeAheadIgnored},
        {0x100 + 'a', typeAheadIgnored},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ClassifyTypeAheadKey(c.value)) << c.value;
}

TEST(TypeAhead, TypedTextSelectsTheFirstKeyAtOrAfterItInTheListsCollation)
{
    TermListFixture list;
    for (const char* term : {"Adams", "\xC9mile", "Eliot", "Small", "Smith", "Smyth", "The Times", "Zola"})
        ASSERT_TRUE(list.Add(term)) << term;
    const std::vector<std::string> terms = list.Terms();
    auto rowOf = [&](const char* term) {
        return static_cast<LONG>(std::find(terms.begin(), terms.end(), term) - terms.begin());
    };
    const LONG rows = static_cast<LONG>(terms.size());
    const struct
    {
        const char* typed;
        LONG row;
    } cases[] = {
        {"smi", rowOf("Smith")},
        {"SMI", rowOf("Smith")},
        {"sm", rowOf("Small")},
        {"smz", rowOf("The Times")},
        {"emi", rowOf("\xC9mile")},
        {"times", rowOf("The Times")},
        {"a", 0},
        {"", 0},
        {"zz", rows - 1},
        {"zzzz9", rows - 1},
    };
    BTreeCursor cursor(&list.Tree());
    for (const auto& c : cases)
        EXPECT_EQ(c.row, TypeAheadRow(cursor, c.typed, rows)) << c.typed;
    TermListFixture empty;
    BTreeCursor none(&empty.Tree());
    EXPECT_EQ(-1, TypeAheadRow(none, "a", 0));
}

TEST(ColumnWidthsSetting, TwoNumbersWithACommaOrTheWidthsStay)
{
    const struct
    {
        const char* text;
        bool parsed;
        LONG first, second;
    } cases[] = {
        {nullptr, false, 1, 2},
        {"", false, 1, 2},
        {"12", false, 1, 2},
        {"a,b", false, 1, 2},
        {"300,90", true, 300, 90},
        {" 300, 90", true, 300, 90},
        {"300 ,90", false, 1, 2},
        {"300,90,7", true, 300, 90},
        {"300,90px", true, 300, 90},
        {"-5,+7", true, -5, 7},
        {"12,", false, 1, 2},
        {",12", false, 1, 2},
        {"2147483647,-2147483648", true, 2147483647, -2147483647 - 1},
        {"2147483648,1", false, 1, 2},
        {"1,99999999999999999999", false, 1, 2},
    };
    for (const auto& c : cases) {
        LONG first = 1, second = 2;
        EXPECT_EQ(c.parsed, ParseColumnWidths(c.text, first, second)) << (c.text ? c.text : "(none)");
        EXPECT_EQ(c.first, first) << (c.text ? c.text : "(none)");
        EXPECT_EQ(c.second, second) << (c.text ? c.text : "(none)");
    }
    LONG a = 0, b = 0;
    ASSERT_TRUE(ParseColumnWidths(FormatColumnWidths(375, 174), a, b));
    EXPECT_EQ("375,174", std::string(FormatColumnWidths(375, 174)));
    EXPECT_EQ(375, a);
    EXPECT_EQ(174, b);
}

} // namespace
