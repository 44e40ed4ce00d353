// The progress window.
#include "app/core/win/ProgressWindow.h"

#include "classlib/Exceptions.h"
#include "classlib/WinApp.h"

#include <commctrl.h>

namespace {

const int kBarSteps = 10000;
const int kBarStep = 10;

} // namespace

CProgressWindow::CProgressWindow(UINT nCaptionID, CWnd* pOwner)
    : m_nCaptionID(nCaptionID), m_bStopRequested(FALSE), m_hWndOwnerDisabled(nullptr)
{
    CWnd* pSafeOwner = pOwner != nullptr ? pOwner->GetTopLevelParent() : AfxGetMainWnd();
    if (pSafeOwner != nullptr && ::IsWindowEnabled(pSafeOwner->m_hWnd)) {
        ::EnableWindow(pSafeOwner->m_hWnd, FALSE);
        m_hWndOwnerDisabled = pSafeOwner->m_hWnd;
    }
    if (!Create(IDD, pOwner)) {
        EnableOwner();
        AfxThrowMemoryException();
    }
}

CProgressWindow::~CProgressWindow()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
    EnableOwner();
}

void CProgressWindow::EnableOwner()
{
    if (m_hWndOwnerDisabled != nullptr && ::IsWindow(m_hWndOwnerDisabled))
        ::EnableWindow(m_hWndOwnerDisabled, TRUE);
    m_hWndOwnerDisabled = nullptr;
}

BOOL CProgressWindow::DestroyWindow()
{
    EnableOwner(); // before the window goes, so the activation returns to the owner
    return CDialog::DestroyWindow();
}

BOOL CProgressWindow::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendDlgItemMessage(IDC_BAR, PBM_SETRANGE32, 0, kBarSteps);
    SendDlgItemMessage(IDC_BAR, PBM_SETSTEP, kBarStep, 0);
    SendDlgItemMessage(IDC_BAR, PBM_SETPOS, 0, 0);
    CString caption;
    if (caption.LoadString(m_nCaptionID))
        SetWindowText(caption);
    return TRUE;
}

void CProgressWindow::OnOK() {}

BOOL CProgressWindow::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
        OnOK();
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CProgressWindow::OnCancel()
{
    m_bStopRequested = TRUE; // the window stays: the work ends it
}

void CProgressWindow::Show()
{
    ShowWindow(SW_SHOW);
}

void CProgressWindow::SetBar(int scaled)
{
    SendDlgItemMessage(IDC_BAR, PBM_SETPOS, static_cast<WPARAM>(scaled), 0);
}

BOOL CProgressWindow::PumpMessages()
{
    CWinApp* pApp = AfxGetApp();
    MSG msg;
    BOOL bQuit = FALSE;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (pApp != nullptr) {
            if (!pApp->PumpMessage()) {
                bQuit = TRUE;
                break;
            }
            continue;
        }
        ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);
        if (msg.message == WM_QUIT) {
            bQuit = TRUE;
            break;
        }
        if (!::IsDialogMessage(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    if (bQuit)
        ::PostQuitMessage(0); // for the loop that owns the program, once the work is over
    return m_bStopRequested;
}

ProgressDisplay* MakeProgressWindow(UINT nCaptionID, CWnd* pOwner)
{
    return new CProgressWindow(nCaptionID, pOwner);
}
