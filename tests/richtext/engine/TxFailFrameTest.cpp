// Exception frames: codes and information travel outward unchanged, frames come off the stack as
// they are unwound, and a throw or pop without a frame reaches the fatal procedure and still ends
// the operation.
#include "TxTestSupport.h"

#include <vector>

namespace {
int Depth(const TxMemGlobals& g)
{
    int n = 0;
    for (TxFailFrame* f = g.topFrame; f; f = f->link)
        ++n;
    return n;
}

struct FatalRecord
{
    static std::vector<uint32_t>& Codes()
    {
        static std::vector<uint32_t> codes;
        return codes;
    }
    static void Proc(uint32_t code, uintptr_t) { Codes().push_back(code); }
    static void NoFrame(TxMemGlobals* g) { Codes().push_back(0x10000 + g->signature); }
};
} // namespace

TEST_F(TxMemTest, NestedFramesPassTheInnermostCodeAndInformationOutward)
{
    int marker = 0;
    for (TxErr code : {TxErr(256), TxErr(776), TxErr(0xFFFF), TxErr(1027)}) {
        SCOPED_TRACE(code);
        std::vector<TxErr> seen;
        std::vector<int> depths;
        TxErr outer = TxCatchAtEntry(&g, [&] {
            TxFrame middle(&g);
            try {
                TxFrame inner(&g);
                depths.push_back(Depth(g));
                TxThrow(&g, code, &marker);
            } catch (const TxEngineError&) {
                seen.push_back(g.lastError);
                EXPECT_EQ(&marker, g.errorInfo);
                depths.push_back(Depth(g));
                TxRethrow(&g);
            }
        });
        EXPECT_EQ(code, outer);
        EXPECT_EQ(code, g.lastError);
        EXPECT_EQ(&marker, g.errorInfo);
        EXPECT_EQ((std::vector<TxErr>{code}), seen);
        // Three frames while the innermost works; two once it was unwound; none at the end.
        EXPECT_EQ((std::vector<int>{3, 2}), depths);
        EXPECT_EQ(0, Depth(g));
    }
}

TEST_F(TxMemTest, AFrameLeftByAnotherExceptionComesOffTheStack)
{
    try {
        TxFrame frame(&g);
        throw 7;
    } catch (int) {
    }
    EXPECT_EQ(0, Depth(g));
    // A push clears the last error.
    g.lastError = 256;
    TxFailFrame f;
    TxTryPush(&g, &f);
    EXPECT_EQ(0, g.lastError);
    TxTryPop(&g);
}

TEST_F(TxMemTest, WithoutAFrameTheFatalProcedureRunsAndTheOperationStillEnds)
{
    struct Case
    {
        const char* name;
        bool pop;          // TxTryPop, else TxThrow(256)
        bool noFrameProc;  // a no-frame procedure is installed
        bool defaultFatal; // the default fatal procedure (quit message)
        TxErr unwound;
        uint32_t recorded; // what the recording procedures saw, 0 for none
    } cases[] = {
        {"throw, fatal procedure", false, false, false, 256, kTxNoFrame},
        {"pop, fatal procedure", true, false, false, kTxNoFrame, kTxNoFrame},
        {"throw, no-frame procedure", false, true, false, 256, 0x10000 + kTxMemSignature},
        {"pop, no-frame procedure", true, true, false, kTxNoFrame, 0x10000 + kTxMemSignature},
        {"throw, default fatal procedure", false, false, true, 256, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FatalRecord::Codes().clear();
        platform.quitCode = -1;
        g.fatalProc = c.defaultFatal ? TxDefaultFatalProc : FatalRecord::Proc;
        g.noFrameProc = c.noFrameProc ? FatalRecord::NoFrame : nullptr;
        bool wentOn = false;
        TxErr caught = 0;
        try {
            if (c.pop)
                TxTryPop(&g);
            else
                TxThrow(&g, 256, nullptr);
            wentOn = true;
        } catch (const TxEngineError& e) {
            caught = e.code;
        }
        EXPECT_FALSE(wentOn);
        EXPECT_EQ(c.unwound, caught);
        if (c.recorded)
            EXPECT_EQ(std::vector<uint32_t>{c.recorded}, FatalRecord::Codes());
        else
            EXPECT_TRUE(FatalRecord::Codes().empty());
        EXPECT_EQ(c.defaultFatal ? 1 : -1, platform.quitCode);
    }
}

TEST(TxErrors, ResultsAndChangedCodes)
{
    struct
    {
        TxErr code;
        uint32_t result;
    } results[] = {{0, 0}, {776, 0xFFFF0308u}, {256, 0xFFFF0100u}, {0xFFFF, 0xFFFFFFFFu}};
    for (auto& r : results)
        EXPECT_EQ(r.result, TxErrorResult(r.code)) << r.code;

    struct
    {
        TxErr oldCode, newCode, raised;
    } changes[] = {{256, 256, 0}, {0, 256, 256}, {256, 0, 0}, {256, 776, 776}, {0, 0, 0}};
    TxMemGlobals g{};
    for (auto& c : changes) {
        TxErr raised = TxCatchAtEntry(&g, [&] { TxThrowIfChanged(&g, c.oldCode, c.newCode); });
        EXPECT_EQ(c.raised, raised) << c.oldCode << " " << c.newCode;
    }
}
