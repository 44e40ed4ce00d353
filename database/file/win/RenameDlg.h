// CRenameDlg: the "Rename" dialog (template 3089) of a document's file.
//
// Shows the file's name and folder and offers the name for editing (at most 63 characters). OK is
// available only while the typed name is not empty and differs (exactly) from the current name. On OK a
// name that CheckRenameName refuses shows its message (error icon) and keeps the dialog open on the name.
// The dialog never touches the file: the caller renames it with m_newName.
#pragma once

#include "classlib/win/Button.h"
#include "classlib/win/Dialog.h"
#include "classlib/win/Edit.h"

class CRenameDlg : public CDialog
{
public:
    enum
    {
        IDD = 3089,
        IDC_DIRECTORY = 2246,
        IDC_NEW_NAME = 2247,
        IDC_FILE_NAME = 2248,
        maxNewName = 63
    };

    CRenameDlg(const CString& path, CWnd* pParentWnd = nullptr);

    CString m_path;      // the full path
    CString m_fileName;  // name with extension
    CString m_directory; // drive and folder, no trailing backslash
    CString m_newName;   // the typed name; the file name at first
    CString m_extension; // with its dot
    CEdit m_edit;
    CButton m_ok;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnNameChange();
    // OK only for a new, non-empty name.
    void UpdateOK();
    DECLARE_MESSAGE_MAP()
};
