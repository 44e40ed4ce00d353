#include "classlib/Resources.h"

#ifndef _WIN32
#include "classlib/ResourceTable.h"

#include <algorithm>
#include <cstring>
#include <vector>
#endif

#ifdef _WIN32

BOOL AfxLoadStringResource(UINT nID, CString& rString)
{
    rString.Empty();
    // Strings live in blocks of 16, counted UTF-16 texts one after another.
    HRSRC hRes = ::FindResourceA(nullptr, MAKEINTRESOURCEA((nID >> 4) + 1), MAKEINTRESOURCEA(6));
    if (hRes == nullptr)
        return FALSE;
    HGLOBAL hMem = ::LoadResource(nullptr, hRes);
    const WCHAR* p = hMem ? static_cast<const WCHAR*>(::LockResource(hMem)) : nullptr;
    if (p == nullptr)
        return FALSE;
    for (UINT i = 0; i < (nID & 15); ++i)
        p += 1 + *p;
    int len = *p++;
    if (len == 0)
        return FALSE;
    int n = ::WideCharToMultiByte(1252, 0, p, len, nullptr, 0, nullptr, nullptr);
    char* buf = rString.GetBufferSetLength(n);
    ::WideCharToMultiByte(1252, 0, p, len, buf, n, nullptr, nullptr);
    rString.ReleaseBuffer(n);
    return TRUE;
}

const void* AfxFindBinaryResource(LPCTSTR lpszType, UINT nID, DWORD* pSize)
{
    if (pSize)
        *pSize = 0;
    HRSRC hRes = ::FindResourceA(nullptr, MAKEINTRESOURCEA(nID), lpszType);
    if (hRes == nullptr)
        return nullptr;
    HGLOBAL hMem = ::LoadResource(nullptr, hRes);
    const void* p = hMem ? ::LockResource(hMem) : nullptr;
    if (p != nullptr && pSize)
        *pSize = ::SizeofResource(nullptr, hRes);
    return p;
}

#else

namespace
{
// Index of the generated strings by ID, built on first use.
const std::vector<const LvStringResource*>& StringIndex()
{
    static const std::vector<const LvStringResource*> index = [] {
        std::vector<const LvStringResource*> v;
        for (unsigned i = 0; i < g_lvStringResourceCount; ++i)
            v.push_back(&g_lvStringResources[i]);
        std::sort(v.begin(), v.end(),
                  [](const LvStringResource* a, const LvStringResource* b) { return a->id < b->id; });
        return v;
    }();
    return index;
}

bool SameTypeName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
    {
        char ca = (*a >= 'a' && *a <= 'z') ? char(*a - 32) : *a;
        char cb = (*b >= 'a' && *b <= 'z') ? char(*b - 32) : *b;
        if (ca != cb)
            return false;
    }
    return *a == *b;
}
} // namespace

BOOL AfxLoadStringResource(UINT nID, CString& rString)
{
    const auto& index = StringIndex();
    auto it = std::lower_bound(index.begin(), index.end(), nID,
                               [](const LvStringResource* r, UINT id) { return r->id < id; });
    if (it == index.end() || (*it)->id != nID || (*it)->text[0] == 0)
    {
        rString.Empty();
        return FALSE;
    }
    rString = (*it)->text;
    return TRUE;
}

const void* AfxFindBinaryResource(LPCTSTR lpszType, UINT nID, DWORD* pSize)
{
    if (pSize)
        *pSize = 0;
    if (lpszType == nullptr)
        return nullptr;
    for (unsigned i = 0; i < g_lvBinaryResourceCount; ++i)
    {
        const LvBinaryResource& r = g_lvBinaryResources[i];
        if (r.id == nID && SameTypeName(r.type, lpszType))
        {
            if (pSize)
                *pSize = r.size;
            return r.data;
        }
    }
    return nullptr;
}

#endif

void AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    CString result;
    for (const char* p = lpszFormat ? lpszFormat : ""; *p; ++p)
    {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9' && p[1] - '1' < nString)
        {
            LPCTSTR insert = rglpsz[p[1] - '1'];
            if (insert)
                result += insert;
            ++p;
        }
        else
        {
            result += *p;
        }
    }
    rString = result;
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    CString format;
    AfxLoadStringResource(nIDS, format);
    LPCTSTR inserts[1] = {lpsz1};
    AfxFormatStrings(rString, format, inserts, 1);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString format;
    AfxLoadStringResource(nIDS, format);
    LPCTSTR inserts[2] = {lpsz1, lpsz2};
    AfxFormatStrings(rString, format, inserts, 2);
}
