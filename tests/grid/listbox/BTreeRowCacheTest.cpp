// The B-tree grids' row cache over a real list file: which cursor moves each read takes, which slots
// it empties, failed moves, and the row count of a tree whose entries span several chunks.
#include "TermListFixture.h"

#include "grid/listbox/BTreeRowCache.h"
#include "grid/listbox/BTreeRowCursor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Moves
{
    int place = 0, next = 0, prev = 0, first = 0, last = 0, ordinal = 0;
    bool operator==(const Moves& o) const
    {
        return place == o.place && next == o.next && prev == o.prev && first == o.first && last == o.last &&
               ordinal == o.ordinal;
    }
};

std::ostream& operator<<(std::ostream& out, const Moves& m)
{
    return out << "{place " << m.place << ", next " << m.next << ", prev " << m.prev << ", first " << m.first
               << ", last " << m.last << ", ordinal " << m.ordinal << "}";
}

class CountingCursor : public BTreeRowCursor
{
public:
    using BTreeRowCursor::BTreeRowCursor;
    void Place(DWORD page, WORD slot) override
    {
        ++moves.place;
        BTreeRowCursor::Place(page, slot);
    }
    BOOL NextKey() override { return Count(moves.next, BTreeRowCursor::NextKey()); }
    BOOL PrevKey() override { return Count(moves.prev, BTreeRowCursor::PrevKey()); }
    BOOL MoveFirst() override { return Count(moves.first, BTreeRowCursor::MoveFirst()); }
    BOOL MoveLast() override { return Count(moves.last, BTreeRowCursor::MoveLast()); }
    BOOL MoveToOrdinal(DWORD n) override { return Count(moves.ordinal, BTreeRowCursor::MoveToOrdinal(n)); }

    Moves moves;
    bool failMoves = false;

private:
    BOOL Count(int& counter, BOOL moved)
    {
        ++counter;
        return failMoves ? FALSE : moved;
    }
};

class TextFiller : public BTreeRowFiller
{
public:
    void FillRow(BTreeRowCursor& cursor, BTreeCachedRow& row) override
    {
        CListEntry entry;
        if (cursor.Cursor().ReadObject(entry))
            row.cells[0] = entry.strings[0];
    }
    void BeginSeekWait() override { ++waits; }
    void EndSeekWait() override { --waits, ++waited; }
    int waits = 0, waited = 0;
};

class BTreeRowCacheTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_list = new TermListFixture;
        s_list->AddWords(kKeys);
        s_terms = new std::vector<std::string>(s_list->Terms());
    }
    static void TearDownTestSuite()
    {
        delete s_terms;
        delete s_list;
    }
    std::string Read(LONG n)
    {
        return static_cast<const char*>(cache.GetRow(n, kKeys, cursor, filler).cells[0].text);
    }

    static const LONG kKeys = 10000;
    static TermListFixture* s_list;
    static std::vector<std::string>* s_terms;
    CountingCursor cursor{&s_list->Tree()};
    TextFiller filler;
    BTreeRowCache cache;
};
TermListFixture* BTreeRowCacheTest::s_list;
std::vector<std::string>* BTreeRowCacheTest::s_terms;

TEST_F(BTreeRowCacheTest, SteppingDownReadsEachRowWithOneStepFromTheRowAbove)
{
    ASSERT_EQ(static_cast<size_t>(kKeys), s_terms->size());
    for (LONG n = 0; n < 300; ++n) {
        cursor.moves = Moves();
        ASSERT_EQ((*s_terms)[n], Read(n)) << n;
        Moves expected;
        if (n == 0)
            expected.first = 1;
        else
            expected.place = expected.next = 1;
        ASSERT_EQ(expected, cursor.moves) << n;
    }
    cursor.moves = Moves();
    EXPECT_EQ((*s_terms)[299], Read(299));
    EXPECT_EQ(Moves(), cursor.moves) << "a cached row is read without a move";
}

TEST_F(BTreeRowCacheTest, EachReadTakesTheCheapestMoveAtHand)
{
    auto moves = [](int place, int next, int prev, int first, int last, int ordinal) {
        Moves m;
        m.place = place, m.next = next, m.prev = prev, m.first = first, m.last = last, m.ordinal = ordinal;
        return m;
    };
    struct Case
    {
        const char* what;
        std::vector<LONG> before; // rows read first
        LONG n;
        Moves expected;
        int waits; // seeks shown with the wait
    };
    const Case cases[] = {
        {"a jump positions by ordinal", {}, 5000, moves(0, 0, 0, 0, 0, 1), 1},
        {"the row after a jump steps forward", {5000}, 5001, moves(1, 1, 0, 0, 0, 0), 0},
        {"the row before a jump steps back", {5000}, 4999, moves(1, 0, 1, 0, 0, 0), 0},
        {"the last row", {}, kKeys - 1, moves(0, 0, 0, 0, 1, 0), 0},
        {"the first row", {}, 0, moves(0, 0, 0, 1, 0, 0), 0},
        {"a row whose neighbours hold other rows seeks", {49, 51}, 150, moves(0, 0, 0, 0, 0, 1), 1},
        {"the row before wins over the row after", {149, 151}, 150, moves(1, 1, 0, 0, 0, 0), 0},
        {"the row after serves when the one before is another", {49, 151}, 150, moves(1, 0, 1, 0, 0, 0), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cache.Clear();
        for (LONG n : c.before)
            Read(n);
        cursor.moves = Moves();
        filler.waited = 0;
        EXPECT_EQ((*s_terms)[c.n], Read(c.n));
        EXPECT_EQ(c.expected, cursor.moves);
        EXPECT_EQ(c.waits, filler.waited);
        EXPECT_EQ(0, filler.waits) << "every wait ended";
    }
}

TEST_F(BTreeRowCacheTest, ARowReusesItsSlotAndEmptiesNeighboursHoldingOtherRows)
{
    struct Case
    {
        std::vector<LONG> before;
        LONG slot49, slot51; // after reading 150
    };
    const Case cases[] = {
        {{49, 50, 51}, -1, -1},
        {{50, 149, 151}, 149, 151},
        {{49, 50}, -1, -1},
        {{50}, -1, -1},
    };
    for (const Case& c : cases) {
        cache.Clear();
        for (LONG n : c.before)
            Read(n);
        EXPECT_EQ((*s_terms)[150], Read(150));
        EXPECT_EQ(150, cache.Slot(50).row);
        EXPECT_EQ(c.slot49, cache.Slot(49).row) << c.before.size();
        EXPECT_EQ(c.slot51, cache.Slot(51).row) << c.before.size();
        if (c.slot49 == -1) {
            EXPECT_TRUE(cache.Slot(49).cells[0].IsEmpty());
        }
    }
}

TEST_F(BTreeRowCacheTest, AFailedMoveLeavesTheRowEmptyButNumbered)
{
    for (LONG n : {LONG(0), LONG(17), LONG(5000), kKeys - 1}) {
        cache.Clear();
        if (n == 17)
            Read(16);
        cursor.failMoves = true;
        const BTreeCachedRow& row = cache.GetRow(n, kKeys, cursor, filler);
        cursor.failMoves = false;
        EXPECT_EQ(n, row.row);
        EXPECT_TRUE(row.cells[0].IsEmpty()) << n;
        EXPECT_EQ(0u, row.page);
        cursor.moves = Moves();
        cache.GetRow(n, kKeys, cursor, filler);
        EXPECT_EQ(Moves(), cursor.moves) << "not read again until cleared";
    }
}

TEST(BTreeRowCursor, RowsAreDistinctKeysNotEntries)
{
    TermListFixture list;
    BTreeRowCursor cursor(&list.Tree());
    EXPECT_EQ(0, cursor.CountRows());
    EXPECT_EQ(0, BTreeRowCursor().CountRows()) << "no tree";
    const std::string longNote(700, 'n'); // several chunks an entry
    list.AddWords(120, 99, longNote.c_str());
    list.AddWords(80, 7);
    ASSERT_GT(list.Tree().GetEntryCount(), 200u);
    for (bool withIndex : {true, false}) {
        list.Tree().AttachPositionIndex(withIndex ? &list.index : nullptr);
        EXPECT_EQ(200, cursor.CountRows()) << withIndex;
    }
    list.Tree().AttachPositionIndex(&list.index);
    // The last row holds a text, and no row past it does.
    BTreeRowCache cache;
    TextFiller filler;
    const std::vector<std::string> terms = list.Terms();
    ASSERT_EQ(200u, terms.size());
    EXPECT_EQ(terms.back(), std::string(cache.GetRow(199, 200, cursor, filler).cells[0].text));
    EXPECT_EQ(terms[198], std::string(cache.GetRow(198, 200, cursor, filler).cells[0].text));
}

} // namespace
