// The sort-language page in a sheet: nine languages in registry order, the database's language selected,
// the chosen one saved on OK.
#include "classlib/win/DialogTestSupport.h"

#include "classlib/win/PropertySheet.h"
#include "database/sort/LanguageSort.h"
#include "database/sort/win/SortLanguagePage.h"

#include <gtest/gtest.h>

namespace {

CString ItemText(HWND hWndList, int nItem)
{
    char text[64] = {};
    ::SendMessage(hWndList, CB_GETLBTEXT, nItem, reinterpret_cast<LPARAM>(text));
    return CString(text);
}

TEST(SortLanguagePage, ShowsTheLanguagesAndSavesTheChosenCode)
{
    CLanguageSort::RegisterLanguages();
    const int nFrench = CLanguageSort::FindLanguage(CLanguageSort::GetLanguageCode(4));
    ASSERT_EQ(4, nFrench);
    CPropertySheet sheet("Configure Sorts");
    CSortLanguagePage page;
    page.m_languageCode = CLanguageSort::GetLanguageCode(4);
    sheet.AddPage(&page);
    TimerScript script({[&] {
        HWND hWndList = ::GetDlgItem(page.m_hWnd, CSortLanguagePage::IDC_LANGUAGE);
        ASSERT_EQ(9, ::SendMessage(hWndList, CB_GETCOUNT, 0, 0));
        EXPECT_STREQ("General", ItemText(hWndList, 0));
        EXPECT_STREQ("French", ItemText(hWndList, 4));
        EXPECT_STREQ("System Specific", ItemText(hWndList, 8));
        EXPECT_EQ(4, ::SendMessage(hWndList, CB_GETCURSEL, 0, 0));
        ::SendMessage(hWndList, CB_SETCURSEL, 8, 0);
        ::PostMessage(sheet.m_hWnd, WM_COMMAND, IDOK, 0);
    }});
    ASSERT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(CLanguageSort::GetLanguageCode(8), page.m_languageCode);
}

TEST(SortLanguagePage, UnknownCodesShowGeneralAndNoSelectionSavesGeneral)
{
    CPropertySheet sheet("Configure Sorts");
    CSortLanguagePage page;
    page.m_languageCode = 255;
    sheet.AddPage(&page);
    TimerScript script({[&] {
        HWND hWndList = ::GetDlgItem(page.m_hWnd, CSortLanguagePage::IDC_LANGUAGE);
        EXPECT_EQ(0, ::SendMessage(hWndList, CB_GETCURSEL, 0, 0));
        ::SendMessage(hWndList, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        ::PostMessage(sheet.m_hWnd, WM_COMMAND, IDOK, 0);
    }});
    ASSERT_EQ(IDOK, sheet.DoModal());
    EXPECT_EQ(1, page.m_languageCode);
}

} // namespace
