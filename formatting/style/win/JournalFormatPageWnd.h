// CJournalFormatPageWnd: the "Journals" page (dialog 3142) that edits a
// CJournalFormatPage: the title case (list 2309) and the journal list chosen
// for substitution (list 2310, browsed for by button 2176 "...").
//
// List 2310 holds "(None)" first, then the journal lists (".ljl") of the
// journal-list folders (GetJournalListFolders, each folder and its
// subfolders), shown by title without the extension and sorted by title; a
// path that is selected but not found there is added. Saving takes the
// selected entry's path, empty for "(None)"; a path that names no file fails
// the exchange with the invalid-path prompt.
#pragma once

#include "formatting/style/JournalFormatPage.h"
#include "formatting/style/win/StyleSettingsPageWnd.h"

#include <vector>

class CJournalFormatPageWnd : public CStyleSettingsPageWnd<CJournalFormatPage>
{
public:
    explicit CJournalFormatPageWnd(CJournalFormatPage& settings);

    BOOL OnInitDialog() override;

    // Empties list 2310, then adds "(None)" and the journal lists found.
    void FillJournalLists();
    // The selected entry's path: empty for "(None)" or no selection.
    CString GetSelectedPath() const;
    // Selects the entry of path ("(None)" for an empty one), adding it when missing.
    void SelectPath(const CString& path);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void ExchangeJournalList(CDataExchange* pDX);

    // Runs the "Open Journal List" file dialog in folder; TRUE with the path picked.
    virtual BOOL BrowseForJournalList(const CString& folder, CString& path);
    afx_msg void OnBrowseJournalList();
    DECLARE_MESSAGE_MAP()

private:
    int AddEntry(const CString& title, const CString& path);
    std::vector<CString> m_paths; // an entry's item data indexes its path here
};
