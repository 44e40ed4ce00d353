// CCommonDialog: the base of the system's common dialogs (file, font, colour, print, find and replace).
//
// The system makes and runs these dialogs itself, each in its own loop; DoModal installs the thread's
// message filter first, so that loop offers its messages to ProcessMessageFilter (MSGF_DIALOGBOX). A class
// that attaches its object to the system's window (the modeless find and replace dialog) passes OK and
// Cancel on to the system's dialog procedure.
#pragma once

#include "classlib/win/Dialog.h"

#include <commdlg.h>

class CCommonDialog : public CDialog
{
    DECLARE_DYNAMIC(CCommonDialog)

public:
    explicit CCommonDialog(CWnd* pParentWnd);

    void OnOK() override;
    void OnCancel() override;

protected:
    // Installs the message filter and answers the owner of the system's dialog: the parent given, else
    // the main window's top-level window.
    HWND PreModal();
};
