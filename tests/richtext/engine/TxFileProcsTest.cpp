// The default file procedures on a real file, and the text encoding helpers.
#include "TxTestSupport.h"

#include "richtext/engine/TxFileProcs.h"

#include <cstring>
#include <vector>

TEST_F(TxMemTest, FileProceduresOnARealFile)
{
    TxTempFile file;
    TxFileHandle h = file.handle();
    TxRef fileRef = TxNewRef(&g, int16_t(sizeof(TxFileHandle)), 1, 0, false);
    *static_cast<TxFileHandle*>(TxRecordPtr(fileRef, 0, true)) = h;
    TxUnlockRef(fileRef);

    int32_t position = 0;
    char text[] = "hello, engine";
    EXPECT_EQ(0, TxFileWriteProc(text, kTxFileTransfer, &position, 13, fileRef));
    EXPECT_EQ(13, position);
    TxRef bytes = PatternRef(g, 7);
    EXPECT_EQ(0, TxHandleWriteProc(bytes, kTxFileTransferRef, &position, 7, h));
    EXPECT_EQ(20, position);

    int32_t end = 0;
    EXPECT_EQ(0, TxFileReadProc(&end, kTxFileEnd, &position, 0, fileRef));
    EXPECT_EQ(20, end);
    TxFileHandle reported = 0;
    EXPECT_EQ(0, TxFileReadProc(&reported, kTxFileGetHandle, &position, 0, fileRef));
    EXPECT_EQ(h, reported);

    // Verb 3 only seeks, beyond the end too, and moves nothing.
    int32_t beyond = 500;
    EXPECT_EQ(0, TxHandleReadProc(nullptr, kTxFileSeekOnly, &beyond, 0, h));
    EXPECT_EQ(500, beyond);

    // Verb 1 sizes the reference to the count.
    TxRef into = TxNewRef(&g, 1, 0, 0, false);
    position = 0;
    EXPECT_EQ(0, TxFileReadProc(into, kTxFileTransferRef, &position, 10, fileRef));
    EXPECT_EQ(10, TxRecordCount(into));
    EXPECT_EQ(10, position);
    EXPECT_EQ(0, std::memcmp(TxLockRef(into), "hello, eng", 10));
    TxUnlockRef(into);
    char buffer[8] = {};
    EXPECT_EQ(0, TxHandleReadProc(buffer, kTxFileTransfer, &position, 3, h));
    EXPECT_EQ(0, std::memcmp(buffer, "ine", 3));

    // A short read, or one at the end, fails and leaves the position.
    position = 15;
    EXPECT_EQ(kTxFileFailed, TxHandleReadProc(buffer, kTxFileTransfer, &position, 8, h));
    EXPECT_EQ(15, position);
    position = 20;
    EXPECT_EQ(kTxFileFailed, TxFileReadProc(into, kTxFileTransferRef, &position, 4, fileRef));

    // Verb 4 truncates at the position.
    position = 5;
    EXPECT_EQ(0, TxFileWriteProc(nullptr, kTxFileTruncate, &position, 0, fileRef));
    EXPECT_EQ(0, TxHandleWriteProc(&end, kTxFileEnd, &position, 0, h));
    EXPECT_EQ(5, end);

    // A seek before the start fails.
    position = -1;
    EXPECT_EQ(kTxFileFailed, TxHandleReadProc(buffer, kTxFileTransfer, &position, 1, h));
    EXPECT_EQ(kTxFileFailed, TxHandleWriteProc(buffer, kTxFileTransfer, &position, 1, h));
}

TEST(TxTextEncoding, WideFromBytes)
{
    struct Case
    {
        const char* name;
        std::vector<uint8_t> bytes;
        bool destination;
        int32_t result;
        std::vector<uint16_t> units;
    } cases[] = {
        {"plain bytes are widened", {'a', 'b', 'c'}, true, 3, {'a', 'b', 'c'}},
        {"a little-endian mark: copied unchanged", {0xFF, 0xFE, 'A', 0}, true, 2, {0xFEFF, 'A'}},
        {"a big-endian mark: copied unchanged", {0xFE, 0xFF, 0, 'A'}, true, 2, {0xFFFE, 'A' << 8}},
        {"odd length with a mark is plain bytes", {0xFF, 0xFE, 'A'}, true, 3, {0xFF, 0xFE, 'A'}},
        {"no destination, no mark", {'a', 'b'}, false, 0, {}},
        {"no destination, a mark", {0xFF, 0xFE, 'A', 0}, false, 2, {}},
    };
    for (const Case& c : cases) {
        uint16_t out[8] = {};
        EXPECT_EQ(c.result,
                  TxWideFromBytes(c.bytes.data(), c.destination ? out : nullptr, int32_t(c.bytes.size())))
            << c.name;
        for (size_t i = 0; i < c.units.size(); ++i)
            EXPECT_EQ(c.units[i], out[i]) << c.name << " " << i;
    }
    // In place.
    uint16_t shared[4];
    std::memcpy(shared, "xyz", 3);
    EXPECT_EQ(3, TxWideFromBytes(shared, shared, 3));
    EXPECT_EQ('x', shared[0]);
    EXPECT_EQ('z', shared[2]);
}

TEST(TxTextEncoding, NormaliseAndNarrowWideText)
{
    struct Case
    {
        const char* name;
        std::vector<uint16_t> in;
        bool swap;
        int32_t count;
        std::vector<uint16_t> out;
    } cases[] = {
        {"only a mark", {0xFEFF}, false, 0, {0}},
        {"0xFEFF is removed and the rest swapped", {0xFEFF, 0x4100, 0x4200}, false, 2, {0x41, 0x42, 0}},
        {"0xFFFE is removed, nothing swapped", {0xFFFE, 0x41, 0x42}, false, 2, {0x41, 0x42, 0}},
        {"swap asked without a mark", {0x4100}, true, 1, {0x41}},
        {"nothing to do", {0x41, 0x42}, false, 2, {0x41, 0x42}},
    };
    for (Case c : cases) {
        EXPECT_EQ(c.count, TxNormaliseWide(c.in.data(), int32_t(c.in.size()), c.swap)) << c.name;
        EXPECT_EQ(c.out, c.in) << c.name;
    }
    uint16_t none[1] = {0xFEFF};
    EXPECT_EQ(0, TxNormaliseWide(none, 0, true));

    uint8_t bytes[4] = {};
    const uint16_t bigMarked[] = {0xFEFF, 0x4100, 0x4200};
    EXPECT_EQ(2, TxBytesFromWide(bigMarked, bytes, 3));
    EXPECT_EQ(0, std::memcmp(bytes, "AB", 2));
    const uint16_t plain[] = {0x141, 0x42};
    EXPECT_EQ(2, TxBytesFromWide(plain, bytes, 2));
    EXPECT_EQ(0, std::memcmp(bytes, "AB", 2));
}

TEST_F(TxMemTest, CharacterStringsAndByteCounts)
{
    uint8_t s[3] = {};
    TxMakeCharString(s, 0xB6);
    EXPECT_EQ(1, TxStringLength(s));
    EXPECT_EQ(0xB6, TxCharOfString(s));
    const uint8_t wide[3] = {2, 0x82, 0xA0};
    EXPECT_EQ(0x82A0, TxCharOfString(wide));

    TxRef text = TxNewRef(&g, 1, 6, 0, false);
    std::memcpy(TxLockRef(text), "a\rb\r\rc", 6);
    TxUnlockRef(text);
    EXPECT_EQ(3, TxCountByte(text, '\r'));
    EXPECT_EQ(0, TxCountByte(text, 'z'));
}
