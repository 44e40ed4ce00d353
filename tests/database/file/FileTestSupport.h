// Helpers of the file tests: fresh temporary paths and whole-file snapshots.
#pragma once

#include "classlib/CString.h"
#include "classlib/File.h"

#include <stdio.h>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace filetest
{
// A path in the system's temporary folder that no file uses yet.
inline CString TempPath(const char* stem)
{
    static int counter = 0;
    char name[300];
#ifdef _WIN32
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    snprintf(name, sizeof(name), "%slv_%s_%lu_%d.tmp", folder, stem, (unsigned long)GetCurrentProcessId(), ++counter);
#else
    snprintf(name, sizeof(name), "/tmp/lv_%s_%d_%d.tmp", stem, (int)getpid(), ++counter);
#endif
    return CString(name);
}

inline std::vector<unsigned char> ReadAll(const CString& path)
{
    std::vector<unsigned char> bytes;
    FILE* f = fopen(AfxNativePath(path), "rb");
    if (!f)
        return bytes;
    int c;
    while ((c = fgetc(f)) != EOF)
        bytes.push_back((unsigned char)c);
    fclose(f);
    return bytes;
}

inline void WriteAll(const CString& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = fopen(AfxNativePath(path), "wb");
    if (!f)
        return;
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

inline void RemoveFile(const CString& path)
{
    remove(AfxNativePath(path));
}

inline unsigned long U32At(const std::vector<unsigned char>& b, size_t at)
{
    return (unsigned long)b[at] | ((unsigned long)b[at + 1] << 8) | ((unsigned long)b[at + 2] << 16) |
           ((unsigned long)b[at + 3] << 24);
}

inline unsigned int U16At(const std::vector<unsigned char>& b, size_t at)
{
    return (unsigned int)b[at] | ((unsigned int)b[at + 1] << 8);
}
} // namespace filetest
