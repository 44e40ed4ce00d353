#include "database/file/DocumentRename.h"

#include "app/core/Paths.h"
#include "classlib/File.h"

#include <string.h>

UINT CheckRenameName(const char* oldPath, const char* newName)
{
    if (newName == nullptr || *newName == '\0' || strpbrk(newName, "\\/:*?\"<>|") != nullptr)
        return IDP_RENAME_BAD_CHARACTERS;
    CFileStatus status;
    if (CFile::GetStatus(BuildRenamedPath(oldPath, newName), status))
        return IDP_RENAME_EXISTS;
    return 0;
}
