// BTHeaderTooLongException: a paged file's header, with everything a derived
// file adds to it, no longer fits the 1024-byte area in front of page 0.
//
// Its text is string IDP_HEADER_TOO_LONG with "%1" the file's name
// (ArchivePromptException).
#pragma once

#include "database/file/ArchivePromptException.h"

class BTHeaderTooLongException : public ArchivePromptException
{
    DECLARE_DYNAMIC(BTHeaderTooLongException)
public:
    enum
    {
        IDP_HEADER_TOO_LONG = 4190,
    };

    explicit BTHeaderTooLongException(LPCTSTR lpszFileName);
};

[[noreturn]] void BTThrowHeaderTooLong(LPCTSTR lpszFileName);
