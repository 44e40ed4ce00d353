// Field sets and field numbers exchanged with the dialogs' lists.
#include "classlib/win/DialogTestSupport.h"

#include "classlib/win/DialogTemplate.h"
#include "database/db/win/FieldSetExchange.h"

#include <gtest/gtest.h>

namespace {

const int IDC_FIELDS = 10;
const int IDC_FIELD = 11;

class FieldSetExchangeTest : public ::testing::Test
{
protected:
    CDialogTemplate tmpl{WS_POPUP, 0, 0, 0, 150, 120, "Fields"};
    ExchangeHostDialog dlg;

    void SetUp() override
    {
        tmpl.AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_EXTENDEDSEL, 0, 5, 5, 140, 80,
                     IDC_FIELDS, AFX_DLGCLASS_LISTBOX, "");
        tmpl.AddItem(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 5, 90, 140, 80, IDC_FIELD,
                     AFX_DLGCLASS_COMBOBOX, "");
        ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
        for (int field = 1; field <= 45; ++field) {
            CString line;
            line.Format("(%02d) Field", field);
            ::SendMessage(dlg.Item(IDC_FIELDS), LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(line)));
            ::SendMessage(dlg.Item(IDC_FIELD), CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(line)));
        }
    }
};

TEST_F(FieldSetExchangeTest, SelectedItemsAreTheFieldsOneAbove)
{
    FieldSet fields;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_FieldListBox(pDX, IDC_FIELDS, fields); };
    ::SendMessage(dlg.Item(IDC_FIELDS), LB_SETSEL, TRUE, 0);
    ::SendMessage(dlg.Item(IDC_FIELDS), LB_SETSEL, TRUE, 44);
    fields.Add(7); // replaced on saving
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(2, fields.Count());
    EXPECT_TRUE(fields.Contains(1));
    EXPECT_TRUE(fields.Contains(45));

    // Loading selects the set's fields and leaves the other items alone.
    ::SendMessage(dlg.Item(IDC_FIELDS), LB_SETSEL, FALSE, -1);
    ::SendMessage(dlg.Item(IDC_FIELDS), LB_SETSEL, TRUE, 20);
    fields = FieldSet::AuthorFields(); // 1, 7, 16, 30
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    for (int item : {0, 6, 15, 29, 20})
        EXPECT_GT(::SendMessage(dlg.Item(IDC_FIELDS), LB_GETSEL, item, 0), 0) << item;
    EXPECT_EQ(5, ::SendMessage(dlg.Item(IDC_FIELDS), LB_GETSELCOUNT, 0, 0));
}

TEST_F(FieldSetExchangeTest, ComboItemsStandForTheValueOneAbove)
{
    BYTE field = 12;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_CBIndexByte(pDX, IDC_FIELD, field); };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(11, ::SendMessage(dlg.Item(IDC_FIELD), CB_GETCURSEL, 0, 0));
    ::SendMessage(dlg.Item(IDC_FIELD), CB_SETCURSEL, 44, 0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(45, field);
}

} // namespace
