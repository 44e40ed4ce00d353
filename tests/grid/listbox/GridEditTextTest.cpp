// The masked editor's text operations without a window: what each mask position accepts, insertion and
// deletion within runs, literals, paste, re-entering through a new mask, hit tests and copies.
#include "grid/listbox/GridEditText.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>

namespace {

GridEditText Editor(const char* mask, const char* text = "")
{
    GridEditText e;
    GridEditInit(e);
    EXPECT_TRUE(GridEditSetMask(e, mask));
    GridEditSetText(e, text);
    return e;
}

void Type(GridEditText& e, const std::string& keys, GridEditClipboard clipboard = {})
{
    for (unsigned char c : keys)
        GridEditTypeChar(e, c, false, clipboard);
}

TEST(GridEditMask, EachMaskCharacterAcceptsItsClass)
{
    struct Case
    {
        char mask;
        int letter, digit, punctuation, blank; // stored for 'q', '7', '!', ' '
    };
    const Case cases[] = {
        {'A', 'Q', '7', '!', ' '}, {'a', 'q', '7', '!', ' '}, {'B', 'Q', '7', 0, 0}, {'b', 'q', '7', 0, 0},
        {'L', 'Q', 0, 0, 0},       {'l', 'q', 0, 0, 0},       {'N', 0, '7', 0, 0},   {'n', 0, '7', 0, 0},
        {'/', 255, 255, 255, 255}, {'-', 255, 255, 255, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(c.letter, GridEditCheckMaskChar(c.mask, 'q'));
        EXPECT_EQ(c.digit, GridEditCheckMaskChar(c.mask, '7'));
        EXPECT_EQ(c.punctuation, GridEditCheckMaskChar(c.mask, '!'));
        EXPECT_EQ(c.blank, GridEditCheckMaskChar(c.mask, ' '));
    }
    EXPECT_EQ('.', GridEditCheckMaskChar('N', '.'));
    EXPECT_EQ(0, GridEditCheckMaskChar('n', '.'));
    EXPECT_EQ(0xC9, GridEditCheckMaskChar('L', static_cast<char>(0xE9))) << "accented letters upper-cased";
}

TEST(GridEditMask, TypingFillsLiteralsAndRefusesWhatTheMaskRefuses)
{
    struct Case
    {
        const char* mask;
        const char* keys;
        const char* text;
        LONG caret;
    };
    const Case cases[] = {
        {"NN/NN/NNNN", "12252003", "12/25/2003", 10},
        {"LLL", "abc", "ABC", 3},
        {"LLL", "a1b", "AB", 2},
        {"LLL", "abcd", "ABC", 3},
        {"(nnn) nnn-nnnn", "5551234567", "(555) 123-4567", 14},
        {"BBbb", "a-b!cd", "ABcd", 4},
        {"nn", "x", "", 0},
        {"aaaaaaaaaa", "\x01\x7F", "", 0},
    };
    for (const Case& c : cases) {
        GridEditText e = Editor(c.mask);
        Type(e, c.keys);
        EXPECT_STREQ(c.text, e.text) << c.mask << " <- " << c.keys;
        EXPECT_EQ(c.caret, e.caret) << c.mask;
    }
}

TEST(GridEditMask, InsertionAndDeletionStayWithinTheRun)
{
    struct Case
    {
        const char* mask;
        const char* text;
        LONG caret;
        int key; // a character, 8 Backspace or -46 delete
        const char* want;
        LONG wantCaret;
    };
    const Case cases[] = {
        {"aaaa", "AB", 0, 'X', "XAB", 1},
        {"aaaa", "abcd", 0, 'X', "Xabc", 1},
        {"aaaNNN", "abc123", 0, 'X', "Xab123", 1},
        {"aaaNNN", "abc123", 1, GRID_EDIT_DELETE, "ac 123", 1},
        {"aaaa", "abcd", 1, GRID_EDIT_DELETE, "acd", 1},
        {"aaaa", "abcd", 4, GRID_EDIT_DELETE, "abcd", 4},
        {"aaaa", "abcd", 2, 8, "acd", 1},
        {"aaaa", "abcd", 0, 8, "abcd", 0},
        {"NN/NN", "12/3", 3, 8, "1 /3", 1},
        {"NN/NN", "12/34", 2, GRID_EDIT_DELETE, "12/4", 3},
        {"/NN", "/12", 1, 8, "/12", 0},
    };
    for (const Case& c : cases) {
        GridEditText e = Editor(c.mask, c.text);
        ASSERT_STREQ(c.text, e.text) << c.mask;
        e.caret = c.caret;
        GridEditTypeChar(e, c.key, false, {});
        EXPECT_STREQ(c.want, e.text) << c.mask << " '" << c.text << "' at " << c.caret << " key " << c.key;
        EXPECT_EQ(c.wantCaret, e.caret) << c.mask << " '" << c.text << "' at " << c.caret << " key " << c.key;
        EXPECT_EQ(strcmp(c.want, c.text) != 0, e.changed != 0);
    }
}

TEST(GridEditMask, SelectionsAreDeletedCutAndReplaced)
{
    std::string clipboard;
    GridEditClipboard board = {[&] { return clipboard; }, [&](const std::string& t) { clipboard = t; }};
    GridEditText e = Editor("aaaaaa", "abcdef");
    e.selStart = 1;
    e.selEnd = 4;
    GridEditTypeChar(e, GRID_EDIT_DELETE, true, board);
    EXPECT_EQ("bcd", clipboard) << "Shift+Delete cuts";
    EXPECT_STREQ("aef", e.text);
    EXPECT_EQ(1, e.caret);
    EXPECT_FALSE(GridEditHasSelection(e));

    e.selStart = 0;
    e.selEnd = 2;
    GridEditTypeChar(e, 'Z', false, board);
    EXPECT_STREQ("Zf", e.text);

    clipboard = "12345";
    e.selStart = 0;
    e.selEnd = 2;
    GridEditTypeChar(e, GRID_EDIT_PASTE, false, board);
    EXPECT_STREQ("12345", e.text);
    EXPECT_TRUE(e.changed);
}

TEST(GridEditMask, PastesUseAtMost99CharactersAndTheMaskLength)
{
    const std::string text(150, 'x');
    GridEditClipboard board = {[&] { return text; }, nullptr};
    GridEditText wide = Editor(std::string(200, 'a').c_str());
    GridEditTypeChar(wide, GRID_EDIT_PASTE, false, board);
    EXPECT_EQ(99, GridEditLength(wide));
    GridEditText narrow = Editor("aaaaaaaa");
    GridEditTypeChar(narrow, GRID_EDIT_PASTE, false, board);
    EXPECT_EQ(8, GridEditLength(narrow));
    GridEditText digits = Editor("NN/NN");
    GridEditTypeChar(digits, GRID_EDIT_PASTE, false, {[] { return std::string("1x2y34"); }, nullptr});
    EXPECT_STREQ("12/3", digits.text) << "refused characters dropped; only the first maskLength are typed";
}

TEST(GridEditMask, SettingTextMaskAndPrompt)
{
    GridEditText e = Editor("aaa", "abcdef");
    EXPECT_STREQ("abc", e.text) << "cut to the mask's length";
    EXPECT_EQ(0, e.caret);

    GridEditText d = Editor(std::string(10, 'a').c_str(), "12252003");
    d.caret = 8;
    ASSERT_TRUE(GridEditSetMask(d, "NN/NN/NNNN"));
    EXPECT_STREQ("12/25/2003", d.text);
    EXPECT_EQ(8, d.caret);
    ASSERT_TRUE(GridEditSetMask(d, "LLL"));
    EXPECT_STREQ("", d.text) << "digits refused by letters";
    EXPECT_EQ(0, d.caret);

    const std::string tooLong(257, 'a');
    EXPECT_FALSE(GridEditSetMask(d, tooLong.c_str()));
    EXPECT_STREQ("LLL", d.mask);
    EXPECT_FALSE(GridEditSetPrompt(d, tooLong.c_str()));
    EXPECT_TRUE(GridEditSetMask(d, std::string(256, 'a').c_str()));
    EXPECT_EQ(256, d.maskLength);
}

TEST(GridEditMask, CopiesShowThePromptForBlanks)
{
    GridEditText e = Editor("aaaaaa", "ab de");
    ASSERT_TRUE(GridEditSetPrompt(e, "______"));
    e.selStart = 0;
    e.selEnd = 5;
    EXPECT_EQ("ab_de", GridEditCopyText(e));
    e.prompt[0] = '\0';
    EXPECT_EQ("ab de", GridEditCopyText(e));
    e.selStart = e.selEnd = -1;
    EXPECT_EQ("", GridEditCopyText(e));
}

TEST(GridEditMask, HitTestsChooseTheNearerBoundary)
{
    GridEditText e = Editor("aaaaaaaaaa", "abcdef");
    auto width = [](LONG n) { return n * 8; };
    struct Case
    {
        LONG x, want;
    };
    const Case cases[] = {{0, 0}, {5, 0}, {6, 1}, {12, 1}, {13, 1}, {14, 2}, {40, 5}, {200, 6}, {-3, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(c.want, GridEditHitTest(e, c.x, 1, 8, width)) << "x " << c.x;
    EXPECT_EQ(6, GridEditHitTest(e, 200, 1, 0, width)) << "no average width: no division by zero";
}

} // namespace
