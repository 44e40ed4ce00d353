// The list-box grid control driven by its messages: the children and their rectangles for each style,
// heading heights from the font, scroll bars, fonts passed on, every engine notification reaching
// exactly one virtual operation, the corner's clicks and the redraw guard.
#include "GridTestOwner.h"

#include "grid/listbox/win/ListBoxGrid.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records every virtual call with its argument.
class RecordingGrid : public CListBoxGrid
{
public:
    struct Call
    {
        std::string name;
        LONG argument, second;
        LONG_PTR extra;
    };
    std::vector<Call> calls;

    void Record(const char* name, LONG argument, const GridWndNotify& b, LONG second = -99)
    {
        calls.push_back({name, argument, second, b.extra});
    }
    void OnClick(LONG r, GridWndNotify& b) override { Record("OnClick", r, b); }
    void OnClickCurrent(LONG r, GridWndNotify& b) override { Record("OnClickCurrent", r, b); }
    void OnRightClick(LONG r, GridWndNotify& b) override { Record("OnRightClick", r, b); }
    void OnDoubleClick(LONG r, GridWndNotify& b) override { Record("OnDoubleClick", r, b); }
    void OnDropFiles(LONG r, GridWndNotify& b) override { Record("OnDropFiles", r, b); }
    void OnEnter(LONG r, GridWndNotify& b) override { Record("OnEnter", r, b); }
    void OnKey(LONG r, GridWndNotify& b) override { Record("OnKey", r, b); }
    void OnKillFocus(LONG r, GridWndNotify& b) override { Record("OnKillFocus", r, b); }
    void OnPastLastRow(LONG v, GridWndNotify& b) override { Record("OnPastLastRow", v, b); }
    void OnBeforeFirstRow(LONG v, GridWndNotify& b) override { Record("OnBeforeFirstRow", v, b); }
    void OnRowChanged(LONG r, GridWndNotify& b) override { Record("OnRowChanged", r, b); }
    void OnDrawCell(LONG c, LONG r, GridWndNotify& b) override { Record("OnDrawCell", c, b, r); }
    void OnHeadingDoubleClick(LONG c, GridWndNotify& b) override { Record("OnHeadingDoubleClick", c, b); }
    void OnHeadingClick(LONG c, GridWndNotify& b) override { Record("OnHeadingClick", c, b); }
    void OnHeadingRightClick(LONG c, GridWndNotify& b) override { Record("OnHeadingRightClick", c, b); }
    void OnDrawHeadingCell(LONG c, GridWndNotify& b) override { Record("OnDrawHeadingCell", c, b); }
    void OnColumnSized(LONG c, GridWndNotify& b) override { Record("OnColumnSized", c, b); }
    void OnColumnSizing(LONG c, GridWndNotify& b) override { Record("OnColumnSizing", c, b); }
    void OnBeginColumnSize(LONG c, GridWndNotify& b) override { Record("OnBeginColumnSize", c, b); }
    void OnSideDoubleClick(LONG r, GridWndNotify& b) override { Record("OnSideDoubleClick", r, b); }
    void OnSideClick(LONG r, GridWndNotify& b) override { Record("OnSideClick", r, b); }
    void OnSideRightClick(LONG r, GridWndNotify& b) override { Record("OnSideRightClick", r, b); }
    void OnDrawSideCell(LONG r, GridWndNotify& b) override { Record("OnDrawSideCell", r, b); }
    void OnCornerDoubleClick(GridWndNotify& b) override { Record("OnCornerDoubleClick", b.row, b); }
    void OnCornerClick(GridWndNotify& b) override { Record("OnCornerClick", b.row, b); }
    void OnCornerRightClick(GridWndNotify& b) override { Record("OnCornerRightClick", b.row, b); }
};

RECT ChildRect(HWND parent, HWND child)
{
    RECT r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string Text(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) +
           "x" + std::to_string(r.bottom - r.top);
}

class ListBoxGridTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(RegisterListBoxGridClass(::GetModuleHandle(nullptr))); }
    GridTestOwner owner{700, 500};
};

TEST_F(ListBoxGridTest, ChildrenAndTheirRectanglesForEachStyle)
{
    const int W = 400, H = 300;
    struct Case
    {
        DWORD style;
        int framed;
        bool top, side;
        const char* gridRect; // in the control's client area
    };
    // With the stock variable font the top heading is 20 high; the side heading keeps its 40.
    const Case cases[] = {
        {0, 0, false, false, "0,0 400x300"},
        {0, 1, false, false, "-1,-1 402x302"},
        {GS_HEADING, 0, true, false, "0,19 400x281"},
        {GS_SIDEHEADING, 0, false, true, "39,0 361x300"},
        {GS_HEADING | GS_SIDEHEADING, 0, true, true, "39,19 361x281"},
        {GS_HEADING | GS_SIDEHEADING, 1, true, true, "38,18 363x283"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.style) + (c.framed ? " framed" : ""));
        RecordingGrid object;
        object.framed = c.framed;
        HWND control =
            object.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | c.style, owner.hWnd(), 10, 10, W, H);
        ASSERT_NE(nullptr, control);
        EXPECT_EQ(123, ::GetDlgCtrlID(control));
        EXPECT_EQ(control, object.window);
        EXPECT_EQ(-1, object.gap);
        ASSERT_NE(nullptr, object.grid);
        EXPECT_EQ(object.grid, ::GetDlgItem(control, 120));
        EXPECT_EQ(c.top, ::GetDlgItem(control, 121) != nullptr);
        EXPECT_EQ(c.side, ::GetDlgItem(control, 122) != nullptr);
        EXPECT_EQ(c.top, object.topHeading != nullptr);
        EXPECT_EQ(c.side, object.sideHeading != nullptr);
        EXPECT_EQ(c.gridRect, Text(ChildRect(control, object.grid)));
        EXPECT_EQ(0, ::GetWindowLong(control, GWL_STYLE) & (WS_VSCROLL | WS_HSCROLL))
            << "never on the control";
        EXPECT_NE(0, ::GetWindowLong(object.grid, GWL_STYLE) & WS_VSCROLL) << "on the inner grid";
        EXPECT_EQ(0, ::GetWindowLong(object.grid, GWL_STYLE) & WS_HSCROLL);
        EXPECT_EQ(reinterpret_cast<LRESULT>(object.notify),
                  ::SendMessage(object.grid, GM_GETNOTIFYBLOCK, 0, 0));
        ASSERT_NE(nullptr, object.gridState);
        EXPECT_EQ(object.grid, object.gridState->self);
        EXPECT_EQ(1, object.gridState->rowSelect) << "whole rows selected";
        ::DestroyWindow(control);
    }
}

TEST_F(ListBoxGridTest, HeadingHeightFollowsTheFontAndFontsReachEveryChild)
{
    RecordingGrid object;
    HWND control =
        object.Create(WS_CHILD | WS_VISIBLE | GS_HEADING | GS_SIDEHEADING, owner.hWnd(), 0, 0, 400, 300);
    ASSERT_NE(nullptr, control);
    const struct
    {
        LONG lfHeight;
        int headingHeight;
    } cases[] = {{-13, 20}, {-16, 20}, {-17, 21}, {-24, 28}, {24, 28}, {8, 20}};
    for (const auto& c : cases) {
        LOGFONT lf = {};
        lf.lfHeight = c.lfHeight;
        strcpy(lf.lfFaceName, "Arial");
        object.SetFont(lf);
        HFONT font = object.font;
        ASSERT_NE(nullptr, font);
        EXPECT_EQ(reinterpret_cast<LRESULT>(font), ::SendMessage(object.grid, GM_GETFONT, 0, 0));
        for (HWND heading : {object.topHeading, object.sideHeading})
            EXPECT_EQ(reinterpret_cast<LRESULT>(font), ::SendMessage(heading, WM_GETFONT, 0, 0));
        RECT top = ChildRect(control, object.topHeading);
        EXPECT_EQ(c.headingHeight, top.bottom - top.top) << c.lfHeight;
        RECT grid = ChildRect(control, object.grid);
        EXPECT_EQ(c.headingHeight - 1, grid.top) << "the grid overlaps the heading by one pixel";
    }
    ::DestroyWindow(control);
}

TEST_F(ListBoxGridTest, EachNotificationReachesExactlyOneOperation)
{
    RecordingGrid object;
    HWND control =
        object.Create(WS_CHILD | WS_VISIBLE | GS_HEADING | GS_SIDEHEADING, owner.hWnd(), 0, 0, 400, 300);
    ASSERT_NE(nullptr, control);
    struct Case
    {
        int child;
        LONG code;
        const char* operation; // null: ignored
        LONG argument;         // from row 7, column 3, value 11 in the block
    };
    const Case cases[] = {
        {120, GN_DRAWCELL, "OnDrawCell", 3},
        {120, GN_ROWCHANGED, "OnRowChanged", 7},
        {120, GN_KEY, "OnKey", 7},
        {120, GN_CLICK, "OnClick", 7},
        {120, GN_RIGHTCLICK, "OnRightClick", 7},
        {120, GN_DOUBLECLICK, "OnDoubleClick", 7},
        {120, GN_ENTER, "OnEnter", 7},
        {120, GN_CLICKCURRENT, "OnClickCurrent", 7},
        {120, GN_KILLFOCUS, "OnKillFocus", 7},
        {120, GN_DROPFILES, "OnDropFiles", 7},
        {120, GN_PASTLASTROW, "OnPastLastRow", 11},
        {120, GN_BEFOREFIRSTROW, "OnBeforeFirstRow", 11},
        {121, GN_DRAWCELL, "OnDrawHeadingCell", 3},
        {121, GN_CLICK, "OnHeadingClick", 3},
        {121, GN_RIGHTCLICK, "OnHeadingRightClick", 3},
        {121, GN_DOUBLECLICK, "OnHeadingDoubleClick", 3},
        {121, GN_COLUMNSIZED, "OnColumnSized", 3},
        {121, GN_COLUMNSIZING, "OnColumnSizing", 3},
        {121, GN_BEGINCOLUMNSIZE, "OnBeginColumnSize", 3},
        {122, GN_DRAWCELL, "OnDrawSideCell", 7},
        {122, GN_CLICK, "OnSideClick", 7},
        {122, GN_RIGHTCLICK, "OnSideRightClick", 7},
        {122, GN_DOUBLECLICK, "OnSideDoubleClick", 7},
        // Codes no operation takes, and a child that is none of the three.
        {120, GN_COLUMNCHANGED, nullptr, 0},
        {120, GN_TOPROWCHANGED, nullptr, 0},
        {120, GN_KEYDOWN, nullptr, 0},
        {121, GN_ENTER, nullptr, 0},
        {122, GN_COLUMNSIZING, nullptr, 0},
        {122, GN_KEY, nullptr, 0},
        {124, GN_CLICK, nullptr, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.child) + " " + std::to_string(c.code));
        object.calls.clear();
        object.notify->row = 7;
        object.notify->column = 3;
        object.notify->value = 11;
        ::SendMessage(control, WM_COMMAND, MAKEWPARAM(c.child, c.code),
                      reinterpret_cast<LPARAM>(object.grid));
        if (!c.operation) {
            EXPECT_TRUE(object.calls.empty());
            continue;
        }
        ASSERT_EQ(1u, object.calls.size());
        EXPECT_EQ(c.operation, object.calls[0].name);
        EXPECT_EQ(c.argument, object.calls[0].argument);
        if (c.code == GN_DRAWCELL && c.child == 120)
            EXPECT_EQ(7, object.calls[0].second) << "and the row";
    }

    // The real path: a click on a row of the grid and its drawing reach the object through the control.
    ::SendMessage(object.grid, GM_SETCOLUMNCOUNT, 2, 0);
    ::SendMessage(object.grid, GM_SETROWCOUNT, 0, 5);
    object.calls.clear();
    ::UpdateWindow(control);
    ::RedrawWindow(object.grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    int drawn = 0;
    for (const auto& call : object.calls)
        drawn += call.name == "OnDrawCell";
    EXPECT_GE(drawn, 10) << "five rows of two columns";
    object.calls.clear();
    const LONG rowHeight = static_cast<LONG>(::SendMessage(object.grid, GM_GETROWHEIGHT, 0, 0));
    const LPARAM at = MAKELPARAM(10, rowHeight * 2 + 2);
    ::PostMessage(object.grid, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessage(object.grid, WM_LBUTTONUP, 0, at);
    PumpMessages();
    bool rowChanged = false, clicked = false;
    for (const auto& call : object.calls) {
        rowChanged |= call.name == "OnRowChanged" && call.argument == 2;
        clicked |= call.name == "OnClick" && call.argument == 2;
    }
    EXPECT_TRUE(rowChanged);
    EXPECT_TRUE(clicked);
    ::DestroyWindow(control);
}

TEST_F(ListBoxGridTest, TheCornerTakesItsOwnClicks)
{
    RecordingGrid object;
    HWND control =
        object.Create(WS_CHILD | WS_VISIBLE | GS_HEADING | GS_SIDEHEADING, owner.hWnd(), 0, 0, 400, 300);
    ASSERT_NE(nullptr, control);
    const struct
    {
        UINT message;
        int x, y;
        const char* operation; // null: outside the corner, not handled
        LONG_PTR extra;
    } cases[] = {
        {WM_LBUTTONDOWN, 5, 5, "OnCornerClick", 1},
        {WM_LBUTTONUP, 5, 5, "OnCornerClick", 0},
        {WM_LBUTTONDBLCLK, 38, 20, "OnCornerDoubleClick", 1},
        {WM_RBUTTONDOWN, 0, 0, "OnCornerRightClick", 1},
        {WM_RBUTTONUP, 20, 10, "OnCornerRightClick", 0},
        {WM_LBUTTONDOWN, 39, 5, nullptr, 0},
        {WM_LBUTTONDOWN, 5, 21, nullptr, 0},
        {WM_LBUTTONDOWN, 200, 150, nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.message) + " at " + std::to_string(c.x) + "," + std::to_string(c.y));
        object.calls.clear();
        const LRESULT handled = ::SendMessage(control, c.message, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(c.operation ? 1 : 0, handled);
        if (!c.operation) {
            EXPECT_TRUE(object.calls.empty());
            continue;
        }
        ASSERT_EQ(1u, object.calls.size());
        EXPECT_EQ(c.operation, object.calls[0].name);
        EXPECT_EQ(-1, object.notify->row);
        EXPECT_EQ(-1, object.notify->column);
        EXPECT_EQ(c.x, object.notify->hitX);
        EXPECT_EQ(c.y, object.notify->hitY);
        EXPECT_EQ(c.extra, object.calls[0].extra);
        EXPECT_EQ(0, object.notify->rect.left);
        EXPECT_EQ(39, object.notify->rect.right) << "side heading width - 1";
        EXPECT_EQ(21, object.notify->rect.bottom) << "top heading height + 1";
    }
    ::DestroyWindow(control);
}

TEST_F(ListBoxGridTest, TheRedrawGuardGivesBackTheStateOnEveryExit)
{
    RecordingGrid object;
    HWND control = object.Create(WS_CHILD | WS_VISIBLE, owner.hWnd(), 0, 0, 200, 100);
    ASSERT_NE(nullptr, control);
    auto redraw = [&] {
        const LRESULT state = ::SendMessage(object.grid, GM_SETREDRAW, 0, 0);
        ::SendMessage(object.grid, GM_SETREDRAW, static_cast<WPARAM>(state), 0);
        return state;
    };
    for (WPARAM before : {WPARAM(1), WPARAM(0)}) {
        ::SendMessage(object.grid, GM_SETREDRAW, before, 0);
        {
            CGridRedrawGuard guard(object.grid);
            EXPECT_EQ(0, redraw());
        }
        EXPECT_EQ(static_cast<LRESULT>(before), redraw());
        try {
            CGridRedrawGuard guard(object.grid);
            throw std::runtime_error("refill failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(static_cast<LRESULT>(before), redraw()) << "after an exception";
    }
    ::DestroyWindow(control);
}

} // namespace
