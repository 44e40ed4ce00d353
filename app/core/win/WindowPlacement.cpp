// Stored window placements and the cascade of new MDI child frames.
#include "app/core/win/WindowPlacement.h"

#include "classlib/WinApp.h"
#include "classlib/win/MDIFrameWnd.h"

#include <algorithm>
#include <cstdio>

namespace {

const char kPlacementKey[] = "Window Placement";
const UINT kRestoreToMaximized = WPF_RESTORETOMAXIMIZED; // 2

} // namespace

BOOL LoadWindowPlacement(const char* section, WINDOWPLACEMENT& placement)
{
    const CString text = AfxGetApp()->GetProfileString(section, kPlacementKey, "");
    if (text.IsEmpty())
        return FALSE;
    WINDOWPLACEMENT read = {};
    const int nFields =
        std::sscanf(text, "%u, %u, %ld, %ld, %ld, %ld, %ld, %ld, %ld, %ld", &read.flags, &read.showCmd,
                    &read.ptMinPosition.x, &read.ptMinPosition.y, &read.ptMaxPosition.x,
                    &read.ptMaxPosition.y, &read.rcNormalPosition.left, &read.rcNormalPosition.top,
                    &read.rcNormalPosition.right, &read.rcNormalPosition.bottom);
    if (nFields != 10)
        return FALSE;
    read.length = sizeof read;
    if (read.showCmd == SW_SHOWMINIMIZED)
        read.showCmd = (read.flags & kRestoreToMaximized) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    read.flags = 0;
    placement = read;
    return TRUE;
}

void SaveWindowPlacement(const char* section, const WINDOWPLACEMENT& placement)
{
    CString text;
    text.Format("%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", placement.flags, placement.showCmd,
                static_cast<int>(placement.ptMinPosition.x), static_cast<int>(placement.ptMinPosition.y),
                static_cast<int>(placement.ptMaxPosition.x), static_cast<int>(placement.ptMaxPosition.y),
                static_cast<int>(placement.rcNormalPosition.left),
                static_cast<int>(placement.rcNormalPosition.top),
                static_cast<int>(placement.rcNormalPosition.right),
                static_cast<int>(placement.rcNormalPosition.bottom));
    AfxGetApp()->WriteProfileString(section, kPlacementKey, text);
}

BOOL SaveWindowPlacementOfWindow(CWnd* pWnd, const char* section)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (pWnd == nullptr || !::GetWindowPlacement(pWnd->m_hWnd, &placement))
        return FALSE;
    placement.flags = ::IsZoomed(pWnd->m_hWnd) ? kRestoreToMaximized : 0;
    SaveWindowPlacement(section, placement);
    return TRUE;
}

int CountMDIChildWindows(CMDIFrameWnd* pFrame)
{
    int nCount = 0;
    for (HWND hWnd = ::GetWindow(pFrame->m_hWndMDIClient, GW_CHILD); hWnd != nullptr;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
        ++nCount;
    return nCount;
}

namespace {

// The MDI client's size while the main window is minimised: from its stored placement, as the frame
// would lay it out restored. FALSE when the placement cannot be read.
BOOL RestoredClientSize(CMDIFrameWnd* pFrame, CSize& size)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!::GetWindowPlacement(pFrame->m_hWnd, &placement))
        return FALSE;
    CRect rectMargins(0, 0, 0, 0);
    pFrame->CalcWindowRect(&rectMargins);
    CRect rectClient;
    if (placement.flags & kRestoreToMaximized) {
        rectClient.SetRect(0, 0, ::GetSystemMetrics(SM_CXFULLSCREEN) + 2 * ::GetSystemMetrics(SM_CXFRAME),
                           ::GetSystemMetrics(SM_CYFULLSCREEN) + 2 * ::GetSystemMetrics(SM_CYFRAME));
    } else {
        rectClient = placement.rcNormalPosition;
        rectClient.bottom -= ::GetSystemMetrics(SM_CYMENU);
    }
    rectClient.left -= rectMargins.left;
    rectClient.top -= rectMargins.top;
    rectClient.right -= rectMargins.right;
    rectClient.bottom -= rectMargins.bottom;
    // What the bars leave.
    CRect rectLeft;
    pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, CWnd::reposQuery, &rectLeft, &rectClient, TRUE);
    size = rectLeft.Size();
    return TRUE;
}

} // namespace

void PlaceNewChildFrame(CREATESTRUCT& cs)
{
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (pFrame == nullptr)
        return;
    CSize client;
    if (pFrame->IsIconic()) {
        if (!RestoredClientSize(pFrame, client))
            return;
    } else {
        CRect rect;
        ::GetClientRect(pFrame->m_hWndMDIClient, &rect);
        client = rect.Size();
    }
    const int offset = ::GetSystemMetrics(SM_CYCAPTION) * (CountMDIChildWindows(pFrame) % 10);
    cs.x = cs.y = offset + 10;
    cs.cx = std::max(100, static_cast<int>(client.cx) - offset - 20);
    cs.cy = std::max(100, static_cast<int>(client.cy) - offset - 20);
}
