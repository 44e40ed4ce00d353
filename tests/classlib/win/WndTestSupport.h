// Helpers of the window tests: an application object that records what its loop offers it, and
// message pumping without blocking.
#pragma once

#include "classlib/WinApp.h"
#include "classlib/win/Wnd.h"

#include <vector>

class RecordingApp : public CWinApp
{
public:
    struct Filtered
    {
        int code;
        UINT message;
    };
    std::vector<Filtered> filtered;
    std::vector<LONG> idleCounts;

    BOOL ProcessMessageFilter(int code, LPMSG lpMsg) override
    {
        filtered.push_back({code, lpMsg->message});
        return CWinApp::ProcessMessageFilter(code, lpMsg);
    }
    BOOL OnIdle(LONG lCount) override
    {
        idleCounts.push_back(lCount);
        return CWinApp::OnIdle(lCount);
    }
    BOOL WasFiltered(int code, UINT message) const
    {
        for (const Filtered& f : filtered)
            if (f.code == code && f.message == message)
                return TRUE;
        return FALSE;
    }
};

// Dispatches what is waiting in this thread's queue (a WM_QUIT left behind is dropped).
inline void PumpPending()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}
