#include "app/core/TempFile.h"

#include "app/core/NativePath.h"
#include "classlib/Exceptions.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstdlib>
#include <string>
#include <unistd.h>
#endif

CString MakeTempFileName()
{
#ifdef _WIN32
    char folder[MAX_PATH + 1] = {0};
    const DWORD n = ::GetTempPathA(MAX_PATH, folder);
    if (n == 0 || n > MAX_PATH)
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), nullptr);
    char name[MAX_PATH + 1] = {0};
    if (::GetTempFileNameA(folder, "lv", 0, name) == 0)
        CFileException::ThrowOsError(static_cast<LONG>(::GetLastError()), folder);
    return CString(name);
#else
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = (tmp && *tmp) ? tmp : "/tmp";
    if (folder.back() != '/')
        folder += '/';
    std::string pattern = folder + "lvXXXXXX.tmp";
    const int fd = ::mkstemps(&pattern[0], 4);
    if (fd < 0)
        CFileException::ThrowErrno(errno, NativePath::FromSystem(folder.c_str()).c_str());
    ::close(fd);
    return CString(NativePath::FromSystem(pattern.c_str()).c_str());
#endif
}

CTempFile::~CTempFile()
{
    if (!m_bOpen)
        return;
    try {
        const CString path = m_file.GetFilePath();
        m_file.Close();
        CFile::Remove(path);
    } catch (CException* e) {
        e->Delete();
    }
}

BOOL CTempFile::Open()
{
    if (m_bOpen)
        return TRUE;
    try {
        const CString path = MakeTempFileName();
        CFileException error;
        if (!m_file.Open(path, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &error)) {
            error.ReportError();
            CFile::Remove(path);
            return FALSE;
        }
    } catch (CException* e) {
        e->ReportError();
        e->Delete();
        return FALSE;
    }
    m_bOpen = TRUE;
    return TRUE;
}

void CTempFile::Truncate()
{
    if (m_bOpen)
        m_file.SetLength(0);
}

void CTempFile::Append(const void* pBytes, UINT nLength)
{
    if (!m_bOpen)
        return;
    m_file.SeekToEnd();
    m_file.Write(pBytes, nLength);
}

void CTempFile::AppendText(const char* pszText)
{
    Append(pszText, static_cast<UINT>(std::strlen(pszText)));
}

CFile& CTempFile::Flush()
{
    if (m_bOpen)
        m_file.Flush();
    return m_file;
}
