// Rectangles, fixed point, scaling and colours: the boundary cases each operation must get right,
// overflow included (wrapped or saturated, never undefined).
#include <gtest/gtest.h>

#include "richtext/engine/TxGeometry.h"
#include "richtext/engine/TxPlatform.h"

#include <climits>

namespace {
bool Same(const TxRect& a, const TxRect& b)
{
    return a.top == b.top && a.left == b.left && a.bottom == b.bottom && a.right == b.right;
}

const TxRect kUntouched = {-1, -1, -1, -1};
} // namespace

TEST(TxGeometry, RectangleOperations)
{
    struct Case
    {
        const char* name;
        bool (*run)(TxRect& out);
        bool result;
        TxRect out;
    } cases[] = {
        {"sharing an edge is no intersection and leaves out as it was",
         [](TxRect& o) {
             TxRect a = {0, 0, 10, 10}, b = {10, 0, 20, 10};
             return TxSectRect(&a, &b, &o);
         },
         false, kUntouched},
        {"a null rectangle stands for everything",
         [](TxRect& o) {
             TxRect b = {1, 2, 3, 4};
             return TxSectRect(nullptr, &b, &o);
         },
         true,
         {1, 2, 3, 4}},
        {"overlap",
         [](TxRect& o) {
             TxRect a = {0, 0, 10, 10}, b = {5, -5, 20, 5};
             return TxSectRect(&a, &b, &o);
         },
         true,
         {5, 0, 10, 5}},
        {"touching side by side counts, a zero-width span at a's right",
         [](TxRect& o) {
             TxRect a = {0, 0, 10, 10}, b = {5, 10, 20, 30};
             return TxSectRectTouching(&a, &b, &o);
         },
         true,
         {5, 10, 10, 10}},
        {"touching at a's left, the span at a's left",
         [](TxRect& o) {
             TxRect a = {0, 10, 10, 20}, b = {0, 0, 10, 10};
             return TxSectRectTouching(&a, &b, &o);
         },
         true,
         {0, 10, 10, 10}},
        {"touching only at a corner does not count",
         [](TxRect& o) {
             TxRect a = {0, 0, 10, 10}, b = {10, 10, 20, 20};
             return TxSectRectTouching(&a, &b, &o);
         },
         false, kUntouched},
        {"union of a point and a rectangle is the rectangle",
         [](TxRect& o) {
             TxUnionRect({3, 3, 3, 3}, {0, 0, 5, 5}, o);
             return true;
         },
         true,
         {0, 0, 5, 5}},
        {"union with an empty rectangle is the first",
         [](TxRect& o) {
             TxUnionRect({0, 0, 5, 5}, {20, 20, 20, 40}, o);
             return true;
         },
         true,
         {0, 0, 5, 5}},
        {"the loose union widens to a zero-height line",
         [](TxRect& o) {
             TxUnionRectLoose({0, 0, 5, 5}, {20, 20, 20, 40}, o);
             return true;
         },
         true,
         {0, 0, 20, 40}},
        {"a point is at the top-left edge but not the bottom-right",
         [](TxRect& o) {
             TxRect r = {0, 0, 10, 10};
             o = kUntouched;
             return TxPointInRect({0, 0}, r) && !TxPointInRect({10, 5}, r) && !TxPointInRect({5, 10}, r);
         },
         true, kUntouched},
        {"offsets wrap instead of overflowing",
         [](TxRect& o) {
             o = {INT_MAX, 0, INT_MAX, 0};
             TxOffsetRect(o, 0, 1);
             return true;
         },
         true,
         {INT_MIN, 0, INT_MIN, 0}},
        {"engine and platform orders swap both ways",
         [](TxRect& o) {
             TxRect r = {1, 2, 3, 4};
             TxPlatformRect p;
             TxPoint offset = {10, 20};
             TxRectToPlatform(r, &offset, p);
             o = {p.top, p.left, p.bottom, p.right};
             int32_t swapped[4], back[4];
             TxSwapRectOrder(&r.top, swapped);
             TxSwapRectOrder(swapped, back);
             return swapped[0] == 2 && swapped[1] == 1 && back[0] == 1 && back[3] == 4;
         },
         true,
         {11, 22, 13, 24}},
    };
    for (auto& c : cases) {
        TxRect out = kUntouched;
        EXPECT_EQ(c.result, c.run(out)) << c.name;
        EXPECT_TRUE(Same(c.out, out))
            << c.name << ": " << out.top << "," << out.left << "," << out.bottom << "," << out.right;
    }
}

TEST(TxGeometry, FixedPointAndScaling)
{
    struct Case
    {
        const char* name;
        int32_t got, expected;
    } cases[] = {
        {"1.5 x -2.0", TxFixedMul(0x18000, -0x20000), -0x30000},
        {"anything x 0", TxFixedMul(0x7FFFFFFF, 0), 0},
        {"0.5 x 0.5 rounds the low product", TxFixedMul(0x8000, 0x8000), 0x4000},
        {"the largest magnitudes wrap", TxFixedMul(INT_MIN, INT_MIN), TxFixedMul(INT_MIN, INT_MIN)},
        {"1.0 / 2.0 takes the floating path", TxFixedDiv(0x10000, 0x20000), 0x8000},
        {"division by 0", TxFixedDiv(1, 0), 0},
        {"small over positive", TxFixedDiv(1, 2), 0x8000},
        {"small over negative, signed", TxFixedDiv(0x8000, -1), INT_MIN},
        {"a quotient too large saturates", TxFixedDiv(0x7FFFFFFF, 1), INT_MAX},
        {"negative quotient too large saturates", TxFixedDiv(INT_MIN, 1), INT_MIN},
        {"ratio 1/3", TxFixedRatio(1, 3), 0x5555},
        {"ratio with a zero denominator", TxFixedRatio(1, 0), 0},
        {"round 1.5 up", TxFixedRound(0x18000), 0x20000},
        {"round near the top wraps", TxFixedRound(0x7FFFFFFF), INT_MIN},
        {"clamp high", TxClampCoord(20000), 16380},
        {"clamp low", TxClampCoord(-20000), -16380},
    };
    for (auto& c : cases)
        EXPECT_EQ(c.expected, c.got) << c.name;

    struct ScaleCase
    {
        const char* name;
        int32_t scale, origin, value, result, moved;
    } scales[] = {
        {"2/1 about 10 maps 15 to 20", TxScaleOf(2, 1), 10, 15, 10, 20},
        {"the inverse of 2/1 maps 30 to 20", -TxScaleOf(2, 1), 10, 30, 10, 20},
        {"no scale leaves the value", 0, 10, 15, 0, 15},
        {"a negative value negates the origin", TxScaleOf(2, 1), 10, -20, -20, -30},
        {"a huge value wraps", TxScaleOf(2, 1), 0, INT_MAX, -2, -2},
    };
    for (auto& s : scales) {
        int32_t v = s.value;
        EXPECT_EQ(s.result, TxScaleValue(s.scale, s.origin, v)) << s.name;
        EXPECT_EQ(s.moved, v) << s.name;
    }

    TxScale zoom = {0, 0, TxScaleOf(3, 2)};
    TxRect r = {10, 20, 30, 40};
    TxPoint offset = {2, 4};
    TxScaleRect(zoom, &offset, r);
    EXPECT_TRUE(Same({15, 30, 45, 60}, r));
    TxRect mapped;
    TxMapRect(&zoom, {0, 0, 10, 10}, mapped, &offset);
    EXPECT_TRUE(Same({3, 6, 18, 21}, mapped));
    EXPECT_TRUE(TxPointInMappedRect({14, 14}, {0, 0, 10, 10}, nullptr, &zoom));
    TxPoint inset = {1, 1};
    EXPECT_FALSE(TxPointInMappedRect({14, 14}, {0, 0, 10, 10}, &inset, &zoom));
}

TEST(TxGeometry, ColoursAndWords)
{
    TxColor red;
    TxColorFromPlatform(0x0000FF, red);
    EXPECT_EQ(0xFFFF, red.red);
    EXPECT_EQ(0, red.green);
    EXPECT_EQ(0, red.blue);
    uint32_t back = 0;
    TxColorToPlatform(red, back);
    EXPECT_EQ(0x0000FFu, back);
    TxColor grey;
    TxColorFromPlatform(0x808080, grey);
    EXPECT_EQ(0x80FF, grey.blue);
    EXPECT_FALSE(TxEqualColor(red, grey));

    const char a[] = "abcdX", b[] = "abcdY";
    EXPECT_TRUE(TxEqualWords(a, b, 5)); // the odd last byte is ignored
    EXPECT_FALSE(TxEqualWords(a, b, 6));
    const char zeros[] = {0, 0, 0, 7};
    EXPECT_TRUE(TxZeroWords(zeros, 3));
    EXPECT_FALSE(TxZeroWords(zeros, 4));

    int16_t record[33] = {99};
    record[1] = 1;
    record[32] = -5;
    uint32_t mask = TxPackFlags(record);
    EXPECT_EQ(0x80000001u, mask);
    int16_t unpacked[33] = {99};
    TxUnpackFlags(mask, unpacked);
    EXPECT_EQ(-1, unpacked[1]);
    EXPECT_EQ(0, unpacked[2]);
    EXPECT_EQ(-1, unpacked[32]);
    EXPECT_EQ(99, unpacked[0]);
}
