#include "classlib/FileView.h"

#include "classlib/File.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>
#include <sys/mman.h>
#endif

CFileView::CFileView() : m_pData(nullptr), m_length(0) {}

CFileView::~CFileView()
{
    Unmap();
}

#ifdef _WIN32

BOOL CFileView::Map(const CFile& file, DWORD length)
{
    Unmap();
    if (length == 0 || !file.IsOpenHandle())
        return FALSE;
    // Never more than the file holds: a larger mapping of a writable file
    // would lengthen it.
    HANDLE mapping = ::CreateFileMappingA(file.m_hFile, nullptr, PAGE_READONLY, 0, length, nullptr);
    if (!mapping)
        return FALSE;
    void* view = ::MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, length);
    // The view keeps the mapping alive on its own.
    ::CloseHandle(mapping);
    if (!view)
        return FALSE;
    m_pData = static_cast<const BYTE*>(view);
    m_length = length;
    return TRUE;
}

void CFileView::Unmap()
{
    if (m_pData)
        ::UnmapViewOfFile(m_pData);
    m_pData = nullptr;
    m_length = 0;
}

#else

BOOL CFileView::Map(const CFile& file, DWORD length)
{
    Unmap();
    if (length == 0 || !file.IsOpenHandle())
        return FALSE;
    const int fd = int(reinterpret_cast<intptr_t>(file.m_hFile));
    void* view = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, fd, 0);
    if (view == MAP_FAILED)
        return FALSE;
    m_pData = static_cast<const BYTE*>(view);
    m_length = length;
    return TRUE;
}

void CFileView::Unmap()
{
    if (m_pData)
        ::munmap(const_cast<BYTE*>(m_pData), m_length);
    m_pData = nullptr;
    m_length = 0;
}

#endif
