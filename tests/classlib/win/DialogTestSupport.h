// Helpers of the dialog tests: a script of steps that a modal dialog runs from its idle time, so that a
// test drives a dialog by messages while its own loop runs; clicks and keys as posted messages.
#pragma once

#include "classlib/win/DataExchange.h"
#include "classlib/win/Dialog.h"

#include <cstdio>
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

// Drives a modal run that a test cannot subclass (a dialog made inside the code under test): a thread
// timer runs one step per tick, while a dialog is active, from inside whatever loop is running. When the
// steps run out, the active window is cancelled so that a dialog left open fails the test instead of waiting
// for ever.
class TimerScript
{
public:
    explicit TimerScript(std::vector<std::function<void()>> steps) : m_steps(std::move(steps))
    {
        s_current = this;
        m_nTimer = ::SetTimer(nullptr, 0, 20, &Tick);
    }
    ~TimerScript()
    {
        ::KillTimer(nullptr, m_nTimer);
        s_current = nullptr;
    }
    TimerScript(const TimerScript&) = delete;
    TimerScript& operator=(const TimerScript&) = delete;

    // The library's object of the active window, as the type the test expects.
    template <class T> static T* Active()
    {
        return dynamic_cast<T*>(CWnd::FromHandlePermanent(::GetActiveWindow()));
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        TimerScript* self = s_current;
        if (self == nullptr || self->m_bRunning)
            return;
        // Steps act on a dialog: wait until one is active and shown (or give up waiting after a while).
        char szClass[16] = {};
        HWND hWndActive = ::GetActiveWindow();
        ::GetClassName(hWndActive, szClass, sizeof szClass);
        if ((lstrcmp(szClass, "#32770") != 0 || !::IsWindowVisible(hWndActive)) && ++self->m_nWaits < 500)
            return;
        self->m_nWaits = 0;
        self->m_bRunning = true; // a step's own message boxes or loops must not run the next step
        if (self->m_next < self->m_steps.size())
            self->m_steps[self->m_next++]();
        else
            ::PostMessage(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
        self->m_bRunning = false;
    }

    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
    bool m_bRunning = false;
    int m_nWaits = 0;
    UINT_PTR m_nTimer = 0;
    static inline TimerScript* s_current = nullptr;
};

// Saves what the screen shows of hWnd (frame included) as a 24-bit BMP file; answers the number of
// distinct colours seen (at most 16 counted), 0 when nothing could be read or written.
inline int SaveWindowPicture(HWND hWnd, const char* path)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    const int cx = rc.right - rc.left;
    const int cy = rc.bottom - rc.top;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy; // bottom-up, as BMP files store rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hdcWindow = ::GetDC(nullptr); // the screen: the frame as drawn too
    HDC hdcMem = ::CreateCompatibleDC(hdcWindow);
    HBITMAP hBitmap = ::CreateDIBSection(hdcMem, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    int nColours = 0;
    if (hBitmap != nullptr) {
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        ::BitBlt(hdcMem, 0, 0, cx, cy, hdcWindow, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        const DWORD stride = (static_cast<DWORD>(cx) * 3 + 3) & ~3u;
        const DWORD nImage = stride * static_cast<DWORD>(cy);
        std::vector<DWORD> seen;
        const BYTE* bytes = static_cast<const BYTE*>(pBits);
        for (DWORD i = 0; i + 2 < nImage && seen.size() < 16; i += 3) {
            const DWORD colour = bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16);
            bool known = false;
            for (DWORD c : seen)
                known = known || c == colour;
            if (!known)
                seen.push_back(colour);
        }
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42; // "BM"
        file.bfOffBits = sizeof file + sizeof bmi.bmiHeader;
        file.bfSize = file.bfOffBits + nImage;
        FILE* f = fopen(path, "wb");
        if (f != nullptr) {
            const bool ok = fwrite(&file, sizeof file, 1, f) == 1 &&
                            fwrite(&bmi.bmiHeader, sizeof bmi.bmiHeader, 1, f) == 1 &&
                            fwrite(pBits, 1, nImage, f) == nImage;
            if (fclose(f) == 0 && ok)
                nColours = static_cast<int>(seen.size());
        }
        ::SelectObject(hdcMem, hOld);
        ::DeleteObject(hBitmap);
    }
    ::DeleteDC(hdcMem);
    ::ReleaseDC(nullptr, hdcWindow);
    return nColours;
}

// A modeless dialog whose data exchange is the test's own function.
class ExchangeHostDialog : public CDialog
{
public:
    std::function<void(CDataExchange*)> exchange;
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
};
