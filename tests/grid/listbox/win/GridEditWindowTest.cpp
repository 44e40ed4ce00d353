// The masked editor window the grid creates, driven by WM_CHAR and WM_KEYDOWN and read back with
// WM_GETTEXT; its exit keys, focus and text changes reach the grid's owner as GN_EDIT* notifications.
#include "GridTestOwner.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>

namespace {

struct EditFixture
{
    GridTestOwner owner;
    HWND grid;
    HWND editor;
    EditFixture()
    {
        grid = owner.CreateGrid(0, 10);
        ::SendMessage(grid, GM_SETCOLUMNCOUNT, 3, 0);
        ::SendMessage(grid, GM_SETROWCOUNT, 0, 20);
        editor = reinterpret_cast<HWND>(::SendMessage(grid, GM_GETEDITOR, 0, 0));
        GridWndState* s = reinterpret_cast<GridWndState*>(::SendMessage(grid, WM_USER, 102, 0));
        s->editRow = 4; // the owner's record of the cell being edited
        s->editColumn = 2;
        ::MoveWindow(editor, 101, 4 * 18, 120, 18, TRUE);
        ::ShowWindow(editor, SW_SHOW);
    }
    std::string Text() const
    {
        char text[300] = {};
        ::SendMessage(editor, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void SetMask(const char* mask) { ASSERT_EQ(1, ::SendMessage(editor, GEM_SETMASK, 0, reinterpret_cast<LPARAM>(mask))); }
    // Characters arrive as WM_CHAR; \x01 Delete, \x02 Home, \x03 End, \x04 Left, \x05 Right as WM_KEYDOWN.
    void Keys(const std::string& keys)
    {
        const WPARAM virtualKeys[] = {0, VK_DELETE, VK_HOME, VK_END, VK_LEFT, VK_RIGHT};
        for (unsigned char c : keys) {
            if (c >= 1 && c <= 5)
                ::PostMessage(editor, WM_KEYDOWN, virtualKeys[c], 0);
            else
                ::PostMessage(editor, WM_CHAR, c, 0);
        }
        PumpMessages();
    }
};

void PutOnClipboard(HWND owner, const std::string& text)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
}

std::string ClipboardText(HWND owner)
{
    std::string text;
    if (!::OpenClipboard(owner))
        return "(no clipboard)";
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

TEST(GridEditWindow, TheMaskAcceptsAndRefusesTypedCharacters)
{
    struct Case
    {
        const char* mask;
        const char* start;
        std::string keys;
        const char* want;
    };
    const Case cases[] = {
        {"NN/NN/NNNN", "", "12252003", "12/25/2003"},
        {"LLL", "", "abc", "ABC"},
        {"LLL", "", "a7", "A"},
        {"A", "", "q", "Q"}, {"A", "", "7", "7"}, {"A", "", "!", "!"}, {"A", "", " ", " "},
        {"a", "", "q", "q"}, {"a", "", "!", "!"},
        {"B", "", "q", "Q"}, {"B", "", "7", "7"}, {"B", "", "!", ""}, {"B", "", " ", ""},
        {"b", "", "q", "q"}, {"b", "", "!", ""},
        {"L", "", "q", "Q"}, {"L", "", "7", ""}, {"L", "", " ", ""},
        {"l", "", "q", "q"}, {"l", "", "7", ""},
        {"N", "", "7", "7"}, {"N", "", ".", "."}, {"N", "", "q", ""}, {"N", "", " ", ""},
        {"n", "", "7", "7"}, {"n", "", ".", ""},
        {"aaaa", "AB", "X", "XAB"},
        {"aaaa", "abcd", "X", "Xabc"},
        {"aaaNNN", "abc123", "\x05\x01", "ac 123"},
        {"aaaa", "abcd", "\x03\b\b", "ab"},
        {"NN/NN", "12/3", "\x03\x04\b", "1 /3"},
        {"NN/NN", "12/34", "\x05\x05\x01", "12/4"},
        {"aaaaaa", "abcdef", "\x05\x05\x01\x01", "abef"},
    };
    for (const Case& c : cases) {
        EditFixture f;
        f.SetMask(c.mask);
        ::SendMessage(f.editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.start));
        f.Keys(c.keys);
        EXPECT_EQ(c.want, f.Text()) << c.mask << " '" << c.start << "'";
    }
}

TEST(GridEditWindow, ExitKeysEndEditingWithTheirCodes)
{
    EditFixture f;
    struct Case
    {
        WPARAM key;
        bool shift;
        LONG code; // 0: no exit
    };
    const Case cases[] = {
        {VK_RETURN, false, 1}, {VK_TAB, false, 2}, {VK_TAB, true, 3}, {VK_UP, false, 4},  {VK_DOWN, false, 5},
        {VK_PRIOR, false, 6},  {VK_NEXT, false, 7}, {VK_ESCAPE, false, 8}, {VK_F1, false, 11}, {VK_F2, false, 12},
        {VK_F3, false, 13},    {VK_F4, false, 14}, {VK_F5, false, 15}, {VK_F6, false, 16}, {VK_F7, false, 17},
        {VK_F8, false, 18},    {VK_F9, false, 19}, {VK_F10, false, 0}, {VK_LEFT, false, 0},
    };
    for (const Case& c : cases) {
        f.owner.Clear();
        HoldKey(VK_SHIFT, c.shift);
        ::PostMessage(f.editor, WM_KEYDOWN, c.key, 0);
        PumpMessages();
        HoldKey(VK_SHIFT, false);
        const std::vector<GridNotice> ends = f.owner.Of(GN_EDITKEY);
        SCOPED_TRACE(testing::Message() << "key " << c.key << (c.shift ? " with Shift" : ""));
        if (c.code == 0) {
            EXPECT_TRUE(ends.empty());
            continue;
        }
        ASSERT_EQ(1u, ends.size());
        EXPECT_EQ(c.code, ends[0].block.value);
        EXPECT_EQ(c.code, ::SendMessage(f.editor, GEM_GETEXITKEY, 0, 0));
        EXPECT_EQ(4, ends[0].block.row);
        EXPECT_EQ(2, ends[0].block.column);
        EXPECT_EQ(120, ends[0].id) << "the grid reports it";
    }
}

TEST(GridEditWindow, FocusAndChangesReachTheOwner)
{
    EditFixture f;
    ::SetFocus(f.grid);
    PumpMessages();
    f.owner.Clear();
    ::SetFocus(f.editor);
    PumpMessages();
    EXPECT_EQ(1u, f.owner.Of(GN_EDITBEGIN).size());
    EXPECT_TRUE(f.owner.Of(GN_KILLFOCUS).empty()) << "the focus went to the grid's child";
    f.owner.Clear();
    f.Keys("hi");
    EXPECT_EQ(2u, f.owner.Of(GN_EDITCHANGE).size());
    f.owner.Clear();
    f.Keys("\x02\x01\x01\x01");
    EXPECT_EQ(2u, f.owner.Of(GN_EDITCHANGE).size()) << "Home changes nothing, two deletions do, a third past the end does not";
    f.Keys("hi");
    f.owner.Clear();
    ::SetFocus(f.grid);
    PumpMessages();
    ASSERT_EQ(1u, f.owner.Of(GN_EDITEND).size());
    EXPECT_STREQ("hi", f.owner.Of(GN_EDITEND)[0].block.textBuffer);
    EXPECT_EQ(4, f.owner.Of(GN_EDITEND)[0].block.row);
    EXPECT_FALSE(::IsWindowVisible(f.editor)) << "the grid hides the editor";
    EXPECT_TRUE(f.owner.Of(GN_SETFOCUS).empty()) << "the focus came from the grid's child";
}

TEST(GridEditWindow, SettingMaskTextAndPrompt)
{
    EditFixture f;
    ::SendMessage(f.editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12252003"));
    EXPECT_EQ("12252003", f.Text());
    f.SetMask("NN/NN/NNNN");
    EXPECT_EQ("12/25/2003", f.Text()) << "the text entered again through the new mask";
    char mask[8];
    EXPECT_EQ(0, ::SendMessage(f.editor, GEM_GETMASK, sizeof mask, reinterpret_cast<LPARAM>(mask)));
    char small[10];
    EXPECT_EQ(0, ::SendMessage(f.editor, WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)))
        << "a buffer without room for the terminator";

    const std::string text(300, 'x');
    f.SetMask("aaaaa");
    EXPECT_EQ(1, ::SendMessage(f.editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())));
    EXPECT_EQ("xxxxx", f.Text()) << "cut to the mask";
    EXPECT_EQ(300u, text.size()) << "the caller's string is left as it was";
    EXPECT_EQ(0, ::SendMessage(f.editor, GEM_SETMASK, 0, reinterpret_cast<LPARAM>(text.c_str())));
    EXPECT_EQ(0, ::SendMessage(f.editor, GEM_SETPROMPT, 0, reinterpret_cast<LPARAM>(text.c_str())));
    EXPECT_EQ(1, ::SendMessage(f.editor, GEM_SETPROMPT, 0, reinterpret_cast<LPARAM>("_____")));
    char prompt[8] = {};
    EXPECT_EQ(1, ::SendMessage(f.editor, GEM_GETPROMPT, sizeof prompt, reinterpret_cast<LPARAM>(prompt)));
    EXPECT_STREQ("_____", prompt);
}

TEST(GridEditWindow, ClipboardCopiesThePromptAndPastesAtMost99Characters)
{
    EditFixture f;
    f.SetMask("aaaaaa");
    ::SendMessage(f.editor, GEM_SETPROMPT, 0, reinterpret_cast<LPARAM>("______"));
    ::SendMessage(f.editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab de"));
    HoldKey(VK_SHIFT, true);
    f.Keys("\x03");
    HoldKey(VK_SHIFT, false);
    HoldKey(VK_CONTROL, true);
    ::PostMessage(f.editor, WM_KEYDOWN, VK_INSERT, 0);
    PumpMessages();
    HoldKey(VK_CONTROL, false);
    EXPECT_EQ("ab_de", ClipboardText(f.owner.hWnd()));

    struct Case
    {
        size_t maskLength, want;
    };
    const Case cases[] = {{200, 99}, {50, 50}};
    for (const Case& c : cases) {
        f.SetMask(std::string(c.maskLength, 'a').c_str());
        ::SendMessage(f.editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        PutOnClipboard(f.owner.hWnd(), std::string(150, 'p'));
        HoldKey(VK_SHIFT, true);
        ::PostMessage(f.editor, WM_KEYDOWN, VK_INSERT, 0);
        PumpMessages();
        HoldKey(VK_SHIFT, false);
        EXPECT_EQ(std::string(c.want, 'p'), f.Text()) << "mask of " << c.maskLength;
        EXPECT_EQ(std::string(150, 'p'), ClipboardText(f.owner.hWnd())) << "the clipboard is left unchanged";
    }
}

TEST(GridEditWindow, AClickWithoutAFontPlacesTheCaretWithoutDividingByZero)
{
    EditFixture f;
    ::SendMessage(f.editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abcdef"));
    ::PostMessage(f.editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 5));
    ::PostMessage(f.editor, WM_LBUTTONUP, 0, MAKELPARAM(400, 5));
    f.Keys("Z");
    EXPECT_EQ("abcdefZ", f.Text()) << "a click right of the text puts the caret at its end";
    ::PostMessage(f.editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 5));
    ::PostMessage(f.editor, WM_LBUTTONUP, 0, MAKELPARAM(0, 5));
    f.Keys("Y");
    EXPECT_EQ("YabcdefZ", f.Text());
}

} // namespace
