#include "classlib/CmdTarget.h"

#include "classlib/MessageBox.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

BOOL CCmdTarget::OnCmdMsg(UINT, int, void*, void*)
{
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    AfxBeginWaitCursor();
}

void CCmdTarget::EndWaitCursor()
{
    AfxEndWaitCursor();
}

void CCmdTarget::RestoreWaitCursor()
{
    AfxRestoreWaitCursor();
}
