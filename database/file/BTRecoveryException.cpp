#include "database/file/BTRecoveryException.h"

IMPLEMENT_DYNAMIC(BTRecoveryException, ArchivePromptException)

BTRecoveryException::BTRecoveryException(UINT nIDPrompt, LPCTSTR lpszFileName)
    : ArchivePromptException(nIDPrompt, lpszFileName)
{
}

void BTThrowSavePending(LPCTSTR lpszFileName)
{
    throw new BTRecoveryException(BTRecoveryException::IDP_SAVE_PENDING, lpszFileName);
}

void BTThrowForeignJournal(LPCTSTR lpszJournalName)
{
    throw new BTRecoveryException(BTRecoveryException::IDP_FOREIGN_JOURNAL, lpszJournalName);
}
