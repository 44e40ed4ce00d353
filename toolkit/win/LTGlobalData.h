// The toolkit's process-wide record of system colours, border sizes and cursors, and its four registered
// window messages.
//
// The record is filled before the program starts (a static initialiser) and lives for the whole process.
// Only the ten colours change afterwards: UpdateSysColors reads them again from the system (the toolkit
// frames call it on WM_SYSCOLORCHANGE before passing the message on); border sizes, the cursors and the
// new-look flag keep their first values. The splitter cursors are NULL until the dock bars load them.
//
// The registered messages are distinct, non-zero ids shared by every window of the process:
//   WM_NODELAYHIDE          a custom toolbar to itself (posted); no parameters.
//   WM_SECTOOLBARWNDNOTIFY  a window button to the toolbar's owner; wParam: low word the hosted window's
//                           id, high word the code (LTWBN_CREATED, LTWBN_ENTER); lParam: its handle.
//   WM_BARNOTIFY            the toolbar manager to its listeners; wParam: the toolbar's id; lParam: the
//                           code (LTBN_SHOWN ... LTBN_SELCHANGE).
//   WM_TOOLBARSTYLECHANGING a customisation page to its siblings; wParam: LTTSC_BITMAPS or LTTSC_FLAT.
#pragma once

#include "classlib/Types.h"

struct LTGlobalData
{
    int cxBorder2; // 2 with the new look, else 1
    int cyBorder2;
    COLORREF clrBtnFace;
    COLORREF clrBtnShadow;
    COLORREF clrBtnHilite;
    COLORREF clrWindowFrame;
    COLORREF clr3DLight;
    COLORREF clr3DDkShadow;
    COLORREF clrWindowText;
    COLORREF clrWindow;
    COLORREF clrHighlight;
    COLORREF clrHighlightText;
    HCURSOR hcurArrow;
    HCURSOR hcurHSplit; // loaded by the dock bars on first use
    HCURSOR hcurVSplit;
    BOOL bNewLook; // Windows 4 or later

    // Fills every member for a Windows of that major version.
    void Init(int nMajorVersion);
    // The ten colours from the system again; nothing else changes.
    void UpdateSysColors();
};

// The one record of the process.
LTGlobalData& LTGetGlobalData();

// The window-button size cursor (resource 20577), loaded on first use and kept.
HCURSOR LTGetWindowButtonSizeCursor();

extern const UINT WM_NODELAYHIDE;
extern const UINT WM_SECTOOLBARWNDNOTIFY;
extern const UINT WM_BARNOTIFY;
extern const UINT WM_TOOLBARSTYLECHANGING;

// WM_SECTOOLBARWNDNOTIFY codes.
#define LTWBN_CREATED 0x0101
#define LTWBN_ENTER 0x0201
// WM_BARNOTIFY codes.
#define LTBN_SHOWN 0
#define LTBN_HIDDEN 1
#define LTBN_CREATED 2
#define LTBN_DESTROYED 3
#define LTBN_SELCHANGE 4
// WM_TOOLBARSTYLECHANGING reasons.
#define LTTSC_BITMAPS 1
#define LTTSC_FLAT 2
