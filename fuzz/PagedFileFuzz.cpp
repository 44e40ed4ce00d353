// A paged file opened from bytes and every page read through the page
// cache. Byte 0: bit 0 compressed mode, bit 1 opened read-write (then the
// buffers are flushed); the rest is the file.
#include "FuzzSupport.h"
#include "FuzzTreeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static const std::string path = FuzzScratchPath("paged");
    FuzzWriteFile(path, data + 1, size - 1);
    const bool readWrite = (data[0] & 2) != 0;
    FuzzTreeFile file;
    file.SetCompressed(data[0] & 1);
    file.SetPathName(path.c_str());
    bool open = false;
    FuzzStep([&] {
        CFileException error;
        open = file.OpenFile(readWrite ? CFile::modeReadWrite | CFile::shareExclusive
                                       : CFile::modeRead | CFile::shareDenyWrite,
                             &error);
    });
    if (!open)
        return 0;
    const DWORD stride = file.GetPageStride();
    for (DWORD offset = BTPagedFile::headerAreaSize; offset < file.GetFileEnd(); offset += stride)
        FuzzStep([&] { BTPageRef page(file.ReadPage(offset, nullptr)); });
    if (readWrite)
        FuzzStep([&] { file.FlushBuffers(); });
    if (!FuzzStep([&] { file.Close(); }) && file.IsOpen())
        file.Abort();
    return 0;
}
