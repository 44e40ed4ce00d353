// CWinThread: a thread of the program with its start, message loop and end.
//
// The application object (CWinApp) is the user-interface thread. InitInstance starts it (FALSE ends the
// program before the loop), ExitInstance ends it and gives the exit code. The window half adds the loop:
// Run pumps messages and calls OnIdle(count) with a rising count while the queue is empty; every message
// is offered to PreTranslateMessage first, and messages of system modal loops (dialog boxes, menus) and
// of the library's own modal loops to ProcessMessageFilter. Those operations exist in the Windows build
// only; the native build keeps the windowless part.
#pragma once

#include "classlib/CmdTarget.h"

class CWnd;
class CException;

class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread();
    ~CWinThread() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The main window (of the application when this thread has none).
    virtual CWnd* GetMainWnd();

    CWnd* m_pMainWnd;   // closing it ends the loop
    CWnd* m_pActiveWnd; // an in-place active window, when there is one
    BOOL m_bAutoDelete;
    int m_nExitCode;

#ifdef _WIN32
    virtual int Run();
    // Offers a message to the window tree before it is dispatched; TRUE when it was used up.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Takes and dispatches one message; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // lCount counts the calls since the queue last emptied: 0 updates the user interface (the main
    // window, its descendants and its popups get WM_IDLEUPDATECMDUI) and asks for another call, 1 frees
    // temporary objects and asks for no more. A negative count (callers that idle by hand) only updates.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that must not restart idle processing (repeated mouse moves, paints, blinks).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // code: MSGF_DIALOGBOX (0) from dialog boxes and the library's modal loops, MSGF_MENU from menus;
    // TRUE when the message was used up.
    virtual BOOL ProcessMessageFilter(int code, LPMSG lpMsg);
    // Reports an exception that left a window procedure and gives the message's result.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
#endif

    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

private:
    CWinThread* m_pPreviousThread;
};

// The current thread object (the application's when no other exists).
CWinThread* AfxGetThread();
// The main window of the current thread or application.
CWnd* AfxGetMainWnd();
