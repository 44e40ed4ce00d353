// Cells: the presence mask after each setter, copy and merge, value conversions, defaults.
#include "grid/sheet/GridCell.h"
#include <gtest/gtest.h>
#include <cstring>
#include <functional>

namespace {

struct SetterCase
{
    const char* name;
    std::function<void(GridCell&)> set;
    DWORD mask;
};

TEST(GridCell, EachSetterSetsItsBitsAndNothingElse)
{
    const SetterCase cases[] = {
        {"text", [](GridCell& c) { c.SetText("x"); }, 0x1 | 0x8},
        {"text2", [](GridCell& c) { c.SetText2("x"); }, 0x2},
        {"label", [](GridCell& c) { c.SetLabel("x"); }, 0x4},
        {"bool", [](GridCell& c) { c.SetBool(true); }, 0x1 | 0x8},
        {"number", [](GridCell& c) { c.SetNumber(1); }, 0x1 | 0x8},
        {"datatype", [](GridCell& c) { c.SetDataType(2); }, 0x8},
        {"celltype", [](GridCell& c) { c.SetCellType(2); }, 0x20},
        {"celltypeex", [](GridCell& c) { c.SetCellTypeEx(2); }, 0x40},
        {"textcolor", [](GridCell& c) { c.SetTextColor(1); }, 0x80},
        {"backcolor", [](GridCell& c) { c.SetBackColor(1); }, 0x100},
        {"htextcolor", [](GridCell& c) { c.SetHTextColor(1); }, 0x200},
        {"hbackcolor", [](GridCell& c) { c.SetHBackColor(1); }, 0x400},
        {"border", [](GridCell& c) { c.SetBorder(1); }, 0x800},
        {"pen", [](GridCell& c) { c.SetBorderPen(nullptr); }, 0x1000},
        {"font", [](GridCell& c) { c.SetFont(nullptr); }, 0x2000},
        {"bitmap", [](GridCell& c) { c.SetBitmap(nullptr); }, 0x4000},
        {"alignment", [](GridCell& c) { c.SetAlignment(0x24); }, 0x8000},
        {"userdata", [](GridCell& c) { c.SetUserData("ab", 2); }, 0x10000},
        {"join", [](GridCell& c) { c.SetJoinInfo(1, 2, 3); }, 0x20000},
        {"format", [](GridCell& c) { c.SetFormatObject(nullptr); }, 0x200000},
        {"style", [](GridCell& c) { c.SetStyleCell(nullptr); }, 0x800000},
        {"readonly", [](GridCell& c) { c.SetReadOnly(1); }, 0x1000000},
        {"decimals", [](GridCell& c) { c.SetDecimals(2); }, 0x2000000},
    };
    for (const auto& tc : cases) {
        GridCell cell;
        tc.set(cell);
        EXPECT_EQ(tc.mask, cell.GetMask()) << tc.name;
    }
}

COLORREF g_shade = 0;
COLORREF ShiftingColors(int index)
{
    return RGB(index, 0, 0) + g_shade;
}

TEST(GridCell, EmptyCellAnswersDefaultsAndColoursOfTheMoment)
{
    GridSysColorSource old = SetGridSysColorSource(ShiftingColors);
    GridCell cell;
    EXPECT_EQ(1, cell.GetDataType());
    EXPECT_EQ(nullptr, cell.GetText());
    EXPECT_EQ(0, cell.GetTextLength());
    EXPECT_EQ(0, cell.GetAlignment());
    EXPECT_EQ(0, cell.GetCellType());
    std::string label = "kept";
    EXPECT_EQ(1, cell.GetLabel(label));
    EXPECT_EQ("kept", label);
    short origin;
    LONG cols, rows;
    EXPECT_EQ(1, cell.GetJoinInfo(origin, cols, rows));
    struct
    {
        COLORREF (GridCell::*get)() const;
        int index;
    } colours[] = {{&GridCell::GetTextColor, COLOR_WINDOWTEXT},
                   {&GridCell::GetBackColor, COLOR_WINDOW},
                   {&GridCell::GetHTextColor, COLOR_HIGHLIGHTTEXT},
                   {&GridCell::GetHBackColor, COLOR_HIGHLIGHT}};
    for (auto& c : colours) {
        g_shade = 0;
        EXPECT_EQ(RGB(c.index, 0, 0), (cell.*c.get)());
        g_shade = RGB(0, 7, 0);
        EXPECT_EQ(RGB(c.index, 7, 0), (cell.*c.get)()) << "read again, not remembered";
    }
    cell.SetBackColor(RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), cell.GetBackColor());
    SetGridSysColorSource(old);
}

TEST(GridCell, MergeAndCopyFollowTheSourceMask)
{
    GridCell target;
    target.SetText("keep");
    target.SetBackColor(RGB(1, 1, 1));
    target.SetAlignment(2);

    GridCell colourOnly;
    colourOnly.SetBackColor(RGB(9, 9, 9));
    ASSERT_EQ(0x100u, colourOnly.GetMask());

    GridCell merged(target);
    merged.MergeFrom(colourOnly);
    EXPECT_STREQ("keep", merged.GetText());
    EXPECT_EQ(RGB(9, 9, 9), merged.GetBackColor());
    EXPECT_EQ(2, merged.GetAlignment());
    EXPECT_EQ(target.GetMask() | 0x100, merged.GetMask());

    GridCell copied(target);
    copied.CopyFrom(colourOnly);
    EXPECT_EQ(nullptr, copied.GetText()) << "text bit cleared by a copy without text";
    EXPECT_EQ(0x100u, copied.GetMask());
    copied.SetMask(copied.GetMask() | 0x1);
    EXPECT_STREQ("keep", copied.GetText()) << "the old text stays stored";

    GridCell into;
    colourOnly.MergeInto(into);
    EXPECT_EQ(RGB(9, 9, 9), into.GetBackColor());
    GridCell to;
    to.SetText("gone");
    colourOnly.CopyTo(to);
    EXPECT_EQ(nullptr, to.GetText());
}

TEST(GridCell, UserDataIsDeepAndJoinCopiesAsAGroup)
{
    GridCell source;
    source.SetUserData("abcd", 4);
    source.SetJoinInfo(0, -2, -3);
    GridCell copy;
    copy.SetUserData("zz", 2);
    copy.CopyFrom(source);
    ASSERT_EQ(4u, copy.GetUserDataLength());
    EXPECT_NE(source.GetUserData(), copy.GetUserData());
    source.SetUserData("wxyz", 4);
    EXPECT_EQ(0, std::memcmp(copy.GetUserData(), "abcd", 4));
    short origin = 9;
    LONG cols = 0, rows = 0;
    ASSERT_EQ(0, copy.GetJoinInfo(origin, cols, rows));
    EXPECT_EQ(0, origin);
    EXPECT_EQ(-2, cols);
    EXPECT_EQ(-3, rows);
}

void* FailingAllocator(size_t)
{
    return nullptr;
}

TEST(GridCell, FailedUserDataCopyLeavesNoBufferWithTheBitSet)
{
    GridCell source;
    source.SetUserData("abcd", 4);
    GridCell target;
    target.SetUserData("old", 3);
    GridCell::Allocator old = GridCell::SetAllocator(FailingAllocator);
    target.MergeFrom(source);
    GridCell::SetAllocator(old);
    EXPECT_TRUE(target.IsSet(0x10000));
    EXPECT_EQ(nullptr, target.GetUserData());
    EXPECT_EQ(0u, target.GetUserDataLength());
}

TEST(GridCell, NumbersFormatWithSixOrTheGivenDecimalsHeldToFifteen)
{
    struct
    {
        double value;
        int decimals; // -1: no attribute
        const char* text;
    } cases[] = {
        {2.5, -1, "2.500000"},
        {2.5, 2, "2.50"},
        {2.5, 0, "2"},
        {1.0 / 3, 15, "0.333333333333333"},
        {1.0 / 3, 400, "0.333333333333333"},
        {2.5, -7, "2"},
        {1e300, 2, nullptr}, // long but bounded
    };
    for (const auto& tc : cases) {
        GridCell cell;
        if (tc.decimals != -1)
            cell.SetDecimals((short)tc.decimals);
        cell.SetNumber(tc.value);
        EXPECT_EQ(2, cell.GetDataType());
        if (tc.text)
            EXPECT_STREQ(tc.text, cell.GetText()) << tc.value << " " << tc.decimals;
        else
            EXPECT_LT(300, cell.GetTextLength());
        EXPECT_DOUBLE_EQ(std::atof(cell.GetText()), cell.GetNumber());
    }
}

TEST(GridCell, BoolReadsTheText)
{
    struct
    {
        const char* text;
        bool value;
    } cases[] = {{"True", true}, {"t", true},      {"1", true},    {"-3", true},   {"", false},
                 {"0", false},   {"false", false}, {"yes", false}, {"12abc", true}};
    for (const auto& tc : cases) {
        GridCell cell;
        cell.SetText(tc.text);
        EXPECT_EQ(tc.value, cell.GetBool()) << tc.text;
    }
    GridCell none;
    EXPECT_FALSE(none.GetBool());
    GridCell b;
    b.SetBool(true);
    EXPECT_STREQ("1", b.GetText());
    EXPECT_EQ(3, b.GetDataType());
    b.SetBool(false);
    EXPECT_STREQ("0", b.GetText());
}

TEST(GridCell, ResetKeepsTheSecondTextOnly)
{
    GridCell cell;
    cell.SetText("a");
    cell.SetText2("second");
    cell.SetLabel("l");
    cell.SetUserData("u", 1);
    cell.SetCellType(3);
    cell.Reset();
    EXPECT_EQ(0u, cell.GetMask());
    EXPECT_EQ(0, cell.GetCellType());
    EXPECT_EQ(nullptr, cell.GetUserData());
    cell.SetMask(0x1 | 0x2 | 0x4 | 0x20);
    EXPECT_STREQ("", cell.GetText());
    EXPECT_STREQ("", cell.GetLabel());
    EXPECT_STREQ("second", cell.GetText2());
    EXPECT_EQ(-1, cell.GetCellType());
}

} // namespace
