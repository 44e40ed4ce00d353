// The toolkit's global record and its registered messages.
#include "toolkit/win/LTGlobalData.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(LTGlobalData, BordersAndLookFollowTheWindowsVersion)
{
    const struct
    {
        int nMajor;
        int nBorder;
        BOOL bNewLook;
    } cases[] = {{3, 1, FALSE}, {4, 2, TRUE}, {6, 2, TRUE}};
    for (const auto& c : cases) {
        LTGlobalData data{};
        data.Init(c.nMajor);
        EXPECT_EQ(c.nBorder, data.cxBorder2) << c.nMajor;
        EXPECT_EQ(c.nBorder, data.cyBorder2) << c.nMajor;
        EXPECT_EQ(c.bNewLook, data.bNewLook) << c.nMajor;
        EXPECT_EQ(::LoadCursor(nullptr, IDC_ARROW), data.hcurArrow);
        EXPECT_EQ(nullptr, data.hcurHSplit);
    }
    EXPECT_TRUE(LTGetGlobalData().bNewLook);
}

TEST(LTGlobalData, UpdatingTheColoursLeavesTheRestAsItWas)
{
    LTGlobalData& data = LTGetGlobalData();
    const LTGlobalData before = data;
    data.hcurHSplit = ::LoadCursor(nullptr, IDC_SIZEWE);
    // Colours that are out of date, as after a change of the system's.
    COLORREF* colours[] = {&data.clrBtnFace,      &data.clrBtnShadow, &data.clrBtnHilite,
                           &data.clrWindowFrame,  &data.clr3DLight,   &data.clr3DDkShadow,
                           &data.clrWindowText,   &data.clrWindow,    &data.clrHighlight,
                           &data.clrHighlightText};
    for (COLORREF* p : colours)
        *p = RGB(1, 2, 3);
    data.UpdateSysColors();
    const int indexes[] = {COLOR_BTNFACE,   COLOR_BTNSHADOW,    COLOR_BTNHIGHLIGHT, COLOR_WINDOWFRAME,
                           COLOR_3DLIGHT,   COLOR_3DDKSHADOW,   COLOR_WINDOWTEXT,   COLOR_WINDOW,
                           COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(::GetSysColor(indexes[i]), *colours[i]) << i;
    EXPECT_EQ(::LoadCursor(nullptr, IDC_SIZEWE), data.hcurHSplit);
    EXPECT_EQ(before.hcurArrow, data.hcurArrow);
    EXPECT_EQ(before.cxBorder2, data.cxBorder2);
    data.hcurHSplit = before.hcurHSplit;
}

TEST(LTGlobalData, TheFourRegisteredMessagesAreDistinct)
{
    const std::set<UINT> ids = {WM_NODELAYHIDE, WM_SECTOOLBARWNDNOTIFY, WM_BARNOTIFY,
                                WM_TOOLBARSTYLECHANGING};
    EXPECT_EQ(4u, ids.size());
    EXPECT_EQ(0u, ids.count(0));
    // Registered ids lie in the range the system keeps for them.
    for (UINT id : ids)
        EXPECT_GE(id, 0xC000u);
}

} // namespace
