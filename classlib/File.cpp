#include "classlib/File.h"

#include "classlib/Exceptions.h"

#include <cstring>
#include <vector>

#ifndef _WIN32
#include "classlib/FileShareTable.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace
{
// Positions 32-bit: a seek that leaves 0..0x7FFFFFFF is an error.
const LONG kMaxPos = 0x7FFFFFFF;

#ifdef _WIN32

LONG LastOsError() { return LONG(::GetLastError()); }

int CauseOf(LONG err, const char* = nullptr) { return CFileException::OsErrorToException(err); }

int64_t FileTimeToSeconds(const FILETIME& ft)
{
    uint64_t t = (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    if (t == 0)
        return 0;
    return int64_t((t - 116444736000000000ULL) / 10000000ULL);
}
#else
int FdOf(HANDLE h) { return int(reinterpret_cast<intptr_t>(h)); }
HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(intptr_t(fd)); }

LONG LastOsError() { return LONG(errno); }

int CauseOf(LONG err, const char* path = nullptr) { return CFileException::ErrnoToException(int(err), path); }
#endif

void ThrowFor(LONG err, const char* name)
{
    AfxThrowFileException(CauseOf(err, name), err, name);
}

// Splits the last path component at either separator.
const char* LastComponent(const char* path)
{
    const char* p = path;
    for (const char* s = path; *s; ++s)
        if (*s == '\\' || *s == '/' || *s == ':')
            p = s + 1;
    return p;
}
} // namespace

CString AfxNativePath(const char* lpszPath)
{
    CString s(lpszPath);
#ifndef _WIN32
    s.Replace('\\', '/');
    if (s.GetLength() >= 2 && s[1] == ':' &&
        ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z')))
    {
        s = s.Mid(2);
        if (s.IsEmpty() || s[0] != '/')
            s = "/" + s;
    }
#endif
    return s;
}

#ifdef _WIN32

CString AfxProgramPath(const char* lpszNativePath)
{
    return CString(lpszNativePath);
}

CString AfxFullPath(const char* lpszPath)
{
    if (lpszPath == nullptr || *lpszPath == 0)
        return CString();
    char full[MAX_PATH];
    const DWORD n = ::GetFullPathNameA(lpszPath, MAX_PATH, full, nullptr);
    return n == 0 || n >= MAX_PATH ? CString(lpszPath) : CString(full);
}

#else

CString AfxProgramPath(const char* lpszNativePath)
{
    CString s(lpszNativePath);
    s.Replace('/', '\\');
    if (!s.IsEmpty() && s[0] == '\\' && !(s.GetLength() > 1 && s[1] == '\\'))
        s = "C:" + s;
    return s;
}

namespace
{
// The root of a Windows path ("C:\", "\\server\share\") and where its
// directories begin; the current directory stands in for what is missing.
CString RootOf(const CString& path, int& rest)
{
    char cwd[PATH_MAX];
    const CString current = AfxProgramPath(::getcwd(cwd, sizeof cwd) != nullptr ? cwd : "/");
    const bool hasDrive = path.GetLength() >= 2 && path[1] == ':';
    if (path.Left(2) == "\\\\")
    {
        // A UNC path: the server and the share make the root.
        int end = 2;
        for (int parts = 0; parts < 2 && end < path.GetLength(); ++end)
            if (path[end] == '\\')
                ++parts;
        rest = end;
        CString root = path.Left(end);
        if (root[root.GetLength() - 1] != '\\')
            root += '\\';
        return root;
    }
    if (hasDrive && path.GetLength() > 2 && path[2] == '\\')
    {
        rest = 3;
        return path.Left(3);
    }
    if (hasDrive)
    {
        // "X:name": relative to the current directory when that is on drive X.
        rest = 2;
        if (CString(path.Left(1)).CompareNoCase(current.Left(1)) == 0)
            return current + '\\';
        return path.Left(2) + '\\';
    }
    if (!path.IsEmpty() && path[0] == '\\')
    {
        rest = 1;
        return current.Left(3);
    }
    rest = 0;
    return current + '\\';
}
} // namespace

CString AfxFullPath(const char* lpszPath)
{
    CString path(lpszPath);
    if (path.IsEmpty())
        return path;
    path.Replace('/', '\\');
    int rest = 0;
    CString root = RootOf(path, rest);
    // The current directory's folders are taken apart with the rest, so that
    // ".." can leave them.
    CString joined = root + path.Mid(rest);
    const int firstDir = root.Left(2) == "\\\\" ? root.GetLength() : 3;
    std::vector<CString> parts;
    int start = firstDir;
    for (int i = firstDir; i <= joined.GetLength(); ++i)
    {
        if (i < joined.GetLength() && joined[i] != '\\')
            continue;
        const CString part = joined.Mid(start, i - start);
        start = i + 1;
        if (part.IsEmpty() || part == ".")
            continue;
        if (part == "..")
        {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    CString full = joined.Left(firstDir);
    for (size_t i = 0; i < parts.size(); ++i)
    {
        if (i > 0)
            full += '\\';
        full += parts[i];
    }
    if (!parts.empty() && path[path.GetLength() - 1] == '\\')
        full += '\\';
    return full;
}

#endif

CFile::CFile() : m_hFile(hFileNull) {}

CFile::CFile(const char* lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull)
        Abort();
}

void CFile::ThrowLastError() const
{
    ThrowFor(LastOsError(), m_strFileName);
}

CString CFile::GetFileName() const
{
    return CString(LastComponent(GetFilePath()));
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

DWORD CFile::GetLength() const
{
    CFile* self = const_cast<CFile*>(this);
    DWORD pos = GetPosition();
    DWORD len = self->Seek(0, end);
    self->Seek(LONG(pos), begin);
    return len;
}

#ifdef _WIN32

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    m_strFileName = lpszFileName;

    DWORD access = 0;
    switch (nOpenFlags & 3)
    {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break; // exclusive and compatibility
    }
    DWORD create = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        create = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};
    HANDLE h = ::CreateFileA(lpszFileName, access, share, &sa, create, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
    {
        LONG err = LastOsError();
        if (pError)
        {
            pError->m_cause = CauseOf(err);
            pError->m_lOsError = err;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = h;
    m_nOpenFlags = nOpenFlags;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD got = 0;
    if (!::ReadFile(m_hFile, lpBuf, nCount, &got, nullptr))
        ThrowLastError();
    return UINT(got);
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD put = 0;
    if (!::WriteFile(m_hFile, lpBuf, nCount, &put, nullptr))
        ThrowLastError();
    if (put != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

DWORD CFile::Seek(LONG lOff, UINT nFrom)
{
    if (nFrom > end)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    LARGE_INTEGER dist, pos;
    dist.QuadPart = lOff;
    if (!::SetFilePointerEx(m_hFile, dist, &pos, nFrom))
        ThrowLastError();
    if (pos.QuadPart > kMaxPos)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    return DWORD(pos.QuadPart);
}

DWORD CFile::GetPosition() const
{
    LARGE_INTEGER zero, pos;
    zero.QuadPart = 0;
    if (!::SetFilePointerEx(m_hFile, zero, &pos, FILE_CURRENT))
        ThrowLastError();
    return DWORD(pos.QuadPart);
}

void CFile::SetLength(DWORD dwNewLen)
{
    DWORD pos = GetPosition();
    Seek(LONG(dwNewLen), begin);
    if (!::SetEndOfFile(m_hFile))
        ThrowLastError();
    Seek(LONG(pos), begin);
}

void CFile::Flush()
{
    if (m_hFile != hFileNull && !::FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close()
{
    if (m_hFile == hFileNull)
        return;
    BOOL ok = ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_nOpenFlags = 0;
    if (!ok)
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        ::CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_nOpenFlags = 0;
}

CFile* CFile::Duplicate() const
{
    HANDLE h = nullptr;
    HANDLE proc = ::GetCurrentProcess();
    if (!::DuplicateHandle(proc, m_hFile, proc, &h, 0, FALSE, DUPLICATE_SAME_ACCESS))
        ThrowLastError();
    CFile* p = new CFile;
    p->m_hFile = h;
    p->m_strFileName = m_strFileName;
    p->m_nOpenFlags = m_nOpenFlags;
    return p;
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount)
{
    if (!::LockFile(m_hFile, dwPos, 0, dwCount, 0))
        ThrowLastError();
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount)
{
    if (!::UnlockFile(m_hFile, dwPos, 0, dwCount, 0))
        ThrowLastError();
}

BOOL CFile::GetStatus(const char* lpszFileName, CFileStatus& rStatus)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(lpszFileName, GetFileExInfoStandard, &data))
        return FALSE;
    if (::GetFullPathNameA(lpszFileName, sizeof rStatus.m_szFullName, rStatus.m_szFullName, nullptr) == 0)
        rStatus.m_szFullName[0] = 0;
    rStatus.m_ctime = CTime(FileTimeToSeconds(data.ftCreationTime));
    rStatus.m_atime = CTime(FileTimeToSeconds(data.ftLastAccessTime));
    rStatus.m_mtime = CTime(FileTimeToSeconds(data.ftLastWriteTime));
    rStatus.m_size = data.nFileSizeHigh ? 0xFFFFFFFF : data.nFileSizeLow;
    rStatus.m_attribute = BYTE(data.dwFileAttributes & 0x3F);
    return TRUE;
}

void CFile::Remove(const char* lpszFileName)
{
    if (!::DeleteFileA(lpszFileName))
        ThrowFor(LastOsError(), lpszFileName);
}

void CFile::Rename(const char* lpszOldName, const char* lpszNewName)
{
    if (!::MoveFileA(lpszOldName, lpszNewName))
        ThrowFor(LastOsError(), lpszOldName);
}

#else // native

BOOL CFile::Open(const char* lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull)
        Abort();
    m_strFileName = lpszFileName;

    auto fail = [&](LONG err, int cause) {
        if (pError)
        {
            pError->m_cause = cause;
            pError->m_lOsError = err;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    };

    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3)
    {
    case modeRead: flags |= O_RDONLY; break;
    case modeWrite: flags |= O_WRONLY; break;
    default: flags |= O_RDWR; break;
    }
    if (nOpenFlags & modeCreate)
        flags |= O_CREAT;

    CString path = AfxNativePath(lpszFileName);
    // Truncation waits until the share check has passed: a refused open must
    // leave the other opener's file intact.
    int fd = ::open(path, flags, 0666);
    if (fd < 0)
    {
        LONG err = LastOsError();
        return fail(err, CauseOf(err, path));
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))
    {
        ::close(fd);
        return fail(EISDIR, CFileException::accessDenied);
    }
    if (!FileShareTable::Instance().Register(this, fd, nOpenFlags))
    {
        // The refused descriptor holds no lock, and closing it leaves the
        // other openers' locks alone (they belong to their own descriptors).
        ::close(fd);
        return fail(EBUSY, CFileException::sharingViolation);
    }
    if ((nOpenFlags & modeCreate) && !(nOpenFlags & modeNoTruncate) && ::ftruncate(fd, 0) != 0)
    {
        LONG err = LastOsError();
        FileShareTable::Instance().Close(this, fd);
        return fail(err, CauseOf(err, path));
    }
    m_hFile = HandleOf(fd);
    m_nOpenFlags = nOpenFlags;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    int fd = FdOf(m_hFile);
    char* p = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount)
    {
        ssize_t n = ::read(fd, p + done, nCount - done);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        if (n == 0)
            break;
        done += UINT(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    int fd = FdOf(m_hFile);
    const char* p = static_cast<const char*>(lpBuf);
    UINT done = 0;
    while (done < nCount)
    {
        ssize_t n = ::write(fd, p + done, nCount - done);
        if (n < 0)
        {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        if (n == 0)
            AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
        done += UINT(n);
    }
}

DWORD CFile::Seek(LONG lOff, UINT nFrom)
{
    static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (nFrom > end)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    off_t pos = ::lseek(FdOf(m_hFile), off_t(lOff), whence[nFrom]);
    if (pos < 0)
    {
        LONG err = LastOsError();
        AfxThrowFileException(err == EINVAL ? int(CFileException::badSeek) : CauseOf(err), err, m_strFileName);
    }
    return DWORD(pos);
}

DWORD CFile::GetPosition() const
{
    off_t pos = ::lseek(FdOf(m_hFile), 0, SEEK_CUR);
    if (pos < 0)
        ThrowLastError();
    return DWORD(pos);
}

void CFile::SetLength(DWORD dwNewLen)
{
    if (dwNewLen > DWORD(kMaxPos))
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    if (::ftruncate(FdOf(m_hFile), off_t(dwNewLen)) != 0)
        ThrowLastError();
}

void CFile::Flush()
{
    if (m_hFile != hFileNull && ::fsync(FdOf(m_hFile)) != 0 && errno != EINVAL)
        ThrowLastError();
}

void CFile::Close()
{
    if (m_hFile == hFileNull)
        return;
    int fd = FdOf(m_hFile);
    m_hFile = hFileNull;
    m_nOpenFlags = 0;
    int rc = FileShareTable::Instance().Close(this, fd);
    LONG err = LastOsError();
    if (rc != 0)
        ThrowFor(err, m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile == hFileNull)
        return;
    int fd = FdOf(m_hFile);
    m_hFile = hFileNull;
    m_nOpenFlags = 0;
    FileShareTable::Instance().Close(this, fd);
}

CFile* CFile::Duplicate() const
{
    int fd = ::fcntl(FdOf(m_hFile), F_DUPFD_CLOEXEC, 0);
    if (fd < 0)
        ThrowLastError();
    CFile* p = new CFile;
    FileShareTable::Instance().RegisterDuplicate(p, fd, this);
    p->m_hFile = HandleOf(fd);
    p->m_strFileName = m_strFileName;
    p->m_nOpenFlags = m_nOpenFlags;
    return p;
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount)
{
    if (!FileShareTable::Instance().LockRange(this, FdOf(m_hFile), dwPos, dwCount))
        AfxThrowFileException(CFileException::lockViolation, EAGAIN, m_strFileName);
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount)
{
    if (!FileShareTable::Instance().UnlockRange(this, FdOf(m_hFile), dwPos, dwCount))
        AfxThrowFileException(CFileException::lockViolation, EINVAL, m_strFileName);
}

BOOL CFile::GetStatus(const char* lpszFileName, CFileStatus& rStatus)
{
    CString path = AfxNativePath(lpszFileName);
    struct stat st;
    if (::stat(path, &st) != 0)
        return FALSE;
    char full[PATH_MAX];
    if (::realpath(path, full) != nullptr)
    {
        std::strncpy(rStatus.m_szFullName, full, sizeof rStatus.m_szFullName - 1);
        rStatus.m_szFullName[sizeof rStatus.m_szFullName - 1] = 0;
    }
    else
    {
        rStatus.m_szFullName[0] = 0;
    }
    rStatus.m_ctime = CTime(int64_t(st.st_ctime));
    rStatus.m_atime = CTime(int64_t(st.st_atime));
    rStatus.m_mtime = CTime(int64_t(st.st_mtime));
    rStatus.m_size = st.st_size > off_t(kMaxPos) ? 0xFFFFFFFF : DWORD(st.st_size);
    BYTE attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= directory;
    if (!(st.st_mode & S_IWUSR))
        attr |= readOnly;
    rStatus.m_attribute = attr;
    return TRUE;
}

void CFile::Remove(const char* lpszFileName)
{
    CString path = AfxNativePath(lpszFileName);
    struct stat st;
    if (::stat(path, &st) == 0 && S_ISDIR(st.st_mode))
        AfxThrowFileException(CFileException::accessDenied, EISDIR, lpszFileName);
    if (FileShareTable::Instance().IsOpen(path))
        AfxThrowFileException(CFileException::sharingViolation, EBUSY, lpszFileName);
    if (::unlink(path) != 0)
        ThrowFor(LastOsError(), lpszFileName);
}

void CFile::Rename(const char* lpszOldName, const char* lpszNewName)
{
    CString from = AfxNativePath(lpszOldName);
    CString to = AfxNativePath(lpszNewName);
    struct stat st;
    // As on Windows: never replace an existing file.
    if (::lstat(to, &st) == 0)
        AfxThrowFileException(CFileException::accessDenied, EEXIST, lpszOldName);
    if (::rename(from, to) != 0)
        ThrowFor(LastOsError(), lpszOldName);
}

#endif

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    if (m_strFileName.IsEmpty())
        return FALSE;
    return GetStatus(m_strFileName, rStatus);
}
