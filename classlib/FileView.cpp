#include "classlib/FileView.h"

#include "classlib/File.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>
#include <sys/mman.h>
#endif

namespace {
#ifdef _WIN32

const BYTE* MapFileBytes(const CFile& file, DWORD length)
{
    // Never more than the file holds: a larger mapping of a writable file
    // would lengthen it.
    HANDLE mapping = ::CreateFileMappingA(file.m_hFile, nullptr, PAGE_READONLY, 0, length, nullptr);
    if (!mapping)
        return nullptr;
    void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, length);
    // The view keeps the mapping alive on its own.
    ::CloseHandle(mapping);
    return static_cast<const BYTE*>(view);
}

void UnmapFileBytes(const BYTE* data, DWORD)
{
    ::UnmapViewOfFile(data);
}

#else

const BYTE* MapFileBytes(const CFile& file, DWORD length)
{
    const int fd = int(reinterpret_cast<intptr_t>(file.m_hFile));
    void* view = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, fd, 0);
    return view == MAP_FAILED ? nullptr : static_cast<const BYTE*>(view);
}

void UnmapFileBytes(const BYTE* data, DWORD length)
{
    ::munmap(const_cast<BYTE*>(data), length);
}

#endif
} // namespace

CFileView::CFileView() : m_pData(nullptr), m_length(0) {}

CFileView::~CFileView()
{
    Unmap();
}

BOOL CFileView::Map(const CFile& file, DWORD length)
{
    Unmap();
    if (length == 0 || !file.IsOpenHandle())
        return FALSE;
    m_pData = MapFileBytes(file, length);
    if (!m_pData)
        return FALSE;
    m_length = length;
    return TRUE;
}

void CFileView::Unmap()
{
    if (m_pData)
        UnmapFileBytes(m_pData, m_length);
    m_pData = nullptr;
    m_length = 0;
}
