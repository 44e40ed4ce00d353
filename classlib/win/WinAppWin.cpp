// CWinApp: the Windows program's start, command line, idle work, help and wait cursor.
#include "classlib/WinApp.h"

#include "classlib/DocTemplate.h"
#include "classlib/HeapTuning.h"
#include "classlib/MessageBox.h"
#include "classlib/win/ThreadState.h"
#include "classlib/win/Wnd.h"

#include <cstdlib>
#include <cstring>

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr) {
        pApp->m_hInstance = hInstance;
        pApp->m_lpCmdLine = lpCmdLine;
        pApp->m_nCmdShow = nCmdShow;
    }
    AfxGetThreadState()->m_pCurrentWinThread = pApp;
    AfxInstallMessageFilter();
    return TRUE;
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    AfxTuneHeaps();
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) ||
        !pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance()) {
        // A refused start still ends cleanly (main window destroyed, settings kept).
        if (pApp->m_pMainWnd != nullptr)
            pApp->m_pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}

BOOL CWinApp::InitApplication()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileName(m_hInstance, path, MAX_PATH);
    if (m_pszHelpFilePath == nullptr) {
        // The help file sits beside the program: its path with ".HLP".
        char help[MAX_PATH + 4];
        lstrcpyn(help, path, MAX_PATH);
        char* pDot = std::strrchr(help, '.');
        char* pSlash = std::strrchr(help, '\\');
        if (pDot != nullptr && (pSlash == nullptr || pDot > pSlash))
            *pDot = '\0';
        lstrcat(help, ".HLP");
        m_pszHelpFilePath = CopyText(help);
    }
    if (m_pszExeName == nullptr) {
        const char* pName = std::strrchr(path, '\\');
        char exe[MAX_PATH];
        lstrcpyn(exe, pName != nullptr ? pName + 1 : path, MAX_PATH);
        char* pDot = std::strrchr(exe, '.');
        if (pDot != nullptr)
            *pDot = '\0';
        m_pszExeName = CopyText(exe);
    }
    return TRUE;
}

int CWinApp::Run()
{
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    rCmdInfo.ParseArguments(__argc, __argv);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
        // Print without showing the document, then close it and end.
        m_nCmdShow = SW_HIDE;
        CDocument* pDoc = OpenDocumentFile(rCmdInfo.m_strFileName);
        if (pDoc == nullptr)
            return FALSE;
        m_pCmdInfo = &rCmdInfo; // the printer of "/pt"
        if (m_pMainWnd != nullptr)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        m_pCmdInfo = nullptr;
        pDoc->OnCloseDocument();
        if (m_pMainWnd != nullptr)
            m_pMainWnd->SendMessage(WM_CLOSE);
        return FALSE;
    }
    case CCommandLineInfo::FileDDE:
        // The request follows by DDE; the main window stays hidden until then.
        m_nCmdShow = SW_HIDE;
        return TRUE;
    case CCommandLineInfo::AppUnregister:
        // The program registers no file types: nothing to remove.
        return FALSE;
    default:
        return TRUE;
    }
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    DoWaitCursor(1);
    ::WinHelp(pMainWnd->GetSafeHwnd(), m_pszHelpFilePath, nCmd, dwData);
    DoWaitCursor(-1);
}

void CWinApp::OnHelp()
{
    // The active window knows its context; without one the contents are shown.
    CWnd* pWnd = CWnd::GetActiveWindow();
    if (pWnd != nullptr && CWnd::FromHandlePermanent(pWnd->m_hWnd) != nullptr &&
        pWnd->SendMessage(WM_COMMANDHELP))
        return;
    OnHelpIndex();
}

void CWinApp::OnHelpIndex()
{
    WinHelp(0, HELP_INDEX);
}

void CWinApp::OnHelpFinder()
{
    WinHelp(0, HELP_FINDER);
}

void CWinApp::OnHelpUsing()
{
    WinHelp(0, HELP_HELPONHELP);
}

void CWinApp::OnContextHelp()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr)
        pMainWnd->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
}

void CWinApp::OnAppExit()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr)
        pMainWnd->SendMessage(WM_CLOSE);
}

void CWinApp::DoWaitCursor(int nCode)
{
    if (nCode > 0)
        AfxBeginWaitCursor();
    else if (nCode < 0)
        AfxEndWaitCursor();
    else
        AfxRestoreWaitCursor();
}
