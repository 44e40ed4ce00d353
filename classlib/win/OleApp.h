// The process's OLE support: start and end, the application's lock count and user control.
//
// AfxOleInit starts OLE on the thread (OleInitialize) and makes the user-control flag TRUE; AfxOleTerm
// revokes the class factories and ends OLE. Objects served to clients hold the application alive with
// AfxOleLockApp; the unlock that brings the count back to 0 ends the application unless the user controls
// it (AfxOleSetUserCtrl(TRUE)): the main window is destroyed (which ends the message loop), or, without
// one, the loop is told to quit.
#pragma once

#include "classlib/Types.h"

BOOL AfxOleInit();
void AfxOleTerm();
void AfxOleLockApp();
void AfxOleUnlockApp();
LONG AfxOleGetLockCount();
void AfxOleSetUserCtrl(BOOL bUserCtrl);
BOOL AfxOleGetUserCtrl();
// TRUE while no object holds the application (the count is 0).
BOOL AfxOleCanExitApp();
