#include "app/core/DiskSpace.h"

#include "app/core/NativePath.h"
#include "app/core/PathParts.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <string>
#include <sys/statvfs.h>
#endif

namespace {

const DWORD kMaxFreeSpace = 2147483647u;

} // namespace

DWORD ClampFreeDiskSpace(DWORD sectorsPerCluster, DWORD bytesPerSector, DWORD freeClusters)
{
    const uint64_t bytesPerCluster = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector;
    // Compare before multiplying the third factor so no product can overflow 64 bits.
    if (bytesPerCluster != 0 && freeClusters > kMaxFreeSpace / bytesPerCluster)
        return kMaxFreeSpace;
    const uint64_t bytes = bytesPerCluster * freeClusters;
    return bytes > kMaxFreeSpace ? kMaxFreeSpace : static_cast<DWORD>(bytes);
}

#ifdef _WIN32

DWORD GetFreeDiskSpace(const char* path)
{
    CPathParts parts(path);
    CString root = parts.m_drive.IsEmpty() ? CString() : parts.m_drive + "\\";
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!::GetDiskFreeSpaceA(root.IsEmpty() ? nullptr : static_cast<LPCSTR>(root), &sectorsPerCluster,
                             &bytesPerSector, &freeClusters, &totalClusters))
        return kMaxFreeSpace;
    return ClampFreeDiskSpace(sectorsPerCluster, bytesPerSector, freeClusters);
}

#else

DWORD GetFreeDiskSpace(const char* path)
{
    std::string folder = NativePath::ToSystem(path);
    if (folder.empty())
        folder = ".";
    struct statvfs st;
    while (::statvfs(folder.c_str(), &st) != 0) {
        if (errno == EOVERFLOW || folder == "/" || folder == ".")
            return kMaxFreeSpace;
        const size_t slash = folder.find_last_of('/');
        folder = slash == std::string::npos ? "." : slash == 0 ? "/" : folder.substr(0, slash);
    }
    const uint64_t bytes = static_cast<uint64_t>(st.f_frsize) * static_cast<uint64_t>(st.f_bavail);
    return bytes > kMaxFreeSpace ? kMaxFreeSpace : static_cast<DWORD>(bytes);
}

#endif
