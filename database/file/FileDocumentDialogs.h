// The two dialogs a file-based document shows: the File Properties sheet and
// the Rename dialog.
//
// The document holds the logic (what is shown, what an OK changes); the
// windows are reached through this process-wide interface, installed once by
// the window half. Without it (the windowless build, tests that install none)
// both dialogs answer as if cancelled.
#pragma once

#include "classlib/CString.h"
#include "classlib/Types.h"

// What the "General" page of File Properties shows and edits.
struct FilePropertiesFields
{
    CString fileName; // file name with its extension, no folder
    CString folder;   // drive and folder, no trailing backslash
    CString comments; // edited; the page takes at most maxComments characters
    BOOL readOnly = FALSE; // the comments cannot be edited

    enum
    {
        maxComments = 255
    };
};

class CFileDocumentDialogs
{
public:
    virtual ~CFileDocumentDialogs() = default;
    // TRUE on OK with the fields as the user left them.
    virtual BOOL RunFileProperties(FilePropertiesFields& fields) = 0;
    // Shows the Rename dialog for path; TRUE on OK with the typed name. The
    // dialog has refused names that CheckRenameName refuses.
    virtual BOOL RunRename(const CString& path, CString& newName) = 0;
};

// Returns the previous dialogs; NULL means "no windows".
CFileDocumentDialogs* SetFileDocumentDialogs(CFileDocumentDialogs* dialogs);
CFileDocumentDialogs* GetFileDocumentDialogs();
