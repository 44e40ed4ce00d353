#include "classlib/win/FormView.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

// Everything is left to the dialog's default procedure; the view's map sees the messages first.
INT_PTR CALLBACK FormDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

} // namespace

CFormView::CFormView(UINT nIDTemplate)
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_lpTemplate(nullptr), m_sizeTemplate(0, 0),
      m_pCreateContext(nullptr)
{
}

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_lpTemplate(nullptr), m_sizeTemplate(0, 0),
      m_pCreateContext(nullptr)
{
}

CFormView::CFormView(const DLGTEMPLATE* lpTemplate)
    : m_lpszTemplateName(nullptr), m_lpTemplate(lpTemplate), m_sizeTemplate(0, 0), m_pCreateContext(nullptr)
{
}

CCreateContext* CFormView::GetCreateContext(LPCREATESTRUCT)
{
    return m_pCreateContext;
}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    HINSTANCE hInstance = ::GetModuleHandle(nullptr);
    const DLGTEMPLATE* lpTemplate = m_lpTemplate;
    if (lpTemplate == nullptr && m_lpszTemplateName != nullptr) {
        HRSRC hResource = ::FindResource(hInstance, m_lpszTemplateName, RT_DIALOG);
        HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
        lpTemplate =
            hTemplate != nullptr ? static_cast<const DLGTEMPLATE*>(::LockResource(hTemplate)) : nullptr;
    }
    // Only a child template makes a pane.
    if (lpTemplate == nullptr || pParentWnd == nullptr || !(lpTemplate->style & WS_CHILD)) {
        PostNcDestroy();
        return FALSE;
    }
    m_pCreateContext = pContext;
    AfxHookWindowCreate(this, MAKEINTATOM(0x8002)); // the dialog class
    HWND hWnd = ::CreateDialogIndirectParam(hInstance, lpTemplate, pParentWnd->m_hWnd, FormDialogProc, 0);
    const BOOL bHooked = AfxUnhookWindowCreate();
    m_pCreateContext = nullptr;
    if (hWnd == nullptr) {
        if (!bHooked)
            PostNcDestroy(); // no window ever belonged to this object
        return FALSE;
    }
    CRect client;
    GetClientRect(&client);
    m_sizeTemplate = CSize(client.Width(), client.Height());
    SetDlgCtrlID(static_cast<int>(nID));
    ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    SetScrollSizes(MM_TEXT, m_sizeTemplate);
    if (dwStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    SetScrollSizes(MM_TEXT, m_sizeTemplate);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    // Tab, arrows, Enter and Escape move between the form's controls.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::IsDialogMessage(m_hWnd, pMsg);
    return FALSE;
}

void CFormView::OnPaint()
{
    Default(); // the dialog paints its background; the controls paint themselves
}
