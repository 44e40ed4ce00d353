// Print preview of a view in a frame with a menu and bars, driven by the commands of its bar, with the
// test machine's PDF printer ("LorvanePDF") as the printer whose pages are shown.
#include "DialogTestSupport.h"
#include "DockingTestSupport.h"
#include "FrameTestSupport.h"

#include "classlib/ClassLibIds.h"
#include "classlib/win/DC.h"
#include "classlib/win/DialogBar.h"
#include "classlib/win/PreviewView.h"
#include "classlib/win/PrintDialog.h"
#include "classlib/win/PrintInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// A view of m_nPages pages (0: the last page is not known) that records its printing calls; the
// preview draws its pages through them. File Print only records itself.
class PreviewPagesView : public CView
{
public:
    void OnDraw(CDC*) override {}
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override
    {
        if (m_bRefuse)
            return FALSE;
        if (m_nPages != 0)
            pInfo->SetMaxPage(m_nPages);
        return DoPreparePrinting(pInfo);
    }
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_trace += "begin;";
        m_bBeganOnPrinter =
            pDC->IsPrinting() && pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER && pInfo->m_bPreview;
    }
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) override
    {
        CView::OnPrepareDC(pDC, pInfo);
        if (pInfo != nullptr && !pInfo->m_bContinuePrinting)
            m_trace += "refuse" + std::to_string(pInfo->m_nCurPage) + ";";
    }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        m_trace += "print" + std::to_string(pInfo->m_nCurPage) + ";";
        // Drawn in twips, as the record lists print: the page's area must come back in those units.
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(1440, 1440);
        pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
        CRect rectTwips(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        pDC->DPtoLP(&rectTwips);
        m_rectTwips = rectTwips;
        CFont font;
        font.CreateFont(-480, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0,
                        "Arial"); // 24 points
        CFont* pOld = pDC->SelectObject(&font);
        const std::string text = "Preview page " + std::to_string(pInfo->m_nCurPage);
        pDC->TextOut(1440, 1440, text.c_str(), static_cast<int>(text.size()));
        m_textExtent = pDC->GetTextExtent(text.c_str(), static_cast<int>(text.size()));
        pDC->Rectangle(1440, 2160, rectTwips.right - 1440, 2200);
        pDC->SelectObject(pOld);
    }
    void OnEndPrinting(CDC*, CPrintInfo*) override { m_trace += "end;"; }
    void OnPreview() { OnFilePrintPreview(); }
    void OnPrintCommand() { m_trace += "fileprint;"; }

    UINT m_nPages = 3;
    BOOL m_bRefuse = FALSE;
    BOOL m_bBeganOnPrinter = FALSE;
    CRect m_rectTwips;
    CSize m_textExtent;
    std::string m_trace;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PreviewPagesView, CView)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnPreview)
ON_COMMAND(ID_FILE_PRINT, OnPrintCommand)
END_MESSAGE_MAP()

BOOL CALLBACK RefuseClose(CFrameWnd*)
{
    return FALSE;
}

// A frame with a menu, the pages view as its pane and three bars: docked, floating and hidden.
class PreviewFrame
{
public:
    // FALSE when there is no printer to preview on.
    bool Make(int cx, int cy)
    {
        CPrintDialog probe(FALSE);
        if (!probe.GetDefaults())
            return false;
        m_frame = new CFrameWnd;
        CRect rect(40, 40, 40 + cx, 40 + cy);
        if (!m_frame->Create(nullptr, "Preview", WS_OVERLAPPEDWINDOW, rect))
            return false;
        m_hMenu = MakeTestMenu("Preview");
        ::SetMenu(m_frame->m_hWnd, m_hMenu);
        m_frame->EnableDocking(CBRS_ALIGN_ANY);
        m_app.m_pMainWnd = m_frame;
        m_view = new PreviewPagesView;
        if (!m_view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), m_frame,
                            AFX_IDW_PANE_FIRST))
            return false;
        m_frame->SetActiveView(m_view);
        static const char* const titles[3] = {"Docked", "Floating", "Hidden"};
        for (int i = 0; i < 3; ++i) {
            m_bars[i] = new TestBar;
            m_bars[i]->m_bAutoDelete = TRUE;
            m_bars[i]->Create(m_frame, ID_BAR_ONE + i, titles[i]);
            m_bars[i]->EnableDocking(CBRS_ALIGN_ANY);
            m_frame->DockControlBar(m_bars[i], AFX_IDW_DOCKBAR_TOP);
        }
        m_frame->FloatControlBar(m_bars[1], CPoint(300, 300), CBRS_ALIGN_TOP);
        m_frame->ShowControlBar(m_bars[2], FALSE, FALSE);
        m_frame->ShowWindow(SW_SHOWNA);
        m_frame->RecalcLayout();
        PumpPending();
        return true;
    }
    void Destroy()
    {
        if (m_frame != nullptr && ::IsWindow(m_frame->m_hWnd)) {
            m_frame->m_lpfnCloseProc = nullptr;
            m_frame->DestroyWindow();
        }
        m_app.m_pMainWnd = nullptr;
        PumpPending();
    }

    FrameApp m_app;
    CFrameWnd* m_frame = nullptr;
    HMENU m_hMenu = nullptr;
    PreviewPagesView* m_view = nullptr;
    TestBar* m_bars[3] = {};
};

class PrintPreview : public ::testing::Test, protected PreviewFrame
{
protected:
    void SetUp() override
    {
        if (!Make(640, 480))
            GTEST_SKIP() << "no default printer";
    }
    void TearDown() override { Destroy(); }

    // What the preview changes in the frame, to compare before and after.
    struct FrameLook
    {
        HMENU hMenu;
        HACCEL hAccel;
        BOOL barVisible[3];
        CRect barRect[3];
        BOOL floatingFrameVisible;
        CRect viewRect;
        BOOL viewVisible;
        CView* activeView;
        bool operator==(const FrameLook& o) const
        {
            for (int i = 0; i < 3; ++i)
                if (barVisible[i] != o.barVisible[i] || barRect[i] != o.barRect[i])
                    return false;
            return hMenu == o.hMenu && hAccel == o.hAccel && floatingFrameVisible == o.floatingFrameVisible &&
                   viewRect == o.viewRect && viewVisible == o.viewVisible && activeView == o.activeView;
        }
    };
    FrameLook Look() const
    {
        FrameLook look = {};
        look.hMenu = ::GetMenu(m_frame->m_hWnd);
        look.hAccel = m_frame->m_hAccelTable;
        for (int i = 0; i < 3; ++i) {
            look.barVisible[i] = ::IsWindowVisible(m_bars[i]->m_hWnd);
            m_bars[i]->GetWindowRect(&look.barRect[i]);
        }
        look.floatingFrameVisible = ::IsWindowVisible(::GetParent(m_bars[1]->m_pDockBar->m_hWnd));
        m_view->GetWindowRect(&look.viewRect);
        look.viewVisible = ::IsWindowVisible(m_view->m_hWnd);
        look.activeView = m_frame->GetActiveView();
        return look;
    }
    CPreviewView* Preview() const { return dynamic_cast<CPreviewView*>(m_frame->GetActiveView()); }
    void Command(UINT nID) { m_frame->SendMessage(WM_COMMAND, nID, 0); }
    // Paints the preview now and answers what the view was asked to print for it.
    std::string Paint()
    {
        m_view->m_trace.clear();
        ::RedrawWindow(Preview()->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return m_view->m_trace;
    }
    BOOL ButtonEnabled(UINT nID) const
    {
        CDialogBar* pBar = Preview()->GetToolBar();
        pBar->OnUpdateCmdUI(m_frame, TRUE);
        return ::IsWindowEnabled(::GetDlgItem(pBar->m_hWnd, nID));
    }
};

TEST_F(PrintPreview, EnteringPutsBarsAndMenuAwayAndCloseGivesThemBackExactly)
{
    const FrameLook before = Look();
    ASSERT_TRUE(before.barVisible[0] && before.barVisible[1] && !before.barVisible[2]);
    ASSERT_TRUE(before.floatingFrameVisible);
    ASSERT_EQ(m_hMenu, before.hMenu);

    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_NE(nullptr, pPreview) << "the preview is the frame's active view";
    EXPECT_EQ("begin;print1;", m_view->m_trace) << "the first page shows at once";
    EXPECT_TRUE(m_view->m_bBeganOnPrinter) << "the job begins on the printer's DC";
    EXPECT_EQ(nullptr, ::GetMenu(m_frame->m_hWnd));
    EXPECT_TRUE(m_frame->IsInPreviewMode());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(::IsWindowVisible(m_bars[i]->m_hWnd)) << i;
    EXPECT_FALSE(::IsWindowVisible(::GetParent(m_bars[1]->m_pDockBar->m_hWnd))) << "the floating frame too";
    EXPECT_FALSE(::IsWindowVisible(m_view->m_hWnd));
    EXPECT_EQ(pPreview->m_hWnd, ::GetDlgItem(m_frame->m_hWnd, AFX_IDW_PANE_FIRST));
    HWND hWndBar = ::GetDlgItem(m_frame->m_hWnd, AFX_IDW_PREVIEW_BAR);
    ASSERT_NE(nullptr, hWndBar);
    EXPECT_TRUE(::IsWindowVisible(hWndBar));
    // The preview lies below its bar and fills the rest.
    CRect rectBar, rectPreview, rectClient;
    ::GetWindowRect(hWndBar, &rectBar);
    pPreview->GetWindowRect(&rectPreview);
    m_frame->GetClientRect(&rectClient);
    EXPECT_EQ(rectBar.bottom, rectPreview.top);
    EXPECT_EQ(rectClient.Height(), rectBar.Height() + rectPreview.Height());

    // A menu update asked for meanwhile waits for the preview to end.
    m_frame->DelayUpdateFrameMenu(nullptr);
    m_frame->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(nullptr, ::GetMenu(m_frame->m_hWnd));

    Command(AFX_ID_PREVIEW_CLOSE);
    EXPECT_EQ("begin;print1;end;", m_view->m_trace) << "the job ends with the preview";
    EXPECT_TRUE(Look() == before);
    EXPECT_EQ(nullptr, ::GetDlgItem(m_frame->m_hWnd, AFX_IDW_PREVIEW_BAR));
    EXPECT_EQ(m_view->m_hWnd, ::GetDlgItem(m_frame->m_hWnd, AFX_IDW_PANE_FIRST));
    EXPECT_FALSE(m_frame->IsInPreviewMode());
    EXPECT_EQ(nullptr, m_frame->m_lpfnCloseProc);
}

TEST_F(PrintPreview, PageAndZoomCommandsMoveWithinTheJobsPages)
{
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, Preview());
    EXPECT_EQ("print1;", Paint());
    const struct
    {
        UINT nID; // 0: none, only the state at the start
        UINT page, zoom, shown;
        BOOL next, prev, zoomIn, zoomOut, numPage;
        const char* numPageText;
        const char* printed;
    } steps[] = {
        {0, 1, 0, 1, TRUE, FALSE, TRUE, FALSE, TRUE, "&Two Page", "print1;"},
        {AFX_ID_PREVIEW_NEXT, 2, 0, 1, TRUE, TRUE, TRUE, FALSE, TRUE, "&Two Page", "print2;"},
        {AFX_ID_PREVIEW_NEXT, 3, 0, 1, FALSE, TRUE, TRUE, FALSE, TRUE, "&Two Page", "print3;"},
        {AFX_ID_PREVIEW_NEXT, 3, 0, 1, FALSE, TRUE, TRUE, FALSE, TRUE, "&Two Page", "print3;"},
        {AFX_ID_PREVIEW_PREV, 2, 0, 1, TRUE, TRUE, TRUE, FALSE, TRUE, "&Two Page", "print2;"},
        {AFX_ID_PREVIEW_ZOOMIN, 2, 1, 1, TRUE, TRUE, TRUE, TRUE, FALSE, "&Two Page", "print2;"},
        {AFX_ID_PREVIEW_ZOOMIN, 2, 2, 1, TRUE, TRUE, FALSE, TRUE, FALSE, "&Two Page", "print2;"},
        {AFX_ID_PREVIEW_ZOOMIN, 2, 2, 1, TRUE, TRUE, FALSE, TRUE, FALSE, "&Two Page", "print2;"},
        {AFX_ID_PREVIEW_ZOOMOUT, 2, 1, 1, TRUE, TRUE, TRUE, TRUE, FALSE, "&Two Page", "print2;"},
        {AFX_ID_PREVIEW_ZOOMOUT, 2, 0, 1, TRUE, TRUE, TRUE, FALSE, TRUE, "&Two Page", "print2;"},
        // Two pages side by side: the second is the last, so Next has nowhere to go.
        {AFX_ID_PREVIEW_NUMPAGE, 2, 0, 2, FALSE, TRUE, TRUE, FALSE, TRUE, "&One Page", "print2;print3;"},
        {AFX_ID_PREVIEW_PREV, 1, 0, 2, TRUE, FALSE, TRUE, FALSE, TRUE, "&One Page", "print1;print2;"},
        // Zoomed in, one page shows.
        {AFX_ID_PREVIEW_ZOOMIN, 1, 1, 1, TRUE, FALSE, TRUE, TRUE, FALSE, "&One Page", "print1;"},
    };
    int nStep = 0;
    for (const auto& s : steps) {
        if (s.nID != 0)
            Command(s.nID);
        CPreviewView* pPreview = Preview();
        ASSERT_NE(nullptr, pPreview);
        const std::string where = "step " + std::to_string(nStep++);
        EXPECT_EQ(s.page, pPreview->GetCurrentPage()) << where;
        EXPECT_EQ(s.zoom, pPreview->GetZoomState()) << where;
        EXPECT_EQ(s.shown, pPreview->GetShownPageCount()) << where;
        EXPECT_EQ(s.next, ButtonEnabled(AFX_ID_PREVIEW_NEXT)) << where;
        EXPECT_EQ(s.prev, ButtonEnabled(AFX_ID_PREVIEW_PREV)) << where;
        EXPECT_EQ(s.zoomIn, ButtonEnabled(AFX_ID_PREVIEW_ZOOMIN)) << where;
        EXPECT_EQ(s.zoomOut, ButtonEnabled(AFX_ID_PREVIEW_ZOOMOUT)) << where;
        EXPECT_EQ(s.numPage, ButtonEnabled(AFX_ID_PREVIEW_NUMPAGE)) << where;
        CString text;
        ::GetDlgItemText(pPreview->GetToolBar()->m_hWnd, AFX_ID_PREVIEW_NUMPAGE, text.GetBuffer(64), 64);
        text.ReleaseBuffer();
        EXPECT_STREQ(s.numPageText, text) << where;
        EXPECT_EQ(s.printed, Paint()) << where;
    }
}

TEST_F(PrintPreview, PagesAreDrawnAgainstThePrinterAndScaledOntoTheScreen)
{
    Command(ID_FILE_PRINT_PREVIEW);
    CPreviewView* pPreview = Preview();
    ASSERT_NE(nullptr, pPreview);
    Paint();
    // The view sees the printer's page in its own units, and measures text as the printer does.
    CDC dcPrinter;
    ASSERT_TRUE(dcPrinter.Attach(pPreview->GetPrintInfo()->m_pPD->m_pd.hDC));
    const int cxTwips = ::MulDiv(dcPrinter.GetDeviceCaps(HORZRES), 1440, dcPrinter.GetDeviceCaps(LOGPIXELSX));
    dcPrinter.Detach();
    EXPECT_NEAR(cxTwips, m_view->m_rectTwips.Width(), 2);
    EXPECT_GT(m_view->m_textExtent.cx, 1440) << "24-point text of 14 letters is wider than an inch";
    EXPECT_LT(m_view->m_textExtent.cx, 5 * 1440);

    // Each zoom state shows the page larger, in the sheet's proportions, and the zoomed-in page is the
    // sheet's printed size on the screen.
    CClientDC dcScreen(pPreview);
    int nLastWidth = 0;
    for (UINT nZoom = CPreviewView::ZOOM_OUT; nZoom <= CPreviewView::ZOOM_IN; ++nZoom) {
        pPreview->SetZoomState(nZoom);
        Paint();
        const CRect& rect = pPreview->m_pPageInfo[0].rectScreen;
        EXPECT_GT(rect.Width(), nLastWidth) << nZoom;
        EXPECT_NE(0, pPreview->m_pPageInfo[0].sizeScaleRatio.cx) << "positioned";
        EXPECT_NEAR(11.0 / 8.5, static_cast<double>(rect.Height()) / rect.Width(), 0.02) << "Letter paper";
        nLastWidth = rect.Width();
    }
    EXPECT_NEAR(8.5 * dcScreen.GetDeviceCaps(LOGPIXELSX), nLastWidth, 2);
    CRect rectClient;
    pPreview->GetClientRect(&rectClient);
    EXPECT_GT(nLastWidth, rectClient.Width()) << "so the zoomed-in page scrolls";
    EXPECT_TRUE(pPreview->GetStyle() & (WS_VSCROLL | WS_HSCROLL));
}

TEST_F(PrintPreview, AJobWithoutALastPageEndsWhereTheViewRefuses)
{
    m_view->m_nPages = 0;
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, Preview());
    EXPECT_EQ("print1;", Paint());
    EXPECT_TRUE(ButtonEnabled(AFX_ID_PREVIEW_NEXT)) << "the last page is not known yet";
    Command(AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(2u, Preview()->GetCurrentPage());
    // Drawing page 2 finds the job ends at page 1: the preview goes back to it.
    const std::string trace = Paint();
    EXPECT_EQ(0u, trace.find("refuse2;")) << trace;
    EXPECT_EQ(1u, Preview()->GetCurrentPage());
    EXPECT_EQ(1u, Preview()->GetPrintInfo()->GetMaxPage());
    EXPECT_FALSE(ButtonEnabled(AFX_ID_PREVIEW_NEXT));
    EXPECT_FALSE(ButtonEnabled(AFX_ID_PREVIEW_NUMPAGE)) << "one page has no two-page view";
    EXPECT_EQ("print1;", Paint());
}

TEST_F(PrintPreview, ClosingTheFrameAsksTheCloseProcedure)
{
    const struct
    {
        BOOL bRefuse;
        BOOL previewStays;
    } cases[] = {
        {TRUE, TRUE},   // a refusing procedure keeps the preview (and the frame)
        {FALSE, FALSE}, // the preview's own closes the preview; the frame stays
    };
    for (const auto& c : cases) {
        auto* pState = new CPrintPreviewState;
        if (c.bRefuse)
            pState->lpfnCloseProc = RefuseClose;
        ASSERT_TRUE(
            m_view->DoPrintPreview(AFX_IDD_PREVIEW_TOOLBAR, m_view, RUNTIME_CLASS(CPreviewView), pState));
        m_frame->SendMessage(WM_CLOSE);
        ASSERT_TRUE(::IsWindow(m_frame->m_hWnd)) << c.bRefuse;
        EXPECT_EQ(c.previewStays, Preview() != nullptr) << c.bRefuse;
        EXPECT_EQ(c.previewStays, m_frame->IsInPreviewMode()) << c.bRefuse;
        if (Preview() != nullptr)
            Command(AFX_ID_PREVIEW_CLOSE);
        EXPECT_EQ(m_view, m_frame->GetActiveView());
        EXPECT_EQ(m_hMenu, ::GetMenu(m_frame->m_hWnd));
        EXPECT_EQ(nullptr, m_frame->m_lpfnCloseProc);
    }
}

TEST_F(PrintPreview, PrintClosesThePreviewAndPrintsFromTheView)
{
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(nullptr, Preview());
    Command(AFX_ID_PREVIEW_PRINT);
    EXPECT_EQ("begin;print1;end;fileprint;", m_view->m_trace);
    EXPECT_FALSE(m_frame->IsInPreviewMode());
    EXPECT_EQ(m_view, m_frame->GetActiveView());
}

TEST_F(PrintPreview, APreviewThatCannotStartLeavesTheFrameAsItWas)
{
    const FrameLook before = Look();
    m_view->m_bRefuse = TRUE;
    CMessageBoxScript script;
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_EQ(1u, script.Calls().size());
    EXPECT_EQ(static_cast<UINT>(AFX_IDP_COMMAND_FAILURE), script.Calls()[0].promptId);
    EXPECT_EQ("", m_view->m_trace) << "nothing begun, nothing to end";
    EXPECT_TRUE(Look() == before);
    EXPECT_FALSE(m_frame->IsInPreviewMode());
    EXPECT_EQ(nullptr, ::GetDlgItem(m_frame->m_hWnd, AFX_IDW_PREVIEW_BAR));
    EXPECT_EQ(m_view->m_hWnd, ::GetDlgItem(m_frame->m_hWnd, AFX_IDW_PANE_FIRST));
}

// A picture of the preview showing two pages side by side, then one zoomed in, as the screen shows them;
// saved to be looked at (run by scripts/screenshots on a virtual display), skipped elsewhere.
TEST(Screenshot, PrintPreviewPages)
{
    const char* folder = std::getenv("LORVANE_ARTEFACTS");
    if (folder == nullptr || *folder == '\0')
        GTEST_SKIP() << "no picture folder (run by scripts/screenshots on a virtual display)";
    PreviewFrame preview;
    if (!preview.Make(720, 560))
        GTEST_SKIP() << "no default printer";
    CFrameWnd* frame = preview.m_frame;
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW, 0);
    frame->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE, 0);
    const struct
    {
        UINT nCommand;
        const char* name;
    } shots[] = {{0, "preview-two-pages.bmp"}, {AFX_ID_PREVIEW_ZOOMIN, "preview-zoomed.bmp"}};
    for (const auto& shot : shots) {
        if (shot.nCommand != 0)
            frame->SendMessage(WM_COMMAND, shot.nCommand, 0);
        ::SendMessage(::GetDlgItem(frame->m_hWnd, AFX_IDW_PREVIEW_BAR), WM_IDLEUPDATECMDUI, TRUE, 0);
        ::RedrawWindow(frame->m_hWnd, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        for (int i = 0; i < 10; ++i) {
            PumpPending();
            ::Sleep(50); // the X server catches up
        }
        const CString path = CString(folder) + "\\" + shot.name;
        EXPECT_GT(SaveWindowPicture(frame->m_hWnd, path), 2) << path;
    }
    preview.Destroy();
}

} // namespace
