// The engine's Win32 half: the default fatal procedure's quit message, shapes made into real
// regions, and references moved to and from global memory for the clipboard.
#include "../TxTestSupport.h"

#include "richtext/engine/TxShape.h"
#include "richtext/engine/win/TxGlobalMemory.h"

#include <cstring>
#include <vector>

namespace {
// Rectangles of a region as the system stores it.
DWORD RegionRectCount(HRGN region)
{
    DWORD size = ::GetRegionData(region, 0, nullptr);
    std::vector<char> data(size);
    auto* header = reinterpret_cast<RGNDATA*>(data.data());
    ::GetRegionData(region, size, header);
    return header->rdh.nCount;
}
} // namespace

TEST(TxWinEngine, AThrowWithoutAFramePostsQuitWithExitCode1)
{
    TxSetPlatform(nullptr);
    TxMemGlobals g{};
    g.fatalProc = TxDefaultFatalProc;
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    TxErr caught = 0;
    try {
        TxThrow(&g, kTxOutOfMemory, nullptr);
    } catch (const TxEngineError& e) {
        caught = e.code;
    }
    EXPECT_EQ(kTxOutOfMemory, caught);
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(1u, msg.wParam);
}

TEST(TxWinEngine, ShapesBecomeRegionsOfTheirRectangles)
{
    TxSetPlatform(nullptr);
    TxMemGlobals g{};
    TxMemInit(&g, 0);
    struct Case
    {
        const char* name;
        std::vector<TxRect> rects;
        DWORD regionRects;
    } cases[] = {
        {"one rectangle", {{0, 0, 10, 10}}, 1},
        {"two apart", {{0, 0, 10, 10}, {20, 0, 30, 10}}, 2},
        {"side by side of one height merge", {{0, 0, 10, 10}, {0, 10, 10, 20}}, 1},
        {"an L", {{0, 0, 10, 30}, {10, 0, 30, 10}}, 2},
    };
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    for (const Case& c : cases) {
        TxShape s = TxNewShape(&g, nullptr);
        for (const TxRect& r : c.rects)
            TxUnionRectShape(s, r);
        TxShapeToRegion(s, 0, 0, nullptr, 0, nullptr, reinterpret_cast<uintptr_t>(region));
        EXPECT_EQ(c.regionRects, RegionRectCount(region)) << c.name;
        RECT box;
        ::GetRgnBox(region, &box);
        TxRect bounds;
        TxGetShapeBounds(s, bounds);
        EXPECT_EQ(bounds.right, box.right) << c.name;
        EXPECT_EQ(bounds.bottom, box.bottom) << c.name;
        TxDisposeShape(s);
    }
    ::DeleteObject(region);
    TxMemShutdown(&g);
}

TEST(TxWinEngine, ReferencesMoveToGlobalMemoryAndBack)
{
    TxMemGlobals g{};
    TxMemInit(&g, 0);
    int32_t start = g.byteTotal;
    TxRef ref = PatternRef(g, 40);
    HGLOBAL block = TxRefToGlobalBlock(ref);
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(nullptr, *ref);
    EXPECT_EQ(start, g.byteTotal);
    EXPECT_EQ(40u, ::GlobalSize(block));
    TxRef back = TxAdoptGlobalBlock(&g, block, 4);
    EXPECT_EQ(10, TxRecordCount(back));
    TxHeaderOf(back)->recordSize = 1;
    TxHeaderOf(back)->recordCount = 40;
    EXPECT_TRUE(HoldsPattern(back, 40));
    TxMemShutdown(&g);
}
