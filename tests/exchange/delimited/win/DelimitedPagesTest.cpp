// The export sheet's pages and dialogs under Wine, driven by messages: the
// presets shown, "Custom" reached by typing, the one-character check keeping
// the page open, the exported-data page and its field dialog, and the
// workform-letter dialog.
#include "classlib/win/DialogTestSupport.h"

#include "../DelimitedTestSupport.h"

#include "classlib/MessageBox.h"
#include "classlib/win/ComboBox.h"
#include "classlib/win/PropertySheet.h"
#include "exchange/delimited/ImportCharsetTable.h"
#include "exchange/delimited/win/CharsetCombo.h"
#include "exchange/delimited/win/ChooseWorkformDlg.h"
#include "exchange/delimited/win/DelimitedExportPage.h"
#include "exchange/delimited/win/DelimitedFormatPage.h"
#include "exchange/delimited/win/SelectedFieldsDlg.h"

#include <gtest/gtest.h>

namespace {

typedef CDelimitedFormatPage P;

class DelimitedPagesTest : public DelimitedTest
{
protected:
    static HWND Item(CWnd& page, int nID) { return ::GetDlgItem(page.m_hWnd, nID); }
    static bool Checked(CWnd& page, int nID) { return ::IsDlgButtonChecked(page.m_hWnd, nID) == BST_CHECKED; }
    static int Selected(CWnd& page, int nID)
    {
        return (int)::SendMessage(Item(page, nID), CB_GETCURSEL, 0, 0);
    }
    static void Choose(CWnd& page, int nID, int index)
    {
        ::SendMessage(Item(page, nID), CB_SETCURSEL, (WPARAM)index, 0);
        ::PostMessage(page.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), (LPARAM)Item(page, nID));
    }
    static void Type(CWnd& page, int nID, const char* text)
    {
        ::SetFocus(Item(page, nID));
        ::SendMessage(Item(page, nID), EM_SETSEL, 0, -1);
        for (const char* p = text; *p; ++p)
            ::PostMessage(Item(page, nID), WM_CHAR, (WPARAM)(unsigned char)*p, 1);
    }
    static void Click(CWnd& page, int nID)
    {
        ::PostMessage(page.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)Item(page, nID));
    }
    // The controls as the format page shows them.
    static std::string Shown(CWnd& page)
    {
        std::string shown = std::to_string(Selected(page, P::IDC_FORMAT)) + " sep";
        for (int i = 0; i < 4; ++i)
            shown += Checked(page, P::IDC_SEPARATOR_COMMAS + i) ? std::to_string(i) : "";
        shown += "[" + std::string((const char*)DlgItemText(page.m_hWnd, P::IDC_OTHER_SEPARATOR)) + "] term";
        for (int i = 0; i < 2; ++i)
            shown += Checked(page, P::IDC_TERMINATOR_RETURNS + i) ? std::to_string(i) : "";
        shown += "[" + std::string((const char*)DlgItemText(page.m_hWnd, P::IDC_OTHER_TERMINATOR)) + "]";
        shown += Checked(page, P::IDC_DELIMIT) ? " delimit" : " plain";
        shown += "[" + std::string((const char*)DlgItemText(page.m_hWnd, P::IDC_DELIMITER)) + "]";
        shown += "[" + std::string((const char*)DlgItemText(page.m_hWnd, P::IDC_REPLACEMENT)) + "]";
        shown += Checked(page, P::IDC_WORKFORM_INDICATORS) ? " W" : " -";
        shown += Checked(page, P::IDC_RECORD_IDS) ? "I" : "-";
        shown += Checked(page, P::IDC_ALL_FIELDS) ? "A" : "-";
        return shown;
    }
};

TEST_F(DelimitedPagesTest, FormatPageShowsPresetsAndTypingMakesACustomFormat)
{
    CMessageBoxScript boxes;
    CPropertySheet sheet("Export Marked Records");
    CDelimitedFormatPage page(P::IDD_EXPORT);
    page.m_formatIndex = P::kComma;
    page.m_customFormat = CDelimitedFormat('|', '#', 0, 0, 0, 0, 1, 0);
    sheet.AddPage(&page);
    TimerScript script({
        [&] {
            EXPECT_EQ(::SendMessage(Item(page, P::IDC_FORMAT), CB_GETCOUNT, 0, 0), 3);
            EXPECT_EQ(Shown(page), "0 sep0[] term0[] delimit[\"]['] WIA");
            Choose(page, P::IDC_FORMAT, P::kTab);
        },
        [&] {
            EXPECT_EQ(Shown(page), "1 sep1[] term0[] plain[][] WI-");
            Choose(page, P::IDC_FORMAT, P::kCustom);
        },
        [&] {
            EXPECT_EQ(Shown(page), "2 sep3[|] term1[#] plain[][] -I-");
            Choose(page, P::IDC_FORMAT, P::kComma);
        },
        [&] {
            // Typing a second separator character turns the comma preset into "Custom".
            Type(page, P::IDC_OTHER_SEPARATOR, ";;");
        },
        [&] {
            EXPECT_EQ(Shown(page), "2 sep3[;;] term0[] delimit[\"]['] WIA");
            EXPECT_EQ(boxes.CallCount(), 0);
            Choose(page, P::IDC_FORMAT, P::kTab);
        },
        [&] {
            // Leaving "Custom" with two characters: the message, and "Custom" stays.
            ASSERT_EQ(boxes.CallCount(), 1);
            EXPECT_EQ(boxes.LastCall().promptId, 4131u);
            EXPECT_EQ(Selected(page, P::IDC_FORMAT), P::kCustom);
            ::PostMessage(sheet.m_hWnd, WM_COMMAND, IDOK, 0);
        },
        [&] {
            // OK checks again and keeps the sheet open.
            EXPECT_EQ(boxes.CallCount(), 2);
            EXPECT_TRUE(::IsWindow(sheet.m_hWnd));
            ::SetDlgItemText(page.m_hWnd, P::IDC_OTHER_SEPARATOR, ";");
            ::PostMessage(Item(page, P::IDC_RECORD_IDS), BM_CLICK, 0, 0);
        },
        [&] { ::PostMessage(sheet.m_hWnd, WM_COMMAND, IDOK, 0); },
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.m_formatIndex, P::kCustom);
    CDelimitedFormat chosen = CDelimitedFormat::TabDelimited();
    page.GetFormat(chosen);
    EXPECT_EQ(chosen, CDelimitedFormat(';', 13, 1, '"', '\'', 1, 0, 1));
    EXPECT_EQ(page.m_customFormat, chosen);
}

TEST_F(DelimitedPagesTest, OtherTerminatorAndDelimiterEditsFollowTheirControls)
{
    CMessageBoxScript boxes;
    CPropertySheet sheet("Import Delimited Records");
    CDelimitedFormatPage page(P::IDD_IMPORT);
    page.m_formatIndex = P::kTab;
    sheet.AddPage(&page);
    TimerScript script({
        [&] { Type(page, P::IDC_DELIMITER, "'"); },
        [&] {
            EXPECT_EQ(Shown(page), "2 sep1[] term0[] delimit['][] WI-");
            Type(page, P::IDC_OTHER_TERMINATOR, "~");
        },
        [&] {
            EXPECT_EQ(Shown(page), "2 sep1[] term1[~] delimit['][] WI-");
            ::PostMessage(sheet.m_hWnd, WM_COMMAND, IDOK, 0);
        },
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
    CDelimitedFormat chosen = CDelimitedFormat::CommaDelimited();
    page.GetFormat(chosen);
    EXPECT_EQ(chosen, CDelimitedFormat(9, '~', 1, '\'', 0, 1, 1, 0));
    EXPECT_EQ(boxes.CallCount(), 0);
}

TEST_F(DelimitedPagesTest, ExportedDataPageAndSelectedFields)
{
    DelimitedExportOptions options;
    options.selectedFieldsOnly = 1;
    options.fields.Add(4);
    options.fields.Add(10);
    options.exportWorkformDefinitions = 0;
    CPropertySheet sheet("Export Marked Records");
    CDelimitedExportPage page;
    page.SetExportOptions(options);
    sheet.AddPage(&page);
    TimerScript script({
        [&] {
            EXPECT_FALSE(Checked(page, CDelimitedExportPage::IDC_ALL_FIELDS));
            EXPECT_TRUE(Checked(page, CDelimitedExportPage::IDC_ALL_FIELDS + 1));
            EXPECT_FALSE(Checked(page, CDelimitedExportPage::IDC_DEFINITIONS));
            Click(page, CDelimitedExportPage::ID_SELECT_FIELDS);
        },
        [&] {
            CSelectedFieldsDlg* dlg = TimerScript::Active<CSelectedFieldsDlg>();
            ASSERT_NE(dlg, nullptr);
            const HWND list = ::GetDlgItem(dlg->m_hWnd, CSelectedFieldsDlg::IDC_FIELDS);
            EXPECT_EQ(::SendMessage(list, LB_GETCOUNT, 0, 0), 45);
            char line[64] = {};
            ::SendMessage(list, LB_GETTEXT, 9, (LPARAM)line);
            EXPECT_STREQ(line, "(10) Journal Title");
            EXPECT_EQ(::SendMessage(list, LB_GETSEL, 3, 0), 1);
            EXPECT_EQ(::SendMessage(list, LB_GETSEL, 4, 0), 0);
            EXPECT_EQ(DlgItemText(dlg->m_hWnd, CSelectedFieldsDlg::IDC_COUNT), "2 Field(s) Selected");
            ::SendMessage(dlg->m_hWnd, WM_COMMAND, MAKEWPARAM(CSelectedFieldsDlg::ID_SELECT_ALL, BN_CLICKED),
                          (LPARAM)::GetDlgItem(dlg->m_hWnd, CSelectedFieldsDlg::ID_SELECT_ALL));
            EXPECT_EQ(DlgItemText(dlg->m_hWnd, CSelectedFieldsDlg::IDC_COUNT), "45 Field(s) Selected");
            ::SendMessage(dlg->m_hWnd, WM_COMMAND, MAKEWPARAM(CSelectedFieldsDlg::ID_SELECT_NONE, BN_CLICKED),
                          (LPARAM)::GetDlgItem(dlg->m_hWnd, CSelectedFieldsDlg::ID_SELECT_NONE));
            EXPECT_EQ(DlgItemText(dlg->m_hWnd, CSelectedFieldsDlg::IDC_COUNT), "0 Field(s) Selected");
            ::SendMessage(list, LB_SETSEL, TRUE, 44);
            ::PostMessage(dlg->m_hWnd, WM_COMMAND, IDOK, 0);
        },
        [&] {
            Click(page, CDelimitedExportPage::IDC_DEFINITIONS);
            ::CheckDlgButton(page.m_hWnd, CDelimitedExportPage::IDC_DEFINITIONS, BST_CHECKED);
            ::PostMessage(sheet.m_hWnd, WM_COMMAND, IDOK, 0);
        },
    });
    ASSERT_EQ(sheet.DoModal(), IDOK);
    DelimitedExportOptions chosen;
    page.GetExportOptions(chosen);
    FieldSet keywords;
    keywords.Add(45);
    EXPECT_EQ(chosen.selectedFieldsOnly, 1);
    EXPECT_EQ(chosen.fields, keywords);
    EXPECT_EQ(chosen.exportWorkformDefinitions, 1);
}

TEST_F(DelimitedPagesTest, ChooseWorkformAsksForALetterAndGivesTheChosenId)
{
    CDialogWorkformLetterChooser chooser;
    for (bool ok : {true, false}) {
        int16_t id = -5;
        TimerScript script({
            [&] {
                CChooseWorkformDlg* dlg = TimerScript::Active<CChooseWorkformDlg>();
                ASSERT_NE(dlg, nullptr);
                EXPECT_EQ(DlgItemText(dlg->m_hWnd, CChooseWorkformDlg::IDC_QUESTION),
                          "Map user-defined workform letter W to:");
                const HWND list = ::GetDlgItem(dlg->m_hWnd, CChooseWorkformDlg::IDC_WORKFORMS);
                EXPECT_EQ(::SendMessage(list, CB_GETCOUNT, 0, 0), GetWorkformTable().GetCount());
                EXPECT_EQ(::SendMessage(list, CB_GETCURSEL, 0, 0), 0);
                ::SendMessage(list, CB_SETCURSEL, 5, 0); // "Thesis"
                ::PostMessage(dlg->m_hWnd, WM_COMMAND, ok ? IDOK : IDCANCEL, 0);
            },
        });
        EXPECT_EQ(chooser.ChooseWorkform('W', id), ok ? TRUE : FALSE);
        EXPECT_EQ(id, ok ? 21748 : -5);
    }
}

TEST_F(DelimitedPagesTest, CharsetComboHoldsTheTableWithItsValues)
{
    CPropertySheet sheet("Character Set");
    CDelimitedExportPage page; // any page with a window to hold the combo
    sheet.AddPage(&page);
    TimerScript script({
        [&] {
            CComboBox combo;
            const HWND hWnd = ::CreateWindow("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 100, 100,
                                             page.m_hWnd, nullptr, nullptr, nullptr);
            combo.Attach(hWnd);
            FillCharsetCombo(combo);
            ASSERT_EQ(combo.GetCount(), kImportCharsetCount);
            for (int i = 0; i < kImportCharsetCount; ++i) {
                CString name;
                combo.GetLBText(i, name);
                EXPECT_EQ(name, ImportCharsetTable[i].name);
                EXPECT_EQ(combo.GetItemData(i), ImportCharsetTable[i].value);
            }
            combo.Detach();
            ::DestroyWindow(hWnd);
            ::PostMessage(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        },
    });
    sheet.DoModal();
}

} // namespace
