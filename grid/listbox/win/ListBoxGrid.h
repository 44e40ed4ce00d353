// CListBoxGrid: the object behind a "CLGListBox" window, the list-box grid control. The control owns one
// engine grid (control ID 120) and, by its style bits GS_HEADING (0x10) and GS_SIDEHEADING (0x40), a top
// heading (121) and a side heading (122); it lays them out, passes its font on and turns each engine
// notification into exactly one virtual call. Every list of the database windows derives from it.
//
// Window extra bytes (pointer-sized slots): 0 the attached object (null until attached), 1 the font last
// given by WM_SETFONT, 2 the style the control was created with. WS_HSCROLL and WS_VSCROLL of that style
// go to the inner grid; the control itself never shows scroll bars.
//
// Lifetime: the object outlives its window (the window only calls it while attached); destroy the
// window before the object. The destructor deletes the pen, then the font.
#pragma once

#include "classlib/win/GdiObject.h"
#include "grid/listbox/GridMessages.h"
#include "grid/listbox/GridState.h"

#include <windows.h>

extern const char kListBoxGridClassName[]; // "CLGListBox"

enum ListBoxGridMessage : UINT
{
    LGM_ATTACHOBJECT = 1147, // lParam: the CListBoxGrid
    LGM_CREATECHILDREN = 1148,
};

enum ListBoxGridChild : int
{
    LISTBOX_GRID_ID = 120,
    LISTBOX_TOP_HEADING_ID = 121,
    LISTBOX_SIDE_HEADING_ID = 122,
    LISTBOX_CONTROL_ID = 123, // the control made by Create
};

// Registers the engine's classes, then "CLGListBox"; true when the class exists afterwards.
bool RegisterListBoxGridClass(HINSTANCE instance);
LRESULT CALLBACK ListBoxGridWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CListBoxGrid
{
public:
    CListBoxGrid() = default;
    virtual ~CListBoxGrid();
    CListBoxGrid(const CListBoxGrid&) = delete;
    CListBoxGrid& operator=(const CListBoxGrid&) = delete;

    // After the children exist: the stock variable-pitch font, whole-row selection, the line pen.
    virtual void InitDefaults();
    virtual void OnDestroy() {}
    virtual void OnClick(LONG, GridWndNotify&) {}
    virtual void OnClickCurrent(LONG, GridWndNotify&) {}
    virtual void OnRightClick(LONG, GridWndNotify&) {}
    virtual void OnDoubleClick(LONG, GridWndNotify&) {}
    virtual void OnDropFiles(LONG, GridWndNotify&) {}
    virtual void OnEnter(LONG, GridWndNotify&) {}
    virtual void OnKey(LONG, GridWndNotify&) {}
    virtual void OnKillFocus(LONG, GridWndNotify&) {}
    virtual void OnPastLastRow(LONG, GridWndNotify&) {}
    virtual void OnBeforeFirstRow(LONG, GridWndNotify&) {}
    virtual void OnRowChanged(LONG, GridWndNotify&) {}
    // Leaving ownerDrawn 0 lets the engine draw the block's text.
    virtual void OnDrawCell(LONG, LONG, GridWndNotify&) {}
    virtual void OnHeadingDoubleClick(LONG, GridWndNotify&) {}
    virtual void OnHeadingClick(LONG, GridWndNotify&) {}
    virtual void OnHeadingRightClick(LONG, GridWndNotify&) {}
    virtual void OnDrawHeadingCell(LONG, GridWndNotify&) {}
    virtual void OnColumnSized(LONG, GridWndNotify&) {}
    virtual void OnColumnSizing(LONG, GridWndNotify&) {}
    virtual void OnBeginColumnSize(LONG, GridWndNotify&) {}
    virtual void OnSideDoubleClick(LONG, GridWndNotify&) {}
    virtual void OnSideClick(LONG, GridWndNotify&) {}
    virtual void OnSideRightClick(LONG, GridWndNotify&) {}
    virtual void OnDrawSideCell(LONG, GridWndNotify&) {}
    virtual void OnCornerDoubleClick(GridWndNotify&) {}
    virtual void OnCornerClick(GridWndNotify&) {}
    virtual void OnCornerRightClick(GridWndNotify&) {}

    // A "CLGListBox" child (ID 123, no title) of parent, attached; null when it cannot be made.
    virtual HWND Create(DWORD style, HWND parent, int x, int y, int width, int height);
    // Attaches to a control (placed by a dialog template or by Create) and creates its children.
    virtual void Attach(HWND control);
    // A two-pixel sunken border around the grid's window rectangle, on the screen.
    virtual void DrawScreenFrame();
    virtual void PaintBackground(HWND control);
    // Mouse messages over the corner between the headings; 0 outside it.
    virtual LRESULT OnCornerMouse(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void RecalcLayout(HWND control);
    // Non-zero when the character was handled.
    virtual BOOL OnChar(WPARAM, LPARAM) { return FALSE; }

    // Every message of the attached control but WM_NCCREATE and LGM_ATTACHOBJECT.
    LRESULT HandleMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

    LONG GetColumnWidth(LONG column) const;
    int FitColumns(LONG n);
    // Replaces the grid font; when it cannot be created the grid keeps its font.
    void SetFont(const LOGFONT& logFont);
    void SetSideHeadingWidth(int width);

    HWND window = nullptr;
    HWND topHeading = nullptr;
    HWND sideHeading = nullptr;
    HWND grid = nullptr;
    GridWndNotify* notify = nullptr;
    GridWndState* gridState = nullptr;
    int gap = 0; // -1 once the children exist: grid and headings overlap by one pixel
    CFont font;  // the grid font, when one was set
    CPen linePen;
    int framed = 0; // the grid one pixel further out on every side

private:
    void CreateChildren(HWND control);
    void SetFontMessage(HWND control, WPARAM font, LPARAM redraw);
    LRESULT Command(HWND control, WPARAM wParam, LPARAM lParam);
};

// Suspends a grid's redrawing for a scope (GM_SETREDRAW 0) and gives it back its previous state when the
// scope ends, by an exception too.
class CGridRedrawGuard
{
public:
    explicit CGridRedrawGuard(HWND grid)
        : m_grid(grid), m_previous(grid ? ::SendMessage(grid, GM_SETREDRAW, 0, 0) : 0)
    {
    }
    ~CGridRedrawGuard()
    {
        if (m_grid)
            ::SendMessage(m_grid, GM_SETREDRAW, static_cast<WPARAM>(m_previous), 0);
    }
    CGridRedrawGuard(const CGridRedrawGuard&) = delete;
    CGridRedrawGuard& operator=(const CGridRedrawGuard&) = delete;

private:
    HWND m_grid;
    LRESULT m_previous;
};
