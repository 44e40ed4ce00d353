// Rectangle arithmetic follows the platform's rules: right and bottom exclusive, empty results zeroed.
#include "classlib/Rect.h"

#include <gtest/gtest.h>

namespace {

TEST(Rect, IntersectUnionAndSubtractFollowThePlatformRules)
{
    const struct
    {
        CRect a, b;
        BOOL intersects;
        CRect intersection, unionRect;
    } cases[] = {
        {CRect(0, 0, 10, 10), CRect(5, 5, 15, 15), TRUE, CRect(5, 5, 10, 10), CRect(0, 0, 15, 15)},
        // Touching edges do not overlap (right and bottom are outside).
        {CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), FALSE, CRect(), CRect(0, 0, 20, 10)},
        // An empty rectangle takes no part in a union.
        {CRect(0, 0, 10, 10), CRect(50, 50, 50, 60), FALSE, CRect(), CRect(0, 0, 10, 10)},
    };
    for (const auto& c : cases) {
        CRect r;
        EXPECT_EQ(c.intersects, r.IntersectRect(&c.a, &c.b));
        EXPECT_EQ(c.intersection, r);
        EXPECT_EQ(c.intersection, c.a & c.b);
        EXPECT_EQ(c.unionRect, c.a | c.b);
    }

    CRect r;
    // A cut across a whole side shortens the rectangle; a cut in the middle leaves it as it was.
    EXPECT_TRUE(r.SubtractRect(CRect(0, 0, 10, 10), CRect(0, 0, 10, 4)));
    EXPECT_EQ(CRect(0, 4, 10, 10), r);
    EXPECT_TRUE(r.SubtractRect(CRect(0, 0, 10, 10), CRect(2, 2, 4, 4)));
    EXPECT_EQ(CRect(0, 0, 10, 10), r);
    EXPECT_FALSE(r.SubtractRect(CRect(0, 0, 10, 10), CRect(-1, -1, 11, 11)));
    EXPECT_TRUE(r.IsRectNull());
}

TEST(Rect, PointsSizesAndOffsets)
{
    CRect r(10, 20, 30, 60);
    EXPECT_EQ(20, r.Width());
    EXPECT_EQ(40, r.Height());
    EXPECT_EQ(CPoint(20, 40), r.CenterPoint());
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 40)));
    r.OffsetRect(CPoint(-10, -20));
    EXPECT_EQ(CRect(0, 0, 20, 40), r);
    r.InflateRect(1, 2);
    EXPECT_EQ(CRect(-1, -2, 21, 42), r);
    r.DeflateRect(CRect(1, 2, 3, 4));
    EXPECT_EQ(CRect(0, 0, 18, 38), r);
    r.BottomRight() = CPoint(5, 6);
    EXPECT_EQ(CRect(0, 0, 5, 6), r);

    CRect reversed(10, 10, 0, 0);
    EXPECT_TRUE(reversed.IsRectEmpty());
    reversed.NormalizeRect();
    EXPECT_EQ(CRect(0, 0, 10, 10), reversed);

    // Mouse positions carry signed 16-bit coordinates.
    EXPECT_EQ(CPoint(-2, 3), CPoint(static_cast<LPARAM>(MAKELONG(-2, 3))));
    EXPECT_EQ(CSize(3, 4), CPoint(5, 7) - CPoint(2, 3));
    EXPECT_EQ(CRect(1, 2, 5, 6), CRect(CPoint(1, 2), CSize(4, 4)));
    // Scaling rounds half away from zero, as the platform's MulDiv.
    EXPECT_EQ(CRect(1, -1, 2, 3), CRect(1, -1, 3, 5).MulDiv(2, 3));
}

} // namespace
