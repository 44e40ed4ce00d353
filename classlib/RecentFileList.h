// CRecentFileList: a most-recent-first list of file paths kept in the profile.
//
// The list holds at most GetSize() paths; Add puts a path at the top, drops an equal one (paths compare
// without regard to case) and the oldest one beyond the size. ReadList and WriteList move it to and from
// the profile section, one value a path under names made from the entry format and the 1-based position
// ("file%d" gives "file1", "file2"...); WriteList removes the values of empty positions. In the Windows
// build UpdateMenu shows the list as menu items with the ids nStart, nStart + 1...
//
// Invariant: the non-empty entries come first, in order of use.
#pragma once

#include "classlib/CString.h"

#include <vector>

class CCmdUI;

class CRecentFileList
{
public:
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = 30);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    // An empty string for positions not in use.
    CString& operator[](int nIndex) { return m_arrNames[static_cast<size_t>(nIndex)]; }
    const CString& operator[](int nIndex) const { return m_arrNames[static_cast<size_t>(nIndex)]; }

    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    virtual void ReadList();
    virtual void WriteList();
    // The name as a menu shows it: without the folder when it is lpszCurDir (its first nCurDir
    // characters), shortened with "..." in the middle to at most the display length; with
    // bAtLeastName the file name stays whole even when it alone is longer.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
#ifdef _WIN32
    // Replaces the item of pCmdUI (the first recent-file item) with one item per path, "&1 name"...; an
    // empty list shows the item's original text, disabled.
    virtual void UpdateMenu(CCmdUI* pCmdUI);
#endif

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;
    CString m_strOriginal; // the menu item's text before the list replaced it

protected:
    CString EntryName(int nIndex) const;
    std::vector<CString> m_arrNames;
};

// The path shortened to at most nMaxLength characters by "..." in place of folders ("C:\...\a\b.ldt").
CString AfxAbbreviateName(const CString& path, int nMaxLength, BOOL bAtLeastName);
