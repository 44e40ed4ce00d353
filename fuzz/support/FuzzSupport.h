// Shared by the fuzz targets: what a clean error is, archives over the input
// and scratch files for readers that need a real file.
//
// A reader meets hostile bytes cleanly when it returns or raises one of the
// class library's archive, file, memory or not-supported exceptions, or the
// parser runtime's TPException (a damaged table or text).  Any
// other CException is a finding: FuzzStep reports its class and aborts.  A
// C++ exception of any other type leaves the target and ends the run as an
// uncaught exception, a finding too.
#pragma once

#include "classlib/Archive.h"
#include "classlib/Exceptions.h"
#include "classlib/MemFile.h"
#include "database/parser/TPException.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

inline bool IsCleanError(CException* e)
{
    return e->IsKindOf(RUNTIME_CLASS(CArchiveException)) || e->IsKindOf(RUNTIME_CLASS(CFileException)) ||
           e->IsKindOf(RUNTIME_CLASS(CMemoryException)) || e->IsKindOf(RUNTIME_CLASS(CNotSupportedException)) ||
           e->IsKindOf(RUNTIME_CLASS(TPException));
}

// Runs f; TRUE when it completed, FALSE after a clean error (deleted).
template <class F> bool FuzzStep(F f)
{
    try
    {
        f();
        return true;
    }
    catch (CException* e)
    {
        if (!IsCleanError(e))
        {
            std::fprintf(stderr, "finding: foreign exception %s\n", e->GetRuntimeClass()->m_lpszClassName);
            std::abort();
        }
        e->Delete();
        return false;
    }
}

// Ends the run as a finding (a loop that would never stop, a broken promise).
[[noreturn]] inline void FuzzFinding(const char* what)
{
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}

// Runs load over a loading archive on exactly these bytes, as one step.
template <class F> bool FuzzLoad(const uint8_t* data, size_t size, F load)
{
    std::vector<BYTE> copy(data, data + size);
    copy.push_back(0); // an attached memory file needs a block
    return FuzzStep([&] {
        CMemFile file(copy.data(), static_cast<UINT>(size));
        CArchive ar(&file, CArchive::load);
        load(ar);
    });
}

// A scratch file of this process (fuzzing runs many processes at once).
inline std::string FuzzScratchPath(const char* tag)
{
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/lorvane-fuzz-" + tag + "-" + std::to_string(getpid()) + ".tmp";
}

inline void FuzzWriteFile(const std::string& path, const uint8_t* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (size && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
        FuzzFinding("cannot write the scratch file");
}
