// LTToolBarManager: creating default and user toolbars, the look settings, the shared bitmap and
// notifications.
#include "toolkit/win/LTToolBarManager.h"

#include "classlib/WinApp.h"
#include "classlib/win/DockContext.h"
#include "toolkit/win/LTDockBar.h"
#include "toolkit/win/LTGlobalData.h"
#include "toolkit/win/ToolBarResource.h"

#include <algorithm>
#include <cstdio>

IMPLEMENT_DYNAMIC(LTControlBarManager, CCmdTarget)
IMPLEMENT_DYNAMIC(LTToolBarManager, LTControlBarManager)

namespace {

const UINT kFirstUserID = 59424;
const UINT kLastUserID = 59647;
const DWORD kCoolBits = BAR_EX_FLAT_BORDERS | BAR_EX_GRIPPER;

CString SettingsSection(LPCTSTR lpszBase)
{
    return CString(lpszBase) + "-ToolBarManager";
}

} // namespace

LTToolBarManager::LTToolBarManager(CFrameWnd* pFrame)
    : LTControlBarManager(pFrame), m_pCustomizeWnd(nullptr), m_bCustomizing(FALSE), m_bCustomizeMode(FALSE),
      m_bToolTips(TRUE), m_bFlyBy(TRUE), m_bFlatLook(FALSE), m_bLargeButtons(FALSE), m_pButtonMap(nullptr),
      m_pSelectedBar(nullptr), m_nBitmapCommands(0), m_lpszSmallBitmap(nullptr), m_lpszLargeBitmap(nullptr),
      m_nImageHeight(15), m_nImageWidth(16), m_pDrawContext(std::make_unique<ToolBarDrawContext>()),
      m_pToolBarClass(RUNTIME_CLASS(LTCustomToolBar))
{
}

LTToolBarManager::~LTToolBarManager() = default;

std::vector<LTCustomToolBar*> LTToolBarManager::GetToolBars() const
{
    std::vector<LTCustomToolBar*> bars;
    if (m_pFrame == nullptr)
        return bars;
    POSITION pos = m_pFrame->m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        auto* pBar = static_cast<CControlBar*>(m_pFrame->m_listControlBars.GetNext(pos));
        if (pBar->IsKindOf(RUNTIME_CLASS(LTCustomToolBar)))
            bars.push_back(static_cast<LTCustomToolBar*>(pBar));
    }
    return bars;
}

// ---- bitmap

BOOL LTToolBarManager::LoadButtonBitmap(LPCTSTR lpszSmall, LPCTSTR lpszLarge)
{
    CBitmap bitmap;
    std::vector<UINT> commands;
    int cx = 0, cy = 0;
    if (!LoadToolBarResource(lpszSmall, &bitmap, commands, cx, cy))
        return FALSE;
    m_lpszSmallBitmap = lpszSmall;
    m_lpszLargeBitmap = lpszLarge;
    SetButtonBitmap(static_cast<HBITMAP>(bitmap.Detach()), commands.data(),
                    static_cast<UINT>(commands.size()), cx, cy);
    return TRUE;
}

void LTToolBarManager::SetButtonBitmap(HBITMAP hBitmap, const UINT* pCommands, UINT nCommands,
                                       int nImageWidth, int nImageHeight)
{
    m_bitmap.DeleteObject();
    m_bitmap.Attach(hBitmap);
    m_commands.assign(pCommands, pCommands + nCommands);
    m_nBitmapCommands = nCommands;
    m_nImageWidth = nImageWidth;
    m_nImageHeight = nImageHeight;
}

void LTToolBarManager::ApplyBitmapTo(LTCustomToolBar* pBar)
{
    pBar->SetBitmap(static_cast<HBITMAP>(m_bitmap.GetSafeHandle()), m_commands.data(), m_nBitmapCommands,
                    m_nImageWidth, m_nImageHeight);
}

BOOL LTToolBarManager::LoadChosenBitmap(CBitmap& bitmap, std::vector<UINT>& commands, int& cx, int& cy) const
{
    LPCTSTR lpszName =
        m_bLargeButtons && m_lpszLargeBitmap != nullptr ? m_lpszLargeBitmap : m_lpszSmallBitmap;
    return lpszName != nullptr && LoadToolBarResource(lpszName, &bitmap, commands, cx, cy);
}

BOOL LTToolBarManager::ReloadBitmap()
{
    CBitmap bitmap;
    std::vector<UINT> commands;
    int cx = 0, cy = 0;
    if (!LoadChosenBitmap(bitmap, commands, cx, cy))
        return FALSE;
    SetButtonBitmap(static_cast<HBITMAP>(bitmap.Detach()), commands.data(),
                    static_cast<UINT>(commands.size()), cx, cy);
    const std::vector<LTCustomToolBar*> bars = GetToolBars();
    for (LTCustomToolBar* pBar : bars) {
        ApplyBitmapTo(pBar);
        if (pBar->IsFloating()) {
            if (CFrameWnd* pFloat = pBar->GetDockingFrame())
                pFloat->RecalcLayout();
        }
    }
    if (!bars.empty())
        m_pFrame->DelayRecalcLayout(TRUE);
    return TRUE;
}

void LTToolBarManager::ReloadSharedBitmap()
{
    CBitmap bitmap;
    std::vector<UINT> commands;
    int cx = 0, cy = 0;
    if (!LoadChosenBitmap(bitmap, commands, cx, cy))
        return;
    m_bitmap.DeleteObject();
    m_bitmap.Attach(bitmap.Detach());
    for (LTCustomToolBar* pBar : GetToolBars())
        pBar->ReplaceBitmapHandle(static_cast<HBITMAP>(m_bitmap.GetSafeHandle()));
}

// ---- definitions and bars

void LTToolBarManager::AddDefaultToolBar(UINT nID, LPCTSTR lpszTitle, UINT nCount, const UINT* pIDs,
                                         DWORD dwDockStyle, UINT nDockBarID, UINT nNeighbourID, BOOL bDocked,
                                         BOOL bVisible)
{
    m_defaults.push_back(std::make_unique<DefaultToolBarDef>(DefaultToolBarDef{
        nID, lpszTitle, nCount, pIDs, dwDockStyle, nDockBarID, nNeighbourID, bDocked, bVisible}));
}

BOOL LTToolBarManager::GetDefaultButtons(UINT nID, UINT* pnCount, const UINT** ppIDs) const
{
    for (const auto& pDef : m_defaults) {
        if (pDef->nID == nID) {
            *pnCount = pDef->nCount;
            *ppIDs = pDef->pIDs;
            return TRUE;
        }
    }
    return FALSE;
}

LTCustomToolBar* LTToolBarManager::CreateBar(UINT nID, LPCTSTR lpszTitle)
{
    auto* pBar = static_cast<LTCustomToolBar*>(m_pToolBarClass->CreateObject());
    if (pBar == nullptr)
        return nullptr;
    pBar->m_pBarManager = this;
    DWORD dwStyle = m_bFlyBy ? 0x50002824 : 0x50002804;
    if (m_bToolTips)
        dwStyle |= CBRS_TOOLTIPS;
    if (!pBar->CreateBarWindow(m_bFlatLook ? kCoolBits : 0, m_pFrame, dwStyle, nID, lpszTitle)) {
        delete pBar;
        return nullptr;
    }
    ApplyBitmapTo(pBar);
    pBar->EnableDocking(0);
    pBar->m_bAutoDelete = TRUE;
    return pBar;
}

void LTToolBarManager::DockOn(LTCustomToolBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CControlBar* pSide = m_pFrame->GetControlBar(nDockBarID);
    if (pSide != nullptr && pSide->IsKindOf(RUNTIME_CLASS(LTDockBar)))
        static_cast<LTDockBar*>(pSide)->DockControlBar(pBar, lpRect);
    else
        m_pFrame->DockControlBar(pBar, nDockBarID, lpRect);
}

BOOL LTToolBarManager::CreateDefaultToolBars()
{
    std::vector<std::pair<const DefaultToolBarDef*, LTCustomToolBar*>> made;
    for (const auto& pDef : m_defaults) {
        LTCustomToolBar* pBar = CreateBar(pDef->nID, pDef->lpszTitle);
        if (pBar == nullptr)
            return FALSE;
        pBar->SetButtons(pDef->pIDs, static_cast<int>(pDef->nCount));
        pBar->EnableDocking(pDef->dwDockStyle);
        CControlBar* pNeighbour =
            pDef->nNeighbourID != 0 ? m_pFrame->GetControlBar(pDef->nNeighbourID) : nullptr;
        if (pNeighbour != nullptr) {
            m_pFrame->RecalcLayout();
            CRect rect;
            pNeighbour->GetWindowRect(&rect);
            const BOOL bAcross =
                pDef->nDockBarID == AFX_IDW_DOCKBAR_TOP || pDef->nDockBarID == AFX_IDW_DOCKBAR_BOTTOM;
            rect.OffsetRect(bAcross ? 1 : 0, bAcross ? 0 : 1);
            DockOn(pBar, pDef->nDockBarID, &rect);
        } else {
            DockOn(pBar, pDef->nDockBarID, nullptr);
        }
        made.emplace_back(pDef.get(), pBar);
    }
    m_pFrame->RecalcLayout();
    for (const auto& entry : made) {
        if (!entry.first->bVisible)
            m_pFrame->ShowControlBar(entry.second, FALSE, FALSE);
        if (!entry.first->bDocked && entry.second->m_pDockContext != nullptr)
            entry.second->m_pDockContext->ToggleDocking();
    }
    return TRUE;
}

LTCustomToolBar* LTToolBarManager::CreateUserToolBar(LPCTSTR lpszTitle)
{
    const std::vector<LTCustomToolBar*> bars = GetToolBars();
    UINT nID = kFirstUserID;
    for (;;) {
        if (nID > kLastUserID)
            return nullptr;
        const BOOL bTaken = std::any_of(bars.begin(), bars.end(), [nID](LTCustomToolBar* pBar) {
            return pBar->m_hWnd != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID;
        });
        if (!bTaken)
            break;
        ++nID;
    }
    CString title;
    if (lpszTitle != nullptr) {
        title = lpszTitle;
        if (title.GetLength() > 111)
            title = title.Left(111);
    } else {
        char text[32];
        std::snprintf(text, sizeof text, "ToolBar%u", nID - (kFirstUserID - 1));
        title = text;
    }
    LTCustomToolBar* pBar = CreateBar(nID, title);
    if (pBar == nullptr)
        return nullptr;
    pBar->SetCustomizeMode(m_bCustomizeMode);
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    return pBar;
}

// ---- look

void LTToolBarManager::SetToolTips(BOOL bOn)
{
    if (!bOn == !m_bToolTips)
        return;
    m_bToolTips = bOn;
    for (LTCustomToolBar* pBar : GetToolBars())
        pBar->SetBarStyle(bOn ? (pBar->GetBarStyle() | CBRS_TOOLTIPS)
                              : (pBar->GetBarStyle() & ~CBRS_TOOLTIPS));
}

void LTToolBarManager::SetCoolLook(BOOL bOn, DWORD dwBits)
{
    if (!bOn == !m_bFlatLook)
        return;
    m_bFlatLook = bOn;
    for (LTCustomToolBar* pBar : GetToolBars()) {
        pBar->ModifyExBarStyle(bOn ? 0 : dwBits, bOn ? dwBits : 0, FALSE);
        if ((dwBits & BAR_EX_FLAT_BORDERS) && pBar->m_hWnd != nullptr)
            ::RedrawWindow(pBar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
    m_pFrame->DelayRecalcLayout(TRUE);
}

void LTToolBarManager::SetLargeButtons(BOOL bOn)
{
    if (!bOn == !m_bLargeButtons)
        return;
    m_bLargeButtons = bOn;
    ReloadBitmap();
}

void LTToolBarManager::LoadSettings(LPCTSTR lpszBase)
{
    CWinApp* pApp = AfxGetApp();
    const CString section = SettingsSection(lpszBase);
    if (pApp != nullptr) {
        SetToolTips(pApp->GetProfileInt(section, "ToolTips", m_bToolTips) != 0);
        SetCoolLook(pApp->GetProfileInt(section, "CoolLook", m_bFlatLook) != 0, kCoolBits);
        SetLargeButtons(pApp->GetProfileInt(section, "LargeButtons", m_bLargeButtons) != 0);
    }
    const std::vector<LTCustomToolBar*> bars = GetToolBars();
    for (LTCustomToolBar* pBar : bars)
        pBar->m_pBarManager = this;
    if (bars.empty())
        CreateDefaultToolBars();
}

void LTToolBarManager::SaveSettings(LPCTSTR lpszBase)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    const CString section = SettingsSection(lpszBase);
    pApp->WriteProfileInt(section, "ToolTips", m_bToolTips);
    pApp->WriteProfileInt(section, "CoolLook", m_bFlatLook);
    pApp->WriteProfileInt(section, "LargeButtons", m_bLargeButtons);
}

// ---- messages to bars and listeners

void LTToolBarManager::BroadcastButtonMessage(UINT nID, UINT nCode, const void* pData)
{
    for (LTCustomToolBar* pBar : GetToolBars())
        pBar->SendButtonMessage(nID, nCode, pData, FALSE);
}

LTCustomToolBar* LTToolBarManager::FindBarAt(const CRect& rectScreen) const
{
    for (LTCustomToolBar* pBar : GetToolBars()) {
        CWnd* pWnd = pBar;
        if (pBar->IsFloating() && pBar->GetDockingFrame() != nullptr)
            pWnd = pBar->GetDockingFrame();
        CRect rect, common;
        pWnd->GetWindowRect(&rect);
        if (common.IntersectRect(&rect, &rectScreen))
            return pBar;
    }
    return nullptr;
}

void LTToolBarManager::Broadcast(UINT nBarID, UINT nCode)
{
    const std::vector<CWnd*> listeners = m_listeners;
    for (CWnd* pWnd : listeners) {
        if (std::find(m_listeners.begin(), m_listeners.end(), pWnd) != m_listeners.end() &&
            ::IsWindow(pWnd->GetSafeHwnd()))
            pWnd->SendMessage(WM_BARNOTIFY, nBarID, nCode);
    }
}

void LTToolBarManager::AddListener(CWnd* pWnd)
{
    if (std::find(m_listeners.begin(), m_listeners.end(), pWnd) == m_listeners.end())
        m_listeners.push_back(pWnd);
}

void LTToolBarManager::RemoveListener(CWnd* pWnd)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), pWnd), m_listeners.end());
}

void LTToolBarManager::GetCustomizeWindowRect(LPRECT lpRect) const
{
    if (m_pCustomizeWnd != nullptr && m_pCustomizeWnd->m_hWnd != nullptr)
        m_pCustomizeWnd->GetWindowRect(lpRect);
    else
        ::SetRectEmpty(lpRect);
}

void LTToolBarManager::SetCustomizeMode(BOOL bOn)
{
    m_bCustomizeMode = bOn;
    for (LTCustomToolBar* pBar : GetToolBars())
        pBar->SetCustomizeMode(bOn);
}

UINT LTToolBarManager::GetBarTypeID(CControlBar* pBar)
{
    return pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(LTCustomToolBar)) ? LTTB_BAR_TYPE_ID : 0;
}
