#include "database/btree/StreamFile.h"

#include "classlib/Exceptions.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CStreamFile, CFile)

CStreamFile::CStreamFile(UINT nBlockSize)
    : m_nBlockSize(nBlockSize ? nBlockSize : (UINT)defaultBlockSize), m_nPosition(0), m_nLength(0)
{
}

CStreamFile::~CStreamFile()
{
    Close();
}

void CStreamFile::GrowTo(DWORD end)
{
    // Whole blocks for `end` bytes, counted without overflowing 32 bits.
    INT_PTR needed = (INT_PTR)(end / m_nBlockSize) + (end % m_nBlockSize != 0);
    while (m_blocks.GetSize() < needed) {
        void* block = std::malloc(m_nBlockSize);
        if (!block)
            AfxThrowMemoryException();
        try {
            m_blocks.Add(block);
        } catch (CException*) {
            std::free(block);
            throw;
        }
    }
}

void CStreamFile::CopyOut(DWORD at, BYTE* to, UINT n) const
{
    while (n > 0) {
        UINT inBlock = at % m_nBlockSize;
        UINT step = m_nBlockSize - inBlock < n ? m_nBlockSize - inBlock : n;
        std::memcpy(to, static_cast<const BYTE*>(m_blocks[at / m_nBlockSize]) + inBlock, step);
        at += step;
        to += step;
        n -= step;
    }
}

void CStreamFile::CopyIn(DWORD at, const BYTE* from, UINT n)
{
    while (n > 0) {
        UINT inBlock = at % m_nBlockSize;
        UINT step = m_nBlockSize - inBlock < n ? m_nBlockSize - inBlock : n;
        BYTE* block = static_cast<BYTE*>(m_blocks[at / m_nBlockSize]);
        if (from) {
            std::memcpy(block + inBlock, from, step);
            from += step;
        } else
            std::memset(block + inBlock, 0, step);
        at += step;
        n -= step;
    }
}

void CStreamFile::ZeroRange(DWORD from, DWORD to)
{
    if (to > from)
        CopyIn(from, nullptr, to - from);
}

DWORD CStreamFile::Seek(LONG lOff, UINT nFrom)
{
    long long base;
    switch (nFrom) {
    case begin:
        base = 0;
        break;
    case current:
        base = m_nPosition;
        break;
    case end:
        base = m_nLength;
        break;
    default:
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    }
    long long to = base + lOff;
    if (to < 0 || to > 0xFFFFFFFFLL)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    m_nPosition = (DWORD)to;
    return m_nPosition;
}

void CStreamFile::SetLength(DWORD dwNewLen)
{
    GrowTo(dwNewLen);
    ZeroRange(m_nLength, dwNewLen);
    m_nLength = dwNewLen;
    if (m_nPosition > dwNewLen)
        m_nPosition = dwNewLen;
}

UINT CStreamFile::Read(void* lpBuf, UINT nCount)
{
    if (m_nPosition >= m_nLength || nCount == 0)
        return 0;
    UINT n = nCount < m_nLength - m_nPosition ? nCount : (UINT)(m_nLength - m_nPosition);
    CopyOut(m_nPosition, static_cast<BYTE*>(lpBuf), n);
    m_nPosition += n;
    return n;
}

void CStreamFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (nCount > 0xFFFFFFFFu - m_nPosition)
        AfxThrowMemoryException(); // more than a 32-bit file can hold
    DWORD end = m_nPosition + nCount;
    GrowTo(end);
    ZeroRange(m_nLength, m_nPosition);
    CopyIn(m_nPosition, static_cast<const BYTE*>(lpBuf), nCount);
    m_nPosition = end;
    if (end > m_nLength)
        m_nLength = end;
}

void CStreamFile::Close()
{
    for (INT_PTR i = 0; i < m_blocks.GetSize(); ++i)
        std::free(m_blocks[i]);
    m_blocks.RemoveAll();
    m_nPosition = m_nLength = 0;
}

CFile* CStreamFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}

void CStreamFile::LockRange(DWORD, DWORD)
{
    AfxThrowNotSupportedException();
}

void CStreamFile::UnlockRange(DWORD, DWORD)
{
    AfxThrowNotSupportedException();
}
