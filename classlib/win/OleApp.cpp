#include "classlib/win/OleApp.h"

#include "classlib/WinApp.h"
#include "classlib/win/OleObjectFactory.h"
#include "classlib/win/Wnd.h"

#include <ole2.h>

namespace {

LONG g_nLockCount = 0;
BOOL g_bUserCtrl = TRUE;
BOOL g_bOleStarted = FALSE;

} // namespace

BOOL AfxOleInit()
{
    if (g_bOleStarted)
        return TRUE;
    if (FAILED(::OleInitialize(nullptr)))
        return FALSE;
    g_bOleStarted = TRUE;
    g_bUserCtrl = TRUE;
    return TRUE;
}

void AfxOleTerm()
{
    COleObjectFactory::RevokeAll();
    if (g_bOleStarted) {
        ::CoFreeUnusedLibraries();
        ::OleUninitialize();
        g_bOleStarted = FALSE;
    }
}

void AfxOleLockApp()
{
    ::InterlockedIncrement(&g_nLockCount);
}

void AfxOleUnlockApp()
{
    if (::InterlockedDecrement(&g_nLockCount) != 0 || g_bUserCtrl)
        return;
    // The last object is gone and nobody else uses the program: end it, taking no new clients meanwhile.
    COleObjectFactory::RevokeAll();
    CWinApp* pApp = AfxGetApp();
    CWnd* pMainWnd = pApp != nullptr ? pApp->m_pMainWnd : nullptr;
    if (pMainWnd != nullptr && ::IsWindow(pMainWnd->m_hWnd))
        pMainWnd->DestroyWindow();
    else
        ::PostQuitMessage(0);
}

LONG AfxOleGetLockCount()
{
    return g_nLockCount;
}

void AfxOleSetUserCtrl(BOOL bUserCtrl)
{
    g_bUserCtrl = bUserCtrl;
}

BOOL AfxOleGetUserCtrl()
{
    return g_bUserCtrl;
}

BOOL AfxOleCanExitApp()
{
    return g_nLockCount == 0;
}
