#include "DocTestSupport.h"

#include "classlib/Exceptions.h"
#include "classlib/File.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

CString ScratchPath(const char* tag)
{
    static int counter = 0;
    char name[MAX_PATH + 64];
#ifdef _WIN32
    char folder[MAX_PATH + 1] = {0};
    ::GetTempPathA(MAX_PATH, folder);
    std::snprintf(name, sizeof name, "%sdoctest-%lu-%s-%d.tst", folder, ::GetCurrentProcessId(), tag,
                  ++counter);
#else
    std::snprintf(name, sizeof name, "C:\\tmp\\doctest-%ld-%s-%d.tst", static_cast<long>(::getpid()), tag,
                  ++counter);
#endif
    return CString(name);
}

void RemoveQuietly(const char* path)
{
    try {
        CFile::Remove(path);
    } catch (CException* e) {
        e->Delete();
    }
}
