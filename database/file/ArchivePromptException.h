// ArchivePromptException: an archive exception of cause generic that names
// the file and says what went wrong in a prompt of its own (a string with
// "%1" for the file's name), where the generic cause would only say that an
// unknown error occurred. Handlers of archive exceptions treat it as before.
#pragma once

#include "classlib/Exceptions.h"

class ArchivePromptException : public CArchiveException
{
    DECLARE_DYNAMIC(ArchivePromptException)
public:
    ArchivePromptException(UINT nIDPrompt, LPCTSTR lpszFileName);

    UINT GetPromptId() const { return m_nIDPrompt; }
    // The prompt with the file's name (or "an unnamed file" when it has none); the
    // generic cause's text when the prompt cannot be loaded.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

private:
    UINT m_nIDPrompt;
};
