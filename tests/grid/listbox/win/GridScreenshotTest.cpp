// A picture of a grid with its headings and some rows as the screen shows it, saved to be looked at (not
// compared). Runs only where scripts/screenshots names the folder in LORVANE_ARTEFACTS.
#include "AuthorDatabase.h"
#include "GridTestOwner.h"

#include "classlib/win/DialogTestSupport.h"
#include "grid/listbox/win/TermCountGrid.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

namespace {

const char* const kRows[][3] = {
    {"Abelson, R.", "1998", "Urban form and social networks"},
    {"Baptiste, M.", "2001", "Housing markets in transition"},
    {"Chen, L.", "2003", "Neighbourhood effects revisited"},
    {"Dubois, A.", "1995", "The reading group as method"},
    {"Eriksen, T.", "2002", "Commuting and kinship"},
    {"Fontaine, C.", "1999", "Street life: an ethnography"},
    {"Garcia, P.", "2004", "Migration, memory and place"},
    {"Hoffmann, K.", "1997", "Public space after the plan"},
};

TEST(Screenshot, GridWithHeadingsAndRows)
{
    const char* folder = std::getenv("LORVANE_ARTEFACTS");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "no picture folder (run by scripts/screenshots on a virtual display)";
    GridTestOwner owner(640, 300);
    HWND grid = owner.CreateGrid(WS_VSCROLL, 10, 560);
    HWND top = owner.CreateHeading(GS_RAISED, 121, 40, 30, 560, 22);
    HWND side = owner.CreateHeading(GS_SIDEHEADING | GS_RAISED, 122, 0, 60, 36, 100);
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    for (HWND w : {grid, top, side})
        ::SendMessage(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    const LONG widths[] = {140, 60, 340};
    GridSetup(grid, top, side, 8, 3, widths, 4, TRUE);
    owner.FitRows(grid, 10, 560);
    ::SendMessage(grid, GM_SETHORIZONTALLINES, 1, 0);
    ::SendMessage(grid, GM_SETSTRETCHLAST, 1, 0);
    ::SendMessage(grid, GM_SETROWSELECT, 1, 0);
    ::SendMessage(grid, GM_SETCURRENTROW, 0, 2);
    GridPlaceHeading(grid, 0, 0);
    GridPlaceHeading(grid, 1, 0);
    owner.writeCellTexts = false;
    owner.answer = [&](GridWndNotify& b, LONG code, HWND sender) {
        if (code != GN_DRAWCELL)
            return;
        static const char* const headings[] = {"Author", "Year", "Title"};
        if (sender == top)
            b.text = const_cast<char*>(headings[b.column]);
        else if (sender == side)
            sprintf(b.textBuffer, "%d", static_cast<int>(b.row) + 1), b.text = b.textBuffer;
        else
            b.text = const_cast<char*>(kRows[b.row][b.column]);
        if (sender == grid && b.column == 1)
            b.align = GRID_ALIGN_RIGHT;
    };
    ::SetFocus(grid);
    ::RedrawWindow(owner.hWnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(300); // the X server catches up
    const CString path = CString(folder) + "\\grid-with-headings.bmp";
    EXPECT_GT(SaveWindowPicture(owner.hWnd(), path), 2) << path;
}

// A "Subject Terms"-style dialog: a count grid over the author index of a generated database, with its
// between a prompt and the dialog's buttons.
TEST(Screenshot, TermCountGridOverAnAuthorIndex)
{
    const char* folder = std::getenv("LORVANE_ARTEFACTS");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "no picture folder (run by scripts/screenshots on a virtual display)";
    ScratchProfileApp app;
    const std::string path = "grid_screenshot_authors.ldt";
    std::remove(path.c_str());
    std::remove("grid_screenshot_authors.ldx");
    {
        DBDatabase db;
        db.SetPathName(path.c_str());
        db.CreateNew();
        CFileException error;
        ASSERT_TRUE(db.OpenDatabase(CFile::modeReadWrite | CFile::shareExclusive, &error));
        AddAuthorRecords(db, SampleAuthors(), 157);

        GridTestOwner owner(460, 380);
        ::SetWindowText(owner.hWnd(), "Subject Terms");
        HINSTANCE instance = ::GetModuleHandle(nullptr);
        HFONT gui = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        const struct
        {
            const char* cls;
            const char* text;
            DWORD style;
            int x, y, cx, cy, id;
        } controls[] = {
            {"STATIC", "&Authors:", SS_LEFT, 12, 10, 200, 16, 100},
            {"BUTTON", "Insert", BS_DEFPUSHBUTTON, 352, 30, 84, 24, IDOK},
            {"BUTTON", "Cancel", BS_PUSHBUTTON, 352, 60, 84, 24, IDCANCEL},
        };
        for (const auto& c : controls) {
            HWND w = ::CreateWindowEx(0, c.cls, c.text, WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.cx, c.cy,
                                      owner.hWnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                      instance, nullptr);
            ::SendMessage(w, WM_SETFONT, reinterpret_cast<WPARAM>(gui), 0);
        }
        RegisterListBoxGridClass(instance);
        HWND control =
            ::CreateWindowEx(0, kListBoxGridClassName, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 12, 30, 328,
                             300, owner.hWnd(), reinterpret_cast<HMENU>(200), instance, nullptr);
        ASSERT_NE(nullptr, control);
        CTermCountGrid grid;
        grid.AttachColumns(control, &db.GetAuthorIndex().GetTree(), TRUE);
        ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, 4);
        ::SetFocus(grid.grid);
        ::RedrawWindow(owner.hWnd(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpFor(300);
        const CString picture = CString(folder) + "\\term-count-grid.bmp";
        EXPECT_GT(SaveWindowPicture(owner.hWnd(), picture), 2) << picture;
        ::DestroyWindow(control);
    }
    std::remove(path.c_str());
    std::remove("grid_screenshot_authors.ldx");
}

} // namespace
