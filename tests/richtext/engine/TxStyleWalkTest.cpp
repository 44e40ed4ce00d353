// The style walk: the records and run ends it exposes as it moves, and the locks it takes and
// gives back.
#include "TxDocTestSupport.h"

#include "richtext/engine/TxStyleWalk.h"

#include <array>

TEST_F(TxDocTest, AWalkVisitsEachRunAndGivesBackItsLocks)
{
    TxRef d = NewDoc();
    SetText(d, "0123456789abcdef");
    TxStyleInfo v, m;
    AttributeChange(kTxAttrBold, 1, v, m);
    TxRange bold{4, 9};
    TxSetStyleInfo(d, &bold, v, m, 0);
    TxParInfo pv{}, pm{};
    pv.justification = 2;
    pm.justification = -1;
    TxRange right{10, 16};
    TxSetParInfo(d, &right, pv, pm, 0);

    TxDocLock doc(d);
    const TxRef lists[] = {doc->styleRuns, doc->styles, doc->fonts, doc->parRuns, doc->pars};
    std::vector<int16_t> locks;
    for (TxRef r : lists)
        locks.push_back(TxLockCount(r));
    {
        TxStyleWalker w(*doc, 0, true);
        for (TxRef r : lists)
            EXPECT_LT(0, TxLockCount(r));
        struct Stop
        {
            int32_t offset, nextStyle, bold, nextPar, justification;
        };
        std::vector<Stop> seen;
        do {
            seen.push_back({w->offset, w->nextStyleOffset, w->style->attributes[kTxAttrBold], w->nextParOffset,
                            w->par->justification});
        } while (TxStyleWalkNext(*w));
        const std::vector<std::array<int32_t, 5>> expected = {
            {0, 4, 0, 10, 0}, {4, 9, 1, 10, 0}, {9, 16, 0, 10, 0}};
        ASSERT_EQ(expected.size(), seen.size());
        for (size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(expected[i][0], seen[i].offset) << i;
            EXPECT_EQ(expected[i][1], seen[i].nextStyle) << i;
            EXPECT_EQ(expected[i][2], seen[i].bold) << i;
            EXPECT_EQ(expected[i][3], seen[i].nextPar) << i;
            EXPECT_EQ(expected[i][4], seen[i].justification) << i;
        }
        // Moving by characters reports the run changes and stays inside the text.
        const std::pair<int32_t, int32_t> moves[] = {{-100, 0}, {3, 3}, {1, 4}, {100, 16}, {-1, 15}};
        TxStyleWalkTo(*w, 0);
        for (auto [delta, at] : moves) {
            TxStyleWalkBy(*w, delta);
            EXPECT_EQ(at, w->offset) << delta;
        }
        EXPECT_EQ(2, w->par->justification);
        EXPECT_EQ(0, TxStyleWalkBy(*w, -1)); // 14: the same runs
        EXPECT_EQ(1, TxStyleWalkTo(*w, 5));
        EXPECT_EQ(0, TxCompareFont(*w->font, globals.defaultFont, false));
    }
    for (size_t i = 0; i < locks.size(); ++i)
        EXPECT_EQ(locks[i], TxLockCount(lists[i])) << i;
}
