// The stop-list page in a sheet and its term dialog, driven by messages: adding, editing and deleting terms
// of both lists, the buttons' states, read-only databases, and Cancel leaving the owner's lists alone.
#include "classlib/win/DialogTestSupport.h"

#include "classlib/MessageBox.h"
#include "classlib/win/PropertySheet.h"
#include "database/sort/win/StopListPage.h"
#include "database/sort/win/StopListTermDlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Terms;

Terms Strings(const CStringArray& array)
{
    Terms terms;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        terms.push_back(static_cast<LPCTSTR>(array[i]));
    return terms;
}

void Fill(CStringArray& array, const Terms& terms)
{
    array.RemoveAll();
    for (const std::string& term : terms)
        array.Add(term.c_str());
}

class StopListPageTest : public ::testing::Test
{
protected:
    StopListPageTest() : m_sheet("Configure Sorts")
    {
        Fill(m_page.m_authorTerms, {"von", "van"});
        Fill(m_page.m_genericTerms, {"the", "a", "an"});
        m_sheet.AddPage(&m_page);
    }

    HWND Item(int nID) const { return ::GetDlgItem(m_page.m_hWnd, nID); }
    bool Enabled(int nID) const { return ::IsWindowEnabled(Item(nID)) != FALSE; }
    // Posted, so that a dialog the command opens runs in the next step.
    void Notify(int nID, WORD code) const
    {
        ::PostMessage(m_page.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, code), reinterpret_cast<LPARAM>(Item(nID)));
    }
    void Click(int nID) const { Notify(nID, BN_CLICKED); }
    void Choose(int nItem) const
    {
        ::SendMessage(Item(CStopListPage::IDC_LIST_CHOOSER), CB_SETCURSEL, static_cast<WPARAM>(nItem), 0);
        Notify(CStopListPage::IDC_LIST_CHOOSER, CBN_SELCHANGE);
    }
    void SelectTerm(int nItem) const
    {
        ::SendMessage(Item(CStopListPage::IDC_TERMS), LB_SETCURSEL, static_cast<WPARAM>(nItem), 0);
        Notify(CStopListPage::IDC_TERMS, LBN_SELCHANGE);
    }
    Terms Shown() const
    {
        HWND hWndList = Item(CStopListPage::IDC_TERMS);
        Terms terms;
        const int nCount = static_cast<int>(::SendMessage(hWndList, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i) {
            char text[128] = {};
            ::SendMessage(hWndList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            terms.push_back(text);
        }
        return terms;
    }
    std::string Selected() const
    {
        HWND hWndList = Item(CStopListPage::IDC_TERMS);
        const LRESULT nSel = ::SendMessage(hWndList, LB_GETCURSEL, 0, 0);
        if (nSel == LB_ERR)
            return "<none>";
        char text[128] = {};
        ::SendMessage(hWndList, LB_GETTEXT, static_cast<WPARAM>(nSel), reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Answers the open term dialog with text (after checking its title and starting text).
    static void AnswerTerm(const char* title, const char* start, const char* text)
    {
        CStopListTermDlg* dlg = TimerScript::Active<CStopListTermDlg>();
        ASSERT_NE(nullptr, dlg);
        EXPECT_STREQ(title, DlgItemTextOf(dlg->m_hWnd));
        EXPECT_STREQ(start, DlgItemText(dlg->m_hWnd, CStopListTermDlg::IDC_TERM));
        ::SetDlgItemText(dlg->m_hWnd, CStopListTermDlg::IDC_TERM, text);
        ::PostMessage(dlg->m_hWnd, WM_COMMAND, IDOK, 0);
    }
    static CString DlgItemTextOf(HWND hWnd)
    {
        char text[128] = {};
        ::GetWindowText(hWnd, text, sizeof text);
        return CString(text);
    }

    CMessageBoxScript m_boxes;
    CPropertySheet m_sheet;
    CStopListPage m_page;
};

TEST_F(StopListPageTest, TermsOfBothListsAreAddedEditedAndDeleted)
{
    typedef CStopListPage P;
    TimerScript script({
        [&] {
            HWND hWndChooser = Item(P::IDC_LIST_CHOOSER);
            EXPECT_EQ(2, ::SendMessage(hWndChooser, CB_GETCOUNT, 0, 0));
            EXPECT_EQ(P::chooserGeneric, ::SendMessage(hWndChooser, CB_GETCURSEL, 0, 0));
            EXPECT_EQ(Terms({"a", "an", "the"}), Shown());
            EXPECT_EQ("a", Selected());
            EXPECT_TRUE(Enabled(P::IDC_ADD) && Enabled(P::IDC_EDIT) && Enabled(P::IDC_DELETE));
            Click(P::IDC_ADD);
        },
        [&] {
            CStopListTermDlg* dlg = TimerScript::Active<CStopListTermDlg>();
            ASSERT_NE(nullptr, dlg);
            HWND hWndOK = ::GetDlgItem(dlg->m_hWnd, IDOK);
            EXPECT_FALSE(::IsWindowEnabled(hWndOK));
            ::SetDlgItemText(dlg->m_hWnd, CStopListTermDlg::IDC_TERM, "x");
            EXPECT_TRUE(::IsWindowEnabled(hWndOK));
            ::SetDlgItemText(dlg->m_hWnd, CStopListTermDlg::IDC_TERM, "");
            EXPECT_FALSE(::IsWindowEnabled(hWndOK));
            AnswerTerm("New Stop List Term", "", "THE"); // already there in other letters
        },
        [&] {
            EXPECT_EQ(Terms({"a", "an", "THE"}), Shown());
            EXPECT_EQ("THE", Selected());
            SelectTerm(1);
            Click(P::IDC_EDIT);
        },
        [&] { AnswerTerm("Edit Stop List Term", "an", "der"); },
        [&] {
            EXPECT_EQ(Terms({"a", "der", "THE"}), Shown());
            EXPECT_EQ("der", Selected());
            SelectTerm(2);
            m_boxes.PushAnswer(IDNO);
            Click(P::IDC_DELETE);
        },
        [&] {
            ASSERT_EQ(1, m_boxes.CallCount());
            EXPECT_STREQ("Are you sure you want to delete 'THE' from the stop list?",
                         m_boxes.LastCall().text);
            EXPECT_EQ(static_cast<UINT>(MB_YESNO), m_boxes.LastCall().type & MB_TYPEMASK);
            EXPECT_EQ(3u, Shown().size());
            m_boxes.PushAnswer(IDYES);
            Click(P::IDC_DELETE);
        },
        [&] {
            EXPECT_EQ(Terms({"a", "der"}), Shown());
            EXPECT_EQ("der", Selected()); // the new last entry
            Choose(P::chooserAuthor);
        },
        [&] {
            EXPECT_EQ(Terms({"van", "von"}), Shown());
            SelectTerm(0);
            m_boxes.PushAnswer(IDYES);
            Click(P::IDC_DELETE);
        },
        [&] {
            EXPECT_EQ(Terms({"von"}), Shown());
            EXPECT_EQ("von", Selected()); // the entry that took its place
            Notify(P::IDC_TERMS, LBN_DBLCLK);
        },
        [&] { AnswerTerm("Edit Stop List Term", "von", "de"); },
        [&] {
            EXPECT_EQ(Terms({"de"}), Shown());
            m_boxes.PushAnswer(IDYES);
            Click(P::IDC_DELETE);
        },
        [&] {
            EXPECT_TRUE(Shown().empty());
            EXPECT_TRUE(Enabled(P::IDC_ADD));
            EXPECT_FALSE(Enabled(P::IDC_EDIT));
            EXPECT_FALSE(Enabled(P::IDC_DELETE));
            Choose(P::chooserGeneric);
        },
        [&] {
            EXPECT_EQ(Terms({"a", "der"}), Shown()); // the generic edits survived the switch
            ::PostMessage(m_sheet.m_hWnd, WM_COMMAND, IDOK, 0);
        },
    });
    ASSERT_EQ(IDOK, m_sheet.DoModal());
    EXPECT_TRUE(Strings(m_page.m_authorTerms).empty());
    EXPECT_EQ(Terms({"a", "der"}), Strings(m_page.m_genericTerms));
}

TEST_F(StopListPageTest, CancelLeavesBothListsAsTheyWere)
{
    typedef CStopListPage P;
    TimerScript script({
        [&] { Click(P::IDC_ADD); },
        [&] { ::PostMessage(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); }, // the term dialog
        [&] {
            EXPECT_EQ(Terms({"a", "an", "the"}), Shown());
            Click(P::IDC_ADD);
        },
        [&] { AnswerTerm("New Stop List Term", "", "le"); },
        [&] {
            Choose(P::chooserAuthor); // saves the generic list into its array
            m_boxes.PushAnswer(IDYES);
            Click(P::IDC_DELETE);
        },
        [&] {
            EXPECT_EQ(Terms({"von"}), Shown());
            Choose(P::chooserGeneric); // and the author list into its own
        },
        [&] {
            EXPECT_EQ(Terms({"a", "an", "le", "the"}), Shown());
            ::PostMessage(m_sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        },
    });
    ASSERT_EQ(IDCANCEL, m_sheet.DoModal());
    EXPECT_EQ(Terms({"von", "van"}), Strings(m_page.m_authorTerms));
    EXPECT_EQ(Terms({"the", "a", "an"}), Strings(m_page.m_genericTerms));
}

TEST_F(StopListPageTest, ReadOnlyDatabasesShowBothListsButChangeNothing)
{
    typedef CStopListPage P;
    m_page.m_readOnly = 1;
    TimerScript script({
        [&] {
            EXPECT_EQ("a", Selected());
            EXPECT_FALSE(Enabled(P::IDC_ADD) || Enabled(P::IDC_EDIT) || Enabled(P::IDC_DELETE));
            Notify(P::IDC_TERMS, LBN_DBLCLK); // a double click must not edit either
        },
        [&] {
            EXPECT_EQ(nullptr, TimerScript::Active<CStopListTermDlg>());
            Choose(P::chooserAuthor);
        },
        [&] {
            EXPECT_EQ(Terms({"van", "von"}), Shown());
            EXPECT_FALSE(Enabled(P::IDC_ADD) || Enabled(P::IDC_EDIT) || Enabled(P::IDC_DELETE));
            ::PostMessage(m_sheet.m_hWnd, WM_COMMAND, IDOK, 0);
        },
    });
    ASSERT_EQ(IDOK, m_sheet.DoModal());
    EXPECT_EQ(Terms({"van", "von"}), Strings(m_page.m_authorTerms)); // as the sorted list gave them back
    EXPECT_EQ(Terms({"a", "an", "the"}), Strings(m_page.m_genericTerms));
}

TEST(StopListPage, ACopyWorksOnItsOwnLists)
{
    CStopListPage page;
    Fill(page.m_authorTerms, {"von"});
    page.m_pCurrentTerms = &page.m_authorTerms;
    page.m_readOnly = 1;
    const CStopListPage copy(page);
    EXPECT_EQ(&copy.m_authorTerms, copy.m_pCurrentTerms);
    EXPECT_EQ(Terms({"von"}), Strings(copy.m_authorTerms));
    EXPECT_EQ(1, copy.m_readOnly);
    CStopListPage assigned;
    assigned = copy;
    EXPECT_EQ(&assigned.m_authorTerms, assigned.m_pCurrentTerms);
}

// The term dialog on its own: its own title when no caption is given, and no room for a 64th character.
TEST(StopListTermDlg, HoldsAtMostSixtyThreeCharacters)
{
    CStopListTermDlg dlg;
    const CString full('x', 63);
    dlg.m_term = full;
    TimerScript script({
        [&] {
            char title[64] = {};
            ::GetWindowText(dlg.m_hWnd, title, sizeof title);
            EXPECT_STREQ("Edit Stop List Term", title);
            HWND hWndEdit = ::GetDlgItem(dlg.m_hWnd, CStopListTermDlg::IDC_TERM);
            ::SendMessage(hWndEdit, EM_SETSEL, 63, 63);
            ::SendMessage(hWndEdit, WM_CHAR, 'y', 1);
            EXPECT_EQ(63, ::GetWindowTextLength(hWndEdit));
            EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg.m_hWnd, IDOK)));
            ::PostMessage(dlg.m_hWnd, WM_COMMAND, IDOK, 0);
        },
    });
    ASSERT_EQ(IDOK, dlg.DoModal());
    EXPECT_STREQ(full, dlg.m_term);
}

} // namespace
