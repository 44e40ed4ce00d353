// CPrintDialog: the structure, the runs and the printer they chose.
#include "classlib/win/PrintDialog.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_pd = {};
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog()
{
    if (m_pd.hDevMode != nullptr)
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames != nullptr)
        ::GlobalFree(m_pd.hDevNames);
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = PreModal();
    return ::PrintDlg(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    // Only the printer's names and mode: the handles are ours to keep, so none may be held already.
    const DWORD dwFlags = m_pd.Flags;
    if (m_pd.hDevMode != nullptr || m_pd.hDevNames != nullptr)
        return FALSE;
    m_pd.hwndOwner = nullptr;
    m_pd.Flags = (dwFlags & ~PD_RETURNDC) | PD_RETURNDEFAULT;
    const BOOL bResult = ::PrintDlg(&m_pd);
    m_pd.Flags = dwFlags;
    return bResult;
}

CString CPrintDialog::DevNamesString(int nWhich) const
{
    if (m_pd.hDevNames == nullptr)
        return CString();
    const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(m_pd.hDevNames));
    if (pNames == nullptr)
        return CString();
    const WORD offsets[] = {pNames->wDriverOffset, pNames->wDeviceOffset, pNames->wOutputOffset};
    const CString text(reinterpret_cast<LPCTSTR>(pNames) + offsets[nWhich]);
    ::GlobalUnlock(m_pd.hDevNames);
    return text;
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesString(0);
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesString(1);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesString(2);
}

LPDEVMODE CPrintDialog::GetDevMode() const
{
    if (m_pd.hDevMode == nullptr)
        return nullptr;
    // Movable memory stays where the lock put it while it is not freed; the count is given back at once.
    auto* pMode = static_cast<LPDEVMODE>(::GlobalLock(m_pd.hDevMode));
    ::GlobalUnlock(m_pd.hDevMode);
    return pMode;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES) {
        const LPDEVMODE pMode = GetDevMode();
        if (pMode != nullptr)
            return pMode->dmCopies;
    }
    return m_pd.nCopies;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDevNames == nullptr)
        return nullptr;
    const CString driver = GetDriverName();
    const CString device = GetDeviceName();
    const CString port = GetPortName();
    return ::CreateDC(driver, device, port, GetDevMode());
}
