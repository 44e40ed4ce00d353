#include "classlib/WinThread.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

CWinThread* g_pCurrentThread = nullptr;

} // namespace

CWinThread::CWinThread()
    : m_pMainWnd(nullptr), m_pActiveWnd(nullptr), m_bAutoDelete(TRUE), m_nExitCode(0),
      m_pPreviousThread(g_pCurrentThread)
{
    // The newest thread object is the current one; tests make one per fixture.
    g_pCurrentThread = this;
}

CWinThread::~CWinThread()
{
    if (g_pCurrentThread == this)
        g_pCurrentThread = m_pPreviousThread;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return m_nExitCode;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

CWinThread* AfxGetThread()
{
    return g_pCurrentThread;
}

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}
