// Drawing through the DC and GDI object wrappers into a memory bitmap, read back pixel by pixel.
#include "classlib/win/DC.h"
#include "classlib/win/ThreadState.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);

class MemoryDCTest : public ::testing::Test
{
protected:
    CDC dc;
    CBitmap bitmap;
    CBitmap* pOldBitmap = nullptr;

    void SetUp() override
    {
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 40, 40));
        ::ReleaseDC(nullptr, screen.Detach());
        pOldBitmap = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 40, 40, kWhite);
    }
    void TearDown() override { dc.SelectObject(pOldBitmap); }

    // Pixels of the frame of rect (one pixel thick) that are not white.
    int ChangedOnFrame(const CRect& rect) const
    {
        int n = 0;
        for (int x = rect.left; x < rect.right; ++x)
            for (int y = rect.top; y < rect.bottom; ++y)
                if ((x == rect.left || y == rect.top || x == rect.right - 1 || y == rect.bottom - 1) &&
                    dc.GetPixel(x, y) != kWhite)
                    ++n;
        return n;
    }
    int ChangedAnywhere() const
    {
        return ChangedOnFrame(CRect(0, 0, 40, 40)) + ChangedInside(CRect(0, 0, 40, 40));
    }
    int ChangedInside(const CRect& rect) const
    {
        int n = 0;
        for (int x = rect.left + 1; x < rect.right - 1; ++x)
            for (int y = rect.top + 1; y < rect.bottom - 1; ++y)
                if (dc.GetPixel(x, y) != kWhite)
                    ++n;
        return n;
    }
};

TEST_F(MemoryDCTest, DragRectInvertsHalfTheFramePixelsAndMovesAndErasesCleanly)
{
    const CRect first(4, 4, 20, 20);
    dc.DrawDragRect(&first, CSize(1, 1), nullptr, CSize(0, 0));
    // A halftone pattern: every other pixel of the frame turns black, the inside stays white.
    const int firstPerimeter = 2 * (first.Width() + first.Height()) - 4;
    EXPECT_EQ(firstPerimeter / 2, ChangedOnFrame(first));
    EXPECT_EQ(firstPerimeter / 2, ChangedAnywhere());
    EXPECT_EQ(kBlack, dc.GetPixel(5, 4) == kBlack ? kBlack : dc.GetPixel(6, 4));
    EXPECT_NE(dc.GetPixel(5, 4), dc.GetPixel(6, 4)); // neighbours alternate

    // Moving: only the difference of the two frames changes; the old frame is gone where the new one
    // does not cover it, and the new one looks as if drawn alone.
    const CRect second(10, 10, 30, 30);
    dc.DrawDragRect(&second, CSize(1, 1), &first, CSize(1, 1));
    const int secondPerimeter = 2 * (second.Width() + second.Height()) - 4;
    EXPECT_EQ(secondPerimeter / 2, ChangedOnFrame(second));
    EXPECT_EQ(secondPerimeter / 2, ChangedAnywhere());
    EXPECT_EQ(kWhite, dc.GetPixel(5, 4));
    EXPECT_EQ(kWhite, dc.GetPixel(6, 4));

    // Drawing the same frame again changes nothing; erasing (size 0) takes it away.
    dc.DrawDragRect(&second, CSize(1, 1), &second, CSize(1, 1));
    EXPECT_EQ(secondPerimeter / 2, ChangedAnywhere());
    dc.DrawDragRect(&second, CSize(0, 0), &second, CSize(1, 1));
    EXPECT_EQ(0, ChangedAnywhere());
}

TEST_F(MemoryDCTest, ThickFrameLeavesTheInsideAlone)
{
    const CRect rect(2, 2, 30, 30);
    dc.DrawDragRect(&rect, CSize(4, 4), nullptr, CSize(0, 0));
    CRect inner = rect;
    inner.DeflateRect(4, 4);
    EXPECT_EQ(0, ChangedInside(CRect(inner.left - 1, inner.top - 1, inner.right + 1, inner.bottom + 1)));
    EXPECT_GT(ChangedOnFrame(rect), 0);
    EXPECT_GT(ChangedOnFrame(CRect(5, 5, 27, 27)), 0); // the fourth ring is still frame
    dc.DrawDragRect(&rect, CSize(0, 0), &rect, CSize(4, 4));
    EXPECT_EQ(0, ChangedAnywhere());
}

TEST_F(MemoryDCTest, WrappersDrawWhereTheySay)
{
    dc.FillSolidRect(CRect(0, 0, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(RGB(255, 0, 0), dc.GetPixel(9, 9));
    EXPECT_EQ(kWhite, dc.GetPixel(10, 10));

    dc.Draw3dRect(CRect(10, 10, 20, 20), RGB(0, 255, 0), RGB(0, 0, 255));
    EXPECT_EQ(RGB(0, 255, 0), dc.GetPixel(10, 10)); // top-left corner
    EXPECT_EQ(RGB(0, 255, 0), dc.GetPixel(10, 18)); // left side
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(19, 19)); // bottom-right corner
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(19, 10)); // right side
    EXPECT_EQ(kWhite, dc.GetPixel(15, 15));

    CPen pen(PS_SOLID, 1, RGB(10, 20, 30));
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.MoveTo(0, 30);
    dc.LineTo(10, 30);
    dc.SelectObject(pOldPen);
    EXPECT_EQ(RGB(10, 20, 30), dc.GetPixel(5, 30));
    EXPECT_EQ(kWhite, dc.GetPixel(10, 30)); // the end point is not drawn

    CBrush brush(RGB(200, 100, 50));
    CRgn rgn;
    ASSERT_TRUE(rgn.CreateEllipticRgn(20, 20, 40, 40));
    dc.FillRgn(&rgn, &brush);
    EXPECT_EQ(RGB(200, 100, 50), dc.GetPixel(30, 30));
    EXPECT_EQ(kWhite, dc.GetPixel(20, 20)); // outside the ellipse
}

TEST(GdiHandleMap, TemporaryWrappersLiveUntilIdleAndOwnNothing)
{
    HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 1, 1));
    CBrush* pTemp = CBrush::FromHandle(hBrush);
    EXPECT_EQ(hBrush, pTemp->m_hObject);
    EXPECT_EQ(pTemp, CBrush::FromHandle(hBrush)); // the same wrapper until idle time
    AfxGetThreadState()->DeleteTempMaps();
    // The handle survived its wrapper.
    LOGBRUSH lb = {};
    EXPECT_EQ(static_cast<int>(sizeof lb), ::GetObject(hBrush, sizeof lb, &lb));
    {
        CBrush owner;
        owner.Attach(hBrush);
        EXPECT_EQ(&owner, CBrush::FromHandle(hBrush));
    } // the owner deletes it
    EXPECT_EQ(0, ::GetObject(hBrush, sizeof lb, &lb));
}

} // namespace
