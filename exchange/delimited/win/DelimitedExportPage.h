// CDelimitedExportPage: the "Exported Data" page (dialog 3082) of the export
// sheet: all fields or only the selected ones ("Select Fields..." edits the
// page's own field set), and whether the workform definitions are written.
#pragma once

#include "classlib/win/PropertyPage.h"
#include "database/db/FieldSet.h"

class DelimitedExportOptions;

class CDelimitedExportPage : public CPropertyPage
{
    DECLARE_DYNAMIC(CDelimitedExportPage)

public:
    enum : UINT
    {
        IDD = 3082,
        IDC_ALL_FIELDS = 2357, // and 2358: only the selected fields
        IDC_DEFINITIONS = 2356,
        ID_SELECT_FIELDS = 33921,
    };

    CDelimitedExportPage();

    void SetExportOptions(const DelimitedExportOptions& options);
    void GetExportOptions(DelimitedExportOptions& options) const;

    int m_fieldChoice; // 0 all fields, 1 selected fields only
    int m_exportDefinitions;
    FieldSet m_fields;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSelectFields();
    DECLARE_MESSAGE_MAP()
};
