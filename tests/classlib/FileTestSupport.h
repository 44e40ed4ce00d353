// Scratch files for the file, archive and profile tests: a fresh folder per
// test under the system's temporary folder, removed with its files.
#pragma once

#include "classlib/CString.h"

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#include <unistd.h>
#endif

#include <cstdio>

class ScratchDir
{
public:
    ScratchDir()
    {
#ifdef _WIN32
        char tmp[MAX_PATH];
        ::GetTempPathA(sizeof tmp, tmp);
        static int counter = 0;
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%slvtest%lu_%d", tmp, (unsigned long)::GetCurrentProcessId(), ++counter);
        ::CreateDirectoryA(name, nullptr);
        m_dir = name;
        m_sep = "\\";
#else
        char templ[] = "/tmp/lvtestXXXXXX";
        m_dir = ::mkdtemp(templ);
        m_sep = "/";
#endif
    }
    ~ScratchDir()
    {
        for (const std::string& f : m_files)
            std::remove(f.c_str());
#ifdef _WIN32
        ::RemoveDirectoryA(m_dir.c_str());
#else
        ::rmdir(m_dir.c_str());
#endif
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // A path in the folder; the file (if made) is removed with the folder.
    CString Path(const char* name)
    {
        std::string p = m_dir + m_sep + name;
        m_files.push_back(p);
        m_files.push_back(p + ".tmp");
        return CString(p.c_str());
    }

    static std::string ReadAll(const char* path)
    {
        std::string out;
        if (FILE* f = std::fopen(path, "rb"))
        {
            int c;
            while ((c = std::fgetc(f)) != EOF)
                out += char(c);
            std::fclose(f);
        }
        return out;
    }

    static void WriteAll(const char* path, const std::string& data)
    {
        if (FILE* f = std::fopen(path, "wb"))
        {
            std::fwrite(data.data(), 1, data.size(), f);
            std::fclose(f);
        }
    }

private:
    std::string m_dir;
    std::string m_sep;
    std::vector<std::string> m_files;
};
