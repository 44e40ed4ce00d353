// CResourceException: a window or other system resource could not be made (a frame's dock bars, a
// floating frame).
#pragma once

#include "classlib/Exceptions.h"

class CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    explicit CResourceException(BOOL bAutoDelete = TRUE) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowResourceException();
