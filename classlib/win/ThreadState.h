// The window half's per-thread state: handle maps, the window being created, the current and last sent
// messages, the hooks, and the tooltip bookkeeping.
//
// The program has one user-interface thread, but the state is kept per thread so that a worker thread
// that makes a window never disturbs it. AFX_MODULE_THREAD_STATE is the same record under the name the
// application's idle handler uses for the tooltip filter.
#pragma once

#include "classlib/Types.h"
#include "classlib/CString.h"
#include "classlib/win/HandleMap.h"

#include <commctrl.h>

class CWnd;
class CDC;
class CGdiObject;
class CMenu;
class CWinThread;
class CToolTipCtrl;

struct AFX_THREAD_STATE
{
    AFX_THREAD_STATE();
    ~AFX_THREAD_STATE();
    AFX_THREAD_STATE(const AFX_THREAD_STATE&) = delete;
    AFX_THREAD_STATE& operator=(const AFX_THREAD_STATE&) = delete;

    CHandleMap<CWnd>& WindowMap();
    CHandleMap<CDC>& DCMap();
    CHandleMap<CGdiObject>& GdiMap();
    CHandleMap<CMenu>& MenuMap();
    // Deletes every temporary wrapper (idle time).
    void DeleteTempMaps();

    // Window creation: the object that the next created window belongs to.
    CWnd* m_pWndInit;
    HHOOK m_hHookOldCbtFilter;
    HHOOK m_hHookOldMsgFilter;

    CWinThread* m_pCurrentWinThread;
    MSG m_msgCur;      // the message being pumped
    MSG m_lastSentMsg; // the message being handled by a window procedure
    POINT m_ptCursorLast;
    UINT m_nMsgLast;

    // Tooltips.
    void (*m_pfnFilterToolTipMessage)(MSG*, CWnd*);
    CToolTipCtrl* m_pToolTip;
    HWND m_hWndToolTipOwner;
    HWND m_hWndLastHit;
    INT_PTR m_nLastHit;
    TOOLINFOA m_lastInfo;
    const MSG* m_pLastFiltered; // the message the tooltip filter saw last, and its contents
    MSG m_msgLastFiltered;
    CString m_strTipText;
    WCHAR m_szTipTextW[256];

private:
    CHandleMap<CWnd>* m_pmapHWND;
    CHandleMap<CDC>* m_pmapHDC;
    CHandleMap<CGdiObject>* m_pmapHGDIOBJ;
    CHandleMap<CMenu>* m_pmapHMENU;
};
typedef AFX_THREAD_STATE AFX_MODULE_THREAD_STATE;

AFX_THREAD_STATE* AfxGetThreadState();
AFX_MODULE_THREAD_STATE* AfxGetModuleThreadState();
