// The class library's private window messages, command ids and window flags.
//
// Numbers fixed for good: WM_SETMESSAGESTRING (0x0362) and WM_INITIALUPDATE (0x0364) are named by callers
// outside the library; the rest were chosen once in the same block and are kept.
#pragma once

#include "classlib/Types.h"
#include "classlib/ClassLibIds.h"

#define WM_QUERYAFXWNDPROC 0x0360  // answered 1 by every window of the class library
#define WM_SIZEPARENT 0x0361       // lParam: AFX_SIZEPARENTPARAMS*; a bar takes its room from the rectangle
#define WM_SETMESSAGESTRING 0x0362 // wParam: string id, or lParam: text; the frame's status prompt
#define WM_IDLEUPDATECMDUI 0x0363  // wParam: disable commands without handler; idle-time state update
#define WM_INITIALUPDATE 0x0364    // sent to views once their frame is made
#define WM_COMMANDHELP 0x0365      // lParam: help context; TRUE when help was shown
#define WM_HELPHITTEST 0x0366      // lParam: point; answers a help context
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368 // asks the parent frame to lay out again
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A // wParam: MSGF_ code, lParam: idle count; TRUE asks for more idle time
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_POPMESSAGESTRING 0x0375

// Reflected messages: a notification the parent sends back to the control that caused it.
#define WM_REFLECT_BASE 0xBC00
// Generic colour message of the maps: every WM_CTLCOLOR* arrives as this with its type.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// WM_SIZEPARENT's parameter: bars shrink rect by what they take and defer their own move into hDWP.
struct AFX_SIZEPARENTPARAMS
{
    HDWP hDWP;      // NULL when only asking for sizes
    RECT rect;      // room left for the next bar, parent client coordinates
    SIZE sizeTotal; // room taken so far
    BOOL bStretch;  // bars stretch to the whole side
};

// Reflected WM_NOTIFY and routed notifications carry this as pExtra.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Reflected WM_CTLCOLOR carries this as lParam.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;
};

// CWnd::m_nFlags.
#define WF_TOOLTIPS 0x0001
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008
#define WF_CONTINUEMODAL 0x0010
#define WF_OLECTLCONTAINER 0x0100
#define WF_TRACKINGTOOLTIPS 0x0400

// RunModalLoop flags.
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

// Help commands of WinHelp the library passes on.
#define HELP_CONTEXT_OFFSET 0x10000
