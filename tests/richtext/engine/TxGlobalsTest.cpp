// Engine start-up and shut-down: every hook slot filled, the key handler table in its order, the
// measure cache empty, the device values, and nothing left behind.
#include "TxTestSupport.h"

#include "richtext/engine/TxGlobals.h"
#include "richtext/engine/TxHeap.h"

#include <vector>

namespace {
class TxEngineTest : public TxMemTest
{
protected:
    void SetUp() override
    {
        TxMemTest::SetUp();
        TxEngineStartup(&globals, &g);
    }
    void TearDown() override
    {
        TxEngineShutdown(&globals);
        TxMemTest::TearDown();
    }
    TxGlobals globals;
};
} // namespace

TEST_F(TxEngineTest, StartupFillsEveryHookSlotAndTheKeyTable)
{
    for (TxHook h : globals.docHooks.slot)
        EXPECT_NE(nullptr, h);
    for (TxHook h : globals.styleHooks)
        EXPECT_NE(nullptr, h);
    for (TxHook h : globals.parHooks)
        EXPECT_NE(nullptr, h);
    EXPECT_EQ(&g, globals.memGlobals);
    EXPECT_EQ(TxReleaseDocumentMemory, g.freeMemoryHook);

    std::vector<int16_t> keys;
    TxLock lock(globals.keyHandlers);
    for (int32_t i = 0; i < TxRecordCount(globals.keyHandlers); ++i) {
        const TxKeyHandlerEntry& e = lock.Records<TxKeyHandlerEntry>()[i];
        keys.push_back(e.key);
        EXPECT_EQ(3, e.flags);
        EXPECT_EQ(TxFileReadProc, e.fileRead);
        EXPECT_EQ(TxFileWriteProc, e.fileWrite);
    }
    const std::vector<int16_t> expected = {0,  1,  2,  4,  5,  6,  7,  8,  9,  10, 11, 12,  13,
                                           14, 15, 16, 17, 18, 19, 21, 22, 23, 25, 26, 296, 297};
    EXPECT_EQ(expected, keys);
}

TEST_F(TxEngineTest, ARebuiltKeyTableHoldsTheSameEntriesOnce)
{
    TxRef table = globals.keyHandlers;
    TxResetFileHandlers(&globals);
    EXPECT_EQ(table, globals.keyHandlers);
    EXPECT_EQ(26, TxRecordCount(table));
}

TEST_F(TxEngineTest, TheMeasureCacheStartsEmpty)
{
    for (int i = 0; i < kTxMeasureCacheEntries; ++i) {
        const TxMeasureCacheEntry& e = globals.measureCache[i];
        EXPECT_EQ(-1, e.firstOffset) << i;
        EXPECT_EQ(0, e.documentNumber) << i;
        EXPECT_EQ(0, e.useCount) << i;
        if (i < kTxGeneralMeasureEntries) {
            ASSERT_NE(nullptr, e.positions);
            EXPECT_EQ(4, TxRecordSize(e.positions));
            EXPECT_EQ(2, TxRecordSize(e.charTypes));
            EXPECT_EQ(224, TxGetPurgeLevel(e.positions) & 0xFF);
            EXPECT_EQ(0, TxRecordCount(e.charTypes));
        }
    }
}

TEST_F(TxEngineTest, DeviceValuesAndDefaultHooks)
{
    EXPECT_EQ(4096, globals.blockLimit);
    EXPECT_EQ(16, globals.narrowestLine);
    EXPECT_EQ(13, globals.charCodes[kTxParagraphBreak]);
    EXPECT_EQ(9, globals.charCodes[kTxTab]);
    EXPECT_EQ(0xB6, TxCharOfString(globals.markStrings[2]));
    EXPECT_EQ(TxFixedPlatform::kScreenDevice, globals.screenDevice);
    EXPECT_EQ(5 * TxFixedPlatform::kPixelsPerInch / 72, globals.bulletSize);
    EXPECT_TRUE(TxIsDefaultColor(&globals, {0xFFFF, 0xFFFF, 0xFFFF}));

    int32_t run[2] = {10, 7};
    EXPECT_EQ(7, globals.docHooks.slot[kTxRunLengthProc](nullptr, 0, run));
    platform.inputWaiting = true;
    EXPECT_EQ(1, globals.docHooks.slot[kTxTypeAheadProc](nullptr, 0, nullptr));
    platform.inputWaiting = false;
    EXPECT_EQ(0, globals.docHooks.slot[kTxTypeAheadProc](nullptr, 0, nullptr));

    struct
    {
        uint16_t language;
        int32_t direction;
    } languages[] = {{0x0409, 1}, {0x0401, -1}, {0x040D, -1}, {0x0C01, -1}, {0x0407, 1}};
    for (auto& l : languages) {
        platform.language = l.language;
        EXPECT_EQ(l.direction, TxSystemDirection(&globals)) << l.language;
    }
}

TEST_F(TxMemTest, ShutdownsLeaveNothingBehind)
{
    long blocks = TxHeapLiveBlocks();
    TxGlobals globals;
    TxEngineStartup(&globals, &g);
    EXPECT_EQ(1, platform.openDevices);
    TxEngineShutdown(&globals);
    EXPECT_EQ(0, platform.openDevices);
    // Left for the memory manager: the measure cache and the key handler table.
    EXPECT_EQ(2 * kTxGeneralMeasureEntries + 1, TxCountRefs(&g, 0));
    TxMemShutdown(&g);
    EXPECT_EQ(blocks - 2, TxHeapLiveBlocks()); // the master and reserve blocks went too
    TxMemInit(&g, 0);
}
