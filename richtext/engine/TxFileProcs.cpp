#include "richtext/engine/TxFileProcs.h"

#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxFileIo.h"

#include <cstring>

namespace {
TxFileHandle HandleOf(TxRef fileRef)
{
    TxFileHandle file = 0;
    TxGetRecord(fileRef, 0, &file);
    return file;
}

// Verbs 5 and 2, common to reading and writing; false when the verb is another.
bool Query(void* data, int16_t verb, TxFileHandle file, TxErr& result)
{
    if (verb == kTxFileGetHandle) {
        *static_cast<TxFileHandle*>(data) = file;
        result = 0;
        return true;
    }
    if (verb == kTxFileEnd) {
        int32_t end = TxFileSeekEnd(file);
        if (end >= 0)
            *static_cast<int32_t*>(data) = end;
        result = end < 0 ? TxErr(kTxFileFailed) : TxErr(0);
        return true;
    }
    return false;
}

TxErr Read(void* destination, int16_t verb, int32_t* position, int32_t count, TxFileHandle file)
{
    TxErr result;
    if (Query(destination, verb, file, result))
        return result;
    if (!TxFileSeek(file, *position))
        return kTxFileFailed;
    if (verb == kTxFileSeekOnly)
        return 0;
    if (verb != kTxFileTransferRef) {
        if (count < 0 || TxFileRead(file, destination, count) != count || count == 0)
            return kTxFileFailed;
        *position += count;
        return 0;
    }
    auto ref = static_cast<TxRef>(destination);
    TxMemGlobals* g = TxRefMemGlobals(ref);
    bool done = false;
    TxErr sized = TxCatchAtEntry(g, [&] {
        TxSetRecordCount(ref, count);
        TxLock lock(ref);
        done = TxFileRead(file, lock.Records(), count) == count && count > 0;
    });
    if (sized)
        return sized;
    if (!done)
        return kTxFileFailed;
    *position += count;
    return 0;
}

TxErr Write(void* source, int16_t verb, int32_t* position, int32_t count, TxFileHandle file)
{
    TxErr result;
    if (Query(source, verb, file, result))
        return result;
    if (!TxFileSeek(file, *position))
        return kTxFileFailed;
    if (verb == kTxFileSeekOnly)
        return 0;
    if (verb == kTxFileTruncate)
        return TxFileTruncate(file) ? 0 : kTxFileFailed;
    if (verb != kTxFileTransferRef) {
        if (count < 0 || TxFileWrite(file, source, count) != count)
            return kTxFileFailed;
        *position += count;
        return 0;
    }
    auto ref = static_cast<TxRef>(source);
    bool done = false;
    TxErr loaded = TxCatchAtEntry(TxRefMemGlobals(ref), [&] {
        TxLock lock(ref);
        done = count >= 0 && count <= TxByteSize(ref) && TxFileWrite(file, lock.Records(), count) == count;
    });
    if (loaded)
        return loaded;
    if (!done)
        return kTxFileFailed;
    *position += count;
    return 0;
}

uint16_t FirstUnit(const void* p)
{
    uint16_t u;
    std::memcpy(&u, p, 2);
    return u;
}

bool IsMark(uint16_t u)
{
    return u == 0xFEFF || u == 0xFFFE;
}
} // namespace

TxErr TxFileReadProc(void* destination, int16_t verb, int32_t* position, int32_t count, TxRef fileRef)
{
    return Read(destination, verb, position, count, HandleOf(fileRef));
}

TxErr TxFileWriteProc(void* source, int16_t verb, int32_t* position, int32_t count, TxRef fileRef)
{
    return Write(source, verb, position, count, HandleOf(fileRef));
}

TxErr TxHandleReadProc(void* destination, int16_t verb, int32_t* position, int32_t count, TxFileHandle file)
{
    return Read(destination, verb, position, count, file);
}

TxErr TxHandleWriteProc(void* source, int16_t verb, int32_t* position, int32_t count, TxFileHandle file)
{
    return Write(source, verb, position, count, file);
}

int32_t TxWideFromBytes(const void* source, uint16_t* destination, int32_t length)
{
    if (length <= 0)
        return 0;
    if (length % 2 == 0 && IsMark(FirstUnit(source))) {
        if (destination)
            std::memmove(destination, source, size_t(length));
        return length / 2;
    }
    if (!destination)
        return 0;
    auto* bytes = static_cast<const uint8_t*>(source);
    // From the end, so that the destination may be the source.
    for (int32_t i = length - 1; i >= 0; --i) {
        uint16_t unit = bytes[i];
        std::memcpy(reinterpret_cast<uint8_t*>(destination) + 2 * size_t(i), &unit, 2);
    }
    return length;
}

int32_t TxBytesFromWide(const uint16_t* source, uint8_t* destination, int32_t count)
{
    if (count <= 0)
        return 0;
    int32_t i = 0;
    bool high = false;
    if (IsMark(source[0])) {
        high = source[0] == 0xFEFF;
        i = 1;
    }
    int32_t n = 0;
    for (; i < count; ++i)
        destination[n++] = uint8_t(high ? source[i] >> 8 : source[i] & 0xFF);
    return n;
}

int32_t TxNormaliseWide(uint16_t* text, int32_t count, bool swap)
{
    if (count <= 0)
        return count;
    if (IsMark(text[0])) {
        if (text[0] == 0xFEFF)
            swap = true;
        std::memmove(text, text + 1, size_t(count - 1) * 2);
        text[count - 1] = 0;
        --count;
    }
    if (swap)
        for (int32_t i = 0; i < count; ++i)
            text[i] = uint16_t((text[i] << 8) | (text[i] >> 8));
    return count;
}

void TxMakeCharString(uint8_t* string, uint8_t character)
{
    string[0] = 1;
    string[1] = character;
}

uint16_t TxCharOfString(const uint8_t* string)
{
    if (string[0] >= 2)
        return uint16_t(string[1] << 8 | string[2]);
    return string[1];
}

uint8_t TxStringLength(const uint8_t* string)
{
    return string[0];
}

int32_t TxCountByte(TxRef text, uint8_t byte)
{
    TxLock lock(text);
    const uint8_t* p = lock.Records<uint8_t>();
    int32_t n = 0;
    for (int32_t i = 0, size = TxByteSize(text); i < size; ++i)
        n += p[i] == byte;
    return n;
}
