// Shapes: the merge rule, unions kept disjoint and sorted, differences, hit tests, fitting lines
// and the shape kinds. Unions and differences are checked point by point against the rectangles.
#include "TxTestSupport.h"

#include "richtext/engine/TxShape.h"

#include <functional>
#include <random>
#include <vector>

namespace {
bool Covers(TxShape s, int32_t v, int32_t h)
{
    return TxPointInShape(s, {v, h}, nullptr, nullptr, nullptr) != 0;
}

bool InAny(const std::vector<TxRect>& rects, int32_t v, int32_t h)
{
    for (const TxRect& r : rects)
        if (TxPointInRect({v, h}, r))
            return true;
    return false;
}

// The shape's rectangles are disjoint and bounded by record 0.
void ExpectTidy(TxShape s)
{
    int32_t n = TxShapeRectCount(s);
    TxRect bounds;
    TxGetShapeBounds(s, bounds);
    for (int32_t i = 1; i <= n; ++i) {
        TxRect a = TxShapeRect(s, i);
        EXPECT_TRUE(TxRectContains(bounds, a)) << i;
        for (int32_t j = i + 1; j <= n; ++j) {
            TxRect b = TxShapeRect(s, j);
            EXPECT_FALSE(TxSectRect(&a, &b, nullptr)) << i << " overlaps " << j;
        }
    }
}

struct ShapeCase
{
    const char* name;
    std::function<void(TxMemGlobals&)> run;
};

const ShapeCase kCases[] = {
    {"a shape from no rectangle is empty; adding one makes it exactly that rectangle",
     [](TxMemGlobals& g) {
         TxShape s = TxNewShape(&g, nullptr);
         EXPECT_TRUE(TxShapeIsEmpty(s));
         TxRect r = {1, 2, 3, 4};
         TxAddRectToShape(s, r);
         TxShape expected = TxNewShape(&g, &r);
         EXPECT_TRUE(TxEqualShapes(expected, s));
     }},
    {"a rectangle inside another adds nothing",
     [](TxMemGlobals& g) {
         TxRect r = {0, 0, 10, 10};
         TxShape s = TxNewShape(&g, &r);
         TxAddRectToShape(s, {2, 2, 5, 5});
         EXPECT_EQ(1, TxShapeRectCount(s));
     }},
    {"a rectangle right below another of the same width merges into one taller",
     [](TxMemGlobals& g) {
         TxRect r = {0, 0, 10, 10};
         TxShape s = TxNewShape(&g, &r);
         TxAddRectToShape(s, {10, 0, 25, 10});
         ASSERT_EQ(1, TxShapeRectCount(s));
         TxRect merged = TxShapeRect(s, 1);
         EXPECT_EQ(25, merged.bottom);
     }},
    {"two rectangles apart stay two, the bounds covering both",
     [](TxMemGlobals& g) {
         TxRect r = {0, 0, 10, 10};
         TxShape s = TxNewShape(&g, &r);
         TxAddRectToShape(s, {20, 30, 25, 40});
         EXPECT_EQ(2, TxShapeRectCount(s));
         TxRect b;
         TxGetShapeBounds(s, b);
         EXPECT_EQ(25, b.bottom);
         EXPECT_EQ(40, b.right);
     }},
    {"a point on the bottom or right edge of the only rectangle is outside",
     [](TxMemGlobals& g) {
         TxRect r = {0, 0, 10, 10};
         TxShape s = TxNewShape(&g, &r);
         EXPECT_EQ(1, TxPointInShape(s, {9, 9}, nullptr, nullptr, nullptr));
         EXPECT_EQ(0, TxPointInShape(s, {10, 5}, nullptr, nullptr, nullptr));
         EXPECT_EQ(0, TxPointInShape(s, {5, 10}, nullptr, nullptr, nullptr));
         TxPoint offset = {100, 100};
         EXPECT_EQ(1, TxPointInShape(s, {105, 105}, &offset, nullptr, nullptr));
         EXPECT_EQ(0, TxPointInShape(nullptr, {5, 5}, nullptr, nullptr, nullptr));
     }},
    {"a line needing two stacked rectangles of widths 100 and 60 fails at 80, fits at 50",
     [](TxMemGlobals& g) {
         TxRect top = {0, 0, 10, 100};
         TxShape s = TxNewShape(&g, &top);
         TxAddRectToShape(s, {10, 0, 30, 60});
         for (int32_t minimum : {80, 50}) {
             TxRect line = {5, 0, 20, 0};
             int32_t index = 1;
             bool fits = TxFitInShape(s, line, minimum, index, {0, 0});
             EXPECT_EQ(minimum == 50, fits) << minimum;
             EXPECT_EQ(2, index);
             EXPECT_EQ(60, line.right);
         }
     }},
    {"two equal-width rectangles stacked with a gap are kind 1, without one 17",
     [](TxMemGlobals& g) {
         TxRect r = {0, 0, 10, 10};
         TxShape s = TxNewShape(&g, &r);
         EXPECT_EQ(0, TxShapeKind(s));
         TxAddRectToShape(s, {15, 0, 20, 10});
         EXPECT_EQ(1, TxShapeKind(s));
         TxSetShapeRect(s, &r);
         // The merge rule would join them: set the records directly.
         TxSetRecordCount(s, 3);
         TxRect below = {10, 0, 20, 10};
         *static_cast<TxRect*>(TxRecordPtr(s, 2, true)) = below;
         TxUnlockRef(s);
         EXPECT_EQ(17, TxShapeKind(s));
     }},
    {"the union of two overlapping rectangles is disjoint pieces sorted by top",
     [](TxMemGlobals& g) {
         TxRect a = {10, 10, 30, 30};
         TxShape s = TxNewShape(&g, &a);
         TxUnionRectShape(s, {0, 20, 20, 40});
         ExpectTidy(s);
         int32_t n = TxShapeRectCount(s);
         EXPECT_GE(n, 2);
         int64_t area = 0;
         for (int32_t i = 1; i <= n; ++i) {
             TxRect r = TxShapeRect(s, i);
             area += int64_t(r.bottom - r.top) * (r.right - r.left);
             if (i < n) {
                 EXPECT_LE(r.top, TxShapeRect(s, i + 1).top);
             }
         }
         EXPECT_EQ(400 + 400 - 100, area);
         TxRect bounds;
         TxGetShapeBounds(s, bounds);
         EXPECT_EQ(0, bounds.top);
         EXPECT_EQ(40, bounds.right);
     }},
    {"the difference of a shape and itself is empty, of disjoint shapes a copy of b",
     [](TxMemGlobals& g) {
         TxRect r = {0, 0, 10, 10}, apart = {50, 50, 60, 60};
         TxShape a = TxNewShape(&g, &r);
         TxUnionRectShape(a, {5, 5, 20, 20});
         TxShape result = TxNewShape(&g, nullptr);
         TxDiffShape(a, a, result);
         EXPECT_TRUE(TxShapeIsEmpty(result));
         TxShape b = TxNewShape(&g, &apart);
         TxDiffShape(a, b, result);
         EXPECT_TRUE(TxEqualShapes(b, result));
     }},
    {"offsetting moves the bounds too; scaling 2/1 doubles about the origin",
     [](TxMemGlobals& g) {
         TxRect r = {0, 0, 10, 10};
         TxShape s = TxNewShape(&g, &r);
         TxOffsetShape(s, 5, 1);
         TxRect b;
         TxGetShapeBounds(s, b);
         EXPECT_EQ(1, b.top);
         EXPECT_EQ(5, b.left);
         TxScaleShape(s, {1, 5}, 2, 1);
         TxGetShapeBounds(s, b);
         EXPECT_EQ(21, b.bottom);
         EXPECT_EQ(25, b.right);
     }},
};
} // namespace

TEST_F(TxMemTest, ShapeEdgeCases)
{
    for (const ShapeCase& c : kCases) {
        SCOPED_TRACE(c.name);
        c.run(g);
    }
}

TEST_F(TxMemTest, UnionsAndDifferencesCoverExactlyTheirRectangles)
{
    std::mt19937 random(5);
    auto next = [&](int n) { return int32_t(random() % unsigned(n)); };
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        std::vector<TxRect> added, removed;
        TxShape s = TxNewShape(&g, nullptr);
        TxShape cut = TxNewShape(&g, nullptr);
        for (int k = 0, n = 1 + next(5); k < n; ++k) {
            int32_t top = next(30), left = next(30);
            TxRect r = {top, left, top + 1 + next(15), left + 1 + next(15)};
            added.push_back(r);
            TxUnionRectShape(s, r);
        }
        for (int k = 0, n = 1 + next(3); k < n; ++k) {
            int32_t top = next(30), left = next(30);
            TxRect r = {top, left, top + 1 + next(15), left + 1 + next(15)};
            removed.push_back(r);
            TxUnionRectShape(cut, r);
        }
        ExpectTidy(s);
        ExpectTidy(cut);
        TxShape rest = TxNewShape(&g, nullptr);
        TxDiffShape(cut, s, rest);
        for (int32_t i = 1; i <= TxShapeRectCount(rest); ++i)
            for (int32_t j = i + 1; j <= TxShapeRectCount(rest); ++j) {
                TxRect a = TxShapeRect(rest, i), b = TxShapeRect(rest, j);
                EXPECT_FALSE(TxSectRect(&a, &b, nullptr));
            }
        for (int32_t v = -1; v < 47; ++v)
            for (int32_t h = -1; h < 47; ++h) {
                ASSERT_EQ(InAny(added, v, h), Covers(s, v, h)) << v << "," << h;
                ASSERT_EQ(InAny(added, v, h) && !InAny(removed, v, h), Covers(rest, v, h)) << v << "," << h;
            }
        TxDisposeShape(s);
        TxDisposeShape(cut);
        TxDisposeShape(rest);
    }
}

TEST_F(TxMemTest, ShapeIntersectionTests)
{
    TxRect r = {0, 0, 10, 10};
    TxShape s = TxNewShape(&g, &r);
    TxAddRectToShape(s, {20, 0, 30, 10});
    TxRect out;
    EXPECT_EQ(2, TxSectShapeIndex(s, {25, 5, 40, 40}, &out));
    EXPECT_EQ(25, out.top);
    EXPECT_EQ(10, out.right);
    EXPECT_EQ(0, TxSectShapeIndex(s, {10, 0, 20, 10}, &out));
    TxPoint offset = {-20, 0};
    EXPECT_TRUE(TxSectShapeRect(s, {5, 0, 6, 1}, nullptr, &out));
    EXPECT_FALSE(TxSectShapeRect(s, {15, 0, 16, 1}, nullptr, &out));
    EXPECT_TRUE(TxSectShapeRect(s, {45, 0, 46, 1}, &offset, &out));
    EXPECT_EQ(25, out.top);
    EXPECT_FALSE(TxSectShapeRect(s, {10, 10, 20, 20}, nullptr, nullptr));
    EXPECT_TRUE(TxShapeTouchesRect(s, {0, 10, 5, 20}, &out));
}

TEST_F(TxMemTest, ShapeToRegionClipsScalesMovesAndShrinks)
{
    TxRect r = {0, 0, 10, 10};
    TxShape s = TxNewShape(&g, &r);
    TxAddRectToShape(s, {20, 0, 30, 10});
    TxAddRectToShape(s, {100, 100, 110, 110});
    TxRect clip = {0, 0, 50, 50};
    TxScale zoom = {0, 0, TxScaleOf(2, 1)};
    TxShapeToRegion(s, 1, 2, &zoom, 1, &clip, 77);
    ASSERT_EQ(2u, platform.lastRegion.size());
    const TxPlatformRect& second = platform.lastRegion[1];
    EXPECT_EQ(2, second.left);
    EXPECT_EQ(41, second.top);
    EXPECT_EQ(21, second.right);
    EXPECT_EQ(60, second.bottom);
}
