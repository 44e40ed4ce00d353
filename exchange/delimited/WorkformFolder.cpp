#include "exchange/delimited/WorkformFolder.h"

#include "app/core/Paths.h"
#include "app/core/SettingsCatalogue.h"
#include "classlib/File.h"

#include <cctype>
#include <cstdio>
#include <cstring>

CString GetWorkformDirectory()
{
    CString folders = Settings::WorkformFilePath.Get();
    const int end = folders.Find(';');
    CString first = end >= 0 ? folders.Left(end) : folders;
    first.TrimLeft();
    first.TrimRight();
    if (first.IsEmpty())
        return GetProgramDirectory();
    return first;
}

CString MakeUniqueShortFileName(const char* directory, const char* title, const char* extension)
{
    char stem[9] = {0};
    int length = 0;
    for (const char* p = title; *p != 0 && length < 8; ++p) {
        if (std::isalnum((unsigned char)*p) && (unsigned char)*p < 0x80)
            stem[length++] = (char)std::toupper((unsigned char)*p);
    }
    if (length == 0) {
        std::strcpy(stem, "WORKFORM");
        length = 8;
    }
    CString ext(extension);
    ext.MakeUpper();
    for (int number = 0; number < 100000; ++number) {
        char name[16];
        if (number == 0) {
            std::snprintf(name, sizeof name, "%s", stem);
        } else {
            char digits[9];
            const int width = std::snprintf(digits, sizeof digits, "%d", number);
            const int keep = length + width > 8 ? 8 - width : length;
            std::snprintf(name, sizeof name, "%.*s%s", keep, stem, digits);
        }
        const CString path = JoinPath(directory, CString(name) + ext);
        CFileStatus status;
        if (!CFile::GetStatus(path, status))
            return CString(name) + ext;
    }
    return CString();
}
