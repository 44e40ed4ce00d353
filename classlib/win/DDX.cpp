// The exchange functions of text boxes, buttons, combo boxes, list boxes and attached controls.
#include "classlib/win/DDX.h"

#include "classlib/CString.h"
#include "classlib/Exceptions.h"
#include "classlib/MessageBox.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

CString GetText(HWND hWnd)
{
    CString text;
    const int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, text.GetBuffer(nLen), nLen + 1);
    text.ReleaseBuffer();
    return text;
}

// An optional sign and digits with blanks around; FALSE for anything else or a value beyond 64 bits.
BOOL ParseInteger(const CString& text, BOOL bSigned, long long& value)
{
    CString trimmed = text;
    trimmed.Trim();
    LPCTSTR p = trimmed;
    if (*p == '\0' || (!bSigned && *p == '-'))
        return FALSE;
    LPCTSTR digits = (*p == '-' || *p == '+') ? p + 1 : p;
    if (*digits < '0' || *digits > '9')
        return FALSE;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(p, &end, 10);
    return errno == 0 && *end == '\0';
}

BOOL ParseReal(const CString& text, double& value)
{
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return FALSE;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(trimmed, &end);
    return errno == 0 && *end == '\0';
}

[[noreturn]] void FailWith(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

// Exchanges an integer member of range [minVal, maxVal] with a text box.
template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, long long minVal, long long maxVal,
                     UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long parsed = 0;
        if (!ParseInteger(GetText(hWndCtrl), minVal < 0, parsed) || parsed < minVal || parsed > maxVal)
            FailWith(pDX, nIDPrompt);
        value = static_cast<T>(parsed);
    } else {
        char buf[32];
        if (minVal < 0)
            std::snprintf(buf, sizeof buf, "%lld", static_cast<long long>(value));
        else
            std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(value));
        AfxSetWindowText(hWndCtrl, buf);
    }
}

template <class T> void ExchangeReal(CDataExchange* pDX, int nIDC, T& value, int nDigits, double maxMagnitude)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double parsed = 0;
        if (!ParseReal(GetText(hWndCtrl), parsed) || parsed > maxMagnitude || parsed < -maxMagnitude)
            FailWith(pDX, AFX_IDP_PARSE_REAL);
        value = static_cast<T>(parsed);
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.*g", nDigits, static_cast<double>(value));
        AfxSetWindowText(hWndCtrl, buf);
    }
}

BOOL IsRadioButton(HWND hWnd)
{
    if (!(::SendMessage(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON))
        return FALSE;
    const DWORD type = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetText(hWndCtrl);
    else
        AfxSetWindowText(hWndCtrl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, 0xFFFFFFFFLL, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeInteger(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeInteger(pDX, nIDC, value, 0, 255, AFX_IDP_PARSE_BYTE);
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    ExchangeReal(pDX, nIDC, value, FLT_DIG, FLT_MAX);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    ExchangeReal(pDX, nIDC, value, DBL_DIG, DBL_MAX);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0));
    else
        ::SendMessage(hWndCtrl, BM_SETCHECK, static_cast<WPARAM>(value >= 0 && value <= 2 ? value : 0), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int nButton = 0;
    for (HWND hWnd = hWndCtrl; hWnd != nullptr; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (hWnd != hWndCtrl && (::GetWindowLong(hWnd, GWL_STYLE) & WS_GROUP))
            break;
        if (!IsRadioButton(hWnd))
            continue;
        if (pDX->m_bSaveAndValidate) {
            if (::SendMessage(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED && value < 0)
                value = nButton;
        } else {
            ::SendMessage(hWnd, BM_SETCHECK, nButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++nButton;
    }
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    const BOOL bHasEdit = (::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST;
    if (pDX->m_bSaveAndValidate) {
        if (bHasEdit) {
            value = GetText(hWndCtrl);
            return;
        }
        const LRESULT nIndex = ::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
        value.Empty();
        if (nIndex != CB_ERR) {
            const LRESULT nLen = ::SendMessage(hWndCtrl, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0);
            ::SendMessage(hWndCtrl, CB_GETLBTEXT, static_cast<WPARAM>(nIndex),
                          reinterpret_cast<LPARAM>(value.GetBuffer(static_cast<int>(nLen))));
            value.ReleaseBuffer();
        }
        return;
    }
    LRESULT nIndex = ::SendMessage(hWndCtrl, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    if (nIndex == CB_ERR && !value.IsEmpty())
        nIndex = ::SendMessage(hWndCtrl, CB_FINDSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    ::SendMessage(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    // A box the user types into shows the text itself even when no item matches.
    if (bHasEdit)
        AfxSetWindowText(hWndCtrl, value);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0));
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        const LRESULT nIndex = ::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
        value.Empty();
        if (nIndex != LB_ERR) {
            const LRESULT nLen = ::SendMessage(hWndCtrl, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0);
            ::SendMessage(hWndCtrl, LB_GETTEXT, static_cast<WPARAM>(nIndex),
                          reinterpret_cast<LPARAM>(value.GetBuffer(static_cast<int>(nLen))));
            value.ReleaseBuffer();
        }
        return;
    }
    LRESULT nIndex = ::SendMessage(hWndCtrl, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    if (nIndex == LB_ERR && !value.IsEmpty())
        nIndex = ::SendMessage(hWndCtrl, LB_FINDSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(value)));
    ::SendMessage(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0));
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException(); // another object has it already
}
