#include "classlib/win/ListBox.h"

#include <string>

IMPLEMENT_DYNAMIC(CListBox, CWnd)

void CListBox::GetText(int nIndex, CString& rString) const
{
    const int nLen = GetTextLen(nIndex);
    if (nLen == LB_ERR) {
        rString.Empty();
        return;
    }
    std::string buffer(static_cast<size_t>(nLen) + 1, '\0');
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&buffer[0]));
    rString = buffer.c_str();
}

int CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    const DWORD dw = static_cast<DWORD>(SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y)));
    bOutside = HIWORD(dw) != 0;
    return LOWORD(dw);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT)
{
    ASSERT(FALSE); // an owner-drawn list must draw its items
}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
    ASSERT(FALSE); // an owner-drawn variable list must measure its items
}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    ASSERT(FALSE); // an owner-drawn sorted list must compare its items
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return AfxOwnerDrawChildNotify(this, message, lParam, pResult);
}
