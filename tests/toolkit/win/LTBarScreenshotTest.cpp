// A picture of a frame with toolkit dock bars: a sizable row with grippers and their buttons, a row of
// flat toolbars and a sizable bar on the left, as the screen shows it, saved to be looked at (not
// compared). Runs only where scripts/screenshots names the folder in LORVANE_ARTEFACTS; skipped elsewhere.
#include "LTDockingTestSupport.h"
#include "ToolBarTestSupport.h"

#include "classlib/win/DC.h"
#include "classlib/win/DialogTestSupport.h"
#include "toolkit/win/LTCustomToolBar.h"
#include "toolkit/win/LoadSysColorBitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A toolkit bar that shows its name in its inside rectangle.
class NamedToolkitBar : public LTControlBar
{
public:
    void DoPaint(CDC* pDC) override
    {
        LTControlBar::DoPaint(pDC);
        CRect rect;
        GetInsideRect(&rect);
        CString text;
        GetWindowText(text);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
};

TEST(Screenshot, FrameWithToolkitDockRows)
{
    const char* folder = std::getenv("LORVANE_ARTEFACTS");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "no picture folder (run by scripts/screenshots on a virtual display)";
    RecordingApp app;
    LTDockingFixture fixture;
    fixture.MakeToolkitFrame(app, 560, 360);
    CFrameWnd* frame = fixture.frame;
    const struct
    {
        const char* name;
        DWORD dwExStyle;
        CSize size;
    } bars[] = {
        {"Preview", BAR_EX_GRIPPER | BAR_EX_HIDE_BUTTON | BAR_EX_EXPAND_BUTTON, CSize(100, 60)},
        {"Search", BAR_EX_GRIPPER | BAR_EX_HIDE_BUTTON | BAR_EX_EXPAND_BUTTON, CSize(100, 60)},
        {"File", BAR_EX_TOOLBAR_LAYOUT | BAR_EX_FLAT_BORDERS, CSize(120, 26)},
        {"Text", BAR_EX_TOOLBAR_LAYOUT | BAR_EX_FLAT_BORDERS, CSize(120, 26)},
        {"Groups", BAR_EX_GRIPPER | BAR_EX_HIDE_BUTTON, CSize(110, 60)},
    };
    std::vector<LTControlBar*> made;
    for (UINT i = 0; i < 5; ++i) {
        auto* pBar = new NamedToolkitBar;
        pBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(pBar->Create(frame, bars[i].name, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS,
                                 bars[i].dwExStyle, ID_BAR_ONE + i));
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        pBar->m_szHorz = bars[i].size;
        pBar->m_szVert = CSize(bars[i].size.cx, 200);
        made.push_back(pBar);
    }
    fixture.DockRow(AFX_IDW_DOCKBAR_TOP, {made[0], made[1]});
    fixture.LTSide(AFX_IDW_DOCKBAR_TOP)->DockControlBar(made[2]);
    frame->RecalcLayout();
    CRect rect;
    made[2]->GetWindowRect(&rect);
    rect.OffsetRect(rect.Width() - 4, 0);
    fixture.LTSide(AFX_IDW_DOCKBAR_TOP)->DockControlBar(made[3], &rect);
    fixture.LTSide(AFX_IDW_DOCKBAR_LEFT)->DockControlBar(made[4]);
    // Toolbars at the bottom: raised and flat buttons, a checked, a disabled and a pressed one.
    const std::vector<BYTE> dib = StripDib(6);
    CBitmap strip;
    ASSERT_TRUE(LoadSysColorBitmapFromDib(&strip, dib.data(), static_cast<DWORD>(dib.size())));
    const UINT commands[] = {100, 101, 102, 103, 104, 105};
    const UINT ids[] = {100, 101, 0, 102, 103, 0, 104, 105};
    for (int i = 0; i < 2; ++i) {
        auto* pToolBar = new LTCustomToolBar;
        pToolBar->m_bAutoDelete = TRUE;
        ASSERT_TRUE(pToolBar->CreateBarWindow(i == 0 ? 0 : BAR_EX_FLAT_BORDERS | BAR_EX_GRIPPER, frame,
                                              WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, ID_BAR_ONE + 10 + i));
        pToolBar->SetBitmap(strip, commands, 6, 16, 15);
        pToolBar->SetButtons(ids, 8);
        pToolBar->GetButton(1)->m_dwStyle |= LTBS_CHECKBOX | LTBS_CHECKED;
        pToolBar->GetButton(3)->m_dwStyle |= LTBS_DISABLED;
        pToolBar->GetButton(4)->m_dwStyle |= LTBS_PRESSED;
        pToolBar->GetButton(6)->m_dwStyle |= LTBS_INDETERMINATE;
        fixture.LTSide(AFX_IDW_DOCKBAR_BOTTOM)->DockControlBar(pToolBar);
    }
    frame->RecalcLayout();
    PumpPending();
    ::RedrawWindow(frame->m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 10; ++i) {
        PumpPending();
        ::Sleep(50); // the X server catches up
    }
    const CString path = CString(folder) + "\\toolkit-dock-rows.bmp";
    EXPECT_GT(SaveWindowPicture(frame->m_hWnd, path), 2) << path;
    fixture.Destroy();
}

} // namespace
