// LTCustomToolBar: the button list, wrapping and balancing rows, layout answers, painting and the mouse.
#include "toolkit/win/LTCustomToolBar.h"

#include "classlib/ClassLibIds.h"
#include "classlib/CmdUI.h"
#include "classlib/win/AfxPriv.h"
#include "toolkit/win/LTCustomToolBarInfoEx.h"
#include "toolkit/win/LTGlobalData.h"
#include "toolkit/win/LTToolBarManager.h"
#include "toolkit/win/ToolBarResource.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(LTCustomToolBar, LTControlBar)

namespace {

// Posted to an emptied user toolbar: it destroys itself once the removing call has returned.
const UINT WM_LTTB_DESTROYSELF = ::RegisterWindowMessage("LTCustomToolBarDestroySelf");

const UINT kHotPeriod = 100;

// Updates one button of a bar through the command handlers.
class LTToolCmdUI : public CCmdUI
{
public:
    LTCustomToolBar* m_pBar = nullptr;

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        ToolBarButton* pButton = Button();
        SetStyle(pButton, bOn ? (pButton->m_dwStyle & ~LTBS_DISABLED) : (pButton->m_dwStyle | LTBS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        ToolBarButton* pButton = Button();
        DWORD dwStyle = (pButton->m_dwStyle & ~(LTBS_CHECKED | LTBS_INDETERMINATE)) | LTBS_CHECKBOX;
        if (nCheck == 1)
            dwStyle |= LTBS_CHECKED;
        else if (nCheck == 2)
            dwStyle |= LTBS_INDETERMINATE;
        SetStyle(pButton, dwStyle);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override {}

private:
    ToolBarButton* Button() const { return m_pBar->GetButton(static_cast<int>(m_nIndex)); }
    void SetStyle(ToolBarButton* pButton, DWORD dwStyle)
    {
        if (pButton->m_dwStyle == dwStyle)
            return;
        pButton->m_dwStyle = dwStyle;
        pButton->Invalidate(FALSE);
    }
};

} // namespace

BEGIN_MESSAGE_MAP(LTCustomToolBar, LTControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_CANCELMODE()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_SYSCOLORCHANGE()
ON_WM_SHOWWINDOW()
ON_WM_WINDOWPOSCHANGING()
ON_REGISTERED_MESSAGE(WM_LTTB_DESTROYSELF, OnDestroySelf)
ON_REGISTERED_MESSAGE(WM_NODELAYHIDE, OnNoDelayHide)
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

LTCustomToolBar::LTCustomToolBar()
    : m_bOwnsBitmap(TRUE), m_nBitmapCommands(0), m_hBitmap(nullptr), m_lpszBitmapResource(nullptr),
      m_nImageHeight(0), m_nImageWidth(16), m_nSepWidth(8), m_nSelection(-1), m_nHot(-1), m_bCustomize(FALSE),
      m_dwOrientation(0), m_bDirtyHorz(TRUE), m_bDirtyVert(TRUE), m_bDirtyFloat(TRUE), m_sizeHorzTB(0, 0),
      m_sizeVertTB(0, 0), m_sizeFloatTB(0, 0), m_nWidest(0)
{
    for (int i = 0; i < 5; ++i)
        m_gripper.m_nHorz[i] = m_gripper.m_nVert[i] = (i == 0 || i == 4) ? 2 : (i == 2 ? 1 : 3);
    m_gripper.m_nInset = 0;
    m_cyTopBorder = m_cyBottomBorder = 3;
}

LTCustomToolBar::~LTCustomToolBar()
{
    FreeOwnBitmap();
    DeleteButtons();
}

void LTCustomToolBar::FreeOwnBitmap()
{
    if (m_bOwnsBitmap && m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_commands.clear();
    m_nBitmapCommands = 0;
}

void LTCustomToolBar::DeleteButtons()
{
    for (ToolBarButton* pButton : m_buttons)
        delete pButton;
    m_buttons.clear();
}

// ---- creation

BOOL LTCustomToolBar::CreateBarWindow(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID,
                                      LPCTSTR lpszTitle)
{
    m_dwStyle = dwStyle & LT_BAR_STYLE_MASK;
    if (!MakeWindow(pParentWnd, dwStyle, nID, lpszTitle))
        return FALSE;
    MarkDirty();
    m_dwExStyle = dwExStyle | BAR_EX_TOOLBAR_LAYOUT;
    return TRUE;
}

BOOL LTCustomToolBar::CreateEx(LPCTSTR, LPCTSTR lpszTitle, UINT nID, DWORD dwStyle, DWORD dwExStyle,
                               const RECT&, CWnd* pParentWnd, CCreateContext*)
{
    m_dwExStyle = dwExStyle | BAR_EX_TOOLBAR_LAYOUT;
    MarkDirty();
    m_dwStyle = dwStyle & LT_BAR_STYLE_MASK;
    return MakeWindow(pParentWnd, dwStyle, nID, lpszTitle);
}

BOOL LTCustomToolBar::MakeWindow(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle)
{
    LPCTSTR lpszClass =
        AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CWnd::Create(lpszClass, lpszTitle, dwStyle & ~CBRS_ALL, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    NotifyManager(LTBN_CREATED);
    return TRUE;
}

// ---- bitmap and buttons

void LTCustomToolBar::SetBitmap(HBITMAP hBitmap, const UINT* pCommands, UINT nCommands, int nImageWidth,
                                int nImageHeight)
{
    FreeOwnBitmap();
    m_bOwnsBitmap = FALSE;
    m_hBitmap = hBitmap;
    m_commands.assign(pCommands, pCommands + nCommands);
    m_nBitmapCommands = nCommands;
    m_nImageWidth = nImageWidth;
    m_nImageHeight = nImageHeight;
    for (ToolBarButton* pButton : m_buttons)
        pButton->RecalcSize();
    MarkDirty();
}

void LTCustomToolBar::SetOwnBitmap(HBITMAP hBitmap, const UINT* pCommands, UINT nCommands, int nImageWidth,
                                   int nImageHeight)
{
    SetBitmap(hBitmap, pCommands, nCommands, nImageWidth, nImageHeight);
    m_bOwnsBitmap = TRUE;
}

UINT LTCustomToolBar::FindImageIndex(UINT nID) const
{
    const auto it = std::find(m_commands.begin(), m_commands.end(), nID);
    return static_cast<UINT>(it - m_commands.begin());
}

LTToolBarManager* LTCustomToolBar::GetToolBarManager() const
{
    return m_pBarManager != nullptr && m_pBarManager->IsKindOf(RUNTIME_CLASS(LTToolBarManager))
               ? static_cast<LTToolBarManager*>(m_pBarManager)
               : nullptr;
}

ToolBarButton* LTCustomToolBar::CreateButton(UINT nID, LTCustomToolBar* pOwner)
{
    LTCustomToolBar* pBar = pOwner != nullptr ? pOwner : this;
    // The manager's button map chooses the kind; the last entry for the command wins.
    const ToolBarButtonMapEntry* pEntry = nullptr;
    LTToolBarManager* pManager = GetToolBarManager();
    if (pManager != nullptr && pManager->GetButtonMap() != nullptr) {
        for (const ToolBarButtonMapEntry* p = pManager->GetButtonMap(); p->pClass != nullptr; ++p) {
            if (p->nID == nID)
                pEntry = p;
        }
    }
    ToolBarButton* pButton =
        pEntry != nullptr ? pEntry->pClass->CreateButton() : ToolBarButton::classToolBarButton.CreateButton();
    if (pButton == nullptr)
        return nullptr;
    pButton->m_dwStyle = pEntry != nullptr ? pEntry->dwStyle : 0;
    pButton->m_nID = nID;
    pButton->m_nImage = pBar->FindImageIndex(nID);
    pButton->Init(pBar, pEntry != nullptr ? pEntry->data : nullptr);
    pButton->SetOrientation(pBar->m_dwOrientation);
    return pButton;
}

ToolBarButton* LTCustomToolBar::CreateSeparator(LTCustomToolBar* pOwner)
{
    LTCustomToolBar* pBar = pOwner != nullptr ? pOwner : this;
    auto* pButton = new ToolBarButton;
    pButton->m_dwStyle = LTBS_SEPARATOR;
    pButton->m_cx = pBar->m_nSepWidth;
    pButton->m_cy = pBar->m_nImageHeight + 7;
    pButton->Init(pBar, nullptr);
    return pButton;
}

BOOL LTCustomToolBar::SetButtons(const UINT* pIDs, int nCount)
{
    DeleteButtons();
    if (m_bCustomize && m_nSelection >= 0) {
        m_nSelection = -1;
        NotifyManager(LTBN_SELCHANGE);
    }
    m_nSelection = m_nHot = -1;
    for (int i = 0; pIDs != nullptr && i < nCount; ++i) {
        ToolBarButton* pButton = pIDs[i] == 0 ? CreateSeparator() : CreateButton(pIDs[i]);
        if (pButton != nullptr)
            m_buttons.push_back(pButton);
    }
    MarkDirty();
    return TRUE;
}

void LTCustomToolBar::RelayoutNow()
{
    MarkDirty();
    if (m_hWnd == nullptr)
        return;
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void LTCustomToolBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoRelayout)
{
    nIndex = std::max(0, std::min(nIndex, GetButtonCount()));
    ToolBarButton* pButton = bSeparator ? CreateSeparator() : CreateButton(nID);
    if (pButton == nullptr)
        return;
    m_buttons.insert(m_buttons.begin() + nIndex, pButton);
    m_nMRUWidth += static_cast<UINT>(pButton->m_cx);
    if (m_nSelection >= nIndex) {
        ++m_nSelection;
        if (m_bCustomize && m_hWnd != nullptr)
            Invalidate();
    }
    if ((m_dwExStyle & BAR_EX_FLAT_BORDERS) && m_nHot >= nIndex)
        ++m_nHot;
    if (!bSeparator)
        UpdateButton(nIndex);
    if (bNoRelayout)
        MarkDirty();
    else
        RelayoutNow();
}

BOOL LTCustomToolBar::RemoveButton(int nIndex, BOOL bNoRelayout)
{
    if (nIndex < 0 || nIndex >= GetButtonCount())
        return TRUE;
    delete m_buttons[static_cast<size_t>(nIndex)];
    m_buttons.erase(m_buttons.begin() + nIndex);
    int nRemoved = 1;
    // At most one separator left dangling goes too.
    const int nCount = GetButtonCount();
    int nDangling = -1;
    if (nCount == 0)
        nDangling = -1;
    else if (nIndex == 0 && m_buttons.front()->IsSeparator())
        nDangling = 0;
    else if (nIndex == nCount && m_buttons.back()->IsSeparator())
        nDangling = nCount - 1;
    else if (nIndex > 0 && nIndex < nCount && m_buttons[static_cast<size_t>(nIndex - 1)]->IsSeparator() &&
             m_buttons[static_cast<size_t>(nIndex)]->IsSeparator())
        nDangling = nIndex;
    if (nDangling >= 0) {
        delete m_buttons[static_cast<size_t>(nDangling)];
        m_buttons.erase(m_buttons.begin() + nDangling);
        ++nRemoved;
    }
    auto shift = [nIndex, nRemoved](int& n) {
        if (n == nIndex)
            n = -1;
        else if (n > nIndex)
            n = std::max(-1, n - nRemoved);
    };
    shift(m_nSelection);
    const int nHotBefore = m_nHot;
    shift(m_nHot);
    if (nHotBefore >= 0 && m_nHot < 0 && m_hWnd != nullptr)
        KillTimer(LTTB_HOT_TIMER);
    if (bNoRelayout) {
        MarkDirty();
        return TRUE;
    }
    if (m_buttons.empty() && m_hWnd != nullptr && static_cast<UINT>(GetDlgCtrlID()) > LTTB_LAST_DEFAULT_ID) {
        PostMessage(WM_LTTB_DESTROYSELF);
        return FALSE;
    }
    RelayoutNow();
    return TRUE;
}

LRESULT LTCustomToolBar::OnDestroySelf(WPARAM, LPARAM)
{
    // Only a bar still empty goes: buttons may have come back meanwhile.
    if (m_buttons.empty())
        DestroyWindow();
    return 0;
}

void LTCustomToolBar::GetButtonsInfo(LTCustomToolBarInfoEx* pInfo)
{
    GetWindowText(pInfo->m_strTitle);
    pInfo->m_buttons.clear();
    for (const ToolBarButton* pButton : m_buttons) {
        LTToolBarButtonRecord record{pButton->IsSeparator() ? 0u : pButton->m_nID, {}};
        if (!pButton->IsSeparator())
            pButton->SaveData(record.data);
        pInfo->m_buttons.push_back(std::move(record));
    }
}

void LTCustomToolBar::SetButtonsInfo(const LTCustomToolBarInfoEx* pInfo)
{
    SetButtons(nullptr, 0);
    if (!pInfo->m_strTitle.IsEmpty())
        SetWindowText(pInfo->m_strTitle);
    for (const LTToolBarButtonRecord& record : pInfo->m_buttons) {
        ToolBarButton* pButton = record.nID == 0 ? CreateSeparator() : CreateButton(record.nID);
        if (pButton == nullptr)
            continue;
        if (!record.data.empty())
            pButton->LoadData(record.data.data(), static_cast<UINT>(record.data.size()));
        m_buttons.push_back(pButton);
    }
    MarkDirty();
}

int LTCustomToolBar::CommandToIndex(UINT nID) const
{
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i]->m_nID == nID && !m_buttons[i]->IsSeparator())
            return static_cast<int>(i);
    }
    return -1;
}

UINT LTCustomToolBar::GetButtonCommand(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetButtonCount() ? GetButton(nIndex)->m_nID : 0;
}

void LTCustomToolBar::GetButtonRect(int nIndex, LPRECT lpRect) const
{
    *lpRect = GetButton(nIndex)->GetRect();
}

void LTCustomToolBar::InvalidateButton(int nIndex)
{
    if (nIndex >= 0 && nIndex < GetButtonCount() && m_hWnd != nullptr) {
        const CRect rect = GetButton(nIndex)->GetRect();
        InvalidateRect(&rect, FALSE);
    }
}

void LTCustomToolBar::SendButtonMessage(UINT nID, UINT nCode, const void* pData, BOOL bAllBars)
{
    LTToolBarManager* pManager = GetToolBarManager();
    if (bAllBars && pManager != nullptr) {
        pManager->BroadcastButtonMessage(nID, nCode, pData);
        return;
    }
    for (ToolBarButton* pButton : m_buttons) {
        if (pButton->m_nID == nID && !pButton->IsSeparator())
            pButton->OnButtonMessage(nCode, pData);
    }
}

void LTCustomToolBar::NotifyManager(UINT nCode)
{
    LTToolBarManager* pManager = GetToolBarManager();
    if (pManager != nullptr && m_hWnd != nullptr)
        pManager->Broadcast(static_cast<UINT>(GetDlgCtrlID()), nCode);
}

ToolBarDrawContext* LTCustomToolBar::GetDrawContext()
{
    LTToolBarManager* pManager = GetToolBarManager();
    if (pManager != nullptr && pManager->m_pDrawContext)
        return pManager->m_pDrawContext.get();
    if (!m_pOwnContext)
        m_pOwnContext = std::make_unique<ToolBarDrawContext>();
    return m_pOwnContext.get();
}

int LTCustomToolBar::HitTest(CPoint point, LPRECT lpRect) const
{
    const int nRowHeight = m_nImageHeight + 7;
    size_t i = 0;
    while (i < m_buttons.size()) {
        const int nTop = m_buttons[i]->m_y;
        if (point.y < nTop)
            return -1;
        if (point.y <= nTop + nRowHeight) {
            for (; i < m_buttons.size(); ++i) {
                const ToolBarButton* pButton = m_buttons[i];
                if (point.x >= pButton->m_x && point.x <= pButton->m_x + pButton->m_cx) {
                    if (pButton->IsSeparator())
                        return -1;
                    if (lpRect != nullptr)
                        *lpRect = pButton->GetRect();
                    return static_cast<int>(i);
                }
                if (pButton->m_dwStyle & LTBS_WRAPPED)
                    return -1;
            }
            return -1;
        }
        // The next row begins after the next wrapped button.
        while (i < m_buttons.size() && !(m_buttons[i]->m_dwStyle & LTBS_WRAPPED))
            ++i;
        ++i;
    }
    return -1;
}

INT_PTR LTCustomToolBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    const int nHit = HitTest(point);
    if (nHit >= 0)
        return GetButton(nHit)->OnToolHitTest(point.x, point.y, pTI);
    return LTControlBar::OnToolHitTest(point, pTI);
}

// ---- wrapping and balancing

std::vector<LTWrapRow> LTCustomToolBar::WrapButtons(int nWidth) const
{
    std::vector<LTWrapRow> rows;
    const int nCount = GetButtonCount();
    int nFirst = 0, nRunning = 0, nLastSep = -1;
    for (int i = 0; i < nCount;) {
        const ToolBarButton* pButton = GetButton(i);
        if (i == nFirst || nRunning + pButton->m_cx <= nWidth + 2) {
            nRunning += pButton->m_cx;
            if (pButton->IsSeparator() && i > nFirst)
                nLastSep = i;
            ++i;
            continue;
        }
        if (nLastSep > nFirst) {
            // The separator closes the row and is not part of its width.
            int nRowWidth = 0;
            for (int j = nFirst; j < nLastSep; ++j)
                nRowWidth += GetButton(j)->m_cx;
            rows.push_back({nLastSep, TRUE, nRowWidth});
            nFirst = nLastSep + 1;
            nRunning = 0;
            for (int j = nFirst; j < i; ++j)
                nRunning += GetButton(j)->m_cx;
        } else {
            rows.push_back({i - 1, GetButton(i - 1)->IsSeparator(), nRunning});
            nFirst = i;
            nRunning = 0;
        }
        nLastSep = -1;
        for (int j = nFirst; j < i; ++j) {
            if (GetButton(j)->IsSeparator() && j > nFirst)
                nLastSep = j;
        }
    }
    if (nCount > 0)
        rows.push_back({nCount - 1, FALSE, nRunning});
    return rows;
}

int LTCustomToolBar::HeightOf(const std::vector<LTWrapRow>& rows) const
{
    int nHeight = static_cast<int>(rows.size()) * (m_nImageHeight + 7);
    for (const LTWrapRow& row : rows)
        nHeight += row.bSeparator ? (2 * m_nSepWidth) / 3 : 0;
    return nHeight;
}

void LTCustomToolBar::ApplyWrap(const std::vector<LTWrapRow>& rows)
{
    for (ToolBarButton* pButton : m_buttons)
        pButton->m_dwStyle &= ~LTBS_WRAPPED;
    for (size_t r = 0; r + 1 < rows.size(); ++r)
        GetButton(rows[r].nLast)->m_dwStyle |= LTBS_WRAPPED;
}

CSize LTCustomToolBar::CalcWrappedSize(int nLength, BOOL bByHeight)
{
    int nWidest = 0;
    for (const ToolBarButton* pButton : m_buttons)
        nWidest = std::max(nWidest, pButton->m_cx);
    const int nStep = m_nImageWidth + 7;
    std::vector<LTWrapRow> rows;
    if (!bByHeight) {
        rows = WrapButtons(std::max(nLength, nWidest));
    } else {
        const int nFit = nLength / (m_nImageHeight + 7);
        int nWidth;
        if (nFit > 0)
            nWidth = std::max(GetButtonCount() * nStep / nFit, nWidest);
        else
            nWidth = nLength <= 0 ? nWidest : 0x7FFF; // no length at all: one column
        rows = WrapButtons(nWidth);
        int nHeight = HeightOf(rows);
        if (nLength > 0 && nHeight < nLength) {
            while (nHeight != nLength && nWidth - nStep >= nWidest) {
                std::vector<LTWrapRow> narrower = WrapButtons(nWidth - nStep);
                const int nNarrower = HeightOf(narrower);
                if (nNarrower > nLength)
                    break;
                nWidth -= nStep;
                rows = narrower;
                nHeight = nNarrower;
            }
        } else if (nLength > 0) {
            while (nHeight > nLength && rows.size() > 1) {
                nWidth += nStep;
                rows = WrapButtons(nWidth);
                nHeight = HeightOf(rows);
            }
        }
    }
    BalanceRows(rows);
    ApplyWrap(rows);
    int nWidth = 0;
    for (const LTWrapRow& row : rows)
        nWidth = std::max(nWidth, row.nWidth);
    return CSize(nWidth, HeightOf(rows));
}

namespace {

// Row r ends at nCut (a separator) now: what lay after it joins the next row.
void CutRow(std::vector<LTWrapRow>& rows, size_t r, int nCut, int nMoved)
{
    rows[r].nLast = nCut;
    rows[r].bSeparator = TRUE;
    rows[r].nWidth -= nMoved;
    rows[r + 1].nWidth += nMoved;
}

} // namespace

BOOL LTCustomToolBar::CanPushGroupDown(std::vector<LTWrapRow> rows, size_t nRow, int nLimit) const
{
    if (nRow + 1 >= rows.size() || !rows[nRow].bSeparator)
        return FALSE;
    const int nFirst = nRow == 0 ? 0 : rows[nRow - 1].nLast + 1;
    int nSum = 0, nSep = -1;
    for (int j = rows[nRow].nLast - 1; j > nFirst; --j) {
        nSum += GetButton(j)->m_cx;
        if (GetButton(j)->IsSeparator()) {
            nSep = j;
            break;
        }
    }
    if (nSep < 0)
        return FALSE;
    if (nSum + rows[nRow + 1].nWidth < nLimit)
        return TRUE;
    // Tentatively: the group in the next row, and that row asked the same.
    CutRow(rows, nRow, nSep, nSum - GetButton(nSep)->m_cx);
    rows[nRow + 1].nWidth += GetButton(nSep)->m_cx;
    return CanPushGroupDown(rows, nRow + 1, nLimit);
}

void LTCustomToolBar::BalanceRows(std::vector<LTWrapRow>& rows)
{
    // Each pass moves buttons towards later rows; the bound only guards against a table that does not settle.
    for (int nPass = 0; nPass < 4 * GetButtonCount() + 4; ++nPass) {
        if (rows.size() < 2)
            return;
        size_t k = 0;
        for (size_t r = 0; r < rows.size(); ++r) {
            if (rows[r].nWidth >= rows[k].nWidth)
                k = r;
        }
        if (k + 1 == rows.size())
            return;
        const int nWidest = rows[k].nWidth;
        const int nFirst = k == 0 ? 0 : rows[k - 1].nLast + 1;
        if (rows[k].bSeparator) {
            int nSum = 0, nStop = -1;
            BOOL bCut = FALSE;
            for (int j = rows[k].nLast - 1; j > nFirst; --j) {
                if (GetButton(j)->IsSeparator()) {
                    if (nSum + rows[k + 1].nWidth < nWidest) {
                        CutRow(rows, k, j, nSum);
                        bCut = TRUE;
                    } else {
                        nStop = j;
                    }
                    break;
                }
                nSum += GetButton(j)->m_cx;
            }
            if (bCut)
                continue;
            if (nStop < 0 || !CanPushGroupDown(rows, k, nWidest))
                return;
            CutRow(rows, k, nStop, nSum);
            continue;
        }
        if (rows[k].nLast == nFirst)
            return;
        const int w = GetButton(rows[k].nLast)->m_cx;
        if (w + rows[k + 1].nWidth >= nWidest) {
            size_t m = k + 1;
            while (m + 1 < rows.size() && !rows[m].bSeparator)
                ++m;
            if (m == k + 1 || w + rows[m].nWidth > nWidest)
                return;
        }
        rows[k].nLast -= 1;
        rows[k].bSeparator = GetButton(rows[k].nLast)->IsSeparator();
        rows[k].nWidth -= w;
        rows[k + 1].nWidth += w;
    }
}

// ---- layout answers

void LTCustomToolBar::PlaceButtons(const CRect& rectInside)
{
    int x = rectInside.left, y = rectInside.top;
    int nRowHeight = 0;
    for (ToolBarButton* pButton : m_buttons) {
        pButton->SetPosition(x, y);
        nRowHeight = std::max(nRowHeight, pButton->m_cy);
        if (pButton->m_dwStyle & LTBS_WRAPPED) {
            x = rectInside.left;
            y += nRowHeight + (pButton->IsSeparator() ? (2 * m_nSepWidth) / 3 : 0);
            nRowHeight = 0;
        } else {
            x += pButton->m_cx;
        }
    }
}

CSize LTCustomToolBar::CalcLayout(int nLength, DWORD dwMode)
{
    CRect rectInset(0, 0, 0, 0);
    CalcInsideRect(rectInset, (dwMode & LM_HORZ) != 0, TRUE);
    const int cxInsets = rectInset.left - rectInset.right;
    const int cyInsets = rectInset.top - rectInset.bottom;
    if (dwMode & LM_STRETCH)
        nLength = static_cast<int>(static_cast<float>(nLength) * m_fPctWidth);
    if (dwMode & LM_COMMIT) {
        if (m_dwStyle & CBRS_SIZE_FIXED)
            nLength = 0x7FFF;
        const DWORD dwOrientation = m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
        if (dwOrientation != m_dwOrientation) {
            m_dwOrientation = dwOrientation;
            for (ToolBarButton* pButton : m_buttons)
                pButton->SetOrientation(dwOrientation);
        }
        const BOOL bByHeight = !(dwMode & LM_HORZ);
        CSize size(m_nImageWidth + 7, m_nImageHeight + 7);
        if (!m_buttons.empty()) {
            CSize content;
            if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (dwMode & LM_MRUWIDTH))
                content = CalcWrappedSize(static_cast<int>(m_nMRUWidth), FALSE);
            else if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && nLength != -1)
                content = CalcWrappedSize(nLength - ((dwMode & LM_LENGTHY) ? cyInsets : cxInsets),
                                          (dwMode & LM_LENGTHY) != 0);
            else if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && IsFloating())
                content = CalcWrappedSize(static_cast<int>(m_nMRUWidth), FALSE);
            else
                content = CalcWrappedSize(bByHeight ? 0 : 0x7FFF, bByHeight);
            PlaceButtons(CRect(rectInset.left, rectInset.top, 0, 0));
            size = CSize(content.cx + cxInsets, content.cy + cyInsets);
        }
        if (dwMode & LM_HORZDOCK) {
            m_sizeHorzTB = m_szHorz = size;
            m_bDirtyHorz = FALSE;
        } else if (dwMode & LM_VERTDOCK) {
            m_sizeVertTB = m_szVert = size;
            m_bDirtyVert = FALSE;
        } else {
            m_sizeFloatTB = m_szFloat = size;
            if (!(dwMode & LM_LENGTHY))
                m_nMRUWidth = static_cast<UINT>(size.cx);
            m_bDirtyFloat = FALSE;
        }
    }
    if (dwMode & LM_HORZDOCK)
        return m_sizeHorzTB;
    if (dwMode & LM_VERTDOCK)
        return m_sizeVertTB;
    return CSize(m_sizeFloatTB.cx - 2, m_sizeFloatTB.cy - 2);
}

CSize LTCustomToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    return CalcLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

CSize LTCustomToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (!(dwMode & LM_COMMIT)) {
        const BOOL bDirty =
            (dwMode & LM_HORZDOCK) ? m_bDirtyHorz : ((dwMode & LM_VERTDOCK) ? m_bDirtyVert : m_bDirtyFloat);
        if (bDirty)
            return CalcLayout((dwMode & LM_VERTDOCK) ? 0 : 0x7FFF, dwMode | LM_COMMIT);
        if (!(dwMode & (LM_HORZDOCK | LM_VERTDOCK)))
            return CalcLayout(-1, dwMode);
        return LTControlBar::CalcDynamicLayout(nLength, dwMode);
    }
    if (((dwMode & LM_HORZDOCK) && (dwMode & LM_LENGTHY)) ||
        ((dwMode & LM_VERTDOCK) && !(dwMode & LM_LENGTHY)))
        return LTControlBar::CalcDynamicLayout(nLength, dwMode);
    return CalcLayout(nLength, dwMode);
}

// ---- painting

void LTCustomToolBar::DrawBorders(CDC* pDC, CRect& rect)
{
    if ((m_dwExStyle & BAR_EX_FLAT_BORDERS) && (m_dwStyle & CBRS_BORDER_ANY)) {
        const LTGlobalData& data = LTGetGlobalData();
        const COLORREF clrLead = (m_dwStyle & CBRS_BORDER_3D) ? data.clrBtnHilite : data.clrBtnShadow;
        if (m_dwStyle & CBRS_BORDER_LEFT)
            pDC->FillSolidRect(rect.left, rect.top, 1, rect.Height(), clrLead);
        if (m_dwStyle & CBRS_BORDER_TOP)
            pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, clrLead);
        if (m_dwStyle & CBRS_BORDER_RIGHT)
            pDC->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), data.clrBtnShadow);
        if (m_dwStyle & CBRS_BORDER_BOTTOM)
            pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, data.clrBtnShadow);
    }
    LTControlBar::DrawBorders(pDC, rect);
}

void LTCustomToolBar::DelayShow(BOOL bShow)
{
    LTToolBarManager* pManager = GetToolBarManager();
    if (!bShow && pManager != nullptr && pManager->m_bCustomizeMode && IsFloating() && m_hWnd != nullptr) {
        if (!(m_nStateFlags & delayHide)) {
            m_nStateFlags = (m_nStateFlags & ~delayShow) | delayHide;
            PostMessage(WM_NODELAYHIDE);
        }
        return;
    }
    LTControlBar::DelayShow(bShow);
}

LRESULT LTCustomToolBar::OnNoDelayHide(WPARAM, LPARAM)
{
    LTToolBarManager* pManager = GetToolBarManager();
    if (pManager != nullptr && pManager->m_bCustomizeMode && IsFloating()) {
        m_nStateFlags &= ~delayHide;
        if (CFrameWnd* pFrame = GetDockingFrame())
            pFrame->ShowControlBar(this, FALSE, FALSE);
    }
    return 0;
}

int LTCustomToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    if (m_bCustomize && !IsFloating())
        return MA_NOACTIVATE;
    return LTControlBar::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void LTCustomToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    LTControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if ((dwOldStyle ^ dwNewStyle) & (CBRS_ALIGN_ANY | CBRS_FLOATING | CBRS_SIZE_DYNAMIC | CBRS_SIZE_FIXED))
        MarkDirty();
    for (ToolBarButton* pButton : m_buttons)
        pButton->OnBarStyleChange(dwNewStyle);
}

void LTCustomToolBar::AddGripperSize(CSize* pSize, BOOL bHorz)
{
    LTControlBar::AddGripperSize(pSize, bHorz);
    if (m_dwExStyle & BAR_EX_HIDE_BUTTON)
        (bHorz ? pSize->cx : pSize->cy) += 2;
}

void LTCustomToolBar::DoPaint(CDC* pDC)
{
    LTControlBar::DoPaint(pDC);
    if (m_buttons.empty())
        return;
    ToolBarDrawContext* pContext = GetDrawContext();
    if (!pContext->Prepare(pDC, m_hBitmap, m_nWidest, this))
        return;
    for (ToolBarButton* pButton : m_buttons)
        pButton->Draw(pDC, pContext);
    pContext->Release();
}

// ---- command update

void LTCustomToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    LTToolCmdUI state;
    state.m_pBar = this;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetButtonCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        if (state.m_nIndex >= static_cast<UINT>(GetButtonCount()))
            break;
        ToolBarButton* pButton = GetButton(static_cast<int>(state.m_nIndex));
        if (pButton->IsSeparator())
            continue;
        state.m_nID = pButton->m_nID;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void LTCustomToolBar::UpdateButton(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetButtonCount() || GetButton(nIndex)->IsSeparator() || m_hWnd == nullptr)
        return;
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget =
        pOwner != nullptr && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : AfxGetParentFrame(this);
    if (pTarget == nullptr)
        return;
    LTToolCmdUI state;
    state.m_pBar = this;
    state.m_pOther = this;
    state.m_nIndex = static_cast<UINT>(nIndex);
    state.m_nIndexMax = static_cast<UINT>(GetButtonCount());
    state.m_nID = GetButton(nIndex)->m_nID;
    state.DoUpdate(pTarget, pTarget->m_bAutoMenuEnable);
}

// ---- mouse

void LTCustomToolBar::SendToOwner(UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pOwner = GetOwner();
    if (pOwner != nullptr && pOwner->m_hWnd != nullptr)
        pOwner->SendMessage(message, wParam, lParam);
}

void LTCustomToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int nHit = HitTest(point);
    if (nHit < 0 || m_bCustomize || (GetButton(nHit)->m_dwStyle & LTBS_DISABLED)) {
        LTControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    UpdateButton(nHit);
    ToolBarButton* pButton = GetButton(nHit);
    if (!pButton->OnPress(point.x, point.y))
        return;
    m_nSelection = nHit;
    InvalidateButton(nHit);
    UpdateWindow();
    SetCapture();
    SendToOwner(WM_SETMESSAGESTRING, pButton->m_nID, 0);
}

void LTCustomToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bCustomize) {
        LTControlBar::OnMouseMove(nFlags, point);
        return;
    }
    if (m_nSelection >= 0 && m_nSelection < GetButtonCount()) {
        ToolBarButton* pButton = GetButton(m_nSelection);
        const DWORD dwBefore = pButton->m_dwStyle;
        if (::GetCapture() == m_hWnd) {
            pButton->OnDrag(point.x, point.y);
        } else {
            pButton->Release();
            m_nSelection = -1;
            SendToOwner(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
        }
        if (pButton->m_dwStyle != dwBefore)
            pButton->Invalidate(FALSE);
        return;
    }
    UpdateHot(point);
    LTControlBar::OnMouseMove(nFlags, point);
}

void LTCustomToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nSelection < 0 || m_bCustomize || m_nSelection >= GetButtonCount()) {
        LTControlBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int nIndex = m_nSelection;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    UpdateButton(nIndex);
    ToolBarButton* pButton = GetButton(nIndex);
    const UINT nCommand = pButton->OnRelease(point.x, point.y);
    SendToOwner(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    UpdateButton(nIndex);
    InvalidateButton(nIndex);
    m_nSelection = -1;
    if (nCommand != 0)
        SendToOwner(WM_COMMAND, nCommand, 0);
}

void LTCustomToolBar::OnCancelMode()
{
    if (!m_bCustomize && m_nSelection >= 0 && m_nSelection < GetButtonCount()) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        GetButton(m_nSelection)->Release();
        InvalidateButton(m_nSelection);
        m_nSelection = -1;
    }
    LTControlBar::OnCancelMode();
}

void LTCustomToolBar::SetHot(int nIndex)
{
    if (nIndex == m_nHot)
        return;
    const int nOld = m_nHot;
    if (nOld >= 0 && nOld < GetButtonCount()) {
        GetButton(nOld)->m_dwStyle &= ~LTBS_HOT;
        InvalidateButton(nOld);
    }
    m_nHot = nIndex;
    if (nIndex >= 0) {
        GetButton(nIndex)->m_dwStyle |= LTBS_HOT;
        InvalidateButton(nIndex);
        if (nOld < 0)
            SetTimer(LTTB_HOT_TIMER, kHotPeriod, nullptr);
    } else {
        KillTimer(LTTB_HOT_TIMER);
    }
    UpdateWindow();
}

void LTCustomToolBar::UpdateHot(CPoint point)
{
    if (!(m_dwExStyle & BAR_EX_FLAT_BORDERS))
        return;
    int nHit = -1;
    if (::GetActiveWindow() != nullptr) {
        CRect rect;
        GetClientRect(&rect);
        nHit = rect.PtInRect(point) ? HitTest(point) : -1;
        if (nHit >= 0 && (GetButton(nHit)->m_dwStyle & LTBS_DISABLED))
            nHit = -1;
    }
    SetHot(nHit);
}

void LTCustomToolBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != LTTB_HOT_TIMER) {
        LTControlBar::OnTimer(nIDEvent);
        return;
    }
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    UpdateHot(point);
}

void LTCustomToolBar::OnDestroy()
{
    if (m_bCustomize && m_nSelection >= 0)
        NotifyManager(LTBN_SELCHANGE);
    NotifyManager(LTBN_DESTROYED);
    KillTimer(LTTB_HOT_TIMER);
    LTControlBar::OnDestroy();
}

void LTCustomToolBar::OnSysColorChange()
{
    LTControlBar::OnSysColorChange();
    if (m_pOwnContext)
        m_pOwnContext->RebuildDitherBrush();
    LTToolBarManager* pManager = GetToolBarManager();
    if (pManager != nullptr && pManager->m_pDrawContext)
        pManager->m_pDrawContext->RebuildDitherBrush();
    if (m_bOwnsBitmap && m_lpszBitmapResource != nullptr) {
        CBitmap bitmap;
        std::vector<UINT> commands;
        int cx = 0, cy = 0;
        if (LoadToolBarResource(m_lpszBitmapResource, &bitmap, commands, cx, cy)) {
            if (m_hBitmap != nullptr)
                ::DeleteObject(m_hBitmap);
            m_hBitmap = static_cast<HBITMAP>(bitmap.Detach());
        }
    } else if (!m_bOwnsBitmap && pManager != nullptr) {
        pManager->ReloadSharedBitmap();
    }
}

void LTCustomToolBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    if (lpWndPos->flags & SWP_HIDEWINDOW)
        NotifyManager(LTBN_HIDDEN);
    else if (lpWndPos->flags & SWP_SHOWWINDOW)
        NotifyManager(LTBN_SHOWN);
    // The base repaints bordered bars on every resize: the buttons need that only when they wrap anew.
    const DWORD dwStyle = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    LTControlBar::OnWindowPosChanging(lpWndPos);
    m_dwStyle = dwStyle & LT_BAR_STYLE_MASK;
    if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && !(lpWndPos->flags & SWP_NOSIZE)) {
        CRect rect;
        GetWindowRect(&rect);
        if (rect.Width() != lpWndPos->cx || rect.Height() != lpWndPos->cy)
            Invalidate();
    }
}

void LTCustomToolBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    LTControlBar::OnShowWindow(bShow, nStatus);
    NotifyManager(bShow ? LTBN_SHOWN : LTBN_HIDDEN);
}
