// Text blocks: finding the block of an offset, and normalisation splitting long blocks at
// paragraph ends or character boundaries, merging marked blocks and removing empty ones, with the
// sub-document references following the bytes 7 they anchor.
#include "TxDocTestSupport.h"

namespace {
std::string Repeat(char c, size_t n)
{
    return std::string(n, c);
}

int32_t BlockOf(TxRef d, int32_t offset)
{
    TxDocLock doc(d);
    int32_t index = -1;
    TxFindTextBlock(*doc, offset, &index, false, true);
    TxUnlockRef(doc->textBlocks);
    return index;
}

void MarkBlock(TxRef d, int32_t index, uint16_t flags)
{
    TxDocLock doc(d);
    static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, index, false))->flags |= flags;
}

void AddSubdocRefs(TxRef d, int32_t index, const std::vector<int32_t>& values)
{
    TxDocLock doc(d);
    TxRef refs = static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, index, false))->subdocRefs;
    auto* p = static_cast<int32_t*>(TxAppendRecords(refs, int32_t(values.size()), false));
    for (size_t i = 0; i < values.size(); ++i)
        p[i] = values[i];
    TxUnlockRef(refs);
}

std::vector<int32_t> SubdocRefs(TxRef d, int32_t index)
{
    TxDocLock doc(d);
    TxRef refs = static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, index, false))->subdocRefs;
    std::vector<int32_t> out(size_t(TxRecordCount(refs)));
    for (size_t i = 0; i < out.size(); ++i)
        TxGetRecord(refs, int32_t(i), &out[i]);
    return out;
}

int32_t Normalize(TxRef d)
{
    TxDocLock doc(d);
    return TxNormalizeBlocks(*doc);
}
} // namespace

TEST_F(TxDocTest, AnOffsetBelongsToTheBlockItStartsAndTheLastTakesThePastEnd)
{
    TxRef d = NewDoc();
    SetBlocks(d, {Repeat('a', 4096), Repeat('b', 904)});
    const std::pair<int32_t, int32_t> cases[] = {{0, 0}, {4095, 0}, {4096, 1}, {4999, 1}, {5000, 1}, {6000, 1}};
    for (auto [offset, block] : cases)
        EXPECT_EQ(block, BlockOf(d, offset)) << offset;

    TxDocLock doc(d);
    TxRef holder;
    int32_t remaining = 0;
    uint8_t* p = TxTextAt(*doc, 4095, holder, remaining);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ('a', *p);
    EXPECT_EQ(1, remaining);
    TxUnlockRef(holder);
    EXPECT_EQ(nullptr, TxTextAt(*doc, 5000, holder, remaining));
}

TEST_F(TxDocTest, NormalisationSplitsMergesAndRemovesBlocks)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> blocks;
        std::vector<std::pair<int32_t, uint16_t>> marks; // block, flags
        std::vector<int32_t> starts;                    // starts of the blocks afterwards
        int32_t changed;
    };
    const std::string withParEnd = Repeat('x', 2000) + "\r" + Repeat('y', 2999);
    const std::string withBreak = Repeat('x', 2200) + " " + Repeat('y', 2799);
    const std::string plain = Repeat('z', 5000);
    const Case cases[] = {
        {"the only empty block stays", {""}, {}, {0}, 0},
        {"an empty later block goes", {"abc", "", "def"}, {}, {0, 3}, 1},
        {"an empty first block goes when others follow", {"", "abc"}, {}, {0}, 1},
        {"a marked block merges into the next", {"head", "tail"}, {{0, kTxBlockMerge}}, {0}, 1},
        {"the last block is never merged", {"head", "tail"}, {{1, kTxBlockMerge}}, {0, 4}, 0},
        {"just after the paragraph end", {withParEnd}, {}, {0, 2001}, 1},
        {"after a break when no paragraph ends", {withBreak}, {}, {0, 2201}, 1},
        {"at the middle without either", {plain}, {}, {0, 2500}, 1},
        {"a block at the limit is kept", {Repeat('q', 4096)}, {}, {0}, 0},
        {"a merge past the limit splits again", {Repeat('a', 3000), Repeat('b', 3000)}, {{0, kTxBlockMerge}},
         {0, 3000}, 1},
    };
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        SetBlocks(d, c.blocks);
        std::string whole;
        for (const std::string& b : c.blocks)
            whole += b;
        for (auto [block, flags] : c.marks)
            MarkBlock(d, block, flags);
        EXPECT_EQ(c.changed, Normalize(d)) << c.name;
        std::vector<BlockView> after = Blocks(d);
        std::vector<int32_t> starts;
        std::string text;
        for (size_t i = 0; i < after.size(); ++i) {
            starts.push_back(after[i].start);
            text += after[i].text;
            EXPECT_EQ(after[i].end, after[i].start + int32_t(after[i].text.size())) << c.name;
            if (i + 1 < after.size()) {
                EXPECT_EQ(after[i].end, after[i + 1].start) << c.name;
            }
        }
        EXPECT_EQ(c.starts, starts) << c.name;
        EXPECT_EQ(whole, text) << c.name;
        EXPECT_EQ(0, TxDocLock(d)->insertedCount);
    }
}

TEST_F(TxDocTest, SubdocumentReferencesFollowTheirAnchors)
{
    // Split: the second half holds two of the three bytes 7.
    TxRef d = NewDoc();
    std::string text = Repeat('a', 1000) + "\x07" + Repeat('b', 1999) + "\r" + Repeat('c', 1000) + "\x07" +
                       Repeat('d', 500) + "\x07" + Repeat('e', 497);
    SetBlocks(d, {text});
    AddSubdocRefs(d, 0, {11, 22, 33});
    EXPECT_EQ(1, Normalize(d));
    ASSERT_EQ(2u, Blocks(d).size());
    EXPECT_EQ(std::vector<int32_t>({11}), SubdocRefs(d, 0));
    EXPECT_EQ(std::vector<int32_t>({22, 33}), SubdocRefs(d, 1));

    // Merge: the marked block's references go in front of the next block's.
    TxRef m = NewDoc();
    SetBlocks(m, {"a\x07", "\x07z"});
    AddSubdocRefs(m, 0, {1});
    AddSubdocRefs(m, 1, {2});
    MarkBlock(m, 0, kTxBlockMerge);
    Normalize(m);
    EXPECT_EQ(std::vector<int32_t>({1, 2}), SubdocRefs(m, 0));
}

TEST_F(TxDocTest, BlockRectanglesFromTheirPieces)
{
    TxRef d = NewDoc();
    SetText(d, "some text");
    TxDocLock doc(d);
    TxTextBlock& b = *static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, 0, false));
    TxSetRecordCount(b.lines, 3);
    {
        TxLock lock(b.lines);
        TxLineRecord* l = lock.Records<TxLineRecord>();
        l[0] = TxLineRecord{0, 0, 4, 0x8400, 0, 0, 0, {10, 20, 26, 120}};
        l[1] = TxLineRecord{5, 0, 4, 0x8400, 3, 0, 0, {26, 10, 42, 90}};
        l[2] = TxLineRecord{9, 0, 0, kTxLineListEnd, 0, 0, 0, {0, 0, 0, 0}};
    }
    b.flags |= kTxBlockRectStale;
    TxComputeBlockRect(*doc, b);
    EXPECT_EQ(10, b.rect.top);
    EXPECT_EQ(10, b.rect.left);
    EXPECT_EQ(45, b.rect.bottom); // the second piece's extra height below it
    EXPECT_EQ(120, b.rect.right);
    EXPECT_FALSE(b.flags & kTxBlockRectStale);

    const TxRect page = {0, 0, 500, 300};
    TxSetShapeRect(doc->pageArea, &page);
    TxLayoutOverflowBlock(*doc, b, 2);
    ASSERT_EQ(2, TxRecordCount(b.lines));
    TxLineRecord l[2];
    TxGetRecord(b.lines, 0, &l[0]);
    TxGetRecord(b.lines, 1, &l[1]);
    EXPECT_EQ(0x8C00, l[0].flags);
    EXPECT_EQ(2, l[0].areaIndex);
    EXPECT_EQ(500, l[0].rect.top);
    EXPECT_EQ(501, l[0].rect.bottom);
    EXPECT_EQ(300, l[0].rect.right);
    EXPECT_EQ(kTxLineListEnd, l[1].flags);
    EXPECT_EQ(9, l[1].start);
    EXPECT_TRUE(b.flags & kTxBlockOverflow);
    EXPECT_EQ(500, b.lastLine.rect.top);
}

TEST_F(TxDocTest, BlockTextWidensAndNarrowsRunByRun)
{
    const std::string texts[] = {"plain text\r", std::string("\xFF\xFE" "a\0b\0", 6), ""};
    for (const std::string& text : texts) {
        TxRef d = NewDoc();
        SetText(d, text);
        TxStyleInfo v, m;
        AttributeChange(kTxAttrBold, 1, v, m);
        TxRange r{1, 3};
        TxSetStyleInfo(d, &r, v, m, 0);
        TxDocLock doc(d);
        TxTextBlock& b = *static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, 0, false));
        TxWidenBlockText(*doc, b);
        EXPECT_EQ(2, TxRecordSize(b.text));
        if (text.size() == 11) {
            ASSERT_EQ(11, TxRecordCount(b.text));
            uint16_t unit;
            TxGetRecord(b.text, 10, &unit);
            EXPECT_EQ(13, unit);
        }
        TxWidenBlockText(*doc, b); // already wide: nothing happens
        EXPECT_EQ(2, TxRecordSize(b.text));
        TxNarrowBlockText(*doc, b);
        EXPECT_EQ(1, TxRecordSize(b.text));
        TxLock lock(b.text);
        std::string back(lock.Records<char>(), size_t(TxRecordCount(b.text)));
        EXPECT_EQ(text, back); // each run converted on its own, a mark split by runs too
    }
}
