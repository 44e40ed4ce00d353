// The B-tree grids in their control, driven by messages: term and count grids over a real database's
// author index and over term and journal list files, the list-box notifications they post, type-ahead
// by posted characters over 100,000 keys, refreshing after deletes and the remembered column widths.
#include "AuthorDatabase.h"
#include "GridTestOwner.h"
#include "../TermListFixture.h"

#include "grid/listbox/win/TermCountGrid.h"
#include "grid/listbox/win/TermGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

std::string Cell(CBTreeGrid& grid, LONG row, int column)
{
    return static_cast<const char*>(grid.GetRow(row).cells[column].text);
}

LONG Current(CBTreeGrid& grid)
{
    return grid.GetCurrentRow();
}

std::string Upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A control of class "CLGListBox" in the owner, as a dialog template would place it (ID 200).
HWND PlaceControl(GridTestOwner& owner, DWORD style = GS_HEADING, int width = 420, int height = 300)
{
    RegisterListBoxGridClass(::GetModuleHandle(nullptr));
    return ::CreateWindowEx(0, kListBoxGridClassName, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, 10, 10,
                            width, height, owner.hWnd(), reinterpret_cast<HMENU>(200),
                            ::GetModuleHandle(nullptr), nullptr);
}

// The list-box notifications (codes 1 and 2) that reached the owner from the control.
std::vector<LONG> ListNotices(const GridTestOwner& owner, HWND control)
{
    std::vector<LONG> codes;
    for (const GridNotice& n : owner.notices)
        if (n.sender == control && n.id == 200)
            codes.push_back(n.code);
    return codes;
}

class AuthorIndexGridTest : public DatabaseFixture
{
};

TEST_F(AuthorIndexGridTest, CountGridShowsEachNameWithItsRecordCount)
{
    DBDatabase& db = Create();
    const auto counts = AddAuthorRecords(db, SampleAuthors(), 100);
    GridTestOwner owner;
    HWND control = PlaceControl(owner);
    ASSERT_NE(nullptr, control);
    CTermCountGrid grid;
    grid.AttachColumns(control, &db.GetAuthorIndex().GetTree(), TRUE);
    ASSERT_EQ(static_cast<LONG>(counts.size()), grid.GetRowCount());
    EXPECT_EQ(0, Current(grid));
    EXPECT_EQ(2, ::SendMessage(grid.grid, GM_GETCOLUMNCOUNT, 0, 0));
    EXPECT_EQ(0, grid.gridState->horizontalLines);
    EXPECT_EQ(0, grid.gridState->verticalLines);

    std::vector<std::string> names;
    for (LONG row = 0; row < grid.GetRowCount(); ++row) {
        const std::string name = Cell(grid, row, 0);
        ASSERT_EQ(1u, counts.count(name)) << name;
        EXPECT_EQ(std::to_string(counts.at(name)), Cell(grid, row, 1)) << name;
        names.push_back(Upper(name));
    }
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end())) << "rows in key order";

    const LONG countWidth =
        static_cast<LONG>(::SendMessage(grid.grid, GM_GETTEXTWIDTH, 0, reinterpret_cast<LPARAM>("00000")));
    RECT client;
    ::GetClientRect(grid.grid, &client);
    EXPECT_GT(countWidth, 10);
    EXPECT_EQ(countWidth, grid.GetColumnWidth(1));
    EXPECT_EQ(client.right - countWidth - 2, grid.GetColumnWidth(0));
    ::MoveWindow(control, 10, 10, 300, 200, TRUE);
    ::GetClientRect(grid.grid, &client);
    EXPECT_EQ(client.right - countWidth - 2, grid.GetColumnWidth(0)) << "after a resize";

    // Painting asks every visible cell of the cache; the count column is drawn right-aligned.
    owner.Clear();
    ::RedrawWindow(grid.grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(GRID_ALIGN_RIGHT, grid.columnAlign[1]);

    StyledString text;
    ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, 3);
    ASSERT_TRUE(grid.GetCurrentText(text));
    EXPECT_EQ(Cell(grid, 3, 0), std::string(text.text));
    DBRecordSet set;
    ASSERT_TRUE(grid.GetCurrentEntry(set));
    EXPECT_EQ(counts.at(Cell(grid, 3, 0)), set.GetCount());
    ::DestroyWindow(control);
}

TEST_F(AuthorIndexGridTest, RowChangesAndDoubleClicksArePostedAsListBoxNotifications)
{
    DBDatabase& db = Create();
    AddAuthorRecords(db, SampleAuthors(), 30);
    GridTestOwner owner;
    HWND control = PlaceControl(owner);
    CTermCountGrid grid;
    grid.AttachColumns(control, &db.GetAuthorIndex().GetTree(), TRUE);
    PumpMessages();
    const LONG rowHeight = static_cast<LONG>(::SendMessage(grid.grid, GM_GETROWHEIGHT, 0, 0));
    const struct
    {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<LONG> codes;
        LONG current;
    } cases[] = {
        {"down arrow", WM_KEYDOWN, VK_DOWN, 0, {1}, 1},
        {"Enter", WM_KEYDOWN, VK_RETURN, 0, {2}, 1},
        {"click on another row", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, rowHeight * 4 + 2), {1}, 4},
        {"double click", WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, rowHeight * 4 + 2), {2}, 4},
        {"a key type-ahead ignores", WM_KEYDOWN, VK_F5, 0, {}, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        owner.Clear();
        ::PostMessage(grid.grid, c.message, c.wParam, c.lParam);
        if (c.message == WM_LBUTTONDOWN)
            ::PostMessage(grid.grid, WM_LBUTTONUP, 0, c.lParam);
        PumpFor(50);
        EXPECT_EQ(c.codes, ListNotices(owner, control)) << "posted to the parent with the control's ID";
        EXPECT_EQ(c.current, Current(grid));
    }
    ::DestroyWindow(control);
}

TEST_F(AuthorIndexGridTest, TermGridOverAnIndexAndNothingOffARow)
{
    DBDatabase& db = Create();
    GridTestOwner owner;
    HWND control = PlaceControl(owner);
    CTermGrid grid;
    grid.Attach(control, &db.GetAuthorIndex().GetTree());
    EXPECT_EQ(0, grid.GetRowCount());
    StyledString out("untouched");
    DBRecordSet set;
    EXPECT_FALSE(grid.GetCurrentText(out)) << "an empty index has no current row";
    EXPECT_FALSE(grid.GetCurrentEntry(set));
    EXPECT_FALSE(grid.GetSelectedNote(out));
    EXPECT_EQ("untouched", std::string(out.text));

    AddAuthorRecords(db, SampleAuthors(), 24);
    grid.ShowIndexTerms(&db.GetAuthorIndex().GetTree());
    EXPECT_EQ(24, grid.GetRowCount());
    EXPECT_EQ(1, ::SendMessage(grid.grid, GM_GETCOLUMNCOUNT, 0, 0));
    EXPECT_EQ("Abelson, R.", Cell(grid, 0, 0));
    ASSERT_TRUE(grid.GetCurrentText(out));
    EXPECT_EQ("Abelson, R.", std::string(out.text));
    EXPECT_FALSE(grid.GetSelectedNote(out)) << "no note while an index is shown";
    ::DestroyWindow(control);
}

// Lists and type-ahead need no database.
class TermListGridTest : public ::testing::Test
{
protected:
    ScratchProfileApp app;
    GridTestOwner owner;
};

TEST_F(TermListGridTest, NotesOfTermAndJournalListsAndHeadingTitles)
{
    struct Case
    {
        WORD type;
        const char* note; // of "Nature"
    };
    for (const Case& c :
         {Case{CListFile::kTermListType, "second"}, Case{CListFile::kJournalListType, "third"}}) {
        TermListFixture list(c.type);
        list.Add("Science", "", "");
        list.Add("Nature", "second", "third");
        list.Add("Cell", "cell second", "cell third");
        HWND control = PlaceControl(owner);
        CTermGrid grid;
        grid.Attach(control, nullptr);
        grid.ShowListTerms(&list.file, &list.Tree());
        ASSERT_EQ(3, grid.GetRowCount());
        EXPECT_EQ("Nature", Cell(grid, 1, 0));
        EXPECT_EQ(c.note, Cell(grid, 1, 1));
        EXPECT_EQ(1, grid.GetRow(1).cells[1].runs.GetSize()) << "one plain run";
        EXPECT_TRUE(grid.GetRow(1).cells[1].runs[0].IsPlain());
        EXPECT_TRUE(grid.GetRow(2).cells[1].runs.IsEmpty()) << "no run for an empty note";
        StyledString note;
        ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, 1);
        ASSERT_TRUE(grid.GetSelectedNote(note));
        EXPECT_EQ(c.note, std::string(note.text));
        ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, 2);
        EXPECT_FALSE(grid.GetSelectedNote(note)) << "an empty note";
        StyledString term;
        ASSERT_TRUE(grid.GetCurrentText(term));
        EXPECT_EQ("Science", std::string(term.text));

        for (LONG column : {0, 1, 2, 3}) {
            grid.notify->column = column;
            grid.notify->text = nullptr;
            ::SendMessage(control, WM_COMMAND, MAKEWPARAM(121, GN_DRAWCELL),
                          reinterpret_cast<LPARAM>(grid.topHeading));
            ASSERT_NE(nullptr, grid.notify->text);
            EXPECT_STREQ(column % 2 ? "Note" : "Term", grid.notify->text);
        }
        ::DestroyWindow(control);
    }
}

TEST_F(TermListGridTest, ColumnWidthsFromTheProfileKeptAcrossAnIndexAndWrittenBack)
{
    const struct
    {
        const char* stored; // null: no value
        LONG first, second;
    } cases[] = {{nullptr, 375, 174}, {"12", 375, 174}, {"a,b", 375, 174}, {"300,90", 300, 90}};
    TermListFixture list;
    list.AddWords(30);
    TermListFixture index; // stands for an index: another tree
    index.AddWords(10, 5);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        AfxGetApp()->WriteProfileString("Term List Options", "Column Widths.1", c.stored);
        HWND control = PlaceControl(owner, GS_HEADING, 600);
        CTermGrid grid;
        grid.Attach(control, nullptr);
        EXPECT_EQ(c.first, grid.widths[0]);
        EXPECT_EQ(c.second, grid.widths[1]);
        grid.ShowListTerms(&list.file, &list.Tree());
        const LONG a = grid.GetColumnWidth(0), b = grid.GetColumnWidth(1);
        const double ratio = static_cast<double>(c.first) / c.second;
        EXPECT_NEAR(ratio, static_cast<double>(a) / b, 0.03 * ratio)
            << "the remembered widths shared out over the grid";
        ::SendMessage(grid.grid, GM_SETCOLUMNWIDTH, 0, 250);
        ::SendMessage(grid.grid, GM_SETCOLUMNWIDTH, 1, 125);
        grid.ShowIndexTerms(&index.Tree());
        EXPECT_EQ(250, grid.widths[0]) << "the list's widths kept while an index is shown";
        EXPECT_EQ(125, grid.widths[1]);
        EXPECT_EQ(1, ::SendMessage(grid.grid, GM_GETCOLUMNCOUNT, 0, 0));
        grid.ShowListTerms(&list.file, &list.Tree());
        EXPECT_NEAR(2.0, static_cast<double>(grid.GetColumnWidth(0)) / grid.GetColumnWidth(1), 0.06);
        ::SendMessage(grid.grid, GM_SETCOLUMNWIDTH, 0, 222);
        ::SendMessage(grid.grid, GM_SETCOLUMNWIDTH, 1, 111);
        ::DestroyWindow(control);
        EXPECT_EQ("222,111",
                  std::string(AfxGetApp()->GetProfileString("Term List Options", "Column Widths.1", "")))
            << "written back when the window goes";
    }
}

TEST_F(TermListGridTest, RefreshAfterDeletesKeepsTheCurrentRowWhereItStillExists)
{
    TermListFixture list;
    list.AddWords(50);
    HWND control = PlaceControl(owner);
    CTermGrid grid;
    grid.Attach(control, nullptr);
    grid.ShowListTerms(&list.file, &list.Tree());
    for (LONG row = 0; row < 50; ++row)
        grid.GetRow(row);
    const struct
    {
        LONG current;
        int deletes; // from the end
        LONG expected;
    } cases[] = {{20, 0, 20}, {45, 10, 39}, {39, 1, 38}, {10, 5, 10}};
    for (const auto& c : cases) {
        ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, c.current);
        std::vector<std::string> terms = list.Terms();
        for (int i = 0; i < c.deletes; ++i) {
            CListEntry entry;
            entry.strings[0] = StyledString(terms[terms.size() - 1 - i].c_str());
            char key[CListFile::kKeySize];
            list.file.MakeListKey(key, entry);
            ASSERT_TRUE(list.Tree().DeleteObject(key));
        }
        grid.Refresh();
        terms = list.Terms();
        ASSERT_EQ(static_cast<LONG>(terms.size()), grid.GetRowCount());
        EXPECT_EQ(c.expected, Current(grid)) << c.current;
        EXPECT_EQ(terms[c.expected], Cell(grid, c.expected, 0)) << "the cache read anew";
        EXPECT_EQ(terms.back(), Cell(grid, grid.GetRowCount() - 1, 0));
    }
    ::DestroyWindow(control);
}

// Type-ahead over a list of 100,000 generated words.
class TypeAheadGridTest : public TermListGridTest
{
protected:
    static void SetUpTestSuite()
    {
        s_list = new TermListFixture;
        s_list->AddWords(100000);
        s_upper = new std::vector<std::string>;
        for (const std::string& t : s_list->Terms())
            s_upper->push_back(Upper(t));
    }
    static void TearDownTestSuite()
    {
        delete s_upper;
        delete s_list;
    }
    void SetUp() override
    {
        control = PlaceControl(owner);
        grid.Attach(control, nullptr);
        grid.ShowListTerms(&s_list->file, &s_list->Tree());
        PumpMessages();
    }
    void TearDown() override
    {
        if (::IsWindow(control))
            ::DestroyWindow(control);
    }
    // The first row at or after the typed text, upper-cased; the last past them all.
    static LONG Expected(const char* typed)
    {
        const auto at = std::lower_bound(s_upper->begin(), s_upper->end(), Upper(typed));
        return static_cast<LONG>(std::min<size_t>(at - s_upper->begin(), s_upper->size() - 1));
    }
    void Type(const char* text)
    {
        for (const char* p = text; *p; ++p)
            ::PostMessage(grid.grid, WM_CHAR, static_cast<BYTE>(*p), 1);
    }
    void Key(WPARAM key) { ::PostMessage(grid.grid, WM_KEYDOWN, key, 1); }

    static TermListFixture* s_list;
    static std::vector<std::string>* s_upper;
    HWND control = nullptr;
    CTermGrid grid;
};
TermListFixture* TypeAheadGridTest::s_list;
std::vector<std::string>* TypeAheadGridTest::s_upper;

TEST_F(TypeAheadGridTest, CharactersWithin400msSelectTheFirstKeyAtOrAfterThem)
{
    ASSERT_EQ(100000, grid.GetRowCount());
    ASSERT_TRUE(std::is_sorted(s_upper->begin(), s_upper->end()));
    const struct
    {
        const char* typed;
        LONG expected;
    } cases[] = {
        {"smi", Expected("SMI")},
        {"Qu", Expected("QU")},
        {"TrOw", Expected("TROW")},
        {"zzzzzzzzzz", 99999},
        {"a", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, 50000);
        Type(c.typed);
        PumpFor(700);
        EXPECT_EQ(c.expected, Current(grid));
    }
    EXPECT_NE(Expected("SMI"), Expected("S")) << "the fixture tells the cases apart";
}

TEST_F(TypeAheadGridTest, APauseStartsAnewAndNamedKeysAreWholeValues)
{
    Type("s");
    PumpFor(700);
    EXPECT_EQ(Expected("S"), Current(grid));
    Type("m");
    PumpFor(700);
    EXPECT_EQ(Expected("M"), Current(grid)) << "not SM: the pause ended the first search";

    const struct
    {
        const char* what;
        bool character; // WM_CHAR, else WM_KEYDOWN
        WPARAM value;
        LONG expected; // -2: unchanged
    } cases[] = {
        {"Home", false, VK_HOME, 0}, {"End", false, VK_END, 99999}, {"U umlaut", true, 0xDC, -2},
        {"Y acute", true, 0xDD, -2}, {"a ring", true, 0xE5, -2},    {"a blank", true, ' ', -2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, 777);
        owner.Clear();
        if (c.character)
            ::PostMessage(grid.grid, WM_CHAR, c.value, 1);
        else
            Key(c.value);
        PumpFor(500);
        EXPECT_EQ(c.expected == -2 ? 777 : c.expected, Current(grid));
        for (const GridNotice& n : owner.notices)
            EXPECT_NE(IDCANCEL, n.id) << "never taken for Esc";
    }
    EXPECT_TRUE(::IsWindow(control));

    owner.Clear();
    Key(VK_ESCAPE);
    PumpFor(50);
    bool cancelled = false;
    for (const GridNotice& n : owner.notices)
        cancelled |= n.id == IDCANCEL && n.code == 0 && n.sender == control;
    EXPECT_TRUE(cancelled) << "Esc posts IDCANCEL to the dialog";
}

TEST_F(TypeAheadGridTest, TheWaitSurvivesItsGridAndKeepsAQuit)
{
    // The control closed while the wait dispatches: the wait ends without touching it.
    Type("k");
    ::PostMessage(control, WM_CLOSE, 0, 0);
    PumpFor(700);
    EXPECT_FALSE(::IsWindow(control));

    // The busy flag was given back: another grid's type-ahead runs.
    HWND second = PlaceControl(owner);
    CTermGrid other;
    other.Attach(second, nullptr);
    other.ShowListTerms(&s_list->file, &s_list->Tree());
    ::PostMessage(other.grid, WM_CHAR, 'r', 1);
    PumpFor(700);
    EXPECT_EQ(Expected("R"), Current(other));

    // A quit taken by the wait is posted again, and the search still ends.
    ::PostMessage(other.grid, WM_CHAR, 'w', 1);
    ::PostQuitMessage(7);
    MSG msg;
    ASSERT_TRUE(::PeekMessage(&msg, other.grid, WM_CHAR, WM_CHAR, PM_REMOVE));
    ::DispatchMessage(&msg); // returns after the wait
    EXPECT_EQ(Expected("W"), Current(other));
    MSG quit;
    ASSERT_TRUE(::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, quit.wParam);
    ::DestroyWindow(second);
}

} // namespace
