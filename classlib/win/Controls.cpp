// Run-time classes of the controls that need no code of their own, and the common-control creation.
#include "classlib/win/Edit.h"
#include "classlib/win/ProgressCtrl.h"
#include "classlib/win/ScrollBar.h"
#include "classlib/win/Static.h"

IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)
IMPLEMENT_DYNAMIC(CProgressCtrl, CWnd)

BOOL AfxInitCommonControls(DWORD dwClasses)
{
    INITCOMMONCONTROLSEX init = {sizeof init, dwClasses};
    return ::InitCommonControlsEx(&init);
}

BOOL CProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    AfxInitCommonControls(ICC_PROGRESS_CLASS);
    return CWnd::Create(PROGRESS_CLASS, nullptr, dwStyle, rect, pParentWnd, nID);
}
