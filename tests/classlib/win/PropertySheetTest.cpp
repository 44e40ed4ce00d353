// Property sheets driven by messages: pages switched by clicking their tabs, OK applying every page, Cancel
// applying none, a page that fails validation refusing to be left; a modeless child sheet inside a window;
// pages as plain data (copied and serialised without a window).
#include "DialogTestSupport.h"
#include "WndTestSupport.h"

#include "classlib/Archive.h"
#include "classlib/MemFile.h"
#include "classlib/MessageBox.h"
#include "classlib/win/DDX.h"
#include "classlib/win/PropertyPage.h"
#include "classlib/win/PropertySheet.h"

#include <gtest/gtest.h>

namespace {

const int IDC_VALUE = 200;

CDialogTemplate MakePageTemplate(LPCTSTR lpszCaption)
{
    CDialogTemplate t(WS_CHILD | DS_CONTROL, 0, 0, 0, 160, 60, lpszCaption);
    t.AddItem(WS_CHILD | WS_VISIBLE, 0, 7, 9, 40, 8, 0xFFFF, AFX_DLGCLASS_STATIC, "&Value:");
    t.AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 50, 7, 60, 12, IDC_VALUE,
              AFX_DLGCLASS_EDIT, "");
    return t;
}

class NumberPage : public CPropertyPage
{
public:
    NumberPage(const CDialogTemplate& t, int value) : CPropertyPage(t.Get(), nullptr), m_value(value) {}
    int m_value;
    int applies = 0;
    int resets = 0;
    int setActives = 0;
    int killActives = 0;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_VALUE, m_value);
        DDV_MinMaxInt(pDX, m_value, 0, 100);
    }
    BOOL OnSetActive() override
    {
        ++setActives;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        ++killActives;
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        ++applies;
        return CPropertyPage::OnApply();
    }
    void OnReset() override
    {
        ++resets;
        CPropertyPage::OnReset();
    }
    HWND Edit() const { return ::GetDlgItem(m_hWnd, IDC_VALUE); }
};

class ScriptedSheet : public CPropertySheet
{
public:
    using CPropertySheet::CPropertySheet;
    DialogScript script;
    LRESULT OnKickIdle(WPARAM, LPARAM) { return script.Kick(*this); }
    // Clicks the tab of page nPage.
    void ClickTab(int nPage)
    {
        HWND hWndTab = GetTabControl()->GetSafeHwnd();
        RECT rc;
        TabCtrl_GetItemRect(hWndTab, nPage, &rc);
        PostClick(hWndTab, rc);
    }
    void Press(int nID)
    {
        PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(m_hWnd, nID));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScriptedSheet, CPropertySheet)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class PropertySheetTest : public ::testing::Test
{
protected:
    RecordingApp app;
    CMessageBoxScript boxes;
    CDialogTemplate firstTemplate = MakePageTemplate("First");
    CDialogTemplate secondTemplate = MakePageTemplate("Second");
    NumberPage first{firstTemplate, 1};
    NumberPage second{secondTemplate, 2};
    ScriptedSheet sheet{"Settings"};

    void SetUp() override
    {
        PumpPending();
        sheet.AddPage(&first);
        sheet.AddPage(&second);
    }
    void TearDown() override { PumpPending(); }
};

TEST_F(PropertySheetTest, OKAppliesEveryPageAfterTheTabsWereSwitched)
{
    sheet.script.steps = {[&] {
                              HWND hWndTab = sheet.GetTabControl()->GetSafeHwnd();
                              EXPECT_EQ(2, TabCtrl_GetItemCount(hWndTab));
                              EXPECT_EQ(0, sheet.GetActiveIndex());
                              EXPECT_TRUE(first.IsWindowVisible());
                              EXPECT_FALSE(second.IsWindowVisible());
                              // Both buttons and Apply, which waits for a change.
                              EXPECT_NE(nullptr, ::GetDlgItem(sheet.m_hWnd, IDOK));
                              EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW)));
                              EXPECT_STREQ("1", DlgItemText(first.m_hWnd, IDC_VALUE));
                              ::SetWindowText(first.Edit(), "10");
                              sheet.ClickTab(1);
                          },
                          [&] {
                              EXPECT_EQ(1, sheet.GetActiveIndex());
                              EXPECT_FALSE(first.IsWindowVisible());
                              EXPECT_TRUE(second.IsWindowVisible());
                              EXPECT_EQ(10, first.m_value); // saved on leaving
                              ::SetWindowText(second.Edit(), "20");
                              sheet.Press(IDOK);
                          }};
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(1, first.applies);
    EXPECT_EQ(1, second.applies);
    EXPECT_EQ(0, first.resets + second.resets);
    EXPECT_EQ(10, first.m_value);
    EXPECT_EQ(20, second.m_value);
    EXPECT_EQ(0, boxes.CallCount());
    EXPECT_EQ(nullptr, first.m_hWnd);
}

TEST_F(PropertySheetTest, CancelAppliesNoPage)
{
    sheet.script.steps = {[&] {
                              ::SetWindowText(first.Edit(), "10");
                              sheet.ClickTab(1);
                          },
                          [&] {
                              ::SetWindowText(second.Edit(), "20");
                              PostKey(second.Edit(), VK_ESCAPE);
                          }};
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(0, first.applies + second.applies);
    EXPECT_EQ(1, first.resets);
    EXPECT_EQ(1, second.resets);
    EXPECT_EQ(2, second.m_value);
}

TEST_F(PropertySheetTest, APageThatFailsValidationKeepsTheFrontAndTheSheetOpen)
{
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.script.steps = {[&] {
                              EXPECT_EQ(nullptr, ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW));
                              ::SetWindowText(first.Edit(), "1000");
                              sheet.ClickTab(1);
                          },
                          [&] {
                              EXPECT_EQ(1, boxes.CallCount());
                              EXPECT_EQ(0, sheet.GetActiveIndex());
                              EXPECT_TRUE(first.IsWindowVisible());
                              EXPECT_EQ(first.Edit(), ::GetFocus());
                              // Enter in the page is the sheet's OK: refused the same way.
                              PostKey(first.Edit(), VK_RETURN);
                          },
                          [&] {
                              EXPECT_EQ(2, boxes.CallCount());
                              EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
                              EXPECT_EQ(first.Edit(), ::GetFocus());
                              EXPECT_EQ(0, first.applies + second.applies);
                              ::SetWindowText(first.Edit(), "50");
                              PostKey(first.Edit(), VK_RETURN);
                          }};
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(50, first.m_value);
    EXPECT_EQ(1, first.applies);
    EXPECT_EQ(1, second.applies);
    EXPECT_STREQ("Please enter an integer between 0 and 100.", boxes.LastCall().text);
}

TEST_F(PropertySheetTest, ApplyAppliesEveryPageAndKeepsTheSheetOpen)
{
    sheet.script.steps = {[&] {
                              ::SetWindowText(first.Edit(), "30");
                              first.SetModified();
                              EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW)));
                              sheet.Press(ID_APPLY_NOW);
                          },
                          [&] {
                              EXPECT_EQ(30, first.m_value);
                              EXPECT_EQ(1, first.applies);
                              EXPECT_EQ(1, second.applies);
                              EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW)));
                              sheet.Press(IDCANCEL);
                          }};
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(1, first.applies);
}

TEST_F(PropertySheetTest, ChildSheetInsideAWindowSwitchesPagesByItsTabs)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                              400, 300, nullptr, nullptr));
    ASSERT_TRUE(sheet.Create(&host, WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(host.m_hWnd, ::GetParent(sheet.m_hWnd));
    EXPECT_EQ(nullptr, ::GetDlgItem(sheet.m_hWnd, IDOK)); // no buttons inside a window
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_EQ(1, first.setActives);
    // Every page lies in the tab control's display area.
    CRect rcTab;
    sheet.GetTabControl()->GetWindowRect(&rcTab);
    for (CPropertyPage* page : {static_cast<CPropertyPage*>(&first), static_cast<CPropertyPage*>(&second)}) {
        CRect rcPage;
        page->GetWindowRect(&rcPage);
        CRect both;
        both.IntersectRect(&rcTab, &rcPage);
        EXPECT_EQ(rcPage, both);
    }

    ::SetWindowText(first.Edit(), "40");
    sheet.ClickTab(1);
    PumpPending();
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_FALSE(first.IsWindowVisible());
    EXPECT_EQ(1, first.killActives);
    EXPECT_EQ(40, first.m_value);

    sheet.ClickTab(0);
    PumpPending();
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_TRUE(first.IsWindowVisible());
    // Enter and Escape inside a window end nothing.
    PostKey(first.Edit(), VK_ESCAPE);
    PumpPending();
    EXPECT_TRUE(::IsWindow(sheet.m_hWnd));
    EXPECT_EQ(0, first.resets);
    host.DestroyWindow();
    EXPECT_EQ(nullptr, sheet.m_hWnd);
    EXPECT_EQ(nullptr, first.m_hWnd);
}

// A settings group kept as a page: its members are the stored settings.
class SettingsPage : public CPropertyPage
{
    DECLARE_SERIAL(SettingsPage)
public:
    SettingsPage() : CPropertyPage(3000) {}
    SettingsPage(const SettingsPage&) = default;
    SettingsPage& operator=(const SettingsPage&) = default;
    CString m_text;
    int m_number = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_text << static_cast<LONG>(m_number);
        else {
            LONG n = 0;
            ar >> m_text >> n;
            m_number = static_cast<int>(n);
        }
    }
};
IMPLEMENT_SERIAL(SettingsPage, CPropertyPage, 1)

TEST(PropertyPageData, PagesAreCopiedAndSerialisedWithoutAWindow)
{
    SettingsPage page;
    page.m_text = "Title";
    page.m_number = 12;
    SettingsPage copy(page);
    EXPECT_STREQ("Title", copy.m_text);
    EXPECT_EQ(12, copy.m_number);
    SettingsPage assigned;
    assigned = page;
    EXPECT_EQ(12, assigned.m_number);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        page.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CObject* pObject = RUNTIME_CLASS(SettingsPage)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    auto* loaded = static_cast<SettingsPage*>(pObject);
    {
        CArchive ar(&file, CArchive::load);
        loaded->Serialize(ar);
    }
    EXPECT_STREQ("Title", loaded->m_text);
    EXPECT_EQ(12, loaded->m_number);
    for (const CWnd* wnd : {static_cast<CWnd*>(&page), static_cast<CWnd*>(&copy), static_cast<CWnd*>(loaded)})
        EXPECT_EQ(nullptr, wnd->m_hWnd);
    delete loaded;
}

} // namespace
