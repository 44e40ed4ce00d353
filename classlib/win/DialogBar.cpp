// CDialogBar: creation from a template and the template-sized layout.
#include "classlib/win/DialogBar.h"

#include "classlib/win/DC.h"
#include "classlib/win/DialogTemplate.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

BEGIN_MESSAGE_MAP(CDialogBar, CControlBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

// The dialog's own procedure does the rest; the bar's map sees every message first.
INT_PTR CALLBACK DialogBarProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

} // namespace

CDialogBar::CDialogBar() : m_sizeDefault(0, 0) {}

CDialogBar::~CDialogBar() = default;

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID)
{
    HINSTANCE hInstance = ::GetModuleHandle(nullptr);
    HRSRC hResource = ::FindResource(hInstance, lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
    const auto* lpTemplate =
        hTemplate != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
    return CreateIndirect(pParentWnd, lpTemplate, nStyle, nID);
}

BOOL CDialogBar::CreateIndirect(CWnd* pParentWnd, LPCDLGTEMPLATE lpTemplate, UINT nStyle, UINT nID)
{
    if (lpTemplate == nullptr || pParentWnd == nullptr)
        return FALSE;
    // Only a child template makes a bar.
    const CDialogTemplate::Header header = CDialogTemplate::ReadHeader(lpTemplate);
    if (!(header.style & WS_CHILD))
        return FALSE;
    m_dwStyle = nStyle & CBRS_ALL;
    AfxHookWindowCreate(this, header.bClassGiven ? nullptr : MAKEINTATOM(0x8002));
    HWND hWnd = ::CreateDialogIndirectParam(::GetModuleHandle(nullptr), lpTemplate, pParentWnd->m_hWnd,
                                            DialogBarProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        if (m_hWnd != nullptr)
            Detach();
        return FALSE;
    }
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    SetDlgCtrlID(static_cast<int>(nID));
    // A dialog made this way had no WM_CREATE of the bar's: it joins its frame here.
    if (m_pDockSite == nullptr && pParentWnd->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
        m_pDockSite->AddControlBar(this);
    }
    ModifyStyle(0, WS_CLIPSIBLINGS);
    if (nStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNA);
    else
        ShowWindow(SW_HIDE);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (bStretch)
        return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
    return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CDialogBar::PreTranslateMessage(MSG* pMsg)
{
    if (CControlBar::PreTranslateMessage(pMsg))
        return TRUE;
    // Tab and the arrows move between the bar's controls.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && pMsg->message != WM_CHAR &&
        (pMsg->wParam == VK_TAB || (pMsg->wParam >= VK_LEFT && pMsg->wParam <= VK_DOWN)))
        return ::IsDialogMessage(m_hWnd, pMsg);
    return FALSE;
}

void CDialogBar::OnPaint()
{
    // The dialog paints its own background; the bar adds its border lines.
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CDialogBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}
