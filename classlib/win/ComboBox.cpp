#include "classlib/win/ComboBox.h"

#include <string>

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    const int nLen = GetLBTextLen(nIndex);
    if (nLen == CB_ERR) {
        rString.Empty();
        return;
    }
    std::string buffer(static_cast<size_t>(nLen) + 1, '\0');
    SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&buffer[0]));
    rString = buffer.c_str();
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
    ASSERT(FALSE); // an owner-drawn combo box must draw its items
}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
    ASSERT(FALSE);
}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    ASSERT(FALSE);
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return AfxOwnerDrawChildNotify(this, message, lParam, pResult);
}
