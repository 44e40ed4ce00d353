// CColorDialog: the structure and the run.
#include "classlib/win/ColorDialog.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF s_custom[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return s_custom;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_cc = {};
    m_cc.lStructSize = sizeof m_cc;
    m_cc.Flags = dwFlags | (clrInit != 0 ? CC_RGBINIT : 0);
    m_cc.rgbResult = clrInit;
    m_cc.lpCustColors = GetSavedCustomColors();
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = PreModal();
    return ::ChooseColor(&m_cc) ? IDOK : IDCANCEL;
}
