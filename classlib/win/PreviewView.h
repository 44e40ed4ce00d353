// CPreviewView: the print preview, a view that shows a printing view's pages as they will print, and
// CPrintPreviewState, what its frame puts away for the time of the preview.
//
// A view starts it with CView::DoPrintPreview (bar template, the view that prints, the preview's class,
// a new state). The frame (the main window when it is a frame, else the view's own frame) enters its
// preview mode (CFrameWnd::OnSetPreviewMode): its menu, accelerators and visible control bars are put
// away, its pane hidden, and the state's close procedure becomes the frame's, so that closing the frame
// closes the preview instead. The preview then takes the pane's place, with its bar (a CDialogBar made
// from the template; the class library's own when the program has no template of that id) along the top.
// The printing view is prepared as for printing (OnPreparePrinting with m_bPreview, OnBeginPrinting) and
// each shown page is drawn through OnPrepareDC and OnPrint into a CPreviewDC (printer attributes, output
// scaled onto the screen). Close ends the job (OnEndPrinting through OnEndPrintPreview) and gives the
// frame back exactly as it was: pane, active view, bars, menu, accelerators and close procedure.
//
// Zoom states: 0 shows whole pages (one or two side by side), 2 the page at its printed size, 1 halfway;
// the zoomed states show one page and scroll. Next and Prev move by one page within the job's pages; a
// job whose last page is not known learns it when the printing view refuses a page.
//
// The preview owns its print information, preview DC (which goes first: it hands the printer DC back) and
// state; the object deletes itself with its window (the bar is a child of the frame and goes with its
// window). The printing view must outlive the preview (its OnEndPrintPreview ends it).
#pragma once

#include "classlib/win/ScrollView.h"

#include <vector>

class CDialogBar;
class CPreviewDC;
class CPreviewView;

struct CPrintPreviewState
{
    CPrintPreviewState();
    UINT nIDMainPane;                                    // the id the hidden pane had
    HMENU hMenu;                                         // the frame's menu before the preview
    HACCEL hAccelTable;                                  // the frame's accelerators before the preview
    CView* pViewActiveOld;                               // the frame's active view before the preview
    BOOL(CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd); // the frame's close procedure while previewing
    BOOL(CALLBACK* lpfnCloseProcOld)(CFrameWnd* pFrameWnd);
    std::vector<HWND> hiddenBars; // the bars the preview hid, shown again after it
};

// The close procedure a preview installs by default: closing the frame closes the preview; the frame stays.
BOOL CALLBACK AfxPreviewCloseProc(CFrameWnd* pFrameWnd);

class CPreviewView : public CScrollView
{
    DECLARE_DYNCREATE(CPreviewView)

public:
    CPreviewView();
    ~CPreviewView() override;

    enum
    {
        ZOOM_OUT = 0,
        ZOOM_MIDDLE = 1,
        ZOOM_IN = 2
    };

    // Where one shown page lies on the screen (scroll coordinates) and its scale (screen pixels over
    // printer pixels); a zero ratio means "not positioned yet".
    struct PAGE_INFO
    {
        CRect rectScreen;
        CSize sizeScaleRatio;
    };

    // Prepares the printing view's job for the preview; FALSE when it cannot start (no printer, refused).
    virtual BOOL SetPrintView(CView* pPrintView);
    CView* GetPrintView() const { return m_pPrintView; }
    CDialogBar* GetToolBar() const { return m_pToolBar; }
    CPrintInfo* GetPrintInfo() const { return m_pPreviewInfo; }

    void SetZoomState(UINT nNewState, UINT nPage = 0);
    UINT GetZoomState() const { return m_nZoomState; }
    // Shows nPage first (kept within the job's pages); bClearRatios has every shown page positioned again.
    void SetCurrentPage(UINT nPage, BOOL bClearRatios);
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // The pages side by side when zoomed out (1 or 2), and the pages shown now.
    UINT GetPageMode() const { return m_nPages; }
    UINT GetShownPageCount() const;

    void OnDraw(CDC* pDC) override;

    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);

    PAGE_INFO* m_pPageInfo; // the shown pages' positions (two entries)

protected:
    // Places shown page nPage (0 or 1 of those shown) for the zoom state and the window's size.
    virtual void PositionPage(UINT nPage);
    // Tells the frame's message bar which pages are shown.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    // Draws page nPage of the job into rect (screen); FALSE when the printing view has no such page.
    BOOL DrawPage(CDC* pDC, UINT nPage, const CRect& rect);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CView* m_pOrigView;  // the view the preview was started from
    CView* m_pPrintView; // the view that prints the pages
    CPreviewDC* m_pPreviewDC;
    CPrintInfo* m_pPreviewInfo;
    CDialogBar* m_pToolBar;
    CPrintPreviewState* m_pPreviewState;
    BOOL m_bPrintingBegun;
    BOOL m_bPositioning;
    UINT m_nZoomState;
    UINT m_nPages;
    UINT m_nCurrentPage;
    PAGE_INFO m_pageInfo[2];

private:
    void PositionPages();
    UINT LastPage() const;
    friend class CView;
};
