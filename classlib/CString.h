// CString: a counted 8-bit string.
//
// Invariants: the length is kept separately and never depends on a NUL (the
// text may hold NUL bytes); the buffer always has a NUL after the last
// character so the string can be handed on as LPCTSTR; a new or Empty()-ed
// string owns no memory.  Copies are deep.  Comparisons treat bytes as unsigned.  Case mapping
// and case-blind comparison use the code-page-1252 table (CodePage1252.h), so
// results never depend on the machine's locale.
//
// Index rules of Mid/Left/Right/Insert/Delete: a negative start counts as 0, a
// start past the end gives an empty result (or appends, for Insert), and a count
// is cut to what remains.
#pragma once

#include "classlib/Types.h"
#include "classlib/Diagnostics.h"

#include <stdarg.h>

class CString
{
public:
    CString();
    CString(const CString& stringSrc);
    CString(CString&& stringSrc) noexcept;
    CString(LPCTSTR lpsz); // NULL gives an empty string
    CString(LPCTSTR lpch, int nLength);
    CString(const unsigned char* psz);
    explicit CString(TCHAR ch, int nRepeat = 1);
    ~CString();

    int GetLength() const { return m_nDataLength; }
    BOOL IsEmpty() const { return m_nDataLength == 0; }
    void Empty();

    TCHAR GetAt(int nIndex) const;
    void SetAt(int nIndex, TCHAR ch);
    TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
    operator LPCTSTR() const { return m_pchData; }
    LPCTSTR GetString() const { return m_pchData; }

    CString& operator=(const CString& stringSrc);
    CString& operator=(CString&& stringSrc) noexcept;
    CString& operator=(LPCTSTR lpsz);
    CString& operator=(const unsigned char* psz);
    CString& operator=(TCHAR ch);

    CString& operator+=(const CString& string);
    CString& operator+=(LPCTSTR lpsz);
    CString& operator+=(TCHAR ch);
    // Appends nLength bytes (NULs included).
    void Append(LPCTSTR lpch, int nLength);

    friend CString operator+(const CString& s1, const CString& s2);
    friend CString operator+(const CString& s, LPCTSTR lpsz);
    friend CString operator+(LPCTSTR lpsz, const CString& s);
    friend CString operator+(const CString& s, TCHAR ch);
    friend CString operator+(TCHAR ch, const CString& s);

    // <0, 0 or >0, bytes compared as unsigned, a shorter prefix first.
    int Compare(LPCTSTR lpsz) const;
    int Compare(const CString& s) const;
    // As Compare after mapping both sides to lower case through code page 1252.
    int CompareNoCase(LPCTSTR lpsz) const;
    int CompareNoCase(const CString& s) const;
    int Collate(LPCTSTR lpsz) const { return Compare(lpsz); }
    int CollateNoCase(LPCTSTR lpsz) const { return CompareNoCase(lpsz); }

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    // Leading characters that are (or are not) in the set.
    CString SpanIncluding(LPCTSTR lpszCharSet) const;
    CString SpanExcluding(LPCTSTR lpszCharSet) const;

    void MakeUpper();
    void MakeLower();
    void MakeReverse();

    // Without an argument these remove white space (space, tab, CR, LF, VT, FF).
    void TrimLeft();
    void TrimLeft(TCHAR chTarget);
    void TrimLeft(LPCTSTR lpszTargets);
    void TrimRight();
    void TrimRight(TCHAR chTarget);
    void TrimRight(LPCTSTR lpszTargets);
    void Trim()
    {
        TrimRight();
        TrimLeft();
    }

    // Each returns the number of replacements or removals.
    int Replace(TCHAR chOld, TCHAR chNew);
    int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
    int Remove(TCHAR chRemove);
    // Each returns the new length.
    int Insert(int nIndex, TCHAR ch);
    int Insert(int nIndex, LPCTSTR psz);
    int Delete(int nIndex, int nCount = 1);

    // Indexes of the first/last match, or -1.  A start past the end finds nothing.
    int Find(TCHAR ch) const { return Find(ch, 0); }
    int Find(TCHAR ch, int nStart) const;
    int Find(LPCTSTR lpszSub) const { return Find(lpszSub, 0); }
    int Find(LPCTSTR lpszSub, int nStart) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR lpszCharSet) const;

    // printf formatting (C99 formats in both builds); pass a CString for %s
    // as (LPCTSTR)s.
    void Format(LPCTSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);
    void FormatV(LPCTSTR lpszFormat, va_list argList);
    void AppendFormat(LPCTSTR lpszFormat, ...) AFX_PRINTF_FORMAT(2, 3);

    // Loads the string table entry; FALSE (and the string emptied) when there is none.
    BOOL LoadString(UINT nID);

    // Direct access: the buffer holds at least nMinBufLength characters plus a
    // NUL and starts with the current text.  ReleaseBuffer(-1) takes the length
    // up to the first NUL; any other value is the new length.
    LPTSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPTSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPTSTR LockBuffer() { return GetBuffer(0); }
    void UnlockBuffer() {}

private:
    void AssignCopy(LPCTSTR lpch, int nLength);
    int InsertCounted(int nIndex, LPCTSTR lpch, int nInsert);
    void Reserve(int nCapacity); // keeps the text
    void SetLength(int nLength);
    void Release();

    LPTSTR m_pchData;   // never NULL; points at a shared "" while nothing is allocated
    int m_nDataLength;  // characters, excluding the terminating NUL
    int m_nAllocLength; // characters the buffer can hold, excluding the NUL; 0 when shared
};

bool operator==(const CString& s1, const CString& s2);
bool operator==(const CString& s1, LPCTSTR s2);
bool operator==(LPCTSTR s1, const CString& s2);
bool operator!=(const CString& s1, const CString& s2);
bool operator!=(const CString& s1, LPCTSTR s2);
bool operator!=(LPCTSTR s1, const CString& s2);
bool operator<(const CString& s1, const CString& s2);
bool operator<(const CString& s1, LPCTSTR s2);
bool operator<(LPCTSTR s1, const CString& s2);
bool operator>(const CString& s1, const CString& s2);
bool operator>(const CString& s1, LPCTSTR s2);
bool operator>(LPCTSTR s1, const CString& s2);
bool operator<=(const CString& s1, const CString& s2);
bool operator<=(const CString& s1, LPCTSTR s2);
bool operator<=(LPCTSTR s1, const CString& s2);
bool operator>=(const CString& s1, const CString& s2);
bool operator>=(const CString& s1, LPCTSTR s2);
bool operator>=(LPCTSTR s1, const CString& s2);
