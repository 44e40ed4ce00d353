// Shared fixtures of the text engine's tests: an initialised memory manager over the deterministic
// platform, and a scratch file the engine reaches through its own file handle type.
#pragma once

#include <gtest/gtest.h>

#include "richtext/engine/TxFailFrame.h"
#include "richtext/engine/TxFixedPlatform.h"
#include "richtext/engine/TxMemory.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

class TxMemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TxSetPlatform(&platform);
        TxMemInit(&g, 0);
    }
    void TearDown() override
    {
        TxMemShutdown(&g);
        TxSetPlatform(nullptr);
    }

    // Bytes of the blocks other than the reserve block.
    int32_t HeldBytes() const { return g.byteTotal - (TxReserveHeld(&g) ? kTxReserveBytes : 0); }

    TxFixedPlatform platform;
    TxMemGlobals g{};
};

// A new empty file, read-write, deleted when it goes.
class TxTempFile
{
public:
    TxTempFile()
    {
#ifdef _WIN32
        char dir[MAX_PATH], name[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        ::GetTempFileNameA(dir, "tx", 0, name);
        path_ = name;
        handle_ = reinterpret_cast<TxFileHandle>(::CreateFileA(
            name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
#else
        char name[] = "/tmp/txfileXXXXXX";
        handle_ = ::mkstemp(name);
        path_ = name;
#endif
    }
    ~TxTempFile()
    {
#ifdef _WIN32
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
        ::DeleteFileA(path_.c_str());
#else
        ::close(int(handle_));
        ::unlink(path_.c_str());
#endif
    }
    TxTempFile(const TxTempFile&) = delete;
    TxTempFile& operator=(const TxTempFile&) = delete;

    TxFileHandle handle() const
    {
        return handle_;
    }

private:
    TxFileHandle handle_;
    std::string path_;
};

// Runs f and answers the engine code it raised, 0 when it completed.
template <class F> TxErr RaisedBy(TxMemGlobals& g, F f)
{
    return TxCatchAtEntry(&g, f);
}

// A new reference of one-byte records holding the bytes 0, 1, 2, ... (mod 251).
inline TxRef PatternRef(TxMemGlobals& g, int32_t count)
{
    TxRef ref = TxNewRef(&g, 1, count, 0, false);
    TxLock lock(ref);
    for (int32_t i = 0; i < count; ++i)
        lock.Records<uint8_t>()[i] = uint8_t(i % 251);
    return ref;
}

inline bool HoldsPattern(TxRef ref, int32_t count)
{
    if (TxRecordCount(ref) != count)
        return false;
    TxLock lock(ref);
    for (int32_t i = 0; i < count; ++i)
        if (lock.Records<uint8_t>()[i] != uint8_t(i % 251))
            return false;
    return true;
}
