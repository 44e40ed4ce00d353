// CPropertyPage: the page's data, its window inside the sheet and its default answers.
#include "classlib/win/PropertyPage.h"

#include "classlib/win/DialogTemplate.h"
#include "classlib/win/PropertySheet.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

const DWORD kNotChildStyles =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_THICKFRAME | WS_BORDER | DS_MODALFRAME;

} // namespace

CPropertyPage::CPropertyPage() : m_pSheet(nullptr), m_bModified(FALSE) {}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate), m_pSheet(nullptr), m_bModified(FALSE)
{
    if (nIDCaption != 0)
        m_strCaption.LoadString(nIDCaption);
}

CPropertyPage::CPropertyPage(LPCDLGTEMPLATE lpTemplate, LPCTSTR lpszCaption)
    : m_strCaption(lpszCaption), m_pSheet(nullptr), m_bModified(FALSE)
{
    m_lpDialogTemplate = lpTemplate;
}

CPropertyPage::CPropertyPage(const CPropertyPage& other) : CDialog(), m_pSheet(nullptr), m_bModified(FALSE)
{
    *this = other;
}

CPropertyPage& CPropertyPage::operator=(const CPropertyPage& other)
{
    if (this == &other)
        return *this;
    m_nIDHelp = other.m_nIDHelp;
    m_lpszTemplateName = other.m_lpszTemplateName;
    // A template name points at the text of its own object.
    if (m_lpszTemplateName != nullptr && !IS_INTRESOURCE(m_lpszTemplateName)) {
        m_strTemplateName = other.m_strTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    }
    m_lpDialogTemplate = other.m_lpDialogTemplate;
    m_strCaption = other.m_strCaption;
    return *this;
}

CPropertyPage::~CPropertyPage() = default;

LPCDLGTEMPLATE CPropertyPage::ChildTemplate()
{
    LPCDLGTEMPLATE lpTemplate = LoadTemplate();
    if (lpTemplate == nullptr)
        return nullptr;
    const CDialogTemplate::Header header = CDialogTemplate::ReadHeader(lpTemplate);
    if ((header.style & WS_CHILD) && !(header.style & kNotChildStyles))
        return lpTemplate;
    // Only a template of the resources has a known size to copy.
    if (m_lpszTemplateName == nullptr)
        return lpTemplate;
    HINSTANCE hInst = ::GetModuleHandle(nullptr);
    HRSRC hResource = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
    const DWORD nSize = hResource != nullptr ? ::SizeofResource(hInst, hResource) : 0;
    if (nSize < sizeof(DLGTEMPLATE))
        return lpTemplate;
    m_childTemplate.assign(reinterpret_cast<const BYTE*>(lpTemplate),
                           reinterpret_cast<const BYTE*>(lpTemplate) + nSize);
    const WORD* pWords = reinterpret_cast<const WORD*>(m_childTemplate.data());
    const size_t styleOffset = (pWords[0] == 1 && pWords[1] == 0xFFFF) ? 12 : 0; // extended or plain header
    DWORD style = 0;
    std::memcpy(&style, &m_childTemplate[styleOffset], sizeof style);
    style = (style & ~kNotChildStyles) | WS_CHILD | DS_CONTROL;
    std::memcpy(&m_childTemplate[styleOffset], &style, sizeof style);
    return reinterpret_cast<LPCDLGTEMPLATE>(m_childTemplate.data());
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet)
{
    m_pSheet = pSheet;
    if (m_hWnd != nullptr)
        return TRUE;
    m_pParentWnd = pSheet;
    LPCDLGTEMPLATE lpTemplate = ChildTemplate();
    if (!CreateFromTemplate(lpTemplate, pSheet->GetSafeHwnd()))
        return FALSE;
    // The sheet moves the focus through the page's controls.
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    return TRUE;
}

CString CPropertyPage::GetCaption() const
{
    if (!m_strCaption.IsEmpty())
        return m_strCaption;
    LPCDLGTEMPLATE lpTemplate = LoadTemplate();
    return lpTemplate != nullptr ? CDialogTemplate::ReadHeader(lpTemplate).caption : CString();
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    m_bModified = FALSE;
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK() {}

void CPropertyPage::OnCancel() {}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bModified = bChanged;
    if (m_pSheet != nullptr)
        m_pSheet->PageChanged();
}

BOOL CPropertyPage::PreTranslateMessage(MSG*)
{
    return FALSE;
}
