// The rules of File Rename that do not need a window.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

enum
{
    IDP_RENAME_BAD_CHARACTERS = 4110, // names the characters a file name cannot hold
    IDP_RENAME_EXISTS = 4111,         // "Cannot rename %1 to %2: ..." (old path, new name)
};

// The Rename dialog's test of a typed name for the file at oldPath: 0 when it
// may be used, IDP_RENAME_BAD_CHARACTERS when it holds \ / : * ? " < > |, or
// IDP_RENAME_EXISTS when the path the rename gives names an existing file.
// An empty name is refused with the bad-characters message.
UINT CheckRenameName(const char* oldPath, const char* newName);
