#include "app/core/TempFile.h"

#include "app/core/NativePath.h"
#include "classlib/Exceptions.h"

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
