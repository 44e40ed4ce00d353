#include "app/core/Paths.h"

#include "app/core/NativePath.h"
#include "app/core/PathParts.h"
#include "app/core/SettingsCatalogue.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

namespace {

bool HasDrive(const char* path)
{
    return path && path[0] != '\0' && path[1] == ':';
}

bool EndsWithSeparator(const CString& s)
{
    const int n = s.GetLength();
    return n > 0 && (s[n - 1] == '\\' || s[n - 1] == '/');
}

} // namespace

CString GetFileTitleWithoutExt(const char* path, const char* extension)
{
    CPathParts parts(path);
    CString title = parts.m_name;
    if (parts.m_extension.CompareNoCase(extension ? extension : "") != 0)
        title += parts.m_extension;
    return title;
}

CString GetFileExtension(const char* path)
{
    return CPathParts(path).m_extension;
}

CString GetFileFolder(const char* path)
{
    CString folder = GetFileDirectory(path);
    if (EndsWithSeparator(folder))
        folder = folder.Left(folder.GetLength() - 1);
    return folder;
}

CString GetFileDirectory(const char* path)
{
    CPathParts parts(path);
    return parts.m_drive + parts.m_directory;
}

CString GetContainingFolderName(const char* path)
{
    return GetFileTitleWithoutExt(GetFileFolder(path), "");
}

CString ReplaceExtension(const char* path, const char* extension)
{
    CPathParts parts(path);
    return parts.m_drive + parts.m_directory + parts.m_name + CString(extension ? extension : "");
}

CString MakeRenamedPath(const char* oldPath, const char* newName)
{
    CPathParts oldParts(oldPath);
    CPathParts newParts(newName);
    CString result = oldParts.m_drive + oldParts.m_directory;
    if (newParts.m_extension.CompareNoCase(oldParts.m_extension) == 0)
        return result + newParts.m_name + newParts.m_extension;
    return result + CString(newName ? newName : "") + oldParts.m_extension;
}

CString JoinPath(const char* directory, const char* name)
{
    CString path(directory ? directory : "");
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\')
        path += '\\';
    return path + CString(name ? name : "");
}

CString ToCString(const char* text)
{
    return CString(text ? text : "");
}

#ifdef _WIN32

CString GetModuleDirectory(HINSTANCE module)
{
    char buffer[MAX_PATH + 1] = {0};
    ::GetModuleFileNameA(module, buffer, MAX_PATH);
    return GetFileDirectory(buffer);
}

CString GetModuleFilePath(HINSTANCE module, const char* name)
{
    if (HasDrive(name))
        return CString(name);
    return GetModuleDirectory(module) + CString(name ? name : "");
}

CString GetProgramDirectory()
{
    return GetModuleDirectory(nullptr);
}

#else

CString GetProgramDirectory()
{
    char buffer[PATH_MAX + 1] = {0};
    const ssize_t n = ::readlink("/proc/self/exe", buffer, PATH_MAX);
    if (n <= 0)
        return CString("C:\\");
    buffer[n] = '\0';
    return GetFileDirectory(NativePath::FromSystem(buffer).c_str());
}

#endif

CString GetProgramFilePath(const char* name)
{
    if (HasDrive(name))
        return CString(name);
    return GetProgramDirectory() + CString(name ? name : "");
}

CString GetExpressionsFilePath(const char* fileName)
{
    CString folder = Settings::ExpressionsFilePath.Get();
    if (!folder.IsEmpty())
        return JoinPath(folder, fileName);
    return GetProgramFilePath(fileName);
}

CString NormaliseExpressionsPath(const char* directory)
{
    CString programFolder = GetProgramDirectory();
    if (EndsWithSeparator(programFolder))
        programFolder = programFolder.Left(programFolder.GetLength() - 1);
    if (programFolder.CompareNoCase(directory ? directory : "") == 0)
        return CString();
    return CString(directory ? directory : "");
}
