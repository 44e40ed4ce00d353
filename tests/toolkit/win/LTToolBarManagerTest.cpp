// The toolbar manager of a frame with toolkit dock bars: default toolbars from a fresh profile, user
// toolbars, the look settings in the profile, check buttons across bars and notifications to listeners.
#include "LTDockingTestSupport.h"
#include "ToolBarTestSupport.h"

#include "classlib/WinApp.h"
#include "toolkit/win/LTGlobalData.h"
#include "toolkit/win/LTToolBarManager.h"
#include "toolkit/win/LoadSysColorBitmap.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const UINT kFile[] = {57600, 57601, 57603, 0, 57607, 0, 57635, 57634, 57637, 57632};
const UINT kText[] = {33997, 34000, 33996, 33999, 34004, 34002, 34001, 0, 33998, 34003};
const UINT kBibliography[] = {33770, 33772, 33773, 33774};
const UINT kCopySpecial[] = {33783, 33784, 33782};
const UINT kImages[] = {57600, 57601, 57603, 57607, 57635, 57634, 57637, 57632, 33997, 34000, 33996, 33999,
                        34004, 34002, 34001, 33998, 34003, 33770, 33772, 33773, 33774, 33783, 33784, 33782};
const int kImageCount = sizeof kImages / sizeof kImages[0];
const char* const kBase = "Toolbars\\Main";
const char* const kSection = "Toolbars\\Main-ToolBarManager";

const ToolBarButtonMapEntry kButtonMap[] = {
    {&ToolBarButton::classToolBarButton, 33996, LTBS_CHECKBOX, {}},
    {&ToolBarButton::classToolBarButton, 33999, LTBS_CHECKBOX, {}},
    {nullptr, 0, 0, {}},
};

// Records the bar notifications it is sent.
class Listener : public CWnd
{
public:
    std::vector<std::pair<WPARAM, LPARAM>> m_notes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_BARNOTIFY)
            m_notes.emplace_back(wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class LTToolBarManagerTest : public ::testing::Test, public LTDockingFixture
{
protected:
    RecordingApp app;
    std::unique_ptr<LTToolBarManager> manager;

    void SetUp() override
    {
        app.SetProfileName("Toolkit Manager Test");
        app.DeleteProfileTree();
        MakeToolkitFrame(app, 640, 300);
        // Commands without a handler stay enabled.
        frame->m_bAutoMenuEnable = FALSE;
        manager = std::make_unique<LTToolBarManager>(frame);
        const std::vector<BYTE> dib = StripDib(kImageCount);
        CBitmap strip;
        ASSERT_TRUE(LoadSysColorBitmapFromDib(&strip, dib.data(), static_cast<DWORD>(dib.size())));
        manager->SetButtonBitmap(static_cast<HBITMAP>(strip.Detach()), kImages, kImageCount, 16, 15);
        manager->SetButtonMap(kButtonMap);
    }
    void TearDown() override
    {
        // The bars go before their manager.
        Destroy();
        manager.reset();
        app.DeleteProfileTree();
    }
    void AddDefaults()
    {
        manager->AddDefaultToolBar(0xE800, "File", 10, kFile, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0, TRUE,
                                   TRUE);
        manager->AddDefaultToolBar(59398, "Text", 10, kText, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0xE800,
                                   TRUE, TRUE);
        manager->AddDefaultToolBar(59399, "Bibliography", 4, kBibliography, CBRS_ALIGN_ANY,
                                   AFX_IDW_DOCKBAR_TOP, 0, TRUE, FALSE);
        manager->AddDefaultToolBar(59400, "Copy Special", 3, kCopySpecial, CBRS_ALIGN_ANY,
                                   AFX_IDW_DOCKBAR_TOP, 59399, TRUE, FALSE);
    }
    LTCustomToolBar* Bar(UINT nID) const
    {
        CControlBar* pBar = frame->GetControlBar(nID);
        return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(LTCustomToolBar))
                   ? static_cast<LTCustomToolBar*>(pBar)
                   : nullptr;
    }
    static std::string Title(CWnd* pWnd)
    {
        CString text;
        pWnd->GetWindowText(text);
        return std::string(static_cast<LPCTSTR>(text));
    }
};

TEST_F(LTToolBarManagerTest, AFreshProfileCreatesTheDefaultToolBars)
{
    AddDefaults();
    manager->SetCoolLook(TRUE, 0x0300);
    manager->LoadSettings(kBase);
    const struct
    {
        UINT nID;
        const char* title;
        BOOL bVisible;
        int nButtons;
    } expected[] = {{0xE800, "File", TRUE, 10},
                    {59398, "Text", TRUE, 10},
                    {59399, "Bibliography", FALSE, 4},
                    {59400, "Copy Special", FALSE, 3}};
    LTDockBar* pTop = LTSide(AFX_IDW_DOCKBAR_TOP);
    for (const auto& e : expected) {
        LTCustomToolBar* pBar = Bar(e.nID);
        ASSERT_NE(nullptr, pBar) << e.title;
        EXPECT_EQ(std::string(e.title), Title(pBar));
        EXPECT_EQ(e.bVisible, pBar->IsVisible()) << e.title;
        EXPECT_EQ(e.nButtons, pBar->GetButtonCount()) << e.title;
        EXPECT_EQ(pTop, pBar->m_pDockBar) << e.title;
        EXPECT_EQ(static_cast<DWORD>(0x0300 | BAR_EX_TOOLBAR_LAYOUT), pBar->GetExBarStyle() & 0x0304)
            << e.title;
        EXPECT_EQ(static_cast<DWORD>(CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC),
                  pBar->GetBarStyle() & (CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC))
            << e.title;
        EXPECT_EQ(manager.get(), pBar->m_pBarManager);
        EXPECT_EQ(static_cast<UINT>(LTTB_BAR_TYPE_ID), manager->GetBarTypeID(pBar));
    }
    // Side by side in pairs: File and Text in the first row, the hidden pair in the second.
    const std::vector<void*> rows = {nullptr,    Bar(0xE800), Bar(59398), nullptr,
                                     Bar(59399), Bar(59400),  nullptr};
    ASSERT_EQ(static_cast<int>(rows.size()), pTop->m_arrBars.GetSize());
    for (int i = 0; i < pTop->m_arrBars.GetSize(); ++i)
        EXPECT_EQ(rows[static_cast<size_t>(i)], pTop->m_arrBars[i]) << i;
    const CRect file = RectInParent(Bar(0xE800)), text = RectInParent(Bar(59398));
    EXPECT_EQ(file.top, text.top);
    EXPECT_EQ(file.right, text.left) << "flat toolbars do not overlap";
    // The check buttons of the map.
    const int nBold = Bar(59398)->CommandToIndex(33996);
    EXPECT_EQ(static_cast<DWORD>(LTBS_CHECKBOX), Bar(59398)->GetButton(nBold)->m_dwStyle & 0xFFFF);

    UINT nCount = 0;
    const UINT* pIDs = nullptr;
    EXPECT_TRUE(manager->GetDefaultButtons(59399, &nCount, &pIDs));
    EXPECT_EQ(4u, nCount);
    EXPECT_EQ(kBibliography, pIDs);
    EXPECT_FALSE(manager->GetDefaultButtons(59401, &nCount, &pIDs));
    // Found by where they are on the screen.
    CRect rect;
    Bar(59398)->GetWindowRect(&rect);
    EXPECT_EQ(Bar(59398), manager->FindBarAt(CRect(rect.CenterPoint(), CSize(1, 1))));
    EXPECT_EQ(nullptr, manager->FindBarAt(CRect(-500, -500, -490, -490)));

    // A layout restored with bars makes no defaults.
    LTToolBarManager second(frame);
    second.AddDefaultToolBar(59401, "Extra", 4, kBibliography, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP, 0, TRUE,
                             TRUE);
    second.LoadSettings(kBase);
    EXPECT_EQ(nullptr, frame->GetControlBar(59401));
    EXPECT_EQ(&second, Bar(0xE800)->m_pBarManager);
    for (const auto& e : expected)
        Bar(e.nID)->m_pBarManager = manager.get();
}

TEST_F(LTToolBarManagerTest, UserToolBarsTakeTheFirstFreeId)
{
    manager->SetCustomizeMode(TRUE);
    LTCustomToolBar* pFirst = manager->CreateUserToolBar();
    ASSERT_NE(nullptr, pFirst);
    EXPECT_EQ(59424, pFirst->GetDlgCtrlID());
    EXPECT_EQ("ToolBar1", Title(pFirst));
    EXPECT_TRUE(pFirst->m_bCustomize);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_ANY), pFirst->m_dwDockStyle & CBRS_ALIGN_ANY);
    EXPECT_EQ(nullptr, pFirst->m_pDockBar) << "neither docked nor floated";
    LTCustomToolBar* pSecond = manager->CreateUserToolBar("Mine");
    EXPECT_EQ(59425, pSecond->GetDlgCtrlID());
    EXPECT_EQ("Mine", Title(pSecond));
    pFirst->DestroyWindow();
    LTCustomToolBar* pThird = manager->CreateUserToolBar();
    EXPECT_EQ(59424, pThird->GetDlgCtrlID());
    EXPECT_EQ("ToolBar1", Title(pThird));
    LTCustomToolBar* pFourth = manager->CreateUserToolBar(std::string(200, 'x').c_str());
    EXPECT_EQ(59426, pFourth->GetDlgCtrlID());
    EXPECT_EQ(111, static_cast<int>(Title(pFourth).size()));
    // Up to 59647; then none.
    int nMade = 3;
    while (manager->CreateUserToolBar() != nullptr)
        ++nMade;
    EXPECT_EQ(224, nMade);
}

TEST_F(LTToolBarManagerTest, TheLookFollowsTheProfile)
{
    AddDefaults();
    manager->SetCoolLook(TRUE, 0x0300);
    ASSERT_TRUE(manager->CreateDefaultToolBars());
    AfxGetApp()->WriteProfileInt(kSection, "CoolLook", 0);
    AfxGetApp()->WriteProfileInt(kSection, "ToolTips", 0);
    manager->LoadSettings(kBase);
    EXPECT_FALSE(manager->GetCoolLook());
    for (UINT nID : {0xE800u, 59398u, 59399u, 59400u}) {
        EXPECT_EQ(0u, Bar(nID)->GetExBarStyle() & 0x0300) << nID;
        EXPECT_EQ(0u, Bar(nID)->GetBarStyle() & CBRS_TOOLTIPS) << nID;
    }
    // The same value again changes nothing.
    Bar(0xE800)->ModifyExBarStyle(0, 0x0300, FALSE);
    manager->SetCoolLook(FALSE, 0x0300);
    EXPECT_EQ(0x0300u, Bar(0xE800)->GetExBarStyle() & 0x0300);
    manager->SetCoolLook(TRUE, 0x0300);
    EXPECT_EQ(0x0300u, Bar(59398)->GetExBarStyle() & 0x0300);

    manager->SaveSettings(kBase);
    EXPECT_EQ(1u, AfxGetApp()->GetProfileInt(kSection, "CoolLook", 7));
    EXPECT_EQ(0u, AfxGetApp()->GetProfileInt(kSection, "ToolTips", 7));
    EXPECT_EQ(0u, AfxGetApp()->GetProfileInt(kSection, "LargeButtons", 7));
    // Without a toolbar resource the bitmap stays as it was.
    const HBITMAP hBefore = Bar(0xE800)->m_hBitmap;
    EXPECT_FALSE(manager->ReloadBitmap());
    EXPECT_EQ(hBefore, Bar(0xE800)->m_hBitmap);
    EXPECT_FALSE(manager->LoadButtonBitmap("NoSuchToolBar"));
}

TEST_F(LTToolBarManagerTest, CheckButtonsToggleOnEveryBarAndListenersHearOfBars)
{
    Listener listener;
    listener.CreateEx(0, AfxRegisterWndClass(0), "listener", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
    manager->AddListener(&listener);
    LTCustomToolBar* pOne = manager->CreateUserToolBar();
    LTCustomToolBar* pTwo = manager->CreateUserToolBar();
    const UINT ids[] = {33996, 33999};
    pOne->SetButtons(ids, 2);
    pTwo->SetButtons(ids, 2);
    manager->DockOn(pOne, AFX_IDW_DOCKBAR_TOP, nullptr);
    manager->DockOn(pTwo, AFX_IDW_DOCKBAR_TOP, nullptr);
    frame->RecalcLayout();
    const CPoint bold = pOne->GetButton(0)->GetRect().CenterPoint();
    for (BOOL bChecked : {TRUE, FALSE}) {
        ::PostMessage(pOne->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bold.x, bold.y));
        ::PostMessage(pOne->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(bold.x, bold.y));
        PumpPending();
        EXPECT_EQ(bChecked, (pOne->GetButton(0)->m_dwStyle & LTBS_CHECKED) != 0);
        EXPECT_EQ(bChecked, (pTwo->GetButton(0)->m_dwStyle & LTBS_CHECKED) != 0);
        EXPECT_EQ(0u, pTwo->GetButton(1)->m_dwStyle & LTBS_CHECKED);
    }

    listener.m_notes.clear();
    frame->ShowControlBar(pTwo, FALSE, FALSE);
    frame->ShowControlBar(pTwo, TRUE, FALSE);
    const UINT nTwo = static_cast<UINT>(pTwo->GetDlgCtrlID());
    pTwo->DestroyWindow();
    // Hidden, shown, (hidden as it goes,) destroyed.
    ASSERT_GE(listener.m_notes.size(), 3u);
    const std::pair<WPARAM, LPARAM> hidden(nTwo, LTBN_HIDDEN), shown(nTwo, LTBN_SHOWN),
        gone(nTwo, LTBN_DESTROYED);
    EXPECT_EQ(hidden, listener.m_notes[0]);
    EXPECT_EQ(shown, listener.m_notes[1]);
    EXPECT_EQ(gone, listener.m_notes.back());
    manager->RemoveListener(&listener);
    listener.m_notes.clear();
    manager->CreateUserToolBar();
    EXPECT_TRUE(listener.m_notes.empty());
    listener.DestroyWindow();
}

} // namespace
