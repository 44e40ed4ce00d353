// The Insert Field dialog driven by messages: the fixed entries, the workform's used fields, the chosen line.
#include "classlib/win/DialogTestSupport.h"

#include "classlib/WinApp.h"
#include "database/text/WorkformInfo.h"
#include "formatting/style/win/InsertFieldDlg.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<CString> Lines(HWND hWndList)
{
    std::vector<CString> lines;
    const int nCount = static_cast<int>(::SendMessage(hWndList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
        char text[128] = {};
        ::SendMessage(hWndList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        lines.push_back(text);
    }
    return lines;
}

CWorkformInfo MakeWorkform()
{
    const char* names[kWorkformFields] = {};
    names[0] = "Author";
    names[3] = "Title";
    names[11] = "Year";
    return CWorkformInfo("Journal, Article", 3, names, "");
}

TEST(InsertFieldDlg, ListsFixedEntriesThenUsedFieldsAndAnswersTheChosenLine)
{
    CWinApp app;
    const CWorkformInfo workform = MakeWorkform();
    struct Case
    {
        BOOL bWithNumber;
        std::vector<CString> expected;
    };
    const Case cases[] = {
        {FALSE,
         {"Author", "Author-Title", "Title", "Date", "Record ID", "(01) Author", "(04) Title", "(12) Year"}},
        {TRUE,
         {"Author", "Author-Title", "Title", "Citation Number", "Date", "Record ID", "(01) Author",
          "(04) Title", "(12) Year"}},
    };
    for (const Case& c : cases) {
        CInsertFieldDlg dlg(workform, c.bWithNumber);
        std::vector<CString> shown;
        int nSelected = -1;
        TimerScript script({[&] {
            auto* pDlg = TimerScript::Active<CInsertFieldDlg>();
            ASSERT_NE(nullptr, pDlg);
            HWND hWndList = ::GetDlgItem(pDlg->m_hWnd, CInsertFieldDlg::IDC_FIELDS);
            shown = Lines(hWndList);
            nSelected = static_cast<int>(::SendMessage(hWndList, LB_GETCURSEL, 0, 0));
            ::SendMessage(hWndList, LB_SETCURSEL, shown.size() - 2, 0);
            PostKey(hWndList, VK_RETURN);
        }});
        ASSERT_EQ(IDOK, dlg.DoModal());
        ASSERT_EQ(c.expected.size(), shown.size());
        for (size_t i = 0; i < shown.size(); ++i)
            EXPECT_STREQ(c.expected[i], shown[i]);
        EXPECT_EQ(0, nSelected);
        EXPECT_STREQ("(04) Title", dlg.m_chosen);
    }
}

} // namespace
