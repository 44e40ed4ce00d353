#include "classlib/CString.h"
#include "classlib/CodePage1252.h"
#include "classlib/Exceptions.h"

#include <limits.h>
#include <new>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

char g_chNil = '\0'; // the shared buffer of every empty string; never written

int SafeStrLen(LPCTSTR lpsz)
{
    return lpsz != nullptr ? (int)strlen(lpsz) : 0;
}

int ClampStart(int nFirst)
{
    return nFirst < 0 ? 0 : nFirst;
}

int FormattedLength(LPCTSTR lpszFormat, va_list argList)
{
    va_list args;
    va_copy(args, argList);
#ifdef __MINGW32__
    const int n = __mingw_vsnprintf(nullptr, 0, lpszFormat, args);
#else
    const int n = vsnprintf(nullptr, 0, lpszFormat, args);
#endif
    va_end(args);
    return n;
}

void FormatInto(char* buffer, int nLength, LPCTSTR lpszFormat, va_list argList)
{
    va_list args;
    va_copy(args, argList);
#ifdef __MINGW32__
    __mingw_vsnprintf(buffer, (size_t)nLength + 1, lpszFormat, args);
#else
    vsnprintf(buffer, (size_t)nLength + 1, lpszFormat, args);
#endif
    va_end(args);
}

bool IsTrimSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '\v' || ch == '\f';
}

bool InSet(char ch, LPCTSTR lpszSet)
{
    return ch != '\0' && lpszSet != nullptr && strchr(lpszSet, ch) != nullptr;
}

int CompareCounted(const char* p1, int n1, const char* p2, int n2)
{
    const int n = n1 < n2 ? n1 : n2;
    const int r = n > 0 ? memcmp(p1, p2, (size_t)n) : 0;
    if (r != 0)
        return r;
    return n1 < n2 ? -1 : (n1 > n2 ? 1 : 0);
}

} // namespace

// ---- construction and storage -------------------------------------------

CString::CString() : m_pchData(&g_chNil), m_nDataLength(0), m_nAllocLength(0) {}

CString::CString(const CString& stringSrc) : CString()
{
    AssignCopy(stringSrc.m_pchData, stringSrc.m_nDataLength);
}

CString::CString(CString&& stringSrc) noexcept
    : m_pchData(stringSrc.m_pchData), m_nDataLength(stringSrc.m_nDataLength),
      m_nAllocLength(stringSrc.m_nAllocLength)
{
    stringSrc.m_pchData = &g_chNil;
    stringSrc.m_nDataLength = 0;
    stringSrc.m_nAllocLength = 0;
}

CString::CString(LPCTSTR lpsz) : CString()
{
    AssignCopy(lpsz, SafeStrLen(lpsz));
}

CString::CString(LPCTSTR lpch, int nLength) : CString()
{
    ASSERT(nLength >= 0);
    AssignCopy(lpch, nLength > 0 && lpch != nullptr ? nLength : 0);
}

CString::CString(const unsigned char* psz) : CString((LPCTSTR)psz) {}

CString::CString(TCHAR ch, int nRepeat) : CString()
{
    if (nRepeat > 0) {
        Reserve(nRepeat);
        memset(m_pchData, ch, (size_t)nRepeat);
        SetLength(nRepeat);
    }
}

CString::~CString()
{
    Release();
}

void CString::Release()
{
    if (m_nAllocLength != 0)
        delete[] m_pchData;
    m_pchData = &g_chNil;
    m_nDataLength = 0;
    m_nAllocLength = 0;
}

void CString::Reserve(int nCapacity)
{
    if (nCapacity <= m_nAllocLength)
        return;
    if (nCapacity < 0 || nCapacity >= INT_MAX - 1)
        AfxThrowMemoryException();
    // Grow geometrically so that repeated appends stay linear.
    int nNew = m_nAllocLength + m_nAllocLength / 2;
    if (nNew < nCapacity || nNew < 0)
        nNew = nCapacity;
    char* p = new (std::nothrow) char[(size_t)nNew + 1];
    if (p == nullptr)
        AfxThrowMemoryException();
    memcpy(p, m_pchData, (size_t)m_nDataLength + 1);
    if (m_nAllocLength != 0)
        delete[] m_pchData;
    m_pchData = p;
    m_nAllocLength = nNew;
}

void CString::SetLength(int nLength)
{
    ASSERT(nLength >= 0 && nLength <= m_nAllocLength);
    m_nDataLength = nLength;
    if (m_nAllocLength != 0)
        m_pchData[nLength] = '\0';
}

void CString::AssignCopy(LPCTSTR lpch, int nLength)
{
    if (nLength == 0) {
        SetLength(0);
        return;
    }
    if (lpch >= m_pchData && lpch <= m_pchData + m_nDataLength) {
        // The source lies inside this string: copy it out first.
        CString copy(lpch, nLength);
        *this = static_cast<CString&&>(copy);
        return;
    }
    m_nDataLength = 0; // nothing to keep when growing
    if (m_nAllocLength != 0)
        m_pchData[0] = '\0';
    Reserve(nLength);
    memcpy(m_pchData, lpch, (size_t)nLength);
    SetLength(nLength);
}

void CString::Empty()
{
    Release();
}

TCHAR CString::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < m_nDataLength);
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, TCHAR ch)
{
    ASSERT(nIndex >= 0 && nIndex < m_nDataLength);
    if (nIndex >= 0 && nIndex < m_nDataLength)
        m_pchData[nIndex] = ch;
}

// ---- assignment and concatenation ------------------------------------------

CString& CString::operator=(const CString& stringSrc)
{
    if (this != &stringSrc)
        AssignCopy(stringSrc.m_pchData, stringSrc.m_nDataLength);
    return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept
{
    if (this != &stringSrc) {
        Release();
        m_pchData = stringSrc.m_pchData;
        m_nDataLength = stringSrc.m_nDataLength;
        m_nAllocLength = stringSrc.m_nAllocLength;
        stringSrc.m_pchData = &g_chNil;
        stringSrc.m_nDataLength = 0;
        stringSrc.m_nAllocLength = 0;
    }
    return *this;
}

CString& CString::operator=(LPCTSTR lpsz)
{
    AssignCopy(lpsz, SafeStrLen(lpsz));
    return *this;
}

CString& CString::operator=(const unsigned char* psz)
{
    return *this = (LPCTSTR)psz;
}

CString& CString::operator=(TCHAR ch)
{
    AssignCopy(&ch, 1);
    return *this;
}

void CString::Append(LPCTSTR lpch, int nLength)
{
    if (nLength <= 0 || lpch == nullptr)
        return;
    if (lpch >= m_pchData && lpch <= m_pchData + m_nDataLength) {
        CString copy(lpch, nLength); // the source may move when the buffer grows
        Append(copy.m_pchData, copy.m_nDataLength);
        return;
    }
    if (nLength > INT_MAX - 2 - m_nDataLength)
        AfxThrowMemoryException();
    Reserve(m_nDataLength + nLength);
    memcpy(m_pchData + m_nDataLength, lpch, (size_t)nLength);
    SetLength(m_nDataLength + nLength);
}

CString& CString::operator+=(const CString& string)
{
    Append(string.m_pchData, string.m_nDataLength);
    return *this;
}

CString& CString::operator+=(LPCTSTR lpsz)
{
    Append(lpsz, SafeStrLen(lpsz));
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    Append(&ch, 1);
    return *this;
}

CString operator+(const CString& s1, const CString& s2)
{
    CString s(s1);
    s += s2;
    return s;
}

CString operator+(const CString& s, LPCTSTR lpsz)
{
    CString r(s);
    r += lpsz;
    return r;
}

CString operator+(LPCTSTR lpsz, const CString& s)
{
    CString r(lpsz);
    r += s;
    return r;
}

CString operator+(const CString& s, TCHAR ch)
{
    CString r(s);
    r += ch;
    return r;
}

CString operator+(TCHAR ch, const CString& s)
{
    CString r(ch);
    r += s;
    return r;
}

// ---- comparison ---------------------------------------------------------------

int CString::Compare(LPCTSTR lpsz) const
{
    return CompareCounted(m_pchData, m_nDataLength, lpsz != nullptr ? lpsz : "", SafeStrLen(lpsz));
}

int CString::Compare(const CString& s) const
{
    return CompareCounted(m_pchData, m_nDataLength, s.m_pchData, s.m_nDataLength);
}

int CString::CompareNoCase(LPCTSTR lpsz) const
{
    return AnsiCompareNoCase(m_pchData, m_nDataLength, lpsz != nullptr ? lpsz : "", SafeStrLen(lpsz));
}

int CString::CompareNoCase(const CString& s) const
{
    return AnsiCompareNoCase(m_pchData, m_nDataLength, s.m_pchData, s.m_nDataLength);
}

bool operator==(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) == 0;
}
bool operator==(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) == 0;
}
bool operator==(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) == 0;
}
bool operator!=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) != 0;
}
bool operator!=(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) != 0;
}
bool operator!=(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) != 0;
}
bool operator<(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) < 0;
}
bool operator<(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) < 0;
}
bool operator<(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) > 0;
}
bool operator>(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) > 0;
}
bool operator>(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) > 0;
}
bool operator>(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) < 0;
}
bool operator<=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) <= 0;
}
bool operator<=(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) <= 0;
}
bool operator<=(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) >= 0;
}
bool operator>=(const CString& s1, const CString& s2)
{
    return s1.Compare(s2) >= 0;
}
bool operator>=(const CString& s1, LPCTSTR s2)
{
    return s1.Compare(s2) >= 0;
}
bool operator>=(LPCTSTR s1, const CString& s2)
{
    return s2.Compare(s1) <= 0;
}

// ---- extraction ------------------------------------------------------------------

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, m_nDataLength);
}

CString CString::Mid(int nFirst, int nCount) const
{
    nFirst = ClampStart(nFirst);
    if (nCount < 0)
        nCount = 0;
    if (nFirst >= m_nDataLength)
        return CString();
    if (nCount > m_nDataLength - nFirst)
        nCount = m_nDataLength - nFirst;
    return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > m_nDataLength)
        nCount = m_nDataLength;
    return CString(m_pchData + m_nDataLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const
{
    int n = 0;
    while (n < m_nDataLength && InSet(m_pchData[n], lpszCharSet))
        ++n;
    return Left(n);
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const
{
    int n = 0;
    while (n < m_nDataLength && !InSet(m_pchData[n], lpszCharSet))
        ++n;
    return Left(n);
}

// ---- case and order ---------------------------------------------------------------

void CString::MakeUpper()
{
    AnsiCharUpperBuff(m_pchData, (UINT)m_nDataLength);
}

void CString::MakeLower()
{
    AnsiCharLowerBuff(m_pchData, (UINT)m_nDataLength);
}

void CString::MakeReverse()
{
    for (int i = 0, j = m_nDataLength - 1; i < j; ++i, --j) {
        const char ch = m_pchData[i];
        m_pchData[i] = m_pchData[j];
        m_pchData[j] = ch;
    }
}

// ---- trimming ----------------------------------------------------------------------

void CString::TrimLeft()
{
    int n = 0;
    while (n < m_nDataLength && IsTrimSpace(m_pchData[n]))
        ++n;
    Delete(0, n);
}

void CString::TrimLeft(TCHAR chTarget)
{
    int n = 0;
    while (n < m_nDataLength && m_pchData[n] == chTarget)
        ++n;
    Delete(0, n);
}

void CString::TrimLeft(LPCTSTR lpszTargets)
{
    int n = 0;
    while (n < m_nDataLength && InSet(m_pchData[n], lpszTargets))
        ++n;
    Delete(0, n);
}

void CString::TrimRight()
{
    int n = m_nDataLength;
    while (n > 0 && IsTrimSpace(m_pchData[n - 1]))
        --n;
    if (n < m_nDataLength)
        SetLength(n);
}

void CString::TrimRight(TCHAR chTarget)
{
    int n = m_nDataLength;
    while (n > 0 && m_pchData[n - 1] == chTarget)
        --n;
    if (n < m_nDataLength)
        SetLength(n);
}

void CString::TrimRight(LPCTSTR lpszTargets)
{
    int n = m_nDataLength;
    while (n > 0 && InSet(m_pchData[n - 1], lpszTargets))
        --n;
    if (n < m_nDataLength)
        SetLength(n);
}

// ---- editing -----------------------------------------------------------------------------

int CString::Replace(TCHAR chOld, TCHAR chNew)
{
    int nCount = 0;
    if (chOld == chNew)
        return 0;
    for (int i = 0; i < m_nDataLength; ++i) {
        if (m_pchData[i] == chOld) {
            m_pchData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew)
{
    const int nOld = SafeStrLen(lpszOld);
    if (nOld == 0)
        return 0;
    const int nNew = SafeStrLen(lpszNew);
    CString result;
    int nCount = 0;
    int nDone = 0;
    for (int i = Find(lpszOld, 0); i >= 0; i = Find(lpszOld, nDone)) {
        result.Append(m_pchData + nDone, i - nDone);
        result.Append(lpszNew, nNew);
        nDone = i + nOld;
        ++nCount;
    }
    if (nCount != 0) {
        result.Append(m_pchData + nDone, m_nDataLength - nDone);
        *this = static_cast<CString&&>(result);
    }
    return nCount;
}

int CString::Remove(TCHAR chRemove)
{
    int nKept = 0;
    for (int i = 0; i < m_nDataLength; ++i) {
        if (m_pchData[i] != chRemove)
            m_pchData[nKept++] = m_pchData[i];
    }
    const int nRemoved = m_nDataLength - nKept;
    if (nRemoved != 0)
        SetLength(nKept);
    return nRemoved;
}

int CString::Insert(int nIndex, TCHAR ch)
{
    return InsertCounted(nIndex, &ch, 1);
}

int CString::Insert(int nIndex, LPCTSTR psz)
{
    return InsertCounted(nIndex, psz, SafeStrLen(psz));
}

int CString::InsertCounted(int nIndex, LPCTSTR lpch, int nInsert)
{
    if (nInsert == 0)
        return m_nDataLength;
    nIndex = ClampStart(nIndex);
    if (nIndex > m_nDataLength)
        nIndex = m_nDataLength;
    CString result(m_pchData, nIndex);
    result.Reserve(m_nDataLength + nInsert);
    result.Append(lpch, nInsert);
    result.Append(m_pchData + nIndex, m_nDataLength - nIndex);
    *this = static_cast<CString&&>(result);
    return m_nDataLength;
}

int CString::Delete(int nIndex, int nCount)
{
    nIndex = ClampStart(nIndex);
    if (nCount <= 0 || nIndex >= m_nDataLength)
        return m_nDataLength;
    if (nCount > m_nDataLength - nIndex)
        nCount = m_nDataLength - nIndex;
    memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, (size_t)(m_nDataLength - nIndex - nCount));
    SetLength(m_nDataLength - nCount);
    return m_nDataLength;
}

// ---- searching ------------------------------------------------------------------------------

int CString::Find(TCHAR ch, int nStart) const
{
    nStart = ClampStart(nStart);
    if (nStart >= m_nDataLength)
        return -1;
    const void* p = memchr(m_pchData + nStart, ch, (size_t)(m_nDataLength - nStart));
    return p != nullptr ? (int)((const char*)p - m_pchData) : -1;
}

int CString::Find(LPCTSTR lpszSub, int nStart) const
{
    const int nSub = SafeStrLen(lpszSub);
    nStart = ClampStart(nStart);
    if (nStart > m_nDataLength)
        return -1;
    for (int i = nStart; i + nSub <= m_nDataLength; ++i) {
        if (memcmp(m_pchData + i, lpszSub, (size_t)nSub) == 0)
            return i;
    }
    return -1;
}

int CString::ReverseFind(TCHAR ch) const
{
    for (int i = m_nDataLength - 1; i >= 0; --i) {
        if (m_pchData[i] == ch)
            return i;
    }
    return -1;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const
{
    for (int i = 0; i < m_nDataLength; ++i) {
        if (InSet(m_pchData[i], lpszCharSet))
            return i;
    }
    return -1;
}

// ---- formatting ---------------------------------------------------------------------------------

void CString::FormatV(LPCTSTR lpszFormat, va_list argList)
{
    const int n = FormattedLength(lpszFormat, argList);
    if (n < 0)
        AfxThrowNotSupportedException(); // a format the formatter rejects
    CString result;
    result.Reserve(n);
    FormatInto(result.m_pchData, n, lpszFormat, argList);
    result.SetLength(n);
    *this = static_cast<CString&&>(result);
}

void CString::Format(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    FormatV(lpszFormat, args);
    va_end(args);
}

void CString::AppendFormat(LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    CString s;
    s.FormatV(lpszFormat, args);
    va_end(args);
    *this += s;
}

// ---- direct buffer access ------------------------------------------------------------------------------

LPTSTR CString::GetBuffer(int nMinBufLength)
{
    ASSERT(nMinBufLength >= 0);
    Reserve(nMinBufLength > m_nDataLength ? nMinBufLength : m_nDataLength);
    if (m_nAllocLength == 0)
        Reserve(1); // the caller may write the terminating NUL
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (m_nAllocLength == 0) {
        m_nDataLength = 0;
        return;
    }
    if (nNewLength < 0) {
        const void* pNul = memchr(m_pchData, '\0', (size_t)m_nAllocLength + 1);
        nNewLength = pNul != nullptr ? (int)((const char*)pNul - m_pchData) : m_nAllocLength;
    }
    ASSERT(nNewLength <= m_nAllocLength);
    if (nNewLength > m_nAllocLength)
        nNewLength = m_nAllocLength;
    SetLength(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength)
{
    ASSERT(nNewLength >= 0);
    if (nNewLength < 0)
        nNewLength = 0;
    GetBuffer(nNewLength);
    SetLength(nNewLength);
    return m_pchData;
}

void CString::FreeExtra()
{
    if (m_nAllocLength > m_nDataLength) {
        CString copy(m_pchData, m_nDataLength);
        *this = static_cast<CString&&>(copy);
    }
}
