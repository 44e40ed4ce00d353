// CFindReplaceDialog: creation, the owner's notifications and self-deletion.
#include "classlib/win/FindReplaceDialog.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(nullptr), m_szFindWhat(), m_szReplaceWith()
{
    m_fr = {};
    m_fr.lStructSize = sizeof m_fr;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = sizeof m_szFindWhat;
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = sizeof m_szReplaceWith;
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith,
                                DWORD dwFlags, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    HWND hWndOwner = FindModalOwner();
    if (hWndOwner == nullptr)
        return FALSE; // the system needs an owner to notify
    if (lpszFindWhat != nullptr)
        std::strncpy(m_szFindWhat, lpszFindWhat, sizeof m_szFindWhat - 1);
    if (lpszReplaceWith != nullptr)
        std::strncpy(m_szReplaceWith, lpszReplaceWith, sizeof m_szReplaceWith - 1);
    m_fr.hwndOwner = hWndOwner;
    m_fr.Flags = dwFlags;
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
    HWND hWnd = bFindDialogOnly ? ::FindText(&m_fr) : ::ReplaceText(&m_fr);
    if (hWnd == nullptr)
        return FALSE;
    // From here on the object lives as long as the window.
    SubclassWindow(hWnd);
    return TRUE;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    return reinterpret_cast<CFindReplaceDialog*>(reinterpret_cast<const FINDREPLACE*>(lParam)->lCustData);
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}
