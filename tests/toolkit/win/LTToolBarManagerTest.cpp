// The toolbar manager of a frame with toolkit dock bars: default toolbars from a fresh profile, user
// toolbars, the look settings in the profile, check buttons across bars and notifications to listeners.
#include "LTDockingTestSupport.h"
#include "ToolBarTestSupport.h"

#include "classlib/MemFile.h"
#include "classlib/WinApp.h"
#include "toolkit/win/LTGlobalData.h"
#include "toolkit/win/LTCustomToolBarInfoEx.h"
#include "toolkit/win/LTToolBarManager.h"
#include "toolkit/win/ToolBarWndButton.h"
#include "toolkit/win/LoadSysColorBitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

// The main frame's map: check buttons, and the font and size combo boxes (window id, style, width, minimum
// width, drop height; little-endian).
const ToolBarButtonMapEntry kButtonMap[] = {
    {&ToolBarButton::classToolBarButton, 33996, LTBS_CHECKBOX, {}},
    {&ToolBarButton::classToolBarButton, 33999, LTBS_CHECKBOX, {}},
    {&ToolBarComboButton::classToolBarComboButton,
     33997,
     0,
     {0xCD, 0x84, 0, 0, 0x02, 0x01, 0x21, 0x50, 150, 0, 40, 0, 0x90, 0x01}},
    {&ToolBarComboButton::classToolBarComboButton,
     34000,
     0,
     {0xD0, 0x84, 0, 0, 0x02, 0x00, 0x21, 0x50, 60, 0, 40, 0, 200, 0}},
    {nullptr, 0, 0, {}},
};

// Records the window buttons' notifications.
class WndButtonOwner : public CWnd
{
public:
    std::vector<std::pair<WPARAM, LPARAM>> m_notes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SECTOOLBARWNDNOTIFY)
            m_notes.emplace_back(wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
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

TEST_F(LTToolBarManagerTest, WhileCustomisingAFloatingBarHidesAtOnce)
{
    for (BOOL bCustomize : {FALSE, TRUE}) {
        manager->SetCustomizeMode(bCustomize);
        LTCustomToolBar* pBar = manager->CreateUserToolBar();
        const UINT ids[] = {57600};
        pBar->SetButtons(ids, 1);
        frame->FloatControlBar(pBar, CPoint(300, 300), CBRS_ALIGN_TOP);
        frame->RecalcLayout();
        ASSERT_TRUE(pBar->IsFloating());
        frame->ShowControlBar(pBar, FALSE, TRUE);
        EXPECT_FALSE(pBar->IsVisible());
        PumpPending();
        // Delayed until the next layout, unless customising.
        EXPECT_EQ(!bCustomize, (pBar->GetStyle() & WS_VISIBLE) != 0) << bCustomize;
        const LPARAM lParam = MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN);
        const WPARAM wParam = reinterpret_cast<WPARAM>(frame->m_hWnd);
        EXPECT_NE(MA_NOACTIVATE, pBar->SendMessage(WM_MOUSEACTIVATE, wParam, lParam))
            << "floating: activated";
        // Docked bars being customised leave the activation as it is.
        manager->DockOn(pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
        EXPECT_EQ(bCustomize, pBar->SendMessage(WM_MOUSEACTIVATE, wParam, lParam) == MA_NOACTIVATE)
            << bCustomize;
    }
}

TEST_F(LTToolBarManagerTest, ComboButtonsHostTheirWindowOnHorizontalBars)
{
    WndButtonOwner owner;
    owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
    LTCustomToolBar* pBar = manager->CreateUserToolBar();
    pBar->SetOwner(&owner);
    const UINT ids[] = {33997, 0, 33996};
    pBar->SetButtons(ids, 3);
    HWND hCombo = ::GetDlgItem(pBar->m_hWnd, 33997);
    ASSERT_NE(nullptr, hCombo);
    ASSERT_EQ(1u, owner.m_notes.size());
    EXPECT_EQ(MAKEWPARAM(33997, LTWBN_CREATED), owner.m_notes[0].first);
    EXPECT_EQ(reinterpret_cast<LPARAM>(hCombo), owner.m_notes[0].second);
    EXPECT_EQ(static_cast<LONG>(CBS_DROPDOWN | CBS_SORT),
              ::GetWindowLong(hCombo, GWL_STYLE) & (3 | CBS_SORT));

    // Enter in the edit field is the owner's, not the field's.
    HWND hEdit = ::GetWindow(hCombo, GW_CHILD);
    ASSERT_NE(nullptr, hEdit);
    owner.m_notes.clear();
    EXPECT_EQ(0, ::SendMessage(hEdit, WM_KEYDOWN, VK_RETURN, 0));
    ASSERT_EQ(1u, owner.m_notes.size());
    EXPECT_EQ(MAKEWPARAM(33997, LTWBN_ENTER), owner.m_notes[0].first);

    const struct
    {
        UINT nSide;
        BOOL bShown;
        int nWidth; // the button's
    } sides[] = {{AFX_IDW_DOCKBAR_TOP, TRUE, 150},
                 {AFX_IDW_DOCKBAR_LEFT, FALSE, 23},
                 {AFX_IDW_DOCKBAR_TOP, TRUE, 150}};
    auto* pButton = static_cast<ToolBarComboButton*>(static_cast<ToolBarWndButton*>(pBar->GetButton(0)));
    for (const auto& side : sides) {
        manager->DockOn(pBar, side.nSide, nullptr);
        frame->RecalcLayout();
        EXPECT_EQ(side.bShown, ::IsWindowVisible(hCombo) != FALSE) << side.nSide;
        EXPECT_EQ(side.nWidth, pButton->m_cx) << side.nSide;
        if (side.bShown) {
            const CRect rect = RectInParent(pButton);
            EXPECT_EQ(146, rect.Width());
            EXPECT_EQ(pButton->m_x + 2, rect.left);
            EXPECT_EQ(pBar->GetButton(1)->m_x, pButton->m_x + 150) << "the separator follows the combo";
        }
    }
    owner.DestroyWindow();
}

TEST_F(LTToolBarManagerTest, ButtonListsSaveAndRestoreByteForByte)
{
    LTCustomToolBar* pBar = manager->CreateUserToolBar();
    const UINT ids[] = {33997, 0, 34000};
    pBar->SetButtons(ids, 3);
    manager->DockOn(pBar, AFX_IDW_DOCKBAR_TOP, nullptr);
    frame->RecalcLayout();
    LTCustomToolBarInfoEx info;
    pBar->GetButtonsInfo(&info);
    EXPECT_EQ("ToolBar1", std::string(static_cast<LPCTSTR>(info.m_strTitle)));
    const std::vector<BYTE> buttons = {0xCD, 0x84, 0,    0,    2, 150, 0, 0,  0, 0,
                                       0,    0,    0xD0, 0x84, 0, 0,   2, 60, 0};
    EXPECT_EQ(buttons, info.ButtonsValue());

    const char* const section = "Toolbars\\Main-Bar3";
    info.SaveToProfile(section);
    BYTE* pData = nullptr;
    UINT nSize = 0;
    ASSERT_TRUE(AfxGetApp()->GetProfileBinary(section, "Buttons", &pData, &nSize));
    EXPECT_EQ(buttons, std::vector<BYTE>(pData, pData + nSize));
    delete[] pData;
    EXPECT_EQ("ToolBar1",
              std::string(static_cast<LPCTSTR>(AfxGetApp()->GetProfileString(section, "Title", "-"))));

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        info.ArchiveState(ar);
        ar.Close();
    }
    std::vector<BYTE> archived = {8, 'T', 'o', 'o', 'l', 'B', 'a', 'r', '1', 3, 0, 0, 0};
    archived.insert(archived.end(), buttons.begin(), buttons.end());
    const DWORD nLength = file.GetLength();
    BYTE* pArchived = file.Detach();
    EXPECT_EQ(archived, std::vector<BYTE>(pArchived, pArchived + nLength));

    // Restored: the same buttons, a window button at its saved width.
    LTCustomToolBarInfoEx loaded;
    {
        CMemFile in(pArchived, nLength);
        CArchive ar(&in, CArchive::load);
        loaded.ArchiveState(ar);
    }
    std::free(pArchived);
    EXPECT_EQ(info.m_buttons, loaded.m_buttons);
    loaded.m_buttons[0].data = {200, 0};
    loaded.m_strTitle = "";
    LTCustomToolBar* pOther = manager->CreateUserToolBar("Other");
    manager->DockOn(pOther, AFX_IDW_DOCKBAR_TOP, nullptr);
    pOther->SetButtonsInfo(&loaded);
    frame->RecalcLayout();
    EXPECT_EQ("Other", Title(pOther)) << "an empty saved title leaves the bar's";
    ASSERT_EQ(3, pOther->GetButtonCount());
    EXPECT_EQ(200, pOther->GetButton(0)->m_cx);
    EXPECT_TRUE(pOther->GetButton(1)->IsSeparator());
    EXPECT_EQ(60, pOther->GetButton(2)->m_cx);

    // No title: none written; a value cut short keeps the whole records before the cut.
    LTCustomToolBarInfoEx untitled;
    untitled.m_buttons = {{57600, {}}};
    untitled.SaveToProfile("Toolbars\\Main-Bar4");
    EXPECT_EQ("-", std::string(static_cast<LPCTSTR>(
                       AfxGetApp()->GetProfileString("Toolbars\\Main-Bar4", "Title", "-"))));
    const std::vector<LTToolBarButtonRecord> cut =
        LTCustomToolBarInfoEx::ParseButtonsValue(buttons.data(), static_cast<UINT>(buttons.size() - 1));
    ASSERT_EQ(2u, cut.size());
    EXPECT_EQ(33997u, cut[0].nID);
    EXPECT_EQ(0u, cut[1].nID);
}

} // namespace
