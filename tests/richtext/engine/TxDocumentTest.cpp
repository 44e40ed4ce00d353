// The document record: what a new document holds, the attribute word and the document
// information rules, scaling, disposal by memory id, borrowed lists, hooks copied at creation, and
// creation that runs out of memory at every step.
#include "TxDocTestSupport.h"

#include "richtext/engine/TxFailFrame.h"

namespace {
intptr_t ReplacedHook(void*, int32_t, void*)
{
    return 77;
}
} // namespace

TEST_F(TxDocTest, ANewDocumentIsEmptyWithItsDefaultRecordsUsedTwice)
{
    TxRef d = NewDoc();
    EXPECT_EQ(0, TxTextSize(d));
    std::vector<BlockView> blocks = Blocks(d);
    ASSERT_EQ(1u, blocks.size());
    EXPECT_EQ(0, blocks[0].start);
    EXPECT_EQ(0, blocks[0].end);
    EXPECT_EQ("", blocks[0].text);

    TxDocLock doc(d);
    EXPECT_EQ(doc->textBlocks, doc->mainTextBlocks);
    EXPECT_EQ(d, doc->self);
    EXPECT_EQ(0, doc->pairCount);
    ASSERT_EQ(2, TxRecordCount(doc->selection));
    TxSelectPoint caret[2];
    TxGetRecord(doc->selection, 0, &caret[0]);
    TxGetRecord(doc->selection, 1, &caret[1]);
    EXPECT_EQ(0, caret[0].offset);
    EXPECT_EQ(0, caret[1].offset);

    TxStyleInfo style;
    TxParInfo par;
    TxGetRecord(doc->styles, 0, &style);
    TxGetRecord(doc->pars, 0, &par);
    EXPECT_EQ(1, TxRecordCount(doc->styles));
    EXPECT_EQ(2, style.useCount);
    EXPECT_EQ(2, par.useCount);
    EXPECT_EQ(12 << 16, style.pointSize);
    for (TxRef runs : {doc->styleRuns, doc->parRuns}) {
        ASSERT_EQ(2, TxRecordCount(runs));
        EXPECT_EQ(0, TxRunAt(runs, 0).offset);
        EXPECT_EQ(2, TxRunAt(runs, 1).offset);
        EXPECT_EQ(0, TxRunAt(runs, 1).index);
    }
    TxFontInfo font;
    TxGetRecord(doc->fonts, 0, &font);
    EXPECT_EQ(0, TxCompareFont(font, globals.defaultFont, false));
    EXPECT_EQ(0x40u, doc->info.flags);
    EXPECT_EQ(1, doc->info.pageCount);
    EXPECT_EQ(-1, doc->scrollMaskH);
    EXPECT_EQ(9, doc->value9);
    EXPECT_EQ(255, TxGetPurgeLevel(doc->textBlocks) & 0xFF);
    EXPECT_EQ(160, TxGetPurgeLevel(doc->styleRuns) & 0xFF);
    // Every reference the document made carries its memory id.
    EXPECT_EQ(doc->memoryId, TxGetMemoryId(doc->styles));
    EXPECT_EQ(doc->memoryId, TxGetMemoryId(d));
    EXPECT_NE(doc->memoryId, g.currentMemoryId);
}

TEST_F(TxDocTest, TheAttributeWordKeepsItsRules)
{
    struct Case
    {
        uint32_t given, stored;
    };
    const Case cases[] = {
        {0x40000000, 0x40000003}, {0x00800000, 0}, {0x00800001, 1}, {0x40800008, 0x4000000B}, {0x10, 0x10},
    };
    for (const Case& c : cases) {
        TxRef made = TxNewDocument(&globals, -1, nullptr, nullptr, nullptr, c.given);
        EXPECT_EQ(c.stored, TxGetAttributes(made)) << std::hex << c.given;
        TxDisposeDocument(made);

        TxRef d = NewDoc();
        TxSetAttributes(d, c.given);
        EXPECT_EQ(c.stored, TxGetAttributes(d) & 0x7FFFFFFF) << std::hex << c.given; // less the layout bit
    }
}

TEST_F(TxDocTest, SettingAttributesAnswersAChangeAndCountsOnlyLayoutChanges)
{
    struct Case
    {
        uint32_t before, after;
        int32_t answer, countRaised;
    };
    const Case cases[] = {
        {0x8, 0x8, 0, 0},         // unchanged
        {0x0, 0x1, 1, 1},         // layout bit on
        {0x1, 0x0, 1, 1},         // and off
        {0x0, 0x40, 1, 1},        // protected text
        {0x0, 0x8, 1, 0},         // read-only changes no layout
        {0x0, 0x00800000, 0, 0},  // the bit that is never kept
    };
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        TxSetAttributes(d, c.before);
        int32_t count = TxGetChangeCount(d);
        EXPECT_EQ(c.answer, TxSetAttributes(d, c.after)) << std::hex << c.before << "->" << c.after;
        EXPECT_EQ(count + c.countRaised, TxGetChangeCount(d)) << std::hex << c.before << "->" << c.after;
    }
}

TEST_F(TxDocTest, ScrollingOffClearsTheScrollPosition)
{
    TxRef d = NewDoc();
    TxDocLock(d)->scroll = {40, 12};
    TxSetAttributes(d, kTxNoScrollAttr);
    TxPoint s = TxDocLock(d)->scroll;
    EXPECT_EQ(0, s.v);
    EXPECT_EQ(0, s.h);
}

TEST_F(TxDocTest, DocumentInfoAddsTheFollowFlagAndNotesPageChanges)
{
    struct Case
    {
        uint32_t flags;
        int32_t gap;
        uint32_t stored;
        bool pageChanged;
    };
    const Case cases[] = {
        {0x40, 0, 0x40, false},    // what a new document holds
        {0x0, 0, 0x40, true},      // flags differ; 0x40 added
        {0x4, 0, 0x4, true},       // fixed pages: nothing added
        {0x40, 10, 0x40, true},    // a gap changed
        {0x1, 0, 0x41, true},
    };
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        TxDocInfo info;
        TxGetDocInfo(d, info);
        info.flags = c.flags;
        info.verticalGap = c.gap;
        TxSetDocInfo(d, info, true, 0);
        TxGetDocInfo(d, info);
        EXPECT_EQ(c.stored, info.flags) << c.flags;
        TxDocLock doc(d);
        EXPECT_EQ(c.pageChanged, (doc->device.flags & kTxDevicePageChanged) != 0) << c.flags;
        EXPECT_EQ(c.pageChanged, (doc->attributes & 0x2000000) != 0) << c.flags;
    }
}

TEST_F(TxDocTest, ScaleWithEqualHalvesIsStoredAsNone)
{
    struct Case
    {
        int32_t factor, stored;
    };
    const Case cases[] = {{0x00020002, 0}, {0x00010001, 0}, {0x00010002, 0x00010002}, {0x00030002, 0x00030002},
                          {0, 0}};
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        TxSetScale(d, TxScale{5, 7, c.factor}, 0);
        TxScale s;
        TxGetScale(d, s);
        EXPECT_EQ(c.stored, s.scale) << std::hex << c.factor;
        EXPECT_EQ(5, s.originV);
        EXPECT_EQ(7, s.originH);
        TxDocLock doc(d);
        EXPECT_EQ(c.stored, doc->device.scale.scale);
        TxSelectPoint p;
        TxGetRecord(doc->selection, 0, &p);
        EXPECT_TRUE(p.flags & kTxSelectRemeasure);
    }
}

TEST_F(TxDocTest, DisposalLeavesNoReferenceOfTheDocument)
{
    const int32_t before = TxCountRefs(&g, 0);
    const int32_t bytes = g.byteTotal;
    TxRef d = TxNewDefaultDocument(&globals);
    int32_t id = TxDocLock(d)->memoryId;
    SetBlocks(d, {"first block", "second"});
    TxStyleInfo v, m;
    AttributeChange(kTxAttrBold, 1, v, m);
    TxRange r{2, 8};
    TxSetStyleInfo(d, &r, v, m, 0);
    EXPECT_LT(10, TxCountRefs(&g, id));
    TxLockRef(TxDocLock(d)->styles); // a lock left behind does not keep a reference alive
    TxDisposeDocument(d);
    EXPECT_EQ(0, TxCountRefs(&g, id));
    EXPECT_EQ(before, TxCountRefs(&g, 0));
    EXPECT_EQ(bytes, g.byteTotal);
}

TEST_F(TxDocTest, DisposingABorrowerLeavesTheLendersListsIntact)
{
    TxRef lender = NewDoc();
    TxRef borrower = TxNewDefaultDocument(&globals);
    const int32_t lenderRefs = TxCountRefs(&g, TxDocLock(lender)->memoryId);
    TxShareFormats(borrower, lender, 0);
    {
        TxDocLock b(borrower), l(lender);
        EXPECT_EQ(l->styles, b->styles);
        EXPECT_EQ(l->fonts, b->fonts);
        EXPECT_TRUE(l->stateWord & kTxLendsFormats);
        EXPECT_EQ(kTxShareFormatLists, b->sharingFlags);
    }
    EXPECT_EQ(3, Style(lender, 0).useCount);
    int32_t id = TxDocLock(borrower)->memoryId;
    TxDisposeDocument(borrower);
    EXPECT_EQ(0, TxCountRefs(&g, id));
    EXPECT_EQ(lenderRefs, TxCountRefs(&g, TxDocLock(lender)->memoryId));
    TxDocLock l(lender);
    EXPECT_EQ(1, TxRecordCount(l->styles));
    EXPECT_EQ(1, TxRecordCount(l->fonts));
    EXPECT_EQ(1, TxRecordCount(l->pars));
}

TEST_F(TxDocTest, AHookReplacedAfterADocumentExistsLeavesThatDocumentsCopy)
{
    TxRef before = NewDoc();
    TxHook original = globals.docHooks.slot[kTxDrawPageProc];
    globals.docHooks.slot[kTxDrawPageProc] = ReplacedHook;
    TxRef after = NewDoc();
    EXPECT_EQ(original, TxDocLock(before)->hooks.slot[kTxDrawPageProc]);
    EXPECT_EQ(ReplacedHook, TxDocLock(after)->hooks.slot[kTxDrawPageProc]);
    EXPECT_EQ(77, TxDocLock(after)->hooks.slot[kTxDrawPageProc](after, 0, nullptr));
}

TEST_F(TxDocTest, ADocumentNotificationHearsBothEnds)
{
    static std::vector<std::pair<void*, int32_t>> heard;
    heard.clear();
    globals.documentNotifyProc = [](void* s, int32_t verb, void*) -> intptr_t {
        heard.push_back({s, verb});
        return 0;
    };
    TxRef d = TxNewDefaultDocument(&globals);
    TxDisposeDocument(d);
    ASSERT_EQ(2u, heard.size());
    EXPECT_EQ(std::make_pair(static_cast<void*>(d), 0), heard[0]);
    EXPECT_EQ(std::make_pair(static_cast<void*>(d), 2), heard[1]);
}

TEST_F(TxDocTest, BorderSidesAddTheirWidths)
{
    struct Case
    {
        uint8_t side;
        int32_t width;
    };
    const Case cases[] = {{0x00, 0}, {0x03, 3}, {0x43, 7}, {0x23, 6}, {0x63, 10}, {0x88, 0}, {0x17, 7}};
    for (const Case& c : cases)
        EXPECT_EQ(c.width, TxBorderSideWidth(c.side)) << int(c.side);
    TxParInfo par{};
    TxParBorder(par) = 0x01024302; // right 1, top 2, bottom 7, left 2
    TxRect extents = {1, 1, 1, 1};
    TxAddBorderExtents(par, extents);
    EXPECT_EQ(3, extents.top);
    EXPECT_EQ(3, extents.left);
    EXPECT_EQ(8, extents.bottom);
    EXPECT_EQ(2, extents.right);
}

TEST_F(TxDocTest, TheDefaultStyleIsReplacedInPlaceKeepingItsUses)
{
    TxRef d = NewDoc();
    TxStyleInfo s;
    EXPECT_EQ(0, TxGetDefaultStyle(d, s));
    s.pointSize = 10 << 16;
    s.useCount = 99;
    TxSetDefaultStyle(d, s, 0);
    TxStyleInfo after;
    TxGetDefaultStyle(d, after);
    EXPECT_EQ(10 << 16, after.pointSize);
    EXPECT_EQ(2, after.useCount);
    TxSetPalette(d, 0x77);
    EXPECT_EQ(0x77u, TxGetPalette(d));
}

TEST_F(TxDocTest, ADocumentLikeAnotherTakesItsAreasWordsAndInformation)
{
    const TxRect page = {0, 0, 700, 500};
    TxShape pageArea = TxNewShape(&g, &page);
    TxRef d = TxNewDocument(&globals, -1, nullptr, pageArea, nullptr, 0x40000008);
    TxDisposeShape(pageArea); // the document keeps a copy of its own
    SetText(d, "some text of its own");
    TxDocInfo info;
    TxGetDocInfo(d, info);
    info.flags = kTxInfoFixedPages | kTxInfoRepeatDown;
    info.verticalGap = 12;
    TxSetDocInfo(d, info, false, 0);
    TxDocLock(d)->stateWord = 0x1000;
    TxRef like = TxNewDocumentLike(d);
    ASSERT_NE(nullptr, like);
    EXPECT_EQ(0, TxTextSize(like));
    EXPECT_EQ(TxGetAttributes(d), TxGetAttributes(like));
    TxDocInfo copied;
    TxGetDocInfo(like, copied);
    EXPECT_EQ(info.flags, copied.flags);
    EXPECT_EQ(12, copied.verticalGap);
    {
        TxDocLock l(like);
        EXPECT_EQ(0x1000u, l->stateWord);
        TxRect bounds;
        TxGetShapeBounds(l->pageArea, bounds);
        EXPECT_EQ(500, bounds.right);
        EXPECT_NE(TxDocLock(d)->pageArea, l->pageArea);
        EXPECT_NE(TxDocLock(d)->memoryId, l->memoryId);
    }
    TxDisposeDocument(like);
    TxDisposeDocument(d);
}

TEST_F(TxDocTest, TheHeightFollowsTheBlocks)
{
    TxRef d = NewDoc();
    SetBlocks(d, {"one", "two"});
    {
        TxDocLock doc(d);
        auto* blocks = static_cast<TxTextBlock*>(TxRecordPtr(doc->textBlocks, 0, false));
        blocks[0].rect = {0, 0, 16, 100};
        blocks[1].rect = {16, 0, 48, 100};
    }
    EXPECT_EQ(0, TxDocumentHeight(d, false));
    EXPECT_EQ(48, TxDocumentHeight(d, true));
}
