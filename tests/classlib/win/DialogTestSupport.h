// Helpers of the dialog tests: a script of steps that a modal dialog runs from its idle time, so that a
// test drives a dialog by messages while its own loop runs; clicks and keys as posted messages.
#pragma once

#include "classlib/win/Dialog.h"

#include <functional>
#include <vector>

// Mixed into a dialog class: each WM_KICKIDLE runs the next step. When the steps run out while the dialog
// is still running, it ends with kScriptExhausted so that a test fails instead of waiting for ever.
class DialogScript
{
public:
    static const int kScriptExhausted = -2;
    std::vector<std::function<void()>> steps;
    size_t next = 0;

    // The body of the dialog's WM_KICKIDLE handler.
    LRESULT Kick(CDialog& dlg)
    {
        if (next < steps.size())
            steps[next++]();
        else
            dlg.EndDialog(kScriptExhausted);
        // Something is always waiting afterwards, so the loop comes back for the next step.
        dlg.PostMessage(WM_NULL);
        return FALSE;
    }
};

inline void PostKey(HWND hWnd, UINT nVirtKey)
{
    ::PostMessage(hWnd, WM_KEYDOWN, nVirtKey, 1);
    ::PostMessage(hWnd, WM_KEYUP, nVirtKey, 0xC0000001);
}

// A left click at the centre of rc (client coordinates of hWnd).
inline void PostClick(HWND hWnd, const RECT& rc)
{
    const LPARAM pos = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::PostMessage(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    ::PostMessage(hWnd, WM_LBUTTONUP, 0, pos);
}

inline CString DlgItemText(HWND hWndDlg, int nID)
{
    char buf[256] = {};
    ::GetDlgItemText(hWndDlg, nID, buf, sizeof buf);
    return CString(buf);
}
