// CFilePropertiesGeneralPage: exchange of the shown fields and the comments.
#include "database/file/win/FilePropertiesGeneralPage.h"

#include "classlib/win/DDX.h"

CFilePropertiesGeneralPage::CFilePropertiesGeneralPage()
    : CPropertyPage(static_cast<UINT>(IDD)), m_readOnly(FALSE)
{
}

void CFilePropertiesGeneralPage::DoDataExchange(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate) {
        DDX_Text(pDX, IDC_FILE_NAME, m_fileName);
        DDX_Text(pDX, IDC_DIRECTORY, m_directory);
    }
    DDX_Text(pDX, IDC_COMMENTS, m_comments);
    DDV_MaxChars(pDX, m_comments, maxComments);
}

BOOL CFilePropertiesGeneralPage::OnInitDialog()
{
    const BOOL bFocusFirst = CPropertyPage::OnInitDialog();
    if (m_readOnly)
        SendDlgItemMessage(IDC_COMMENTS, EM_SETREADONLY, TRUE);
    return bFocusFirst;
}
