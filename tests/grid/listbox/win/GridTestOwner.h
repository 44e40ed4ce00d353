// A top-level owner window for grid tests: it records every notification the grid and its headings send
// (code, sender and a copy of the notification block) and lets a test answer them (cell texts, refusals,
// rows added from a notification).
#pragma once

#include "grid/listbox/GridMessages.h"
#include "grid/listbox/GridState.h"
#include "grid/listbox/win/GridWindow.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct GridNotice
{
    LONG code;
    WORD id;
    HWND sender;
    GridWndNotify block; // the block as the owner found it
    std::string text;    // the cell text after the owner answered (GN_DRAWCELL)
};

class GridTestOwner
{
public:
    GridTestOwner(int width = 800, int height = 700);
    ~GridTestOwner();

    HWND hWnd() const { return m_hWnd; }
    // A grid child (ID 120) whose client area is exactly rows x the row height high and width wide.
    HWND CreateGrid(DWORD style, int visibleRows, int width = 600);
    HWND CreateHeading(DWORD style, int id, int x, int y, int cx, int cy);
    // Resizes the grid's client area to this many whole rows.
    void FitRows(HWND grid, int rows, int width = 600);

    std::vector<GridNotice> notices;
    // Called for every notification before it is recorded; may write the block.
    std::function<void(GridWndNotify& block, LONG code, HWND sender)> answer;
    // The default answer to GN_DRAWCELL: "r<row>c<column>" (heading cells "H<column>" / "S<row>").
    bool writeCellTexts = true;

    std::vector<GridNotice> Of(LONG code) const;
    std::vector<LONG> Codes() const;
    void Clear() { notices.clear(); }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd = nullptr;
    GridWndNotify* m_block = nullptr;
};

// Dispatches every waiting message of the thread.
void PumpMessages();
// Dispatches messages for about ms milliseconds.
void PumpFor(DWORD ms);
// Holds or releases keys in the thread's keyboard state (Shift, Control) for the grid's key flags.
void HoldKey(int key, bool down);
