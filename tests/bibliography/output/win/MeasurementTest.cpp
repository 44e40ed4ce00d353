// Lengths through data exchange: shown in inches, read in any unit, refused outside their range with
// the focus kept on the box.
#include "classlib/win/DialogTestSupport.h"

#include "bibliography/output/win/Measurement.h"
#include "classlib/MessageBox.h"
#include "classlib/win/DialogTemplate.h"

#include <gtest/gtest.h>

namespace {

const int IDC_MARGIN = 10;

TEST(MeasurementExchange, ShowsReadsAndRefusesOutOfRange)
{
    CDialogTemplate tmpl(WS_POPUP | WS_VISIBLE, 0, 0, 0, 150, 40, "Margins");
    tmpl.AddItem(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 0, 5, 5, 100, 12, IDC_MARGIN,
                 AFX_DLGCLASS_EDIT, "");
    ExchangeHostDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(tmpl.Get()));
    int twips = 1440;
    dlg.exchange = [&](CDataExchange* pDX) {
        ParseMeasurement(pDX, IDC_MARGIN, twips);
        DDV_Measurement(pDX, twips, 0, 11520);
    };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_STREQ("1.000 in", DlgItemText(dlg.m_hWnd, IDC_MARGIN));

    ::SetDlgItemText(dlg.m_hWnd, IDC_MARGIN, "2 cm");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1133, twips);

    CMessageBoxScript boxes;
    for (const char* text : {"9 in", "3 mm"}) {
        ::SetDlgItemText(dlg.m_hWnd, IDC_MARGIN, text);
        EXPECT_FALSE(dlg.UpdateData(TRUE)) << text;
        EXPECT_STREQ("The value should be between 0.000 and 8.000 in.", boxes.LastCall().text);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.LastCall().type & MB_ICONMASK);
        EXPECT_EQ(dlg.Item(IDC_MARGIN), ::GetFocus());
    }
    EXPECT_EQ(2, boxes.CallCount());
}

} // namespace
