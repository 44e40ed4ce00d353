// The settings pages of a format shown in property sheets and driven by messages: the controls load the
// settings, OK stores what was typed, a value out of its limits keeps the page in front with the focus on
// the field, Cancel stores nothing; the author format sheet of four pages; the journal page's list.
#include "classlib/win/DialogTestSupport.h"
#include "classlib/win/WndTestSupport.h"

#include "classlib/MessageBox.h"
#include "classlib/WinApp.h"
#include "classlib/win/PropertySheet.h"
#include "formatting/style/DateFormatPage.h"
#include "formatting/style/JournalListPath.h"
#include "formatting/style/PageNumberFormatPage.h"
#include "formatting/style/TitleFormatPage.h"
#include "formatting/style/win/AuthorFormatSheetWnd.h"
#include "formatting/style/win/JournalFormatPageWnd.h"
#include "formatting/style/win/StyleSettingsPageWnd.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

class ScriptedSheet : public CPropertySheet
{
public:
    ScriptedSheet() : CPropertySheet("Format") {}
    DialogScript script;
    LRESULT OnKickIdle(WPARAM, LPARAM) { return script.Kick(*this); }
    void Press(int nID)
    {
        PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)::GetDlgItem(m_hWnd, nID));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScriptedSheet, CPropertySheet)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class ScriptedAuthorSheet : public CAuthorFormatSheetWnd<CAuthorFormatSheet>
{
public:
    using CAuthorFormatSheetWnd<CAuthorFormatSheet>::CAuthorFormatSheetWnd;
    DialogScript script;
    LRESULT OnKickIdle(WPARAM, LPARAM) { return script.Kick(*this); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ScriptedAuthorSheet, CPropertySheet)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

void CheckRadio(HWND hWndPage, int nFirst, int nLast, int nChecked)
{
    ::CheckRadioButton(hWndPage, nFirst, nLast, nChecked);
}

bool IsChecked(HWND hWndPage, int nID)
{
    return ::IsDlgButtonChecked(hWndPage, nID) == BST_CHECKED;
}

int Selected(HWND hWndPage, int nID)
{
    return static_cast<int>(::SendDlgItemMessage(hWndPage, nID, CB_GETCURSEL, 0, 0));
}

void Select(HWND hWndPage, int nID, int nItem)
{
    ::SendDlgItemMessage(hWndPage, nID, CB_SETCURSEL, nItem, 0);
}

std::vector<CString> ListItems(HWND hWndPage, int nID)
{
    std::vector<CString> items;
    const int nCount = static_cast<int>(::SendDlgItemMessage(hWndPage, nID, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
        char text[260] = {};
        ::SendDlgItemMessage(hWndPage, nID, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

class StyleSettingsPages : public ::testing::Test
{
protected:
    CWinApp app;
    CMessageBoxScript boxes;
    ScriptedSheet sheet;

    void SetUp() override { PumpPending(); }
    void TearDown() override { PumpPending(); }

    // Shows page in the sheet, runs the steps, then presses OK; answers the sheet's result.
    INT_PTR RunThenOK(CPropertyPage& page, std::vector<std::function<void()>> steps)
    {
        sheet.AddPage(&page);
        steps.push_back([&] { sheet.Press(IDOK); });
        sheet.script.steps = std::move(steps);
        return sheet.DoModal();
    }
};

TEST_F(StyleSettingsPages, AuthorListPageLoadsTheSettingsAndStoresTheControlsOnOK)
{
    CAuthorListPage settings;
    settings.abbreviationText.SetPlainText("");
    settings.abbreviationText.AppendCharWithStyle('x', 1); // runs survive when the text is not edited
    const StyledString styled = settings.abbreviationText;
    CStyleSettingsPageWnd<CAuthorListPage> page(settings);
    const INT_PTR result = RunThenOK(page, {[&] {
                                         HWND h = page.m_hWnd;
                                         EXPECT_STREQ("4", DlgItemText(h, 2315));
                                         EXPECT_STREQ("1", DlgItemText(h, 2316));
                                         EXPECT_STREQ("x", DlgItemText(h, 2317));
                                         EXPECT_STREQ("Anon.", DlgItemText(h, 2318));
                                         EXPECT_STREQ("-----", DlgItemText(h, 2319));
                                         EXPECT_TRUE(IsChecked(h, 2323));
                                         EXPECT_TRUE(IsChecked(h, 2326));
                                         EXPECT_FALSE(IsChecked(h, 2307));
                                         ::CheckDlgButton(h, 2307, BST_CHECKED);
                                         ::SetDlgItemText(h, 2315, "32768");
                                         ::SetDlgItemText(h, 2316, "0");
                                         ::SetDlgItemText(h, 2318, "Unknown");
                                         CheckRadio(h, 2323, 2325, 2325);
                                         CheckRadio(h, 2326, 2328, 2328);
                                     }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, boxes.CallCount());
    EXPECT_TRUE(settings.abbreviateList);
    EXPECT_EQ(32768u, settings.abbreviateThreshold);
    EXPECT_EQ(0u, settings.abbreviateCount);
    EXPECT_STREQ("Unknown", settings.emptyAuthorText.text);
    EXPECT_EQ(1, settings.emptyAuthorText.runs.GetSize()); // one plain run over the new text
    EXPECT_EQ(kEmptyAuthorPrintText, settings.emptyAuthorAction);
    EXPECT_EQ(kRepeatedAuthorSuppress, settings.repeatedAuthorAction);
    EXPECT_STREQ("x", settings.abbreviationText.text);
    ASSERT_EQ(1, settings.abbreviationText.runs.GetSize());
    EXPECT_EQ(styled.runs[0].style, settings.abbreviationText.runs[0].style);
}

// A count or text over its limit: the prompt, the page stays in front with the focus on the field, and
// the settings keep their values until a valid one is typed.
struct LimitCase
{
    const char* name;
    std::function<CPropertyPage*()> makePage;
    int nIDC;
    const char* tooMuch;
    const char* fits;
    std::function<CString()> stored;
};

TEST_F(StyleSettingsPages, AValueOverItsLimitKeepsThePageOpenWithTheFocusOnTheField)
{
    CAuthorListPage bibliography;
    CIntextAuthorListPage intext;
    CDateFormatPage date;
    const CString longText('x', 64);
    const CString longestText('x', 63);
    const std::vector<LimitCase> cases = {
        {"bibliography count", [&] { return new CStyleSettingsPageWnd<CAuthorListPage>(bibliography); }, 2316,
         "32769", "32768",
         [&] {
             CString s;
             s.Format("%u", bibliography.abbreviateCount);
             return s;
         }},
        {"in-text count", [&] { return new CStyleSettingsPageWnd<CIntextAuthorListPage>(intext); }, 2315,
         "32001", "32000",
         [&] {
             CString s;
             s.Format("%u", intext.abbreviateThreshold);
             return s;
         }},
        {"date separator", [&] { return new CStyleSettingsPageWnd<CDateFormatPage>(date); }, 2316, longText,
         longestText, [&] { return date.secondSeparator.text; }},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSheet run;
        std::unique_ptr<CPropertyPage> page(c.makePage());
        run.AddPage(page.get());
        boxes.Clear();
        HWND hWndField = nullptr;
        run.script.steps = {[&] {
                                hWndField = ::GetDlgItem(page->m_hWnd, c.nIDC);
                                ::SetWindowText(hWndField, c.tooMuch);
                                run.Press(IDOK);
                            },
                            [&] {
                                EXPECT_EQ(1, boxes.CallCount());
                                EXPECT_TRUE(::IsWindowVisible(run.m_hWnd));
                                EXPECT_EQ(hWndField, ::GetFocus());
                                EXPECT_STRNE(c.tooMuch, c.stored());
                                ::SetWindowText(hWndField, c.fits);
                                run.Press(IDOK);
                            }};
        EXPECT_EQ(IDOK, run.DoModal());
        EXPECT_STREQ(c.fits, c.stored());
        PumpPending();
    }
}

TEST_F(StyleSettingsPages, DatePageFillsItsListsAndExchangesChoicesByIndex)
{
    CDateFormatPage settings;
    settings.captionId = 5159;
    CStyleSettingsPageWnd<CDateFormatPage> page(settings);
    const INT_PTR result = RunThenOK(
        page, {[&] {
            HWND h = page.m_hWnd;
            EXPECT_EQ((std::vector<CString>{"Month", "Day", "Year", "--None--"}), ListItems(h, 2310));
            EXPECT_EQ(5u, ListItems(h, 2312).size());
            EXPECT_EQ(2, Selected(h, 2309));
            EXPECT_EQ(3, Selected(h, 2310));
            EXPECT_EQ(3, Selected(h, 2312));
            EXPECT_EQ(1, Selected(h, 2314));
            EXPECT_TRUE(IsChecked(h, 2307));
            EXPECT_STREQ("/", DlgItemText(h, 2315));
            char caption[64] = {};
            ::GetWindowText(h, caption, sizeof caption);
            EXPECT_STREQ("Date (12) Formatting", caption);
            Select(h, 2309, 0);
            Select(h, 2313, 1);
            ::CheckDlgButton(h, 2308, BST_CHECKED);
            ::SetDlgItemText(h, 2315, " ");
        }});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(kDatePartMonth, settings.firstPart);
    EXPECT_EQ(kDayRoman, settings.dayFormat);
    EXPECT_TRUE(settings.padWithZeros);
    EXPECT_STREQ(" ", settings.firstSeparator.text);
}

TEST_F(StyleSettingsPages, PageNumberRadioIndexFollowsTheDialogOrder)
{
    // The MLA button (2327) comes before "Start Page Only" (2326) in the dialog.
    const struct
    {
        int nButton;
        int nFormat;
    } cases[] = {{2323, 0}, {2325, 2}, {2327, 3}, {2326, 4}};
    for (const auto& c : cases) {
        CPageNumberFormatPage settings;
        CStyleSettingsPageWnd<CPageNumberFormatPage> page(settings);
        ScriptedSheet run;
        run.AddPage(&page);
        run.script.steps = {[&] {
            for (int nID = 2323; nID <= 2327; ++nID)
                ::CheckDlgButton(page.m_hWnd, nID, nID == c.nButton ? BST_CHECKED : 0);
            ::SetDlgItemText(page.m_hWnd, 2317, "pp. ");
            run.Press(IDOK);
        }};
        EXPECT_EQ(IDOK, run.DoModal());
        EXPECT_EQ(c.nFormat, settings.rangeFormat) << c.nButton;
        EXPECT_STREQ("pp. ", settings.rangePrecedingText.text);
        PumpPending();
    }
}

TEST_F(StyleSettingsPages, AuthorSheetAppliesAllFourPagesOnOKAndNoneOnCancel)
{
    for (const int nEnd : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(nEnd);
        CAuthorFormatSheet format;
        ScriptedAuthorSheet wnd(format);
        ASSERT_EQ(4, wnd.GetPageCount());
        EXPECT_STREQ("Author List", wnd.GetPage(0)->GetCaption());
        EXPECT_STREQ("Separators", wnd.GetPage(1)->GetCaption());
        EXPECT_STREQ("Names", wnd.GetPage(2)->GetCaption());
        EXPECT_STREQ("Text", wnd.GetPage(3)->GetCaption());
        wnd.script.steps = {[&] {
                                EXPECT_EQ(nullptr, ::GetDlgItem(wnd.m_hWnd, ID_APPLY_NOW));
                                ::SetDlgItemText(wnd.listPage.m_hWnd, 2316, "2");
                                EXPECT_TRUE(wnd.SetActivePage(1));
                            },
                            [&] {
                                EXPECT_STREQ(", and ", DlgItemText(wnd.separatorsPage.m_hWnd, 2317));
                                ::SetDlgItemText(wnd.separatorsPage.m_hWnd, 2315, " & ");
                                EXPECT_TRUE(wnd.SetActivePage(2));
                            },
                            [&] {
                                EXPECT_EQ(1, Selected(wnd.namesPage.m_hWnd, 2311));
                                Select(wnd.namesPage.m_hWnd, 2309, 3);
                                EXPECT_TRUE(wnd.SetActivePage(3));
                            },
                            [&] {
                                ::SetDlgItemText(wnd.textPage.m_hWnd, 2315, "By ");
                                ::PostMessage(wnd.m_hWnd, WM_COMMAND, nEnd, 0);
                            }};
        EXPECT_EQ(nEnd, wnd.DoModal());
        const bool applied = nEnd == IDOK;
        EXPECT_EQ(applied ? 2u : 1u, format.listPage.abbreviateCount);
        EXPECT_STREQ(applied ? " & " : " and ", format.separatorsPage.twoAuthorSeparator.text);
        EXPECT_EQ(applied ? 3 : 1, format.namesPage.firstNameOrder);
        EXPECT_STREQ(applied ? "By " : "", format.textPage.singleAuthorPreceding.text);
        EXPECT_EQ(0, boxes.CallCount());
        PumpPending();
    }
    CIntextAuthorFormatSheet intext;
    CAuthorFormatSheetWnd<CIntextAuthorFormatSheet> intextWnd(intext);
    EXPECT_EQ(4, intextWnd.GetPageCount());
}

// Journal lists in a folder of their own (one in a subfolder) and one outside it.
class JournalPage : public StyleSettingsPages
{
protected:
    static inline CString s_folders;
    CString root;
    CString folder;
    JournalListFolderSource previous = nullptr;

    static CString Folders() { return s_folders; }

    CString MakeFile(const CString& path)
    {
        FILE* f = fopen(path, "wb");
        if (f != nullptr)
            fclose(f);
        return path;
    }

    void SetUp() override
    {
        StyleSettingsPages::SetUp();
        char temp[MAX_PATH] = {};
        ::GetTempPath(sizeof temp, temp);
        root.Format("%slvjournals%lu", temp, ::GetCurrentProcessId());
        folder = root + "\\Lists";
        ::CreateDirectory(root, nullptr);
        ::CreateDirectory(folder, nullptr);
        ::CreateDirectory(folder + "\\More", nullptr);
        MakeFile(folder + "\\Medical.ljl");
        MakeFile(folder + "\\Chemistry.ljl");
        MakeFile(folder + "\\More\\Zoology.LJL");
        MakeFile(folder + "\\notes.txt");
        s_folders = folder + ";";
        previous = SetJournalListFolderSource(&Folders);
    }
    void TearDown() override
    {
        SetJournalListFolderSource(previous);
        for (const char* name : {"\\Lists\\Medical.ljl", "\\Lists\\Chemistry.ljl",
                                 "\\Lists\\More\\Zoology.LJL", "\\Lists\\notes.txt", "\\Extra.ljl"})
            ::DeleteFile(root + name);
        ::RemoveDirectory(folder + "\\More");
        ::RemoveDirectory(folder);
        ::RemoveDirectory(root);
        StyleSettingsPages::TearDown();
    }
};

class BrowsingJournalPage : public CJournalFormatPageWnd
{
public:
    using CJournalFormatPageWnd::CJournalFormatPageWnd;
    CString startFolder;
    CString picked;

protected:
    BOOL BrowseForJournalList(const CString& folder, CString& path) override
    {
        startFolder = folder;
        path = picked;
        return !picked.IsEmpty();
    }
};

TEST_F(JournalPage, ListsNoneAndTheJournalListsByTitleAndStoresTheChosenPath)
{
    CJournalFormatPage settings;
    settings.titleCase = kTitleUppercase;
    CJournalFormatPageWnd page(settings);
    EXPECT_EQ(IDOK,
              RunThenOK(page, {[&] {
                            HWND h = page.m_hWnd;
                            EXPECT_EQ((std::vector<CString>{"(None)", "Chemistry", "Medical", "Zoology"}),
                                      ListItems(h, 2310));
                            EXPECT_EQ(0, Selected(h, 2310));
                            EXPECT_EQ(1, Selected(h, 2309));
                            Select(h, 2310, 2);
                            Select(h, 2309, 3);
                        }}));
    EXPECT_EQ(folder + "\\Medical.ljl", settings.journalListPath);
    EXPECT_EQ(kTitleHeadline, settings.titleCase);
}

TEST_F(JournalPage, NoneSavesAnEmptyPath)
{
    CJournalFormatPage settings;
    settings.journalListPath = folder + "\\Medical.ljl";
    CJournalFormatPageWnd page(settings);
    EXPECT_EQ(IDOK, RunThenOK(page, {[&] {
                                  EXPECT_EQ(2, Selected(page.m_hWnd, 2310));
                                  Select(page.m_hWnd, 2310, 0);
                              }}));
    EXPECT_STREQ("", settings.journalListPath);
}

TEST_F(JournalPage, APathOutsideTheFoldersIsAddedAndAVanishedOneFailsValidation)
{
    CJournalFormatPage settings;
    settings.journalListPath = MakeFile(root + "\\Extra.ljl");
    CJournalFormatPageWnd page(settings);
    sheet.AddPage(&page);
    sheet.script.steps = {[&] {
                              const std::vector<CString> items = ListItems(page.m_hWnd, 2310);
                              ASSERT_EQ(5u, items.size());
                              EXPECT_STREQ("Extra", items[static_cast<size_t>(Selected(page.m_hWnd, 2310))]);
                              ::DeleteFile(root + "\\Extra.ljl");
                              sheet.Press(IDOK);
                          },
                          [&] {
                              EXPECT_EQ(1, boxes.CallCount());
                              EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
                              EXPECT_EQ(::GetDlgItem(page.m_hWnd, 2310), ::GetFocus());
                              sheet.Press(IDCANCEL);
                          }};
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(root + "\\Extra.ljl", settings.journalListPath);
}

TEST_F(JournalPage, BrowseStartsInTheSelectedListsFolderOrThePrimaryOneAndSelectsThePick)
{
    CJournalFormatPage settings;
    BrowsingJournalPage page(settings);
    const CString extra = MakeFile(root + "\\Extra.ljl");
    EXPECT_EQ(IDOK, RunThenOK(page, {[&] {
                                  page.picked = folder + "\\More\\Zoology.LJL";
                                  page.SendMessage(WM_COMMAND, MAKEWPARAM(2176, BN_CLICKED),
                                                   (LPARAM)::GetDlgItem(page.m_hWnd, 2176));
                                  EXPECT_EQ(folder, page.startFolder);
                                  EXPECT_EQ(3, Selected(page.m_hWnd, 2310));
                                  page.picked = extra;
                                  page.SendMessage(WM_COMMAND, MAKEWPARAM(2176, BN_CLICKED),
                                                   (LPARAM)::GetDlgItem(page.m_hWnd, 2176));
                                  EXPECT_EQ(folder + "\\More", page.startFolder);
                              }}));
    EXPECT_EQ(extra, settings.journalListPath);
}

} // namespace
