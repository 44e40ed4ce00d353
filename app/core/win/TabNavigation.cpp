// Tab navigation over the descendants of a frame.
#include "app/core/win/TabNavigation.h"

#include "classlib/win/View.h"

#include <cstring>
#include <vector>

namespace {

BOOL CALLBACK CollectTabStop(HWND hWnd, LPARAM lParam)
{
    const HWND hWndParent = ::GetParent(hWnd);
    if ((::GetWindowLong(hWnd, GWL_STYLE) & WS_TABSTOP) && ::IsWindowVisible(hWnd) &&
        ::IsWindowEnabled(hWnd) && (hWndParent == nullptr || ::IsWindowEnabled(hWndParent)))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

// The rich-text control and edit fields: their selection follows the focus.
bool IsTextField(HWND hWnd)
{
    char name[16] = {};
    if (hWnd == nullptr || ::GetClassName(hWnd, name, sizeof name) == 0)
        return false;
    return std::strcmp(name, "corvel") == 0 || std::strcmp(name, "EDIT") == 0 ||
           std::strcmp(name, "Edit") == 0;
}

} // namespace

BOOL ProcessTabKey(const MSG* pMsg, CWnd* pContainer)
{
    if (pMsg->message != WM_KEYDOWN || pMsg->wParam != VK_TAB || (::GetKeyState(VK_CONTROL) & 0x8000) ||
        (::GetKeyState(VK_MENU) & 0x8000))
        return FALSE;
    std::vector<HWND> stops;
    ::EnumChildWindows(pContainer->m_hWnd, CollectTabStop, reinterpret_cast<LPARAM>(&stops));
    if (stops.empty())
        return TRUE;
    const HWND hWndFocus = ::GetFocus();
    const bool bBack = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    size_t nTarget = 0;
    for (size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] != hWndFocus)
            continue;
        nTarget = bBack ? (i == 0 ? stops.size() - 1 : i - 1) : (i + 1 == stops.size() ? 0 : i + 1);
        break;
    }
    const HWND hWndTarget = stops[nTarget];
    for (HWND hWnd = hWndTarget; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        auto* pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(hWnd));
        if (pView == nullptr)
            continue;
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != nullptr)
            pFrame->SetActiveView(pView);
        break;
    }
    if (IsTextField(hWndFocus))
        ::SendMessage(hWndFocus, EM_SETSEL, 0, 0);
    if (IsTextField(hWndTarget))
        ::SendMessage(hWndTarget, EM_SETSEL, 0, -1);
    ::SetFocus(hWndTarget);
    return TRUE;
}
