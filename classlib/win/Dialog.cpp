// CDialog: creation from templates, the modal run and the default buttons.
#include "classlib/win/Dialog.h"

#include "classlib/Exceptions.h"
#include "classlib/WinThread.h"
#include "classlib/win/DialogTemplate.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_COMMAND(IDOK, OnOKCommand)
ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

CDialog::CDialog()
    : m_nIDHelp(0), m_lpszTemplateName(nullptr), m_lpDialogTemplate(nullptr), m_pParentWnd(nullptr)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_lpDialogTemplate(nullptr),
      m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_nIDHelp(0), m_lpszTemplateName(nullptr), m_lpDialogTemplate(nullptr), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_lpszTemplateName = lpszTemplateName;
    } else {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    }
}

CDialog::~CDialog() = default;

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = nullptr;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

LPCDLGTEMPLATE CDialog::LoadTemplate() const
{
    if (m_lpszTemplateName == nullptr)
        return m_lpDialogTemplate;
    HINSTANCE hInst = ::GetModuleHandle(nullptr);
    HRSRC hResource = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    return hTemplate != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent)
{
    if (lpTemplate == nullptr)
        return FALSE;
    // The dialog window is the first window of the template's class made from here on.
    const CDialogTemplate::Header header = CDialogTemplate::ReadHeader(lpTemplate);
    AfxHookWindowCreate(this, header.bClassGiven ? nullptr : MAKEINTATOM(0x8002));
    HWND hWnd = nullptr;
    try {
        hWnd = ::CreateDialogIndirectParam(::GetModuleHandle(nullptr), lpTemplate, hWndParent, AfxDlgProc, 0);
    } catch (...) {
        AfxUnhookWindowCreate();
        throw;
    }
    AfxUnhookWindowCreate();
    if (hWnd == nullptr && m_hWnd != nullptr)
        Detach(); // refused during creation
    return hWnd != nullptr;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (!IS_INTRESOURCE(lpszTemplateName)) {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    } else if (m_nIDHelp == 0) {
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    }
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(LoadTemplate(), pParentWnd->GetSafeHwnd());
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpDialogTemplate, pParentWnd->GetSafeHwnd());
}

HWND CDialog::FindModalOwner() const
{
    HWND hWnd = m_pParentWnd->GetSafeHwnd();
    if (hWnd == nullptr) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain->GetSafeHwnd();
    }
    // A dialog belongs to a top-level window, never to a child.
    while (hWnd != nullptr && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    // A popup that is itself disabled (an owner of a dialog already) gives way to its last active popup.
    if (hWnd != nullptr)
        hWnd = ::GetLastActivePopup(hWnd);
    return hWnd;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = LoadTemplate();
    if (lpTemplate == nullptr)
        return -1;
    HWND hWndOwner = FindModalOwner();
    BOOL bEnableOwner = FALSE;
    if (hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }
    m_nModalResult = -1;
    // Set before creation: an EndDialog from OnInitDialog ends the dialog before its loop starts.
    m_nFlags |= WF_CONTINUEMODAL;
    try {
        if (CreateFromTemplate(lpTemplate, hWndOwner) && ContinueModal()) {
            const CDialogTemplate::Header header = CDialogTemplate::ReadHeader(lpTemplate);
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (header.style & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
    } catch (...) {
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        if (bEnableOwner)
            ::EnableWindow(hWndOwner, TRUE);
        if (m_hWnd != nullptr)
            DestroyWindow();
        throw;
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    // Hidden before the owner comes back, so that the owner is activated rather than another window.
    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else
        m_nModalResult = nResult;
    if (m_hWnd != nullptr)
        ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    // TRUE lets the system put the focus on the first tab stop.
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    if (!UpdateData(FALSE))
        return TRUE;
    if (m_nFlags & WF_CONTINUEMODAL)
        CenterWindow();
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::NextDlgCtrl() const
{
    HWND hWnd = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), FALSE);
    if (hWnd != nullptr)
        const_cast<CDialog*>(this)->GotoDlgCtrl(CWnd::FromHandle(hWnd));
}

void CDialog::PrevDlgCtrl() const
{
    HWND hWnd = ::GetNextDlgTabItem(m_hWnd, ::GetFocus(), TRUE);
    if (hWnd != nullptr)
        const_cast<CDialog*>(this)->GotoDlgCtrl(CWnd::FromHandle(hWnd));
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    // WM_NEXTDLGCTL moves the focus and the default button and selects an edit's text.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // Dialog keys (Tab, arrows, Enter, Escape, mnemonics) of this dialog's own controls.
    if (m_hWnd == nullptr || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}
