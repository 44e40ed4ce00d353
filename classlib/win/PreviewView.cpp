// The print preview view: page positions, zoom, page commands and drawing the printing view's pages.
#include "classlib/win/PreviewView.h"

#include "classlib/ClassLibIds.h"
#include "classlib/CmdUI.h"
#include "classlib/Exceptions.h"
#include "classlib/WinApp.h"
#include "classlib/win/DC.h"
#include "classlib/win/DialogBar.h"
#include "classlib/win/PreviewDC.h"
#include "classlib/win/PrintDialog.h"
#include "classlib/win/PrintInfo.h"

#include <algorithm>

namespace {

const int kMargin = 8; // around and between pages, in screen pixels
const int kShadow = 3;

// A size in the same proportions as from that fits inside bound.
CSize FitInside(CSize from, CSize bound)
{
    if (from.cx <= 0 || from.cy <= 0)
        return CSize(1, 1);
    if (static_cast<long long>(from.cx) * bound.cy > static_cast<long long>(from.cy) * bound.cx)
        return CSize(bound.cx, std::max<LONG>(1, ::MulDiv(from.cy, bound.cx, from.cx)));
    return CSize(std::max<LONG>(1, ::MulDiv(from.cx, bound.cy, from.cy)), bound.cy);
}

} // namespace

CPrintPreviewState::CPrintPreviewState()
    : nIDMainPane(AFX_IDW_PANE_FIRST), hMenu(nullptr), hAccelTable(nullptr), pViewActiveOld(nullptr),
      lpfnCloseProc(AfxPreviewCloseProc), lpfnCloseProcOld(nullptr)
{
}

BOOL CALLBACK AfxPreviewCloseProc(CFrameWnd* pFrameWnd)
{
    auto* pView = dynamic_cast<CPreviewView*>(pFrameWnd->GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
    if (pView != nullptr)
        pView->OnPreviewClose();
    return FALSE;
}

IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

CPreviewView::CPreviewView()
    : m_pPageInfo(m_pageInfo), m_pOrigView(nullptr), m_pPrintView(nullptr), m_pPreviewDC(nullptr),
      m_pPreviewInfo(nullptr), m_pToolBar(nullptr), m_pPreviewState(nullptr), m_bPrintingBegun(FALSE),
      m_bPositioning(FALSE), m_nZoomState(ZOOM_OUT), m_nPages(1), m_nCurrentPage(1)
{
}

CPreviewView::~CPreviewView()
{
    delete m_pPreviewDC; // before the print information, which frees the printer DC
    delete m_pPreviewInfo;
    delete m_pPreviewState;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo))
        return FALSE;
    HDC hPrinterDC = m_pPreviewInfo->m_pPD->m_pd.hDC;
    if (hPrinterDC == nullptr)
        return FALSE;
    m_pPreviewDC = new CPreviewDC(hPrinterDC);
    m_nPages = m_pPreviewInfo->m_nNumPreviewPages == 2 ? 2 : 1;
    m_nZoomState = std::min<UINT>(m_nZoomState, ZOOM_IN);
    pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);
    m_bPrintingBegun = TRUE;
    SetCurrentPage(m_pPreviewInfo->GetMinPage(), TRUE);
    return TRUE;
}

UINT CPreviewView::LastPage() const
{
    return m_pPreviewInfo != nullptr ? m_pPreviewInfo->GetMaxPage() : 1;
}

UINT CPreviewView::GetShownPageCount() const
{
    return m_nZoomState == ZOOM_OUT ? m_nPages : 1;
}

void CPreviewView::SetZoomState(UINT nNewState, UINT nPage)
{
    nNewState = std::min<UINT>(nNewState, ZOOM_IN);
    if (nNewState == m_nZoomState)
        return;
    // Zooming into the second of two pages shows that page.
    if (m_nZoomState == ZOOM_OUT && nPage == 1 && GetShownPageCount() == 2 && m_nCurrentPage < LastPage())
        ++m_nCurrentPage;
    m_nZoomState = nNewState;
    SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL bClearRatios)
{
    const UINT nMin = m_pPreviewInfo != nullptr ? m_pPreviewInfo->GetMinPage() : 1;
    m_nCurrentPage = std::max(nMin, std::min(nPage, LastPage()));
    if (bClearRatios) {
        for (PAGE_INFO& info : m_pageInfo)
            info.sizeScaleRatio = CSize(0, 0);
    }
    if (m_hWnd != nullptr) {
        ScrollToPosition(CPoint(0, 0));
        Invalidate();
    }
}

void CPreviewView::PositionPage(UINT nPage)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    const CSize paper = m_pPreviewDC->GetPaperSize();
    const CSize printerPPI = m_pPreviewDC->GetPrinterPPI();
    CClientDC dc(this);
    // Zoomed in, a page shows at the size it prints.
    const CSize actual(::MulDiv(paper.cx, dc.GetDeviceCaps(LOGPIXELSX), std::max<LONG>(1, printerPPI.cx)),
                       ::MulDiv(paper.cy, dc.GetDeviceCaps(LOGPIXELSY), std::max<LONG>(1, printerPPI.cy)));
    const int nShown = static_cast<int>(GetShownPageCount());
    const CSize bound(
        std::max<LONG>(1, (rectClient.Width() - kMargin * (nShown + 1) - kShadow * nShown) / nShown),
        std::max<LONG>(1, rectClient.Height() - kMargin * 2 - kShadow));
    const CSize fitted = FitInside(paper, bound);
    CSize size = actual;
    if (m_nZoomState == ZOOM_OUT)
        size = fitted;
    else if (m_nZoomState == ZOOM_MIDDLE)
        size = CSize((fitted.cx + actual.cx) / 2, (fitted.cy + actual.cy) / 2);

    CPoint topLeft;
    if (m_nZoomState == ZOOM_OUT) {
        const int nTotal = nShown * size.cx + (nShown - 1) * (kMargin + kShadow);
        topLeft.x =
            (rectClient.Width() - nTotal) / 2 + static_cast<int>(nPage) * (size.cx + kMargin + kShadow);
        topLeft.y = (rectClient.Height() - size.cy) / 2;
    } else {
        topLeft.x = std::max<LONG>(kMargin, (rectClient.Width() - size.cx) / 2);
        topLeft.y = std::max<LONG>(kMargin, (rectClient.Height() - size.cy) / 2);
    }
    PAGE_INFO& info = m_pageInfo[nPage];
    info.rectScreen = CRect(topLeft, size);
    info.sizeScaleRatio = CSize(size.cx, std::max<LONG>(1, paper.cx));
}

void CPreviewView::PositionPages()
{
    // Scroll bars that come or go change the room the pages are placed in: place them again then.
    m_bPositioning = TRUE;
    for (int nPass = 0; nPass < 3; ++nPass) {
        CRect rectClient;
        GetClientRect(&rectClient);
        for (UINT i = 0; i < GetShownPageCount(); ++i)
            PositionPage(i);
        CSize total(std::max<LONG>(1, rectClient.Width()), std::max<LONG>(1, rectClient.Height()));
        if (m_nZoomState != ZOOM_OUT) {
            const CRect& rect = m_pageInfo[0].rectScreen;
            total = CSize(rect.right + kMargin + kShadow, rect.bottom + kMargin + kShadow);
        }
        SetScrollSizes(MM_TEXT, total);
        CRect rectAfter;
        GetClientRect(&rectAfter);
        if (rectAfter == rectClient)
            break;
    }
    m_bPositioning = FALSE;
}

BOOL CPreviewView::DrawPage(CDC* pDC, UINT nPage, const CRect& rect)
{
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    if (!m_pPreviewDC->BeginPage())
        return TRUE; // nothing can be recorded; the page stays blank
    BOOL bExists = TRUE;
    try {
        m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
        bExists = m_pPreviewInfo->m_bContinuePrinting;
        if (bExists) {
            const CSize printable = m_pPreviewDC->GetPrintableSize();
            CRect rectDraw(0, 0, printable.cx, printable.cy);
            m_pPreviewDC->DPtoLP(&rectDraw);
            m_pPreviewInfo->m_rectDraw = rectDraw;
            m_pPrintView->OnPrint(m_pPreviewDC, m_pPreviewInfo);
        }
    } catch (CException* e) {
        // A page the view cannot draw stays blank; painting goes on.
        ::DeleteEnhMetaFile(m_pPreviewDC->EndPage());
        e->ReportError();
        e->Delete();
        return TRUE;
    }
    HENHMETAFILE hPage = m_pPreviewDC->EndPage();
    if (bExists && hPage != nullptr) {
        // The recording is the printable area: place it where that area lies on the sheet.
        const CSize paper = m_pPreviewDC->GetPaperSize();
        const CSize printable = m_pPreviewDC->GetPrintableSize();
        const CPoint offset = m_pPreviewDC->GetPrintableOffset();
        const int x = rect.left + ::MulDiv(std::max<LONG>(0, offset.x), rect.Width(), paper.cx);
        const int y = rect.top + ::MulDiv(std::max<LONG>(0, offset.y), rect.Height(), paper.cy);
        const CRect target(x, y, x + ::MulDiv(printable.cx, rect.Width(), paper.cx),
                           y + ::MulDiv(printable.cy, rect.Height(), paper.cy));
        const int nSaved = pDC->SaveDC();
        pDC->IntersectClipRect(&rect);
        ::PlayEnhMetaFile(pDC->m_hDC, hPage, &target);
        pDC->RestoreDC(nSaved);
    }
    ::DeleteEnhMetaFile(hPage);
    return bExists;
}

void CPreviewView::OnDraw(CDC* pDC)
{
    if (m_pPreviewDC == nullptr || m_pPrintView == nullptr)
        return;
    const UINT nShown = GetShownPageCount();
    for (UINT i = 0; i < nShown; ++i) {
        if (m_pageInfo[i].sizeScaleRatio.cx == 0) {
            PositionPages();
            break;
        }
    }
    UINT nDrawn = 0;
    for (UINT i = 0; i < nShown; ++i) {
        const UINT nPage = m_nCurrentPage + i;
        if (nPage > LastPage())
            break;
        const CRect& rect = m_pageInfo[i].rectScreen;
        CRect rectShadow = rect;
        rectShadow.OffsetRect(kShadow, kShadow);
        pDC->FillSolidRect(&rectShadow, ::GetSysColor(COLOR_BTNSHADOW));
        pDC->FillSolidRect(&rect, RGB(255, 255, 255));
        CBrush brushFrame(RGB(0, 0, 0));
        CRect rectFrame = rect;
        rectFrame.InflateRect(1, 1);
        pDC->FrameRect(&rectFrame, &brushFrame);
        if (!DrawPage(pDC, nPage, rect)) {
            // The view has no such page: the job ends before it.
            const UINT nMin = m_pPreviewInfo->GetMinPage();
            m_pPreviewInfo->SetMaxPage(std::max(nMin, nPage - 1));
            if (nPage > nMin) {
                SetCurrentPage(m_nCurrentPage, TRUE);
                if (m_pToolBar != nullptr && ::IsWindow(m_pToolBar->m_hWnd))
                    m_pToolBar->OnUpdateCmdUI(GetParentFrame(), TRUE);
            }
            break;
        }
        ++nDrawn;
    }
    OnDisplayPageNumber(m_nCurrentPage, std::max<UINT>(1, nDrawn));
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    CFrameWnd* pFrame = GetParentFrame();
    CWnd* pBar = pFrame != nullptr ? pFrame->GetMessageBar() : nullptr;
    if (pBar == nullptr)
        return;
    // m_strPageDesc: the one-page format, then the two-page one, a line each.
    const CString& desc = m_pPreviewInfo->m_strPageDesc;
    const int nBreak = desc.Find('\n');
    CString strFormat = nPagesDisplayed == 1 || nBreak < 0 ? desc.Left(nBreak < 0 ? desc.GetLength() : nBreak)
                                                           : desc.Mid(nBreak + 1);
    const int nEnd = strFormat.Find('\n');
    if (nEnd >= 0)
        strFormat = strFormat.Left(nEnd);
    CString strText;
    strText.Format(strFormat, nPage, nPage + nPagesDisplayed - 1);
    pBar->SetWindowText(strText);
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    if (m_bPositioning)
        return;
    for (PAGE_INFO& info : m_pageInfo)
        info.sizeScaleRatio = CSize(0, 0);
    Invalidate();
}

BOOL CPreviewView::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_APPWORKSPACE));
    return TRUE;
}

void CPreviewView::OnPreviewClose()
{
    CView* pView = m_pPrintView != nullptr ? m_pPrintView : m_pOrigView;
    if (pView != nullptr)
        pView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, CPoint(0, 0), this);
}

void CPreviewView::OnPreviewPrint()
{
    // The view the preview came from may go with the preview (a view made only to print).
    HWND hWndOrig = m_pOrigView != nullptr ? m_pOrigView->m_hWnd : nullptr;
    OnPreviewClose();
    if (hWndOrig != nullptr && ::IsWindow(hWndOrig))
        ::SendMessage(hWndOrig, WM_COMMAND, ID_FILE_PRINT, 0);
}

void CPreviewView::OnNextPage()
{
    SetCurrentPage(m_nCurrentPage + 1, TRUE);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > 1)
        SetCurrentPage(m_nCurrentPage - 1, TRUE);
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = m_nPages == 1 ? 2 : 1;
    SetCurrentPage(m_nCurrentPage, TRUE);
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoomState < ZOOM_IN)
        SetZoomState(m_nZoomState + 1);
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoomState > ZOOM_OUT)
        SetZoomState(m_nZoomState - 1);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nCurrentPage + GetShownPageCount() - 1 < LastPage());
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    // The button offers the other mode.
    CString strText;
    strText.LoadString(m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE);
    pCmdUI->SetText(strText);
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT && m_pPreviewInfo != nullptr &&
                   LastPage() != m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_IN);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_OUT);
}
