// File primitives over a Windows file handle.
#include "richtext/engine/TxFileIo.h"

#include <windows.h>

namespace {
HANDLE Handle(TxFileHandle file)
{
    return reinterpret_cast<HANDLE>(file);
}
} // namespace

bool TxFileSeek(TxFileHandle file, int32_t position)
{
    return position >= 0 && ::SetFilePointer(Handle(file), position, nullptr, FILE_BEGIN) == DWORD(position);
}

int32_t TxFileRead(TxFileHandle file, void* buffer, int32_t count)
{
    DWORD n = 0;
    if (!::ReadFile(Handle(file), buffer, DWORD(count), &n, nullptr))
        return -1;
    return int32_t(n);
}

int32_t TxFileWrite(TxFileHandle file, const void* buffer, int32_t count)
{
    DWORD n = 0;
    if (!::WriteFile(Handle(file), buffer, DWORD(count), &n, nullptr))
        return -1;
    return int32_t(n);
}

int32_t TxFileSeekEnd(TxFileHandle file)
{
    DWORD end = ::SetFilePointer(Handle(file), 0, nullptr, FILE_END);
    return end == INVALID_SET_FILE_POINTER || end > 0x7FFFFFFF ? -1 : int32_t(end);
}

bool TxFileTruncate(TxFileHandle file)
{
    return ::SetEndOfFile(Handle(file)) != 0;
}
