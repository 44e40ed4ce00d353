// A device context on the default printer.
#include "app/core/win/PrinterDC.h"

#include "classlib/WinApp.h"
#include "classlib/win/PrintDialog.h"

namespace {

HDC CreateFromHandles(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (hDevNames == nullptr)
        return nullptr;
    const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(hDevNames));
    if (pNames == nullptr)
        return nullptr;
    const char* pBase = reinterpret_cast<const char*>(pNames);
    const DEVMODE* pMode =
        hDevMode != nullptr ? static_cast<const DEVMODE*>(::GlobalLock(hDevMode)) : nullptr;
    HDC hDC = ::CreateDC(pBase + pNames->wDriverOffset, pBase + pNames->wDeviceOffset,
                         pBase + pNames->wOutputOffset, pMode);
    if (pMode != nullptr)
        ::GlobalUnlock(hDevMode);
    ::GlobalUnlock(hDevNames);
    return hDC;
}

} // namespace

HDC GetPrinterDC()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr) {
        PRINTDLG pd = {};
        pd.lStructSize = sizeof pd;
        if (!pApp->GetPrinterDeviceDefaults(&pd))
            return nullptr;
        return CreateFromHandles(pd.hDevNames, pd.hDevMode); // the handles stay the application's
    }
    CPrintDialog dlg(FALSE);
    if (!dlg.GetDefaults())
        return nullptr;
    return CreateFromHandles(dlg.m_pd.hDevNames, dlg.m_pd.hDevMode); // the dialog frees the handles
}
