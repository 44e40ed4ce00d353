// CListBox: a list of strings ("LISTBOX"); owner-drawn lists draw, measure, compare and delete their
// items in the virtual operations, reached through the parent's reflected messages.
#pragma once

#include "classlib/win/Wnd.h"

class CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)

public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
    }
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect)
    {
        return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect)));
    }
    int GetSel(int nIndex) const
    {
        return static_cast<int>(SendMessage(LB_GETSEL, static_cast<WPARAM>(nIndex)));
    }
    int SetSel(int nIndex, BOOL bSelect = TRUE)
    {
        return static_cast<int>(SendMessage(LB_SETSEL, bSelect, nIndex));
    }
    int GetSelCount() const { return static_cast<int>(SendMessage(LB_GETSELCOUNT)); }
    int GetSelItems(int nMaxItems, LPINT rgIndex) const
    {
        return static_cast<int>(
            SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex)));
    }
    DWORD_PTR GetItemData(int nIndex) const
    {
        return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex)));
    }
    int SetItemData(int nIndex, DWORD_PTR dwItemData)
    {
        return static_cast<int>(
            SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData)));
    }
    int GetItemHeight(int nIndex) const
    {
        return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex)));
    }
    int SetItemHeight(int nIndex, UINT cyItemHeight)
    {
        return static_cast<int>(
            SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELONG(cyItemHeight, 0)));
    }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int nIndex)
    {
        return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex)));
    }
    int GetItemRect(int nIndex, LPRECT lpRect) const
    {
        return static_cast<int>(
            SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect)));
    }
    int GetTextLen(int nIndex) const
    {
        return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex)));
    }
    void GetText(int nIndex, CString& rString) const;
    int AddString(LPCTSTR lpszItem)
    {
        return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem)));
    }
    int InsertString(int nIndex, LPCTSTR lpszItem)
    {
        return static_cast<int>(
            SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem)));
    }
    int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int FindString(int nStartAfter, LPCTSTR lpszItem) const
    {
        return static_cast<int>(
            SendMessage(LB_FINDSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem)));
    }
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const
    {
        return static_cast<int>(SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(nIndexStart),
                                            reinterpret_cast<LPARAM>(lpszFind)));
    }
    int SelectString(int nStartAfter, LPCTSTR lpszItem)
    {
        return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter),
                                            reinterpret_cast<LPARAM>(lpszItem)));
    }
    int ItemFromPoint(CPoint pt, BOOL& bOutside) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// Shared by the lists that draw their own items: calls the virtual operation for an owner-draw message.
template <class T> BOOL AfxOwnerDrawChildNotify(T* pCtrl, UINT message, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
        pCtrl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        pCtrl->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    case WM_COMPAREITEM:
        if (pResult != nullptr)
            *pResult = pCtrl->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam));
        return TRUE;
    case WM_DELETEITEM:
        pCtrl->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}
