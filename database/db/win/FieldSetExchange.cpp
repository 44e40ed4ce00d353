// DDX_FieldListBox and DDX_CBIndexByte.
#include "database/db/win/FieldSetExchange.h"

namespace {

const int kMaxSelected = 48;
const int kLastField = 45;

} // namespace

void DDX_FieldListBox(CDataExchange* pDX, int nIDC, FieldSet& fields)
{
    HWND hWndList = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        fields.Clear();
        int selected[kMaxSelected];
        const int nCount = static_cast<int>(
            ::SendMessage(hWndList, LB_GETSELITEMS, kMaxSelected, reinterpret_cast<LPARAM>(selected)));
        for (int i = 0; i < nCount; ++i) {
            if (selected[i] >= 0 && selected[i] + 1 <= kMaxSelected)
                fields.Add(selected[i] + 1);
        }
        return;
    }
    for (int field = kLastField; field >= 1; --field) {
        if (fields.Contains(field))
            ::SendMessage(hWndList, LB_SETSEL, TRUE, field - 1);
    }
}

void DDX_CBIndexByte(CDataExchange* pDX, int nIDC, BYTE& value)
{
    HWND hWndCombo = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<BYTE>(::SendMessage(hWndCombo, CB_GETCURSEL, 0, 0) + 1);
    else
        ::SendMessage(hWndCombo, CB_SETCURSEL, static_cast<WPARAM>(value) - 1, 0);
}
