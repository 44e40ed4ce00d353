// Dialogs driven by messages in their own modal loop: data exchange both ways, validation that keeps the
// dialog open with the focus on the field, the owner disabled during the run, the message filter with
// code 0; a modeless dialog.
#include "DialogTestSupport.h"
#include "WndTestSupport.h"

#include "classlib/MessageBox.h"
#include "classlib/win/DDX.h"
#include "classlib/win/DialogTemplate.h"
#include "classlib/win/Edit.h"

#include <gtest/gtest.h>

namespace {

enum
{
    IDC_NAME = 100,
    IDC_COUNT,
    IDC_FLAG,
    IDC_RADIO0,
    IDC_RADIO1,
    IDC_RADIO2,
    IDC_COMBO,
    IDC_LIST
};

CDialogTemplate MakeTemplate(DWORD dwStyle)
{
    CDialogTemplate t(dwStyle, 0, 0, 0, 200, 130, "Exchange");
    const DWORD child = WS_CHILD | WS_VISIBLE;
    t.AddItem(child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 7, 7, 120, 12, IDC_NAME, AFX_DLGCLASS_EDIT,
              "");
    t.AddItem(child | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 7, 23, 60, 12, IDC_COUNT, AFX_DLGCLASS_EDIT,
              "");
    t.AddItem(child | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 7, 39, 80, 10, IDC_FLAG, AFX_DLGCLASS_BUTTON, "&Flag");
    t.AddItem(child | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, 7, 53, 50, 10, IDC_RADIO0,
              AFX_DLGCLASS_BUTTON, "Zero");
    t.AddItem(child | BS_AUTORADIOBUTTON, 0, 60, 53, 50, 10, IDC_RADIO1, AFX_DLGCLASS_BUTTON, "One");
    t.AddItem(child | BS_AUTORADIOBUTTON, 0, 113, 53, 50, 10, IDC_RADIO2, AFX_DLGCLASS_BUTTON, "Two");
    t.AddItem(child | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 7, 67, 80, 60, IDC_COMBO,
              AFX_DLGCLASS_COMBOBOX, "");
    t.AddItem(child | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0, 95, 67, 60, 40, IDC_LIST,
              AFX_DLGCLASS_LISTBOX, "");
    t.AddItem(child | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0, 89, 112, 50, 14, IDOK, AFX_DLGCLASS_BUTTON,
              "OK");
    t.AddItem(child | WS_TABSTOP | BS_PUSHBUTTON, 0, 143, 112, 50, 14, IDCANCEL, AFX_DLGCLASS_BUTTON,
              "Cancel");
    return t;
}

class ExchangeDialog : public CDialog
{
public:
    CString m_name = "Smith";
    int m_count = 7;
    int m_flag = 1;
    int m_radio = 2;
    CString m_combo = "Beta";
    CString m_list = "Two";
    CEdit m_nameEdit;
    DialogScript script;
    int initCalls = 0;

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 10);
        DDX_Text(pDX, IDC_COUNT, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 99);
        DDX_Check(pDX, IDC_FLAG, m_flag);
        DDX_Radio(pDX, IDC_RADIO0, m_radio);
        DDX_CBString(pDX, IDC_COMBO, m_combo);
        DDX_LBString(pDX, IDC_LIST, m_list);
    }
    BOOL OnInitDialog() override
    {
        ++initCalls;
        for (LPCTSTR item : {"Alpha", "Beta", "Gamma"})
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        for (LPCTSTR item : {"One", "Two", "Three"})
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        return CDialog::OnInitDialog();
    }
    LRESULT OnKickIdle(WPARAM, LPARAM) { return script.Kick(*this); }
    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDialog, CDialog)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class DialogTest : public ::testing::Test
{
protected:
    RecordingApp app;
    CWnd owner;
    CDialogTemplate tmpl = MakeTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
    ExchangeDialog dlg;
    CMessageBoxScript boxes;

    void SetUp() override
    {
        PumpPending();
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                   nullptr, nullptr));
        dlg.InitModalIndirect(tmpl.Get(), &owner);
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        PumpPending();
    }
};

TEST_F(DialogTest, ModalRunLoadsSavesDisablesTheOwnerAndFiltersWithCodeZero)
{
    BOOL bOwnerEnabledDuringRun = TRUE;
    dlg.script.steps = {[&] {
        // Loaded from the members.
        EXPECT_STREQ("Smith", DlgItemText(dlg.m_hWnd, IDC_NAME));
        EXPECT_STREQ("7", DlgItemText(dlg.m_hWnd, IDC_COUNT));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dlg.m_hWnd, IDC_FLAG));
        EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(dlg.m_hWnd, IDC_RADIO2));
        EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(dlg.m_hWnd, IDC_RADIO0));
        EXPECT_EQ(1, ::SendMessage(dlg.Item(IDC_COMBO), CB_GETCURSEL, 0, 0));
        EXPECT_EQ(1, ::SendMessage(dlg.Item(IDC_LIST), LB_GETCURSEL, 0, 0));
        EXPECT_EQ(dlg.Item(IDC_NAME), dlg.m_nameEdit.m_hWnd);
        // The name limits typing to its maximum.
        EXPECT_EQ(10, ::SendMessage(dlg.Item(IDC_NAME), EM_GETLIMITTEXT, 0, 0));
        bOwnerEnabledDuringRun = owner.IsWindowEnabled();
        // The user's changes, then Enter in the name box.
        ::SetDlgItemText(dlg.m_hWnd, IDC_NAME, "Jones");
        ::SetDlgItemText(dlg.m_hWnd, IDC_COUNT, " 42 ");
        ::CheckDlgButton(dlg.m_hWnd, IDC_FLAG, BST_UNCHECKED);
        ::CheckRadioButton(dlg.m_hWnd, IDC_RADIO0, IDC_RADIO2, IDC_RADIO0);
        ::SendMessage(dlg.Item(IDC_COMBO), CB_SETCURSEL, 2, 0);
        ::SendMessage(dlg.Item(IDC_LIST), LB_SETCURSEL, 0, 0);
        PostKey(dlg.Item(IDC_NAME), VK_RETURN);
    }};

    EXPECT_EQ(IDOK, dlg.DoModal());

    EXPECT_EQ(1, dlg.initCalls);
    EXPECT_FALSE(bOwnerEnabledDuringRun);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_STREQ("Jones", dlg.m_name);
    EXPECT_EQ(42, dlg.m_count);
    EXPECT_EQ(0, dlg.m_flag);
    EXPECT_EQ(0, dlg.m_radio);
    EXPECT_STREQ("Gamma", dlg.m_combo);
    EXPECT_STREQ("One", dlg.m_list);
    EXPECT_EQ(0, boxes.CallCount());
    EXPECT_TRUE(app.WasFiltered(MSGF_DIALOGBOX, WM_KEYDOWN));
}

TEST_F(DialogTest, FailedValidationKeepsTheDialogOpenWithTheFocusOnTheField)
{
    struct Case
    {
        int nID;
        LPCTSTR text;
        LPCTSTR prompt;
    };
    const Case cases[] = {
        {IDC_COUNT, "abc", "Please enter an integer."},
        {IDC_COUNT, "500", "Please enter an integer between 1 and 99."},
        {IDC_COUNT, "99999999999", "Please enter an integer."},
        {IDC_NAME, "Longer than ten", "Please enter no more than 10 characters."},
    };
    std::vector<std::function<void()>> steps;
    for (const Case& c : cases) {
        steps.push_back([&dlg = dlg, &c] {
            ::SetDlgItemText(dlg.m_hWnd, c.nID, c.text);
            ::PostMessage(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                          reinterpret_cast<LPARAM>(dlg.Item(IDOK)));
        });
        steps.push_back([&dlg = dlg, &boxes = boxes, &c] {
            SCOPED_TRACE(c.text);
            ASSERT_GT(boxes.CallCount(), 0);
            EXPECT_STREQ(c.prompt, boxes.LastCall().text);
            EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
            EXPECT_EQ(dlg.Item(c.nID), ::GetFocus());
            // The whole wrong text is selected for typing over.
            DWORD start = 1;
            DWORD end = 0;
            ::SendMessage(dlg.Item(c.nID), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                          reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(0u, start);
            EXPECT_EQ(static_cast<DWORD>(lstrlen(c.text)), end);
            ::SetDlgItemText(dlg.m_hWnd, IDC_NAME, "Ok");
            ::SetDlgItemText(dlg.m_hWnd, IDC_COUNT, "5");
        });
    }
    steps.push_back([&] { PostKey(dlg.Item(IDC_COUNT), VK_RETURN); });
    dlg.script.steps = steps;

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(4, boxes.CallCount());
    EXPECT_EQ(5, dlg.m_count);
    EXPECT_STREQ("Ok", dlg.m_name);
}

TEST_F(DialogTest, EscapeCancelsWithoutTouchingTheMembers)
{
    dlg.script.steps = {[&] {
        ::SetDlgItemText(dlg.m_hWnd, IDC_NAME, "Changed");
        ::SetDlgItemText(dlg.m_hWnd, IDC_COUNT, "abc");
        PostKey(dlg.Item(IDC_COUNT), VK_ESCAPE);
    }};
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_STREQ("Smith", dlg.m_name);
    EXPECT_EQ(7, dlg.m_count);
    EXPECT_EQ(0, boxes.CallCount());
    EXPECT_TRUE(owner.IsWindowEnabled());
}

class EndsAtOnce : public CDialog
{
public:
    BOOL OnInitDialog() override
    {
        EndDialog(77);
        return TRUE;
    }
};

TEST_F(DialogTest, EndDialogFromOnInitDialogSkipsTheLoop)
{
    EndsAtOnce quick;
    quick.InitModalIndirect(tmpl.Get(), &owner);
    EXPECT_EQ(77, quick.DoModal());
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, quick.m_hWnd);
}

TEST_F(DialogTest, ModelessDialogExchangesOnRequestAndEndDialogOnlyHides)
{
    CDialogTemplate modeless = MakeTemplate(WS_POPUP | WS_CAPTION | WS_VISIBLE);
    ExchangeDialog box;
    ASSERT_TRUE(box.CreateIndirect(modeless.Get(), &owner));
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_STREQ("Smith", DlgItemText(box.m_hWnd, IDC_NAME));
    // Text that is no number leaves the member alone.
    ::SetDlgItemText(box.m_hWnd, IDC_COUNT, "x1");
    EXPECT_FALSE(box.UpdateData(TRUE));
    EXPECT_EQ(box.Item(IDC_COUNT), ::GetFocus());
    EXPECT_EQ(7, box.m_count);
    ::SetDlgItemText(box.m_hWnd, IDC_COUNT, "12");
    EXPECT_TRUE(box.UpdateData(TRUE));
    EXPECT_EQ(12, box.m_count);
    box.EndDialog(IDOK);
    EXPECT_TRUE(::IsWindow(box.m_hWnd));
    EXPECT_FALSE(box.IsWindowVisible());
    box.DestroyWindow();
    EXPECT_EQ(nullptr, box.m_hWnd);
}

TEST(DialogTemplateTest, HeaderReadsBackWhatWasBuilt)
{
    CDialogTemplate t(WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, 1, 2, 150, 90, "Title");
    t.AddItem(WS_CHILD, 0, 0, 0, 10, 10, 1, AFX_DLGCLASS_STATIC, "x");
    const CDialogTemplate::Header h = CDialogTemplate::ReadHeader(t.Get());
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_SETFONT), h.style);
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOOLWINDOW), h.exStyle);
    EXPECT_EQ(150, h.cx);
    EXPECT_EQ(90, h.cy);
    EXPECT_FALSE(h.bClassGiven);
    EXPECT_STREQ("Title", h.caption);
}

} // namespace
