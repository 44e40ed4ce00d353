// A picture of a frame with bars docked on two sides, a dialog bar and a floating bar, as the screen shows
// it, saved to be looked at (not compared). Runs only where scripts/screenshots names the folder in
// LORVANE_ARTEFACTS (a virtual X display with a Wine prefix that draws through it); skipped elsewhere.
#include "DialogTestSupport.h"
#include "DockingTestSupport.h"

#include "classlib/win/DC.h"
#include "classlib/win/DialogBar.h"
#include "classlib/win/DialogTemplate.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// A bar that shows its name inside its border lines.
class NamedBar : public TestBar
{
public:
    void DoPaint(CDC* pDC) override
    {
        CControlBar::DoPaint(pDC);
        CRect rect;
        GetClientRect(&rect);
        CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
        CString text;
        GetWindowText(text);
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(text, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
};

TEST(Screenshot, FrameWithDockedAndFloatingBars)
{
    const char* folder = std::getenv("LORVANE_ARTEFACTS");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "no picture folder (run by scripts/screenshots on a virtual display)";
    RecordingApp app;
    DockingFixture fixture;
    fixture.MakeFrame(app, nullptr, 560, 360, 60, 60);
    CFrameWnd* frame = fixture.frame;
    frame->SetWindowText("Docking");
    static const char* const names[] = {"File", "Text", "Bibliography", "Copy Special"};
    NamedBar* bars[4];
    for (int i = 0; i < 4; ++i) {
        bars[i] = new NamedBar;
        bars[i]->m_bAutoDelete = TRUE;
        bars[i]->m_size = CSize(i == 2 ? 130 : 100, 28);
        bars[i]->Create(frame, ID_BAR_ONE + i, names[i]);
        bars[i]->EnableDocking(CBRS_ALIGN_ANY);
    }
    frame->DockControlBar(bars[0], AFX_IDW_DOCKBAR_TOP);
    frame->RecalcLayout();
    CRect rect;
    bars[0]->GetWindowRect(&rect);
    rect.OffsetRect(1, 0);
    frame->DockControlBar(bars[1], AFX_IDW_DOCKBAR_TOP, &rect);
    frame->DockControlBar(bars[2], AFX_IDW_DOCKBAR_LEFT);
    CDialogTemplate dlg(WS_CHILD | DS_CONTROL, 0, 0, 0, 200, 18, "", "MS Shell Dlg", 8);
    dlg.AddItem(WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 4, 5, 40, 9, 0xFFFF, AFX_DLGCLASS_STATIC, "Title:");
    dlg.AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, 44, 3, 150, 12, 2358,
                AFX_DLGCLASS_EDIT, "Journal Article");
    CDialogBar* pDialogBar = new CDialogBar;
    pDialogBar->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pDialogBar->CreateIndirect(frame, dlg.Get(), WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                                           AFX_IDW_CONTROLBAR_FIRST + 0x12));
    CPoint point(300, 180);
    frame->ClientToScreen(&point);
    frame->FloatControlBar(bars[3], point, CBRS_ALIGN_TOP);
    frame->RecalcLayout();
    PumpPending();
    ::RedrawWindow(frame->m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HWND hWndFloat = ::GetParent(bars[3]->m_pDockBar->m_hWnd);
    ::RedrawWindow(hWndFloat, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    for (int i = 0; i < 10; ++i) {
        PumpPending();
        ::Sleep(50); // the X server catches up
    }
    const CString path = CString(folder) + "\\docked-and-floating-bars.bmp";
    // The floating frame lies over the frame's pane: one picture shows both.
    EXPECT_GT(SaveWindowPicture(frame->m_hWnd, path), 2) << path;
    fixture.Destroy();
}

} // namespace
