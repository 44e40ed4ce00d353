// The customisable toolbar in a frame with toolkit dock bars: sizes, wrapping and balancing rows, the
// button list, clicks by posted mouse messages, command update and the faces its buttons paint; and the
// system-colour bitmap loader its strips come from.
#include "LTDockingTestSupport.h"
#include "ToolBarTestSupport.h"

#include "classlib/CmdUI.h"
#include "classlib/win/AfxPriv.h"
#include "toolkit/win/LTCustomToolBar.h"
#include "toolkit/win/LTGlobalData.h"
#include "toolkit/win/LoadSysColorBitmap.h"
#include "toolkit/win/ToolBarResource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

// Records the prompts and commands a bar sends its owner.
class RecordingOwner : public CWnd
{
public:
    std::vector<std::pair<UINT, WPARAM>> m_messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || message == WM_SETMESSAGESTRING)
            m_messages.emplace_back(message, wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// A frame whose handlers disable command 101 and check command 102.
class UpdatingFrame : public CFrameWnd
{
protected:
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(UpdatingFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(101, OnUpdateDisabled)
ON_UPDATE_COMMAND_UI(102, OnUpdateChecked)
END_MESSAGE_MAP()

const UINT kCommands[] = {100, 101, 102, 103, 104, 105};

class LTCustomToolBarTest : public ::testing::Test, public LTDockingFixture
{
protected:
    RecordingApp app;
    CBitmap strip;
    RecordingOwner owner;

    void SetUp() override
    {
        MakeToolkitFrame(app, 480, 280, new UpdatingFrame);
        // Commands without a handler stay as they are.
        frame->m_bAutoMenuEnable = FALSE;
        const std::vector<BYTE> dib = StripDib(6);
        ASSERT_TRUE(LoadSysColorBitmapFromDib(&strip, dib.data(), static_cast<DWORD>(dib.size())));
        owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
    }
    void TearDown() override
    {
        Destroy();
        owner.DestroyWindow();
    }

    LTCustomToolBar* MakeToolBar(UINT nID, const std::vector<UINT>& ids, DWORD dwExStyle = 0,
                                 DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP)
    {
        auto* pBar = new LTCustomToolBar;
        pBar->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pBar->CreateBarWindow(dwExStyle, frame, dwStyle, nID, "Tools"));
        pBar->SetBitmap(strip, kCommands, 6, 16, 15);
        pBar->SetButtons(ids.data(), static_cast<int>(ids.size()));
        return pBar;
    }
    std::vector<UINT> Ids(const LTCustomToolBar* pBar) const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < pBar->GetButtonCount(); ++i)
            ids.push_back(pBar->GetButton(i)->IsSeparator() ? 0 : pBar->GetButton(i)->m_nID);
        return ids;
    }
    static std::vector<int> Wrapped(const LTCustomToolBar* pBar)
    {
        std::vector<int> wrapped;
        for (int i = 0; i < pBar->GetButtonCount(); ++i) {
            if (pBar->GetButton(i)->m_dwStyle & LTBS_WRAPPED)
                wrapped.push_back(i);
        }
        return wrapped;
    }
    static void Post(CWnd* pWnd, UINT message, CPoint point)
    {
        ::PostMessage(pWnd->m_hWnd, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                      MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
    }
};

TEST(LoadSysColorBitmap, GreysBecomeTheSystemColours)
{
    // The first row's first five pixels in black, dark grey, light grey, white and red.
    const std::vector<BYTE> dib = StripDib(1, {0, 1, 2, 3, 4});
    CBitmap bitmap;
    ASSERT_TRUE(LoadSysColorBitmapFromDib(&bitmap, dib.data(), static_cast<DWORD>(dib.size())));
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = dc.SelectObject(static_cast<HGDIOBJ>(bitmap.GetSafeHandle()));
    const COLORREF expected[] = {::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_BTNSHADOW),
                                 ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT),
                                 RGB(255, 0, 0)};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(expected[x], dc.GetPixel(x, 0)) << x;
    dc.SelectObject(hOld);

    // Damaged or unsupported input changes nothing.
    std::vector<BYTE> deep = dib;
    reinterpret_cast<BITMAPINFOHEADER*>(deep.data())->biBitCount = 24;
    const struct
    {
        const std::vector<BYTE>* pDib;
        DWORD nSize;
    } bad[] = {
        {&dib, 20}, {&dib, static_cast<DWORD>(dib.size() - 1)}, {&deep, static_cast<DWORD>(deep.size())}};
    const HGDIOBJ hBefore = bitmap.GetSafeHandle();
    for (const auto& b : bad) {
        EXPECT_FALSE(LoadSysColorBitmapFromDib(&bitmap, b.pDib->data(), b.nSize)) << b.nSize;
        EXPECT_EQ(hBefore, bitmap.GetSafeHandle());
    }
    EXPECT_FALSE(LoadSysColorBitmap(&bitmap, "NoSuchToolBarBitmap"));
}

TEST_F(LTCustomToolBarTest, AnEmptyBarIsOneDefaultButton)
{
    LTCustomToolBar* pBar = MakeToolBar(ID_BAR_ONE, {});
    EXPECT_EQ(CSize(23, 22), pBar->CalcDynamicLayout(-1, LM_HORZDOCK | LM_HORZ));
    EXPECT_EQ(CSize(23, 22), pBar->CalcDynamicLayout(-1, LM_VERTDOCK));
    EXPECT_EQ(CSize(21, 20), pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH));
    EXPECT_TRUE(pBar->GetExBarStyle() & BAR_EX_TOOLBAR_LAYOUT);
    EXPECT_EQ(static_cast<UINT>(6), pBar->FindImageIndex(999)) << "a missing command: the list's length";
    EXPECT_EQ(static_cast<UINT>(2), pBar->FindImageIndex(102));
}

TEST_F(LTCustomToolBarTest, ButtonsWrapAndBalanceByWidthAndByHeight)
{
    const std::vector<UINT> six = {100, 101, 102, 103, 104, 105};
    const struct
    {
        std::vector<UINT> ids;
        int nLength;
        BOOL bByHeight;
        std::vector<int> wrapped;
        CSize size;
    } cases[] = {
        {six, 70, FALSE, {2}, CSize(69, 44)},
        // Broken at the separator, which adds (2 x 8) / 3 below its row.
        {{100, 101, 0, 102, 103}, 60, FALSE, {2}, CSize(46, 49)},
        // Narrower than any button: one a row.
        {{100, 101, 102}, 10, FALSE, {0, 1}, CSize(23, 66)},
        // Four fit the first row; balancing pushes its last one down.
        {{100, 101, 102, 103, 104}, 100, FALSE, {2}, CSize(69, 44)},
        {six, 500, FALSE, {}, CSize(138, 22)},
        {six, 44, TRUE, {2}, CSize(69, 44)},
        {six, 50, TRUE, {2}, CSize(69, 44)},
        {six, 66, TRUE, {1, 3}, CSize(46, 66)},
        {six, 22, TRUE, {}, CSize(138, 22)},
        // No length at all (a vertical dock): one column.
        {six, 0, TRUE, {0, 1, 2, 3, 4}, CSize(23, 132)},
    };
    LTCustomToolBar* pBar =
        MakeToolBar(ID_BAR_ONE, six, 0, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC);
    for (const auto& c : cases) {
        pBar->SetButtons(c.ids.data(), static_cast<int>(c.ids.size()));
        EXPECT_EQ(c.size, pBar->CalcWrappedSize(c.nLength, c.bByHeight)) << c.nLength << " " << c.bByHeight;
        EXPECT_EQ(c.wrapped, Wrapped(pBar)) << c.nLength << " " << c.bByHeight;
    }

    // Rows placed from the inside's corner; a row ended by a separator leaves its gap below.
    const UINT ids[] = {100, 101, 0, 102, 103};
    pBar->SetButtons(ids, 5);
    LTSide(AFX_IDW_DOCKBAR_TOP)->DockControlBar(pBar);
    frame->FloatControlBar(pBar, CPoint(300, 300), CBRS_ALIGN_TOP);
    pBar->m_nMRUWidth = 60;
    const CSize size = pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
    CRect inside(0, 0, 0, 0);
    pBar->CalcInsideRect(inside, TRUE, TRUE);
    EXPECT_EQ(CPoint(inside.left, inside.top), CPoint(pBar->GetButton(0)->m_x, pBar->GetButton(0)->m_y));
    EXPECT_EQ(CPoint(inside.left, inside.top + 22 + 5),
              CPoint(pBar->GetButton(3)->m_x, pBar->GetButton(3)->m_y));
    EXPECT_EQ(CSize(46 + inside.left - inside.right - 2, 49 + inside.top - inside.bottom - 2), size);
}

TEST_F(LTCustomToolBarTest, RemovingAButtonTakesADanglingSeparatorWithIt)
{
    const struct
    {
        std::vector<UINT> before;
        int nIndex;
        std::vector<UINT> after;
    } cases[] = {
        {{100, 101, 102}, 1, {100, 102}},
        {{100, 0, 101, 0, 102}, 2, {100, 0, 102}},
        {{100, 0, 101}, 0, {101}},
        {{100, 101, 0, 102}, 3, {100, 101}},
        {{0, 100}, 1, {}},
        {{100, 0, 101}, 1, {100, 101}},
        {{100}, 0, {}},
    };
    LTCustomToolBar* pBar = MakeToolBar(LTTB_LAST_DEFAULT_ID, {});
    for (const auto& c : cases) {
        pBar->SetButtons(c.before.data(), static_cast<int>(c.before.size()));
        EXPECT_TRUE(pBar->RemoveButton(c.nIndex));
        EXPECT_EQ(c.after, Ids(pBar)) << c.nIndex;
    }
    // A default bar stays, empty.
    EXPECT_TRUE(::IsWindow(pBar->m_hWnd));
    EXPECT_EQ(-1, pBar->CommandToIndex(100));

    // An emptied user toolbar goes, but only once the call has returned.
    LTCustomToolBar* pUser = MakeToolBar(LTTB_LAST_DEFAULT_ID + 1, {104});
    const HWND hWnd = pUser->m_hWnd;
    EXPECT_FALSE(pUser->RemoveButton(0));
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(0, pUser->GetButtonCount());
    PumpPending();
    EXPECT_FALSE(::IsWindow(hWnd));
}

TEST_F(LTCustomToolBarTest, InsertedButtonsShiftThePressedIndex)
{
    const struct
    {
        int nIndex;
        UINT nID;       // 0: a separator
        int nSelection; // before
        std::vector<UINT> after;
        int nSelectionAfter;
    } cases[] = {
        {1, 102, 1, {100, 102, 101}, 2},
        {2, 102, -1, {100, 101, 102}, -1},
        {0, 0, 0, {0, 100, 101}, 1},
        {9, 103, 0, {100, 101, 103}, 0},
    };
    LTCustomToolBar* pBar = MakeToolBar(ID_BAR_ONE, {});
    for (const auto& c : cases) {
        const UINT ids[] = {100, 101};
        pBar->SetButtons(ids, 2);
        pBar->m_nSelection = c.nSelection;
        const UINT nMRU = pBar->m_nMRUWidth;
        pBar->InsertButton(c.nIndex, c.nID, c.nID == 0);
        EXPECT_EQ(c.after, Ids(pBar)) << c.nIndex;
        EXPECT_EQ(c.nSelectionAfter, pBar->m_nSelection) << c.nIndex;
        EXPECT_EQ(nMRU + (c.nID == 0 ? 8u : 23u), pBar->m_nMRUWidth) << c.nIndex;
    }
    pBar->m_nSelection = -1;
}

TEST(ToolBarResource, CommandsAndImageSizeFromTheResourceBytes)
{
    const struct
    {
        std::vector<BYTE> bytes;
        BOOL bOk;
        std::vector<UINT> commands, raw;
        int cx, cy;
    } cases[] = {
        {{1, 0, 16, 0, 15, 0, 3, 0, 100, 0, 0, 0, 0x10, 0x27}, TRUE, {100, 10000}, {100, 0, 10000}, 16, 15},
        {{1, 0, 24, 0, 22, 0, 0, 0}, TRUE, {}, {}, 24, 22},
        // Fewer ids than counted, or no header: nothing changes.
        {{1, 0, 16, 0, 15, 0, 3, 0, 100, 0, 0, 0}, FALSE, {7}, {7}, -1, -1},
        {{1, 0, 16, 0}, FALSE, {7}, {7}, -1, -1},
    };
    for (const auto& c : cases) {
        std::vector<UINT> commands = {7}, raw = {7};
        int cx = -1, cy = -1;
        EXPECT_EQ(c.bOk, ParseToolBarResource(c.bytes.data(), static_cast<DWORD>(c.bytes.size()), commands,
                                              cx, cy, &raw));
        EXPECT_EQ(c.commands, commands);
        EXPECT_EQ(c.raw, raw);
        EXPECT_EQ(c.cx, cx);
        EXPECT_EQ(c.cy, cy);
    }
}

TEST_F(LTCustomToolBarTest, ClicksSendCommandsToTheOwner)
{
    LTCustomToolBar* pBar = MakeToolBar(ID_BAR_ONE, {100, 0, 101, 103, 103});
    pBar->SetOwner(&owner);
    LTSide(AFX_IDW_DOCKBAR_TOP)->DockControlBar(pBar);
    frame->RecalcLayout();
    const CPoint first = pBar->GetButton(0)->GetRect().CenterPoint();
    const CPoint check = pBar->GetButton(3)->GetRect().CenterPoint();
    const CPoint outside(first.x, first.y + 200);
    pBar->GetButton(3)->m_dwStyle |= LTBS_CHECKBOX;
    pBar->GetButton(4)->m_dwStyle |= LTBS_CHECKBOX;
    using Messages = std::vector<std::pair<UINT, WPARAM>>;
    const struct
    {
        CPoint down, up;
        BOOL bDisable; // the first button disabled first
        Messages messages;
        BOOL bChecked; // the check buttons afterwards
    } cases[] = {
        {first,
         first,
         FALSE,
         {{WM_SETMESSAGESTRING, 100}, {WM_SETMESSAGESTRING, 0xE001}, {WM_COMMAND, 100}},
         FALSE},
        {first, outside, FALSE, {{WM_SETMESSAGESTRING, 100}, {WM_SETMESSAGESTRING, 0xE001}}, FALSE},
        {first, first, TRUE, {}, FALSE},
        // Each click inside toggles every button of the command.
        {check,
         check,
         FALSE,
         {{WM_SETMESSAGESTRING, 103}, {WM_SETMESSAGESTRING, 0xE001}, {WM_COMMAND, 103}},
         TRUE},
        {check, outside, FALSE, {{WM_SETMESSAGESTRING, 103}, {WM_SETMESSAGESTRING, 0xE001}}, TRUE},
        {check,
         check,
         FALSE,
         {{WM_SETMESSAGESTRING, 103}, {WM_SETMESSAGESTRING, 0xE001}, {WM_COMMAND, 103}},
         FALSE},
    };
    for (const auto& c : cases) {
        owner.m_messages.clear();
        if (c.bDisable)
            pBar->GetButton(0)->m_dwStyle |= LTBS_DISABLED;
        Post(pBar, WM_LBUTTONDOWN, c.down);
        Post(pBar, WM_LBUTTONUP, c.up);
        PumpPending();
        pBar->GetButton(0)->m_dwStyle &= ~LTBS_DISABLED;
        EXPECT_EQ(c.messages, owner.m_messages) << c.down.x << " to " << c.up.y;
        EXPECT_EQ(c.bChecked, (pBar->GetButton(3)->m_dwStyle & LTBS_CHECKED) != 0);
        EXPECT_EQ(c.bChecked, (pBar->GetButton(4)->m_dwStyle & LTBS_CHECKED) != 0);
        EXPECT_EQ(-1, pBar->m_nSelection);
        EXPECT_EQ(nullptr, ::GetCapture());
    }
    // The hit test: separators and gaps are no button.
    EXPECT_EQ(0, pBar->HitTest(first));
    EXPECT_EQ(-1, pBar->HitTest(pBar->GetButton(1)->GetRect().CenterPoint()));
    EXPECT_EQ(-1, pBar->HitTest(outside));
}

TEST_F(LTCustomToolBarTest, FlatBarsTrackTheHotButton)
{
    LTCustomToolBar* pBar = MakeToolBar(ID_BAR_ONE, {100, 101, 102}, BAR_EX_FLAT_BORDERS);
    LTSide(AFX_IDW_DOCKBAR_TOP)->DockControlBar(pBar);
    frame->RecalcLayout();
    ::SetActiveWindow(frame->m_hWnd);
    ASSERT_NE(nullptr, ::GetActiveWindow());
    pBar->GetButton(2)->m_dwStyle |= LTBS_DISABLED;
    const struct
    {
        int nOver; // the button under the mouse, -1 for none
        int nHot;
        BOOL bTimer;
    } steps[] = {{0, 0, TRUE}, {1, 1, TRUE}, {2, -1, FALSE}, {0, 0, TRUE}, {-1, -1, FALSE}};
    for (const auto& s : steps) {
        const CPoint at = s.nOver < 0 ? CPoint(300, 10) : pBar->GetButton(s.nOver)->GetRect().CenterPoint();
        Post(pBar, WM_MOUSEMOVE, at);
        PumpPending();
        EXPECT_EQ(s.nHot, pBar->m_nHot) << s.nOver;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(i == s.nHot, (pBar->GetButton(i)->m_dwStyle & LTBS_HOT) != 0) << s.nOver << " " << i;
        // KillTimer tells whether the timer ran; it is started again for the next step.
        const BOOL bRunning = ::KillTimer(pBar->m_hWnd, LTTB_HOT_TIMER);
        EXPECT_EQ(s.bTimer, bRunning) << s.nOver;
        if (bRunning)
            pBar->SetTimer(LTTB_HOT_TIMER, 100000, nullptr); // no tick before the next step
    }
}

TEST_F(LTCustomToolBarTest, IdleUpdateChangesEveryButtonOfTheCommand)
{
    LTCustomToolBar* pBar = MakeToolBar(ID_BAR_ONE, {101, 0, 102, 101, 100});
    LTSide(AFX_IDW_DOCKBAR_TOP)->DockControlBar(pBar);
    frame->RecalcLayout();
    pBar->SendMessage(WM_IDLEUPDATECMDUI, FALSE);
    const DWORD expected[] = {LTBS_DISABLED, LTBS_SEPARATOR, LTBS_CHECKBOX | LTBS_CHECKED, LTBS_DISABLED, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(expected[i], pBar->GetButton(i)->m_dwStyle & ~LTBS_WRAPPED) << i;
}

TEST_F(LTCustomToolBarTest, ButtonFacesByState)
{
    LTCustomToolBar* pBar = MakeToolBar(ID_BAR_ONE, {100});
    LTSide(AFX_IDW_DOCKBAR_TOP)->DockControlBar(pBar);
    frame->RecalcLayout();
    const LTGlobalData& data = LTGetGlobalData();
    const COLORREF face = data.clrBtnFace, hilite = data.clrBtnHilite, shadow = data.clrBtnShadow;
    const COLORREF text = ::GetSysColor(COLOR_BTNTEXT), frameColour = data.clrWindowFrame;
    ToolBarButton* pButton = pBar->GetButton(0);
    // The image lies 3 in from the button's corner (4 when sunken); its black square 5 further in.
    const struct
    {
        DWORD dwState;
        CPoint at; // from the button's corner
        COLORREF expected;
    } cases[] = {
        {0, CPoint(0, 0), hilite},
        {0, CPoint(22, 21), frameColour},
        {0, CPoint(10, 10), text},
        {0, CPoint(5, 5), face},
        {LTBS_PRESSED, CPoint(0, 0), frameColour},
        {LTBS_PRESSED, CPoint(1, 1), shadow},
        {LTBS_PRESSED, CPoint(8, 8), face}, // the square moved one pixel on
        {LTBS_PRESSED, CPoint(9, 9), text},
        // Embossed: the square in shadow, its lower right edge lit.
        {LTBS_DISABLED, CPoint(10, 10), shadow},
        {LTBS_DISABLED, CPoint(14, 14), hilite},
        {LTBS_DISABLED, CPoint(5, 5), face},
        {LTBS_INDETERMINATE, CPoint(10, 10), shadow},
    };
    for (const auto& c : cases) {
        pButton->m_dwStyle = c.dwState;
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        HDC hScreen = ::GetDC(nullptr);
        HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 200, 60);
        ::ReleaseDC(nullptr, hScreen);
        HGDIOBJ hOld = dc.SelectObject(static_cast<HGDIOBJ>(hBitmap));
        pBar->DoPaint(&dc);
        EXPECT_EQ(c.expected, dc.GetPixel(pButton->m_x + c.at.x, pButton->m_y + c.at.y))
            << c.dwState << " at " << c.at.x << "," << c.at.y;
        if (c.dwState == LTBS_INDETERMINATE || c.dwState == 0) {
            // The dither of an indeterminate face alternates face and highlight; a plain face does not.
            const COLORREF a = dc.GetPixel(pButton->m_x + 4, pButton->m_y + 4);
            const COLORREF b = dc.GetPixel(pButton->m_x + 5, pButton->m_y + 4);
            EXPECT_EQ(c.dwState == LTBS_INDETERMINATE, a != b) << c.dwState;
        }
        dc.SelectObject(hOld);
        ::DeleteObject(hBitmap);
    }
    // Checked: the sunken face shows the dither around the image.
    pButton->m_dwStyle = LTBS_CHECKBOX | LTBS_CHECKED;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 200, 60);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = dc.SelectObject(static_cast<HGDIOBJ>(hBitmap));
    pBar->DoPaint(&dc);
    const COLORREF a = dc.GetPixel(pButton->m_x + 4, pButton->m_y + 4);
    const COLORREF b = dc.GetPixel(pButton->m_x + 5, pButton->m_y + 4);
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == face && b == hilite) || (a == hilite && b == face));
    EXPECT_EQ(text, dc.GetPixel(pButton->m_x + 11, pButton->m_y + 11));
    dc.SelectObject(hOld);
    ::DeleteObject(hBitmap);
}

} // namespace
