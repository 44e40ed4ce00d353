// A term grid over a list file of 1,000,000 keys (or the count given) with a position index, in its
// control: random jumps each followed by the paint of one screen (60 rows, 2 columns; median and worst
// of 1,000), one-row scrolls, and type-ahead from the end of its wait to the new current row (the
// position of the typed text, the row made current and painted). Goals: a jump and its screen under
// 5 ms, a scroll under 0.5 ms, a type-ahead under 1 ms, the cache never above 100 rows.
#include "bench/support/BenchReport.h"

#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "database/btree/BTPositionIndex.h"
#include "database/btree/BTreeCursor.h"
#include "database/db/ListEntry.h"
#include "database/db/ListFile.h"
#include "grid/listbox/TypeAhead.h"
#include "grid/listbox/win/TermGrid.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

int s_keys = 1000000;

unsigned s_seed = 2024;
unsigned Random()
{
    s_seed = s_seed * 1103515245u + 12345u;
    return (s_seed >> 8) & 0xFFFFFF;
}

// Keys "Term 0000000" .. in order, each with a short note.
void Fill(CListFile& file)
{
    CListEntry entry;
    char term[32], key[CListFile::kKeySize];
    for (int i = 0; i < s_keys; ++i) {
        snprintf(term, sizeof term, "Term %07d %c", i, 'a' + i % 26);
        entry.strings[0].SetPlainText(term);
        entry.strings[1].SetPlainText("note");
        file.MakeListKey(key, entry);
        file.GetEntryTree().AddObject(entry, key);
    }
}

// Counts the cells painted.
class CountingTermGrid : public CTermGrid
{
public:
    void OnDrawCell(LONG column, LONG row, GridWndNotify& block) override
    {
        ++cells;
        CTermGrid::OnDrawCell(column, row, block);
    }
    long long cells = 0;
};

int CachedRows(const CTermGrid& grid)
{
    int held = 0;
    for (int i = 0; i < BTreeRowCache::kRows; ++i)
        held += grid.RowCache().Slot(i).row != -1;
    return held;
}

void Run()
{
    const std::string path = static_cast<const char*>(MakeTempFileName());
    CListFile file(CListFile::kTermListType);
    file.SetPathName(path.c_str());
    file.CreateNew();
    CFileException error;
    if (!file.OpenFile(CFile::modeReadWrite | CFile::shareExclusive, &error))
        AfxThrowFileException(error.m_cause);
    BTPositionIndex index;
    file.GetEntryTree().AttachPositionIndex(&index);
    BenchClock clock;
    Fill(file);
    BenchPrintRate("keys added", s_keys, clock.Seconds());

    HINSTANCE instance = ::GetModuleHandle(nullptr);
    RegisterListBoxGridClass(instance);
    WNDCLASS wc = {};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "BTreeGridBenchOwner";
    ::RegisterClass(&wc);
    HWND owner = ::CreateWindowEx(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 700, 1400, nullptr,
                                  nullptr, instance, nullptr);
    HWND control = ::CreateWindowEx(0, "CLGListBox", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 0, 0, 600, 100,
                                    owner, reinterpret_cast<HMENU>(200), instance, nullptr);
    CountingTermGrid grid;
    grid.Attach(control, nullptr);
    grid.ShowListTerms(&file, &file.GetEntryTree());
    const LONG rowHeight = static_cast<LONG>(::SendMessage(grid.grid, GM_GETROWHEIGHT, 0, 0));
    ::MoveWindow(control, 0, 0, 600, 60 * rowHeight + 4, TRUE);
    ::UpdateWindow(control);
    BenchPrintValue("rows", grid.GetRowCount(), "rows");
    BenchPrintValue("visible rows", static_cast<double>(::SendMessage(grid.grid, GM_GETVISIBLEROWS, 0, 0)),
                    "rows");

    const int jumps = 1000;
    std::vector<double> times;
    int mostCached = 0;
    for (int i = 0; i < jumps; ++i) {
        const LONG row = static_cast<LONG>(Random() % static_cast<unsigned>(s_keys));
        clock.Restart();
        ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, row);
        ::SendMessage(grid.grid, GM_SETTOPROW, 0, row);
        ::UpdateWindow(grid.grid);
        times.push_back(clock.Seconds() * 1000.0);
        mostCached = std::max(mostCached, CachedRows(grid));
    }
    std::sort(times.begin(), times.end());
    BenchPrintValue("jump and one screen, median", times[times.size() / 2], "ms");
    BenchPrintValue("jump and one screen, worst", times.back(), "ms");

    BenchPrintValue("cells per jump", static_cast<double>(grid.cells) / jumps, "cells");
    grid.cells = 0;
    const int scrolls = 2000;
    ::SendMessage(grid.grid, GM_SETTOPROW, 0, s_keys / 3);
    ::UpdateWindow(grid.grid);
    clock.Restart();
    for (int i = 0; i < scrolls; ++i) {
        ::SendMessage(grid.grid, WM_VSCROLL, SB_LINEDOWN, 0);
        ::UpdateWindow(grid.grid);
    }
    const double scrolled = clock.Seconds();
    BenchPrintRate("one-row scrolls", scrolls, scrolled);
    BenchPrintValue("one-row scroll", scrolled / scrolls * 1000.0, "ms");
    mostCached = std::max(mostCached, CachedRows(grid));
    BenchPrintValue("cells per scroll", static_cast<double>(grid.cells) / scrolls, "cells");

    // What follows the wait: the typed text's position, the row made current and the screen painted.
    const int typed = 1000;
    BTreeCursor cursor(&file.GetEntryTree());
    times.clear();
    for (int i = 0; i < typed; ++i) {
        char text[32];
        snprintf(text, sizeof text, "term %04u", Random() % 10000u);
        clock.Restart();
        const LONG row = TypeAheadRow(cursor, text, grid.GetRowCount());
        ::SendMessage(grid.grid, GM_SETCURRENTROW, 0, row);
        ::UpdateWindow(grid.grid);
        times.push_back(clock.Seconds() * 1000.0);
        mostCached = std::max(mostCached, CachedRows(grid));
    }
    std::sort(times.begin(), times.end());
    BenchPrintValue("type-ahead after the wait, median", times[times.size() / 2], "ms");
    BenchPrintValue("type-ahead after the wait, worst", times.back(), "ms");
    BenchPrintValue("most rows cached", mostCached, "rows");
    BenchPrintPeakMemory();

    ::DestroyWindow(owner);
    file.GetEntryTree().AttachPositionIndex(nullptr);
    file.Close();
    remove(path.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        s_keys = atoi(argv[1]) > 0 ? atoi(argv[1]) : s_keys;
    return BenchMain(Run);
}
