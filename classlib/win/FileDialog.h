// CFileDialog: the system's Open and Save As dialogs, explorer style.
//
// m_ofn is filled from the constructor and may be changed before DoModal: the filter is given as
// "Text files (*.txt)|*.txt|All files (*.*)|*.*||" (pairs of description and patterns, ending in "||"),
// the default extension without its dot, the initial file name, and m_ofn.lpstrInitialDir the folder to
// start in. OFN_ALLOWMULTISELECT asks for several files: GetStartPosition and GetNextPathName walk them.
// The dialog runs with the library's hook: OnFileNameOK (TRUE refuses the name and keeps the dialog
// open), OnInitDone, OnFolderChange and OnTypeChange are called from the system's notifications.
#pragma once

#include "classlib/win/CommonDialog.h"

#include <vector>

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)

public:
    CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    OPENFILENAME m_ofn;

    INT_PTR DoModal() override;

    typedef INT_PTR (*MODALHOOK)(CFileDialog& dlg);
    // Replaces the system's dialog for every DoModal (NULL restores it); the previous hook.
    static MODALHOOK SetModalHook(MODALHOOK pfnHook);

    // The chosen file: full path, name with extension, extension without the dot, name without it.
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    // The read-only box was checked.
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // Several files (OFN_ALLOWMULTISELECT): a position of the first, NULL when there is none.
    POSITION GetStartPosition() const;
    CString GetNextPathName(POSITION& pos) const;

    // Open (TRUE) or Save As (FALSE).
    BOOL IsOpenFileDialog() const { return m_bOpenFileDialog; }
    // The window of the system's dialog while it runs (NULL otherwise).
    HWND GetDialogWindow() const { return m_hWndDialog; }

protected:
    virtual BOOL OnFileNameOK();
    virtual void OnInitDone();
    virtual void OnFolderChange();
    virtual void OnTypeChange();

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    BOOL m_bOpenFileDialog;
    CString m_strDefExt;
    std::vector<char> m_filter; // with NULs in place of the bars
    std::vector<char> m_fileBuffer;
    char m_szFileTitle[_MAX_FNAME + _MAX_EXT];
    HWND m_hWndDialog;
};
