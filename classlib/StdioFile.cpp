#include "classlib/StdioFile.h"

#include "classlib/Exceptions.h"

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

namespace
{
// A C stream on a duplicate of the open handle; NULL on failure.
FILE* StreamOn(HANDLE h, UINT nOpenFlags)
{
    const char* mode = (nOpenFlags & 3) == CFile::modeRead ? "rb" : (nOpenFlags & 3) == CFile::modeWrite ? "wb" : "r+b";
#ifdef _WIN32
    HANDLE dup = nullptr;
    HANDLE proc = ::GetCurrentProcess();
    if (!::DuplicateHandle(proc, h, proc, &dup, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return nullptr;
    int osFlags = _O_BINARY | ((nOpenFlags & 3) == CFile::modeRead ? _O_RDONLY : 0);
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(dup), osFlags);
    if (fd < 0)
    {
        ::CloseHandle(dup);
        return nullptr;
    }
    FILE* f = _fdopen(fd, mode);
    if (f == nullptr)
        _close(fd);
    return f;
#else
    int fd = ::fcntl(int(reinterpret_cast<intptr_t>(h)), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        return nullptr;
    FILE* f = ::fdopen(fd, mode);
    if (f == nullptr)
        ::close(fd);
    return f;
#endif
}
} // namespace

CStdioFile::CStdioFile(const char* lpszFileName, UINT nOpenFlags)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream != nullptr || m_hFile != hFileNull)
        Abort();
}

BOOL CStdioFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (!CFile::Open(lpszFileName, nOpenFlags & ~UINT(typeText | typeBinary), pError))
        return FALSE;
    m_nOpenFlags = nOpenFlags;
    m_pStream = StreamOn(m_hFile, nOpenFlags);
    if (m_pStream == nullptr)
    {
        CFile::Abort();
        if (pError)
        {
            pError->m_cause = CFileException::tooManyOpenFiles;
            pError->m_lOsError = -1;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    return TRUE;
}

void CStdioFile::ThrowStreamError() const
{
    int err = errno;
    AfxThrowFileException(CFileException::ErrnoToException(err, m_strFileName), err, m_strFileName);
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    char buf[256];
    BOOL any = FALSE;
    for (;;)
    {
        if (std::fgets(buf, sizeof buf, m_pStream) == nullptr)
        {
            if (std::ferror(m_pStream))
                ThrowStreamError();
            break;
        }
        any = TRUE;
        int n = int(std::strlen(buf));
        bool eol = n > 0 && buf[n - 1] == '\n';
        if (eol)
            --n;
        rString.Append(buf, n);
        if (eol)
            break;
    }
    int len = rString.GetLength();
    if (len > 0 && rString[len - 1] == '\r')
        rString = rString.Left(len - 1);
    return any;
}

char* CStdioFile::ReadString(char* lpsz, UINT nMax)
{
    if (nMax == 0)
        return nullptr;
    if (std::fgets(lpsz, int(nMax), m_pStream) == nullptr)
    {
        if (std::ferror(m_pStream))
            ThrowStreamError();
        return nullptr;
    }
    size_t n = std::strlen(lpsz);
    if (TextMode() && n >= 2 && lpsz[n - 2] == '\r' && lpsz[n - 1] == '\n')
    {
        lpsz[n - 2] = '\n';
        lpsz[n - 1] = 0;
    }
    return lpsz;
}

void CStdioFile::WriteString(const char* lpsz)
{
    if (lpsz == nullptr)
        return;
    for (const char* p = lpsz; *p; ++p)
    {
        if (*p == '\n' && TextMode() && std::fputc('\r', m_pStream) == EOF)
            ThrowStreamError();
        if (std::fputc(*p, m_pStream) == EOF)
            ThrowStreamError();
    }
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    size_t n = std::fread(lpBuf, 1, nCount, m_pStream);
    if (n < nCount && std::ferror(m_pStream))
        ThrowStreamError();
    return UINT(n);
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    if (std::fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        ThrowStreamError();
}

DWORD CStdioFile::Seek(LONG lOff, UINT nFrom)
{
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (nFrom > end || std::fseek(m_pStream, lOff, whence[nFrom]) != 0)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    return GetPosition();
}

DWORD CStdioFile::GetPosition() const
{
    long pos = std::ftell(m_pStream);
    if (pos < 0)
        ThrowStreamError();
    return DWORD(pos);
}

void CStdioFile::SetLength(DWORD dwNewLen)
{
    DWORD pos = GetPosition();
    Flush();
    // The handle's own position is not the stream's: size through the base.
    CFile::SetLength(dwNewLen);
    if (std::fseek(m_pStream, long(pos), SEEK_SET) != 0)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
}

void CStdioFile::Flush()
{
    if (m_pStream != nullptr && std::fflush(m_pStream) != 0)
        ThrowStreamError();
}

void CStdioFile::Close()
{
    int rc = 0;
    int err = 0;
    if (m_pStream != nullptr)
    {
        rc = std::fclose(m_pStream);
        err = errno;
        m_pStream = nullptr;
    }
    CFile::Close();
    if (rc != 0)
        AfxThrowFileException(CFileException::ErrnoToException(err, m_strFileName), err, m_strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != nullptr)
        std::fclose(m_pStream);
    m_pStream = nullptr;
    CFile::Abort();
}

CFile* CStdioFile::Duplicate() const
{
    AfxThrowNotSupportedException();
}
