#include "app/core/FolderWalk.h"

#include "app/core/NativePath.h"
#include "app/core/Paths.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace {

struct FolderEntry
{
    std::string name;
    bool isFolder;
};

std::vector<std::string> SplitList(const char* list)
{
    std::vector<std::string> items;
    std::string text = list ? list : "";
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(';', start);
        const std::string item =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!item.empty())
            items.push_back(item);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return items;
}

std::string WithTrailingBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
}

// Every entry of the folder except "." and "..", in the platform's order; empty when it cannot be listed.
std::vector<FolderEntry> ListFolder(const std::string& folder)
{
    std::vector<FolderEntry> entries;
#ifdef _WIN32
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
#else
    const std::string systemFolder = NativePath::ToSystem(folder.c_str());
    DIR* dir = ::opendir(systemFolder.empty() ? "." : systemFolder.c_str());
    if (dir == nullptr)
        return entries;
    while (dirent* ent = ::readdir(dir)) {
        const std::string name = ent->d_name;
        if (name == "." || name == "..")
            continue;
        struct stat st;
        if (::stat((systemFolder + name).c_str(), &st) != 0)
            continue;
        entries.push_back({name, S_ISDIR(st.st_mode)});
    }
    ::closedir(dir);
#endif
    return entries;
}

bool WalkFolder(const std::string& folder, const std::vector<std::string>& extensions,
                FolderWalkCallback callback, void* context)
{
    for (const FolderEntry& entry : ListFolder(folder)) {
        const std::string fullPath = folder + entry.name;
        if (entry.isFolder) {
            if (!WalkFolder(fullPath + '\\', extensions, callback, context))
                return false;
            continue;
        }
        const CString extension = GetFileExtension(entry.name.c_str());
        for (const std::string& wanted : extensions) {
            if (extension.CompareNoCase(wanted.c_str()) == 0 && callback(fullPath.c_str(), context) == 0)
                return false;
        }
    }
    return true;
}

bool EndsWithNoCase(const std::string& name, const std::string& ending)
{
    if (name.size() < ending.size())
        return false;
    return CString(name.substr(name.size() - ending.size()).c_str()).CompareNoCase(ending.c_str()) == 0;
}

} // namespace

BOOL ForEachFileInFolders(const char* folders, const char* extensions, FolderWalkCallback callback,
                          void* context)
{
    const std::vector<std::string> extensionList = SplitList(extensions);
    for (const std::string& folder : SplitList(folders)) {
        if (!WalkFolder(WithTrailingBackslash(folder), extensionList, callback, context))
            return FALSE;
    }
    return TRUE;
}

void ScanFolderForExtensions(const char* folder, const char* extensions, CStringArray& paths)
{
    const std::string base = WithTrailingBackslash(folder ? folder : "");
    const std::vector<FolderEntry> entries = ListFolder(base);
    for (const std::string& extension : SplitList(extensions)) {
        for (const FolderEntry& entry : entries) {
            if (!entry.isFolder && EndsWithNoCase(entry.name, extension))
                paths.Add(CString((base + entry.name).c_str()));
        }
    }
}
