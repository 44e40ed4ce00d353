// The validation functions: lengths and ranges.
#include "classlib/win/DDX.h"

#include "classlib/CString.h"
#include "classlib/MessageBox.h"
#include "classlib/Resources.h"

#include <cstdio>

namespace {

[[noreturn]] void FailRange(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpszMin, LPCTSTR lpszMax)
{
    CString prompt;
    AfxFormatString2(prompt, nIDPrompt, lpszMin, lpszMax);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

void CheckInteger(CDataExchange* pDX, long long value, long long minVal, long long maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char szMin[32];
    char szMax[32];
    std::snprintf(szMin, sizeof szMin, "%lld", minVal);
    std::snprintf(szMax, sizeof szMax, "%lld", maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, szMin, szMax);
}

void CheckReal(CDataExchange* pDX, double value, double minVal, double maxVal, int nDigits)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    char szMin[64];
    char szMax[64];
    std::snprintf(szMin, sizeof szMin, "%.*g", nDigits, minVal);
    std::snprintf(szMax, sizeof szMax, "%.*g", nDigits, maxVal);
    FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, szMin, szMax);
}

} // namespace

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_bEditLastControl)
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    char szMax[16];
    std::snprintf(szMax, sizeof szMax, "%d", nChars);
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, szMax);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
    pDX->Fail();
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    CheckInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    CheckInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    CheckInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    CheckReal(pDX, value, minVal, maxVal, 6);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    CheckReal(pDX, value, minVal, maxVal, 15);
}
