#include "database/file/ArchivePromptException.h"

#include "classlib/Resources.h"

#include <string.h>

IMPLEMENT_DYNAMIC(ArchivePromptException, CArchiveException)

ArchivePromptException::ArchivePromptException(UINT nIDPrompt, LPCTSTR lpszFileName)
    : CArchiveException(CArchiveException::generic, lpszFileName), m_nIDPrompt(nIDPrompt)
{
}

BOOL ArchivePromptException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = (UINT)m_cause;
    CString text;
    AfxFormatString1(text, m_nIDPrompt, m_strFileName.IsEmpty() ? "an unnamed file" : (LPCTSTR)m_strFileName);
    if (text.IsEmpty())
        return CArchiveException::GetErrorMessage(lpszError, nMaxError, pnHelpContext);
    if (lpszError != nullptr && nMaxError > 0) {
        UINT n = (UINT)text.GetLength();
        if (n > nMaxError - 1)
            n = nMaxError - 1;
        memcpy(lpszError, (LPCTSTR)text, n);
        lpszError[n] = '\0';
    }
    return TRUE;
}
