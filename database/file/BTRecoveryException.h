// BTRecoveryException: an open refused because of what a crash left beside
// the file, before anything was changed.
//
// Two prompts, each with "%1" for the file it names (ArchivePromptException):
// IDP_SAVE_PENDING when a file whose save was cut short is opened read-only
// (it must be opened once with write access, which finishes or undoes the
// save), naming the file; IDP_FOREIGN_JOURNAL when a journal or master
// journal beside the file belongs to another file, naming the journal,
// which is left where it is.
#pragma once

#include "database/file/ArchivePromptException.h"

class BTRecoveryException : public ArchivePromptException
{
    DECLARE_DYNAMIC(BTRecoveryException)
public:
    enum
    {
        IDP_SAVE_PENDING = 4192,
        IDP_FOREIGN_JOURNAL = 4193,
    };

    BTRecoveryException(UINT nIDPrompt, LPCTSTR lpszFileName);
};

[[noreturn]] void BTThrowSavePending(LPCTSTR lpszFileName);
[[noreturn]] void BTThrowForeignJournal(LPCTSTR lpszJournalName);
