// Texts with control characters and list boxes of strings through data exchange, both ways; the system
// metrics records.
#include "classlib/win/DialogTestSupport.h"

#include "app/core/win/SystemMetrics.h"
#include "app/core/win/TextCodesExchange.h"
#include "classlib/win/DialogTemplate.h"

#include <gtest/gtest.h>

namespace {

const int IDC_TEXT = 10;
const int IDC_LIST = 11;

class TextCodesExchangeTest : public ::testing::Test
{
protected:
    CDialogTemplate tmpl{WS_POPUP, 0, 0, 0, 150, 100, "Exchange"};
    ExchangeHostDialog dlg;

    void SetUp() override
    {
        tmpl.AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 0, 5, 5, 140, 12, IDC_TEXT,
                     AFX_DLGCLASS_EDIT, "");
        tmpl.AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 5, 20, 140, 60, IDC_LIST, AFX_DLGCLASS_LISTBOX,
                     "");
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    }
};

TEST_F(TextCodesExchangeTest, ControlCharactersShowAsCodesAndComeBackUnchanged)
{
    CString text = "a\tb\r\nc";
    dlg.exchange = [&](CDataExchange* pDX) { DDX_TextWithCodes(pDX, IDC_TEXT, text); };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_STREQ("a^tb^p^lc", DlgItemText(dlg.m_hWnd, IDC_TEXT));
    text.Empty();
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("a\tb\r\nc", text);
    // Typed codes become the characters; a lone caret stays.
    ::SetDlgItemText(dlg.m_hWnd, IDC_TEXT, "x^ly ^ z^t");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("x\ny ^ z\t", text);
}

TEST_F(TextCodesExchangeTest, ListBoxStringsReplaceEachOtherInOrder)
{
    CStringArray strings;
    strings.Add("the");
    strings.Add("a");
    strings.Add("an");
    ::SendMessage(dlg.Item(IDC_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("old"));
    dlg.exchange = [&](CDataExchange* pDX) { DDX_ListBoxStrings(pDX, IDC_LIST, strings); };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    ASSERT_EQ(3, ::SendMessage(dlg.Item(IDC_LIST), LB_GETCOUNT, 0, 0));
    ::SendMessage(dlg.Item(IDC_LIST), LB_DELETESTRING, 1, 0);
    ::SendMessage(dlg.Item(IDC_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("von"));
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    ASSERT_EQ(3, strings.GetSize());
    EXPECT_STREQ("the", strings[0]);
    EXPECT_STREQ("an", strings[1]);
    EXPECT_STREQ("von", strings[2]);
}

TEST(SystemMetrics, RecordsAreFilledBeforeTheProgramRuns)
{
    EXPECT_EQ(340u, SystemNonClientMetrics.cbSize);
    EXPECT_GT(SystemNonClientMetrics.iCaptionHeight, 0);
    EXPECT_NE('\0', SystemNonClientMetrics.lfMenuFont.lfFaceName[0]);
    EXPECT_NE('\0', IconTitleLogFont.lfFaceName[0]);
}

} // namespace
