#include "toolkit/win/LTGlobalData.h"

namespace {

LTGlobalData MakeGlobalData()
{
    LTGlobalData data{};
    data.Init(LOBYTE(LOWORD(::GetVersion())));
    return data;
}

LTGlobalData g_globalData = MakeGlobalData();

} // namespace

void LTGlobalData::Init(int nMajorVersion)
{
    bNewLook = nMajorVersion >= 4;
    cxBorder2 = cyBorder2 = bNewLook ? 2 : 1;
    UpdateSysColors();
    hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
    hcurHSplit = nullptr;
    hcurVSplit = nullptr;
}

void LTGlobalData::UpdateSysColors()
{
    // One table of member and system colour index, in the record's order.
    static COLORREF LTGlobalData::*const members[] = {
        &LTGlobalData::clrBtnFace,      &LTGlobalData::clrBtnShadow, &LTGlobalData::clrBtnHilite,
        &LTGlobalData::clrWindowFrame,  &LTGlobalData::clr3DLight,   &LTGlobalData::clr3DDkShadow,
        &LTGlobalData::clrWindowText,   &LTGlobalData::clrWindow,    &LTGlobalData::clrHighlight,
        &LTGlobalData::clrHighlightText};
    static const int indexes[] = {COLOR_BTNFACE,   COLOR_BTNSHADOW,    COLOR_BTNHIGHLIGHT, COLOR_WINDOWFRAME,
                                  COLOR_3DLIGHT,   COLOR_3DDKSHADOW,   COLOR_WINDOWTEXT,   COLOR_WINDOW,
                                  COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    for (size_t i = 0; i < sizeof indexes / sizeof indexes[0]; ++i)
        this->*members[i] = ::GetSysColor(indexes[i]);
}

LTGlobalData& LTGetGlobalData()
{
    return g_globalData;
}

HCURSOR LTGetWindowButtonSizeCursor()
{
    static HCURSOR s_hCursor = nullptr;
    if (s_hCursor == nullptr)
        s_hCursor = ::LoadCursor(::GetModuleHandle(nullptr), MAKEINTRESOURCE(20577));
    return s_hCursor;
}

const UINT WM_NODELAYHIDE = ::RegisterWindowMessage("LTNoDelayHide");
const UINT WM_SECTOOLBARWNDNOTIFY = ::RegisterWindowMessage("LTSecToolbarWndNotify");
const UINT WM_BARNOTIFY = ::RegisterWindowMessage("LTBarNotify");
const UINT WM_TOOLBARSTYLECHANGING = ::RegisterWindowMessage("LTToolbarStyleChanging");
