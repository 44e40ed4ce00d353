#include "classlib/RecentFileList.h"

#include "classlib/Document.h"
#include "classlib/WinApp.h"

#include <cstdio>

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_arrNames(static_cast<size_t>(nSize > 0 ? nSize : 0))
{
}

CString CRecentFileList::EntryName(int nIndex) const
{
    CString name;
    name.Format(m_strEntryFormat.GetString(), nIndex + 1);
    return name;
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == nullptr || *lpszPathName == '\0' || m_arrNames.empty())
        return;
    const CString path(lpszPathName);
    // The equal path (or the last position) makes room; everything above it moves down by one.
    size_t nFound = m_arrNames.size() - 1;
    for (size_t i = 0; i < m_arrNames.size(); ++i) {
        if (AfxComparePath(m_arrNames[i], path)) {
            nFound = i;
            break;
        }
    }
    for (size_t i = nFound; i > 0; --i)
        m_arrNames[i] = m_arrNames[i - 1];
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    for (size_t i = static_cast<size_t>(nIndex); i + 1 < m_arrNames.size(); ++i)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames.back().Empty();
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    size_t nNext = 0;
    for (int i = 0; i < GetSize(); ++i)
        m_arrNames[static_cast<size_t>(i)].Empty();
    for (int i = 0; i < GetSize(); ++i) {
        // Gaps in the stored list close up: the invariant keeps the used entries first.
        const CString path = pApp->GetProfileString(m_strSectionName, EntryName(i));
        if (!path.IsEmpty())
            m_arrNames[nNext++] = path;
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i < GetSize(); ++i) {
        const CString& path = m_arrNames[static_cast<size_t>(i)];
        pApp->WriteProfileString(m_strSectionName, EntryName(i), path.IsEmpty() ? nullptr : path.GetString());
    }
}

CString AfxAbbreviateName(const CString& path, int nMaxLength, BOOL bAtLeastName)
{
    if (path.GetLength() <= nMaxLength)
        return path;
    const int nLastSlash = path.ReverseFind('\\');
    const CString name = nLastSlash >= 0 ? path.Mid(nLastSlash + 1) : path;
    if (name.GetLength() >= nMaxLength || nLastSlash < 0)
        return bAtLeastName ? name : CString();
    // The root ("C:\" or "\\server\share\"), then "...", then as many trailing folders as fit.
    int nRootEnd = path.Find('\\');
    if (path.Left(2) == "\\\\") {
        nRootEnd = path.Find('\\', 2);
        if (nRootEnd >= 0)
            nRootEnd = path.Find('\\', nRootEnd + 1);
    }
    if (nRootEnd < 0 || nRootEnd >= nLastSlash)
        return name;
    const CString root = path.Left(nRootEnd + 1);
    CString tail = path.Mid(nLastSlash); // "\name"
    int nCut = nLastSlash;
    for (;;) {
        const int nPrev = path.Left(nCut).ReverseFind('\\');
        if (nPrev <= nRootEnd)
            break;
        const CString longer = path.Mid(nPrev, nLastSlash - nPrev) + path.Mid(nLastSlash);
        if (root.GetLength() + 3 + longer.GetLength() > nMaxLength)
            break;
        tail = longer;
        nCut = nPrev;
    }
    const CString result = root + "..." + tail;
    return result.GetLength() <= nMaxLength || !bAtLeastName ? result : name;
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= GetSize() || m_arrNames[static_cast<size_t>(nIndex)].IsEmpty())
        return FALSE;
    CString path = m_arrNames[static_cast<size_t>(nIndex)];
    // In the current folder the folder is left out.
    if (lpszCurDir != nullptr && nCurDir > 0 && path.GetLength() > nCurDir &&
        path.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0 &&
        path.Find('\\', nCurDir + 1) < 0)
        path = path.Mid(path[nCurDir] == '\\' ? nCurDir + 1 : nCurDir);
    strName = AfxAbbreviateName(path, m_nMaxDisplayLength, bAtLeastName);
    return TRUE;
}
