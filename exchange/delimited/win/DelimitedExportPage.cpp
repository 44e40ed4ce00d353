#include "exchange/delimited/win/DelimitedExportPage.h"

#include "classlib/win/DDX.h"
#include "dbwindows/core/DelimitedExportOptions.h"
#include "exchange/delimited/win/SelectedFieldsDlg.h"

IMPLEMENT_DYNAMIC(CDelimitedExportPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CDelimitedExportPage, CPropertyPage)
ON_BN_CLICKED(CDelimitedExportPage::ID_SELECT_FIELDS, OnSelectFields)
END_MESSAGE_MAP()

CDelimitedExportPage::CDelimitedExportPage() : CPropertyPage(IDD), m_fieldChoice(0), m_exportDefinitions(1) {}

void CDelimitedExportPage::SetExportOptions(const DelimitedExportOptions& options)
{
    m_fieldChoice = options.selectedFieldsOnly != 0 ? 1 : 0;
    m_fields = options.fields;
    m_exportDefinitions = options.exportWorkformDefinitions;
}

void CDelimitedExportPage::GetExportOptions(DelimitedExportOptions& options) const
{
    options.selectedFieldsOnly = m_fieldChoice == 1;
    options.fields = m_fields;
    options.exportWorkformDefinitions = m_exportDefinitions;
}

void CDelimitedExportPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_ALL_FIELDS, m_fieldChoice);
    DDX_Check(pDX, IDC_DEFINITIONS, m_exportDefinitions);
}

void CDelimitedExportPage::OnSelectFields()
{
    CSelectedFieldsDlg dlg(m_fields, this);
    dlg.DoModal();
}
