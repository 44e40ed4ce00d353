// CDataExchange: one run of a window's DoDataExchange, in one direction.
//
// m_bSaveAndValidate TRUE reads the controls into the members and validates them; FALSE loads the controls
// from the members. Each exchange function names its control first (PrepareCtrl, or PrepareEditCtrl for
// a text box); a validation that fails calls Fail, which puts the focus on the last control named (an
// edit control gets its whole text selected) and throws a CUserException, so the rest of the exchange is
// skipped. The user has been told before Fail is called; UpdateData answers FALSE for it.
//
// The exchange and validation functions themselves are declared in classlib/win/DDX.h.
#pragma once

#include "classlib/win/Wnd.h"

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control's window; a missing control is a fault of the program (CNotSupportedException).
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    [[noreturn]] void Fail();

    // The control named last and whether it is a text box.
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};
