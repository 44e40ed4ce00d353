// CFindReplaceDialog: the system's modeless Find and Replace dialogs.
//
// Made on the heap and shown with Create; the object is attached to the system's window and deletes
// itself when the window goes (PostNcDestroy). The owner learns of every action through the registered
// message FINDMSGSTRING, whose lParam GetNotifier turns back into the object; after the notification
// whose IsTerminating is TRUE the dialog is gone.
#pragma once

#include "classlib/win/CommonDialog.h"

class CFindReplaceDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFindReplaceDialog)

public:
    CFindReplaceDialog();

    FINDREPLACE m_fr;

    // pParentWnd receives the notifications (the main window when NULL).
    BOOL Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith = nullptr,
                DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = nullptr);

    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    CString GetFindString() const { return CString(m_fr.lpstrFindWhat); }
    CString GetReplaceString() const { return CString(m_fr.lpstrReplaceWith); }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

protected:
    void PostNcDestroy() override;

private:
    char m_szFindWhat[128];
    char m_szReplaceWith[128];
};
