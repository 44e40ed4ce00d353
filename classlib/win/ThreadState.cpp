#include "classlib/win/ThreadState.h"

#include "classlib/win/DC.h"
#include "classlib/win/GdiObject.h"
#include "classlib/win/Menu.h"
#include "classlib/win/Wnd.h"

AFX_THREAD_STATE::AFX_THREAD_STATE()
    : m_pWndInit(nullptr), m_hHookOldCbtFilter(nullptr), m_hHookOldMsgFilter(nullptr),
      m_pCurrentWinThread(nullptr), m_msgCur(), m_lastSentMsg(), m_ptCursorLast{-1, -1}, m_nMsgLast(0),
      m_pfnFilterToolTipMessage(nullptr), m_pToolTip(nullptr), m_hWndToolTipOwner(nullptr),
      m_hWndLastHit(nullptr), m_nLastHit(-1), m_lastInfo(), m_pLastFiltered(nullptr), m_msgLastFiltered(),
      m_szTipTextW(), m_pmapHWND(nullptr), m_pmapHDC(nullptr), m_pmapHGDIOBJ(nullptr), m_pmapHMENU(nullptr)
{
}

AFX_THREAD_STATE::~AFX_THREAD_STATE()
{
    delete m_pmapHWND;
    delete m_pmapHDC;
    delete m_pmapHGDIOBJ;
    delete m_pmapHMENU;
}

CHandleMap<CWnd>& AFX_THREAD_STATE::WindowMap()
{
    if (m_pmapHWND == nullptr)
        m_pmapHWND = new CHandleMap<CWnd>([]() { return new CWnd; },
                                          [](CWnd* p, HANDLE h) { p->m_hWnd = static_cast<HWND>(h); });
    return *m_pmapHWND;
}

CHandleMap<CDC>& AFX_THREAD_STATE::DCMap()
{
    if (m_pmapHDC == nullptr)
        m_pmapHDC =
            new CHandleMap<CDC>([]() { return new CDC; },
                                [](CDC* p, HANDLE h) { p->m_hDC = p->m_hAttribDC = static_cast<HDC>(h); });
    return *m_pmapHDC;
}

CHandleMap<CGdiObject>& AFX_THREAD_STATE::GdiMap()
{
    if (m_pmapHGDIOBJ == nullptr)
        m_pmapHGDIOBJ = new CHandleMap<CGdiObject>([]() { return new CGdiObject; },
                                                   [](CGdiObject* p, HANDLE h) { p->m_hObject = h; });
    return *m_pmapHGDIOBJ;
}

CHandleMap<CMenu>& AFX_THREAD_STATE::MenuMap()
{
    if (m_pmapHMENU == nullptr)
        m_pmapHMENU = new CHandleMap<CMenu>([]() { return new CMenu; },
                                            [](CMenu* p, HANDLE h) { p->m_hMenu = static_cast<HMENU>(h); });
    return *m_pmapHMENU;
}

void AFX_THREAD_STATE::DeleteTempMaps()
{
    if (m_pmapHWND != nullptr)
        m_pmapHWND->DeleteTemp();
    if (m_pmapHDC != nullptr)
        m_pmapHDC->DeleteTemp();
    if (m_pmapHGDIOBJ != nullptr)
        m_pmapHGDIOBJ->DeleteTemp();
    if (m_pmapHMENU != nullptr)
        m_pmapHMENU->DeleteTemp();
}

AFX_THREAD_STATE* AfxGetThreadState()
{
    // Never freed: static objects (the z-order wrappers) consult it while the process ends.
    static thread_local AFX_THREAD_STATE* pState = new AFX_THREAD_STATE;
    return pState;
}

AFX_MODULE_THREAD_STATE* AfxGetModuleThreadState()
{
    return AfxGetThreadState();
}
