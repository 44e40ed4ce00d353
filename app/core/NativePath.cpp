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
    std::string p = systemPath ? systemPath : "";
    for (char& c : p) {
        if (c == '/')
            c = '\\';
    }
    if (!p.empty() && p[0] == '\\' && !(p.size() > 1 && p[1] == '\\'))
        p.insert(0, "C:");
    return p;
}

#endif

} // namespace NativePath
