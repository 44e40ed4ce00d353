// File primitives over a file descriptor (native build).
#ifndef _WIN32
#include "richtext/engine/TxFileIo.h"

#include <unistd.h>

namespace {
int Fd(TxFileHandle file)
{
    return int(file);
}
} // namespace

bool TxFileSeek(TxFileHandle file, int32_t position)
{
    return position >= 0 && ::lseek(Fd(file), position, SEEK_SET) == off_t(position);
}

int32_t TxFileRead(TxFileHandle file, void* buffer, int32_t count)
{
    ssize_t n = ::read(Fd(file), buffer, size_t(count));
    return n < 0 ? -1 : int32_t(n);
}

int32_t TxFileWrite(TxFileHandle file, const void* buffer, int32_t count)
{
    ssize_t n = ::write(Fd(file), buffer, size_t(count));
    return n < 0 ? -1 : int32_t(n);
}

int32_t TxFileSeekEnd(TxFileHandle file)
{
    off_t end = ::lseek(Fd(file), 0, SEEK_END);
    return end < 0 || end > 0x7FFFFFFF ? -1 : int32_t(end);
}

bool TxFileTruncate(TxFileHandle file)
{
    off_t here = ::lseek(Fd(file), 0, SEEK_CUR);
    return here >= 0 && ::ftruncate(Fd(file), here) == 0;
}
#endif
