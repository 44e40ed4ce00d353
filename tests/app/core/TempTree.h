// A folder tree under the system's temporary folder for tests that walk the file system; removed again
// when the object goes. Paths are the program's (Windows) paths in both builds.
#pragma once

#include "classlib/CString.h"

#include <string>
#include <vector>

class TempTree
{
public:
    TempTree();
    ~TempTree();

    // The tree's root folder, with a trailing backslash.
    const CString& Root() const { return m_root; }
    // Makes a folder (relative to the root; "a\\b" needs "a" first) and answers its full path.
    CString AddFolder(const char* relative);
    // Makes an empty file (relative to the root) and answers its full path.
    CString AddFile(const char* relative);

private:
    CString m_root;
    std::vector<std::string> m_files;
    std::vector<std::string> m_folders;
};
