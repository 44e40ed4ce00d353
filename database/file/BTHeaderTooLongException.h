// BTHeaderTooLongException: a paged file's header, with everything a derived
// file adds to it, no longer fits the 1024-byte area in front of page 0.
//
// An archive exception of cause generic that names the file, so every
// handler of archive exceptions treats it as before; its text (string
// IDP_HEADER_TOO_LONG, "%1" the file's name) says what went wrong instead of
// the generic cause's "unknown error".
#pragma once

#include "classlib/Exceptions.h"

class BTHeaderTooLongException : public CArchiveException
{
    DECLARE_DYNAMIC(BTHeaderTooLongException)
public:
    enum
    {
        IDP_HEADER_TOO_LONG = 4190,
    };

    explicit BTHeaderTooLongException(LPCTSTR lpszFileName);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

[[noreturn]] void BTThrowHeaderTooLong(LPCTSTR lpszFileName);
