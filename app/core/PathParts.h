// The four parts of a Windows path, split the way the runtime's path splitter does:
//   drive      "C:" or empty (only a letter followed by a colon at the start counts),
//   directory  everything up to and including the last backslash or slash, or empty,
//   name       the file name without its extension,
//   extension  from the last dot of the file name on, dot included, or empty.
// Joining drive + directory + name + extension gives back the original path.
#pragma once

#include "classlib/CString.h"

class CPathParts
{
public:
    explicit CPathParts(const char* path);

    CString m_drive;
    CString m_directory;
    CString m_name;
    CString m_extension;
};
