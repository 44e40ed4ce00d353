// CInsertFieldDlg: the "Insert Field" dialog (3141) from which the style editor inserts a field code.
//
// The list (2322) offers "Author", "Author-Title", "Title", "Citation Number" (only with the flag), "Date",
// "Record ID", then a "(%02d) %s" line for each field 1 to 45 that the workform uses; the first line is
// selected. On OK m_chosen holds the selected line's text (empty when none is selected).
#pragma once

#include "classlib/win/Dialog.h"

class IWorkformInfo;

class CInsertFieldDlg : public CDialog
{
public:
    enum
    {
        IDD = 3141,
        IDC_FIELDS = 2322
    };

    CInsertFieldDlg(const IWorkformInfo& workform, BOOL bWithCitationNumber, CWnd* pParentWnd = nullptr);

    CString m_chosen;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    const IWorkformInfo& m_workform;
    BOOL m_bWithCitationNumber;
};
