// The masked cell editor "KLX_Edit": a single-line editor over GridEditText, with a caret, a selection
// by keys and mouse, a grey prompt behind empty positions, plain-text clipboard, and exit keys that it
// reports to its parent (the grid) as code 100.
#include "grid/listbox/win/GridInternal.h"
#include "grid/listbox/win/GridWindow.h"

#include "grid/listbox/GridEditText.h"

#include <string.h>

#include <string>

namespace {

// One per editor, in a zero-filled movable block locked for the window's life.
struct GridWndEditState
{
    HWND window;
    LONG controlId;
    HFONT font;
    LONG textHeight;
    LONG paintedCaret;
    LONG selecting;
    LONG avgCharWidth;
    LONG wantEnter;
    LONG wantTab;
    LONG exitCode;
    LONG margin;
    COLORREF textColor;
    COLORREF backColor;
    LONG mouseX;
    GridEditText edit;
};

// Exit keys and their codes.
struct ExitKey
{
    WPARAM key;
    LONG code;
};
const ExitKey kExitKeys[] = {{VK_RETURN, 1}, {VK_TAB, 2},  {VK_UP, 4},     {VK_DOWN, 5},
                             {VK_PRIOR, 6},  {VK_NEXT, 7}, {VK_ESCAPE, 8}, {VK_F1, 11},
                             {VK_F2, 12},    {VK_F3, 13},  {VK_F4, 14},    {VK_F5, 15},
                             {VK_F6, 16},    {VK_F7, 17},  {VK_F8, 18},    {VK_F9, 19}};
const LONG kShiftTab = 3;

GridWndEditState* StateOf(HWND hWnd)
{
    return reinterpret_cast<GridWndEditState*>(::GetWindowLongPtr(hWnd, GRID_SLOT_STATE));
}

bool Held(int key)
{
    return ::GetKeyState(key) < 0;
}

void Tell(GridWndEditState& e, WORD code)
{
    ::SendMessage(::GetParent(e.window), WM_COMMAND, MAKEWPARAM(e.controlId, code),
                  reinterpret_cast<LPARAM>(e.window));
}

std::string ReadClipboard(HWND hWnd)
{
    std::string text;
    if (!::OpenClipboard(hWnd))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        const SIZE_T size = ::GlobalSize(data);
        if (const char* p = static_cast<const char*>(::GlobalLock(data))) {
            text.assign(p, strnlen(p, size));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return GridEditPasteText(text);
}

void WriteClipboard(HWND hWnd, const std::string& text)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block)
        return;
    if (char* p = static_cast<char*>(::GlobalLock(block))) {
        memcpy(p, text.c_str(), text.size() + 1);
        ::GlobalUnlock(block);
    }
    if (!::OpenClipboard(hWnd)) {
        ::GlobalFree(block);
        return;
    }
    ::EmptyClipboard();
    if (!::SetClipboardData(CF_TEXT, block))
        ::GlobalFree(block);
    ::CloseClipboard();
}

GridEditClipboard Clipboard(HWND hWnd)
{
    return {[hWnd] { return ReadClipboard(hWnd); },
            [hWnd](const std::string& t) { WriteClipboard(hWnd, t); }};
}

// A device context with the editor's font, or the default font when it has none.
class FontDC
{
public:
    explicit FontDC(const GridWndEditState& e) : m_wnd(e.window), m_dc(::GetDC(e.window))
    {
        if (e.font)
            m_old = ::SelectObject(m_dc, e.font);
    }
    ~FontDC()
    {
        if (m_old)
            ::SelectObject(m_dc, m_old);
        ::ReleaseDC(m_wnd, m_dc);
    }
    HDC dc() const { return m_dc; }
    LONG Width(const char* text, LONG n) const
    {
        SIZE size = {0, 0};
        if (n > 0)
            ::GetTextExtentPoint32(m_dc, text, n, &size);
        return size.cx;
    }

private:
    HWND m_wnd;
    HDC m_dc;
    HGDIOBJ m_old = nullptr;
};

LONG HitTest(GridWndEditState& e, LONG x)
{
    FontDC fdc(e);
    LONG average = e.avgCharWidth;
    if (average <= 0) { // no font: measure with the context's default font rather than divide by 0
        TEXTMETRIC tm;
        ::GetTextMetrics(fdc.dc(), &tm);
        average = tm.tmAveCharWidth;
    }
    return GridEditHitTest(e.edit, x, e.margin, average, [&](LONG n) { return fdc.Width(e.edit.text, n); });
}

void Measure(GridWndEditState& e)
{
    FontDC fdc(e);
    TEXTMETRIC tm;
    ::GetTextMetrics(fdc.dc(), &tm);
    e.textHeight = tm.tmHeight;
    e.avgCharWidth = tm.tmAveCharWidth;
}

void Repaint(GridWndEditState& e)
{
    ::InvalidateRect(e.window, nullptr, FALSE);
}

bool InSelection(const GridEditText& t, LONG p)
{
    if (!GridEditHasSelection(t))
        return false;
    const LONG a = t.selStart < t.selEnd ? t.selStart : t.selEnd;
    const LONG b = t.selStart < t.selEnd ? t.selEnd : t.selStart;
    return p >= a && p < b;
}

void Paint(GridWndEditState& e)
{
    PAINTSTRUCT ps;
    ::BeginPaint(e.window, &ps);
    ::EndPaint(e.window, &ps);
    const bool focused = ::GetFocus() == e.window;
    if (focused)
        ::HideCaret(e.window);
    FontDC fdc(e);
    HDC dc = fdc.dc();
    RECT client;
    ::GetClientRect(e.window, &client);
    const GridEditText& t = e.edit;
    const LONG length = GridEditLength(t);
    const LONG promptLength = t.prompt[0] ? static_cast<LONG>(strlen(t.prompt)) : 0;
    const LONG shown = length > promptLength ? length : promptLength;
    std::string display(t.text, length);
    for (LONG p = 0; p < shown; ++p) {
        const bool blank = p >= length || display[p] == ' ';
        if (p >= length)
            display += ' ';
        if (blank && p < promptLength)
            display[p] = t.prompt[p];
    }
    const LONG y = (client.bottom - e.textHeight) / 2;
    LONG x = e.margin;
    ::SetTextAlign(dc, TA_LEFT);
    for (LONG p = 0; p < shown; ++p) {
        const bool blank = p >= length || t.text[p] == ' ';
        COLORREF fore = e.textColor, back = e.backColor;
        if (InSelection(t, p)) {
            fore = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
            back = ::GetSysColor(COLOR_HIGHLIGHT);
        } else if (blank && p < promptLength) {
            fore = ::GetSysColor(COLOR_GRAYTEXT);
        }
        const LONG next = e.margin + fdc.Width(display.c_str(), p + 1);
        const RECT cell = {x, client.top, next, client.bottom};
        ::SetTextColor(dc, fore);
        ::SetBkColor(dc, back);
        ::ExtTextOut(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &cell, &display[p], 1, nullptr);
        x = next;
    }
    ::SetBkColor(dc, e.backColor);
    const RECT left = {0, client.top, e.margin, client.bottom};
    const RECT rest = {x, client.top, client.right, client.bottom};
    ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &left, nullptr, 0, nullptr);
    ::ExtTextOut(dc, 0, 0, ETO_OPAQUE, &rest, nullptr, 0, nullptr);
    if (focused) {
        ::SetCaretPos(e.margin + fdc.Width(t.text, t.caret), 1);
        ::ShowCaret(e.window);
    }
    e.paintedCaret = t.caret;
}

// Home, End, Left and Right; with Shift the selection runs from the anchor to the caret.
void MoveCaret(GridWndEditState& e, LONG to)
{
    GridEditText& t = e.edit;
    const LONG length = GridEditLength(t);
    to = to < 0 ? 0 : (to > length ? length : to);
    if (Held(VK_SHIFT)) {
        if (!GridEditHasSelection(t) && !e.selecting)
            t.anchor = t.caret;
        t.caret = to;
        t.selStart = t.anchor;
        t.selEnd = t.caret;
        e.selecting = 1;
    } else {
        t.caret = to;
        t.selStart = t.selEnd = -1;
        e.selecting = 0;
    }
    Repaint(e);
}

void Type(GridWndEditState& e, int code, bool shift)
{
    GridEditTypeChar(e.edit, code, shift, Clipboard(e.window));
    if (!GridEditHasSelection(e.edit))
        e.selecting = 0;
    Repaint(e);
    if (e.edit.changed)
        Tell(e, GEN_CHANGE);
}

LRESULT KeyDown(GridWndEditState& e, WPARAM key)
{
    for (const ExitKey& exit : kExitKeys) {
        if (exit.key == key) {
            e.exitCode = key == VK_TAB && Held(VK_SHIFT) ? kShiftTab : exit.code;
            Tell(e, GEN_EXITKEY);
            return 0;
        }
    }
    GridEditText& t = e.edit;
    switch (key) {
    case VK_HOME:
        MoveCaret(e, 0);
        break;
    case VK_END:
        MoveCaret(e, GridEditLength(t));
        break;
    case VK_LEFT:
        MoveCaret(e, t.caret - 1);
        break;
    case VK_RIGHT:
        MoveCaret(e, t.caret + 1);
        break;
    case VK_INSERT:
        if (Held(VK_CONTROL) && GridEditHasSelection(t))
            WriteClipboard(e.window, GridEditCopyText(t));
        else if (Held(VK_SHIFT))
            Type(e, GRID_EDIT_PASTE, false);
        break;
    case VK_DELETE:
        Type(e, GRID_EDIT_DELETE, Held(VK_SHIFT));
        break;
    }
    return 0;
}

void PlaceCaretAt(GridWndEditState& e, LONG x)
{
    GridEditText& t = e.edit;
    t.caret = HitTest(e, x);
    t.anchor = t.selStart = t.selEnd = t.caret;
    Repaint(e);
}

LRESULT Mouse(GridWndEditState& e, UINT message, LPARAM point)
{
    const WORD word = LOWORD(point);
    e.mouseX = word > 32000 ? 0 : word;
    GridEditText& t = e.edit;
    switch (message) {
    case WM_LBUTTONDOWN:
        PlaceCaretAt(e, e.mouseX);
        ::SetCapture(e.window);
        break;
    case WM_MOUSEMOVE:
        if (::GetCapture() == e.window) {
            t.caret = HitTest(e, e.mouseX);
            t.selStart = t.anchor;
            t.selEnd = t.caret;
            Repaint(e);
        }
        break;
    case WM_LBUTTONUP:
        if (::GetCapture() == e.window)
            ::ReleaseCapture();
        if (!GridEditHasSelection(t))
            t.selStart = t.selEnd = -1;
        Repaint(e);
        break;
    }
    return 0;
}

void FocusIn(GridWndEditState& e)
{
    RECT client;
    ::GetClientRect(e.window, &client);
    ::CreateCaret(e.window, nullptr, 1, client.bottom - 2);
    GridEditText& t = e.edit;
    t.selStart = t.selEnd = -1;
    e.selecting = 0;
    const LONG length = GridEditLength(t);
    if ((::GetWindowLong(e.window, GWL_STYLE) & GES_SELECTONFOCUS) && length > 0) {
        t.selStart = 0;
        t.selEnd = t.caret = length;
    }
    {
        FontDC fdc(e);
        ::SetCaretPos(e.margin + fdc.Width(t.text, t.caret), 1);
    }
    ::ShowCaret(e.window);
    Repaint(e);
    Tell(e, GEN_SETFOCUS);
}

void FocusOut(GridWndEditState& e)
{
    e.edit.selStart = e.edit.selEnd = -1;
    e.selecting = 0;
    Repaint(e);
    ::HideCaret(e.window);
    ::DestroyCaret();
    Tell(e, GEN_KILLFOCUS);
}

// Copies a string into the caller's buffer when it fits with its terminator.
LRESULT CopyOut(const char* text, WPARAM size, LPARAM buffer)
{
    const size_t length = strlen(text);
    if (size <= length || !buffer)
        return 0;
    memcpy(reinterpret_cast<char*>(buffer), text, length + 1);
    return 1;
}

BOOL CreateEditState(HWND hWnd, const CREATESTRUCT* cs)
{
    HGLOBAL block = nullptr;
    GridWndEditState* e = static_cast<GridWndEditState*>(GridAllocLocked(sizeof(GridWndEditState), &block));
    if (!e)
        return FALSE;
    e->window = hWnd;
    e->controlId = static_cast<LONG>(reinterpret_cast<INT_PTR>(cs->hMenu));
    e->wantEnter = (cs->style & GES_WANTENTER) ? 1 : 0;
    e->wantTab = (cs->style & GES_WANTTAB) ? 1 : 0;
    e->margin = 1;
    e->textColor = ::GetSysColor(COLOR_WINDOWTEXT);
    e->backColor = ::GetSysColor(COLOR_WINDOW);
    GridEditInit(e->edit);
    ::SetWindowLongPtr(hWnd, GRID_SLOT_BLOCK, reinterpret_cast<LONG_PTR>(block));
    ::SetWindowLongPtr(hWnd, GRID_SLOT_STATE, reinterpret_cast<LONG_PTR>(e));
    Measure(*e);
    e->avgCharWidth = 0; // no font until WM_SETFONT gives one
    return TRUE;
}

void DestroyEditState(HWND hWnd)
{
    GridFreeLocked(reinterpret_cast<HGLOBAL>(::GetWindowLongPtr(hWnd, GRID_SLOT_BLOCK)));
    ::SetWindowLongPtr(hWnd, GRID_SLOT_STATE, 0);
}

} // namespace

LRESULT CALLBACK GridEditWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        if (!CreateEditState(hWnd, reinterpret_cast<const CREATESTRUCT*>(lParam)))
            return FALSE;
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    }
    GridWndEditState* e = StateOf(hWnd);
    if (message == WM_NCDESTROY) {
        DestroyEditState(hWnd);
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    }
    if (!e)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    GridEditText& t = e->edit;
    switch (message) {
    case GEM_SETPROMPT:
        if (!GridEditSetPrompt(t, reinterpret_cast<const char*>(lParam)))
            return 0;
        Repaint(*e);
        return 1;
    case GEM_GETPROMPT:
        return CopyOut(t.prompt, wParam, lParam);
    case GEM_GETMASK:
        return CopyOut(t.mask, wParam, lParam);
    case GEM_SETMASK:
        if (!GridEditSetMask(t, reinterpret_cast<const char*>(lParam)))
            return 0;
        Repaint(*e);
        return 1;
    case GEM_GETEXITKEY:
        return e->exitCode;
    case GEM_SETMARGIN:
        e->margin = static_cast<LONG>(wParam);
        return e->margin;
    case GEM_SETTEXTCOLOR:
        e->textColor = static_cast<COLORREF>(lParam);
        return lParam;
    case GEM_SETBACKCOLOR:
        e->backColor = static_cast<COLORREF>(lParam);
        return lParam;
    case WM_SETTEXT:
        GridEditSetText(t, lParam ? reinterpret_cast<const char*>(lParam) : "");
        Repaint(*e);
        return 1;
    case WM_GETTEXT:
        return CopyOut(t.text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return GridEditLength(t);
    case WM_SETFONT:
        e->font = reinterpret_cast<HFONT>(wParam);
        if (e->font)
            Measure(*e);
        Repaint(*e);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(e->font);
    case WM_GETDLGCODE:
        if ((wParam == VK_TAB && !e->wantTab) || (wParam == VK_RETURN && !e->wantEnter))
            return DLGC_WANTARROWS;
        return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
    case WM_CHAR:
        Type(*e, static_cast<int>(wParam), false);
        return 0;
    case WM_KEYDOWN:
        return KeyDown(*e, wParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        return Mouse(*e, message, lParam);
    case WM_MOUSEACTIVATE:
        if (::GetFocus() != hWnd) {
            POINT at;
            ::GetCursorPos(&at);
            ::ScreenToClient(hWnd, &at);
            PlaceCaretAt(*e, at.x < 0 ? 0 : at.x);
            ::SetFocus(hWnd);
            return MA_ACTIVATEANDEAT;
        }
        break;
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursor(nullptr, IDC_IBEAM));
        return TRUE;
    case WM_PAINT:
        Paint(*e);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
        FocusIn(*e);
        return 0;
    case WM_KILLFOCUS:
        FocusOut(*e);
        return 0;
    }
    return ::DefWindowProc(hWnd, message, wParam, lParam);
}
