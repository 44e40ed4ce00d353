// Style runs and the style and font lists: applying a change splits runs at the range's ends and
// moves uses, applying it again changes nothing, cleaning merges runs and drops unused records,
// getting merges runs into a value and mask, and fonts are shared by name in either form.
#include "TxDocTestSupport.h"

#include "richtext/engine/TxStyleWalk.h"

namespace {
using Runs = std::vector<std::pair<int32_t, int32_t>>;

void SetAttribute(TxRef d, int32_t begin, int32_t end, int attribute, int16_t value)
{
    TxStyleInfo v, m;
    AttributeChange(attribute, value, v, m);
    TxRange r{begin, end};
    TxSetStyleInfo(d, &r, v, m, 0);
}

std::vector<int32_t> UseCounts(TxRef d)
{
    TxDocLock doc(d);
    std::vector<int32_t> out;
    TxLock styles(doc->styles);
    for (int32_t i = 0; i < TxRecordCount(doc->styles); ++i)
        out.push_back(styles.Records<TxStyleInfo>()[i].useCount);
    return out;
}
} // namespace

TEST_F(TxDocTest, BoldOverTheMiddleSplitsIntoThreeRunsAndAgainChangesNothing)
{
    TxRef d = NewDoc();
    SetText(d, "0123456789");
    SetAttribute(d, 2, 5, kTxAttrBold, 1);
    EXPECT_EQ(Runs({{0, 0}, {2, 1}, {5, 0}, {12, 0}}), StyleRuns(d));
    ASSERT_EQ(2, StyleCount(d));
    EXPECT_EQ(1, Style(d, 1).attributes[kTxAttrBold]);
    EXPECT_EQ(std::vector<int32_t>({3, 1}), UseCounts(d));

    SetAttribute(d, 2, 5, kTxAttrBold, 1);
    EXPECT_EQ(Runs({{0, 0}, {2, 1}, {5, 0}, {12, 0}}), StyleRuns(d));
    EXPECT_EQ(std::vector<int32_t>({3, 1}), UseCounts(d));

    SetAttribute(d, 2, 5, kTxAttrBold, 0);
    EXPECT_EQ(Runs({{0, 0}, {12, 0}}), StyleRuns(d));
    EXPECT_EQ(1, StyleCount(d)); // the bold record is gone with its last run
    EXPECT_EQ(std::vector<int32_t>({2}), UseCounts(d));
}

TEST_F(TxDocTest, RangesAtTheEdgesOfTheText)
{
    struct Case
    {
        int32_t begin, end;
        Runs runs;
    };
    const Case cases[] = {
        {0, 4, {{0, 1}, {4, 0}, {12, 0}}},
        {6, 10, {{0, 0}, {6, 1}, {12, 1}}},
        {0, 10, {{0, 1}, {12, 1}}},
        {8, 40, {{0, 0}, {8, 1}, {12, 1}}},   // clipped to the text
        {-3, 1, {{0, 1}, {1, 0}, {12, 0}}},
        {5, 5, {{0, 0}, {12, 0}}},            // empty: nothing
    };
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        SetText(d, "0123456789");
        SetAttribute(d, c.begin, c.end, kTxAttrItalic, 1);
        EXPECT_EQ(c.runs, StyleRuns(d)) << c.begin << ".." << c.end;
        // Use counts equal the runs naming each record.
        std::vector<int32_t> named(size_t(StyleCount(d)), 0);
        for (auto [offset, index] : StyleRuns(d))
            named[size_t(index)]++;
        EXPECT_EQ(named, UseCounts(d)) << c.begin << ".." << c.end;
    }
}

TEST_F(TxDocTest, ADefinitionStaysWithoutRuns)
{
    TxRef d = NewDoc();
    SetText(d, "0123456789");
    TxStyleInfo def = Style(d, 0);
    def.attributes[kTxAttrUnderline] = 1;
    def.flagWord = kTxDefinitionFlag;
    def.styleSheet = 1;
    int32_t index;
    {
        TxDocLock doc(d);
        index = TxFindOrAddStyle(*doc, def);
        TxCleanAllRuns(*doc, true, true);
    }
    ASSERT_EQ(2, StyleCount(d));
    EXPECT_EQ(1, Style(d, index).useCount);
    SetAttribute(d, 1, 3, kTxAttrBold, 1);
    SetAttribute(d, 1, 3, kTxAttrBold, 0);
    EXPECT_EQ(2, StyleCount(d));
    EXPECT_EQ(1, Style(d, index).attributes[kTxAttrUnderline]);
}

TEST_F(TxDocTest, LookupOverManyRuns)
{
    TxRef d = NewDoc();
    SetText(d, std::string(100, 'x'));
    for (int32_t i = 1; i < 40; i += 2)
        SetAttribute(d, 2 * i, 2 * i + 2, kTxAttrBold, 1); // runs at every even offset up to 80
    TxDocLock doc(d);
    const int32_t runs = TxRecordCount(doc->styleRuns);
    ASSERT_LT(33, runs);
    const int32_t lastReal = runs - 2;
    const std::pair<int32_t, int32_t> cases[] = {
        {0, 0}, {1, 0}, {2, 1}, {3, 1}, {66, 33}, {67, 33}, {79, 39}, {80, 40}, {99, lastReal}, {100, lastReal},
        {500, lastReal},
    };
    for (auto [offset, run] : cases)
        EXPECT_EQ(run, TxFindRun(doc->styleRuns, offset)) << offset;
}

TEST_F(TxDocTest, GettingOverBoldAndPlainGivesTheFirstRunAndAMixedBoldUnit)
{
    TxRef d = NewDoc();
    SetText(d, "0123456789");
    SetAttribute(d, 0, 4, kTxAttrBold, 1);
    TxStyleInfo value, mask;
    TxRange r{2, 8};
    EXPECT_EQ(2, TxGetStyleInfo(d, &r, 0, value, mask));
    EXPECT_EQ(1, value.attributes[kTxAttrBold]);
    EXPECT_EQ(0, mask.attributes[kTxAttrBold]);
    EXPECT_EQ(-1, mask.attributes[kTxAttrItalic]);
    EXPECT_EQ(-1, mask.fontIndex);
    EXPECT_EQ(-1, int16_t(mask.pointSize));

    // Mode 1: the caller's value, -1 wherever some run equals it.
    TxStyleInfo plain = Style(d, 0);
    TxGetStyleInfo(d, &r, 1, plain, mask);
    EXPECT_EQ(-1, mask.attributes[kTxAttrBold]);

    // Within one run, every unit is uniform.
    TxRange inside{5, 7};
    TxGetStyleInfo(d, &inside, 0, value, mask);
    EXPECT_EQ(0, value.attributes[kTxAttrBold]);
    EXPECT_EQ(-1, mask.attributes[kTxAttrBold]);
}

TEST_F(TxDocTest, AMaskedSetChangesOnlyTheSelectedUnit)
{
    for (uint32_t keepUnused : {0u, 0x1000u}) {
        TxRef d = NewDoc();
        TxDocLock(d)->flags2 = keepUnused; // with it, no record is dropped and renumbered
        SetText(d, "0123456789");
        SetAttribute(d, 0, 3, kTxAttrItalic, 1);
        SetAttribute(d, 3, 6, kTxAttrBold, 1);
        const int32_t boldIndex = StyleRuns(d)[1].second;
        const TxStyleInfo bold = Style(d, boldIndex);
        SetAttribute(d, 0, 10, kTxAttrBold, 1);
        Runs runs = StyleRuns(d);
        ASSERT_EQ(3u, runs.size()); // italic-bold, bold (merged with the former plain), terminator
        EXPECT_EQ(3, runs[1].first);
        EXPECT_TRUE(TxEqualStyles(bold, Style(d, runs[1].second)));
        if (keepUnused) {
            EXPECT_EQ(boldIndex, runs[1].second); // already bold: kept its record
        }
        TxStyleInfo first = Style(d, runs[0].second);
        EXPECT_EQ(1, first.attributes[kTxAttrItalic]);
        EXPECT_EQ(1, first.attributes[kTxAttrBold]);
        EXPECT_EQ(12 << 16, first.pointSize);
        EXPECT_EQ(0, first.fontIndex);
    }
}

TEST_F(TxDocTest, FontNamesInEitherFormAreOneFont)
{
    TxRef d = NewDoc();
    SetText(d, "0123456789");
    TxFontInfo prefixed{}, terminated{}, mask;
    TxSetFontName(prefixed, "Garamond");
    std::memcpy(terminated.name, "Garamond", 8);
    terminated.flags = kTxFontNameZeroTerminated;
    std::memset(&mask, 0, sizeof mask);
    std::memset(mask.name, 0xFF, sizeof mask.name);
    TxRange a{0, 3}, b{5, 8};
    TxSetFontInfo(d, &a, prefixed, mask, 0);
    TxSetFontInfo(d, &b, terminated, mask, 0);
    TxDocLock doc(d);
    EXPECT_EQ(2, TxRecordCount(doc->fonts));
    TxStyleInfo first, second;
    TxGetStyle(*doc, TxStyleIndexAt(*doc, 1), first);
    TxGetStyle(*doc, TxStyleIndexAt(*doc, 6), second);
    EXPECT_EQ(1, first.fontIndex);
    EXPECT_EQ(1, second.fontIndex);
    EXPECT_EQ(TxStyleIndexAt(*doc, 1), TxStyleIndexAt(*doc, 6));

    TxFontInfo value, uniform;
    TxRange both{0, 8};
    TxGetFontInfo(d, &both, 0, value, uniform);
    EXPECT_EQ(0, uniform.name[0]); // Garamond, then Arial: mixed
    TxRange one{0, 3};
    TxGetFontInfo(d, &one, 0, value, uniform);
    EXPECT_NE(0, uniform.name[0]);
    EXPECT_EQ(0, TxCompareFont(value, prefixed, false));
}

TEST_F(TxDocTest, AStyleSetAtACaretInAnEmptyDocumentFormatsTheNextText)
{
    TxRef d = NewDoc();
    TxStyleInfo v, m;
    AttributeChange(kTxAttrBold, 1, v, m);
    TxSetStyleInfo(d, nullptr, v, m, 0);
    TxDocLock doc(d);
    ASSERT_NE(0xFFFF, doc->typingStyle);
    TxStyleInfo typing;
    TxGetStyle(*doc, doc->typingStyle, typing);
    EXPECT_EQ(1, typing.attributes[kTxAttrBold]);
    EXPECT_EQ(doc->typingStyle, TxInsertionStyle(*doc));
    EXPECT_EQ(Runs({{0, doc->typingStyle}, {2, doc->typingStyle}}), StyleRuns(d));
    TxStyleInfo value, mask;
    TxGetStyleInfo(d, nullptr, 0, value, mask);
    EXPECT_EQ(1, value.attributes[kTxAttrBold]);
}

TEST_F(TxDocTest, IndexesOutOfRangeReadRecordZero)
{
    TxRef d = NewDoc();
    SetText(d, "0123456789");
    {
        TxDocLock doc(d);
        static_cast<TxRun*>(TxRecordPtr(doc->styleRuns, 0, false))->index = 0x7FFF; // as a damaged stream
        EXPECT_EQ(0, TxStyleIndexAt(*doc, 3));
    }
    {
        TxDocLock doc(d);
        static_cast<TxRun*>(TxRecordPtr(doc->parRuns, 0, false))->index = 0x7FFF;
        TxStyleWalker w(*doc, 2, true);
        EXPECT_EQ(0, w->parIndex);
        EXPECT_EQ(0, w->styleIndex);
    }
    TxParInfo pv{}, pm{};
    pv.justification = 1;
    pm.justification = -1;
    TxRange whole{0, 10};
    TxSetParInfo(d, &whole, pv, pm, 0);
    {
        TxDocLock doc(d);
        TxParInfo p;
        TxGetRecord(doc->pars, TxRunAt(doc->parRuns, 0).index, &p);
        EXPECT_EQ(1, p.justification);
    }
    TxStyleInfo value, mask;
    TxRange r{0, 10};
    TxGetStyleInfo(d, &r, 0, value, mask);
    EXPECT_EQ(12 << 16, value.pointSize);
    SetAttribute(d, 0, 10, kTxAttrBold, 1);
    Runs runs = StyleRuns(d);
    for (auto [offset, index] : runs)
        EXPECT_GT(StyleCount(d), index);
    for (int32_t use : UseCounts(d))
        EXPECT_LE(0, use);
}

TEST_F(TxDocTest, SmallCapitalsBringTheirDerivedStyleAndItsUses)
{
    struct Case
    {
        int16_t percent;
        int32_t pointSize;
    };
    const Case cases[] = {{-1, 9 << 16}, {50, 6 << 16}, {120, (12 << 16) * 120 / 100}};
    for (const Case& c : cases) {
        TxRef d = NewDoc();
        SetText(d, "0123456789");
        SetAttribute(d, 2, 6, kTxAttrSmallCaps, c.percent);
        Runs runs = StyleRuns(d);
        ASSERT_EQ(4u, runs.size()) << c.percent;
        TxStyleInfo source = Style(d, runs[1].second);
        ASSERT_NE(0, source.derivedIndex) << c.percent;
        TxStyleInfo derived = Style(d, source.derivedIndex);
        EXPECT_EQ(0, derived.attributes[kTxAttrSmallCaps]);
        EXPECT_EQ(c.pointSize, derived.pointSize) << c.percent;
        EXPECT_EQ(source.useCount, derived.useCount); // follows its source
        SetAttribute(d, 2, 6, kTxAttrSmallCaps, 0);
        EXPECT_EQ(1, StyleCount(d)) << c.percent; // both went with the last run
    }
}

TEST_F(TxDocTest, ResolvingAgainstADefinitionTakesItsNonZeroFields)
{
    TxRef d = NewDoc();
    TxDocLock doc(d);
    TxStyleInfo definition;
    TxGetStyle(*doc, 0, definition);
    definition.flagWord = kTxDefinitionFlag;
    definition.styleSheet = 3;
    definition.attributes[kTxAttrBold] = -1; // toggles
    definition.attributes[kTxAttrItalic] = 1;
    definition.pointSize = 14 << 16;
    TxFindOrAddStyle(*doc, definition);
    struct Case
    {
        int16_t bold, italic, underline;
        int16_t resolvedBold;
    };
    const Case cases[] = {{1, 0, 1, 0}, {0, 0, 0, 1}, {2, 1, 0, 0}};
    for (const Case& c : cases) {
        TxStyleInfo style, out;
        TxGetStyle(*doc, 0, style);
        style.attributes[kTxAttrBold] = c.bold;
        style.attributes[kTxAttrItalic] = c.italic;
        style.attributes[kTxAttrUnderline] = c.underline;
        style.attributes[kTxAttrDefinition] = 3;
        TxResolveNamedStyle(*doc, style, out, nullptr, 0);
        EXPECT_EQ(c.resolvedBold, out.attributes[kTxAttrBold]) << c.bold;
        EXPECT_EQ(1, out.attributes[kTxAttrItalic]);
        EXPECT_EQ(c.underline, out.attributes[kTxAttrUnderline]);
        EXPECT_EQ(14 << 16, out.pointSize);
        EXPECT_EQ(0, out.attributes[kTxAttrDefinition]);
    }
}

TEST_F(TxDocTest, FindingRunsByTheirStyle)
{
    TxRef d = NewDoc();
    SetText(d, "0123456789abcdefghij");
    SetAttribute(d, 3, 6, kTxAttrBold, 1);
    SetAttribute(d, 6, 8, kTxAttrBold, 2);
    SetAttribute(d, 12, 15, kTxAttrBold, 1);
    TxStyleInfo value{}, selector{}, low{};
    value.attributes[kTxAttrBold] = 1;
    selector.attributes[kTxAttrBold] = -1;
    low.attributes[kTxAttrBold] = 1; // bold values ANDed with 1
    struct Case
    {
        const char* name;
        int32_t from;
        const TxStyleInfo *value, *selector, *andMask;
        int32_t found, offset, end;
    };
    const Case cases[] = {
        {"bold 1 from the start", 0, &value, &selector, nullptr, 1, 3, 6},
        {"from inside the run", 4, &value, &selector, nullptr, 1, 4, 6},
        {"the next stretch", 6, &value, &selector, nullptr, 1, 12, 15},
        {"none after it", 15, &value, &selector, nullptr, 0, 15, -1},
        {"any bold value", 0, nullptr, &selector, nullptr, 1, 3, 8},
        {"bold ANDed with 1", 6, &value, &selector, &low, 1, 12, 15},
    };
    for (const Case& c : cases) {
        int32_t offset = c.from, end = -1;
        EXPECT_EQ(c.found, TxFindStyleRun(d, &offset, &end, c.value, c.selector, c.andMask)) << c.name;
        EXPECT_EQ(c.offset, offset) << c.name;
        EXPECT_EQ(c.end, end) << c.name;
    }
    TxRange range;
    TxStyleClassAt(d, 13, &range);
    EXPECT_EQ(12, range.begin);
    EXPECT_EQ(15, range.end);
    TxStyleClassAt(d, 19, &range);
    EXPECT_EQ(20, range.end); // clipped to the text
}

TEST_F(TxDocTest, RenumberingRunsAfterARemovedRecord)
{
    TxRef d = NewDoc();
    struct Case
    {
        uint16_t before;
        int32_t removed, count;
        uint16_t after;
    };
    const Case cases[] = {{0, 2, 5, 0}, {2, 2, 5, 2}, {3, 2, 5, 2}, {7, 2, 5, 4}, {0xFFFF, 2, 5, 0xFFFF}};
    TxDocLock doc(d);
    for (const Case& c : cases) {
        static_cast<TxRun*>(TxRecordPtr(doc->styleRuns, 0, false))->index = c.before;
        TxRenumberRuns(doc->styleRuns, c.removed, c.count);
        EXPECT_EQ(c.after, TxRunAt(doc->styleRuns, 0).index) << c.before;
    }
    static_cast<TxRun*>(TxRecordPtr(doc->styleRuns, 0, false))->index = 0;
}

TEST_F(TxDocTest, ParagraphBoundsAndTheInsertionStyleAtThem)
{
    TxRef d = NewDoc();
    SetText(d, "first\rsecond\r\rlast");
    struct Case
    {
        int32_t offset, begin, end;
    };
    const Case cases[] = {{0, 0, 6}, {5, 0, 6}, {6, 6, 13}, {13, 13, 14}, {14, 14, 18}, {18, 14, 18}, {40, 14, 18}};
    {
        TxDocLock doc(d);
        for (const Case& c : cases) {
            int32_t begin, end;
            TxParagraphBounds(*doc, c.offset, begin, end);
            EXPECT_EQ(c.begin, begin) << c.offset;
            EXPECT_EQ(c.end, end) << c.offset;
        }
    }
    {
        // A hidden paragraph end is no paragraph end.
        TxRef hidden = NewDoc();
        SetText(hidden, "first\rsecond");
        SetAttribute(hidden, 5, 6, kTxAttrHidden, 1);
        TxDocLock doc(hidden);
        int32_t begin, end;
        TxParagraphBounds(*doc, 8, begin, end);
        EXPECT_EQ(0, begin);
        EXPECT_EQ(12, end);
    }
    SetAttribute(d, 3, 6, kTxAttrBold, 1); // "st\r" bold
    struct Caret
    {
        int32_t offset, bold;
    };
    const Caret carets[] = {{2, 0}, {4, 1}, {5, 1}, {6, 0}, {7, 0}};
    for (const Caret& c : carets) {
        {
            TxDocLock doc(d);
            static_cast<TxSelectPoint*>(TxRecordPtr(doc->selection, 0, false))->offset = c.offset;
        }
        TxUpdateInsertionStyle(d);
        TxDocLock doc(d);
        TxStyleInfo s;
        TxGetStyle(*doc, doc->typingStyle, s);
        EXPECT_EQ(c.bold, s.attributes[kTxAttrBold]) << c.offset; // at 6, a paragraph start, the style after it
    }
}

TEST_F(TxDocTest, StyleAndFontTogetherAndFontsCopiedBetweenDocuments)
{
    TxRef d = NewDoc();
    TxRef other = NewDoc();
    SetText(d, "0123456789");
    TxStyleInfo v, m;
    AttributeChange(kTxAttrItalic, 1, v, m);
    TxFontInfo font{}, fontMask{};
    TxSetFontName(font, "Courier");
    std::memset(fontMask.name, 0xFF, sizeof fontMask.name);
    TxRange r{1, 4};
    TxSetStyleAndFont(d, &r, v, m, font, fontMask, 0);
    TxDocLock doc(d);
    TxStyleInfo s;
    TxGetStyle(*doc, TxStyleIndexAt(*doc, 2), s);
    EXPECT_EQ(1, s.attributes[kTxAttrItalic]);
    TxFontInfo f;
    TxGetFont(*doc, s.fontIndex, f);
    EXPECT_EQ(0, TxCompareFont(f, font, false));
    EXPECT_TRUE(f.flags & kTxFontNameChosen);
    EXPECT_EQ(1, TxCopyFontTo(d, other, s.fontIndex));
    EXPECT_EQ(1, TxCopyFontTo(d, other, s.fontIndex)); // found the second time
    EXPECT_EQ(0, TxCopyFontTo(d, other, 0));
}
