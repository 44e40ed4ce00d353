#include "classlib/win/SplitterWnd.h"

#include "classlib/win/DC.h"

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_SETCURSOR()
ON_WM_CANCELMODE()
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

const int kHitVertical = 1;     // + column
const int kHitHorizontal = 101; // + row

} // namespace

CSplitterWnd::CSplitterWnd()
    : m_cxSplitter(4), m_cySplitter(4), m_nRows(0), m_nCols(0), m_pRowInfo(nullptr), m_pColInfo(nullptr),
      m_htTrack(0)
{
}

CSplitterWnd::~CSplitterWnd()
{
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
}

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (pParentWnd == nullptr || nRows < 1 || nRows > 16 || nCols < 1 || nCols > 16 || m_hWnd != nullptr)
        return FALSE;
    delete[] m_pRowInfo;
    delete[] m_pColInfo;
    m_nRows = nRows;
    m_nCols = nCols;
    m_pRowInfo = new CRowColInfo[static_cast<size_t>(nRows)];
    m_pColInfo = new CRowColInfo[static_cast<size_t>(nCols)];
    for (int i = 0; i < nRows; ++i)
        m_pRowInfo[i] = {0, 0, 0};
    for (int i = 0; i < nCols; ++i)
        m_pColInfo[i] = {0, 0, 0};
    CRect rect;
    pParentWnd->GetClientRect(&rect);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    return CreateEx(0, lpszClass, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                              CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || GetPane(row, col) != nullptr ||
        pViewClass == nullptr || !pViewClass->IsDerivedFrom(RUNTIME_CLASS(CWnd)))
        return FALSE;
    m_pColInfo[col].nIdealSize = sizeInit.cx;
    m_pRowInfo[row].nIdealSize = sizeInit.cy;
    CWnd* pWnd = static_cast<CWnd*>(pViewClass->CreateObject());
    if (pWnd == nullptr)
        return FALSE;
    CCreateContext context;
    if (pContext != nullptr)
        context = *pContext;
    context.m_pNewViewClass = pViewClass;
    // The view deletes itself should its window fail.
    if (!pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this,
                      static_cast<UINT>(IdFromRowCol(row, col)), &context))
        return FALSE;
    RecalcLayout(); // the splitter may have its final size already: no WM_SIZE would place the pane
    return TRUE;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = m_pRowInfo[row].nCurSize;
    cyMin = m_pRowInfo[row].nMinSize;
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    m_pRowInfo[row].nIdealSize = cyIdeal;
    m_pRowInfo[row].nMinSize = cyMin;
}

void CSplitterWnd::GetColumnInfo(int col, int& cxCur, int& cxMin) const
{
    cxCur = m_pColInfo[col].nCurSize;
    cxMin = m_pColInfo[col].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int col, int cxIdeal, int cxMin)
{
    m_pColInfo[col].nIdealSize = cxIdeal;
    m_pColInfo[col].nMinSize = cxMin;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (m_hWnd == nullptr)
        return nullptr;
    return GetDlgItem(IdFromRowCol(row, col));
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const
{
    if (pWnd == nullptr || ::GetParent(pWnd->m_hWnd) != m_hWnd)
        return FALSE;
    const int nID = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    const int row = nID / 16, col = nID % 16;
    if (nID < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != nullptr)
        *pRow = row;
    if (pCol != nullptr)
        *pCol = col;
    return TRUE;
}

CWnd* CSplitterWnd::GetActivePane(int* pRow, int* pCol) const
{
    CFrameWnd* pFrame = AfxGetParentFrame(this);
    CWnd* pView = pFrame != nullptr ? pFrame->GetActiveView() : nullptr;
    return IsChildPane(pView, pRow, pCol) ? pView : nullptr;
}

void CSplitterWnd::LayoutRowCol(CRowColInfo* pInfo, int nMax, int nSize, int nGap)
{
    for (int i = 0; i < nMax; ++i) {
        if (nSize < 0)
            nSize = 0;
        if (i == nMax - 1) {
            pInfo[i].nCurSize = nSize; // the last one takes what is left
            break;
        }
        const int nIdeal = pInfo[i].nIdealSize;
        int nCur = nIdeal < pInfo[i].nMinSize ? 0 : nIdeal;
        if (nCur > nSize)
            nCur = nSize;
        pInfo[i].nCurSize = nCur;
        nSize -= nCur + nGap;
    }
}

void CSplitterWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || m_nRows == 0)
        return;
    CRect client;
    GetClientRect(&client);
    LayoutRowCol(m_pColInfo, m_nCols, client.Width(), m_cxSplitter);
    LayoutRowCol(m_pRowInfo, m_nRows, client.Height(), m_cySplitter);

    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = ::BeginDeferWindowPos(m_nRows * m_nCols);
    int y = client.top;
    for (int row = 0; row < m_nRows; ++row) {
        const int cy = m_pRowInfo[row].nCurSize;
        int x = client.left;
        for (int col = 0; col < m_nCols; ++col) {
            const int cx = m_pColInfo[col].nCurSize;
            CWnd* pPane = GetPane(row, col);
            if (pPane != nullptr) {
                CRect rect(x, y, x + cx, y + cy);
                AfxRepositionWindow(&layout, pPane->m_hWnd, &rect);
            }
            x += cx + m_cxSplitter;
        }
        y += cy + m_cySplitter;
    }
    if (layout.hDWP != nullptr)
        ::EndDeferWindowPos(layout.hDWP);
    Invalidate(TRUE); // the bars
}

int CSplitterWnd::HitTest(CPoint pt) const
{
    int x = 0;
    for (int col = 0; col + 1 < m_nCols; ++col) {
        x += m_pColInfo[col].nCurSize;
        if (pt.x >= x && pt.x < x + m_cxSplitter)
            return kHitVertical + col;
        x += m_cxSplitter;
    }
    int y = 0;
    for (int row = 0; row + 1 < m_nRows; ++row) {
        y += m_pRowInfo[row].nCurSize;
        if (pt.y >= y && pt.y < y + m_cySplitter)
            return kHitHorizontal + row;
        y += m_cySplitter;
    }
    return 0;
}

void CSplitterWnd::OnSize(UINT nType, int, int)
{
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CSplitterWnd::OnLButtonDown(UINT, CPoint point)
{
    const int ht = HitTest(point);
    if (ht == 0)
        return;
    m_htTrack = ht;
    // Where in the bar it was grabbed: the bar keeps that offset to the mouse while dragged.
    int x = 0, y = 0;
    if (ht < kHitHorizontal) {
        for (int col = 0; col <= ht - kHitVertical; ++col)
            x += m_pColInfo[col].nCurSize + (col < ht - kHitVertical ? m_cxSplitter : 0);
        m_ptTrackOffset = CPoint(point.x - x, 0);
    } else {
        for (int row = 0; row <= ht - kHitHorizontal; ++row)
            y += m_pRowInfo[row].nCurSize + (row < ht - kHitHorizontal ? m_cySplitter : 0);
        m_ptTrackOffset = CPoint(0, point.y - y);
    }
    SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT, CPoint point)
{
    if (m_htTrack == 0)
        return;
    // Follow the mouse at once: the panes are the feedback.
    if (m_htTrack < kHitHorizontal) {
        const int col = m_htTrack - kHitVertical;
        int x = 0;
        for (int i = 0; i < col; ++i)
            x += m_pColInfo[i].nCurSize + m_cxSplitter;
        const int nNew = point.x - m_ptTrackOffset.x - x;
        m_pColInfo[col].nIdealSize = nNew < 0 ? 0 : nNew;
    } else {
        const int row = m_htTrack - kHitHorizontal;
        int y = 0;
        for (int i = 0; i < row; ++i)
            y += m_pRowInfo[i].nCurSize + m_cySplitter;
        const int nNew = point.y - m_ptTrackOffset.y - y;
        m_pRowInfo[row].nIdealSize = nNew < 0 ? 0 : nNew;
    }
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_htTrack == 0)
        return;
    OnMouseMove(nFlags, point);
    StopTracking(TRUE);
}

void CSplitterWnd::StopTracking(BOOL)
{
    m_htTrack = 0;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

void CSplitterWnd::OnCancelMode()
{
    StopTracking(FALSE);
    CWnd::OnCancelMode();
}

BOOL CSplitterWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT && pWnd == this) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        const int ht = HitTest(pt);
        if (ht != 0) {
            ::SetCursor(::LoadCursor(nullptr, ht < kHitHorizontal ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    ::FillRect(dc.m_hDC, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}
