// DDX_SortOrder.
#include "database/sort/win/SortOrderExchange.h"

namespace {

const char* const kOrderNames[] = {
    "Author/Title/Date", "Author/Date/Title",        "Author-Title/Title/Date", "Title/Date",
    "Date/Author/Title", "Call Number/Author/Title", "Record Number",           "Custom"};
const int kItemOfCode[] = {6, 0, 1, 2, 3, 4, 5, 7};
const int kCodeOfItem[] = {1, 2, 3, 4, 5, 6, 0, 7};

} // namespace

void DDX_SortOrder(CDataExchange* pDX, int nIDC, int& code)
{
    HWND hWndCombo = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const LRESULT nItem = ::SendMessage(hWndCombo, CB_GETCURSEL, 0, 0);
        code = (nItem >= 0 && nItem < 8) ? kCodeOfItem[nItem] : 1;
        return;
    }
    if (::SendMessage(hWndCombo, CB_GETCOUNT, 0, 0) == 0) {
        for (const char* name : kOrderNames)
            ::SendMessage(hWndCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    const int nItem = (code >= 0 && code < 8) ? kItemOfCode[code] : code;
    ::SendMessage(hWndCombo, CB_SETCURSEL, static_cast<WPARAM>(nItem), 0);
}
