// The file dialog the document manager asks for names with: the system's open or save dialog.
//
// The filter is the document manager's text with '|' between its parts (turned into the NULs the dialog
// wants); nFilterIndex is 1-based (0: the first). On TRUE, rFileName holds the chosen path (with several
// files allowed, the dialog's own "folder\0name\0name\0" list up to the first NUL). Tests replace the
// dialog through AfxSetDocFileDialogHook so that nothing modal runs.
#pragma once

#include "classlib/CString.h"

class CWnd;

struct CDocFileDialogRequest
{
    BOOL bOpen;
    CString title;
    CString filter;
    int nFilterIndex;
    CString defaultExt; // without its dot
    DWORD flags;        // OFN_ flags
    CWnd* pOwner;
};

// TRUE with rFileName set when the user chose a file.
BOOL AfxRunDocFileDialog(const CDocFileDialogRequest& request, CString& rFileName);

typedef BOOL (*AFX_DOCFILEDIALOGHOOK)(const CDocFileDialogRequest& request, CString& rFileName);
// Replaces the system dialog (NULL restores it); the previous hook.
AFX_DOCFILEDIALOGHOOK AfxSetDocFileDialogHook(AFX_DOCFILEDIALOGHOOK pfnHook);
