// CSortLanguagePage: the "International Settings" page (dialog 3126) of a database's sort configuration.
//
// The list shows the sort languages of the registry in registry order, each item carrying its code.
// Loading selects the item of m_languageCode, else the first; saving takes the selected item's code, or 1
// ("General") when nothing is selected. The owner sets m_languageCode before the sheet runs.
#pragma once

#include "classlib/win/PropertyPage.h"

class CSortLanguagePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CSortLanguagePage)

public:
    enum
    {
        IDD = 3126,
        IDC_LANGUAGE = 2293
    };

    CSortLanguagePage();

    int m_languageCode; // -1 until the owner sets it

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
