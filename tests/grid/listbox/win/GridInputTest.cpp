// Keys, the mouse, scrolling, row dragging and dropped files, by posted messages as the user's input
// arrives.
#include "GridTestOwner.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <string.h>

#include <algorithm>

namespace {

struct InputFixture
{
    GridTestOwner owner;
    HWND grid;
    LONG rowHeight;
    InputFixture(int visible, LONG rows, DWORD style = 0)
    {
        grid = owner.CreateGrid(style, visible);
        rowHeight = static_cast<LONG>(::SendMessage(grid, GM_GETROWHEIGHT, 0, 0));
        const LONG widths[] = {100, 120, 140};
        GridSetup(grid, nullptr, nullptr, rows, 3, widths, 2, FALSE);
        ::UpdateWindow(grid);
        owner.Clear();
    }
    GridWndState& State() { return *reinterpret_cast<GridWndState*>(::SendMessage(grid, WM_USER, 102, 0)); }
    void Post(UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        ::PostMessage(grid, message, wParam, lParam);
        PumpMessages();
    }
    LPARAM At(int column, LONG row, int dy = 3) const
    {
        const int x[] = {50, 150, 300, 500};
        return MAKELPARAM(x[column], row * rowHeight + dy);
    }
};

struct Sent
{
    LONG code, value;
};

TEST(GridInput, KeysAndScrollBarsMoveByLinePageAndThumb)
{
    struct Case
    {
        LONG rows, visible, top, current;
        UINT message;
        WPARAM wParam;
        LONG wantTop, wantCurrent;
        std::vector<Sent> sent; // past-the-end notifications
    };
    const Case cases[] = {
        {100, 10, 0, 0, WM_KEYDOWN, VK_DOWN, 0, 1, {}},
        {100, 10, 0, 0, WM_KEYDOWN, VK_UP, 0, 0, {{GN_BEFOREFIRSTROW, 1}}},
        {100, 10, 0, 3, WM_KEYDOWN, VK_NEXT, 4, 13, {}},
        {100, 10, 90, 95, WM_KEYDOWN, VK_NEXT, 90, 99, {{GN_PASTLASTROW, 6}}},
        {100, 10, 20, 25, WM_KEYDOWN, VK_PRIOR, 15, 15, {}},
        {100, 10, 0, 4, WM_KEYDOWN, VK_PRIOR, 0, 0, {{GN_BEFOREFIRSTROW, 6}}},
        {100, 10, 0, 0, WM_VSCROLL, SB_PAGEDOWN, 10, 0, {}},
        {100, 10, 85, 85, WM_VSCROLL, SB_PAGEDOWN, 90, 85, {{GN_PASTLASTROW, 5}}},
        {100, 10, 90, 95, WM_VSCROLL, SB_LINEDOWN, 90, 95, {{GN_PASTLASTROW, 1}}},
        {100, 10, 0, 0, WM_VSCROLL, SB_LINEUP, 0, 0, {{GN_BEFOREFIRSTROW, 1}}},
        {1000, 40, 0, 0, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 99), 960, 0, {}},
        {1000, 40, 0, 0, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 484, 0, {}},
        {80, 40, 0, 0, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 17), 17, 0, {}},
        {80, 40, 0, 0, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 17), 0, 0, {}},
    };
    for (const Case& c : cases) {
        InputFixture f(c.visible, c.rows);
        ::SendMessage(f.grid, GM_SETTOPROW, 0, c.top);
        ::SendMessage(f.grid, GM_SETCURRENTROW, 0, c.current);
        ::UpdateWindow(f.grid);
        f.owner.Clear();
        f.Post(c.message, c.wParam);
        SCOPED_TRACE(testing::Message() << c.rows << "/" << c.visible << " top " << c.top << " current " << c.current
                                        << " message " << c.message << " " << LOWORD(c.wParam));
        EXPECT_EQ(c.wantTop, f.State().topRow);
        EXPECT_EQ(c.wantCurrent, f.State().currentRow);
        std::vector<GridNotice> ends = f.owner.Of(GN_PASTLASTROW);
        for (const GridNotice& n : f.owner.Of(GN_BEFOREFIRSTROW))
            ends.push_back(n);
        ASSERT_EQ(c.sent.size(), ends.size());
        for (size_t i = 0; i < ends.size(); ++i) {
            EXPECT_EQ(c.sent[i].code, ends[i].code);
            EXPECT_EQ(c.sent[i].value, ends[i].block.value);
            EXPECT_EQ(c.rows, ends[i].block.extra);
        }
    }
}

TEST(GridInput, TheThumbStaysUsableForAnyRowCount)
{
    struct Case
    {
        LONG rows, visible, top;
        WPARAM proportional;
        int minimum, maximum, position;
    };
    const Case cases[] = {
        {1000, 40, 960, 1, 0, 99, 99}, {1000, 40, 0, 1, 0, 99, 0}, {80, 40, 23, 1, 0, 40, 23},
        {80, 40, 0, 0, 0, 2, 0},       {80, 40, 23, 0, 0, 2, 1},   {80, 40, 40, 0, 0, 2, 2},
    };
    for (const Case& c : cases) {
        InputFixture f(c.visible, c.rows, WS_VSCROLL);
        ::SendMessage(f.grid, GM_SETPROPORTIONALTHUMB, c.proportional, 0);
        ::SendMessage(f.grid, GM_SETTOPROW, 0, c.top);
        int minimum = -1, maximum = -1;
        ::GetScrollRange(f.grid, SB_VERT, &minimum, &maximum);
        SCOPED_TRACE(testing::Message() << c.rows << " rows, top " << c.top << ", proportional " << c.proportional);
        EXPECT_EQ(c.minimum, minimum);
        EXPECT_EQ(c.maximum, maximum);
        EXPECT_EQ(c.position, ::GetScrollPos(f.grid, SB_VERT));
    }
}

TEST(GridInput, KeyDownComesFirstAndNamedKeysCharactersAndEnterAreReported)
{
    InputFixture f(10, 30);
    struct Case
    {
        UINT message;
        WPARAM key;
        std::vector<LONG> codes;
        LONG value; // of the last notification
    };
    const Case cases[] = {
        {WM_KEYDOWN, VK_BACK, {GN_KEYDOWN, GN_KEY}, -VK_BACK},
        {WM_KEYDOWN, VK_TAB, {GN_KEYDOWN, GN_KEY}, -VK_TAB},
        {WM_KEYDOWN, VK_ESCAPE, {GN_KEYDOWN, GN_KEY}, -VK_ESCAPE},
        {WM_KEYDOWN, VK_END, {GN_KEYDOWN, GN_KEY}, -VK_END},
        {WM_KEYDOWN, VK_HOME, {GN_KEYDOWN, GN_KEY}, -VK_HOME},
        {WM_KEYDOWN, VK_INSERT, {GN_KEYDOWN, GN_KEY}, -VK_INSERT},
        {WM_KEYDOWN, VK_DELETE, {GN_KEYDOWN, GN_KEY}, -VK_DELETE},
        {WM_KEYDOWN, VK_F1, {GN_KEYDOWN, GN_KEY}, -VK_F1},
        {WM_KEYDOWN, VK_F10, {GN_KEYDOWN, GN_KEY}, -VK_F10},
        {WM_KEYDOWN, VK_F11, {GN_KEYDOWN}, VK_F11},
        {WM_KEYDOWN, VK_LEFT, {GN_KEYDOWN}, VK_LEFT},
        {WM_KEYDOWN, VK_RETURN, {GN_KEYDOWN, GN_ENTER}, 0},
        {WM_CHAR, 'a', {GN_KEY}, 'a'},
        {WM_CHAR, 'Z', {GN_KEY}, 'Z'},
        {WM_CHAR, '7', {GN_KEY}, '7'},
        {WM_CHAR, ' ', {GN_KEY}, ' '},
        {WM_CHAR, '!', {}, 0},
        {WM_CHAR, '\r', {}, 0},
    };
    for (const Case& c : cases) {
        f.owner.Clear();
        f.Post(c.message, c.key, 0x001C0001);
        SCOPED_TRACE(testing::Message() << c.message << " " << c.key);
        EXPECT_EQ(c.codes, f.owner.Codes());
        if (c.codes.empty())
            continue;
        EXPECT_EQ(c.value, f.owner.notices.back().block.value);
        if (c.message == WM_KEYDOWN) {
            EXPECT_EQ(static_cast<LONG>(c.key), f.owner.notices[0].block.value);
            EXPECT_EQ(0x001C0001, f.owner.notices[0].block.extra);
        }
    }
    HoldKey(VK_SHIFT, true);
    f.owner.Clear();
    f.Post(WM_KEYDOWN, VK_RETURN);
    HoldKey(VK_SHIFT, false);
    EXPECT_EQ(2, f.owner.Of(GN_ENTER).at(0).block.value) << "key flags: Shift";
}

TEST(GridInput, ClicksSelectReportAndTellTheCurrentCellApart)
{
    InputFixture f(10, 30);
    f.Post(WM_LBUTTONDOWN, MK_LBUTTON, f.At(1, 2));
    std::vector<LONG> codes = f.owner.Codes();
    codes.erase(std::remove(codes.begin(), codes.end(), static_cast<LONG>(GN_DRAWCELL)), codes.end());
    EXPECT_EQ(std::vector<LONG>({GN_CLICK, GN_ROWCHANGED, GN_COLUMNCHANGED, GN_CELLCHANGED}), codes);
    const GridWndNotify click = f.owner.Of(GN_CLICK).at(0).block;
    EXPECT_EQ(1, click.extra);
    EXPECT_EQ(2, click.row);
    EXPECT_EQ(1, click.column);
    EXPECT_EQ(49, click.hitX);
    EXPECT_EQ(3, click.hitY);
    EXPECT_EQ(101, click.rect.left);
    EXPECT_EQ(2 * f.rowHeight, click.rect.top);
    EXPECT_EQ(49, ::SendMessage(f.grid, GM_GETHITX, 0, 0));

    f.owner.Clear();
    f.Post(WM_LBUTTONUP, 0, f.At(1, 2));
    ASSERT_EQ(1u, f.owner.notices.size());
    EXPECT_EQ(GN_CLICK, f.owner.notices[0].code);
    EXPECT_EQ(0, f.owner.notices[0].block.extra);

    f.owner.Clear();
    f.Post(WM_LBUTTONDOWN, MK_LBUTTON, f.At(1, 2));
    f.Post(WM_LBUTTONUP, 0, f.At(1, 2));
    EXPECT_EQ(std::vector<LONG>({GN_CLICKCURRENT, GN_CLICK}), f.owner.Codes());
    EXPECT_EQ(1, f.owner.notices[0].block.extra);
    EXPECT_EQ(0, f.owner.notices[1].block.extra);

    f.owner.Clear();
    f.Post(WM_LBUTTONDOWN, MK_LBUTTON, f.At(3, 4));
    f.Post(WM_LBUTTONUP, 0, f.At(3, 4));
    ASSERT_EQ(std::vector<LONG>({GN_CLICK}), f.owner.Codes()) << "right of the last column: only the release";
    EXPECT_EQ(-1, f.owner.notices[0].block.row);
    EXPECT_EQ(-1, f.owner.notices[0].block.column);

    f.owner.Clear();
    f.Post(WM_LBUTTONDBLCLK, MK_LBUTTON, f.At(0, 5));
    ASSERT_EQ(std::vector<LONG>({GN_DOUBLECLICK}), f.owner.Codes());
    EXPECT_EQ(5, f.owner.notices[0].block.row);
    EXPECT_EQ(0, f.owner.notices[0].block.column);
}

TEST(GridInput, DragModeReportsEachTickAndTheRelease)
{
    InputFixture f(10, 30);
    EXPECT_EQ(1, ::SendMessage(f.grid, GM_SETDRAGMODE, 1, 0));
    PumpFor(450);
    const std::vector<GridNotice> ticks = f.owner.Of(GN_DRAG);
    EXPECT_GE(ticks.size(), 2u);
    for (const GridNotice& n : ticks)
        EXPECT_EQ(GRID_DRAG_TIMER, n.block.extra);
    f.owner.Clear();
    f.Post(WM_LBUTTONUP, 0, f.At(2, 6));
    ASSERT_EQ(std::vector<LONG>({GN_DRAG}), f.owner.Codes());
    EXPECT_EQ(0, f.owner.notices[0].block.extra);
    EXPECT_EQ(6, f.owner.notices[0].block.row);
    EXPECT_EQ(2, f.owner.notices[0].block.column);
    EXPECT_EQ(0, f.State().dragMode);
    f.owner.Clear();
    PumpFor(250);
    EXPECT_TRUE(f.owner.Of(GN_DRAG).empty()) << "the timer ends with the mode";
}

HGLOBAL DropBlock(const std::vector<std::string>& names, POINT at)
{
    std::string list;
    for (const std::string& name : names)
        list.append(name.c_str(), name.size() + 1);
    list.push_back('\0');
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    DROPFILES* drop = static_cast<DROPFILES*>(::GlobalLock(block));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = at;
    drop->fNC = FALSE;
    drop->fWide = FALSE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    ::GlobalUnlock(block);
    return block;
}

TEST(GridInput, DroppedFilesReachTheOwnerWithTheCellUnderThePoint)
{
    InputFixture f(10, 30);
    std::vector<std::string> seen;
    f.owner.answer = [&](GridWndNotify& b, LONG code, HWND) {
        if (code == GN_DROPFILES)
            for (LONG i = 0; i < b.value; ++i)
                seen.push_back(reinterpret_cast<char**>(b.extra)[i]);
    };
    const std::string longName = "C:\\" + std::string(1500, 'n') + ".ldt";
    f.Post(WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock({longName, "C:\\refs\\b.ldt"}, {160, 3 * f.rowHeight + 2})), 0);
    ASSERT_EQ(1u, f.owner.Of(GN_DROPFILES).size());
    const GridWndNotify b = f.owner.Of(GN_DROPFILES)[0].block;
    EXPECT_EQ(2, b.value);
    EXPECT_EQ(3, b.row);
    EXPECT_EQ(1, b.column);
    EXPECT_EQ(std::vector<std::string>({longName, "C:\\refs\\b.ldt"}), seen);
    EXPECT_EQ(1023u, strlen(b.textBuffer)) << "the first name cut to the buffer";
    EXPECT_EQ(0, strncmp(b.textBuffer, longName.c_str(), 1023));

    f.owner.Clear();
    f.Post(WM_DROPFILES, reinterpret_cast<WPARAM>(DropBlock({"C:\\x.txt"}, {590, 5})), 0);
    const GridWndNotify outside = f.owner.Of(GN_DROPFILES).at(0).block;
    EXPECT_EQ(-1, outside.row);
    EXPECT_EQ(-1, outside.column);
    EXPECT_STREQ("C:\\x.txt", outside.textBuffer);
}

} // namespace
