#include "classlib/Archive.h"

#include "classlib/Exceptions.h"
#include "classlib/File.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace
{
const UINT kMinBufSize = 128;
// Strings are read in slices of this size so that a damaged length field
// ends in endOfFile instead of a huge allocation.
const UINT kStringSlice = 0x10000;
} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pFile(pFile), m_nMode(nMode)
{
    // A buffer the caller lends is used as it is (of nBufSize bytes).
    if (lpBuf != nullptr && nBufSize > 0) {
        m_nBufSize = UINT(nBufSize);
        m_pBuf = static_cast<BYTE*>(lpBuf);
        m_bUserBuf = true;
        return;
    }
    m_nBufSize = nBufSize < int(kMinBufSize) ? kMinBufSize : UINT(nBufSize);
    m_pBuf = new (std::nothrow) BYTE[m_nBufSize];
    if (m_pBuf == nullptr)
        AfxThrowMemoryException();
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && IsStoring() && !(m_nMode & bNoFlushOnDelete))
    {
        try
        {
            Flush();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    Abort();
    if (!m_bUserBuf)
        delete[] m_pBuf;
}

void CArchive::Flush()
{
    if (m_pFile == nullptr || IsLoading())
        return;
    if (m_nPos > 0)
    {
        UINT n = m_nPos;
        m_nPos = 0; // a failing write does not leave the bytes to be written twice
        m_pFile->Write(m_pBuf, n);
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
    m_nPos = m_nFill = 0;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_nPos = m_nFill = 0;
}

void CArchive::CheckStoring() const
{
    if (!IsStoring())
        AfxThrowArchiveException(CArchiveException::readOnly);
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::generic);
}

void CArchive::CheckLoading() const
{
    if (!IsLoading())
        AfxThrowArchiveException(CArchiveException::writeOnly);
    if (m_pFile == nullptr)
        AfxThrowArchiveException(CArchiveException::generic);
}

void CArchive::StoreBytes(const void* p, UINT n)
{
    CheckStoring();
    const BYTE* src = static_cast<const BYTE*>(p);
    while (n > 0)
    {
        if (m_nPos == m_nBufSize)
            Flush();
        UINT chunk = std::min(n, m_nBufSize - m_nPos);
        std::memcpy(m_pBuf + m_nPos, src, chunk);
        m_nPos += chunk;
        src += chunk;
        n -= chunk;
    }
}

void CArchive::FillBuffer()
{
    m_nPos = 0;
    m_nFill = 0;
    m_nFill = m_pFile->Read(m_pBuf, m_nBufSize);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    BYTE* dst = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax)
    {
        if (m_nPos == m_nFill)
        {
            FillBuffer();
            if (m_nFill == 0)
                break;
        }
        UINT chunk = std::min(nMax - done, m_nFill - m_nPos);
        std::memcpy(dst + done, m_pBuf + m_nPos, chunk);
        m_nPos += chunk;
        done += chunk;
    }
    return done;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    StoreBytes(lpBuf, nMax);
}

void CArchive::LoadBytes(void* p, UINT n)
{
    // Most values lie whole in the buffer: records decode value by value.
    // A loading archive keeps m_nPos <= m_nFill.
    if (IsLoading() && m_nFill - m_nPos >= n && m_pFile != nullptr)
    {
        std::memcpy(p, m_pBuf + m_nPos, n);
        m_nPos += n;
        return;
    }
    if (Read(p, n) != n)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

void CArchive::StoreU16(uint16_t v)
{
    BYTE b[2] = {BYTE(v), BYTE(v >> 8)};
    StoreBytes(b, 2);
}

void CArchive::StoreU32(uint32_t v)
{
    BYTE b[4] = {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
    StoreBytes(b, 4);
}

uint16_t CArchive::LoadU16()
{
    BYTE b[2];
    LoadBytes(b, 2);
    return uint16_t(b[0] | (b[1] << 8));
}

uint32_t CArchive::LoadU32()
{
    BYTE b[4];
    LoadBytes(b, 4);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

// ---- primitives -----------------------------------------------------------

CArchive& CArchive::operator<<(unsigned char v) { StoreBytes(&v, 1); return *this; }
CArchive& CArchive::operator<<(char v) { StoreBytes(&v, 1); return *this; }
CArchive& CArchive::operator<<(unsigned short v) { StoreU16(v); return *this; }
CArchive& CArchive::operator<<(short v) { StoreU16(uint16_t(v)); return *this; }
CArchive& CArchive::operator<<(unsigned int v) { StoreU32(v); return *this; }
CArchive& CArchive::operator<<(int v) { StoreU32(uint32_t(v)); return *this; }
#if !LV_DWORD_IS_UINT
CArchive& CArchive::operator<<(unsigned long v) { StoreU32(uint32_t(v)); return *this; }
CArchive& CArchive::operator<<(long v) { StoreU32(uint32_t(v)); return *this; }
#endif

CArchive& CArchive::operator<<(float v)
{
    static_assert(sizeof(float) == 4, "IEEE single");
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    StoreU32(bits);
    return *this;
}

CArchive& CArchive::operator<<(double v)
{
    static_assert(sizeof(double) == 8, "IEEE double");
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    StoreU32(uint32_t(bits));
    StoreU32(uint32_t(bits >> 32));
    return *this;
}

CArchive& CArchive::operator>>(unsigned char& v) { LoadBytes(&v, 1); return *this; }
CArchive& CArchive::operator>>(char& v) { LoadBytes(&v, 1); return *this; }
CArchive& CArchive::operator>>(unsigned short& v) { v = LoadU16(); return *this; }
CArchive& CArchive::operator>>(short& v) { v = short(LoadU16()); return *this; }
CArchive& CArchive::operator>>(unsigned int& v) { v = LoadU32(); return *this; }
CArchive& CArchive::operator>>(int& v) { v = int(LoadU32()); return *this; }
#if !LV_DWORD_IS_UINT
CArchive& CArchive::operator>>(unsigned long& v) { v = LoadU32(); return *this; }
CArchive& CArchive::operator>>(long& v) { v = long(int32_t(LoadU32())); return *this; }
#endif

CArchive& CArchive::operator>>(float& v)
{
    uint32_t bits = LoadU32();
    std::memcpy(&v, &bits, 4);
    return *this;
}

CArchive& CArchive::operator>>(double& v)
{
    uint64_t lo = LoadU32();
    uint64_t hi = LoadU32();
    uint64_t bits = lo | (hi << 32);
    std::memcpy(&v, &bits, 8);
    return *this;
}

// ---- counts and strings ---------------------------------------------------

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < 0xFFFF)
    {
        StoreU16(uint16_t(dwCount));
    }
    else
    {
        StoreU16(0xFFFF);
        StoreU32(uint32_t(dwCount));
    }
}

DWORD CArchive::ReadCount()
{
    uint16_t w = LoadU16();
    if (w != 0xFFFF)
        return w;
    return LoadU32();
}

void CArchive::StoreStringLength(uint32_t len)
{
    if (len < 0xFF)
    {
        *this << BYTE(len);
        return;
    }
    *this << BYTE(0xFF);
    if (len < 0xFFFE)
    {
        StoreU16(uint16_t(len));
    }
    else
    {
        StoreU16(0xFFFF);
        StoreU32(len);
    }
}

CArchive& CArchive::operator<<(const char* psz)
{
    uint32_t len = psz ? uint32_t(std::strlen(psz)) : 0;
    StoreStringLength(len);
    StoreBytes(psz, len);
    return *this;
}

CArchive& CArchive::operator<<(const CString& s)
{
    // By the byte count, not strlen: a CString may hold NULs.
    uint32_t len = uint32_t(s.GetLength());
    StoreStringLength(len);
    StoreBytes(static_cast<const char*>(s), len);
    return *this;
}

CArchive& CArchive::operator>>(CString& s)
{
    BYTE b;
    *this >> b;
    uint32_t len = b;
    if (b == 0xFF)
    {
        len = LoadU16();
        if (len == 0xFFFF)
            len = LoadU32();
    }
    if (len > 0x7FFFFFFE)
        AfxThrowArchiveException(CArchiveException::badIndex);
    // Slice by slice: the length comes from the file and may be damaged.
    CString result;
    uint32_t done = 0;
    while (done < len)
    {
        UINT n = UINT(std::min<uint32_t>(len - done, kStringSlice));
        char* p = result.GetBufferSetLength(int(done + n));
        LoadBytes(p + done, n);
        result.ReleaseBuffer(int(done + n));
        done += n;
    }
    s = result;
    return *this;
}

// ---- text lines -----------------------------------------------------------

void CArchive::WriteString(const char* lpsz)
{
    if (lpsz)
        StoreBytes(lpsz, UINT(std::strlen(lpsz)));
}

BOOL CArchive::ReadString(CString& rString)
{
    CheckLoading();
    rString.Empty();
    BOOL any = FALSE;
    for (;;)
    {
        if (m_nPos == m_nFill)
        {
            FillBuffer();
            if (m_nFill == 0)
                break;
        }
        any = TRUE;
        char c = char(m_pBuf[m_nPos++]);
        if (c == '\n')
            break;
        rString += c;
    }
    int n = rString.GetLength();
    if (n > 0 && rString[n - 1] == '\r')
        rString = rString.Left(n - 1);
    return any;
}
