#include "app/core/NativePath.h"

#include "classlib/File.h"

namespace NativePath {

#ifdef _WIN32

std::string ToSystem(const char* path)
{
    return path ? path : "";
}

std::string FromSystem(const char* systemPath)
{
    return systemPath ? systemPath : "";
}

#else

std::string ToSystem(const char* path)
{
    return std::string(AfxNativePath(path ? path : ""));
}

std::string FromSystem(const char* systemPath)
{
    return std::string(AfxProgramPath(systemPath ? systemPath : ""));
}

#endif

} // namespace NativePath
