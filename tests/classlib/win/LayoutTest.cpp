// Bars take their room from the parent's client area through WM_SIZEPARENT; the left-over window gets
// the rest.
#include "WndTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A bar docked at the top or bottom with a fixed height.
class TestBar : public CWnd
{
public:
    int m_nHeight = 0;
    BOOL m_bTop = TRUE;

    LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rect = lpLayout->rect;
        if (m_bTop) {
            rect.bottom = rect.top + m_nHeight;
            lpLayout->rect.top += m_nHeight;
        } else {
            rect.top = rect.bottom - m_nHeight;
            lpLayout->rect.bottom -= m_nHeight;
        }
        lpLayout->sizeTotal.cy += m_nHeight;
        lpLayout->sizeTotal.cx = rect.Width();
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TestBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

class LayoutTest : public ::testing::Test
{
protected:
    RecordingApp app;
    CWnd parent;
    TestBar top, bottom;
    CWnd pane;

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "Layout", WS_POPUP, 0, 0, 200, 150, nullptr, nullptr));
        top.m_nHeight = 20;
        bottom.m_nHeight = 10;
        bottom.m_bTop = FALSE;
        ASSERT_TRUE(top.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), &parent, AFX_IDW_TOOLBAR));
        ASSERT_TRUE(
            bottom.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), &parent, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(
            pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(), &parent, AFX_IDW_PANE_FIRST));
    }
    void TearDown() override { parent.DestroyWindow(); }
    CRect ChildRect(CWnd& child)
    {
        CRect rect;
        child.GetWindowRect(&rect);
        parent.ScreenToClient(&rect);
        return rect;
    }
};

TEST_F(LayoutTest, BarsTakeTheirSidesAndThePaneTheRest)
{
    parent.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(CRect(0, 0, 200, 20), ChildRect(top));
    EXPECT_EQ(CRect(0, 140, 200, 150), ChildRect(bottom));
    EXPECT_EQ(CRect(0, 20, 200, 140), ChildRect(pane));
}

TEST_F(LayoutTest, QueryMovesNothingAndReportsTheRoom)
{
    CRect rect;
    parent.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST,
                          CWnd::reposQuery, &rect);
    EXPECT_EQ(CRect(0, 20, 200, 140), rect);
    EXPECT_EQ(CRect(0, 0, 0, 0), ChildRect(pane));
    parent.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST,
                          CWnd::reposQuery, &rect, nullptr, FALSE);
    EXPECT_EQ(CRect(0, 0, 200, 30), rect); // the room the bars take
}

TEST_F(LayoutTest, ExtraBordersShrinkTheLeftOver)
{
    CRect extra(5, 6, 7, 8);
    parent.RepositionBars(AFX_IDW_CONTROLBAR_FIRST, AFX_IDW_CONTROLBAR_LAST, AFX_IDW_PANE_FIRST,
                          CWnd::reposExtra, &extra);
    EXPECT_EQ(CRect(5, 26, 193, 132), ChildRect(pane));
}

int s_count = 0;

class Counter : public CWnd
{
public:
    LRESULT OnCount(WPARAM, LPARAM)
    {
        ++s_count;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Counter, CWnd)
ON_MESSAGE(WM_APP + 5, OnCount)
END_MESSAGE_MAP()

TEST(WndDescendants, MessagesReachEveryLevelOrOnlyObjects)
{
    RecordingApp app;
    s_count = 0;
    CWnd root;
    ASSERT_TRUE(root.CreateEx(0, nullptr, "Root", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    Counter child, grandchild;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD, CRect(), &root, 1));
    ASSERT_TRUE(grandchild.Create(nullptr, nullptr, WS_CHILD, CRect(), &child, 2));
    root.SendMessageToDescendants(WM_APP + 5, 0, 0, TRUE, TRUE);
    EXPECT_EQ(2, s_count);
    root.SendMessageToDescendants(WM_APP + 5, 0, 0, FALSE, TRUE);
    EXPECT_EQ(3, s_count);
    root.DestroyWindow();
}

} // namespace
