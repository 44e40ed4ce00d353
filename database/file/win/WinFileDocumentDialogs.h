// CWinFileDocumentDialogs: the windows of the File Properties sheet and the Rename dialog, installed
// with SetFileDocumentDialogs by the program at start-up.
#pragma once

#include "database/file/FileDocumentDialogs.h"

class CWinFileDocumentDialogs : public CFileDocumentDialogs
{
public:
    enum
    {
        IDS_FILE_PROPERTIES = 5183
    };
    // "File Properties" without Apply, one "General" page.
    BOOL RunFileProperties(FilePropertiesFields& fields) override;
    BOOL RunRename(const CString& path, CString& newName) override;
};
