// CPrintDialog: the system's Print and Print Setup dialogs over m_pd, and the default printer.
//
// GetDefaults fills m_pd with the default printer without showing anything. After DoModal or GetDefaults
// the device, driver and port names and the device mode describe the printer chosen; CreatePrinterDC
// makes its device context (the caller deletes it). The device mode and names handles belong to the
// object and are freed with it.
#pragma once

#include "classlib/win/CommonDialog.h"

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)

public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;

    PRINTDLG m_pd;

    INT_PTR DoModal() override;
    BOOL GetDefaults();

    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    // The device mode while it is held (locked on each call; the memory stays the object's).
    LPDEVMODE GetDevMode() const;
    int GetCopies() const;
    BOOL PrintAll() const { return (m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }
    // A device context of the chosen printer, NULL when none can be made.
    HDC CreatePrinterDC();

private:
    CString DevNamesString(int nWhich) const;
};
