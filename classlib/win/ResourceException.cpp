#include "classlib/win/ResourceException.h"

#include <cstring>

IMPLEMENT_DYNAMIC(CResourceException, CException)

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const char* text = "A system resource could not be made.";
    std::strncpy(lpszError, text, nMaxError - 1);
    lpszError[nMaxError - 1] = '\0';
    return TRUE;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}
