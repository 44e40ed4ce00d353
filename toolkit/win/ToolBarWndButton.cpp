// ToolBarWndButton and ToolBarComboButton: the hosted window's creation, orientation, place and saved width.
#include "toolkit/win/ToolBarWndButton.h"

#include "toolkit/win/LTCustomToolBar.h"
#include "toolkit/win/LTGlobalData.h"

#include <cstring>

namespace {

DWORD ReadU32(const BYTE* p)
{
    DWORD v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

WORD ReadU16(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

ToolBarButton* NewComboButton()
{
    return new ToolBarComboButton;
}

} // namespace

ToolBarWndButton::ToolBarWndButton()
    : m_bWndShown(FALSE), m_nFullWidth(0), m_nMinWidth(0), m_nDropHeight(0), m_nWndHeight(0)
{
}

void ToolBarWndButton::OnWindowLButtonDown(UINT, CPoint) {}

void ToolBarWndButton::Init(LTCustomToolBar* pBar, const BYTE* pData)
{
    ToolBarButton::Init(pBar, pData);
    UINT nWndID = m_nID;
    DWORD dwStyle = 0;
    if (pData != nullptr) {
        nWndID = ReadU32(pData);
        dwStyle = ReadU32(pData + 4);
        m_nFullWidth = ReadU16(pData + 8);
        m_nMinWidth = ReadU16(pData + 10);
        m_nDropHeight = ReadU16(pData + 12);
    }
    // Shown once the bar gives the button its orientation and place.
    if (CreateWnd(pBar, (dwStyle | WS_CHILD) & ~WS_VISIBLE, CRect(0, 0, 0, 0), nWndID))
        Notify(LTWBN_CREATED);
}

void ToolBarWndButton::Notify(UINT nCode)
{
    CWnd* pWnd = GetWnd();
    if (m_pBar == nullptr || pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return;
    CWnd* pOwner = m_pBar->GetOwner();
    if (pOwner != nullptr && pOwner->m_hWnd != nullptr)
        pOwner->SendMessage(WM_SECTOOLBARWNDNOTIFY, MAKEWPARAM(pWnd->GetDlgCtrlID(), nCode),
                            reinterpret_cast<LPARAM>(pWnd->m_hWnd));
}

void ToolBarWndButton::PlaceWindow(UINT nFlags)
{
    CWnd* pWnd = GetWnd();
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return;
    const int y = m_nWndHeight > 0 ? m_y + (m_cy - m_nWndHeight) / 2 : m_y;
    pWnd->SetWindowPos(nullptr, m_x + 2, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
}

void ToolBarWndButton::SetOrientation(DWORD dwVertBits)
{
    CWnd* pWnd = GetWnd();
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return;
    if (dwVertBits != 0) {
        if (m_bWndShown) {
            pWnd->ShowWindow(SW_HIDE);
            m_bWndShown = FALSE;
        }
        RecalcSize();
        return;
    }
    if (m_bWndShown)
        return;
    m_bWndShown = TRUE;
    RecalcSize();
    pWnd->SetWindowPos(nullptr, m_x + 2, m_y, m_nFullWidth - 4, m_nDropHeight,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    CRect rect;
    pWnd->GetWindowRect(&rect);
    m_nWndHeight = rect.Height();
    PlaceWindow(SWP_SHOWWINDOW);
}

void ToolBarWndButton::SetPosition(int x, int y)
{
    ToolBarButton::SetPosition(x, y);
    if (m_bWndShown)
        PlaceWindow(0);
}

void ToolBarWndButton::RecalcSize()
{
    if (m_pBar == nullptr)
        return;
    // Not counted as the widest button: the window is drawn by itself.
    m_cx = m_bWndShown ? m_nFullWidth : m_pBar->m_nImageWidth + 7;
    m_cy = m_pBar->m_nImageHeight + 7;
}

void ToolBarWndButton::Invalidate(BOOL bErase)
{
    if (!m_bWndShown)
        ToolBarButton::Invalidate(bErase);
}

void ToolBarWndButton::Draw(CDC* pDC, ToolBarDrawContext* pContext)
{
    if (m_bWndShown) {
        if (CWnd* pWnd = GetWnd())
            pWnd->UpdateWindow();
        return;
    }
    ToolBarButton::Draw(pDC, pContext);
}

INT_PTR ToolBarWndButton::OnToolHitTest(int x, int y, TOOLINFO* pTI)
{
    return m_bWndShown ? -1 : ToolBarButton::OnToolHitTest(x, y, pTI);
}

void ToolBarWndButton::OnButtonMessage(UINT nCode, const void* pData)
{
    if (nCode != LTBM_WNDMESSAGE) {
        ToolBarButton::OnButtonMessage(nCode, pData);
        return;
    }
    CWnd* pWnd = GetWnd();
    if (pData != nullptr && pWnd != nullptr && pWnd->m_hWnd != nullptr) {
        const auto* pMessage = static_cast<const LTWndButtonMessage*>(pData);
        pWnd->SendMessage(pMessage->message, pMessage->wParam, pMessage->lParam);
    }
}

void ToolBarWndButton::SaveData(std::vector<BYTE>& data) const
{
    const WORD nWidth = static_cast<WORD>(m_nFullWidth);
    data = {static_cast<BYTE>(nWidth & 0xFF), static_cast<BYTE>(nWidth >> 8)};
}

void ToolBarWndButton::LoadData(const BYTE* pData, UINT nLength)
{
    if (pData == nullptr || nLength < 2)
        return;
    m_nFullWidth = ReadU16(pData);
    if (!m_bWndShown)
        return;
    m_cx = m_nFullWidth;
    if (CWnd* pWnd = GetWnd())
        pWnd->SetWindowPos(nullptr, 0, 0, m_nFullWidth - 4, m_nDropHeight,
                           SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- combo box

const ToolBarButtonClass ToolBarComboButton::classToolBarComboButton = {&NewComboButton};

ToolBarComboButton::~ToolBarComboButton()
{
    if (m_edit.m_hWnd != nullptr)
        m_edit.UnsubclassWindow();
    if (m_hWnd != nullptr)
        DestroyWindow();
}

const ToolBarButtonClass* ToolBarComboButton::GetButtonClass() const
{
    return &classToolBarComboButton;
}

BOOL ToolBarComboButton::CreateWnd(LTCustomToolBar* pBar, DWORD dwStyle, const RECT& rect, UINT nID)
{
    if ((dwStyle & 3) == 0)
        dwStyle |= CBS_DROPDOWNLIST;
    if (!CComboBox::Create(dwStyle, rect, pBar, nID))
        return FALSE;
    if (dwStyle & 2) {
        HWND hEdit = ::GetWindow(m_hWnd, GW_CHILD);
        if (hEdit != nullptr && m_edit.SubclassWindow(hEdit))
            m_edit.m_pButton = this;
    }
    m_font.CreateFont(8, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                      CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    RecalcSize();
    return TRUE;
}

void ToolBarComboButton::RecalcSize()
{
    ToolBarWndButton::RecalcSize();
    if (m_edit.m_pButton != nullptr && m_bWndShown && m_hWnd != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        m_cy = rect.Height();
    }
}

LRESULT ToolBarComboEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && wParam == VK_RETURN && m_pButton != nullptr) {
        m_pButton->Notify(LTWBN_ENTER);
        return 0;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}
