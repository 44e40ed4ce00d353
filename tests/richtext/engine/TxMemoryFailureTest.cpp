// Every operation of the engine base when no memory can be had: it completes or raises 256, and a
// raise leaves the byte total (reserve block aside) and the references as they were. A failed
// growth spends the reserve block and asks for a purge before it gives up.
#include "TxTestSupport.h"
#include "support/FailingAllocations.h"

#include "richtext/engine/TxDocument.h"
#include "richtext/engine/TxGlobals.h"
#include "richtext/engine/TxHeap.h"
#include "richtext/engine/TxShape.h"

#include <cstring>
#include <functional>
#include <vector>

namespace {
// Makes what an operation needs (with memory) and answers the operation itself.
using Action = std::function<void()>;
struct Operation
{
    const char* name;
    std::function<Action(TxMemGlobals&, TxRef)> prepare; // given a 300-byte pattern reference
};

const TxRect kA = {0, 0, 10, 10};
const TxRect kB = {5, 5, 15, 15};

const Operation kOperations[] = {
    {"new reference",
     [](TxMemGlobals& g, TxRef) -> Action { return [&g] { TxNewRef(&g, 8, 10, 4, false); }; }},
    {"new zeroed reference with an id",
     [](TxMemGlobals& g, TxRef) -> Action { return [&g] { TxNewZeroRefWithId(&g, 8, 10, 4, 3); }; }},
    {"duplicate", [](TxMemGlobals&, TxRef r) -> Action { return [r] { TxDuplicateRef(r); }; }},
    {"grow", [](TxMemGlobals&, TxRef r) -> Action { return [r] { TxSetRecordCount(r, 5000); }; }},
    {"insert", [](TxMemGlobals&, TxRef r) -> Action { return [r] { TxInsertRecords(r, 10, 5000); }; }},
    {"append", [](TxMemGlobals&, TxRef r) -> Action { return [r] { TxAppendRecords(r, 5000, true); }; }},
    {"copy into a smaller reference",
     [](TxMemGlobals& g, TxRef r) -> Action {
         TxRef small = TxNewRef(&g, 4, 2, 0, false);
         return [r, small] { TxCopyRefContents(r, small); };
     }},
    {"plain block made a reference",
     [](TxMemGlobals& g, TxRef r) -> Action {
         void* plain = TxRefToHandle(TxDuplicateRef(r));
         return [&g, plain] {
             try {
                 TxHandleToRef(&g, plain, 1);
             } catch (const TxEngineError&) {
                 TxHeapFree(plain);
                 throw;
             }
         };
     }},
    {"new shape", [](TxMemGlobals& g, TxRef) -> Action { return [&g] { TxNewShape(&g, &kA); }; }},
    {"union of a shape and a rectangle",
     [](TxMemGlobals& g, TxRef) -> Action {
         TxShape s = TxNewShape(&g, &kA);
         return [s] { TxUnionRectShape(s, kB); };
     }},
    {"difference of shapes",
     [](TxMemGlobals& g, TxRef) -> Action {
         TxShape a = TxNewShape(&g, &kA);
         TxShape b = TxNewShape(&g, &kB);
         TxShape result = TxNewShape(&g, nullptr);
         return [a, b, result] { TxDiffShape(a, b, result); };
     }},
};

TxErr RunFailing(TxMemGlobals& g, const Action& f)
{
    AllocationFailure failing;
    return TxCatchAtEntry(&g, [&f] { f(); });
}
} // namespace

TEST_F(TxMemTest, EveryOperationCompletesOrRaises256LeavingMemoryAsItWas)
{
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        TxMemShutdown(&g);
        TxMemInit(&g, 0);
        TxRef pattern = PatternRef(g, 300);
        Action action = op.prepare(g, pattern);
        int32_t held = HeldBytes();
        int32_t refs = TxCountRefs(&g, 0);
        TxErr e = RunFailing(g, action);
        EXPECT_TRUE(e == 0 || e == kTxOutOfMemory) << e;
        if (e) {
            EXPECT_EQ(held, HeldBytes());
            EXPECT_EQ(refs, TxCountRefs(&g, 0));
            EXPECT_TRUE(HoldsPattern(pattern, 300));
        }
        EXPECT_EQ(nullptr, g.topFrame);
    }
}

TEST_F(TxMemTest, AFailedGrowthSpendsTheReservePurgesThenRaisesKeepingTheBlock)
{
    struct Call
    {
        bool reserveHeld;
        int32_t wanted;
        TxRef spare;
    };
    static std::vector<Call> calls;
    calls.clear();
    calls.reserve(8); // the hook runs while allocations fail
    g.freeMemoryHook = [](TxMemGlobals* mg, TxRef spare, int32_t wanted) {
        calls.push_back({TxReserveHeld(mg), wanted, spare});
        return 0;
    };
    TxRef ref = PatternRef(g, 300);
    TxLockRef(ref);
    TxBlockHeader before = *TxHeaderOf(ref);
    void* block = *ref;
    TxErr e = RunFailing(g, [ref] { TxSetRecordCount(ref, 1300); });
    EXPECT_EQ(kTxOutOfMemory, e);
    EXPECT_EQ(kTxOutOfMemory, g.lastError);
    ASSERT_EQ(1u, calls.size());
    EXPECT_FALSE(calls[0].reserveHeld);
    EXPECT_EQ(g.purgeSlack + 1000, calls[0].wanted);
    EXPECT_EQ(ref, calls[0].spare);
    EXPECT_EQ(block, *ref);
    EXPECT_EQ(0, std::memcmp(&before, TxHeaderOf(ref), sizeof before));
    EXPECT_TRUE(HoldsPattern(ref, 300));
    // The next allocation that succeeds renews the reserve.
    TxNewRef(&g, 1, 1, 0, false);
    EXPECT_TRUE(TxReserveHeld(&g));
}

TEST_F(TxMemTest, EngineStartupWithoutMemoryRaises256AndReleasesWhatItMade)
{
    TxGlobals globals;
    int32_t held = HeldBytes();
    TxGlobals* gp = &globals;
    TxMemGlobals* mp = &g;
    TxErr e = RunFailing(g, [gp, mp] { TxEngineStartup(gp, mp); });
    EXPECT_EQ(kTxOutOfMemory, e);
    TxEngineShutdown(&globals);
    EXPECT_EQ(0, platform.openDevices);
    // Only the manager's own blocks are left.
    TxDisposeMemoryId(&g, 0);
    EXPECT_EQ(held, HeldBytes());
}

// Creation runs out of memory at every step in turn: it gives null, with 256 as the last error,
// and leaves the references and bytes (reserve block aside) as they were.
TEST_F(TxMemTest, ADocumentThatCannotBeBuiltIsNullAndLeavesNothing)
{
    TxGlobals globals;
    TxEngineStartup(&globals, &g);
    const int32_t refs = TxCountRefs(&g, 0);
    const int32_t bytes = HeldBytes();
    int32_t failures = 0;
    TxRef made = nullptr;
    for (long allowed = 0; !made; ++allowed) {
        {
            AllocationFailureAfter failing(allowed);
            made = TxNewDefaultDocument(&globals);
        }
        if (made)
            break;
        ++failures;
        EXPECT_EQ(kTxOutOfMemory, g.lastError) << allowed;
        EXPECT_EQ(refs, TxCountRefs(&g, 0)) << allowed;
        EXPECT_EQ(bytes, HeldBytes()) << allowed;
        ASSERT_GT(500, allowed);
    }
    EXPECT_LT(20, failures); // every reference of the document was reached
    TxDisposeDocument(made);
    EXPECT_EQ(refs, TxCountRefs(&g, 0));
    TxEngineShutdown(&globals);
}
