// Memory references: slots and master blocks, growth by the extend count, locks kept across
// resizing, purging, spilling to the scratch file and back, disposal by memory id, byte moves.
#include "TxTestSupport.h"

#include "richtext/engine/TxFileProcs.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {
struct EdgeCase
{
    const char* name;
    std::function<void(TxMemGlobals&)> run;
};

std::vector<TxRef> MakeRefs(TxMemGlobals& g, int n)
{
    std::vector<TxRef> refs;
    for (int i = 0; i < n; ++i)
        refs.push_back(TxNewRef(&g, 4, 1, 0, false));
    return refs;
}

const int32_t kSmallBlock = kTxHeaderBytes + 4;

const EdgeCase kEdgeCases[] = {
    {"the 256th reference comes from a second master block linked from slot 255",
     [](TxMemGlobals& g) {
         std::vector<TxRef> refs = MakeRefs(g, 255);
         EXPECT_EQ(nullptr, g.firstMaster[255]);
         EXPECT_EQ(-1, g.nextFreeSlot);
         int32_t before = g.byteTotal;
         TxRef last = TxNewRef(&g, 4, 1, 0, false);
         auto* second = reinterpret_cast<TxSlot*>(g.firstMaster[255]);
         ASSERT_NE(nullptr, second);
         EXPECT_EQ(&second[0], last);
         EXPECT_EQ(before + kTxMasterBytes + kSmallBlock, g.byteTotal);
     }},
    {"a freed slot of the first master block is taken once the current one is full",
     [](TxMemGlobals& g) {
         std::vector<TxRef> refs = MakeRefs(g, 256);
         TxRef freed = refs[10];
         TxDisposeRef(freed);
         MakeRefs(g, 254); // fills the second master block
         EXPECT_EQ(freed, TxNewRef(&g, 4, 1, 0, false));
     }},
    {"insert at the count appends; a locked reference keeps its lock count, an unlocked one gets one",
     [](TxMemGlobals& g) {
         TxRef ref = PatternRef(g, 3);
         TxLockRef(ref);
         auto* p = static_cast<uint8_t*>(TxInsertRecords(ref, 3, 2));
         EXPECT_EQ(1, TxLockCount(ref));
         EXPECT_EQ(static_cast<uint8_t*>(TxRecordPtr(ref, 3, false)), p);
         EXPECT_EQ(5, TxRecordCount(ref));
         TxUnlockAll(ref);
         p = static_cast<uint8_t*>(TxInsertRecords(ref, 1, 1));
         *p = 0xEE;
         EXPECT_EQ(1, TxLockCount(ref));
         const uint8_t* r = static_cast<uint8_t*>(TxRecordPtr(ref, 0, false));
         EXPECT_EQ(0, r[0]);
         EXPECT_EQ(0xEE, r[1]);
         EXPECT_EQ(1, r[2]);
         EXPECT_EQ(2, r[3]);
     }},
    {"growth allocates count plus extend records; shrinking keeps the room",
     [](TxMemGlobals& g) {
         TxRef ref = TxNewRef(&g, 2, 0, 4, false);
         EXPECT_EQ(4, TxHeaderOf(ref)->allocatedCount);
         int32_t before = g.byteTotal;
         TxSetRecordCount(ref, 5);
         EXPECT_EQ(9, TxHeaderOf(ref)->allocatedCount);
         EXPECT_EQ(before + 2 * 5, g.byteTotal);
         TxSetRecordCount(ref, 1);
         EXPECT_EQ(9, TxHeaderOf(ref)->allocatedCount);
         EXPECT_EQ(before + 2 * 5, g.byteTotal);
         TxCompactRef(ref);
         EXPECT_EQ(1, TxHeaderOf(ref)->allocatedCount);
         EXPECT_EQ(before - 2 * 3, g.byteTotal);
     }},
    {"deleting no records does nothing; deleting the last ones moves nothing",
     [](TxMemGlobals& g) {
         TxRef ref = PatternRef(g, 6);
         TxDeleteRecords(ref, 2, 0);
         EXPECT_TRUE(HoldsPattern(ref, 6));
         TxDeleteRecords(ref, 4, 2);
         EXPECT_TRUE(HoldsPattern(ref, 4));
         TxDeleteRecords(ref, 0, 1);
         EXPECT_EQ(3, TxRecordCount(ref));
         EXPECT_EQ(1, *static_cast<uint8_t*>(TxRecordPtr(ref, 0, true)));
     }},
    {"the manager starts with one master block and the reserve block, and no limit for 0",
     [](TxMemGlobals& g) {
         EXPECT_EQ(kTxMasterBytes + kTxReserveBytes, g.byteTotal);
         EXPECT_EQ(0x7FFFFFFF, g.byteLimit);
         EXPECT_EQ(0x10000, g.purgeSlack);
         EXPECT_EQ(1, g.currentMemoryId);
         EXPECT_EQ(kTxMemSignature, g.signature);
     }},
    {"duplicates copy records, record size and extend count under the current or given id",
     [](TxMemGlobals& g) {
         TxRef ref = TxNewRefWithId(&g, 1, 0, 3, 9);
         TxRef pattern = PatternRef(g, 40);
         TxCopyRefContents(pattern, ref);
         EXPECT_TRUE(HoldsPattern(ref, 40));
         TxRef copy = TxDuplicateRef(ref);
         EXPECT_TRUE(HoldsPattern(copy, 40));
         EXPECT_EQ(1, TxGetMemoryId(copy));
         EXPECT_EQ(9, TxGetMemoryId(TxDuplicateRefWithId(ref, 0)));
         EXPECT_EQ(5, TxGetMemoryId(TxDuplicateRefWithId(ref, 5)));
     }},
};
} // namespace

TEST_F(TxMemTest, EdgeCases)
{
    for (const EdgeCase& c : kEdgeCases) {
        SCOPED_TRACE(c.name);
        TxMemShutdown(&g);
        TxMemInit(&g, 0);
        c.run(g);
    }
}

TEST_F(TxMemTest, AGivenLimitIsKeptAndExceedingItPurgesWithoutFailing)
{
    TxMemShutdown(&g);
    TxMemInit(&g, 8000);
    EXPECT_EQ(8000, g.byteLimit);
    static int32_t asked;
    asked = 0;
    g.freeMemoryHook = [](TxMemGlobals*, TxRef, int32_t wanted) {
        asked = wanted;
        return 0;
    };
    TxRef ref = TxNewRef(&g, 1, 10000, 0, false);
    EXPECT_EQ(10000, TxRecordCount(ref));
    EXPECT_EQ(g.byteTotal + g.purgeSlack - 8000, asked);
}

namespace {
std::vector<TxRef>& Purged()
{
    static std::vector<TxRef> purged;
    return purged;
}

TxErr RecordingPurge(TxRef ref, TxMemGlobals*, int16_t verb)
{
    if (verb == 1)
        Purged().push_back(ref);
    return 0;
}
} // namespace

TEST_F(TxMemTest, PurgingPicksUnlockedLargeLowLevelBlocksInLevelOrder)
{
    TxRef locked = TxNewRef(&g, 1, 300, 0, false);
    TxLockRef(locked);
    TxRef grown = TxNewRef(&g, 1, 300, 0, false);
    TxRef small = TxNewRef(&g, 1, 255, 0, false);
    TxRef high = TxNewRef(&g, 1, 300, 0, false);
    TxSetPurgeLevel(high, 225, false);
    TxRef highest = TxNewRef(&g, 1, 300, 0, false);
    TxSetPurgeLevel(highest, 255, false);
    TxRef middle = TxNewRef(&g, 1, 300, 0, false);
    TxRef lowest = TxNewRef(&g, 4, 64, 0, false);
    TxSetPurgeLevel(lowest, 0, false);
    Purged().clear();
    g.purgeProc = RecordingPurge;
    EXPECT_EQ(kTxPurgeShort, TxPurgeMemory(&g, 100000, grown));
    EXPECT_EQ((std::vector<TxRef>{lowest, middle}), Purged());
    (void)small;
}

namespace {
std::vector<int32_t> FreeList(TxMemGlobals& g)
{
    std::vector<int32_t> v(size_t(TxByteSize(g.scratchFreeList) / 4));
    std::memcpy(v.data(), TxLockRef(g.scratchFreeList), v.size() * 4);
    TxUnlockRef(g.scratchFreeList);
    return v;
}
} // namespace

TEST_F(TxMemTest, SpilledBlocksComeBackIdenticalAndTheirRangesMergeBack)
{
    TxTempFile scratch;
    TxSetPurgeProc(&g, nullptr, scratch.handle());
    const std::vector<int32_t> whole = {0, 0x7FFFFFFF};
    EXPECT_EQ(whole, FreeList(g));

    TxRef a = PatternRef(g, 1000);
    TxRef b = PatternRef(g, 700);
    TxRef gone = PatternRef(g, 500);
    TxSetPurgeLevel(gone, -1, true);
    int32_t before = g.byteTotal;
    EXPECT_EQ(0, TxPurgeMemory(&g, 2000, nullptr));
    for (TxRef r : {a, b, gone})
        EXPECT_TRUE(TxHeaderOf(r)->flags & kTxSpilled);
    EXPECT_EQ(before - (1000 + 700 + 500) + 3 * (kTxStubBytes - kTxHeaderBytes), g.byteTotal);
    EXPECT_EQ((std::vector<int32_t>{1700, 0x7FFFFFFF}), FreeList(g));

    // The count may change while spilled; a lock reads back what fits.
    TxSetRecordCount(b, 600);
    EXPECT_TRUE(HoldsPattern(b, 600));
    EXPECT_EQ((std::vector<int32_t>{1000, 0x7FFFFFFF}), FreeList(g));
    EXPECT_TRUE(HoldsPattern(a, 1000));
    EXPECT_EQ(whole, FreeList(g));
    EXPECT_EQ(500, TxRecordCount(gone));
    TxLockRef(gone);
    EXPECT_FALSE(TxHeaderOf(gone)->flags & kTxSpilled);

    // Disposing spilled blocks gives their ranges back, touching ranges merged.
    TxUnlockAll(gone);
    EXPECT_EQ(0, TxPurgeMemory(&g, 1500, nullptr));
    EXPECT_NE(whole, FreeList(g));
    TxDisposeRef(a);
    TxDisposeRef(b);
    EXPECT_EQ(whole, FreeList(g));
}

TEST_F(TxMemTest, ResettingASpilledReferenceGivesItsRangeBack)
{
    TxTempFile scratch;
    TxSetPurgeProc(&g, nullptr, scratch.handle());
    TxRef kept = PatternRef(g, 600);
    TxRef reset = PatternRef(g, 900);
    EXPECT_EQ(0, TxPurgeMemory(&g, 1400, nullptr));
    ASSERT_TRUE(TxHeaderOf(reset)->flags & kTxSpilled);
    TxResetRef(reset, 4, 3);
    const TxBlockHeader& h = *TxHeaderOf(reset);
    EXPECT_FALSE(h.flags & kTxSpilled);
    EXPECT_EQ(0, h.recordCount);
    EXPECT_EQ(4, h.recordSize);
    EXPECT_EQ(3, h.allocatedCount);
    EXPECT_EQ(0, g.lastError);
    EXPECT_EQ((std::vector<int32_t>{600, 0x7FFFFFFF}), FreeList(g));
    EXPECT_TRUE(HoldsPattern(kept, 600));
    EXPECT_EQ((std::vector<int32_t>{0, 0x7FFFFFFF}), FreeList(g));
}

TEST_F(TxMemTest, PurgeVerbsWithoutAScratchFileFail)
{
    TxSetPurgeProc(&g, nullptr, 0);
    EXPECT_EQ(nullptr, g.scratchFreeList);
    TxRef ref = PatternRef(g, 400);
    EXPECT_EQ(kTxNoScratchFile, TxPurgeMemory(&g, 100, nullptr));
    EXPECT_TRUE(HoldsPattern(ref, 400));
}

TEST_F(TxMemTest, DisposingByMemoryIdLeavesNoReferenceOfThatId)
{
    TxRef kept1 = TxNewRefWithId(&g, 8, 4, 0, 1);
    for (int i = 0; i < 5; ++i) {
        TxRef r = TxNewZeroRefWithId(&g, 8, 4, 0, 2);
        if (i % 2)
            TxLockRef(r);
    }
    TxRef kept3 = TxNewRefWithId(&g, 8, 4, 0, 3);
    int32_t before = g.byteTotal;
    EXPECT_EQ(5, TxCountRefs(&g, 2));
    TxDisposeMemoryId(&g, 2);
    EXPECT_EQ(0, TxCountRefs(&g, 2));
    EXPECT_EQ(2, TxCountRefs(&g, 0));
    EXPECT_EQ(before - 5 * (kTxHeaderBytes + 32), g.byteTotal);
    EXPECT_NE(nullptr, *kept1);
    EXPECT_NE(nullptr, *kept3);
    TxDisposeMemoryId(&g, 0);
    EXPECT_EQ(0, TxCountRefs(&g, 0));
    EXPECT_EQ(kTxMasterBytes + kTxReserveBytes, g.byteTotal);
}

TEST_F(TxMemTest, HandlesMadeIntoReferencesAndBack)
{
    TxRef ref = PatternRef(g, 12);
    int32_t held = g.byteTotal;
    void* plain = TxRefToHandle(ref);
    EXPECT_EQ(nullptr, *ref);
    EXPECT_EQ(held - kTxHeaderBytes - 12, g.byteTotal);
    TxRef back = TxHandleToRef(&g, plain, 4);
    EXPECT_EQ(3, TxRecordCount(back));
    EXPECT_EQ(8, TxGetPurgeLevel(back) & 0xFF);
    EXPECT_EQ(0, TxHeaderOf(back)->extendCount);
    TxHeaderOf(back)->recordSize = 1;
    TxHeaderOf(back)->recordCount = 12;
    EXPECT_TRUE(HoldsPattern(back, 12));
    EXPECT_EQ(held, g.byteTotal);
}

TEST(TxMoveBytes, OverlapAndBackwardCopies)
{
    struct Case
    {
        const char* name;
        int from, to, length;
        const char* result;
    } cases[] = {
        {"forward over itself", 0, 2, 6, "ababcdefij"},
        {"backward over itself", 2, 0, 6, "cdefghghij"},
        {"negative 7: one word, then three bytes", 8, 10, -7, "abcbcdefgh"},
        {"negative 4: one word", 6, 8, -4, "abcdcdefij"},
        {"nothing", 0, 4, 0, "abcdefghij"},
    };
    for (const Case& c : cases) {
        alignas(4) char buffer[11] = "abcdefghij";
        TxMoveBytes(buffer + c.from, buffer + c.to, c.length);
        EXPECT_STREQ(c.result, buffer) << c.name;
    }
}
