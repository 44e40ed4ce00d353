// CView: a child window that shows (part of) a document inside a frame.
//
// A view is made from a CCreateContext: its creation adds it to the context's document, and its
// destruction (the object deletes itself with its window) removes it, so the last view of an
// auto-deleting document closes that document. Commands the view does not handle go on to its document.
// The frame sends WM_INITIALUPDATE once it is built (OnInitialUpdate, by default OnUpdate); the document's
// UpdateAllViews arrives as OnUpdate (by default the view repaints). Painting prepares the DC
// (OnPrepareDC) and calls OnDraw. A click activates the view in its frame (the frame's active view is
// the first target of commands); OnActivateView tells the view when it gains or loses that role.
#pragma once

#include "classlib/win/FrameWnd.h"

class CDC;
struct CPrintInfo;
struct CPrintPreviewState;
class CPreviewView;

class CView : public CWnd
{
    DECLARE_DYNAMIC(CView)

public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return AfxGetParentFrame(this); }

    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo) override;

    // Printing (ViewPrinting.cpp). File Print runs OnPreparePrinting (by default DoPreparePrinting: the
    // print dialog, or the application's printer when printing directly or previewing), then
    // OnBeginPrinting, StartDoc, and for each page from the first asked for to the last OnPrepareDC
    // (which may end the job by clearing m_bContinuePrinting; the default does so after page 1 when the
    // maximum page is not known), StartPage, OnPrint (by default OnDraw) and EndPage; then EndDoc and
    // OnEndPrinting. A modeless "Printing" dialog with Cancel shows the progress; the printer's abort
    // procedure keeps it responsive. A job that cannot start or that the printer cuts off gives one
    // message; OnEndPrinting runs in every case once OnBeginPrinting has.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintDirect();
    void DoFilePrint(BOOL bDirect);

    // Print preview (ViewPreview.cpp, classlib/win/PreviewView.h). DoPrintPreview shows pPrintView's
    // pages in a preview of class pPreviewViewClass (a CPreviewView) with the bar of template
    // nIDResource; FALSE when it cannot start, the frame then being as it was and pState still the
    // caller's; on success the preview owns pState. OnEndPrintPreview, called on the printing view when
    // the preview closes, ends the job (OnEndPrinting), gives the frame back and destroys the preview.
    BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass,
                        CPrintPreviewState* pState);
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
    // File Print Preview: this view's pages with the class library's bar; "Command failed." when the
    // preview cannot start.
    afx_msg void OnFilePrintPreview();

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;
    // The creation context this view was made with (the view's own for windows made another way).
    virtual CCreateContext* GetCreateContext(LPCREATESTRUCT lpcs);

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMsg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CDocument* m_pDocument;
    friend class CFrameWnd;
};
