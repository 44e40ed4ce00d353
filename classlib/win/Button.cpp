#include "classlib/win/Button.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
    // An owner-drawn button class must draw itself.
    ASSERT(FALSE);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    // A reflected handler in the map comes before the virtual one.
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
