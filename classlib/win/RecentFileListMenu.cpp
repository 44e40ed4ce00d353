// CRecentFileList and CWinApp: the recent files as menu items.
#include "classlib/RecentFileList.h"

#include "classlib/CmdUI.h"
#include "classlib/WinApp.h"
#include "classlib/win/Menu.h"

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (pMenu == nullptr)
        return;
    if (m_strOriginal.IsEmpty())
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);
    if (GetSize() == 0 || m_arrNames[0].IsEmpty()) {
        // Nothing to show: the original item, greyed.
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    // The old items go, then one item per path at the first one's place.
    for (int i = 0; i < GetSize(); ++i)
        pMenu->DeleteMenu(pCmdUI->m_nID + static_cast<UINT>(i), MF_BYCOMMAND);
    char curDir[MAX_PATH] = {};
    const int nCurDir = static_cast<int>(::GetCurrentDirectory(MAX_PATH, curDir));
    int nItems = 0;
    for (int i = 0; i < GetSize(); ++i) {
        CString name;
        if (!GetDisplayName(name, i, curDir, nCurDir))
            break;
        name.Replace("&", "&&"); // an ampersand in a name is no mnemonic
        CString text;
        text.Format("&%d %s", i + 1, name.GetString());
        pMenu->InsertMenu(pCmdUI->m_nIndex + static_cast<UINT>(nItems), MF_STRING | MF_BYPOSITION,
                          pCmdUI->m_nID + static_cast<UINT>(i), text);
        ++nItems;
    }
    // The menu walk goes on after the inserted items.
    pCmdUI->m_nIndex += static_cast<UINT>(nItems - 1);
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo)
{
    if (CWinThread::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    const UINT nLast = ID_FILE_MRU_FILE1 + static_cast<UINT>(m_pRecentFileList->GetSize()) - 1;
    if (nID < ID_FILE_MRU_FILE1 || nID > nLast || nID > ID_FILE_MRU_FILE16)
        return FALSE;
    if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI)) {
        // The first item stands for the whole list.
        if (nID != ID_FILE_MRU_FILE1)
            return FALSE;
        if (pHandlerInfo != nullptr)
            return TRUE;
        OnUpdateRecentFileMenu(static_cast<CCmdUI*>(pExtra));
        return TRUE;
    }
    if (nCode != CN_COMMAND)
        return FALSE;
    if (pHandlerInfo != nullptr) {
        auto* pInfo = static_cast<AFX_CMDHANDLERINFO*>(pHandlerInfo);
        pInfo->pTarget = this;
        pInfo->pEntry = nullptr;
        return TRUE;
    }
    return OnOpenRecentFile(nID);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    m_pRecentFileList->UpdateMenu(pCmdUI);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    const int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[nIndex].IsEmpty())
        return FALSE;
    const CString path = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(nIndex);
    return TRUE;
}
