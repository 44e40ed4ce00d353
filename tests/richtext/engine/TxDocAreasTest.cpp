// Document areas: offsets clamped, page repetitions mapped both ways, areas set with or without
// relaying the text, a line's room beside exclusions, and the view's change detection.
#include "TxDocTestSupport.h"

#include "richtext/engine/TxDocAreas.h"

namespace {
void SetCaret(TxRef d, int32_t offset)
{
    TxDocLock doc(d);
    static_cast<TxSelectPoint*>(TxRecordPtr(doc->selection, 0, false))->offset = offset;
}

// One page rectangle of height 500 repeating downward with a gap of 20.
void RepeatDown(TxRef d, uint32_t direction = kTxInfoRepeatDown)
{
    const TxRect page = {0, 0, 500, 400};
    TxSetAreas(d, &page, nullptr);
    TxDocInfo info;
    TxGetDocInfo(d, info);
    info.flags |= direction | kTxInfoFixedPages;
    info.verticalGap = 20;
    info.horizontalGap = 10;
    TxSetDocInfo(d, info, false, 0);
    TxDocLock(d)->bounds.bottom = 100000;
}
} // namespace

TEST_F(TxDocTest, OffsetsAreClampedToTheText)
{
    TxRef d = NewDoc();
    SetText(d, "0123456789");
    SetCaret(d, 7);
    const std::pair<int32_t, int32_t> cases[] = {{-1, 7}, {-5, 0}, {0, 0}, {4, 4}, {10, 10}, {11, 10}, {1 << 30, 10}};
    for (auto [offset, clamped] : cases)
        EXPECT_EQ(clamped, TxClampOffset(d, offset)) << offset;
}

TEST_F(TxDocTest, PageRepetitionsMapBothWays)
{
    TxRef d = NewDoc();
    RepeatDown(d);
    TxDocLock doc(d);
    struct Index
    {
        int32_t index, base, v;
    };
    const Index indexes[] = {{0, 0, 0}, {1, 0, 520}, {3, 0, 1560}};
    for (const Index& c : indexes) {
        TxPoint offset;
        EXPECT_EQ(c.base, TxPageOfIndex(*doc, c.index, offset)) << c.index;
        EXPECT_EQ(c.v, offset.v) << c.index;
        EXPECT_EQ(0, offset.h) << c.index;
    }
    struct Point
    {
        int32_t v, repetition, offset;
    };
    const Point points[] = {{0, 0, 0}, {519, 0, 0}, {520, 1, 520}, {1050, 2, 1040}, {-30, 0, 0}};
    for (const Point& c : points) {
        TxPoint offset;
        EXPECT_EQ(c.repetition, TxRepetitionAt(*doc, TxPoint{c.v, 10}, offset)) << c.v;
        EXPECT_EQ(c.offset, offset.v) << c.v;
        int32_t repetition = -1;
        EXPECT_EQ(0, TxPageAt(*doc, TxPoint{c.v, 10}, &repetition, nullptr)) << c.v;
        EXPECT_EQ(c.repetition, repetition) << c.v;
    }
}

TEST_F(TxDocTest, PagesRepeatingRightwardAndNotAtAll)
{
    TxRef d = NewDoc();
    RepeatDown(d, kTxInfoRepeatRight);
    TxDocLock doc(d);
    TxPoint offset;
    EXPECT_EQ(0, TxPageOfIndex(*doc, 2, offset));
    EXPECT_EQ(820, offset.h);
    EXPECT_EQ(0, offset.v);
    EXPECT_EQ(2, TxRepetitionAt(*doc, TxPoint{10, 900}, offset));

    doc->info.flags &= ~kTxInfoRepeatRight;
    EXPECT_EQ(2, TxPageOfIndex(*doc, 2, offset));
    EXPECT_EQ(0, offset.h);
    EXPECT_EQ(0, TxPageAt(*doc, TxPoint{10, 10}, nullptr, nullptr));
    EXPECT_EQ(-1, TxPageAt(*doc, TxPoint{10, 900}, nullptr, nullptr));
}

TEST_F(TxDocTest, SettingAreasRelaysTheTextOnlyWhenThePageAreaMovesAcross)
{
    struct Case
    {
        const char* name;
        bool page;
        TxRect rect;
        bool relaid;
    };
    const Case cases[] = {
        {"a visible area only", false, {0, 0, 300, 300}, false},
        {"a page area of another width", true, {0, 0, 500, 300}, true},
        {"a page area only taller", true, {0, 0, 900, 400}, false},
    };
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        const TxRect page = {0, 0, 500, 400};
        TxSetAreas(d, &page, nullptr);
        {
            TxDocLock doc(d);
            static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, 0, false))->flags = 0;
        }
        const int32_t count = TxGetChangeCount(d);
        TxSetAreas(d, c.page ? &c.rect : nullptr, c.page ? nullptr : &c.rect);
        TxDocLock doc(d);
        EXPECT_EQ(c.relaid, (static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, 0, false))->flags & 1) != 0)
            << c.name;
        EXPECT_EQ(count + 1, doc->changeCount) << c.name;
        TxRect bounds;
        TxGetAreas(d, c.page ? &bounds : nullptr, c.page ? nullptr : &bounds);
        EXPECT_EQ(c.rect.right, bounds.right) << c.name;
        EXPECT_EQ(c.page ? c.rect.right : 400, doc->bounds.right) << c.name;
    }
}

TEST_F(TxDocTest, ALinesRoomBesideExclusions)
{
    struct Case
    {
        const char* name;
        std::vector<TxRect> exclusions;
        TxRect line;    // after
        int32_t gaps;
        int32_t lowest;
    };
    const Case cases[] = {
        {"none", {}, {100, 0, 116, 400}, 0, 0},
        {"covering the left 30 with minimum 40", {{90, 0, 130, 30}}, {100, 30, 116, 400}, 1, 130},
        {"in the middle, room both sides", {{0, 150, 200, 250}}, {100, 0, 116, 400}, 1, 200},
        {"near the right", {{100, 370, 110, 400}}, {100, 0, 116, 370}, 1, 110},
        {"two apart, sorted", {{100, 300, 110, 320}, {100, 100, 120, 120}}, {100, 0, 116, 400}, 2, 110},
        {"above the line", {{0, 0, 50, 400}}, {100, 0, 116, 400}, 0, 0},
    };
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        {
            TxDocLock doc(d);
            for (const TxRect& r : c.exclusions)
                TxAddRectToShape(doc->exclusionArea, r);
        }
        TxDocLock doc(d);
        TxRect line = {100, 0, 116, 400};
        int32_t lowest = 0;
        std::vector<TxRect> gaps;
        EXPECT_EQ(c.gaps, TxLineExclusions(*doc, line, 40, lowest, 0, gaps)) << c.name;
        EXPECT_EQ(c.line.left, line.left) << c.name;
        EXPECT_EQ(c.line.right, line.right) << c.name;
        if (c.gaps) {
            EXPECT_EQ(c.lowest, lowest) << c.name;
            for (size_t i = 1; i + 1 < gaps.size(); ++i)
                EXPECT_LE(gaps[i - 1].left, gaps[i].left) << c.name;
        }
    }
}

TEST_F(TxDocTest, AnExclusionListedByAMarkAfterTheLineIsSkipped)
{
    TxRef d = NewDoc();
    TxDocLock doc(d);
    TxAddRectToShape(doc->exclusionArea, TxRect{90, 0, 130, 30});
    auto* mark = static_cast<int32_t*>(TxAppendRecords(doc->marks, 1, true));
    mark[0] = 20; // offset
    mark[1] = 1;  // exclusion index
    TxUnlockRef(doc->marks);
    const std::pair<int32_t, int32_t> cases[] = {{10, 0}, {20, 1}, {25, 1}}; // line offset, gaps
    for (auto [offset, expected] : cases) {
        TxRect line = {100, 0, 116, 400};
        int32_t lowest;
        std::vector<TxRect> gaps;
        EXPECT_EQ(expected, TxLineExclusions(*doc, line, 40, lowest, offset, gaps)) << offset;
    }
}

TEST_F(TxDocTest, TheViewChangesOnceUntilItMovesAgain)
{
    TxRef d = NewDoc();
    const TxRect visible = {0, 0, 300, 200};
    TxSetAreas(d, nullptr, &visible);
    TxDocLock doc(d);
    EXPECT_TRUE(TxViewChanged(*doc, true));
    EXPECT_FALSE(TxViewChanged(*doc, true));
    doc->scroll.v = 40;
    EXPECT_TRUE(TxViewChanged(*doc, false));
    EXPECT_TRUE(TxViewChanged(*doc, true));
    EXPECT_FALSE(TxViewChanged(*doc, false));
}

TEST_F(TxDocTest, TextKindsOfTheSecondWord)
{
    const std::pair<uint32_t, int32_t> cases[] = {
        {0x00000101, 2}, {0x000000FF, 1}, {0xF00000FF, 1}, {0x00100000, 3}, {0x00100001, 3}, {0x00200000, 2}};
    for (auto [word, kind] : cases)
        EXPECT_EQ(kind, TxTextKind(word)) << std::hex << word;
}
