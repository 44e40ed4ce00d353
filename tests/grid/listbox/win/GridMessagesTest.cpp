// The grid's message interface driven through its window: every message with in-range and
// out-of-range arguments, the WM_USER queries, the message filter and the editor it creates.
#include "GridTestOwner.h"
#include "grid/listbox/win/GridInternal.h"

#include <gtest/gtest.h>

namespace {

// An allocator that fails its failAt-th call (1-based) and remembers the blocks it handed out.
struct FailingAlloc
{
    static int calls;
    static int failAt;
    static std::vector<HGLOBAL> handed;
    static HGLOBAL WINAPI Alloc(UINT flags, SIZE_T bytes)
    {
        if (++calls == failAt)
            return nullptr;
        HGLOBAL block = ::GlobalAlloc(flags, bytes);
        handed.push_back(block);
        return block;
    }
    FailingAlloc(int at)
    {
        calls = 0;
        failAt = at;
        handed.clear();
        g_gridAlloc = Alloc;
    }
    ~FailingAlloc() { g_gridAlloc = ::GlobalAlloc; }
};
int FailingAlloc::calls;
int FailingAlloc::failAt;
std::vector<HGLOBAL> FailingAlloc::handed;

LRESULT Send(HWND grid, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return ::SendMessage(grid, message, wParam, lParam);
}

TEST(GridMessages, EveryMessageClampsOrIgnoresItsArguments)
{
    GridTestOwner owner;
    HWND grid = owner.CreateGrid(0, 10);
    ASSERT_NE(nullptr, grid);
    struct Row
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        LONG rows, current, top; // -2: not checked
    };
    const Row rows[] = {
        {GM_SETROWCOUNT, 0, 0, 0, 0, -1, -1},
        {GM_GETCURRENTROW, 0, 0, -1, 0, -1, -1},
        {GM_SETROWCOUNT, 0, 5, 5, 5, 0, 0},
        {GM_SETCURRENTROW, 0, 4, 4, 5, 4, 0},
        {GM_SETROWCOUNT, 0, 3, 3, 3, 2, 0},
        {GM_SETROWCOUNT, 0, -4, 3, 3, 2, 0},
        {GM_SETCURRENTROW, 0, 3, 2, 3, 2, 0},
        {GM_SETCURRENTROW, 0, 99, 2, 3, 2, 0},
        {GM_SETROWCOUNT, 0, 100, 100, 100, 2, 0},
        {GM_SETCURRENTROW, 0, 50, 50, 100, 50, 41},
        {GM_SETTOPROW, 0, -1, 100, 100, 50, 41},
        {GM_SETTOPROW, 0, 100, 41, 100, 50, 41},
        {GM_SETTOPROW, 0, 7, 7, 100, 50, 7},
        {GM_GETTOPROW, 0, 0, 7, 100, 50, 7},
        {GM_ADDROWS, 0, -200, 0, 0, -1, -1},
        {GM_ADDROWS, 0, 12, 12, 12, 0, 0},
        {GM_GETROWCOUNT, 0, 0, 12, 12, 0, 0},
        {GM_SETCOLUMNCOUNT, 500, 0, 200, -2, -2, -2},
        {GM_SETCOLUMNCOUNT, 4, 0, 4, -2, -2, -2},
        {GM_SETCOLUMNWIDTH, 1, 90, 90, -2, -2, -2},
        {GM_SETCOLUMNWIDTH, 1, 1024, 90, -2, -2, -2},
        {GM_SETCOLUMNWIDTH, 1, static_cast<LPARAM>(-1), 90, -2, -2, -2},
        {GM_SETCOLUMNWIDTH, 1, 1023, 1023, -2, -2, -2},
        {GM_SETCOLUMNWIDTH, 200, 50, -1, -2, -2, -2},
        {GM_GETCOLUMNWIDTH, 1, 0, 1023, -2, -2, -2},
        {GM_GETCOLUMNWIDTH, 3, 0, 180, -2, -2, -2},
        {GM_GETCOLUMNWIDTH, 5000, 0, -1, -2, -2, -2},
        {GM_SETCURRENTCOLUMN, 3, 0, 3, -2, -2, -2},
        {GM_SETCURRENTCOLUMN, 4, 0, 3, -2, -2, -2},
        {GM_GETCURRENTCOLUMN, 0, 0, 3, -2, -2, -2},
        {GM_SETCOLUMNCAPACITY, 2, 0, 2, -2, -2, -2},
        {GM_GETCOLUMNCOUNT, 0, 0, 2, -2, -2, -2},
        {GM_GETCURRENTCOLUMN, 0, 0, 1, -2, -2, -2},
        {GM_GETCOLUMNWIDTH, 1, 0, 180, -2, -2, -2},
        {GM_GETCOLUMNWIDTH, 2, 0, -1, -2, -2, -2},
        {GM_SETCOLUMNCAPACITY, 0, 0, 2, -2, -2, -2},
        {GM_SETCOLUMNCAPACITY, 32001, 0, 2, -2, -2, -2},
        {GM_SETCOLUMNCOUNT, 0, 0, 0, -2, -2, -2},
        {GM_GETCURRENTCOLUMN, 0, 0, -1, -2, -2, -2},
        {GM_SETGRIDPEN, 2, 0, -1, -2, -2, -2},
        {GM_SETSTRETCHLAST, 5, 0, 1, -2, -2, -2},
        {GM_SETUSERFLAG, 9, 0, 1, -2, -2, -2},
        {WM_USER, 105, 0, 1, -2, -2, -2},
        {555, 0, 0, 1, -2, -2, -2},
        {WM_USER, 104, 0, 1, -2, -2, -2},
        {WM_USER, 99, 0, 0, -2, -2, -2},
        {554, 0, 0, 0x454C4946, -2, -2, -2},
        {GM_SETCLEARMARGIN, 2, 0, 0, -2, -2, -2},
        {GM_SETMULTILINE, 1, 0, 1, -2, -2, -2},
        {GM_SETPROPORTIONALTHUMB, 0, 0, 1, -2, -2, -2},
        {GM_SETREDRAW, 0, 0, 1, -2, -2, -2},
        {GM_SETREDRAW, 1, 0, 0, -2, -2, -2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.message << " " << row.wParam << " " << row.lParam);
        EXPECT_EQ(row.result, Send(grid, row.message, row.wParam, row.lParam));
        if (row.rows != -2) {
            EXPECT_EQ(row.rows, Send(grid, GM_GETROWCOUNT));
            EXPECT_EQ(row.current, Send(grid, GM_GETCURRENTROW));
            EXPECT_EQ(row.top, Send(grid, GM_GETTOPROW));
        }
    }
}

TEST(GridMessages, StateBlockEditorAndFontQueries)
{
    GridTestOwner owner;
    HWND grid = owner.CreateGrid(0, 10);
    GridWndState* state = reinterpret_cast<GridWndState*>(Send(grid, WM_USER, 102));
    ASSERT_NE(nullptr, state);
    EXPECT_EQ(grid, state->self);
    EXPECT_EQ(120, state->controlId);
    EXPECT_EQ(owner.hWnd(), state->notifyWindow);
    EXPECT_EQ(200, state->columnCapacity);
    EXPECT_EQ(state->textHeight + 2, Send(grid, GM_GETROWHEIGHT));
    const LRESULT block = Send(grid, GM_GETNOTIFYBLOCK);
    EXPECT_EQ(block, Send(grid, WM_USER, 103));

    HWND editor = reinterpret_cast<HWND>(Send(grid, GM_GETEDITOR));
    ASSERT_NE(nullptr, editor);
    EXPECT_EQ(editor, reinterpret_cast<HWND>(Send(grid, GM_GETEDITOR2)));
    char name[32];
    ::GetClassName(editor, name, sizeof name);
    EXPECT_STREQ("KLX_Edit", name);
    EXPECT_EQ(123, ::GetDlgCtrlID(editor));
    EXPECT_FALSE(::IsWindowVisible(editor));
    EXPECT_EQ(1, Send(grid, GM_SETEDITTEXT, 0, reinterpret_cast<LPARAM>("abc")));
    char text[16] = {};
    EXPECT_EQ(1, Send(grid, GM_GETEDITTEXT, sizeof text, reinterpret_cast<LPARAM>(text)));
    EXPECT_STREQ("abc", text);

    HFONT font = static_cast<HFONT>(::GetStockObject(ANSI_FIXED_FONT));
    Send(grid, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    EXPECT_EQ(reinterpret_cast<LRESULT>(font), Send(grid, GM_GETFONT));
    TEXTMETRIC tm;
    HDC dc = reinterpret_cast<HDC>(Send(grid, GM_GETFONTDC));
    ::GetTextMetrics(dc, &tm);
    ::ReleaseDC(grid, dc);
    EXPECT_EQ(tm.tmAveCharWidth, Send(grid, GM_GETAVGCHARWIDTH));
    EXPECT_EQ(tm.tmHeight + 2, Send(grid, GM_GETROWHEIGHT));
    EXPECT_EQ(5 * tm.tmAveCharWidth, Send(grid, GM_GETTEXTWIDTH, 0, reinterpret_cast<LPARAM>("abcde")))
        << "a fixed-pitch font";
    Send(grid, GM_SETCOLUMNCOUNT, 3);
    EXPECT_EQ(10 * tm.tmAveCharWidth, Send(grid, GM_SETCOLUMNWIDTHCHARS, 2, 10));
    EXPECT_EQ(10 * tm.tmAveCharWidth, Send(grid, GM_SETCOLUMNWIDTHCHARS, 2, 200)) << "past capacity - 1";
    EXPECT_EQ(-1, Send(grid, GM_SETCOLUMNWIDTHCHARS, 200, 3));
    EXPECT_EQ(5, Send(grid, GM_SETROWSPACING, 5));
    EXPECT_EQ(tm.tmHeight + 5, Send(grid, GM_GETROWHEIGHT));
    EXPECT_EQ(17, Send(grid, GM_SETROWHEIGHT, 17));
    EXPECT_EQ(17, Send(grid, GM_GETROWHEIGHT));
}

TEST(GridMessages, AFilteringOwnerRewritesTheIncomingMessage)
{
    GridTestOwner owner;
    HWND grid = owner.CreateGrid(0, 10);
    Send(grid, GM_SETCOLUMNCOUNT, 7);
    Send(grid, GM_SETROWCOUNT, 0, 30);
    owner.answer = [](GridWndNotify& b, LONG code, HWND) {
        if (code == GN_MESSAGE && b.code == GM_GETROWCOUNT)
            b.code = GM_GETCOLUMNCOUNT;
        if (code == GN_MESSAGE && b.code == GM_SETCURRENTROW)
            b.extra = 12;
    };
    EXPECT_EQ(1, Send(grid, GM_SETMESSAGEFILTER, 1));
    owner.Clear();
    EXPECT_EQ(7, Send(grid, GM_GETROWCOUNT));
    ASSERT_EQ(1u, owner.Of(GN_MESSAGE).size());
    EXPECT_EQ(static_cast<LONG>(GM_GETROWCOUNT), owner.Of(GN_MESSAGE)[0].block.code);
    EXPECT_EQ(12, Send(grid, GM_SETCURRENTROW, 0, 3)) << "the owner's lParam is the one handled";
    Send(grid, GM_SETMESSAGEFILTER, 0);
    EXPECT_EQ(30, Send(grid, GM_GETROWCOUNT));
}

TEST(GridMessages, AWindowWhoseStateCannotBeAllocatedIsNotCreated)
{
    GridTestOwner owner;
    struct Row
    {
        const char* what;
        const char* className;
        DWORD style;
        int failAt; // which allocation of the creation fails
    };
    const Row rows[] = {
        {"grid state", kGridClassName, 0, 1},        {"grid width array", kGridClassName, 0, 2},
        {"the grid's editor", kGridClassName, 0, 3}, {"heading state", kGridClassName, GS_HEADING, 1},
        {"editor state", kGridEditClassName, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        {
            FailingAlloc failing(row.failAt);
            HWND wnd = ::CreateWindowEx(0, row.className, "", WS_CHILD | WS_VISIBLE | row.style, 0, 0, 200,
                                        100, owner.hWnd(), reinterpret_cast<HMENU>(120),
                                        ::GetModuleHandle(nullptr), nullptr);
            EXPECT_EQ(nullptr, wnd);
            EXPECT_EQ(row.failAt, FailingAlloc::calls) << "no allocation after the failed one";
            for (HGLOBAL block : FailingAlloc::handed)
                EXPECT_EQ(0u, ::GlobalSize(block)) << "a block of the failed creation is still held";
        }
        EXPECT_EQ(nullptr, ::GetWindow(owner.hWnd(), GW_CHILD)) << "no half-made window left";
        HWND again =
            ::CreateWindowEx(0, row.className, "", WS_CHILD | row.style, 0, 0, 200, 100, owner.hWnd(),
                             reinterpret_cast<HMENU>(120), ::GetModuleHandle(nullptr), nullptr);
        EXPECT_NE(nullptr, again) << "the class still creates windows";
        ::DestroyWindow(again);
    }

    HWND grid = owner.CreateGrid(0, 10);
    ASSERT_NE(nullptr, grid);
    Send(grid, GM_SETCOLUMNCOUNT, 4);
    Send(grid, GM_SETCOLUMNWIDTH, 3, 77);
    {
        FailingAlloc failing(1);
        EXPECT_EQ(200, Send(grid, GM_SETCOLUMNCAPACITY, 10)) << "a refused capacity keeps the old array";
    }
    EXPECT_EQ(4, Send(grid, GM_GETCOLUMNCOUNT));
    EXPECT_EQ(77, Send(grid, GM_GETCOLUMNWIDTH, 3));
}

} // namespace
