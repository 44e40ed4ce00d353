// Exclusion rectangles with their values and anchors, page-area rectangles, and floating objects
// placed on the page and disposed with their rectangle.
#include "TxDocTestSupport.h"

#include "richtext/engine/TxExclusions.h"

namespace {
bool AllRelaid(TxRef d)
{
    TxDocLock doc(d);
    TxLock lock(doc->textBlocks);
    for (int32_t i = 0; i < TxRecordCount(doc->textBlocks); ++i)
        if (!(lock.Records<TxTextBlock>()[i].flags & 1))
            return false;
    return true;
}

void ClearBlockFlags(TxRef d)
{
    TxDocLock doc(d);
    TxLock lock(doc->textBlocks);
    for (int32_t i = 0; i < TxRecordCount(doc->textBlocks); ++i)
        lock.Records<TxTextBlock>()[i].flags = 0;
}

std::vector<int> disposed;
int32_t CountingDraw(TxDocument&, TxFloatingObject& object, const TxRect&, const TxPoint&, int32_t verb)
{
    if (verb == 3)
        disposed.push_back(object.kind);
    return 0;
}
} // namespace

TEST_F(TxDocTest, ExclusionsKeepTheirValuesAndAnchorsInStep)
{
    TxRef d = NewDoc();
    SetText(d, "first paragraph\rsecond one\rthird");
    for (int i = 1; i <= 3; ++i)
        TxInsertExclusion(d, TxRect{10 * i, 0, 10 * i + 5, 50}, i - 1, 100 + i, 0);
    EXPECT_EQ(3, TxExclusionCount(d));
    EXPECT_EQ(16, TxAnchorExclusion(d, 20, 3, 0)); // inside the second paragraph: at its start
    EXPECT_EQ(16, TxExclusionAnchorOffset(d, 3));

    TxInsertExclusion(d, TxRect{100, 0, 105, 50}, 2, 999, 0);
    struct Case
    {
        int32_t index;
        intptr_t value;
        int32_t top;
    };
    const Case after[] = {{1, 101, 10}, {2, 102, 20}, {3, 999, 100}, {4, 103, 30}};
    for (const Case& c : after) {
        EXPECT_EQ(c.value, TxGetExclusionValue(d, c.index)) << c.index;
        TxRect r;
        ASSERT_TRUE(TxGetExclusionRect(d, c.index, false, false, r));
        EXPECT_EQ(c.top, r.top) << c.index;
    }
    EXPECT_EQ(-1, TxExclusionAnchorOffset(d, 3));
    EXPECT_EQ(16, TxExclusionAnchorOffset(d, 4)); // the anchor followed its rectangle

    TxRemoveExclusion(d, 2, 0);
    EXPECT_EQ(16, TxExclusionAnchorOffset(d, 3));
    EXPECT_EQ(999, TxGetExclusionValue(d, 2));
    TxSwapExclusions(d, 1, 2, 0);
    EXPECT_EQ(999, TxGetExclusionValue(d, 1));
    EXPECT_EQ(101, TxGetExclusionValue(d, 2));

    EXPECT_EQ(16, TxAnchorExclusion(d, 17, 0, 0)); // index 0: only removes
    EXPECT_EQ(-1, TxExclusionAnchorOffset(d, 3));
    EXPECT_EQ(0, TxAnchorExclusion(d, 3, 2, 0));
    EXPECT_EQ(0, TxExclusionAnchorOffset(d, 2));
}

TEST_F(TxDocTest, RemovingTheLastExclusionRelaysTheWholeText)
{
    TxRef d = NewDoc();
    SetBlocks(d, {"one block", "another"});
    TxInsertExclusion(d, TxRect{0, 0, 40, 40}, 0, 7, 0);
    ClearBlockFlags(d);
    TxRemoveExclusion(d, 1, 0);
    EXPECT_EQ(0, TxExclusionCount(d));
    EXPECT_EQ(0, TxGetExclusionValue(d, 1));
    EXPECT_TRUE(AllRelaid(d));
    TxRect bounds;
    TxGetExclusionRect(d, 0, false, false, bounds);
    EXPECT_TRUE(TxRectIsEmpty(bounds));
}

TEST_F(TxDocTest, ExclusionsFoundAtWindowPoints)
{
    TxRef d = NewDoc();
    TxInsertExclusion(d, TxRect{100, 100, 200, 200}, 0, 0, 0);
    TxDocLock(d)->scroll = {50, 0};
    const std::pair<TxPoint, int32_t> cases[] = {{{60, 150}, 1}, {{149, 199}, 1}, {{150, 150}, 0}, {{40, 150}, 0}};
    for (auto [point, index] : cases)
        EXPECT_EQ(index, TxFindExclusionAt(d, point)) << point.v << "," << point.h;
    TxRect r;
    TxGetExclusionRect(d, 1, true, false, r);
    EXPECT_EQ(50, r.top);
}

TEST_F(TxDocTest, FloatingObjectsArePlacedOnThePageAndDisposedWithTheirRectangle)
{
    struct Case
    {
        uint32_t flags;
        uint32_t insets; // page margins on, 50 each side
        int32_t left;
    };
    const Case cases[] = {
        {kTxFloatCentre, 0, 200}, {kTxFloatLeft, 0, 0}, {kTxFloatRight, 0, 400}, {0, 0, 33},
        {kTxFloatCentre, 1, 200}, {kTxFloatRight, 1, 350},
    };
    disposed.clear();
    int kind = 0;
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        const TxRect page = {0, 0, 800, 600};
        TxDocLock(d)->info.pageInsets = {0, 50, 0, 50};
        if (c.insets)
            TxDocLock(d)->info.flags |= 0x40000000;
        {
            TxDocLock doc(d);
            TxSetShapeRect(doc->pageArea, &page);
        }
        TxFloatingObject o{};
        o.kind = ++kind;
        o.flags = c.flags;
        o.wrap = {10, 33, 110, 233};
        o.picture = {20, 43, 100, 223};
        TxInsertFloatingObject(d, o, CountingDraw, 0);
        TxRect wrap;
        ASSERT_TRUE(TxGetExclusionRect(d, 1, false, false, wrap));
        EXPECT_EQ(c.left, wrap.left) << c.flags;
        EXPECT_EQ(c.left + 200, wrap.right) << c.flags;
        auto* placed = reinterpret_cast<TxRef>(TxGetExclusionValue(d, 1));
        ASSERT_NE(nullptr, placed);
        TxFloatingObject stored;
        TxGetRecord(placed, 0, &stored);
        EXPECT_EQ(c.left + 10, stored.picture.left) << c.flags;
    }
    TxRef d = NewDoc();
    TxFloatingObject o{};
    o.kind = 77;
    o.wrap = {0, 0, 10, 10};
    TxInsertFloatingObject(d, o, CountingDraw, 0);
    TxRemoveExclusion(d, 1, 0);
    ASSERT_EQ(1u, disposed.size());
    EXPECT_EQ(77, disposed[0]);
    // The rest go with their documents, each told once.
    TearDownDocuments();
    EXPECT_EQ(1u + std::size(cases), disposed.size());
}

TEST_F(TxDocTest, APageAreaRectangleChangeRelaysFromItsContainer)
{
    TxRef d = NewDoc();
    SetBlocks(d, {"in the first", "in the second", "in the third"});
    {
        TxDocLock doc(d);
        TxSetShapeRect(doc->pageArea, nullptr);
        TxAddRectToShape(doc->pageArea, TxRect{0, 0, 100, 100});
        TxAddRectToShape(doc->pageArea, TxRect{0, 200, 100, 300});
        TxLock lock(doc->textBlocks);
        for (int32_t i = 0; i < 3; ++i)
            lock.Records<TxTextBlock>()[i].lastLine.areaIndex = i;
    }
    ClearBlockFlags(d);
    TxSetPageAreaRect(d, TxRect{0, 200, 100, 250}, 2, 0);
    TxDocLock doc(d);
    TxLock lock(doc->textBlocks);
    EXPECT_FALSE(lock.Records<TxTextBlock>()[0].flags & 1);
    EXPECT_TRUE(lock.Records<TxTextBlock>()[1].flags & 1);
    EXPECT_TRUE(lock.Records<TxTextBlock>()[2].flags & 1);
    EXPECT_EQ(250, TxShapeRect(doc->pageArea, 2).right);
}
