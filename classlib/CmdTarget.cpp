#include "classlib/CmdTarget.h"

#include "classlib/MessageBox.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

#ifdef _WIN32
void AfxFreeDispatchPart(IDispatch* pPart); // classlib/win/OleDispatch.cpp
#endif

CCmdTarget::~CCmdTarget()
{
#ifdef _WIN32
    AfxFreeDispatchPart(m_pDispatchPart);
#endif
}

namespace {

const AFX_MSGMAP_ENTRY g_rootEntries[] = {{0, 0, 0, 0, nullptr, nullptr}};
const AFX_MSGMAP g_rootMap = {nullptr, &g_rootEntries[0]};

} // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    return &g_rootMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->pfnDispatch != nullptr; ++lpEntry) {
        const UINT message =
            lpEntry->pRegisteredMessage != nullptr ? *lpEntry->pRegisteredMessage : lpEntry->nMessage;
        if (message == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return nullptr;
}

BOOL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, void* pExtra,
                                const AFX_MSGMAP_ENTRY* pEntry)
{
    AFX_MSGCALL call = {};
    call.message = pEntry->nMessage;
    call.nID = nID;
    call.nCode = nCode;
    call.pExtra = pExtra;
    return pEntry->pfnDispatch(pTarget, call);
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    // High word: the message a control notification came with; none means a plain command.
    UINT nMsg = static_cast<UINT>(nCode) >> 16;
    UINT nNotify = static_cast<UINT>(nCode) & 0xFFFF;
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)) {
        nMsg = 0;
        nNotify = CN_UPDATE_COMMAND_UI;
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries;
        while ((lpEntry = AfxFindMessageEntry(lpEntry, nMsg, nNotify, nID)) != nullptr) {
            if (pHandlerInfo != nullptr) {
                auto* pInfo = static_cast<AFX_CMDHANDLERINFO*>(pHandlerInfo);
                pInfo->pTarget = this;
                pInfo->pEntry = lpEntry;
                return TRUE;
            }
            if (DispatchCmdMsg(this, nID, static_cast<int>(nNotify), pExtra, lpEntry))
                return TRUE;
            ++lpEntry; // an _EX handler declined: look further
        }
    }
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
