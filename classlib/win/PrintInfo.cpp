#include "classlib/win/PrintInfo.h"

#include "classlib/ClassLibIds.h"
#include "classlib/WinApp.h"
#include "classlib/win/PrintDialog.h"

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_bDirect(FALSE), m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1), m_nNumPreviewPages(0),
      m_lpUserData(nullptr)
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
    m_strPageDesc.LoadString(AFX_IDS_PREVIEWPAGEDESC);
}

CPrintInfo::~CPrintInfo()
{
    // The application's printer selection lent to the dialog stays the application's.
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr) {
        if (m_pPD->m_pd.hDevMode == pApp->m_hDevMode)
            m_pPD->m_pd.hDevMode = nullptr;
        if (m_pPD->m_pd.hDevNames == pApp->m_hDevNames)
            m_pPD->m_pd.hDevNames = nullptr;
    }
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage)
{
    m_pPD->m_pd.nMinPage = static_cast<WORD>(nMinPage);
}

void CPrintInfo::SetMaxPage(UINT nMaxPage)
{
    m_pPD->m_pd.nMaxPage = static_cast<WORD>(nMaxPage);
}

UINT CPrintInfo::GetMinPage() const
{
    return m_pPD->m_pd.nMinPage;
}

UINT CPrintInfo::GetMaxPage() const
{
    return m_pPD->m_pd.nMaxPage;
}

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage();
}
