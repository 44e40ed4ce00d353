// Record sets: members and counts, the set operations against a model, the
// packed stored form byte for byte, and damaged stored forms.
#include "classlib/Exceptions.h"
#include "database/db/DBRecordSet.h"
#include "database/text/ArchiveBytes.h"
#include "database/text/StyledStringArchive.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

namespace {
std::vector<int> Members(const DBRecordSet& s)
{
    std::vector<int> out;
    for (int n = s.FindNext(-1); n >= 0; n = s.FindNext(n))
        out.push_back(n);
    return out;
}

std::vector<int> Members(const std::set<int>& s)
{
    return std::vector<int>(s.begin(), s.end());
}

Bytes Store(const DBRecordSet& s)
{
    return StoreToBytes([&](CArchive& ar) { const_cast<DBRecordSet&>(s).Serialize(ar); });
}

// The stored form of a set without name: the name's bytes, count, blocks.
Bytes Header(DWORD count, unsigned blocks)
{
    Bytes b = StoreToBytes([](CArchive& ar) { WriteStyledString(ar, StyledString()); });
    Put16(b, count & 0xFFFF);
    Put16(b, count >> 16);
    Put16(b, blocks);
    return b;
}

TEST(DBRecordSetTest, MembersAndCounts)
{
    DBRecordSet s("Marked");
    EXPECT_EQ("Marked", std::string(s.name.text));
    EXPECT_EQ(1, s.name.runs.GetSize());
    EXPECT_EQ(0, DBRecordSet().name.runs.GetSize());

    EXPECT_EQ(1, s.Set(5));
    EXPECT_EQ(1, s.Set(5));
    EXPECT_EQ(1, s.Clear(6));
    EXPECT_EQ(1, s.Set(-3));
    EXPECT_EQ(1, s.Clear(1 << 30)); // beyond the blocks
    EXPECT_FALSE(s.Contains(-1));
    EXPECT_FALSE(s.Contains(1 << 30));
    EXPECT_EQ(0, s.Clear(5));

    EXPECT_EQ(1, s.Set(2048));
    EXPECT_EQ(3, s.GetBlockCount());
    EXPECT_TRUE(s.Contains(2048));
    EXPECT_EQ(2048, s.FindNext(-1));
    EXPECT_EQ(-1, s.FindNext(2048));
    EXPECT_EQ(-1, s.FindNext(0x7FFFFFFF));

    // The most the stored form can count, and no further.
    EXPECT_EQ(2, s.Set(DBRecordSet::maxBlocks * 1024 - 1));
    EXPECT_THROW(
        try { s.Set(DBRecordSet::maxBlocks * 1024); } catch (CNotSupportedException* e) {
            e->Delete();
            throw 1;
        },
        int);
    EXPECT_EQ(2, s.GetCount());

    s.RemoveAll();
    EXPECT_EQ(0, s.GetCount());
    EXPECT_EQ(0, s.GetBlockCount());
    EXPECT_EQ("Marked", std::string(s.name.text));
}

TEST(DBRecordSetTest, FirstFreeNumbers)
{
    DBRecordSet s;
    EXPECT_EQ(0, s.FindFirstFree());
    for (int n : {0, 1, 2, 4})
        s.Set(n);
    EXPECT_EQ(3, s.FindFirstFree());
    DBRecordSet full;
    for (int n = 0; n < 1024; ++n)
        full.Set(n);
    EXPECT_EQ(1024, full.FindFirstFree());
    full.Clear(999);
    EXPECT_EQ(999, full.FindFirstFree());
}

TEST(DBRecordSetTest, BlockCountsAndFlagWords)
{
    DBRecordSet a, b;
    a |= b; // two block-less sets: the target gets one all-zero block
    EXPECT_EQ(1, a.GetBlockCount());
    EXPECT_FALSE(a == b);
    EXPECT_TRUE(a != b);

    DBRecordSet c("named");
    c = a; // the name stays
    EXPECT_TRUE(c == a);
    EXPECT_EQ("named", std::string(c.name.text));
    DBRecordSet copy(c);
    EXPECT_EQ("named", std::string(copy.name.text));

    // A flag word stops a symmetric difference but is taken over.
    DBRecordSet x, flagged;
    x.Set(1);
    flagged.Set(1);
    flagged.Set(2000);
    flagged.flagWord = 4;
    x ^= flagged;
    EXPECT_EQ(4u, x.flagWord);
    EXPECT_EQ(std::vector<int>{1}, Members(x));
    EXPECT_EQ(1, x.GetBlockCount());

    // Union ORs the flag words, intersection ANDs them.
    DBRecordSet u;
    u.flagWord = 1;
    u |= flagged;
    EXPECT_EQ(5u, u.flagWord);
    u.flagWord = 6;
    u &= flagged;
    EXPECT_EQ(4u, u.flagWord);

    // Intersection keeps its longer blocks, zeroed.
    DBRecordSet longer, shorter;
    longer.Set(5000);
    longer.Set(3);
    shorter.Set(3);
    longer &= shorter;
    EXPECT_EQ(5, longer.GetBlockCount());
    EXPECT_EQ(std::vector<int>{3}, Members(longer));

    // With itself: union and intersection change nothing, difference empties.
    DBRecordSet self;
    self.Set(7);
    self |= self;
    self &= self;
    EXPECT_EQ(1, self.GetCount());
    self ^= self;
    EXPECT_EQ(0, self.GetCount());
}

TEST(DBRecordSetTest, OperationsMatchAModel)
{
    std::mt19937 rng(20240611);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE(round);
        std::set<int> ma, mb;
        DBRecordSet a, b;
        const int range = round % 3 == 0 ? 3000 : 400000;
        const int na = (int)(rng() % 100001), nb = (int)(rng() % 100001);
        for (int i = 0; i < na; ++i) {
            int n = (int)(rng() % (unsigned)range);
            ma.insert(n);
            a.Set(n);
        }
        for (int i = 0; i < nb; ++i) {
            int n = (int)(rng() % (unsigned)(range / (1 + round % 2)));
            mb.insert(n);
            b.Set(n);
        }
        for (int i = 0; i < 1000; ++i) {
            int n = (int)(rng() % (unsigned)range);
            ma.erase(n);
            a.Clear(n);
        }
        ASSERT_EQ((int)ma.size(), a.GetCount());
        ASSERT_EQ(Members(ma), Members(a));

        std::set<int> mu = ma, mi, mx;
        mu.insert(mb.begin(), mb.end());
        for (int n : ma)
            (mb.count(n) ? mi : mx).insert(n);
        for (int n : mb)
            if (!ma.count(n))
                mx.insert(n);

        DBRecordSet u(a), i(a), x(a);
        u |= b;
        i &= b;
        x ^= b;
        EXPECT_EQ((int)mu.size(), u.GetCount());
        EXPECT_EQ(Members(mu), Members(u));
        EXPECT_EQ((int)mi.size(), i.GetCount());
        EXPECT_EQ(Members(mi), Members(i));
        EXPECT_EQ((int)mx.size(), x.GetCount());
        EXPECT_EQ(Members(mx), Members(x));

        int free = 0;
        while (ma.count(free))
            ++free;
        EXPECT_EQ(free, a.FindFirstFree());
        for (int probe = 0; probe < 200; ++probe) {
            int n = (int)(rng() % (unsigned)range);
            EXPECT_EQ(ma.count(n) == 1, a.Contains(n) != FALSE);
        }
    }
}

TEST(DBRecordSetTest, BlocksPackAsStored)
{
    struct
    {
        const char* what;
        std::vector<std::pair<int, BYTE>> bytes; // non-zero bytes of the block
        BYTE fill;
        Bytes packed; // empty: stored raw
    } cases[] = {
        {"all zero", {}, 0x00, {0x00, 0x00, 0x7F}},
        {"all ones", {}, 0xFF, {0xFF, 0xFF, 0x7F}},
        {"a leading 01", {{0, 0x01}}, 0x00, {0x01, 0x00, 0x00, 0x7E}},
        {"first and last", {{0, 0x05}, {127, 0x01}}, 0x00, {0x05, 0x00, 0x00, 0x7D, 0x01}},
        {"no two equal neighbours", {}, 0x00, {}},
    };
    for (int i = 0; i < 128; ++i)
        cases[4].bytes.push_back({i, (BYTE)(i + 1)});
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes block(128, c.fill);
        for (auto& [at, value] : c.bytes)
            block[at] = value;
        BYTE packed[128];
        int p = PackRecordSetBlock(block.data(), packed);
        EXPECT_EQ(c.packed, Bytes(packed, packed + p));

        // Through the stored form of a set holding exactly these bits.
        DBRecordSet s;
        for (int n = 0; n < 1024; ++n)
            if (block[n / 8] & (1 << (n % 8)))
                s.Set(n);
        if (s.GetBlockCount() == 0)
            s.Set(0), s.Clear(0);
        Bytes expected = Header(s.GetCount(), 1);
        expected.push_back((BYTE)p);
        const Bytes& body = p ? c.packed : block;
        expected.insert(expected.end(), body.begin(), body.end());
        EXPECT_EQ(expected, Store(s));

        DBRecordSet back("old name");
        EXPECT_EQ(0, LoadFromBytes(expected, [&](CArchive& ar) { back.Serialize(ar); }));
        EXPECT_TRUE(back == s);
        EXPECT_EQ("", std::string(back.name.text));
    }
}

TEST(DBRecordSetTest, ArchiveRoundTrips)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 6; ++round) {
        DBRecordSet s(round % 2 ? "Group One" : "");
        const int span = 1 << (8 + 2 * round);
        for (int i = 0; i < 3 * round * round + 1; ++i)
            s.Set((int)(rng() % (unsigned)span));
        for (int n = 5000; n < 5000 + 300 * round; ++n) // dense stretches too
            s.Set(n);
        s.flagWord = 9; // not stored
        const Bytes bytes = Store(s);
        DBRecordSet back;
        back.Set(70000);
        EXPECT_EQ(0, LoadFromBytes(bytes, [&](CArchive& ar) { back.Serialize(ar); }));
        EXPECT_TRUE(back == s) << round;
        EXPECT_EQ(Members(s), Members(back));
        EXPECT_EQ(std::string(s.name.text), std::string(back.name.text));
        EXPECT_EQ(0u, back.flagWord);
        EXPECT_EQ(bytes, Store(back));
    }
}

TEST(DBRecordSetTest, DamagedBlocksAreRefused)
{
    struct
    {
        const char* what;
        Bytes block; // length byte and what follows
        int cause;
    } cases[] = {
        {"a run past the block", {3, 0x00, 0x00, 0x80}, CArchiveException::badIndex},
        {"a second run past it", {5, 0x00, 0x00, 0x7F, 0x00, 0x01}, CArchiveException::badIndex},
        {"a literal past it", {4, 0x00, 0x00, 0x7F, 0x05}, CArchiveException::badIndex},
        {"a long run past it", {5, 0x07, 0x07, 0x7F, 0x07, 0x7F}, CArchiveException::badIndex},
        {"a run without its length", {2, 0x00, 0x00}, CArchiveException::badIndex},
        {"too short a block", {3, 0x00, 0x00, 0x10}, CArchiveException::badIndex},
        {"packed data cut off", {3, 0x00, 0x00}, CArchiveException::endOfFile},
        {"a raw block cut off", {0, 0x01, 0x02, 0x03}, CArchiveException::endOfFile},
        {"no block at all", {}, CArchiveException::endOfFile},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = Header(1, 2);
        Bytes good = {3, 0x00, 0x00, 0x7F};
        bytes.insert(bytes.end(), good.begin(), good.end());
        bytes.insert(bytes.end(), c.block.begin(), c.block.end());
        DBRecordSet s;
        s.Set(12);
        int cause = -1;
        try {
            LoadFromBytes(bytes, [&](CArchive& ar) { s.Serialize(ar); });
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(c.cause, cause);
        EXPECT_EQ(0, s.GetCount());
        EXPECT_EQ(0, s.GetBlockCount());
    }

    // A stored count that disagrees with the bits gives way to them.
    Bytes bytes = Header(99, 1);
    Bytes block = {4, 0x01, 0x00, 0x00, 0x7E};
    bytes.insert(bytes.end(), block.begin(), block.end());
    DBRecordSet s;
    EXPECT_EQ(0, LoadFromBytes(bytes, [&](CArchive& ar) { s.Serialize(ar); }));
    EXPECT_EQ(1, s.GetCount());
    EXPECT_TRUE(s.Contains(0));
}
} // namespace
