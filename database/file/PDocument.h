// CPDocument: a file-based document whose file exists from the moment the
// document is created (the database and the term and journal lists).
//
// A new document asks for its file name and its File Properties at once and
// creates the file; cancelling either abandons the new document.
#pragma once

#include "database/file/FileBasedDocument.h"

class CPDocument : public CFileBasedDocument
{
    DECLARE_DYNAMIC(CPDocument)

public:
    // Flags of the file-name prompt: hide read-only, path must exist, confirm overwrite.
    enum : DWORD
    {
        newFilePromptFlags = 0x806,
    };

    BOOL OnNewDocument() override;
};
