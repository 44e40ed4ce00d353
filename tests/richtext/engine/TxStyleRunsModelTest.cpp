// Random style changes over random ranges, checked after every step against a plain model that
// keeps one style per character: the runs ascend from 0 to the terminator, every index names a
// record, use counts equal the runs naming each record, a clean-up leaves no equal neighbours, and
// every character reads the style the model gives it.
#include "TxDocTestSupport.h"

#include <array>
#include <random>

namespace {
const int32_t kTextLength = 157;
const int kAttributes[] = {kTxAttrBold, kTxAttrItalic, kTxAttrUnderline, 5};
const char* const kFaces[] = {"Arial", "Courier", "Garamond"};

struct CharStyle
{
    std::array<int16_t, 4> attributes{};
    int face = 0;
    bool operator==(const CharStyle& o) const { return attributes == o.attributes && face == o.face; }
};

// Sets one attribute through the run machinery directly, leaving the runs uncleaned.
struct RawChange
{
    int attribute;
    int16_t value;
};
int32_t ApplyRaw(TxDocument& doc, int32_t index, void* context)
{
    auto* change = static_cast<RawChange*>(context);
    TxStyleInfo style;
    TxGetStyle(doc, index, style);
    style.attributes[change->attribute] = change->value;
    return TxFindOrAddStyle(doc, style);
}

class Checker
{
public:
    Checker(TxRef d, const std::vector<CharStyle>& model) : d_(d), model_(model) {}

    void Check(bool cleaned, int step)
    {
        TxDocLock doc(d_);
        const int32_t runs = TxRecordCount(doc->styleRuns);
        const int32_t styles = TxRecordCount(doc->styles);
        ASSERT_LE(2, runs) << step;
        std::vector<int32_t> named(size_t(styles), 0);
        for (int32_t i = 0; i < runs; ++i) {
            TxRun r = TxRunAt(doc->styleRuns, i);
            ASSERT_GT(styles, r.index) << step;
            named[r.index]++;
            if (i == 0) {
                ASSERT_EQ(0, r.offset) << step;
            } else if (cleaned) {
                ASSERT_LT(TxRunAt(doc->styleRuns, i - 1).offset, r.offset) << step;
            } else {
                ASSERT_LE(TxRunAt(doc->styleRuns, i - 1).offset, r.offset) << step;
            }
            if (cleaned && i > 0 && i < runs - 1) {
                ASSERT_NE(TxRunAt(doc->styleRuns, i - 1).index, r.index) << step << " run " << i;
            }
        }
        ASSERT_EQ(kTextLength + 2, TxRunAt(doc->styleRuns, runs - 1).offset) << step;
        for (int32_t i = 0; i < styles; ++i) {
            TxStyleInfo s;
            TxGetRecord(doc->styles, i, &s);
            ASSERT_EQ(named[size_t(i)], s.useCount) << step << " style " << i;
            if (cleaned && i > 0 && i != doc->typingStyle) { // unused records go with a clean-up
                ASSERT_LT(0, s.useCount) << step << " style " << i;
            }
        }
        for (int32_t c = 0; c < kTextLength; ++c) {
            TxStyleInfo s;
            TxGetStyle(*doc, TxStyleIndexAt(*doc, c), s);
            TxFontInfo f;
            TxGetFont(*doc, s.fontIndex, f);
            CharStyle seen;
            for (size_t a = 0; a < seen.attributes.size(); ++a)
                seen.attributes[a] = s.attributes[kAttributes[a]];
            TxFontInfo expected{};
            TxSetFontName(expected, kFaces[model_[size_t(c)].face]);
            seen.face = TxCompareFont(f, expected, false) == 0 ? model_[size_t(c)].face : -1;
            ASSERT_TRUE(seen == model_[size_t(c)]) << step << " at " << c;
        }
    }

private:
    TxRef d_;
    const std::vector<CharStyle>& model_;
};
} // namespace

TEST_F(TxDocTest, RandomStyleChangesAgreeWithAPerCharacterModel)
{
    TxRef d = NewDoc();
    SetText(d, std::string(size_t(kTextLength), 'm'));
    std::vector<CharStyle> model(static_cast<size_t>(kTextLength));
    Checker checker(d, model);
    std::mt19937 random(20261211);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    bool cleaned = true;
    for (int step = 0; step < 3000; ++step) {
        int32_t a = pick(kTextLength + 1), b = pick(kTextLength + 1);
        if (a > b)
            std::swap(a, b);
        if (pick(8) == 0)
            b = kTextLength; // ranges reaching the end are the ones that leave a trailing run
        const int kind = pick(10);
        if (kind < 5) { // a masked attribute change, cleaned
            size_t which = size_t(pick(4));
            int16_t value = int16_t(pick(3));
            TxStyleInfo v, m;
            AttributeChange(kAttributes[which], value, v, m);
            TxRange r{a, b};
            TxSetStyleInfo(d, &r, v, m, 0);
            for (int32_t c = a; c < b; ++c)
                model[size_t(c)].attributes[which] = value;
            cleaned = a < b; // an empty range changes only the insertion style
        } else if (kind < 7) { // a font, cleaned
            int face = pick(3);
            TxFontInfo f{}, m{};
            TxSetFontName(f, kFaces[face]);
            std::memset(m.name, 0xFF, sizeof m.name);
            TxRange r{a, b};
            TxSetFontInfo(d, &r, f, m, 0);
            for (int32_t c = a; c < b; ++c)
                model[size_t(c)].face = face;
            cleaned = a < b;
        } else if (kind < 9 && a < b) { // raw, left uncleaned for a while
            size_t which = size_t(pick(4));
            RawChange change{kAttributes[which], int16_t(pick(3))};
            TxDocLock doc(d);
            TxApplyToRuns(*doc, true, ApplyRaw, &change, a, b);
            for (int32_t c = a; c < b; ++c)
                model[size_t(c)].attributes[which] = change.value;
            cleaned = false;
        } else { // a clean-up on its own
            TxDocLock doc(d);
            TxCleanAllRuns(*doc, true, true);
            cleaned = true;
        }
        checker.Check(cleaned, step);
        if (HasFatalFailure())
            return;
    }
}
