// Sort-order codes exchanged with the drop-down list of the eight orders.
#include "classlib/win/DialogTestSupport.h"

#include "classlib/win/DialogTemplate.h"
#include "database/sort/win/SortOrderExchange.h"

#include <gtest/gtest.h>

namespace {

const int IDC_ORDER = 10;

TEST(SortOrderExchange, CodesAndItemsMapBothWays)
{
    CDialogTemplate tmpl(WS_POPUP, 0, 0, 0, 150, 100, "Order");
    tmpl.AddItem(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 0, 5, 5, 140, 90, IDC_ORDER,
                 AFX_DLGCLASS_COMBOBOX, "");
    ExchangeHostDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    int code = 0;
    dlg.exchange = [&](CDataExchange* pDX) { DDX_SortOrder(pDX, IDC_ORDER, code); };
    HWND hWndCombo = dlg.Item(IDC_ORDER);

    const int itemOfCode[] = {6, 0, 1, 2, 3, 4, 5, 7};
    for (code = 0; code < 8; ++code) {
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        EXPECT_EQ(itemOfCode[code], ::SendMessage(hWndCombo, CB_GETCURSEL, 0, 0)) << code;
    }
    EXPECT_EQ(8, ::SendMessage(hWndCombo, CB_GETCOUNT, 0, 0)); // filled once
    EXPECT_STREQ("Record Number", [&] {
        char text[64] = {};
        ::SendMessage(hWndCombo, CB_GETLBTEXT, 6, reinterpret_cast<LPARAM>(text));
        return CString(text);
    }());

    const int codeOfItem[] = {1, 2, 3, 4, 5, 6, 0, 7};
    for (int item = 0; item < 8; ++item) {
        ::SendMessage(hWndCombo, CB_SETCURSEL, item, 0);
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(codeOfItem[item], code) << item;
    }
    ::SendMessage(hWndCombo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1, code);
}

} // namespace
