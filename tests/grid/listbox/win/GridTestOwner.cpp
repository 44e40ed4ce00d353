#include "GridTestOwner.h"

#include <stdio.h>

namespace {

const char kOwnerClass[] = "GridTestOwner";

GridTestOwner* OwnerOf(HWND hWnd)
{
    return reinterpret_cast<GridTestOwner*>(::GetWindowLongPtr(hWnd, GWLP_USERDATA));
}

} // namespace

GridTestOwner::GridTestOwner(int width, int height)
{
    HINSTANCE instance = ::GetModuleHandle(nullptr);
    RegisterGridWindowClasses(instance);
    WNDCLASS wc = {};
    if (!::GetClassInfo(instance, kOwnerClass, &wc)) {
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kOwnerClass;
        ::RegisterClass(&wc);
    }
    m_hWnd = ::CreateWindowEx(0, kOwnerClass, "Grid", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, width, height,
                              nullptr, nullptr, instance, nullptr);
    ::SetWindowLongPtr(m_hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // Asked of a heading: a grid that filters its messages would report the query to this owner.
    HWND heading = CreateHeading(0, 1, 0, 0, 10, 10);
    m_block = reinterpret_cast<GridWndNotify*>(::SendMessage(heading, GM_GETNOTIFYBLOCK, 0, 0));
    ::DestroyWindow(heading);
    ::SetForegroundWindow(m_hWnd);
    PumpMessages();
}

GridTestOwner::~GridTestOwner()
{
    ::SetWindowLongPtr(m_hWnd, GWLP_USERDATA, 0);
    ::DestroyWindow(m_hWnd);
    PumpMessages();
}

HWND GridTestOwner::CreateGrid(DWORD style, int visibleRows, int width)
{
    HWND grid = ::CreateWindowEx(0, kGridClassName, "", WS_CHILD | WS_VISIBLE | style, 40, 60, width, 100, m_hWnd,
                                 reinterpret_cast<HMENU>(120), ::GetModuleHandle(nullptr), nullptr);
    if (grid)
        FitRows(grid, visibleRows, width);
    return grid;
}

void GridTestOwner::FitRows(HWND grid, int rows, int width)
{
    RECT window, client;
    ::GetWindowRect(grid, &window);
    ::GetClientRect(grid, &client);
    const int rowHeight = static_cast<int>(::SendMessage(grid, GM_GETROWHEIGHT, 0, 0));
    const int extraX = (window.right - window.left) - client.right;
    const int extraY = (window.bottom - window.top) - client.bottom;
    ::SetWindowPos(grid, nullptr, 0, 0, width + extraX, rows * rowHeight + extraY,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
}

HWND GridTestOwner::CreateHeading(DWORD style, int id, int x, int y, int cx, int cy)
{
    return ::CreateWindowEx(0, kGridClassName, "", WS_CHILD | WS_VISIBLE | GS_HEADING | style, x, y, cx, cy, m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandle(nullptr), nullptr);
}

std::vector<GridNotice> GridTestOwner::Of(LONG code) const
{
    std::vector<GridNotice> out;
    for (const GridNotice& n : notices)
        if (n.code == code)
            out.push_back(n);
    return out;
}

std::vector<LONG> GridTestOwner::Codes() const
{
    std::vector<LONG> out;
    for (const GridNotice& n : notices)
        out.push_back(n.code);
    return out;
}

LRESULT CALLBACK GridTestOwner::Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    GridTestOwner* owner = OwnerOf(hWnd);
    if (message != WM_COMMAND || !owner)
        return ::DefWindowProc(hWnd, message, wParam, lParam);
    HWND sender = reinterpret_cast<HWND>(lParam);
    GridWndNotify* block = owner->m_block;
    const LONG code = HIWORD(wParam);
    if (code == GN_DRAWCELL && owner->writeCellTexts) {
        const bool heading = (::GetWindowLong(sender, GWL_STYLE) & GS_HEADING) != 0;
        const bool side = (::GetWindowLong(sender, GWL_STYLE) & GS_SIDEHEADING) != 0;
        if (side)
            sprintf(block->textBuffer, "S%d", static_cast<int>(block->row));
        else if (heading)
            sprintf(block->textBuffer, "H%d", static_cast<int>(block->column));
        else
            sprintf(block->textBuffer, "r%dc%d", static_cast<int>(block->row), static_cast<int>(block->column));
        block->text = block->textBuffer;
    }
    GridNotice notice = {code, LOWORD(wParam), sender, *block, std::string()};
    if (owner->answer)
        owner->answer(*block, code, sender);
    if (code == GN_DRAWCELL && block->text)
        notice.text = block->text;
    owner->notices.push_back(notice);
    return 0;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessage(&msg);
    }
}

void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        PumpMessages();
        ::Sleep(5);
    }
    PumpMessages();
}

void HoldKey(int key, bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[key] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}
