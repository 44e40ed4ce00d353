#include "classlib/MemFile.h"

#include "classlib/Exceptions.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes) : m_nGrowBytes(nGrowBytes) {}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : m_nGrowBytes(0)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    FreeBlock();
}

void CMemFile::FreeBlock()
{
    if (m_bOwned)
        std::free(m_lpBuffer);
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    FreeBlock();
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_bOwned = nGrowBytes != 0;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_nPosition = 0;
}

BYTE* CMemFile::Detach()
{
    BYTE* p = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = m_nFileSize = m_nPosition = 0;
    m_bOwned = true;
    if (m_nGrowBytes == 0)
        m_nGrowBytes = 1024;
    return p;
}

void CMemFile::GrowTo(DWORD dwNewSize)
{
    if (dwNewSize <= m_nBufferSize)
        return;
    if (!m_bOwned || m_nGrowBytes == 0 || dwNewSize > 0x7FFFFFFF)
        AfxThrowMemoryException();
    uint64_t size = (uint64_t(dwNewSize) + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    BYTE* p = static_cast<BYTE*>(std::realloc(m_lpBuffer, size_t(size)));
    if (p == nullptr)
        AfxThrowMemoryException();
    std::memset(p + m_nBufferSize, 0, size_t(size - m_nBufferSize));
    m_lpBuffer = p;
    m_nBufferSize = DWORD(size);
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nFileSize || nCount == 0)
        return 0;
    UINT n = nCount < m_nFileSize - m_nPosition ? nCount : UINT(m_nFileSize - m_nPosition);
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, n);
    m_nPosition += n;
    return n;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    uint64_t endPos = uint64_t(m_nPosition) + nCount;
    if (endPos > 0x7FFFFFFF)
        AfxThrowFileException(CFileException::diskFull);
    GrowTo(DWORD(endPos));
    if (m_nPosition > m_nFileSize) // the gap left by a seek past the end reads as zeros
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = DWORD(endPos);
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

DWORD CMemFile::Seek(LONG lOff, UINT nFrom)
{
    int64_t base = nFrom == begin ? 0 : nFrom == current ? int64_t(m_nPosition) : nFrom == end ? int64_t(m_nFileSize) : -1;
    if (base < 0)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    int64_t pos = base + lOff;
    if (pos < 0 || pos > 0x7FFFFFFF)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = DWORD(pos);
    return m_nPosition;
}

void CMemFile::SetLength(DWORD dwNewLen)
{
    if (dwNewLen > m_nBufferSize)
        GrowTo(dwNewLen);
    if (dwNewLen > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    m_nFileSize = dwNewLen;
    if (m_nPosition > dwNewLen)
        m_nPosition = dwNewLen;
}

void CMemFile::Close()
{
    FreeBlock();
    m_bOwned = true;
    if (m_nGrowBytes == 0)
        m_nGrowBytes = 1024;
}

void CMemFile::Abort()
{
    Close();
}

CFile* CMemFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CMemFile::LockRange(DWORD, DWORD)
{
    AfxThrowNotSupportedException();
}

void CMemFile::UnlockRange(DWORD, DWORD)
{
    AfxThrowNotSupportedException();
}
