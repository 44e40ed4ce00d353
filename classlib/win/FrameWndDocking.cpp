// CFrameWnd: its bar list, docking, floating, showing bars, and saving and restoring their layout.
#include "classlib/win/DockBar.h"
#include "classlib/win/DockContext.h"
#include "classlib/win/DockState.h"
#include "classlib/win/MiniDockFrameWnd.h"
#include "classlib/win/ResourceException.h"

#include <vector>

const DWORD CFrameWnd::dwDockBarMap[4][2] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};

namespace {

CDockBar* AsDockBar(CControlBar* pBar)
{
    return pBar != nullptr && pBar->IsDockBar() ? static_cast<CDockBar*>(pBar) : nullptr;
}

void* PlaceHolderOf(CControlBar* pBar)
{
    return reinterpret_cast<void*>(static_cast<UINT_PTR>(pBar->GetDlgCtrlID() & 0xFFFF));
}

} // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != nullptr)
        m_listControlBars.RemoveAt(pos);
}

void CFrameWnd::ReleaseControlBars()
{
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != nullptr)
        static_cast<CControlBar*>(m_listControlBars.GetNext(pos))->m_pDockSite = nullptr;
    m_listControlBars.RemoveAll();
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return nullptr;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    if (m_pFloatingFrameClass == nullptr)
        m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& entry : dwDockBarMap) {
        if (!(entry[1] & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(entry[0]) != nullptr)
            continue;
        auto* pDockBar = new CDockBar;
        if (!pDockBar->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | entry[1],
                              entry[0]))
            AfxThrowResourceException();
    }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = nDockBarID == 0 ? nullptr : AsDockBar(GetControlBar(nDockBarID));
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pDockBar == nullptr) {
        // The side the bar is aligned to, else the first side it may dock on.
        for (const auto& entry : dwDockBarMap) {
            if ((entry[1] & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY)) {
                pDockBar = AsDockBar(GetControlBar(entry[0]));
                break;
            }
        }
        for (int i = 0; pDockBar == nullptr && i < 4; ++i) {
            if (dwDockBarMap[i][1] & pBar->m_dwDockStyle & CBRS_ALIGN_ANY)
                pDockBar = AsDockBar(GetControlBar(dwDockBarMap[i][0]));
        }
    }
    if (pDockBar != nullptr)
        pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pDockBar == nullptr) {
        // The side that keeps its place, else the one it was docked on last, else the first it may use.
        for (int i = 0; pDockBar == nullptr && i < 4; ++i) {
            CDockBar* pSide = AsDockBar(GetControlBar(dwDockBarMap[i][0]));
            if (pSide != nullptr && pSide->FindBar(static_cast<CControlBar*>(PlaceHolderOf(pBar))) > 0)
                pDockBar = pSide;
        }
        if (pDockBar == nullptr && pBar->m_pDockContext != nullptr)
            pDockBar = AsDockBar(GetControlBar(pBar->m_pDockContext->m_uMRUDockID));
        for (int i = 0; pDockBar == nullptr && i < 4; ++i) {
            if (dwDockBarMap[i][1] & pBar->m_dwDockStyle & CBRS_ALIGN_ANY)
                pDockBar = AsDockBar(GetControlBar(dwDockBarMap[i][0]));
        }
    }
    if (pDockBar != nullptr)
        pDockBar->ReDockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass =
        m_pFloatingFrameClass != nullptr ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    auto* pFrame = static_cast<CMiniDockFrameWnd*>(pClass->CreateObject());
    if (pFrame == nullptr)
        AfxThrowMemoryException();
    // A frame that fails deletes itself with its window, when it had one.
    if (!pFrame->Create(this, dwStyle))
        AfxThrowResourceException();
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    CDockBar* pOldDockBar = pBar->m_pDockBar;
    if (pOldDockBar != nullptr && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1 &&
        (dwStyle & pOldDockBar->m_dwStyle & CBRS_ALIGN_ANY)) {
        // Alone in a frame of the right orientation already: the frame only moves.
        CFrameWnd* pFrame = AfxGetParentFrame(pOldDockBar);
        pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->RecalcLayout(TRUE);
        pFrame->UpdateWindow();
        return;
    }
    if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
        dwStyle |= CBRS_SIZE_DYNAMIC;
        if (dwStyle & CBRS_ORIENT_VERT)
            dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    }
    CMiniDockFrameWnd* pFrame = CreateFloatingFrame(dwStyle);
    pFrame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    pFrame->m_wndDockBar.DockControlBar(pBar);
    pFrame->RecalcLayout(TRUE);
    if (pBar->GetStyle() & WS_VISIBLE) {
        pFrame->ShowWindow(SW_SHOWNA);
        pFrame->UpdateWindow();
    }
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    CFrameWnd* pFrame = pBar->GetDockingFrame();
    if (bDelay) {
        pBar->DelayShow(bShow);
        if (pFrame != nullptr)
            pFrame->DelayRecalcLayout();
    } else {
        pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                               (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        if (pFrame != nullptr && (bShow || !pBar->IsFloating()))
            pFrame->RecalcLayout(FALSE);
    }
    if (!pBar->IsFloating() || pFrame == nullptr)
        return;
    // A floating frame shows exactly while one of its bars does.
    const int nVisible = pBar->m_pDockBar->GetDockedVisibleCount();
    if (nVisible == 1 && bShow)
        pFrame->ShowWindow(SW_SHOWNA);
    else if (nVisible == 0)
        pFrame->ShowWindow(SW_HIDE);
    else if (!bDelay)
        pFrame->RecalcLayout(FALSE);
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
    for (const auto& entry : dwDockBarMap) {
        if (!(entry[1] & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        CDockBar* pDockBar = AsDockBar(GetControlBar(entry[0]));
        if (pDockBar == nullptr)
            continue;
        CRect rectBar;
        pDockBar->GetWindowRect(&rectBar);
        // An empty side still takes bars along its edge.
        if (rectBar.Width() == 0)
            rectBar.right++;
        if (rectBar.Height() == 0)
            rectBar.bottom++;
        if (rectBar.IntersectRect(&rectBar, &rect)) {
            if (ppDockBar != nullptr)
                *ppDockBar = pDockBar;
            return entry[1] & CBRS_ALIGN_ANY;
        }
    }
    return 0;
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        CDockBar* pDockBar = AsDockBar(static_cast<CControlBar*>(m_listControlBars.GetNext(pos)));
        if (pDockBar != nullptr && pDockBar->m_bFloating && pDockBar->m_hWnd != nullptr)
            ::SendMessage(::GetParent(pDockBar->m_hWnd), WM_FLOATSTATUS, dwFlags, 0);
    }
}

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != nullptr) {
        auto* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == nullptr)
            continue;
        auto* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

void CFrameWnd::SetDockState(const CDockState& state)
{
    // Each record is bound to a bar of this frame, or dropped: a state from a damaged or foreign profile
    // leaves the bars it cannot place where they are.
    std::vector<CControlBarInfo*> dockRecords, barRecords;
    std::vector<CMiniDockFrameWnd*> floatingFrames;
    for (int i = 0; i < state.GetCount(); ++i) {
        CControlBarInfo* pInfo = state.GetInfo(i);
        pInfo->m_pBar = nullptr;
        const UINT nID = pInfo->m_nBarID;
        if (pInfo->m_bDockBar != CControlBarInfo::IsDockBarID(nID))
            continue;
        if (!pInfo->m_bDockBar) {
            CControlBar* pBar = GetControlBar(nID);
            if (pBar != nullptr && !pBar->IsDockBar()) {
                pInfo->m_pBar = pBar;
                barRecords.push_back(pInfo);
            }
            continue;
        }
        if ((nID == AFX_IDW_DOCKBAR_FLOAT) != static_cast<bool>(pInfo->m_bFloating))
            continue;
        if (!pInfo->m_bFloating) {
            pInfo->m_pBar = AsDockBar(GetControlBar(nID));
        } else {
            // A floating frame only for records that name a bar this frame has.
            BOOL bAnyBar = FALSE;
            for (int j = 0; j < pInfo->m_arrBarID.GetSize(); ++j) {
                const DWORD dwEntry = pInfo->m_arrBarID[j];
                CControlBar* pBar =
                    (dwEntry & CControlBarInfo::placeHolderFlag) ? nullptr : GetControlBar(dwEntry);
                bAnyBar = bAnyBar || (pBar != nullptr && !pBar->IsDockBar());
            }
            if (!bAnyBar)
                continue;
            CMiniDockFrameWnd* pFrame =
                CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            pFrame->SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            pInfo->m_pBar = &pFrame->m_wndDockBar;
            floatingFrames.push_back(pFrame);
        }
        if (pInfo->m_pBar != nullptr)
            dockRecords.push_back(pInfo);
    }
    // Rows first, then each bar's own state.
    for (CControlBarInfo* pInfo : dockRecords)
        pInfo->m_pBar->SetBarInfo(pInfo, this);
    for (CControlBarInfo* pInfo : barRecords)
        pInfo->m_pBar->SetBarInfo(pInfo, this);
    for (CMiniDockFrameWnd* pFrame : floatingFrames) {
        if (pFrame->m_wndDockBar.GetDockedCount() == 0) {
            pFrame->DestroyWindow();
            continue;
        }
        pFrame->RecalcLayout(TRUE);
        if (pFrame->m_wndDockBar.GetDockedVisibleCount() > 0) {
            pFrame->ShowWindow(SW_SHOWNA);
            pFrame->UpdateWindow();
        }
    }
    RecalcLayout();
    DelayRecalcLayout();
}

void CFrameWnd::SaveBarState(LPCTSTR lpszProfileName) const
{
    CDockState state;
    GetDockState(state);
    state.SaveState(lpszProfileName);
}

void CFrameWnd::LoadBarState(LPCTSTR lpszProfileName)
{
    CDockState state;
    state.LoadState(lpszProfileName);
    SetDockState(state);
}
