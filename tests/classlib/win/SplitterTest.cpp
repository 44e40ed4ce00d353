// A static splitter lays out its panes from their row and column sizes, hides one under its minimum,
// follows a dragged bar, takes existing windows as panes, and its active pane is its frame's command target.
#include "FrameTestSupport.h"

#include "classlib/win/SplitterWnd.h"

#include <gtest/gtest.h>

namespace {

class SplitFrame : public CFrameWnd
{
public:
    CSplitterWnd m_split;
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override
    {
        return m_split.CreateStatic(this, 1, 2) &&
               m_split.CreateView(0, 0, RUNTIME_CLASS(TraceView), CSize(100, 0), pContext) &&
               m_split.CreateView(0, 1, RUNTIME_CLASS(TraceView), CSize(0, 0), pContext);
    }
};

// The pane's rectangle in its splitter's client coordinates.
CRect PaneRect(CSplitterWnd& split, int row, int col)
{
    CRect rect;
    split.GetPane(row, col)->GetWindowRect(&rect);
    split.ScreenToClient(&rect);
    return rect;
}

class SplitterTest : public ::testing::Test
{
protected:
    FrameApp app;
    SplitFrame* frame = nullptr;
    TraceDoc* doc = nullptr;
    CRect client;

    void SetUp() override
    {
        g_frameTrace.clear();
        doc = new TraceDoc;
        doc->SetTitle("Split");
        CCreateContext context;
        context.m_pCurrentDoc = doc;
        frame = new SplitFrame;
        ASSERT_TRUE(frame->Create(nullptr, "Split", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300), nullptr,
                                  nullptr, 0, &context));
        frame->InitialUpdateFrame(doc, TRUE);
        frame->m_split.GetClientRect(&client);
    }
    void TearDown() override
    {
        // The document goes with its last view.
        if (frame != nullptr)
            frame->DestroyWindow();
        PumpPending();
    }
};

TEST_F(SplitterTest, PanesTakeTheirColumnsWithABarBetween)
{
    CSplitterWnd& split = frame->m_split;
    EXPECT_EQ(AFX_IDW_PANE_FIRST, split.GetDlgCtrlID());
    CRect frameClient;
    frame->GetClientRect(&frameClient);
    EXPECT_EQ(frameClient.Size(), client.Size()); // the splitter is the frame's pane
    EXPECT_EQ(AFX_IDW_PANE_FIRST + 1, split.GetPane(0, 1)->GetDlgCtrlID());
    EXPECT_EQ(CRect(0, 0, 100, client.bottom), PaneRect(split, 0, 0));
    EXPECT_EQ(CRect(100 + split.m_cxSplitter, 0, client.right, client.bottom), PaneRect(split, 0, 1));
    int cxCur = 0, cxMin = 0;
    split.GetColumnInfo(1, cxCur, cxMin);
    EXPECT_EQ(client.right - 100 - split.m_cxSplitter, cxCur);

    split.SetColumnInfo(0, 180, 20);
    split.RecalcLayout();
    EXPECT_EQ(180, PaneRect(split, 0, 0).Width());
    // Under its minimum a column is hidden and the next one starts after the bar.
    split.SetColumnInfo(0, 10, 20);
    split.RecalcLayout();
    EXPECT_EQ(0, PaneRect(split, 0, 0).Width());
    EXPECT_EQ(split.m_cxSplitter, PaneRect(split, 0, 1).left);

    // The panes follow the frame.
    split.SetColumnInfo(0, 100, 0);
    ::SetWindowPos(frame->m_hWnd, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    split.GetClientRect(&client);
    EXPECT_EQ(client.right, PaneRect(split, 0, 1).right);
    EXPECT_EQ(client.bottom, PaneRect(split, 0, 1).bottom);
}

TEST_F(SplitterTest, DraggingTheBarResizesTheColumns)
{
    CSplitterWnd& split = frame->m_split;
    split.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(101, 50));
    split.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(151, 50));
    split.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(221, 60));
    EXPECT_EQ(220, PaneRect(split, 0, 0).Width());
    // Once released, moving the mouse changes nothing.
    split.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
    EXPECT_EQ(220, PaneRect(split, 0, 0).Width());
}

TEST_F(SplitterTest, TheActivePaneIsTheFramesCommandTarget)
{
    CSplitterWnd& split = frame->m_split;
    EXPECT_EQ(2, doc->GetViewCount());
    // The first pane is the active view after the initial update.
    EXPECT_EQ(split.GetPane(0, 0), frame->GetActiveView());
    int row = -1, col = -1;
    EXPECT_EQ(split.GetPane(0, 0), split.GetActivePane(&row, &col));
    EXPECT_EQ(0, col);

    // A click activates the other pane.
    split.GetPane(0, 1)->SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(frame->m_hWnd),
                                     MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(split.GetPane(0, 1), frame->GetActiveView());
    frame->SendMessage(WM_COMMAND, ID_TRACE);
    EXPECT_EQ("view;doc;app;", g_frameTrace);
}

TEST(SplitterPanes, ExistingWindowsMovedUnderPaneIdsAreLaidOut)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
    CWnd top, bottom;
    ASSERT_TRUE(top.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 1));
    ASSERT_TRUE(bottom.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &parent, 2));

    CSplitterWnd split;
    ASSERT_TRUE(split.CreateStatic(&parent, 2, 1, WS_CHILD | WS_VISIBLE, 7));
    EXPECT_EQ(nullptr, split.GetPane(0, 0));
    top.SetParent(&split);
    top.SetDlgCtrlID(split.IdFromRowCol(0, 0));
    bottom.SetParent(&split);
    bottom.SetDlgCtrlID(split.IdFromRowCol(1, 0));
    split.SetRowInfo(0, 60, 0);
    split.RecalcLayout();

    CRect client;
    split.GetClientRect(&client);
    EXPECT_EQ(CRect(0, 0, client.right, 60), PaneRect(split, 0, 0));
    EXPECT_EQ(CRect(0, 60 + split.m_cySplitter, client.right, client.bottom), PaneRect(split, 1, 0));
    EXPECT_TRUE(split.IsChildPane(&bottom, nullptr, nullptr));
    EXPECT_FALSE(split.IsChildPane(&parent, nullptr, nullptr));
    parent.DestroyWindow();
}

} // namespace
