// CFilePropertiesGeneralPage: the "General" page (template 3150) of a document's File Properties sheet.
//
// Shows the file name and its folder and edits the comments (at most 255 characters); with m_readOnly set
// the comments cannot be edited. The caller fills the members before the sheet runs and reads m_comments
// after OK.
#pragma once

#include "classlib/win/PropertyPage.h"

class CFilePropertiesGeneralPage : public CPropertyPage
{
public:
    enum
    {
        IDD = 3150,
        IDC_COMMENTS = 2264,
        IDC_DIRECTORY = 2265,
        IDC_FILE_NAME = 2266,
        maxComments = 255
    };

    CFilePropertiesGeneralPage();

    CString m_comments;
    CString m_directory;
    CString m_fileName;
    BOOL m_readOnly;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
