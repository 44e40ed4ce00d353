// CStopListPage: the "Stop Lists" page (dialog 3130) of a database's sort configuration.
//
// The owner fills m_authorTerms and m_genericTerms before the sheet runs and reads them back after OK.
// The chooser (items "Author" and "Generic") picks which list the term list shows; m_pCurrentTerms points
// at that array, and the list box is exchanged with it. The page opens on the generic list. Terms are
// added, edited and deleted through the buttons; a term equal to an entry (ignoring case) replaces it, so
// a list never holds a term twice. With m_readOnly set (database open read-only) nothing can be changed,
// but both lists can be looked at. Cancel puts both arrays back as they were when the page opened.
#pragma once

#include "app/core/LineStringArray.h"
#include "classlib/win/Button.h"
#include "classlib/win/ComboBox.h"
#include "classlib/win/ListBox.h"
#include "classlib/win/PropertyPage.h"

class CStopListPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CStopListPage)

public:
    enum
    {
        IDD = 3130,
        IDC_ADD = 2301,
        IDC_DELETE = 2302,
        IDC_EDIT = 2303,
        IDC_TERMS = 2305,
        IDC_LIST_CHOOSER = 2306
    };
    enum
    {
        chooserAuthor = 0,
        chooserGeneric = 1
    };

    CStopListPage();
    // Copies the lists and the flag; the copy's current list is its own array of the same kind.
    CStopListPage(const CStopListPage& other);
    CStopListPage& operator=(const CStopListPage& other);

    CLineStringArray m_authorTerms;
    CLineStringArray m_genericTerms;
    CStringArray* m_pCurrentTerms; // one of the two above
    int m_readOnly;                // nonzero: the database is open read-only

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnReset() override;

    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnChooseList();
    afx_msg void OnTermSelect();
    DECLARE_MESSAGE_MAP()

private:
    // Removes an entry equal to term (ignoring case), adds term and selects it.
    void PutTerm(const CString& term);
    void UpdateButtons();
    CStringArray* CurrentOf(const CStopListPage& other);

    CButton m_add;
    CButton m_delete;
    CButton m_edit;
    CComboBox m_chooser;
    CListBox m_terms;
    // The arrays as they were when the page opened, for Cancel.
    CLineStringArray m_authorAtStart;
    CLineStringArray m_genericAtStart;
};
