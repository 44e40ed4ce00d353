// CSelectedFieldsDlg: "Selected Fields" (dialog 3087), the fields an export
// writes, chosen in a list of the 45 fields under their built-in names. The
// caller's set is written back only on OK.
#pragma once

#include "classlib/win/Dialog.h"
#include "classlib/win/ListBox.h"
#include "database/db/FieldSet.h"

class CSelectedFieldsDlg : public CDialog
{
public:
    enum : UINT
    {
        IDD = 3087,
        IDC_FIELDS = 2359,
        IDC_COUNT = 2360,
        ID_SELECT_ALL = 33918,
        ID_SELECT_NONE = 33924,
    };

    CSelectedFieldsDlg(FieldSet& fields, CWnd* pParent);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSelectAll();
    afx_msg void OnSelectNone();
    afx_msg void OnSelectionChanged();
    DECLARE_MESSAGE_MAP()

private:
    void SelectEvery(BOOL select);
    void ShowCount();

    FieldSet& m_fields;
    CListBox m_list;
    CString m_countFormat;
};
