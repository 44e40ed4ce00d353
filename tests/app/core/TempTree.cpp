#include "TempTree.h"

#include "app/core/NativePath.h"
#include "app/core/TempFile.h"
#include "classlib/Exceptions.h"
#include "classlib/File.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

bool MakeFolder(const CString& path)
{
#ifdef _WIN32
    return ::CreateDirectoryA(path, nullptr) != 0;
#else
    return ::mkdir(NativePath::ToSystem(path).c_str(), 0700) == 0;
#endif
}

void RemoveFolder(const std::string& path)
{
#ifdef _WIN32
    ::RemoveDirectoryA(path.c_str());
#else
    ::rmdir(NativePath::ToSystem(path.c_str()).c_str());
#endif
}

} // namespace

TempTree::TempTree()
{
    // A unique name from the temporary-name service, turned from a file into a folder.
    const CString name = MakeTempFileName();
    CFile::Remove(name);
    const CString folder = name + ".d";
    EXPECT_TRUE(MakeFolder(folder)) << (const char*)folder;
    m_folders.push_back(std::string(folder));
    m_root = folder + "\\";
}

TempTree::~TempTree()
{
    for (auto it = m_files.rbegin(); it != m_files.rend(); ++it) {
        try {
            CFile::Remove(it->c_str());
        } catch (CException* e) {
            e->Delete();
        }
    }
    for (auto it = m_folders.rbegin(); it != m_folders.rend(); ++it)
        RemoveFolder(*it);
}

CString TempTree::AddFolder(const char* relative)
{
    const CString path = m_root + relative;
    EXPECT_TRUE(MakeFolder(path)) << (const char*)path;
    m_folders.push_back(std::string(path));
    return path;
}

CString TempTree::AddFile(const char* relative)
{
    const CString path = m_root + relative;
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Close();
    m_files.push_back(std::string(path));
    return path;
}
