// DDX_TextWithCodes and DDX_ListBoxStrings.
#include "app/core/win/TextCodesExchange.h"

#include "classlib/win/DDX.h"

namespace {

// The three characters and their notation; "^" itself stays as it is.
const struct
{
    const char* code;
    const char* character;
} kCodes[] = {{"^t", "\t"}, {"^l", "\n"}, {"^p", "\r"}};

} // namespace

void DDX_TextWithCodes(CDataExchange* pDX, int nIDC, CString& value)
{
    if (pDX->m_bSaveAndValidate) {
        CString shown;
        DDX_Text(pDX, nIDC, shown);
        for (const auto& c : kCodes)
            shown.Replace(c.code, c.character);
        value = shown;
    } else {
        CString shown = value;
        for (const auto& c : kCodes)
            shown.Replace(c.character, c.code);
        DDX_Text(pDX, nIDC, shown);
    }
}

void DDX_ListBoxStrings(CDataExchange* pDX, int nIDC, CStringArray& strings)
{
    HWND hWndList = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        strings.RemoveAll();
        const int nCount = static_cast<int>(::SendMessage(hWndList, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < nCount; ++i) {
            const int nLen = static_cast<int>(::SendMessage(hWndList, LB_GETTEXTLEN, i, 0));
            CString item;
            if (nLen > 0) {
                ::SendMessage(hWndList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.GetBuffer(nLen)));
                item.ReleaseBuffer();
            }
            strings.Add(item);
        }
    } else {
        ::SendMessage(hWndList, LB_RESETCONTENT, 0, 0);
        for (INT_PTR i = 0; i < strings.GetSize(); ++i)
            ::SendMessage(hWndList, LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strings[i])));
    }
}
